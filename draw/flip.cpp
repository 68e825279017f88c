// flip.cpp - software copy of an object mirrored left-right, upside down,
// or both, into the back buffer within the clip window. Source pixels of
// value 0 are transparent (the object's colour key plays no part).
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "draw/draw.h"
#include "draw/draw_internal.h"

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
// and the visible range to the clip window and the back buffer. False when
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
  const RECT& clip = ClipWindow;
  const I64 x0 = std::max<I64>({plan->x, clip.left, 0});
  const I64 y0 = std::max<I64>({plan->y, clip.top, 0});
  const I64 x1 = std::min<I64>({plan->x + newRight - newLeft, clip.right, BackBuffer->Width()});
  const I64 y1 = std::min<I64>({plan->y + newBottom - newTop, clip.bottom, BackBuffer->Height()});
  if (x0 >= x1 || y0 >= y1) return false;
  // Inside the back buffer now: ints again.
  plan->x0 = int(x0), plan->x1 = int(x1), plan->y0 = int(y0), plan->y1 = int(y1);
  return true;
}

// Copies the visible range, pixels of `Pixel` width; zero pixels skipped.
template <class Pixel>
void CopyFlipped(const FlipPlan& p, int mode, const BYTE* source, LONG sourcePitch, BYTE* dest,
                 LONG destPitch) {
  for (int dy = p.y0; dy < p.y1; ++dy) {
    const int sy = int((mode & 2) ? p.bottom - 1 - (dy - p.y) : p.top + (dy - p.y));
    const auto* from = reinterpret_cast<const Pixel*>(source + LONG(sy) * sourcePitch);
    auto* to = reinterpret_cast<Pixel*>(dest + LONG(dy) * destPitch);
    for (int dx = p.x0; dx < p.x1; ++dx) {
      const int sx = int((mode & 1) ? p.right - 1 - (dx - p.x) : p.left + (dx - p.x));
      const Pixel value = from[sx];
      if (value != 0) to[dx] = value;
    }
  }
}

// 24-bit pixels: three bytes each.
void CopyFlipped24(const FlipPlan& p, int mode, const BYTE* source, LONG sourcePitch,
                   BYTE* dest, LONG destPitch) {
  for (int dy = p.y0; dy < p.y1; ++dy) {
    const int sy = int((mode & 2) ? p.bottom - 1 - (dy - p.y) : p.top + (dy - p.y));
    const BYTE* from = source + LONG(sy) * sourcePitch;
    BYTE* to = dest + LONG(dy) * destPitch;
    for (int dx = p.x0; dx < p.x1; ++dx) {
      const int sx = int((mode & 1) ? p.right - 1 - (dx - p.x) : p.left + (dx - p.x));
      const BYTE* pixel = from + 3 * sx;
      if (pixel[0] | pixel[1] | pixel[2]) std::memcpy(to + 3 * dx, pixel, 3);
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

  void* sourceBits = nullptr;
  void* destBits = nullptr;
  LONG sourcePitch = 0, destPitch = 0;
  if (object->Lock(&sourceBits, &sourcePitch, DDLOCK_WAIT) != DD_OK) return 0;
  if (BackBuffer->Lock(&destBits, &destPitch, DDLOCK_WAIT) != DD_OK) {
    object->Unlock();
    return 0;
  }
  const auto* source = static_cast<const BYTE*>(sourceBits);
  auto* dest = static_cast<BYTE*>(destBits);
  const DWORD bits = BackBuffer->Format().bitCount;
  if (bits == object->Format().bitCount) {
    if (bits == 16)
      CopyFlipped<std::uint16_t>(plan, mode, source, sourcePitch, dest, destPitch);
    else if (bits == 32)
      CopyFlipped<std::uint32_t>(plan, mode, source, sourcePitch, dest, destPitch);
    else if (bits == 24)
      CopyFlipped24(plan, mode, source, sourcePitch, dest, destPitch);
  }
  object->Unlock();
  BackBuffer->Unlock();
  return 1;
}

}  // namespace ruDraw
