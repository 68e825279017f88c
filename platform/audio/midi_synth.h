// midi_synth.h - the music synthesizer behind the MCI sequencer: one MIDI
// piece at a time, played by a General MIDI SoundFont synthesizer whose
// output the mixer adds to everything it mixes, so every output (the
// desktop device, the headless sink) carries the music. The player runs on
// the rendered samples, so a headless run is deterministic.
#pragma once

#include <vector>

#include "platform/win_types.h"

namespace platform::midi {

// Loads the piece (a checked MIDI file) ready to play from its start;
// false when no synthesizer could be made (no SoundFont: the piece is
// kept but stays silent).
bool Load(const std::vector<unsigned char>& file);
// Back to the start of the loaded piece, not playing.
void Rewind();
// Plays from where the piece stands; with `notify`, its end posts
// MM_MCINOTIFY with MCI_NOTIFY_SUCCESSFUL to `window` (through Deliver).
void Play(bool notify, HWND window);
// Stops the piece where it stands and silences every note.
void Stop();
// Stops and forgets the piece; the mixer stops rendering music.
void Unload();
// True while the piece plays.
bool Playing();
// Posts an end notification that is due (called by the message loop, on
// the thread that reads the messages).
void Deliver();

}  // namespace platform::midi
