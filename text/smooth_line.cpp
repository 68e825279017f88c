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

namespace {

using I64 = long long;

I64 FloorHalf(I64 v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }

// The outputs [first, end) of one axis whose source neighbourhood touches
// the readable source [a0, a1): the others stay transparent. With them
// skipped, every source position lies near the Font buffer.
void Touching(I64 s0, I64 a0, I64 a1, I64 count, I64* first, I64* end) {
  *first = std::max<I64>(0, -FloorHalf(s0 + 1 - a0));  // s0 + 2k + 1 >= a0
  *end = std::min<I64>(count, FloorHalf(a1 - s0) + 1);  // s0 + 2k - 1 < a1
}

}  // namespace

int SmoothLine(int x, int y, int sx0, int sy0, int sx1, int sy1) {
  if (!BackBuffer || !Objects[kFontSprite].surface || !Objects[kFontBuffer].surface) return 0;
  // Wide arithmetic: any int arguments clip without overflow.
  I64 X = x, Y = y, SX = sx0, SY = sy0;
  I64 w = (I64(sx1) - sx0) >> 1, h = (I64(sy1) - sy0) >> 1;
  const RECT clip = EffectiveClip();
  if (X + w > clip.right) w = clip.right - X;
  if (Y + h > clip.bottom) h = clip.bottom - Y;
  if (X < clip.left) {
    const I64 k = clip.left - X;
    w -= k, SX += 2 * k, X = clip.left;
  }
  if (Y < clip.top) {
    const I64 k = clip.top - Y;
    h -= k, SY += 2 * k, Y = clip.top;
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
  const platform::Surface* target = Objects[kFontSprite].surface;
  w = std::min<I64>(w, I64(target->Width()) - X);
  h = std::min<I64>(h, I64(target->Height()) - Y);
  const I64 ax0 = std::max<I64>(SX, 0), ax1 = std::min<I64>(SX + 2 * w, buffer->Width());
  const I64 ay0 = std::max<I64>(SY, 0), ay1 = std::min<I64>(SY + 2 * h, buffer->Height());
  I64 k0, k1, r0, r1;
  Touching(SX, ax0, ax1, w, &k0, &k1);
  Touching(SY, ay0, ay1, h, &r0, &r1);
  if (ax0 < ax1 && ay0 < ay1 && k0 < k1 && r0 < r1) {
    const Area area{int(ax0), int(ay0), int(ax1), int(ay1)};
    const int ox = int(X + k0), oy = int(Y + r0);
    const int s0x = int(SX + 2 * k0), s0y = int(SY + 2 * r0);
    const int ow = int(k1 - k0), oh = int(r1 - r0);
    const Components c = ComponentsFor(back.bytesPerPixel);
    switch (source.bytesPerPixel) {
      case 2: Reduce<std::uint16_t>(source, area, s0x, s0y, ow, oh, back, sprite, ox, oy, c); break;
      case 4: Reduce<std::uint32_t>(source, area, s0x, s0y, ow, oh, back, sprite, ox, oy, c); break;
      default: Reduce<BYTE>(source, area, s0x, s0y, ow, oh, back, sprite, ox, oy, c); break;
    }
  }
  Unlock(-1);
  Unlock(kFontSprite);
  Unlock(kFontBuffer);
  return 1;
}

}  // namespace ruDraw
