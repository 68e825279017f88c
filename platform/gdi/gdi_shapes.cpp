// gdi_shapes.cpp - the GDI rasterizer: rectangles, lines, Bezier curves,
// polygons, pixels, inversion, StretchBlt and GetDeviceCaps on a DC target.
//
// Pixel rules as GDI draws them: a rectangle covers left..right-1 and
// top..bottom-1 including its outline; a one-pixel line omits its end point;
// polygons fill alternate (even-odd) with pixel centres sampled, so left and
// top edges are in and right and bottom edges out. A pen of width w > 1 is a
// round stamp w pixels across centred on the path (w / 2 outwards, the rest
// inwards), so outlines grow both ways. Hatch brushes repeat an 8x8 cell
// aligned to the target's origin. Everything is clipped to the target.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/backend.h"
#include "platform/gdi/bitmap.h"
#include "platform/surface/blit.h"
#include "platform/gdi/gdi.h"

namespace platform {

namespace {

// A DC's target: its rows, and stores clipped to it.
struct Raster {
  const DcTarget& t;
  pixel::Rows rows;
  explicit Raster(const DcTarget& target) : t(target), rows(target.Rows()) {}
  bool Valid() const { return t.bits && rows.bytesPerPixel >= 2 && rows.bytesPerPixel <= 4; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < t.width && y < t.height; }
  void Put(int x, int y, DWORD pixel) const {
    if (Inside(x, y)) rows.Set(x, y, pixel);
  }
  DWORD Get(int x, int y) const { return rows.Get(x, y); }
  // Pixels x0..x1-1 of row y.
  void Span(int y, int x0, int x1, DWORD pixel) const {
    if (y < 0 || y >= t.height) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, t.width);
    for (int x = x0; x < x1; ++x) rows.Set(x, y, pixel);
  }
};

// 8x8 hatch cells, one bit per pixel, bit 7 = leftmost column.
bool HatchBit(int hatch, int x, int y) {
  const int cx = x & 7, cy = y & 7;
  switch (hatch) {
    case HS_HORIZONTAL: return cy == 7;
    case HS_VERTICAL: return cx == 7;
    case HS_FDIAGONAL: return cx == cy;
    case HS_BDIAGONAL: return cx == 7 - cy;
    case HS_CROSS: return cx == 7 || cy == 7;
    default: return cx == cy || cx == 7 - cy;  // HS_DIAGCROSS
  }
}

// Fills spans with the DC's brush: solid, hatched (opaque or transparent
// background) or nothing.
struct BrushFill {
  const Raster& r;
  UINT style;
  int hatch;
  DWORD fore, back;
  bool opaque;
  BrushFill(const Raster& raster, Dc& dc) : r(raster) {
    const Brush* brush = DcAccess::GetBrush(dc);
    style = brush ? brush->style : BS_NULL;
    hatch = brush ? brush->hatch : 0;
    fore = ColorToPixel(brush ? brush->color : 0, r.t.format);
    back = ColorToPixel(DcAccess::BkColor(dc), r.t.format);
    opaque = DcAccess::BkMode(dc) == OPAQUE;
  }
  void Span(int y, int x0, int x1) const {
    if (style == BS_SOLID) return r.Span(y, x0, x1, fore);
    if (style != BS_HATCHED || y < 0 || y >= r.t.height) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, r.t.width);
    for (int x = x0; x < x1; ++x) {
      if (HatchBit(hatch, x, y))
        r.Put(x, y, fore);
      else if (opaque)
        r.Put(x, y, back);
    }
  }
};

