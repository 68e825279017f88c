// capture.cpp - a surface rectangle written as a 24-bit bottom-up BMP, each
// channel widened to 8 bits by bit replication (5-bit 31 -> 255), as the
// window shows it.
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/surface/display.h"
#include "platform/headless/headless.h"

namespace platform {

namespace {
struct Channel {
  int shift = 0, bits = 0;
};

Channel FromMask(DWORD mask) {
  Channel c;
  if (!mask) return c;
  while (!(mask & 1)) {
    mask >>= 1;
    ++c.shift;
  }
  while (mask & 1) {
    mask >>= 1;
    ++c.bits;
  }
  return c;
}

BYTE Widen(DWORD pixel, const Channel& c) {
  if (c.bits == 0) return 0;
  const DWORD v = (pixel >> c.shift) & ((1u << c.bits) - 1);
  if (c.bits >= 8) return BYTE(v >> (c.bits - 8));
  DWORD out = 0;
  int filled = 0;
  while (filled < 8) {  // repeat the value's bits from the top down
    out = (out << c.bits) | v;
    filled += c.bits;
  }
  return BYTE(out >> (filled - 8));
}

void PutLe(std::vector<BYTE>& b, size_t at, DWORD v, int bytes) {
  for (int i = 0; i < bytes; ++i) b[at + size_t(i)] = BYTE(v >> (8 * i));
}
}  // namespace

bool WriteSurfaceBmp(Surface& surface, const RECT& source, const std::string& hostPath) {
  RECT r = source;
  if (r.left < 0) r.left = 0;
  if (r.top < 0) r.top = 0;
  if (r.right > LONG(surface.Width())) r.right = LONG(surface.Width());
  if (r.bottom > LONG(surface.Height())) r.bottom = LONG(surface.Height());
  if (r.right <= r.left || r.bottom <= r.top) return false;
  const int w = r.right - r.left, h = r.bottom - r.top;
  const PixelFormat& f = surface.Format();
  const int bytesPerPixel = int(f.bitCount / 8);
  if (bytesPerPixel < 2 || bytesPerPixel > 4) return false;
  const Channel red = FromMask(f.redMask), green = FromMask(f.greenMask),
                blue = FromMask(f.blueMask);

  const size_t rowBytes = (size_t(w) * 3 + 3) & ~size_t(3);
  std::vector<BYTE> file(54 + rowBytes * size_t(h), 0);
  file[0] = 'B';
  file[1] = 'M';
  PutLe(file, 2, DWORD(file.size()), 4);
  PutLe(file, 10, 54, 4);
  PutLe(file, 14, 40, 4);
  PutLe(file, 18, DWORD(w), 4);
  PutLe(file, 22, DWORD(h), 4);
  PutLe(file, 26, 1, 2);
  PutLe(file, 28, 24, 2);
  PutLe(file, 34, DWORD(rowBytes * size_t(h)), 4);

  void* bits = nullptr;
  LONG pitch = 0;
  if (surface.Lock(&bits, &pitch, 0) != 0 || !bits) return false;
  for (int y = 0; y < h; ++y) {
    const BYTE* row = static_cast<const BYTE*>(bits) + ptrdiff_t(r.top + y) * pitch +
                      ptrdiff_t(r.left) * bytesPerPixel;
    BYTE* out = file.data() + 54 + rowBytes * size_t(h - 1 - y);
    for (int x = 0; x < w; ++x) {
      DWORD p = 0;
      std::memcpy(&p, row + x * bytesPerPixel, size_t(bytesPerPixel));
      out[x * 3 + 0] = Widen(p, blue);
      out[x * 3 + 1] = Widen(p, green);
      out[x * 3 + 2] = Widen(p, red);
    }
  }
  surface.Unlock();

  std::FILE* fp = std::fopen(hostPath.c_str(), "wb");
  if (!fp) return false;
  const bool ok = std::fwrite(file.data(), 1, file.size(), fp) == file.size();
  return (std::fclose(fp) == 0) && ok;
}

}  // namespace platform
