// sound.h - ruSound: the parts of the sound module that the rest of the
// library calls. Sound objects, streaming and MIDI playback join later;
// until then these keep their documented state and do nothing else.
#pragma once

namespace ruSound {

extern int MidiOpen;  // the MIDI device is open

int InitSound();
void ExitSound();
int InitMidi();
void MidiNotify();
// The warning beep (MessageBeep 0xFFFFFFFF).
void Beep();

}  // namespace ruSound
