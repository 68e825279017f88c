// midi.cpp - the MIDI module's documented state before the MIDI player
// joins: set-up succeeds with nothing open, the end notice does nothing.
#include "sound/sound.h"

namespace ruSound {

int MidiOpen = 0;

int InitMidi() {
  MidiOpen = 0;
  return 1;
}

void MidiNotify() {}

}  // namespace ruSound
