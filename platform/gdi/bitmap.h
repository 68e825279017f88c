// bitmap.h - decoded Windows bitmaps (LoadImageA with LR_CREATEDIBSECTION).
//
// BMP files and bitmap resources decode into 32-bit 0x00RRGGBB pixels, top
// row first. Every decoder treats its input as hostile: bounded reads,
// checked sizes, a reason on failure, never a crash.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"

namespace platform {

// The BITMAP record (GetObjectA on a bitmap).
struct BITMAP {
  LONG bmType, bmWidth, bmHeight, bmWidthBytes;
  WORD bmPlanes, bmBitsPixel;
  void* bmBits;
};

class Bitmap final : public GdiObject {
 public:
  Bitmap(int width, int height);
  Kind GetKind() const override { return Kind::Bitmap; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  std::uint32_t* Row(int y) { return pixels_.data() + size_t(y) * width_; }
  const std::uint32_t* Row(int y) const { return pixels_.data() + size_t(y) * width_; }
  // The bits per pixel of the file it came from (GetObjectA's bmBitsPixel).
  int sourceBits = 32;
  void GetObject(BITMAP* out);

 private:
  int width_, height_;
  std::vector<std::uint32_t> pixels_;
};

// Largest width or height a bitmap (and an object surface) may have; larger
// files are refused.
constexpr int kMaxBitmapSide = 8192;
// Largest pixel count (width x height) a bitmap may have: 4096 x 4096, 64 MB
// decoded. A run-length file of a few bytes can claim this size, so the
// bound is what a hostile file can make the loader allocate.
constexpr std::int64_t kMaxBitmapPixels = std::int64_t(4096) * 4096;

// Decodes a BMP file image held in memory; nullptr and a reason on failure.
Bitmap* DecodeBmp(const unsigned char* data, size_t size, std::string* error);
// Loads a BMP file by library path; nullptr and a reason on failure: why
// the file cannot be read ("no such file", "is a directory", "file too
// large"...) or why its contents are refused ("BMP: pixel data cut short").
Bitmap* LoadBitmapFile(const std::string& libraryPath, std::string* error);
// Loads a bitmap resource of the program; nullptr if there is none.
Bitmap* LoadBitmapResource(const char* name);

}  // namespace platform
