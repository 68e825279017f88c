// system_sounds.h - sounds of the platform itself: the warning beep
// (MessageBeep) and the system sound service (sndPlaySoundA), with built-in
// sounds of our own making standing in for the system's named sounds.
#pragma once

#include <vector>

#include "platform/audio/sound_types.h"

namespace platform {

// Starts the short warning tone through the output (opened for it when no
// device holds it); returns at once. Silent when there is no output.
void PlayBeep();

// Plays `name` to its end and returns: a system sound name ("SystemAsterisk",
// "SystemExclamation", "SystemHand", "SystemQuestion", "SystemDefault",
// "SystemStart", "SystemExit", case-insensitive), else a WAVE file (library
// path); anything else plays the default sound. False when nothing could
// be played (no output).
bool PlaySystemSound(const char* name);

// A built-in sound by system name as 16-bit mono PCM; false if the name is
// not one of ours.
bool BuiltInSound(const char* name, WAVEFORMATEX* format, const std::vector<BYTE>** data);

}  // namespace platform
