// region.cpp - effects on a region of the back buffer, in place: flames,
// blur (both optionally fading), 2x and 4x enlargement through the work
// surface, a circular mosaic and brightening noise.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "effects/effect_frame.h"
#include "effects/effects_internal.h"
#include "platform/surface/blit.h"

namespace ruDraw {

using namespace fx;

namespace fx {
int FireRandomPosition = 0, FireFadeRandomPosition = 0;
int NoiseRandomPosition = 0, NoiseRgbRandomPosition = 0;
int FireRun = 0, FireFadeRun = 0;
}  // namespace fx

namespace {

bool ScreenReady() {
  return EffectTablesReady() && BackBuffer && BackBuffer->Format().bitCount == 16;
}

// A region of the back buffer.
struct Region {
  int x, y, w, h;
};

// The region cut to the back buffer, leaving `below` rows under it inside;
// false when nothing is left.
bool Cut(int x, int y, int width, int height, int below, Region* r) {
  using I64 = std::int64_t;
  const I64 left = std::max<I64>(x, 0), top = std::max<I64>(y, 0);
  const I64 right = std::min<I64>(I64(x) + width, BackBuffer->Width());
  const I64 bottom = std::min<I64>(I64(y) + height, I64(BackBuffer->Height()) - below);
  if (right <= left || bottom <= top) return false;
  *r = {int(left), int(top), int(right - left), int(bottom - top)};
  return true;
}

// Locks the back buffer and calls walk(rows) with (0, 0) at the region's
// corner; 1, or 0 when the lock fails.
template <class Walk>
int WithRegion(const Region& r, Walk&& walk) {
  platform::pixel::Rows back;
  if (LockBackBuffer(&back) != DD_OK) return 0;
  walk(platform::pixel::Rows{back.At(r.x, r.y), back.pitch, back.bytesPerPixel});
  BackBuffer->Unlock();
  return 1;
}

// A position in RandomTable one step on: past 9999 it restarts at
// rand() % 1000.
void Advance(int* position) {
  if (++*position > 9999) *position = std::rand() % 1000;
}

// The fade flags as a per-channel decrement.
struct Fade {
  bool on[3] = {false, false, false};
  void Apply(int c[3]) const {
    for (int ch = 0; ch < 3; ++ch)
      if (on[ch] && c[ch] > 0) --c[ch];
  }
};

// The four-neighbour average of (c, r), faded.
Pixel Average(const platform::pixel::Rows& rows, int c, int r, const Fade& fade) {
  const Rgb5 n[4] = {RgbTable[Row(rows, r)[c - 1]], RgbTable[Row(rows, r)[c + 1]],
                     RgbTable[Row(rows, r - 1)[c]], RgbTable[Row(rows, r + 1)[c]]};
  int ch[3] = {(n[0].red + n[1].red + n[2].red + n[3].red) >> 2,
               (n[0].green + n[1].green + n[2].green + n[3].green) >> 2,
               (n[0].blue + n[1].blue + n[2].blue + n[3].blue) >> 2};
  fade.Apply(ch);
  return Pack5(ch[0], ch[1], ch[2]);
}

// ---- flames

int Fire(const Fade& fade, int* position, int* run, int x, int y, int width, int height) {
  if (!ScreenReady()) return 0;
  Region r;
  // The flames read one row below the region.
  if (!Cut(x, y, width, height, 1, &r) || r.w < 3 || r.h < 3) return 1;
  return WithRegion(r, [&](const platform::pixel::Rows& rows) {
    for (int rr = 1; rr <= r.h - 2; ++rr)
      for (int cc = 1; cc <= r.w - 2; ++cc) {
        ++*run;
        if (*run < RandomTable[*position]) {
          Row(rows, rr)[cc] = Average(rows, cc, rr + 1, fade);
        } else {
          Row(rows, rr)[cc] = Row(rows, rr + 1)[cc];
          *run = 0;
          Advance(position);
        }
      }
  });
}

Fade Flags(int red, int green, int blue) { return Fade{{red != 0, green != 0, blue != 0}}; }

// ---- blur

void BlurReference(const platform::pixel::Rows& rows, const Region& r, const Fade& fade) {
  for (int rr = 1; rr <= r.h - 2; ++rr)
    for (int cc = 1; cc <= r.w - 2; ++cc) Row(rows, rr)[cc] = Average(rows, cc, rr, fade);
}

// The fast blur keeps the three 5-bit channels of a pixel in one word, ten
// bits apart, so the four neighbours add in one sum per pixel (at most 124
// per field) and the shift and mask work on all three at once. The left
// neighbour, already replaced, is carried from the previous pixel.
constexpr std::uint32_t kFields = 0x1F | 0x1F << 10 | 0x1F << 20;
constexpr std::uint32_t kOnes = 1 | 1 << 10 | 1 << 20;

template <bool k565>
inline std::uint32_t Spread(Pixel p) {
  // 5-5-5 pixels with bit 15 set read as black, as in RgbTable.
  if (!k565 && (p & 0x8000)) return 0;
  const std::uint32_t r = (p >> (k565 ? 11 : 10)) & 31, g = (p >> (k565 ? 6 : 5)) & 31, b = p & 31;
  return r << 20 | g << 10 | b;
}
template <bool k565>
inline Pixel Gather(std::uint32_t a) {
  return Pixel((a >> 20) << (k565 ? 11 : 10) | ((a >> 10) & 31) << (k565 ? 6 : 5) | (a & 31));
}

template <bool k565>
void BlurFast(const platform::pixel::Rows& rows, const Region& r, std::uint32_t fadeMask) {
  for (int rr = 1; rr <= r.h - 2; ++rr) {
    const Pixel* up = Row(rows, rr - 1);
    Pixel* cur = Row(rows, rr);
    const Pixel* down = Row(rows, rr + 1);
    std::uint32_t left = Spread<k565>(cur[0]);
    for (int cc = 1; cc <= r.w - 2; ++cc) {
      const std::uint32_t sum =
          left + Spread<k565>(cur[cc + 1]) + Spread<k565>(up[cc]) + Spread<k565>(down[cc]);
      std::uint32_t a = (sum >> 2) & kFields;
      a -= ((a + kFields) >> 5) & kOnes & fadeMask;
      cur[cc] = Gather<k565>(a);
      left = a;
    }
  }
}

int Blur(const Fade& fade, int x, int y, int width, int height) {
  if (!ScreenReady()) return 0;
  Region r;
  if (!Cut(x, y, width, height, 0, &r)) return 1;
  const std::uint32_t fadeMask =
      (fade.on[0] ? 1u << 20 : 0) | (fade.on[1] ? 1u << 10 : 0) | (fade.on[2] ? 1u : 0);
  return WithRegion(r, [&](const platform::pixel::Rows& rows) {
    const FastLayout layout = platform::blit::FastPathsEnabled() ? CurrentLayout() : kNoFastLayout;
    if (layout == k565)
      BlurFast<true>(rows, r, fadeMask);
    else if (layout == k555)
      BlurFast<false>(rows, r, fadeMask);
    else
      BlurReference(rows, r, fade);
  });
}

// ---- noise

// A shift above 5 adds as much as 5 (every channel reaches 31); below 0
// shifts nothing.
int NoiseShift(int shift) { return std::clamp(shift, 0, 5); }

void NoiseReference(const platform::pixel::Rows& rows, const Region& r, const bool on[3], int shift,
                    int* position) {
  for (int rr = 0; rr < r.h; ++rr) {
    Pixel* row = Row(rows, rr);
    for (int cc = 0; cc < r.w; ++cc) {
      int n = RandomTable[*position];
      Advance(position);
      if (shift != 0) n <<= shift;
      const Rgb5& c = RgbTable[row[cc]];
      const int in[3] = {c.red, c.green, c.blue};
      int out[3];
      for (int ch = 0; ch < 3; ++ch) out[ch] = on[ch] ? std::min(in[ch] + n, 31) : in[ch];
      row[cc] = Pack5(out[0], out[1], out[2]);
    }
  }
}

// Runs of pixels whose table positions follow each other, in 16-bit lanes
// the compiler vectorises; the restart past 9999 happens between runs, at
// the same pixel as in the reference.
template <bool k565>
void NoiseRun(Pixel* p, const signed char* n, int count, int shift, std::uint16_t rOn,
              std::uint16_t gOn, std::uint16_t bOn) {
  using U = std::uint16_t;
  for (int k = 0; k < count; ++k) {
    U v = p[k];
    if (!k565) v = U(v & U((v >> 15) - 1));
    const U add = U(U(n[k]) << shift);
    const U r = U((v >> (k565 ? 11 : 10)) & 31), g = U((v >> (k565 ? 6 : 5)) & 31), b = U(v & 31);
    const U r2 = U(r + (add & rOn)), g2 = U(g + (add & gOn)), b2 = U(b + (add & bOn));
    p[k] = U((r2 < 31 ? r2 : 31) << (k565 ? 11 : 10) | (g2 < 31 ? g2 : 31) << (k565 ? 6 : 5) |
             (b2 < 31 ? b2 : 31));
  }
}

template <bool k565>
void NoiseFast(const platform::pixel::Rows& rows, const Region& r, const bool on[3], int shift,
               int* position) {
  const std::uint16_t mask[2] = {0, 0xFFFF};
  for (int rr = 0; rr < r.h; ++rr) {
    Pixel* row = Row(rows, rr);
    for (int cc = 0; cc < r.w;) {
      const int count = std::min(r.w - cc, 10000 - *position);
      NoiseRun<k565>(row + cc, &RandomTable[*position], count, shift, mask[on[0]], mask[on[1]],
                     mask[on[2]]);
      cc += count;
      *position += count - 1;
      Advance(position);
    }
  }
}

int Noise(const bool on[3], int shift, int* position, int x, int y, int width, int height) {
  if (!ScreenReady()) return 0;
  Region r;
  if (!Cut(x, y, width, height, 0, &r)) return 1;
  const int s = NoiseShift(shift);
  return WithRegion(r, [&](const platform::pixel::Rows& rows) {
    const FastLayout layout = platform::blit::FastPathsEnabled() ? CurrentLayout() : kNoFastLayout;
    if (layout == k565)
      NoiseFast<true>(rows, r, on, s, position);
    else if (layout == k555)
      NoiseFast<false>(rows, r, on, s, position);
    else
      NoiseReference(rows, r, on, s, position);
  });
}

// ---- enlargement

int Zoom(int f, int x, int y, int width, int height, int dotted) {
  if (!ScreenReady() || !HasSurface(0)) return 0;
  platform::Surface* work = Objects[0].surface;
  if (work->Format().bitCount != 16) return 0;
  Region r;
  if (!Cut(x, y, width, height, 0, &r)) return 1;
  // The enlargement stays inside the work surface.
  r.w = std::min(r.w, int(work->Width()) / f);
  r.h = std::min(r.h, int(work->Height()) / f);
  if (r.w <= 0 || r.h <= 0) return 1;
  const int block = dotted ? f / 2 : f;
  platform::pixel::Rows workRows, back;
  if (LockPair(work, &workRows, &back) != DD_OK) return 0;
  for (int rr = 0; rr < r.h; ++rr) {
    const Pixel* s = Row(back, r.y + rr) + r.x;
    for (int by = 0; by < block; ++by) {
      Pixel* d = Row(workRows, f * rr + by);
      for (int cc = 0; cc < r.w; ++cc) std::fill_n(d + f * cc, block, s[cc]);
    }
  }
  UnlockPair(work);
  DrawNoKey(r.x, r.y, 0, 0, 0, f * r.w, f * r.h);
  return 1;
}

}  // namespace

int ScreenFire(int x, int y, int width, int height) {
  return Fire(Fade{}, &FireRandomPosition, &FireRun, x, y, width, height);
}

int ScreenFireFade(int redFade, int greenFade, int blueFade, int x, int y, int width, int height) {
  return Fire(Flags(redFade, greenFade, blueFade), &FireFadeRandomPosition, &FireFadeRun, x, y,
              width, height);
}

int ScreenBlur(int x, int y, int width, int height) { return Blur(Fade{}, x, y, width, height); }

int ScreenBlurFade(int redFade, int greenFade, int blueFade, int x, int y, int width, int height) {
  return Blur(Flags(redFade, greenFade, blueFade), x, y, width, height);
}

int ScreenZoom2(int x, int y, int width, int height, int dotted) {
  return Zoom(2, x, y, width, height, dotted);
}

int ScreenZoom4(int x, int y, int width, int height, int dotted) {
  return Zoom(4, x, y, width, height, dotted);
}

int ScreenMosaicCircle(int centreX, int centreY, int radius, int cellSize) {
  if (!ScreenReady()) return 0;
  // Cells of 1 pixel change nothing; smaller ones would never advance.
  if (radius <= 0 || cellSize <= 1) return 1;
  using I64 = std::int64_t;
  const I64 R = radius, s = cellSize, px = centreX, py = centreY;
  const I64 startX = std::max(-R, -px), endX = std::min(R, I64(BackBuffer->Width()) - px);
  const I64 startY = std::max(-R, -py), endY = std::min(R, I64(BackBuffer->Height()) - py);
  if (startX >= endX || startY >= endY) return 1;
  const Region all{0, 0, int(BackBuffer->Width()), int(BackBuffer->Height())};
  return WithRegion(all, [&](const platform::pixel::Rows& rows) {
    for (I64 oy = startY; oy < endY; oy += s)
      for (I64 ox = startX; ox < endX; ox += s) {
        const Pixel colour = Row(rows, int(py + oy))[px + ox];
        for (I64 dy = oy; dy < std::min(oy + s, endY); ++dy) {
          Pixel* row = Row(rows, int(py + dy));
          for (I64 dx = ox; dx < std::min(ox + s, endX); ++dx)
            if (I64(std::sqrt(double(dx * dx + dy * dy))) < R) row[px + dx] = colour;
        }
      }
  });
}

int ScreenNoise(int shift, int x, int y, int width, int height) {
  const bool all[3] = {true, true, true};
  return Noise(all, shift, &NoiseRandomPosition, x, y, width, height);
}

int ScreenNoiseRGB(int red, int green, int blue, int shift, int x, int y, int width, int height) {
  const bool on[3] = {red != 0, green != 0, blue != 0};
  return Noise(on, shift, &NoiseRgbRandomPosition, x, y, width, height);
}

}  // namespace ruDraw
