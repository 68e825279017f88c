// screen_bmp.cpp - the capture header, every field little-endian.
#include "platform/formats/screen_bmp.h"

namespace platform::screenbmp {

namespace {

void Put16(unsigned char* p, std::uint32_t v) {
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
}
void Put32(unsigned char* p, std::uint32_t v) {
  Put16(p, v);
  Put16(p + 2, v >> 16);
}

}  // namespace

std::array<unsigned char, kHeaderBytes> Header(std::uint32_t width, std::uint32_t height) {
  constexpr std::uint32_t kPixelsPerMetre = 2834;
  const std::uint32_t image = Stride(width) * height;
  std::array<unsigned char, kHeaderBytes> h{};
  h[0] = 'B';
  h[1] = 'M';
  Put32(&h[2], kHeaderBytes + image);
  Put32(&h[10], kHeaderBytes);  // pixel data follows the header
  Put32(&h[14], 40);
  Put32(&h[18], width);
  Put32(&h[22], height);  // positive: the bottom row comes first
  Put16(&h[26], 1);
  Put16(&h[28], 24);
  Put32(&h[34], image);
  Put32(&h[38], kPixelsPerMetre);
  Put32(&h[42], kPixelsPerMetre);
  return h;  // compression, colour counts and the colour entry stay 0
}

}  // namespace platform::screenbmp
