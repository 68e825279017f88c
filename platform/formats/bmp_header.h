// bmp_header.h - checking a BMP file image before any decoder sees it
// (platform-internal).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform::bmp {

// The facts of a BMP file that passed CheckBmp.
struct BmpInfo {
  std::uint32_t headerSize = 0;   // info header bytes (12, 40, 52, 56, 108, 124)
  std::int32_t width = 0, height = 0;  // height < 0: rows top-down
  int bitCount = 0;
  std::uint32_t compression = 0;  // 0 RGB, 1 RLE8, 2 RLE4, 3 bit fields
  std::uint32_t paletteColors = 0;
  std::uint32_t pixelOffset = 0;  // bfOffBits
};

constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3;

// Checks the file header, info header, palette, pixel offset and the pixel
// data (row data present in full; an RLE stream that stays inside the
// stored rows). False and a reason when the file must be refused.
bool CheckBmp(const unsigned char* data, size_t size, BmpInfo* info, std::string* error);

// Size in bytes of the file header, info header, masks and palette that a
// bitmap resource (a DIB without file header) needs before its pixels; 0 if
// the DIB's header is unreadable.
size_t DibPixelOffset(const unsigned char* dib, size_t size);

}  // namespace platform::bmp
