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

// The three component sums of up to nine pixels, packed in 21-bit fields
// (9 x 255 fits), so that adding a pixel is one addition.
using Sums = std::uint64_t;

Sums Spread(DWORD p, const Components& c) {
  return Sums((p >> c.shift[0]) & c.max) | Sums((p >> c.shift[1]) & c.max) << 21 |
         Sums((p >> c.shift[2]) & c.max) << 42;
}

// The blended pixel of `n` source pixels whose components add up to `sums`
// over the back buffer's pixel `under`.
DWORD Blend(Sums sums, int n, DWORD under, const Components& c) {
  DWORD result = 0;
  for (int k = 0; k < 3; ++k) {
    DWORD v = DWORD((sums >> (21 * k)) & 0x1FFFFF) + c.max;
    if (n < 8) v += ((under >> c.shift[k]) & c.max) * DWORD(8 - n);
    result |= std::min<DWORD>(v >> 3, c.max) << c.shift[k];
  }
  return result;
}

// A source pixel; T is the pixel's storage (2 or 4 bytes), or BYTE for
// 3-byte pixels read through the general loader.
template <class T>
DWORD SourcePixel(const BYTE* row, int x) {
  if constexpr (sizeof(T) == 1) return px::Load(row + 3 * x, 3);
  else return reinterpret_cast<const T*>(row)[x];
}

// The sums and count of one source column of 1 to 3 rows. Branch-free: a
// transparent pixel adds 0 to the sums and to the count.
struct Column {
  Sums sums = 0;
  int n = 0;
};
template <class T>
Column ColumnAt(const BYTE* const* rows, int count, int x, const Components& c) {
  Column col;
  for (int i = 0; i < count; ++i) {
    const DWORD p = SourcePixel<T>(rows[i], x);
    col.sums += Spread(p, c);
    col.n += p != 0;
  }
  return col;
}

// Output rows of w x h pixels at (x, y) from source (sx0, sy0), reading
// only inside `a`. A neighbourhood of transparent pixels writes nothing.
// Neighbouring outputs share a source column, so each output reads two
// new columns and reuses the one before.
template <class T>
void Reduce(const px::Rows& source, const Area& a, int sx0, int sy0, int w, int h,
            const px::Rows& back, const px::Rows& sprite, int x, int y, const Components& c) {
  for (int r = 0; r < h; ++r) {
    const int sy = sy0 + 2 * r;
    const int ya = std::max(sy - 1, a.y0), yb = std::min(sy + 2, a.y1);
    const BYTE* rows[3];
    int count = 0;
    for (int yy = ya; yy < yb; ++yy) rows[count++] = source.At(0, yy);
    auto put = [&](int k, const Column& total) {
      if (total.n == 0) return;  // transparent: the Font sprite keeps 0
      sprite.Set(x + k, y + r, Blend(total.sums, total.n, back.Get(x + k, y + r), c));
    };
    // Edge outputs whose neighbourhood the area cuts: column by column.
    auto edge = [&](int k) {
      const int sx = sx0 + 2 * k;
      Column total;
      for (int xx = std::max(sx - 1, a.x0); xx < std::min(sx + 2, a.x1); ++xx) {
        const Column col = ColumnAt<T>(rows, count, xx, c);
        total.sums += col.sums;
        total.n += col.n;
      }
      put(k, total);
    };
    int k = 0;
    while (k < w && sx0 + 2 * k - 1 < a.x0) edge(k++);
    if (k < w && sx0 + 2 * k + 2 <= a.x1) {
      Column left = ColumnAt<T>(rows, count, sx0 + 2 * k - 1, c);
      for (; k < w && sx0 + 2 * k + 2 <= a.x1; ++k) {
        const int sx = sx0 + 2 * k;
        const Column mid = ColumnAt<T>(rows, count, sx, c);
        const Column right = ColumnAt<T>(rows, count, sx + 1, c);
        put(k, Column{left.sums + mid.sums + right.sums, left.n + mid.n + right.n});
        left = right;
      }
    }
    while (k < w) edge(k++);
  }
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
  switch (source.bytesPerPixel) {
    case 2: Reduce<std::uint16_t>(source, area, sx0, sy0, w, h, back, sprite, x, y, c); break;
    case 4: Reduce<std::uint32_t>(source, area, sx0, sy0, w, h, back, sprite, x, y, c); break;
    default: Reduce<BYTE>(source, area, sx0, sy0, w, h, back, sprite, x, y, c); break;
  }
  Unlock(-1);
  Unlock(kFontSprite);
  Unlock(kFontBuffer);
  return 1;
}

}  // namespace ruDraw
