// sound_stubs.cpp - the sound module's entry points before sound objects,
// streaming and MIDI exist: set-up and release succeed with nothing to do;
// the beep goes to the backend.
#include "sound/sound.h"

#include "platform/backend.h"

namespace ruSound {

int MidiOpen = 0;

int InitSound() { return 1; }
void ExitSound() {}
int InitMidi() { MidiOpen = 0; return 1; }
void MidiNotify() {}
void Beep() { platform::GetBackend().Beep(); }

}  // namespace ruSound
