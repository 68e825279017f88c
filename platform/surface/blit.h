// blit.h - the pixel loops behind surface blits and fills (platform-internal).
//
// Every operation works on locked rows: a base address, a pitch in bytes and
// a pixel size of 2, 3 or 4 bytes; rows of 2- and 4-byte pixels start
// aligned to the pixel size (surfaces align them to 16 bytes). Rectangles
// are already clipped by the caller. Each operation has a plain reference
// loop and, for 16- and 32-bit pixels, a branch-free vector loop; the fast
// loops can be switched off with RU_DISABLE_FAST_PATHS=1 (or from tests) so
// both can be compared bit for bit.
#pragma once

#include <cstdint>

#include "platform/win_types.h"

namespace platform::blit {

// Rows of pixels: the address of pixel (0, 0), bytes per row and per pixel.
struct Pixels {
  BYTE* bits = nullptr;
  LONG pitch = 0;
  int bytesPerPixel = 2;
  BYTE* At(int x, int y) const { return bits + std::intptr_t(y) * pitch + x * bytesPerPixel; }
};

// Copies w x h pixels from (sx, sy) of `source` to (dx, dy) of `dest`. The
// two areas must not overlap.
void Copy(const Pixels& dest, int dx, int dy, const Pixels& source, int sx, int sy, int w,
          int h);
// As Copy, but source pixels equal to `key` leave the destination unchanged.
// `key` is already masked to the pixel size.
void CopyKeyed(const Pixels& dest, int dx, int dy, const Pixels& source, int sx, int sy, int w,
               int h, DWORD key);
// Sets w x h pixels at (x, y) to `value` (masked to the pixel size).
void Fill(const Pixels& dest, int x, int y, int w, int h, DWORD value);

// Nearest-neighbour scaling: the destination pixel (dx0 + i, dy0 + j) takes
// the source pixel (sx0 + (i0 + i) * sw / dw, sy0 + (j0 + j) * sh / dh),
// where (i0, j0) is the offset of the visible part inside the unclipped
// destination rectangle of size dw x dh. Keyed when `keyed` is set.
struct StretchJob {
  int dx0, dy0, w, h;      // visible destination area
  int i0, j0, dw, dh;      // its offset in the unclipped destination, and its size
  int sx0, sy0, sw, sh;    // the source rectangle (inside the source)
  bool keyed = false;
  DWORD key = 0;
};
void Stretch(const Pixels& dest, const Pixels& source, const StretchJob& job);

// True unless fast paths were switched off (RU_DISABLE_FAST_PATHS=1).
bool FastPathsEnabled();
// Forces the reference loops on or off (tests and benchmarks).
void SetFastPathsEnabled(bool enabled);

// Vector instruction sets of the fast loops, narrowest first.
enum class VectorLevel { Portable, Sse2, Avx2, Avx512 };
// Caps the instructions the fast loops use (tests cover each level);
// Avx512 means the best the processor has.
void LimitVectorLevel(VectorLevel level);

// The reference loops, used directly by tests to compare.
namespace reference {
void Copy(const Pixels& dest, int dx, int dy, const Pixels& source, int sx, int sy, int w,
          int h);
void CopyKeyed(const Pixels& dest, int dx, int dy, const Pixels& source, int sx, int sy, int w,
               int h, DWORD key);
void Fill(const Pixels& dest, int x, int y, int w, int h, DWORD value);
void Stretch(const Pixels& dest, const Pixels& source, const StretchJob& job);
}  // namespace reference

// Loads and stores one pixel of 2, 3 or 4 bytes (little-endian).
inline DWORD LoadPixel(const BYTE* p, int bytesPerPixel) {
  DWORD v = p[0] | DWORD(p[1]) << 8;
  if (bytesPerPixel >= 3) v |= DWORD(p[2]) << 16;
  if (bytesPerPixel == 4) v |= DWORD(p[3]) << 24;
  return v;
}
inline void StorePixel(BYTE* p, int bytesPerPixel, DWORD v) {
  p[0] = BYTE(v);
  p[1] = BYTE(v >> 8);
  if (bytesPerPixel >= 3) p[2] = BYTE(v >> 16);
  if (bytesPerPixel == 4) p[3] = BYTE(v >> 24);
}
// The bits a pixel of this size holds.
inline DWORD PixelMask(int bytesPerPixel) {
  return bytesPerPixel >= 4 ? 0xFFFFFFFFu : (DWORD(1) << (8 * bytesPerPixel)) - 1;
}

}  // namespace platform::blit