// Draws with the DC's pen: width 1 plots single pixels, wider pens a round
// stamp; PS_NULL draws nothing.
struct PenStroke {
  const Raster& r;
  int width;
  bool visible;
  DWORD pixel;
  PenStroke(const Raster& raster, Dc& dc) : r(raster) {
    const Pen* pen = DcAccess::GetPen(dc);
    visible = pen && pen->style != PS_NULL;
    width = pen ? std::max(pen->width, 1) : 1;
    pixel = ColorToPixel(pen ? pen->color : 0, r.t.format);
  }
  // The stamp is walked only where it meets the target (a huge pen costs
  // at most the target's area).
  void Stamp(int x, int y) const {
    if (width == 1) return r.Put(x, y, pixel);
    using I64 = std::int64_t;
    const I64 lo = -(width / 2), hi = (width - 1) / 2, even = width % 2 == 0 ? 1 : 0;
    const I64 reach = I64(width) * width;
    const I64 dy0 = std::max<I64>(lo, -I64(y)), dy1 = std::min<I64>(hi, I64(r.t.height) - 1 - y);
    const I64 dx0 = std::max<I64>(lo, -I64(x)), dx1 = std::min<I64>(hi, I64(r.t.width) - 1 - x);
    for (I64 dy = dy0; dy <= dy1; ++dy)
      for (I64 dx = dx0; dx <= dx1; ++dx) {
        const I64 ex = 2 * dx + even, ey = 2 * dy + even;
        if (ex * ex + ey * ey <= reach) r.Put(int(x + dx), int(y + dy), pixel);
      }
  }
  // A line with an end more than kFar pixels beyond the target is first cut
  // to the target widened by kFar and the pen's reach (64-bit Liang-Barsky,
  // ends rounded), so that no line walks more than a few hundred thousand
  // steps; lines within that distance are walked exactly as given. False
  // when the line misses the widened target.
  bool NearTarget(std::int64_t& x0, std::int64_t& y0, std::int64_t& x1, std::int64_t& y1) const {
    using I64 = std::int64_t;
    constexpr I64 kFar = 1 << 16;
    const I64 margin = kFar + std::min<I64>(width, kFar);
    const double lo[2] = {double(-margin), double(-margin)};
    const double hi[2] = {double(I64(r.t.width) + margin), double(I64(r.t.height) + margin)};
    auto inside = [&](I64 x, I64 y) {
      return x >= -kFar && y >= -kFar && x <= r.t.width + kFar && y <= r.t.height + kFar;
    };
    if (inside(x0, y0) && inside(x1, y1)) return true;
    const double from[2] = {double(x0), double(y0)};
    const double delta[2] = {double(x1 - x0), double(y1 - y0)};
    double t0 = 0, t1 = 1;
    for (int axis = 0; axis < 2; ++axis) {
      const double p[2] = {-delta[axis], delta[axis]};
      const double q[2] = {from[axis] - lo[axis], hi[axis] - from[axis]};
      for (int side = 0; side < 2; ++side) {
        if (p[side] == 0) {
          if (q[side] < 0) return false;
          continue;
        }
        const double t = q[side] / p[side];
        if (p[side] < 0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
      }
    }
    if (t0 > t1) return false;
    const I64 nx0 = std::llround(from[0] + t0 * delta[0]), ny0 = std::llround(from[1] + t0 * delta[1]);
    const I64 nx1 = std::llround(from[0] + t1 * delta[0]), ny1 = std::llround(from[1] + t1 * delta[1]);
    x0 = nx0, y0 = ny0, x1 = nx1, y1 = ny1;
    return true;
  }
  // Bresenham from (x0, y0) to (x1, y1); the end point only for wide pens.
  // A line wholly beside the target is skipped; the walk runs in wide
  // integers so that far-apart ends cannot overflow.
  void Line(int fromX, int fromY, int toX, int toY) const {
    if (!visible) return;
    using I64 = std::int64_t;
    I64 x0 = fromX, y0 = fromY;
    const I64 x1 = toX, y1 = toY, reach = width;
    if (std::max(x0, x1) + reach < 0 || std::min(x0, x1) - reach >= r.t.width ||
        std::max(y0, y1) + reach < 0 || std::min(y0, y1) - reach >= r.t.height)
      return;
    I64 endX = x1, endY = y1;
    if (!NearTarget(x0, y0, endX, endY)) return;
    const I64 dx = endX > x0 ? endX - x0 : x0 - endX, sx = x0 < endX ? 1 : -1;
    const I64 dy = -(endY > y0 ? endY - y0 : y0 - endY), sy = y0 < endY ? 1 : -1;
    I64 err = dx + dy;
    while (x0 != endX || y0 != endY) {
      Stamp(int(x0), int(y0));
      const I64 e2 = 2 * err;
      if (e2 >= dy) err += dy, x0 += sx;
      if (e2 <= dx) err += dx, y0 += sy;
    }
    if (width > 1) Stamp(toX, toY);
  }
};

// Crossing buffer for polygon rows: on the stack for ordinary polygons.
class Crossings {
 public:
  void Clear() { count_ = 0, spill_.clear(); }
  void Add(double x) {
    if (count_ < kInline) fixed_[count_] = x;
    else spill_.push_back(x);
    ++count_;
  }
  // Sorted crossings; valid until the next Clear.
  double* Sorted() {
    if (count_ > kInline) {
      spill_.insert(spill_.begin(), fixed_.begin(), fixed_.end());
      std::sort(spill_.begin(), spill_.end());
      return spill_.data();
    }
    std::sort(fixed_.begin(), fixed_.begin() + count_);
    return fixed_.data();
  }
  int Count() const { return count_; }

