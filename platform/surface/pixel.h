// pixel.h - the one pixel layer: the channel layout of a pixel format, views
// of locked rows, loads and stores of 2-, 3- and 4-byte pixels, and packing
// between COLORREF (0x00BBGGRR), 5-6-5, 5-5-5 and 8-8-8.
//
// Widening a channel of fewer than 8 bits to 8 bits has two rules, and every
// caller names the one it means:
//  - GDI's rule (WidenGdi): the value moves to the top of the byte and the
//    low bits are 0, so 5-bit 31 reads as 0xF8. GetPixel and the colour
//    conversions of device contexts use it.
//  - the screen's rule (WidenScreen): the value's bits repeat downwards, so
//    5-bit 31 reads as 0xFF and 0 as 0x00. Frames shown in the window and
//    captured headless use it.
// Narrowing 8 bits to a channel always keeps the top bits.
#pragma once

#include <bit>
#include <cstdint>

#include "platform/surface/display.h"
#include "platform/win_types.h"

namespace platform::pixel {

// One colour channel of a pixel: where it sits and how wide it is.
struct Channel {
  DWORD mask = 0;   // as the surface reports it
  WORD shift = 0;   // lowest set bit of the mask
  DWORD max = 0;    // mask >> shift: 31 for 5 bits, 63 for 6
  int bits = 0;     // number of bits
  // Where a 5-bit value goes so that it fills the channel's top 5 bits.
  constexpr WORD Shift5() const { return WORD(max == 63 ? shift + 1 : shift); }
  constexpr DWORD Get(DWORD pixel) const { return (pixel >> shift) & max; }
};

// A channel from its mask (contiguous bits; an empty mask gives all zeros).
constexpr Channel ChannelFromMask(DWORD mask) {
  Channel c;
  c.mask = mask;
  if (!mask) return c;
  c.shift = WORD(std::countr_zero(mask));
  c.max = mask >> c.shift;
  c.bits = std::countr_one(c.max);
  return c;
}

// The three channels of a format and the values derived from them.
struct Layout {
  Channel red, green, blue;
  int bytesPerPixel = 2;
  // Each channel's top bit cleared, one place down: (p >> 1) & HalfMask()
  // halves every channel without carries between them.
  constexpr DWORD HalfMask() const {
    return ((red.max >> 1) << red.shift) | ((green.max >> 1) << green.shift) |
           ((blue.max >> 1) << blue.shift);
  }
  // Every channel at its maximum.
  constexpr DWORD White() const { return red.mask | green.mask | blue.mask; }
};

constexpr Layout LayoutFromMasks(DWORD redMask, DWORD greenMask, DWORD blueMask,
                                 int bytesPerPixel) {
  Layout l;
  l.red = ChannelFromMask(redMask);
  l.green = ChannelFromMask(greenMask);
  l.blue = ChannelFromMask(blueMask);
  l.bytesPerPixel = bytesPerPixel;
  return l;
}

// The layout of a surface's or device context's pixel format.
constexpr Layout LayoutOf(const PixelFormat& f) {
  return LayoutFromMasks(f.redMask, f.greenMask, f.blueMask, int(f.bitCount / 8));
}

inline constexpr Layout k565 = LayoutFromMasks(0xF800, 0x07E0, 0x001F, 2);
inline constexpr Layout k555 = LayoutFromMasks(0x7C00, 0x03E0, 0x001F, 2);
inline constexpr Layout k888 = LayoutFromMasks(0xFF0000, 0x00FF00, 0x0000FF, 4);

// ---- widening and narrowing one channel value

// GDI's rule: the value at the top of the byte, low bits 0.
constexpr BYTE WidenGdi(DWORD value, int bits) {
  if (bits <= 0) return 0;
  return BYTE(bits >= 8 ? value >> (bits - 8) : value << (8 - bits));
}
// The screen's rule: the value's bits repeated down the byte.
constexpr BYTE WidenScreen(DWORD value, int bits) {
  if (bits <= 0) return 0;
  if (bits >= 8) return BYTE(value >> (bits - 8));
  DWORD out = 0;
  int filled = 0;
  while (filled < 8) {
    out = (out << bits) | value;
    filled += bits;
  }
  return BYTE(out >> (filled - 8));
}
// 8 bits to a channel of `bits`: the top bits.
constexpr DWORD Narrow(unsigned value8, int bits) {
  if (bits <= 0) return 0;
  return bits >= 8 ? DWORD(value8 & 0xFF) << (bits - 8) : DWORD(value8 & 0xFF) >> (8 - bits);
}

// ---- whole pixels

// COLORREF 0x00BBGGRR to a pixel of `l` (top bits of each channel).
constexpr DWORD FromColorref(COLORREF c, const Layout& l) {
  return (Narrow(c & 0xFF, l.red.bits) << l.red.shift) |
         (Narrow((c >> 8) & 0xFF, l.green.bits) << l.green.shift) |
         (Narrow((c >> 16) & 0xFF, l.blue.bits) << l.blue.shift);
}
// A pixel of `l` to COLORREF by GDI's rule (GetPixel).
constexpr COLORREF ToColorrefGdi(DWORD p, const Layout& l) {
  return COLORREF(WidenGdi(l.red.Get(p), l.red.bits)) |
         COLORREF(WidenGdi(l.green.Get(p), l.green.bits)) << 8 |
         COLORREF(WidenGdi(l.blue.Get(p), l.blue.bits)) << 16;
}
// A pixel of `l` to 0x00RRGGBB by the screen's rule (what the window shows).
constexpr DWORD ToRgbScreen(DWORD p, const Layout& l) {
  return DWORD(WidenScreen(l.red.Get(p), l.red.bits)) << 16 |
         DWORD(WidenScreen(l.green.Get(p), l.green.bits)) << 8 |
         DWORD(WidenScreen(l.blue.Get(p), l.blue.bits));
}
// Channels to 0x00RRGGBB, the pixels of decoded bitmaps.
constexpr DWORD PackRgb(unsigned red, unsigned green, unsigned blue) {
  return DWORD(red & 0xFF) << 16 | DWORD(green & 0xFF) << 8 | DWORD(blue & 0xFF);
}
// 0x00RRGGBB (decoded bitmaps) to a pixel of `l` (top bits of each channel).
constexpr DWORD FromRgb(DWORD rgb, const Layout& l) {
  return (Narrow((rgb >> 16) & 0xFF, l.red.bits) << l.red.shift) |
         (Narrow((rgb >> 8) & 0xFF, l.green.bits) << l.green.shift) |
         (Narrow(rgb & 0xFF, l.blue.bits) << l.blue.shift);
}

// ---- locked rows

// Loads and stores one pixel of 2, 3 or 4 bytes (little-endian).
inline DWORD Load(const BYTE* p, int bytesPerPixel) {
  DWORD v = p[0] | DWORD(p[1]) << 8;
  if (bytesPerPixel >= 3) v |= DWORD(p[2]) << 16;
  if (bytesPerPixel == 4) v |= DWORD(p[3]) << 24;
  return v;
}
inline void Store(BYTE* p, int bytesPerPixel, DWORD v) {
  p[0] = BYTE(v);
  p[1] = BYTE(v >> 8);
  if (bytesPerPixel >= 3) p[2] = BYTE(v >> 16);
  if (bytesPerPixel == 4) p[3] = BYTE(v >> 24);
}
// The bits a pixel of this size holds.
constexpr DWORD SizeMask(int bytesPerPixel) {
  return bytesPerPixel >= 4 ? 0xFFFFFFFFu : (DWORD(1) << (8 * bytesPerPixel)) - 1;
}

// A view of locked rows: the address of pixel (0, 0), bytes per row (the
// pitch, which may exceed width x bytes per pixel: always step by it) and
// bytes per pixel. Rows of 2- and 4-byte pixels start aligned to the size.
struct Rows {
  BYTE* bits = nullptr;
  LONG pitch = 0;
  int bytesPerPixel = 2;

  BYTE* At(int x, int y) const { return bits + std::intptr_t(y) * pitch + x * bytesPerPixel; }
  // Row y as pixels of type T (std::uint16_t for 16-bit surfaces).
  template <class T>
  T* Row(int y) const {
    return reinterpret_cast<T*>(bits + std::intptr_t(y) * pitch);
  }
  DWORD Get(int x, int y) const { return Load(At(x, y), bytesPerPixel); }
  void Set(int x, int y, DWORD v) const { Store(At(x, y), bytesPerPixel, v); }
};

}  // namespace platform::pixel
