// sound_bench.cpp - the mixer against SDL2's SDL_MixAudioFormat: 32
// playing 16-bit stereo 44100 Hz voices, each at its own volume (and, for
// ours, its own pan), mixed into 10 ms of 16-bit stereo 44100 Hz output per
// iteration. SDL's mixer has no pan, so the peer mixes each voice at its
// volume alone. Also the mixer with every voice at a different frequency
// (resampled), without a peer. Items are output samples.
//
// Run: sound_bench --benchmark_enable_random_interleaving=true
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "platform/audio/mixer.h"
#include "platform/headless/headless.h"

namespace {

constexpr int kVoices = 32;
constexpr int kRate = 44100;
constexpr int kVoiceFrames = kRate;       // one second each, looping
constexpr int kOutFrames = kRate / 100;   // 10 ms

struct Voices {
  std::vector<std::vector<std::int16_t>> pcm;
  std::vector<LONG> volume, pan;
};

const Voices& Data() {
  static const Voices voices = [] {
    Voices v;
    std::mt19937 rng(12);
    std::uniform_int_distribution<int> sample(-12000, 12000), vol(-2000, 0), pan(-5000, 5000);
    for (int i = 0; i < kVoices; ++i) {
      std::vector<std::int16_t> pcm(kVoiceFrames * 2);
      for (auto& s : pcm) s = std::int16_t(sample(rng));
      v.pcm.push_back(std::move(pcm));
      v.volume.push_back(vol(rng));
      v.pan.push_back(pan(rng));
    }
    return v;
  }();
  return voices;
}

// The mixer with 32 looping buffers playing; `resampled`: voice i at
// 44100 + 37 i Hz.
struct MixerSetup {
  platform::SoundDevice* device = nullptr;
  platform::PrimaryBuffer* primary = nullptr;

  explicit MixerSetup(bool resampled) {
    platform::SetBackend(std::make_unique<platform::HeadlessBackend>(platform::HeadlessOptions{}));
    platform::SoundDevice::Create(&device);
    DSBUFFERDESC pd;
    pd.dwFlags = DSBCAPS_PRIMARYBUFFER;
    device->CreatePrimaryBuffer(&pd, &primary);
    const WAVEFORMATEX f{WAVE_FORMAT_PCM, 2, kRate, kRate * 4, 4, 16, 0};
    primary->SetFormat(&f);
    const Voices& v = Data();
    for (int i = 0; i < kVoices; ++i) {
      DSBUFFERDESC d;
      d.dwBufferBytes = kVoiceFrames * 4;
      d.lpwfxFormat = &f;
      platform::SoundBuffer* b = nullptr;
      device->CreateSoundBuffer(&d, &b);
      void *p1, *p2;
      DWORD n1, n2;
      b->Lock(0, d.dwBufferBytes, &p1, &n1, &p2, &n2);
      std::memcpy(p1, v.pcm[i].data(), n1);
      b->SetVolume(v.volume[i]);
      b->SetPan(v.pan[i]);
      if (resampled) b->SetFrequency(kRate + 37 * (i + 1));
      b->Play(0, 0, DSBPLAY_LOOPING);
    }
  }
  ~MixerSetup() {
    primary->Release();
    device->Release();
  }
};

void RunMixer(benchmark::State& state, bool resampled) {
  MixerSetup setup(resampled);
  std::vector<std::int16_t> out(kOutFrames * 2);
  for (auto _ : state) {
    platform::MixAudio(reinterpret_cast<BYTE*>(out.data()), out.size() * 2);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * kOutFrames * 2);
}

void BM_Mix_32Voices(benchmark::State& state) { RunMixer(state, false); }
void BM_Mix_32Voices_Resampled(benchmark::State& state) { RunMixer(state, true); }

// SDL's volume is 0..128: the same gain as 10^(v/2000).
void BM_SDL_MixAudioFormat_32Voices(benchmark::State& state) {
  const Voices& v = Data();
  std::vector<int> volume;
  for (LONG vol : v.volume) volume.push_back(platform::VolumeToGain(vol) * 128 / 32768);
  std::vector<std::int16_t> out(kOutFrames * 2);
  std::size_t pos = 0;  // frame of every voice, looping
  for (auto _ : state) {
    std::memset(out.data(), 0, out.size() * 2);
    for (int i = 0; i < kVoices; ++i) {
      std::size_t done = 0;
      while (done < kOutFrames) {
        const std::size_t at = (pos + done) % kVoiceFrames;
        const std::size_t n = std::min<std::size_t>(kOutFrames - done, kVoiceFrames - at);
        SDL_MixAudioFormat(reinterpret_cast<Uint8*>(out.data() + done * 2),
                           reinterpret_cast<const Uint8*>(v.pcm[i].data() + at * 2),
                           AUDIO_S16LSB, Uint32(n * 4), volume[i]);
        done += n;
      }
    }
    pos = (pos + kOutFrames) % kVoiceFrames;
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * kOutFrames * 2);
}

}  // namespace

BENCHMARK(BM_Mix_32Voices);
BENCHMARK(BM_SDL_MixAudioFormat_32Voices);
BENCHMARK(BM_Mix_32Voices_Resampled);

BENCHMARK_MAIN();
