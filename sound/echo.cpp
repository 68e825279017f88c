// echo.cpp - the echo effect: a sound replayed through its further mix
// buffers at a fixed interval, each time quieter, optionally with a pan
// that wanders between -3000 and 3000. Driven once per frame by FrameTime.
#include <climits>
#include <cstdint>
#include <cstdlib>

#include "sound/sound.h"
#include "sound/sound_internal.h"
#include "system/system.h"

namespace ruSound {

namespace {

SoundObject* Echoing(int no, int repeats) {
  if (!SoundReady || no < 0 || no >= kSoundCount || !Sounds[no].Used) return nullptr;
  SoundObject& s = Sounds[no];
  return s.EchoStep < 1 || repeats < 1 ? nullptr : &s;
}

// Steps 2 to 4: true when the interval has run out (EchoTime starts again).
bool IntervalDone(SoundObject& s, int interval) {
  s.EchoTime += ruSystem::FrameTime * 1000;
  if (s.EchoTime < float(interval)) return false;
  s.EchoTime = 0;
  return true;
}

// Steps 5 to 7: the next buffer plays EchoStep x decay decibels quieter.
void Replay(int no, SoundObject& s, int repeats, int decay) {
  const std::int64_t down = -std::int64_t(s.EchoStep) * decay;
  SetVolume(no, int(down < INT_MIN ? INT_MIN : down > INT_MAX ? INT_MAX : down), -2);
  if (s.EchoLoop) PlayLoop(no, -3);
  else Play(no, -3);
  if (++s.EchoStep > repeats) s.EchoStep = 0;
}

}  // namespace

void StartEcho(int no, bool loop) {
  SoundObject& s = Sounds[no];
  ResetFrequency(no, -1);
  ResetPan(no, -1);
  ResetVolume(no, -1);
  s.EchoStep = 1;
  s.EchoTime = 0;
  s.EchoLoop = loop ? 1 : 0;
  s.EchoPanPos = s.MixCount > 0 ? float(s.Pan[s.MixCursor]) : 0.0f;
  s.EchoPanDir = (std::rand() % 2) * 2 - 1;
}

int Echo(int no, int interval, int repeats, int decay) {
  SoundObject* s = Echoing(no, repeats);
  if (!s || !IntervalDone(*s, interval)) return 0;
  Replay(no, *s, repeats, decay);
  return 1;
}

int EchoPan(int no, int interval, int repeats, int decay, int speed) {
  SoundObject* s = Echoing(no, repeats);
  if (!s || !IntervalDone(*s, interval)) return 0;
  s->EchoPanPos += float(s->EchoPanDir) * ruSystem::FrameTime * 100 * float(speed);
  if (s->EchoPanPos < -30) {
    s->EchoPanPos = -30;
    s->EchoPanDir = -s->EchoPanDir;
  }
  if (s->EchoPanPos > 30) {
    s->EchoPanPos = 30;
    s->EchoPanDir = -s->EchoPanDir;
  }
  SetPan(no, int(s->EchoPanPos), -2);
  Replay(no, *s, repeats, decay);
  return 1;
}

}  // namespace ruSound
