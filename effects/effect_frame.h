// effect_frame.h - what the effect families share: the readiness guard,
// the per-call constants of the row effects, the reference and fast row
// loops chosen by effect and pixel layout, and the row walk.
#pragma once

#include <cmath>
#include <cstdint>

#include "draw/locked_frame.h"
#include "effects/effects.h"

namespace ruDraw::fx {

using Pixel = std::uint16_t;

// Effects run only on 16-bit surfaces once the tables exist.
bool Ready(int objectNo);

// A float channel result truncated toward zero and held to 0..max (NaN
// gives 0): rates inside 0..1 give exactly trunc(v).
inline int TruncClamp(float v, int max) {
  if (!(v > 0.0f)) return 0;
  if (v >= float(max)) return max;
  return int(v);
}
// A level held to 0..31.
inline int ClampLevel(int level) { return level < 0 ? 0 : level > 31 ? 31 : level; }
// k = trunc(31 - rate * 31) held to 0..31.
inline int RateToLevelCut(float rate) { return TruncClamp(31.0f - rate * 31.0f, 31); }

// Per-call constants of the effects that transform each row alike.
struct RowParams {
  float rate[3] = {0, 0, 0};    // source weights (red, green, blue)
  float weight[3] = {0, 0, 0};  // destination weights: 1 - rate
  int level[3] = {0, 0, 0};     // levels, 0..31
  int cut = 0;                  // AddRate's k, 0..31
  DWORD mask = 0;               // DrawMask's channel mask
};

// Effects with a per-row loop, reference and fast.
enum RowEffect {
  kHalf,
  kAlpha,
  kFade,
  kAdd,
  kAddRate,
  kSub,
  kMask,
  kBright,
  kDark,
  kGrey,
  kRowEffectCount
};
using RowLoop = void (*)(Pixel* dest, const Pixel* source, int width, const RowParams& p);

// Pixel layouts with fast loops.
enum FastLayout { k565, k555, kNoFastLayout };
// The back buffer's layout among those with fast loops.
FastLayout CurrentLayout();

// The loop written straight from the rule (uses the tables and the
// pixel-format values).
RowLoop ReferenceRow(RowEffect effect);
// The fast loop for a layout, or nullptr.
RowLoop FastRow(RowEffect effect, FastLayout layout);
// Lets the fast loops use AVX2 when the processor has it (the default) or
// keeps them to the baseline (tests compare both).
void UseAvx2Loops(bool enabled);
// True when the fast loops use AVX2.
bool Avx2Loops();
// The box blur's fast loop over a clipped area with a bw x bh block; false
// (nothing drawn) when the layout or width has none.
bool BlurFast(const LockedArea& a, int bw, int bh);
// The fast loop when fast paths are on and the layout has one, else the
// reference.
RowLoop ChooseRow(RowEffect effect);

// Clips, locks, runs `loop` over every row, unlocks.
int RunRows(RowLoop loop, const RowParams& p, int x, int y, int objectNo, int left, int top,
            int right, int bottom);

// Row r of locked rows as 16-bit pixels.
inline Pixel* Row(const platform::pixel::Rows& rows, int r) { return rows.Row<Pixel>(r); }

// Full-precision channel ch of a pixel.
inline DWORD Channel(DWORD p, int ch) {
  switch (ch) {
    case 0:
      return (p >> RedShift) & RedMax;
    case 1:
      return (p >> GreenShift) & GreenMax;
    default:
      return (p >> BlueShift) & BlueMax;
  }
}
// The maximum of channel ch (0 red, 1 green, 2 blue).
inline DWORD ChannelMax(int ch) { return ch == 0 ? RedMax : ch == 1 ? GreenMax : BlueMax; }
// Full-precision channels packed into a pixel.
inline DWORD PackFull(DWORD r, DWORD g, DWORD b) {
  return (r << RedShift) | (g << GreenShift) | (b << BlueShift);
}
// 5-bit channel ch from RgbTable.
inline int Five(DWORD p, int ch) {
  const Rgb5& c = RgbTable[p & 0xFFFF];
  return ch == 0 ? c.red : ch == 1 ? c.green : c.blue;
}

// Packs three 5-bit values with the 5-bit shifts.
inline Pixel Pack5(int r, int g, int b) {
  return Pixel((r << RedShift5) | (g << GreenShift5) | (b << BlueShift5));
}

}  // namespace ruDraw::fx
