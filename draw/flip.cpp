// flip.cpp - software copy of an object mirrored left-right, upside down,
// or both, into the back buffer within the clip window. Source pixels of
// value 0 are transparent (the object's colour key plays no part).
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "draw/draw.h"
#include "draw/draw_internal.h"
#include "draw/locked_frame.h"

namespace ruDraw {

namespace {

// The picture's placement after clipping: its source rectangle, its
// unclipped top-left corner (x, y; wide, as any int arguments may push it
// past int) and the visible back-buffer range.
struct FlipPlan {
  int left, top, right, bottom;
  std::int64_t x, y;
  int x0, x1, y0, y1;  // visible columns [x0, x1), rows [y0, y1)
};

// Cuts the source to the surface (the picture keeps its place on screen)
// and the visible range to the clip window on the back buffer. False when
// nothing is visible.
bool PlanFlip(const platform::Surface* source, int x, int y, int mode, int left, int top,
              int right, int bottom, FlipPlan* plan) {
  using I64 = std::int64_t;
  const int newLeft = std::max(left, 0), newTop = std::max(top, 0);
  const int newRight = std::min(right, int(source->Width()));
  const int newBottom = std::min(bottom, int(source->Height()));
  if (newRight <= newLeft || newBottom <= newTop) return false;
  plan->x = (mode & 1) ? I64(x) + (I64(right) - newRight) : I64(x) + (newLeft - I64(left));
  plan->y = (mode & 2) ? I64(y) + (I64(bottom) - newBottom) : I64(y) + (newTop - I64(top));
  plan->left = newLeft, plan->top = newTop, plan->right = newRight, plan->bottom = newBottom;
  const RECT clip = EffectiveClip();
  const I64 x0 = std::max<I64>(plan->x, clip.left), y0 = std::max<I64>(plan->y, clip.top);
  const I64 x1 = std::min<I64>(plan->x + newRight - newLeft, clip.right);
  const I64 y1 = std::min<I64>(plan->y + newBottom - newTop, clip.bottom);
  if (x0 >= x1 || y0 >= y1) return false;
  // Inside the back buffer now: ints again.
  plan->x0 = int(x0), plan->x1 = int(x1), plan->y0 = int(y0), plan->y1 = int(y1);
  return true;
}

// Copies the visible range, pixels of `Pixel` width; zero pixels skipped.
template <class Pixel>
void CopyFlipped(const FlipPlan& p, int mode, const platform::pixel::Rows& source,
                 const platform::pixel::Rows& dest) {
  for (int dy = p.y0; dy < p.y1; ++dy) {
    const int sy = int((mode & 2) ? p.bottom - 1 - (dy - p.y) : p.top + (dy - p.y));
    const Pixel* from = source.Row<const Pixel>(sy);
    Pixel* to = dest.Row<Pixel>(dy);
    for (int dx = p.x0; dx < p.x1; ++dx) {
      const int sx = int((mode & 1) ? p.right - 1 - (dx - p.x) : p.left + (dx - p.x));
      const Pixel value = from[sx];
      if (value != 0) to[dx] = value;
    }
  }
}

// 24-bit pixels: three bytes each.
void CopyFlipped24(const FlipPlan& p, int mode, const platform::pixel::Rows& source,
                   const platform::pixel::Rows& dest) {
  for (int dy = p.y0; dy < p.y1; ++dy) {
    const int sy = int((mode & 2) ? p.bottom - 1 - (dy - p.y) : p.top + (dy - p.y));
    for (int dx = p.x0; dx < p.x1; ++dx) {
      const int sx = int((mode & 1) ? p.right - 1 - (dx - p.x) : p.left + (dx - p.x));
      const BYTE* pixel = source.At(sx, sy);
      if (pixel[0] | pixel[1] | pixel[2]) std::memcpy(dest.At(dx, dy), pixel, 3);
    }
  }
}

}  // namespace

int DrawFlip(int x, int y, int mode, int objectNo, int left, int top, int right, int bottom) {
  if (!BackBuffer || !HasSurface(objectNo)) return 0;
  platform::Surface* object = Objects[objectNo].surface;
  mode &= 3;
  FlipPlan plan;
  if (!PlanFlip(object, x, y, mode, left, top, right, bottom, &plan)) return 1;

  platform::pixel::Rows source, dest;
  if (LockPair(object, &source, &dest) != DD_OK) return 0;
  const DWORD bits = BackBuffer->Format().bitCount;
  if (bits == object->Format().bitCount) {
    if (bits == 16)
      CopyFlipped<std::uint16_t>(plan, mode, source, dest);
    else if (bits == 32)
      CopyFlipped<std::uint32_t>(plan, mode, source, dest);
    else if (bits == 24)
      CopyFlipped24(plan, mode, source, dest);
  }
  UnlockPair(object);
  return 1;
}

}  // namespace ruDraw
