// sdl_audio.h - the desktop sound output: an SDL audio device whose
// callback, on SDL's audio thread, asks the mixer for the next samples.
// RU_AUDIO=none, or no device to open, means no output.
#pragma once

#include <SDL.h>

#include "platform/backend.h"

namespace platform::sdl {

class AudioOutput {
 public:
  ~AudioOutput();
  // Opens (or reopens) the default device in `pcm`; false without one.
  bool Open(const AudioFormat& pcm, AudioSource source);
  void Pause(bool paused);
  void Close();
  // Sleeps while `ms` more milliseconds play.
  void PlayFor(DWORD ms);

 private:
  static void Callback(void* self, Uint8* stream, int len);

  SDL_AudioDeviceID device_ = 0;
  AudioSource source_;  // read by the audio thread only while the device is open
};

}  // namespace platform::sdl
