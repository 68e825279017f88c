// locked_frame.cpp - clipping and locking shared by the software pixel
// operations.
#include "draw/locked_frame.h"

#include <algorithm>

namespace ruDraw {

namespace {

platform::pixel::Rows RowsOf(void* bits, LONG pitch, const platform::Surface* surface) {
  return {static_cast<BYTE*>(bits), pitch, int(surface->Format().bitCount / 8)};
}

}  // namespace

RECT EffectiveClip() {
  if (!BackBuffer) return RECT{0, 0, 0, 0};
  const RECT& c = ClipWindow;
  return RECT{std::max<LONG>(c.left, 0), std::max<LONG>(c.top, 0),
              std::min<LONG>(c.right, LONG(BackBuffer->Width())),
              std::min<LONG>(c.bottom, LONG(BackBuffer->Height()))};
}

bool ClipObjectAtPoint(int x, int y, int left, int top, int right, int bottom,
                       int sourceWidth, int sourceHeight, LockedArea* area) {
  // Wide arithmetic: any int arguments clip without overflow.
  using I64 = std::int64_t;
  I64 sx = left, sy = top, dx = x, dy = y;
  I64 sr = std::min<I64>(right, sourceWidth), sb = std::min<I64>(bottom, sourceHeight);
  if (sx < 0) dx -= sx, sx = 0;
  if (sy < 0) dy -= sy, sy = 0;
  I64 width = sr - sx, height = sb - sy;
  const RECT clip = EffectiveClip();
  if (dx + width > clip.right) width = clip.right - dx;
  if (dy + height > clip.bottom) height = clip.bottom - dy;
  if (dx < clip.left) {
    sx += clip.left - dx;
    width -= clip.left - dx;
    dx = clip.left;
  }
  if (dy < clip.top) {
    sy += clip.top - dy;
    height -= clip.top - dy;
    dy = clip.top;
  }
  if (width < 0 || height < 0) return false;
  area->x = int(dx), area->y = int(dy);
  area->left = int(sx), area->top = int(sy);
  area->width = int(width), area->height = int(height);
  return true;
}

bool ClipObjectIntoRect(int left, int top, int right, int bottom, int sourceLeft, int sourceTop,
                        int sourceRight, int sourceBottom, int surfaceWidth, int surfaceHeight,
                        LockedRect* area) {
  using I64 = std::int64_t;
  const I64 width = I64(right) - left, height = I64(bottom) - top;
  const RECT clip = EffectiveClip();
  const I64 colBegin = std::max<I64>(0, clip.left - I64(left));
  const I64 colEnd = std::min<I64>(width, clip.right - I64(left));
  const I64 rowBegin = std::max<I64>(0, clip.top - I64(top));
  const I64 rowEnd = std::min<I64>(height, clip.bottom - I64(top));
  if (colEnd < colBegin || rowEnd < rowBegin) return false;
  if (width > kMaxDestination || height > kMaxDestination) return false;
  const I64 sl = std::max(sourceLeft, 0), st = std::max(sourceTop, 0);
  const I64 sw = std::min(sourceRight, surfaceWidth) - sl;
  const I64 sh = std::min(sourceBottom, surfaceHeight) - st;
  if (sw <= 0 || sh <= 0) return false;
  area->left = left, area->top = top;
  area->width = int(width), area->height = int(height);
  area->sourceWidth = int(sw), area->sourceHeight = int(sh);
  area->colBegin = int(colBegin), area->colEnd = int(colEnd);
  area->rowBegin = int(rowBegin), area->rowEnd = int(rowEnd);
  return true;
}

HRESULT LockPair(platform::Surface* source, platform::pixel::Rows* sourceRows,
                 platform::pixel::Rows* destRows) {
  void* bits = nullptr;
  LONG pitch = 0;
  HRESULT result = source->Lock(&bits, &pitch, DDLOCK_WAIT);
  if (result != DD_OK) return result;
  *sourceRows = RowsOf(bits, pitch, source);
  if (source == BackBuffer) {
    *destRows = *sourceRows;
    return DD_OK;
  }
  result = BackBuffer->Lock(&bits, &pitch, DDLOCK_WAIT);
  if (result != DD_OK) {
    source->Unlock();
    return result;
  }
  *destRows = RowsOf(bits, pitch, BackBuffer);
  return DD_OK;
}

void UnlockPair(platform::Surface* source) {
  source->Unlock();
  if (source != BackBuffer) BackBuffer->Unlock();
}

HRESULT LockBackBuffer(platform::pixel::Rows* rows) {
  void* bits = nullptr;
  LONG pitch = 0;
  const HRESULT result = BackBuffer->Lock(&bits, &pitch, DDLOCK_WAIT);
  if (result == DD_OK) *rows = RowsOf(bits, pitch, BackBuffer);
  return result;
}

}  // namespace ruDraw
