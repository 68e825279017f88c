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
  // Touch every pixel so that a short buffer shows up under the sanitizers.
  std::uint32_t bits = 0;
  for (int y = 0; y < bitmap->Height(); ++y)
    for (int x = 0; x < bitmap->Width(); ++x) bits |= bitmap->Row(y)[x];
  if (bits & 0xFF000000u) __builtin_trap();  // pixels are 0x00RRGGBB
  return 0;
}
