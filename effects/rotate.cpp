// rotate.cpp - rotations of an object into a destination rectangle: plain,
// tiled, zoomed, zoomed and tiled, and the floor whose zooms change from row
// to row. Source positions step by SineTable's sine and cosine (scaled by
// 360) and are divided by 360 with truncation toward zero.
//
// The reference walk computes each pixel's source position straight from
// the rule. The fast walk maps the quotient u / 360 through a per-call table
// of source columns (and v / 360 through one of source row offsets), so the
// zoom's float division and the tiles' modulo run once per distinct
// quotient instead of once per pixel; the floor, whose zoom changes every
// row, divides per pixel and replaces the modulo by a multiplication.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "effects/effect_frame.h"
#include "effects/effects_internal.h"
#include "platform/surface/blit.h"

namespace ruDraw {

using namespace fx;

namespace {

using I64 = std::int64_t;

enum Kind { kPlain, kTile, kZoom, kZoomTile, kFloor };

struct Rotation {
  Kind kind = kPlain;
  int sinA = 0, cosA = 360;
  float zoomX = 1, stepX = 0, zoomY = 1, stepY = 0;
  float factor[3] = {1, 1, 1};
  I64 offX = 0, offY = 0;
  I64 uStart = 0, vStart = 0;  // at column 0 of row 0
  I64 U(I64 i, I64 j) const { return uStart - j * sinA + i * cosA; }
  I64 V(I64 i, I64 j) const { return vStart + j * cosA + i * sinA; }
};

// trunc(v) when it fits an int.
bool TruncFits(float v, int* out) {
  if (!(v > -2147483648.0f && v < 2147483648.0f)) return false;
  *out = int(v);
  return true;
}

// The source coordinate for n = u / 360 - offset along an extent of `size`,
// or -1 where the position maps outside the source.
int MapCoord(Kind kind, I64 n, float zoom, int size) {
  int z = 0;
  switch (kind) {
    case kPlain:
      return n >= 0 && n < size ? int(n) : -1;
    case kTile:
      return int(std::llabs(n) % size);
    case kZoom:
      if (!TruncFits(float(n) / zoom, &z)) return -1;
      return z >= 0 && z < size ? z : -1;
    default:
      if (!TruncFits(float(n) / zoom, &z)) return -1;
      return int(std::llabs(z) % size);
  }
}

// Each 5-bit channel times its factor, truncated and held to 0..31.
Pixel Tint(Pixel p, const float factor[3]) {
  const Rgb5& c = RgbTable[p];
  return Pack5(TruncClamp(float(c.red) * factor[0], 31), TruncClamp(float(c.green) * factor[1], 31),
               TruncClamp(float(c.blue) * factor[2], 31));
}

// The lowest and highest u / 360 (or v / 360) over the written range: the
// quotient is monotonic in u, and u is linear in the column and row, so the
// extremes lie at the range's corners.
struct QuotientRange {
  I64 lo, hi;
};
template <class F>
QuotientRange Quotients(const LockedRect& a, F coord) {
  const I64 is[2] = {a.colBegin, std::max(a.colBegin, a.colEnd - 1)};
  const I64 js[2] = {a.rowBegin, std::max(a.rowBegin, a.rowEnd - 1)};
  QuotientRange q{INT64_MAX, INT64_MIN};
  for (I64 i : is)
    for (I64 j : js) {
      const I64 v = coord(i, j) / 360;
      q.lo = std::min(q.lo, v), q.hi = std::max(q.hi, v);
    }
  return q;
}

// False when a zoom would divide by zero or give a coordinate beyond int.
bool ZoomFits(float zoom, I64 maxAbs) {
  return zoom != 0.0f && float(maxAbs) / std::fabs(zoom) < 2147483648.0f;
}
I64 MaxAbs(QuotientRange q, I64 off) {
  return std::max(std::llabs(q.lo - off), std::llabs(q.hi - off));
}

// Fills the per-call geometry; false when the zooms leave nothing drawable.
bool Prepare(const LockedRect& a, Rotation* r) {
  const I64 w = a.width, h = a.height, hw = w >> 1, hh = h >> 1;
  I64 zoomedW = a.sourceWidth, zoomedH = a.sourceHeight;
  if (r->kind == kZoom) {
    int zw = 0, zh = 0;
    if (!TruncFits(float(a.sourceWidth) * r->zoomX, &zw) ||
        !TruncFits(float(a.sourceHeight) * r->zoomX, &zh))
      return false;
    zoomedW = zw, zoomedH = zh;
  }
  r->offX = (w - zoomedW) >> 1;
  r->offY = (h - zoomedH) >> 1;
  r->uStart = 360 * hw - hw * r->cosA + hh * r->sinA;
  r->vStart = 360 * hh - hw * r->sinA - hh * r->cosA;
  if (r->kind == kPlain || r->kind == kTile) return true;
  const I64 maxX = MaxAbs(Quotients(a, [r](I64 i, I64 j) { return r->U(i, j); }), r->offX);
  const I64 maxY = MaxAbs(Quotients(a, [r](I64 i, I64 j) { return r->V(i, j); }), r->offY);
  if (r->kind != kFloor) return ZoomFits(r->zoomX, maxX) && ZoomFits(r->zoomX, maxY);
  float zx = r->zoomX, zy = r->zoomY;
  for (int j = 0; j < a.rowEnd; ++j, zx += r->stepX, zy += r->stepY)
    if (j >= a.rowBegin && !(ZoomFits(zx, maxX) && ZoomFits(zy, maxY))) return false;
  return true;
}

void WalkReference(const LockedRect& a, const Rotation& r) {
  float zx = r.zoomX, zy = r.zoomY;
  for (int j = 0; j < a.rowEnd; ++j, zx += r.stepX, zy += r.stepY) {
    if (j < a.rowBegin) continue;
    Pixel* d = Row(a.dest, a.top + j);
    I64 u = r.U(a.colBegin, j), v = r.V(a.colBegin, j);
    for (int i = a.colBegin; i < a.colEnd; ++i, u += r.cosA, v += r.sinA) {
      const int sx = MapCoord(r.kind, u / 360 - r.offX, zx, a.sourceWidth);
      const int sy = MapCoord(r.kind, v / 360 - r.offY, zy, a.sourceHeight);
      if (sx < 0 || sy < 0) continue;
      Pixel p = Row(a.source, sy)[sx];
      if (p == 0) continue;
      if (r.kind == kFloor) p = Tint(p, r.factor);
      d[a.left + i] = p;
    }
  }
}

// ---- fast walks

// The quotient tables: u / 360 - loX indexes a source column, v / 360 - loY
// a source row's byte offset; -1 maps outside. The written range spans at
// most width + height + 1 quotients each way.
constexpr int kTableSize = 2 * kMaxDestination + 2;
int columnOf[kTableSize];
std::int32_t rowOffsetOf[kTableSize];

// The first i in [b, e) for which `pred` holds, or e; `pred` is false and
// then true along the range.
template <class Pred>
int FirstTrue(int b, int e, Pred pred) {
  while (b < e) {
    const int mid = b + (e - b) / 2;
    if (pred(mid))
      e = mid;
    else
      b = mid + 1;
  }
  return b;
}

// The columns i in [b, e) whose quotient (base + i * step) / 360 lies in
// [lo, hi]; the quotient is monotonic in i, so they form one run.
struct Span {
  int begin, end;
};
Span QuotientSpan(I64 base, int step, int b, int e, I64 lo, I64 hi) {
  const auto q = [&](int i) { return (base + I64(i) * step) / 360; };
  int first, last;
  if (step >= 0) {
    first = FirstTrue(b, e, [&](int i) { return q(i) >= lo; });
    last = FirstTrue(b, e, [&](int i) { return q(i) > hi; });
  } else {
    first = FirstTrue(b, e, [&](int i) { return q(i) <= hi; });
    last = FirstTrue(b, e, [&](int i) { return q(i) < lo; });
  }
  return {first, std::max(first, last)};
}

// The run of table entries that map inside the source; false when the
// entries inside do not form one run (the walk then tests every pixel).
template <class T>
bool InsideRun(const T* table, int count, int* lo, int* hi) {
  *lo = 0;
  while (*lo < count && table[*lo] < 0) ++*lo;
  *hi = count - 1;
  while (*hi >= *lo && table[*hi] < 0) --*hi;
  for (int k = *lo; k <= *hi; ++k)
    if (table[k] < 0) return false;
  return true;
}

// The byte offsets in the source of a row's run of n pixels starting at
// (u, v), every one inside the source; a separate pass so that the
// divisions and table reads vectorise.
std::int32_t sourceOffset[kMaxDestination];

inline void SourceOffsetsLoop(int u, int v, int cosA, int sinA, int loX, int loY, int n) {
  for (int k = 0; k < n; ++k)
    sourceOffset[k] =
        rowOffsetOf[(v + k * sinA) / 360 - loY] + 2 * columnOf[(u + k * cosA) / 360 - loX];
}
void SourceOffsetsBase(int u, int v, int cosA, int sinA, int loX, int loY, int n) {
  SourceOffsetsLoop(u, v, cosA, sinA, loX, loY, n);
}
[[gnu::target("avx2")]] void SourceOffsetsAvx2(int u, int v, int cosA, int sinA, int loX, int loY,
                                               int n) {
  SourceOffsetsLoop(u, v, cosA, sinA, loX, loY, n);
}
void SourceOffsets(int u, int v, int cosA, int sinA, int loX, int loY, int n) {
#if defined(__x86_64__) || defined(__i386__)
  if (Avx2Loops()) return SourceOffsetsAvx2(u, v, cosA, sinA, loX, loY, n);
#endif
  SourceOffsetsBase(u, v, cosA, sinA, loX, loY, n);
}

void WalkTables(const LockedRect& a, const Rotation& r) {
  const QuotientRange qx = Quotients(a, [&r](I64 i, I64 j) { return r.U(i, j); });
  const QuotientRange qy = Quotients(a, [&r](I64 i, I64 j) { return r.V(i, j); });
  const int countX = int(qx.hi - qx.lo + 1), countY = int(qy.hi - qy.lo + 1);
  for (int k = 0; k < countX; ++k)
    columnOf[k] = MapCoord(r.kind, qx.lo + k - r.offX, r.zoomX, a.sourceWidth);
  for (int k = 0; k < countY; ++k) {
    const int sy = MapCoord(r.kind, qy.lo + k - r.offY, r.zoomX, a.sourceHeight);
    rowOffsetOf[k] = sy < 0 ? -1 : std::int32_t(sy * a.source.pitch);
  }
  // Each row is walked only over the columns that map inside the source.
  int xLo, xHi, yLo, yHi;
  const bool runs =
      InsideRun(columnOf, countX, &xLo, &xHi) && InsideRun(rowOffsetOf, countY, &yLo, &yHi);
  if (runs && (xLo > xHi || yLo > yHi)) return;
  const BYTE* base = a.source.bits;
  // Coordinates stay far inside int: the rectangle is at most 2^16 wide.
  const int loX = int(qx.lo), loY = int(qy.lo), cosA = r.cosA, sinA = r.sinA;
  for (int j = a.rowBegin; j < a.rowEnd; ++j) {
    Pixel* d = Row(a.dest, a.top + j) + a.left;
    const I64 u0 = r.U(0, j), v0 = r.V(0, j);
    Span span{a.colBegin, a.colEnd};
    if (runs) {
      const Span sx = QuotientSpan(u0, cosA, a.colBegin, a.colEnd, qx.lo + xLo, qx.lo + xHi);
      const Span sy = QuotientSpan(v0, sinA, sx.begin, sx.end, qy.lo + yLo, qy.lo + yHi);
      span = sy;
    }
    int u = int(u0 + I64(span.begin) * cosA), v = int(v0 + I64(span.begin) * sinA);
    if (runs) {
      const int n = span.end - span.begin;
      SourceOffsets(u, v, cosA, sinA, loX, loY, n);
      for (int k = 0; k < n; ++k) {
        const Pixel p = *reinterpret_cast<const Pixel*>(base + sourceOffset[k]);
        if (p != 0) d[span.begin + k] = p;
      }
      continue;
    }
    for (int i = span.begin; i < span.end; ++i, u += cosA, v += sinA) {
      const int sx = columnOf[u / 360 - loX];
      const std::int32_t row = rowOffsetOf[v / 360 - loY];
      if ((sx | row) < 0) continue;
      const Pixel p = *reinterpret_cast<const Pixel*>(base + row + 2 * sx);
      if (p != 0) d[i] = p;
    }
  }
}

// a % d for 32-bit a and d >= 1 through one multiplication by a 64-bit
// reciprocal; exact for every such a and d.
struct FastMod {
  std::uint64_t m;
  std::uint32_t d;
  explicit FastMod(std::uint32_t divisor) : m(~std::uint64_t(0) / divisor + 1), d(divisor) {}
  std::uint32_t operator()(std::uint32_t a) const {
    return std::uint32_t((static_cast<unsigned __int128>(m * a) * d) >> 64);
  }
};

void WalkFloor(const LockedRect& a, const Rotation& r) {
  WORD tint[3][32];
  const WORD shift5[3] = {RedShift5, GreenShift5, BlueShift5};
  for (int ch = 0; ch < 3; ++ch)
    for (int c = 0; c < 32; ++c)
      tint[ch][c] = WORD(TruncClamp(float(c) * r.factor[ch], 31) << shift5[ch]);
  const FastMod modX(std::uint32_t(a.sourceWidth)), modY(std::uint32_t(a.sourceHeight));
  const int offX = int(r.offX), offY = int(r.offY), cosA = r.cosA, sinA = r.sinA;
  float zx = r.zoomX, zy = r.zoomY;
  for (int j = 0; j < a.rowEnd; ++j, zx += r.stepX, zy += r.stepY) {
    if (j < a.rowBegin) continue;
    Pixel* d = Row(a.dest, a.top + j) + a.left;
    int u = int(r.U(a.colBegin, j)), v = int(r.V(a.colBegin, j));
    for (int i = a.colBegin; i < a.colEnd; ++i, u += cosA, v += sinA) {
      // Prepare checked that every quotient fits an int.
      const int zx1 = int(float(u / 360 - offX) / zx), zy1 = int(float(v / 360 - offY) / zy);
      const std::uint32_t sx = modX(std::uint32_t(std::abs(zx1)));
      const std::uint32_t sy = modY(std::uint32_t(std::abs(zy1)));
      const Pixel p = Row(a.source, int(sy))[sx];
      if (p == 0) continue;
      const Rgb5& c = RgbTable[p];
      d[i] = Pixel(tint[0][c.red] | tint[1][c.green] | tint[2][c.blue]);
    }
  }
}

int Rotate(int left, int top, int right, int bottom, int angle, Rotation r, int objectNo,
           int sourceLeft, int sourceTop, int sourceRight, int sourceBottom) {
  if (!Ready(objectNo)) return 0;
  const int a = (angle % 360 + 360) % 360;
  r.sinA = SineTable[a];
  r.cosA = SineTable[a + 90];
  return WithObjectIntoRect(left, top, right, bottom, objectNo, sourceLeft, sourceTop, sourceRight,
                            sourceBottom, [&r](const LockedRect& area) {
                              if (!Prepare(area, &r)) return;
                              if (!platform::blit::FastPathsEnabled())
                                WalkReference(area, r);
                              else if (r.kind == kFloor)
                                WalkFloor(area, r);
                              else
                                WalkTables(area, r);
                            });
}

Rotation Kinded(Kind kind, float zoom = 1.0f) {
  Rotation r;
  r.kind = kind;
  r.zoomX = r.zoomY = zoom;
  return r;
}

}  // namespace


int DrawRotate(int left, int top, int right, int bottom, int angle, int objectNo, int sourceLeft,
               int sourceTop, int sourceRight, int sourceBottom) {
  return Rotate(left, top, right, bottom, angle, Kinded(kPlain), objectNo, sourceLeft, sourceTop,
                sourceRight, sourceBottom);
}

int DrawRotateTile(int left, int top, int right, int bottom, int angle, int objectNo,
                   int sourceLeft, int sourceTop, int sourceRight, int sourceBottom) {
  return Rotate(left, top, right, bottom, angle, Kinded(kTile), objectNo, sourceLeft, sourceTop,
                sourceRight, sourceBottom);
}

int DrawRotateZoom(int left, int top, int right, int bottom, int angle, float zoom, int objectNo,
                   int sourceLeft, int sourceTop, int sourceRight, int sourceBottom) {
  return Rotate(left, top, right, bottom, angle, Kinded(kZoom, zoom), objectNo, sourceLeft,
                sourceTop, sourceRight, sourceBottom);
}

int DrawRotateZoomTile(int left, int top, int right, int bottom, int angle, float zoom,
                       int objectNo, int sourceLeft, int sourceTop, int sourceRight,
                       int sourceBottom) {
  return Rotate(left, top, right, bottom, angle, Kinded(kZoomTile, zoom), objectNo, sourceLeft,
                sourceTop, sourceRight, sourceBottom);
}

int DrawFloor(int left, int top, int right, int bottom, int angle, float xZoom, float xZoomStep,
              float yZoom, float yZoomStep, float redFactor, float greenFactor, float blueFactor,
              int objectNo, int sourceLeft, int sourceTop, int sourceRight, int sourceBottom) {
  Rotation r = Kinded(kFloor);
  r.zoomX = xZoom, r.stepX = xZoomStep, r.zoomY = yZoom, r.stepY = yZoomStep;
  r.factor[0] = redFactor, r.factor[1] = greenFactor, r.factor[2] = blueFactor;
  return Rotate(left, top, right, bottom, angle, r, objectNo, sourceLeft, sourceTop, sourceRight,
                sourceBottom);
}

}  // namespace ruDraw
