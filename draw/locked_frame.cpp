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