 private:
  static constexpr int kInline = 64;
  std::array<double, kInline> fixed_{};
  std::vector<double> spill_;
  int count_ = 0;
};

// Even-odd fill of a closed polygon, pixel centres sampled.
void FillPolygon(const BrushFill& fill, const POINT* p, int count) {
  if (fill.style == BS_NULL || count < 3) return;
  LONG minY = p[0].y, maxY = p[0].y;
  for (int i = 1; i < count; ++i) minY = std::min(minY, p[i].y), maxY = std::max(maxY, p[i].y);
  const int y0 = std::max<LONG>(minY, 0), y1 = std::min<LONG>(maxY, fill.r.t.height);
  Crossings xs;
  for (int y = y0; y < y1; ++y) {
    const double yc = y + 0.5;
    xs.Clear();
    for (int i = 0; i < count; ++i) {
      const POINT a = p[i], b = p[(i + 1) % count];
      if ((a.y <= yc) == (b.y <= yc)) continue;
      xs.Add(a.x + (yc - a.y) * (double(b.x) - a.x) / (double(b.y) - a.y));
    }
    const double* sorted = xs.Sorted();
    for (int k = 0; k + 1 < xs.Count(); k += 2) {
      const double xa = std::clamp(sorted[k], -1.0, double(fill.r.t.width) + 1);
      const double xb = std::clamp(sorted[k + 1], -1.0, double(fill.r.t.width) + 1);
      fill.Span(y, int(std::ceil(xa - 0.5)), int(std::ceil(xb - 0.5)));
    }
  }
}

// A point of the cubic Bezier p0..p3 at t, rounded.
POINT BezierPoint(const POINT* p, double t) {
  const double u = 1 - t, a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
  return {LONG(std::lround(a * p[0].x + b * p[1].x + c * p[2].x + d * p[3].x)),
          LONG(std::lround(a * p[0].y + b * p[1].y + c * p[2].y + d * p[3].y))};
}

}  // namespace

BOOL Dc::Rectangle(int left, int top, int right, int bottom) {
  Raster r(target_);
  if (!r.Valid()) return FALSE;
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  const BrushFill fill(r, *this);
  const PenStroke pen(r, *this);
  // Edges in wide integers, columns cut to just outside the target and rows
  // to the target, so far-off corners neither overflow nor cost time.
  using I64 = std::int64_t;
  const auto cutX = [&r](I64 x) { return int(std::clamp<I64>(x, -1, r.t.width)); };
  const auto rows = [&r](I64 from, I64 to, auto&& draw) {
    for (I64 y = std::max<I64>(from, 0); y < std::min<I64>(to, r.t.height); ++y) draw(int(y));
  };
  if (!pen.visible) {
    rows(top, I64(bottom) - 1, [&](int y) { fill.Span(y, cutX(left), cutX(I64(right) - 1)); });
    return TRUE;
  }
  const I64 w = pen.width;
  const I64 ol = left - w / 2, ot = top - w / 2, orr = right + w / 2, ob = bottom + w / 2;
  const I64 il = ol + w, it = ot + w, ir = orr - w, ib = ob - w;
  rows(it, ib, [&](int y) { fill.Span(y, cutX(il), cutX(ir)); });
  rows(ot, ob, [&](int y) {
    if (y < it || y >= ib || il >= ir) {
      r.Span(y, cutX(ol), cutX(orr), pen.pixel);
    } else {
      r.Span(y, cutX(ol), cutX(il), pen.pixel);
      r.Span(y, cutX(ir), cutX(orr), pen.pixel);
    }
  });
  return TRUE;
}

BOOL Dc::MoveToEx(int x, int y, POINT* old) {
  if (old) *old = position_;
  position_ = POINT{x, y};
  return TRUE;
}

