// riff_wave_fuzz.cpp - the RIFF WAVE reader and the resource layout on
// arbitrary bytes: no crash, no read outside the input, and an accepted
// image holds no more data than the input did.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/formats/riff_wave.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::WaveImage wave;
  std::string reason;
  if (platform::ParseWave(data, size, &wave, &reason)) {
    if (wave.format.size() < 18 || wave.data.size() > size) std::abort();
  } else if (!wave.format.empty() || !wave.data.empty()) {
    std::abort();
  }
  if (platform::ParseCanonicalWave(data, size, &wave) && wave.data.size() + 44 > size) std::abort();
  return 0;
}
