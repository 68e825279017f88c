// distort.cpp - the ripple, which moves pixels of the object down by a
// radial wave, and the smear, which repeats one column or row of the object
// to an edge of the screen.
#include <algorithm>
#include <climits>
#include <cmath>

#include "effects/effect_frame.h"

namespace ruDraw {

using namespace fx;

namespace {

// trunc(v) when it fits an int.
bool TruncFits(double v, int* out) {
  if (!(v > -2147483649.0 && v < 2147483648.0)) return false;
  *out = int(v);
  return true;
}

struct Ripple {
  int amplitude, frequency, step;
  float scale, slant;
  float sw, sh;  // the source extent after clipping moved its corner

  // Where the pixel at column cc, row rr of the clipped rectangle lands,
  // relative to the clipped corner; false when beyond int.
  bool Offset(int cc, int rr, int* dx, int* dy) const {
    const float xx = (2.0f / sw) * float(cc) - 1.0f, yy = (2.0f / sh) * float(rr) - 1.0f;
    const double q = (std::cos(std::sqrt(double(xx) * xx + double(yy) * yy) * frequency) *
                          std::exp(double(yy) * yy - double(xx) * xx) +
                      1.0) *
                         amplitude / 2 +
                     rr;
    return TruncFits((float(cc) + float(rr) * slant) * scale, dx) && TruncFits(q * scale, dy);
  }
};

}  // namespace

int DrawRipple(int x, int y, int amplitude, int frequency, int step, float scale, float slant,
               int objectNo, int left, int top, int right, int bottom) {
  if (!Ready(objectNo)) return 0;
  const int surfaceWidth = int(Objects[objectNo].surface->Width());
  const int surfaceHeight = int(Objects[objectNo].surface->Height());
  return WithObjectAtPoint(x, y, objectNo, left, top, right, bottom, [&](const LockedArea& a) {
    const Ripple r{amplitude,
                   frequency,
                   std::max(step, 1),
                   scale,
                   slant,
                   float(std::min(right, surfaceWidth) - a.left),
                   float(std::min(bottom, surfaceHeight) - a.top)};
    if (r.sw <= 0 || r.sh <= 0) return;
    const RECT clip = EffectiveClip();
    for (int rr = 0; rr < a.height; rr += r.step) {
      const Pixel* s = Row(a.source, rr);
      for (int cc = 0; cc < a.width; cc += r.step) {
        int dx = 0, dy = 0;
        if (!r.Offset(cc, rr, &dx, &dy)) continue;
        const long long tx = (long long)a.x + dx, ty = (long long)a.y + dy;
        if (tx < clip.left || tx >= clip.right || ty < clip.top || ty >= clip.bottom) continue;
        Row(a.dest, int(ty - a.y))[tx - a.x] = s[cc];
      }
    }
  });
}

namespace {

// The smear reads the object only inside its surface; positions beyond it
// read as transparent (the rectangle of kinds 0 and 2 reaches the screen's
// edge, past the object).
struct SmearSource {
  platform::pixel::Rows rows;  // (0, 0) at the clipped source corner
  int width, height;           // of the surface from that corner
  bool Inside(int c, int r) const { return c < width && r < height; }
  Pixel At(int c, int r) const { return Inside(c, r) ? Row(rows, r)[c] : Pixel(0); }
};

void SmearRows(const LockedArea& a, const SmearSource& s, int kind, int p) {
  for (int r = 0; r < a.height; ++r) {
    Pixel* d = Row(a.dest, r);
    const int sr = kind == 2 ? std::min(r, p) : kind == 3 ? std::max(r, p) : r;
    for (int c = 0; c < a.width; ++c) {
      const int sc = kind == 0 ? std::min(c, p) : kind == 1 ? std::max(c, p) : c;
      const Pixel v = s.At(sc, sr);
      if (v != 0) d[c] = v;
    }
  }
}

// Kind 1: each row from screen column 0 to the rectangle's left with the
// pixel at column p; kind 3: screen rows 0 to the rectangle's top, across
// its columns, with row p. Transparent or not, clip window or not; the
// back buffer bounds them.
void SmearFill(const LockedArea& a, const platform::pixel::Rows& back, const SmearSource& s,
               int kind, int p) {
  if (kind == 1) {
    const int end = std::min(int(WORD(a.x)), int(BackBuffer->Width()));
    for (int r = 0; r < a.height; ++r) {
      if (!s.Inside(p, r)) continue;
      Pixel* row = Row(back, a.y + r);
      std::fill(row, row + end, s.At(p, r));
    }
  } else if (kind == 3) {
    const int end = std::min(int(WORD(a.y)), int(BackBuffer->Height()));
    for (int r = 0; r < end; ++r) {
      Pixel* row = Row(back, r) + a.x;
      for (int c = 0; c < a.width; ++c)
        if (s.Inside(c, p)) row[c] = s.At(c, p);
    }
  }
}

}  // namespace

int DrawSmear(int x, int y, int kind, WORD position, int objectNo, int left, int top, int right,
              int bottom) {
  if (!Ready(objectNo)) return 0;
  if (kind == 0) right = int(std::max<long long>(INT_MIN, (long long)ScreenWidth - left));
  if (kind == 2) bottom = int(std::max<long long>(INT_MIN, (long long)ScreenHeight - top));
  platform::Surface* surface = Objects[objectNo].surface;
  // Clipped against the clip window only: the object's extent limits the
  // reads instead.
  LockedArea a;
  if (!ClipObjectAtPoint(x, y, left, top, right, bottom, INT_MAX, INT_MAX, &a)) return 1;
  platform::pixel::Rows source, back;
  if (LockPair(surface, &source, &back) != DD_OK) return 0;
  const SmearSource s{
      {source.At(std::min(a.left, int(surface->Width())), std::min(a.top, int(surface->Height()))),
       source.pitch, source.bytesPerPixel},
      int(surface->Width()) - a.left,
      int(surface->Height()) - a.top};
  a.dest = {back.At(a.x, a.y), back.pitch, back.bytesPerPixel};
  if (kind >= 0 && kind <= 3) {
    SmearFill(a, back, s, kind, position);
    SmearRows(a, s, kind, position);
  }
  UnlockPair(surface);
  return 1;
}

}  // namespace ruDraw
