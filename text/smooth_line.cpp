// smooth_line.cpp - reduces a double-size text segment of the Font buffer
// sprite into the Font sprite: each output pixel blends the glyph pixels of
// its 3 x 3 source neighbourhood with the back buffer's pixel beneath, so
// glyph edges are smoothed against the picture the text will cover.
#include <algorithm>

#include "draw/draw.h"
#include "draw/locked_frame.h"
#include "platform/surface/pixel.h"
#include "text/text.h"

namespace ruDraw {

namespace {

namespace px = platform::pixel;

constexpr int kFontSprite = 2;
constexpr int kFontBuffer = 3;

// Where a pixel's three components sit and their maximum M: the top 5 bits
// of each channel at 16 bits, whole bytes at 24 and 32.
struct Components {
  int shift[3];
  DWORD max;
};

Components ComponentsFor(int bytesPerPixel) {
  if (bytesPerPixel == 2) return {{RedShift5, GreenShift5, BlueShift5}, 31};
  if (bytesPerPixel == 4) return {{RedShift, GreenShift, BlueShift}, 255};
  return {{0, 8, 16}, 255};  // 24 bits: the three bytes in memory order
}

bool LockRows(int objectNo, px::Rows* rows) {
  platform::Surface* s = objectNo < 0 ? BackBuffer : Objects[objectNo].surface;
  void* bits = nullptr;
  LONG pitch = 0;
  if (!s || s->Lock(&bits, &pitch, DDLOCK_WAIT) != DD_OK) return false;
  *rows = {static_cast<BYTE*>(bits), pitch, int(s->Format().bitCount / 8)};
  return true;
}
void Unlock(int objectNo) {
  (objectNo < 0 ? BackBuffer : Objects[objectNo].surface)->Unlock();
}

// The area of the source that may be read: the segment, cut to the surface.
struct Area {
  int x0, y0, x1, y1;  // x1, y1 exclusive
};

// One output pixel from the source neighbourhood of (sx, sy).
void Blend(const px::Rows& source, const Area& a, int sx, int sy, const Components& c,
           DWORD under, BYTE* out, int bytesPerPixel) {
  DWORD sum[3] = {0, 0, 0};
  int n = 0;
  const int xa = std::max(sx - 1, a.x0), xb = std::min(sx + 2, a.x1);
  const int ya = std::max(sy - 1, a.y0), yb = std::min(sy + 2, a.y1);
  for (int y = ya; y < yb; ++y)
    for (int x = xa; x < xb; ++x) {
      const DWORD p = source.Get(x, y);
      if (p == 0) continue;
      for (int k = 0; k < 3; ++k) sum[k] += (p >> c.shift[k]) & c.max;
      ++n;
    }
  if (n == 0) return;  // transparent: the Font sprite keeps 0
  DWORD result = 0;
  for (int k = 0; k < 3; ++k) {
    DWORD v = sum[k] + c.max;
    if (n < 8) v += ((under >> c.shift[k]) & c.max) * DWORD(8 - n);
    result |= std::min<DWORD>(v >> 3, c.max) << c.shift[k];
  }
  px::Store(out, bytesPerPixel, result);
}

}  // namespace

int SmoothLine(int x, int y, int sx0, int sy0, int sx1, int sy1) {
  if (!BackBuffer || !Objects[kFontSprite].surface || !Objects[kFontBuffer].surface) return 0;
  int w = (sx1 - sx0) >> 1, h = (sy1 - sy0) >> 1;
  const RECT clip = EffectiveClip();
  if (x + w > clip.right) w = clip.right - x;
  if (y + h > clip.bottom) h = clip.bottom - y;
  if (x < clip.left) {
    const int k = clip.left - x;
    w -= k, sx0 += 2 * k, x = clip.left;
  }
  if (y < clip.top) {
    const int k = clip.top - y;
    h -= k, sy0 += 2 * k, y = clip.top;
  }
  if (w < 0 || h < 0) return 1;

  px::Rows source, sprite, back;
  if (!LockRows(kFontBuffer, &source)) return 0;
  if (!LockRows(kFontSprite, &sprite)) {
    Unlock(kFontBuffer);
    return 0;
  }
  if (!LockRows(-1, &back)) {
    Unlock(kFontSprite);
    Unlock(kFontBuffer);
    return 0;
  }
  // Reads stay inside the segment and the Font buffer; writes inside the
  // Font sprite (the clip window is already inside the back buffer).
  const platform::Surface* buffer = Objects[kFontBuffer].surface;
  const Area area{std::max(sx0, 0), std::max(sy0, 0),
                  int(std::min<long>(long(sx0) + 2L * w, long(buffer->Width()))),
                  int(std::min<long>(long(sy0) + 2L * h, long(buffer->Height())))};
  const platform::Surface* target = Objects[kFontSprite].surface;
  w = std::min(w, int(target->Width()) - x);
  h = std::min(h, int(target->Height()) - y);
  const Components c = ComponentsFor(back.bytesPerPixel);
  for (int r = 0; r < h; ++r)
    for (int k = 0; k < w; ++k)
      Blend(source, area, sx0 + 2 * k, sy0 + 2 * r, c, back.Get(x + k, y + r),
            sprite.At(x + k, y + r), sprite.bytesPerPixel);
  Unlock(-1);
  Unlock(kFontSprite);
  Unlock(kFontBuffer);
  return 1;
}

}  // namespace ruDraw
