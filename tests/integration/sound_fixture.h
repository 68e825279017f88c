// sound_fixture.h - the sound module on a fresh headless backend whose
// sink writes a WAVE file; frame steps advance the clock and the mix, and
// the written samples are read back for measuring.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/os/resources.h"
#include "sound/sound.h"
#include "system/system.h"
#include "tests/support/headless_run.h"
#include "tests/support/wave_bytes.h"

namespace soundtest {

constexpr int kFrameMs = 10;
constexpr int kFramesPerStep = 441;  // 10 ms at 44100 Hz

struct Samples {
  std::vector<std::int16_t> left, right;
};

class SoundFixture : public testing::Test {
 protected:
  void SetUp() override { Start(true); }
  void TearDown() override { ruSound::ExitSound(); }

  void Start(bool device) {
    ruSound::ExitSound();
    // A beep of an earlier test may still be sounding: let it end.
    std::vector<BYTE> drain(44100 * 4);
    platform::MixAudio(drain.data(), drain.size());
    dir_ = headless_run::ScratchDir("sound");
    out_ = dir_ + "/out.wav";
    platform::HeadlessOptions o;
    o.frameMs = kFrameMs;
    o.audioDevice = device;
    o.audioOut = out_;
    backend_ = &headless_run::FreshSystem(o);
    ruSound::InitSound();
    ruSound::InitSoundSlots();
  }
  void Steps(int n) {
    for (int i = 0; i < n; ++i) backend_->OnFrameStep();
  }
  // Registers a resource (canonical WAVE) under `name` and loads it.
  int LoadBytes(const char* name, const std::vector<unsigned char>& wave, int mix = 1) {
    keep_.push_back(wave);
    platform::RegisterResource(platform::ResourceType::Wave, name, keep_.back().data(),
                               keep_.back().size());
    return ruSound::LoadObject(name, mix);
  }
  // A 1 kHz tone of `ms` milliseconds, 16-bit mono at `rate`.
  int LoadTone(const char* name, int ms, int mix = 1, int rate = 44100, double hz = 1000) {
    return LoadBytes(name, wavetest::Wave(1, rate, 16, wavetest::Sine16(hz, rate * ms / 1000, rate,
                                                                        16000)),
                     mix);
  }
  Samples Read() const {
    std::ifstream in(out_, std::ios::binary);
    std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)), {});
    Samples s;
    for (size_t i = 44; i + 3 < b.size(); i += 4) {
      s.left.push_back(std::int16_t(b[i] | b[i + 1] << 8));
      s.right.push_back(std::int16_t(b[i + 2] | b[i + 3] << 8));
    }
    return s;
  }
  std::string LastBox() const {
    return backend_->MessageBoxes().empty() ? "" : backend_->MessageBoxes().back().text;
  }

  platform::HeadlessBackend* backend_ = nullptr;
  std::string dir_, out_;
  std::vector<std::vector<unsigned char>> keep_;
};

// First and one-past-last index whose magnitude exceeds `threshold`; -1s if none.
inline std::pair<long, long> Extent(const std::vector<std::int16_t>& v, int threshold = 200) {
  long first = -1, last = -1;
  for (size_t i = 0; i < v.size(); ++i)
    if (std::abs(v[i]) > threshold) {
      if (first < 0) first = long(i);
      last = long(i) + 1;
    }
  return {first, last};
}

inline int Peak(const std::vector<std::int16_t>& v, size_t from, size_t to) {
  int peak = 0;
  for (size_t i = from; i < to && i < v.size(); ++i) peak = std::max(peak, std::abs(int(v[i])));
  return peak;
}

}  // namespace soundtest
