// playback.cpp - playing, stopping and pausing sound objects and shaping
// their mix buffers: volume, pan and frequency with their clamps, chosen by
// the mix selector. Absent objects and buffers are skipped.
#include <algorithm>
#include <cstdint>

#include "sound/sound.h"
#include "sound/sound_internal.h"

namespace ruSound {

namespace {

// The slot of `no` when the device is open and the slot is used.
SoundObject* Usable(int no) {
  if (!SoundReady || no < 0 || no >= kSoundCount || !Sounds[no].Used) return nullptr;
  return &Sounds[no];
}

bool HasMix(const SoundObject& s, int j) { return j >= 0 && j < s.MixCount && j < kMaxMix; }

// The round-robin buffer, or -1 for an object without mix buffers.
int Cursor(SoundObject& s) {
  if (s.MixCount <= 0) return -1;
  if (s.MixCursor < 0 || s.MixCursor >= s.MixCount) s.MixCursor = 0;
  return s.MixCursor;
}

void AdvanceCursor(SoundObject& s) {
  if (++s.MixCursor >= s.MixCount) s.MixCursor = 0;
}

void StartBuffer(SoundObject& s, int j, DWORD flags) {
  platform::SoundBuffer* b = HasMix(s, j) ? s.Buffers[j] : nullptr;
  if (!b) return;
  b->Stop();
  b->SetCurrentPosition(0);
  // A stream is rewound and refilled first, and its buffer always loops;
  // the refills decide whether it ends.
  if (s.Stream.Size != 0) {
    s.Looping = flags == DSBPLAY_LOOPING ? 1 : 0;
    if (!ResetStream(int(&s - Sounds))) return;
    flags = DSBPLAY_LOOPING;
  }
  b->Play(0, 0, flags);
}

int PlayWith(int no, int mix, DWORD flags) {
  SoundObject* s = Usable(no);
  if (!s) return 0;
  if (mix >= 0) {
    StartBuffer(*s, mix, flags);
  } else if (Cursor(*s) >= 0) {
    if (mix == -2 && s->EchoStep >= 0) StartEcho(no, flags == DSBPLAY_LOOPING);
    StartBuffer(*s, Cursor(*s), flags);
    AdvanceCursor(*s);
  }
  s->Looping = flags == DSBPLAY_LOOPING ? 1 : 0;
  return 1;
}

// Calls fn(slot, j) for each buffer a setter's selector names.
template <typename F>
int ForSetter(int no, int mix, F fn) {
  SoundObject* s = Usable(no);
  if (!s) return 0;
  if (mix >= 0) {
    if (HasMix(*s, mix)) fn(*s, mix);
  } else if (mix == -2) {
    if (Cursor(*s) >= 0) fn(*s, Cursor(*s));
  } else {
    for (int j = 0; j < s->MixCount && j < kMaxMix; ++j) fn(*s, j);
  }
  return 1;
}

// Stop and Pause: a buffer, or every buffer for a negative selector.
template <typename F>
int ForEach(int no, int mix, F fn) {
  SoundObject* s = Usable(no);
  if (!s) return 0;
  for (int j = 0; j < s->MixCount && j < kMaxMix; ++j)
    if ((mix < 0 || j == mix) && s->Buffers[j]) fn(*s, j, *s->Buffers[j]);
  return 1;
}

LONG Clamp(std::int64_t v, std::int64_t lo, std::int64_t hi) { return LONG(std::clamp(v, lo, hi)); }
LONG ClampFrequency(std::int64_t hz) { return Clamp(hz, 100, 100000); }
LONG ClampPan(std::int64_t pan) { return Clamp(pan, -10000, 10000); }
LONG ClampVolume(std::int64_t v) { return Clamp(v, -10000, 0); }

void ApplyFrequency(SoundObject& s, int j, LONG hz) {
  s.Frequency[j] = hz;
  if (s.Buffers[j]) s.Buffers[j]->SetFrequency(DWORD(hz));
}
void ApplyPan(SoundObject& s, int j, LONG pan) {
  s.Pan[j] = pan;
  if (s.Buffers[j]) s.Buffers[j]->SetPan(pan);
}
void ApplyVolume(SoundObject& s, int j, LONG volume) {
  s.Volume[j] = volume;
  if (s.Buffers[j]) s.Buffers[j]->SetVolume(volume);
}

}  // namespace

// ---------------------------------------------------------------- play
int Play(int no, int mix) { return PlayWith(no, mix, 0); }
int PlayLoop(int no, int mix) { return PlayWith(no, mix, DSBPLAY_LOOPING); }

int Stop(int no, int mix) {
  const int done = ForEach(no, mix, [](SoundObject&, int, platform::SoundBuffer& b) {
    b.Stop();
    b.SetCurrentPosition(0);
  });
  if (done && mix < 0 && Sounds[no].EchoStep >= 0) Sounds[no].EchoStep = 0;
  return done;
}

// Toggles: a playing buffer keeps its position and stops; a stopped one
// plays on from the position kept.
int Pause(int no, int mix) {
  return ForEach(no, mix, [](SoundObject& s, int j, platform::SoundBuffer& b) {
    DWORD status = 0;
    b.GetStatus(&status);
    if (status & DSBSTATUS_PLAYING) {
      b.GetCurrentPosition(&s.PausePos[j], nullptr);
      b.Stop();
    } else {
      b.SetCurrentPosition(s.PausePos[j]);
      b.Play(0, 0, s.Looping || s.Stream.Size ? DSBPLAY_LOOPING : 0);
    }
  });
}

// ---------------------------------------------------------------- frequency
int AddFrequency(int no, int value, int mix) {
  return ForSetter(no, mix, [value](SoundObject& s, int j) {
    ApplyFrequency(s, j, ClampFrequency(std::int64_t(s.Frequency[j]) + std::int64_t(value) * 100));
  });
}
int SetFrequency(int no, int value, int mix) {
  return ForSetter(no, mix, [value](SoundObject& s, int j) {
    ApplyFrequency(s, j, ClampFrequency(std::int64_t(s.BaseFrequency) + std::int64_t(value) * 100));
  });
}
int ResetFrequency(int no, int mix) {
  return ForSetter(no, mix, [](SoundObject& s, int j) { ApplyFrequency(s, j, s.BaseFrequency); });
}

// ---------------------------------------------------------------- pan
int AddPan(int no, int value, int mix) {
  return ForSetter(no, mix, [value](SoundObject& s, int j) {
    ApplyPan(s, j, ClampPan(std::int64_t(s.Pan[j]) + std::int64_t(value) * 100));
  });
}
int SetPan(int no, int value, int mix) {
  return ForSetter(no, mix, [value](SoundObject& s, int j) {
    ApplyPan(s, j, ClampPan(std::int64_t(value) * 100));
  });
}
int ResetPan(int no, int mix) {
  return ForSetter(no, mix, [](SoundObject& s, int j) { ApplyPan(s, j, 0); });
}
int PanLeft(int no, int mix) {
  return ForSetter(no, mix, [](SoundObject& s, int j) { ApplyPan(s, j, -10000); });
}
int PanRight(int no, int mix) {
  return ForSetter(no, mix, [](SoundObject& s, int j) { ApplyPan(s, j, 10000); });
}

// ---------------------------------------------------------------- volume
int AddVolume(int no, int value, int mix) {
  return ForSetter(no, mix, [value](SoundObject& s, int j) {
    ApplyVolume(s, j, ClampVolume(std::int64_t(s.Volume[j]) + std::int64_t(value) * 100));
  });
}
int SetVolume(int no, int value, int mix) {
  return ForSetter(no, mix, [value](SoundObject& s, int j) {
    ApplyVolume(s, j, ClampVolume(std::int64_t(value) * 100));
  });
}
int ResetVolume(int no, int mix) {
  return ForSetter(no, mix, [](SoundObject& s, int j) { ApplyVolume(s, j, 0); });
}

}  // namespace ruSound