BOOL Dc::LineTo(int x, int y) {
  Raster r(target_);
  if (r.Valid()) PenStroke(r, *this).Line(position_.x, position_.y, x, y);
  position_ = POINT{x, y};
  return r.Valid();
}

BOOL Dc::PolyBezier(const POINT* points, DWORD count) {
  Raster r(target_);
  if (!r.Valid() || !points || count < 4 || (count - 1) % 3 != 0) return FALSE;
  const PenStroke pen(r, *this);
  for (DWORD i = 0; i + 3 < count; i += 3) {
    const POINT* p = points + i;
    // In doubles: control points anywhere in the int range cannot overflow.
    auto length = [](const POINT& a, const POINT& b) {
      return std::hypot(double(b.x) - a.x, double(b.y) - a.y);
    };
    const double span = length(p[0], p[1]) + length(p[1], p[2]) + length(p[2], p[3]);
    const int steps = int(std::clamp(span / 3, 1.0, 512.0));
    POINT from = p[0];
    for (int s = 1; s <= steps; ++s) {
      const POINT to = s == steps ? p[3] : BezierPoint(p, double(s) / steps);
      if (to.x == from.x && to.y == from.y) continue;
      pen.Line(from.x, from.y, to.x, to.y);
      from = to;
    }
  }
  return TRUE;
}

BOOL Dc::Polygon(const POINT* points, int count) {
  Raster r(target_);
  if (!r.Valid() || !points || count < 2) return FALSE;
  FillPolygon(BrushFill(r, *this), points, count);
  const PenStroke pen(r, *this);
  for (int i = 0; i < count; ++i) {
    const POINT a = points[i], b = points[(i + 1) % count];
    pen.Line(a.x, a.y, b.x, b.y);
  }
  return TRUE;
}

COLORREF Dc::SetPixel(int x, int y, COLORREF color) {
  Raster r(target_);
  if (!r.Valid() || !r.Inside(x, y)) return CLR_INVALID;
  const DWORD pixel = ColorToPixel(color & 0xFFFFFF, target_.format);
  r.Put(x, y, pixel);
  return PixelToColor(pixel, target_.format);
}

COLORREF Dc::GetPixel(int x, int y) const {
  Raster r(target_);
  if (!r.Valid() || !r.Inside(x, y)) return CLR_INVALID;
  return PixelToColor(r.Get(x, y), target_.format);
}

BOOL Dc::InvertRect(const RECT* rect) {
  Raster r(target_);
  if (!r.Valid() || !rect) return FALSE;
  const DWORD mask = pixel::LayoutOf(target_.format).White();
  const int x0 = std::max<LONG>(rect->left, 0), x1 = std::min<LONG>(rect->right, target_.width);
  const int y0 = std::max<LONG>(rect->top, 0), y1 = std::min<LONG>(rect->bottom, target_.height);
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) r.Put(x, y, r.Get(x, y) ^ mask);
  return TRUE;
}

BOOL Dc::StretchBlt(int x, int y, int width, int height, Dc* source, int sx, int sy, int sw,
                    int sh, DWORD rop) {
  Raster d(target_);
  if (!source || rop != SRCCOPY || !d.Valid()) return FALSE;
  Raster s(source->target_);
  if (!s.Valid()) return FALSE;
  if (width <= 0 || height <= 0 || sw <= 0 || sh <= 0) return TRUE;
  const PixelFormat& from = source->target_.format;
  const PixelFormat& to = target_.format;
  blit::StretchJob job;
  if (!blit::PlanStretch({x, y, width, height}, target_.width, target_.height,
                         {sx, sy, sw, sh}, source->target_.width, source->target_.height, &job))
    return TRUE;
  job.convert = from.bitCount != to.bitCount || from.redMask != to.redMask ||
                from.greenMask != to.greenMask || from.blueMask != to.blueMask;
  job.from = pixel::LayoutOf(from);
  job.to = pixel::LayoutOf(to);
  blit::Stretch(d.rows, s.rows, job);
  return TRUE;
}

int Dc::GetDeviceCaps(int index) const {
  if (index != BITSPIXEL) return 0;
  if (target_.format.bitCount) return int(target_.format.bitCount);
  return GetBackend().DisplayBitsPerPixel();
}

}  // namespace platform
