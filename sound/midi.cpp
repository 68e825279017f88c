// midi.cpp - MIDI background music through the MCI sequencer under the
// alias "midi": one piece at a time, looped or played once; the window
// procedure hands the end of a piece to MidiNotify.
#include <cstdio>

#include "platform/audio/mci.h"
#include "sound/sound.h"
#include "system/system.h"

namespace ruSound {

int MidiOpen = 0;
int MidiLoop = 1;
int MidiEnded = 0;

namespace {

void Send(const char* command) {
  platform::MciSendString(command, nullptr, 0, ruSystem::MainWindow);
}

}  // namespace

int InitMidi() {
  MidiOpen = 0;
  MidiEnded = 0;
  MidiLoop = 1;
  return 1;
}

int PlayMidi(const char* name, int loop) {
  char open[256];
  const int length = std::snprintf(open, sizeof open, "open \"%s%s\" type sequencer alias midi",
                                   ruSystem::GetAppFolder(0), name ? name : "");
  // A folder and name that do not fit the command open nothing (a cut
  // command would name another file).
  if (length < 0 || length >= int(sizeof open)) return loop;
  if (MidiOpen) StopMidi();
  Send(open);
  Send("seek midi to start");
  Send("play midi notify");
  MidiOpen = 1;
  MidiEnded = 0;
  MidiLoop = loop;
  return loop;
}

void StopMidi() {
  if (!MidiOpen) return;
  Send("stop midi");
  Send("close midi");
  MidiOpen = 0;
}

void CloseMidi() {
  Send("stop midi");
  Send("close midi");
}

void MidiOnce() { MidiLoop = 0; }

void MidiNotify() {
  if (MidiLoop == 1) {
    Send("seek midi to start");
    Send("play midi notify");
  } else {
    StopMidi();
  }
  MidiEnded = 1;
}

}  // namespace ruSound
