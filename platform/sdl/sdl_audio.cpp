// sdl_audio.cpp - the SDL audio device behind the mixer.
#include "platform/sdl/sdl_audio.h"

#include <cstdlib>
#include <cstring>

namespace platform::sdl {

namespace {
// About 10 ms of frames, as a power of two (SDL's preference).
Uint16 DeviceFrames(DWORD rate) {
  Uint16 frames = 128;
  while (frames < 4096 && frames < rate / 100) frames = Uint16(frames * 2);
  return frames;
}
}  // namespace

AudioOutput::~AudioOutput() { Close(); }

bool AudioOutput::Open(const AudioFormat& pcm, AudioSource source) {
  Close();
  const char* wanted = std::getenv("RU_AUDIO");
  if (wanted && std::strcmp(wanted, "none") == 0) return false;
  if (!source || (pcm.bitsPerSample != 8 && pcm.bitsPerSample != 16)) return false;
  if (!SDL_WasInit(SDL_INIT_AUDIO) && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  source_ = std::move(source);
  SDL_AudioSpec want{};
  want.freq = int(pcm.samplesPerSec);
  want.format = pcm.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
  want.channels = Uint8(pcm.channels);
  want.samples = DeviceFrames(pcm.samplesPerSec);
  want.callback = &AudioOutput::Callback;
  want.userdata = this;
  // No allowed changes: SDL converts our format to the device's, so the
  // mixer always produces exactly the primary format.
  SDL_AudioSpec have{};
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device_ == 0) {
    source_ = nullptr;
    return false;
  }
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

void AudioOutput::Pause(bool paused) {
  if (device_) SDL_PauseAudioDevice(device_, paused ? 1 : 0);
}

void AudioOutput::Close() {
  // After SDL_Quit the device is already gone.
  if (device_ && SDL_WasInit(SDL_INIT_AUDIO)) SDL_CloseAudioDevice(device_);
  device_ = 0;
  source_ = nullptr;
}

void AudioOutput::PlayFor(DWORD ms) {
  // Plus two device periods, so the end has left the device before it closes.
  if (device_) SDL_Delay(ms + 50);
}

void AudioOutput::Callback(void* self, Uint8* stream, int len) {
  static_cast<AudioOutput*>(self)->source_(stream, std::size_t(len));
}

}  // namespace platform::sdl
