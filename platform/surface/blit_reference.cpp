// blit_reference.cpp - the plain, always-correct pixel loops: one pixel at a
// time through pixel::Load/Store, for every pixel size. The fast loops
// must give exactly these results.
#include "platform/surface/blit.h"

namespace platform::blit::reference {

void Copy(const pixel::Rows& dest, int dx, int dy, const pixel::Rows& source, int sx, int sy,
          int w, int h) {
  const int bpp = dest.bytesPerPixel;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      pixel::Store(dest.At(dx + i, dy + j), bpp, pixel::Load(source.At(sx + i, sy + j), bpp));
}

void CopyKeyed(const pixel::Rows& dest, int dx, int dy, const pixel::Rows& source, int sx,
               int sy, int w, int h, DWORD key) {
  const int bpp = dest.bytesPerPixel;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      const DWORD v = pixel::Load(source.At(sx + i, sy + j), bpp);
      if (v != key) pixel::Store(dest.At(dx + i, dy + j), bpp, v);
    }
}

void Fill(const pixel::Rows& dest, int x, int y, int w, int h, DWORD value) {
  const int bpp = dest.bytesPerPixel;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) pixel::Store(dest.At(x + i, y + j), bpp, value);
}

void Stretch(const pixel::Rows& dest, const pixel::Rows& source, const StretchJob& job) {
  for (int j = 0; j < job.h; ++j) {
    const int sy = job.sy0 + int(std::int64_t(job.j0 + j) * job.sh / job.dh);
    for (int i = 0; i < job.w; ++i) {
      const int sx = job.sx0 + int(std::int64_t(job.i0 + i) * job.sw / job.dw);
      DWORD v = source.Get(sx, sy);
      if (job.keyed && v == job.key) continue;
      if (job.convert) v = pixel::FromColorref(pixel::ToColorrefGdi(v, job.from), job.to);
      dest.Set(job.dx0 + i, job.dy0 + j, v);
    }
  }
}

}  // namespace platform::blit::reference
