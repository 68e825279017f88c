// blit_reference.cpp - the plain, always-correct pixel loops: one pixel at a
// time through LoadPixel/StorePixel, for every pixel size. The fast loops
// must give exactly these results.
#include "platform/surface/blit.h"

namespace platform::blit::reference {

void Copy(const Pixels& dest, int dx, int dy, const Pixels& source, int sx, int sy, int w,
          int h) {
  const int bpp = dest.bytesPerPixel;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      StorePixel(dest.At(dx + i, dy + j), bpp, LoadPixel(source.At(sx + i, sy + j), bpp));
}

void CopyKeyed(const Pixels& dest, int dx, int dy, const Pixels& source, int sx, int sy, int w,
               int h, DWORD key) {
  const int bpp = dest.bytesPerPixel;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      const DWORD v = LoadPixel(source.At(sx + i, sy + j), bpp);
      if (v != key) StorePixel(dest.At(dx + i, dy + j), bpp, v);
    }
}

void Fill(const Pixels& dest, int x, int y, int w, int h, DWORD value) {
  const int bpp = dest.bytesPerPixel;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) StorePixel(dest.At(x + i, y + j), bpp, value);
}

void Stretch(const Pixels& dest, const Pixels& source, const StretchJob& job) {
  const int bpp = dest.bytesPerPixel;
  for (int j = 0; j < job.h; ++j) {
    const int sy = job.sy0 + int(std::int64_t(job.j0 + j) * job.sh / job.dh);
    for (int i = 0; i < job.w; ++i) {
      const int sx = job.sx0 + int(std::int64_t(job.i0 + i) * job.sw / job.dw);
      const DWORD v = LoadPixel(source.At(sx, sy), bpp);
      if (!job.keyed || v != job.key) StorePixel(dest.At(job.dx0 + i, job.dy0 + j), bpp, v);
    }
  }
}

}  // namespace platform::blit::reference
