// sound.h - ruSound: the parts of the sound module that the rest of the
// library calls. Sound objects, streaming and MIDI playback join later;
// until then these keep their documented state and do nothing else.
#pragma once

namespace ruSound {

extern int MidiOpen;  // the MIDI device is open

// Sets up sound output; 1 on success.
int InitSound();
// Releases the sound module (program end).
void ExitSound();
// Sets up MIDI playback; 1 on success.
int InitMidi();
// Handles the MIDI device's notice that playback ended.
void MidiNotify();
// The warning beep (MessageBeep 0xFFFFFFFF).
void Beep();

}  // namespace ruSound
