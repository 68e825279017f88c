// blit.h - the pixel loops behind surface blits, fills and GDI's StretchBlt
// (platform-internal).
//
// Every operation works on locked rows (pixel::Rows): a base address, a
// pitch in bytes and a pixel size of 2, 3 or 4 bytes; rows of 2- and 4-byte
// pixels start aligned to the pixel size (surfaces align them to 16 bytes).
// Rectangles are already clipped by the caller. Each operation has a plain reference
// loop and, for 16- and 32-bit pixels, a branch-free vector loop; the fast
// loops can be switched off with RU_DISABLE_FAST_PATHS=1 (or from tests) so
// both can be compared bit for bit.
#pragma once

#include <cstdint>

#include "platform/surface/pixel.h"
#include "platform/win_types.h"

namespace platform::blit {

// Copies w x h pixels from (sx, sy) of `source` to (dx, dy) of `dest`. The
// two areas must not overlap.
void Copy(const pixel::Rows& dest, int dx, int dy, const pixel::Rows& source, int sx, int sy,
          int w, int h);
// As Copy, but source pixels equal to `key` leave the destination unchanged.
// `key` is already masked to the pixel size.
void CopyKeyed(const pixel::Rows& dest, int dx, int dy, const pixel::Rows& source, int sx,
               int sy, int w, int h, DWORD key);
// Sets w x h pixels at (x, y) to `value` (masked to the pixel size).
void Fill(const pixel::Rows& dest, int x, int y, int w, int h, DWORD value);

// Nearest-neighbour scaling, the one scaler of Blt and GDI's StretchBlt:
// the destination pixel (dx0 + i, dy0 + j) takes the source pixel
// (sx0 + (i0 + i) * sw / dw, sy0 + (j0 + j) * sh / dh), rounded down, where
// (i0, j0) is the offset of the visible part inside the unclipped
// destination rectangle of size dw x dh. Keyed when `keyed` is set (`key`
// is a raw source pixel). With `convert` set the source pixels are in
// layout `from` and are converted to `to` through COLORREF by GDI's rule;
// otherwise both rows hold the same format. When source and destination
// are the same rows, pixels are read and written one by one, row by row.
struct StretchJob {
  int dx0, dy0, w, h;      // visible destination area
  int i0, j0, dw, dh;      // its offset in the unclipped destination, and its size
  int sx0, sy0, sw, sh;    // the source rectangle (may reach outside the source)
  bool keyed = false;
  DWORD key = 0;
  bool convert = false;
  pixel::Layout from, to;
};
void Stretch(const pixel::Rows& dest, const pixel::Rows& source, const StretchJob& job);

// A rectangle by its corner and size, in wide integers.
struct Placement {
  std::int64_t x, y, width, height;
};
// Plans a scaled copy of `from` (on a source of sourceWidth x sourceHeight)
// onto `to` (on a destination of destWidth x destHeight), both of positive
// size and with coordinates in the int range: the visible part is where the
// destination pixel lies on its surface and its source pixel on the
// source. False when nothing is visible; `job` gets the rest (unkeyed, no
// conversion).
bool PlanStretch(const Placement& to, int destWidth, int destHeight, const Placement& from,
                 int sourceWidth, int sourceHeight, StretchJob* job);

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
void Copy(const pixel::Rows& dest, int dx, int dy, const pixel::Rows& source, int sx, int sy,
          int w, int h);
void CopyKeyed(const pixel::Rows& dest, int dx, int dy, const pixel::Rows& source, int sx,
               int sy, int w, int h, DWORD key);
void Fill(const pixel::Rows& dest, int x, int y, int w, int h, DWORD value);
void Stretch(const pixel::Rows& dest, const pixel::Rows& source, const StretchJob& job);
}  // namespace reference

}  // namespace platform::blit
