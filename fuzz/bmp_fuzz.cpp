// bmp_fuzz.cpp - libFuzzer target for the BMP decoder: any input must give
// a bitmap or a reason, never a crash, an overrun or a runaway allocation.
// Seeds: fuzz/corpus/bmp/ (one tiny file per format variant).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/gdi/bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string error;
  std::unique_ptr<platform::Bitmap> bitmap(platform::DecodeBmp(data, size, &error));
  if (!bitmap) {
    if (error.empty()) __builtin_trap();  // every refusal gives a reason
    return 0;
  }
  // Touch an even sample of at most kMaxTouched pixels, the last one always,
  // so that a short buffer shows up under the sanitizers while the fuzzing
  // time goes to the parser, not to reading large pictures back.
  constexpr std::int64_t kMaxTouched = 4096;
  const std::int64_t width = bitmap->Width(), total = width * bitmap->Height();
  const std::int64_t step = total / kMaxTouched + 1;
  std::uint32_t bits = bitmap->Row(int(total / width) - 1)[width - 1];
  for (std::int64_t i = 0; i < total; i += step) bits |= bitmap->Row(int(i / width))[i % width];
  if (bits & 0xFF000000u) __builtin_trap();  // pixels are 0x00RRGGBB
  return 0;
}
