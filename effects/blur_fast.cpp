// blur_fast.cpp - the box blur's fast loop for 5-6-5 and 5-5-5, equal to
// the reference: per-column channel sums over the block's rows kept as the
// rows slide down, window sums along the row (added directly, or as
// differences of prefix sums for wide blocks), and the division by the
// block's area in floats.
//
// - Channels come from shifts and masks (5-5-5 pixels with bit 15 set read
//   as black, as in RgbTable). A column sum is at most 45 x 31 and a window
//   sum at most 45 x 45 x 31 = 62775, so 16-bit lanes hold them; prefix sums
//   wrap modulo 2^16, and their differences are still the exact sums.
// - floor(S / D) for S <= 31 D and D <= 2025 is trunc(S * fl(1/D) + 2^-12):
//   the product is within 31 * 2^-23 of S / D, a multiple of D lands at or
//   just above its quotient, and any other S lies at least 1/D >= 2^-11
//   below the next integer, more than 2^-12 plus the rounding.
#include <cstdint>

#include "effects/effect_frame.h"

namespace ruDraw::fx {

namespace {

#define RU_INLINE inline __attribute__((always_inline))

using U = std::uint16_t;

constexpr int kMaxWidth = 4096;
U columnSum[3][kMaxWidth];
U prefix[3][kMaxWidth + 1];
U window[3][kMaxWidth];

struct Channels {
  int shift[3];
  U high;  // 0xFFFF at 5-5-5, where a pixel with bit 15 set reads as black; else 0
  RU_INLINE U Get(Pixel p, int ch) const {
    const U valid = U(p & (U(U(p >> 15) * high) ^ 0xFFFF));
    return U((valid >> shift[ch]) & 31);
  }
};

// Adds the channels of row `enter` to the column sums and takes those of
// `leave` (when given) away.
RU_INLINE void ColumnPass(const Channels& c, const Pixel* __restrict enter,
                          const Pixel* __restrict leave, int w) {
  for (int ch = 0; ch < 3; ++ch) {
    U* __restrict col = columnSum[ch];
    if (leave)
      for (int x = 0; x < w; ++x) col[x] = U(col[x] + c.Get(enter[x], ch) - c.Get(leave[x], ch));
    else
      for (int x = 0; x < w; ++x) col[x] = U(col[x] + c.Get(enter[x], ch));
  }
}

// Window sums of bw columns: the window of column x starts at x, or at
// w - bw for the last columns. Narrow windows add their columns directly;
// wide ones take differences of prefix sums.
RU_INLINE void WindowPass(int w, int bw) {
  const int last = w - bw;
  for (int ch = 0; ch < 3; ++ch) {
    const U* __restrict col = columnSum[ch];
    U* __restrict win = window[ch];
    if (bw <= 16) {
      for (int x = 0; x <= last; ++x) win[x] = col[x];
      for (int i = 1; i < bw; ++i)
        for (int x = 0; x <= last; ++x) win[x] = U(win[x] + col[x + i]);
    } else {
      U* __restrict p = prefix[ch];
      U running = 0;
      p[0] = 0;
      for (int x = 0; x < w; ++x) p[x + 1] = running = U(running + col[x]);
      for (int x = 0; x <= last; ++x) win[x] = U(p[x + bw] - p[x]);
    }
    for (int x = last + 1; x < w; ++x) win[x] = win[last];
  }
}

RU_INLINE U Quotient(U sum, float inverse) {
  return U(std::int32_t(float(sum) * inverse + 0.000244140625f));
}

RU_INLINE void OutputPass(const Pixel* __restrict s, Pixel* __restrict d, int w, float inverse,
                          const int shift[3]) {
  const U* __restrict r = window[0];
  const U* __restrict g = window[1];
  const U* __restrict b = window[2];
  const int rs = shift[0], gs = shift[1], bs = shift[2];
  for (int x = 0; x < w; ++x) {
    const U out = U((Quotient(r[x], inverse) << rs) | (Quotient(g[x], inverse) << gs) |
                    (Quotient(b[x], inverse) << bs));
    d[x] = s[x] != 0 ? out : d[x];
  }
}

RU_INLINE void Blur(const LockedArea& a, int bw, int bh) {
  const Channels c{{RedShift5, GreenShift5, BlueShift5}, U(CurrentLayout() == k555 ? 0xFFFF : 0)};
  const float inverse = 1.0f / float(bw * bh);
  for (int ch = 0; ch < 3; ++ch)
    for (int x = 0; x < a.width; ++x) columnSum[ch][x] = 0;
  for (int j = 0; j < bh; ++j) ColumnPass(c, Row(a.source, j), nullptr, a.width);
  int first = 0;  // the block's first row
  for (int y = 0; y < a.height; ++y) {
    const int y0 = y + bh > a.height ? a.height - bh : y;
    if (y0 != first) {
      ColumnPass(c, Row(a.source, y0 + bh - 1), Row(a.source, first), a.width);
      first = y0;
    }
    WindowPass(a.width, bw);
    OutputPass(Row(a.source, y), Row(a.dest, y), a.width, inverse, c.shift);
  }
}

void BlurBase(const LockedArea& a, int bw, int bh) { Blur(a, bw, bh); }
[[gnu::target("avx2")]] void BlurAvx2(const LockedArea& a, int bw, int bh) { Blur(a, bw, bh); }

}  // namespace

bool BlurFast(const LockedArea& a, int bw, int bh) {
  if (CurrentLayout() == kNoFastLayout || a.width > kMaxWidth) return false;
  if (Avx2Loops())
    BlurAvx2(a, bw, bh);
  else
    BlurBase(a, bw, bh);
  return true;
}

}  // namespace ruDraw::fx
