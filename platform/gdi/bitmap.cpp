// bitmap.cpp - the decoded bitmap object (0x00RRGGBB rows) and its BITMAP
// record.
#include "platform/gdi/bitmap.h"

namespace platform {

Bitmap::Bitmap(int width, int height)
    : width_(width), height_(height), pixels_(size_t(width) * size_t(height)) {}

void Bitmap::GetObject(BITMAP* out) {
  out->bmType = 0;
  out->bmWidth = width_;
  out->bmHeight = height_;
  out->bmWidthBytes = width_ * 4;
  out->bmPlanes = 1;
  out->bmBitsPixel = WORD(sourceBits);
  out->bmBits = pixels_.data();
}

}  // namespace platform
