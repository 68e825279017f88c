// blend.cpp - blending effects: half mix, rate and level cross-fades, their
// gradients, additive mix and subtraction of the source's red level.
#include "effects/effect_frame.h"

namespace ruDraw {

using namespace fx;

namespace {

RowParams Rates(float red, float green, float blue) {
  RowParams p;
  const float rates[3] = {red, green, blue};
  for (int ch = 0; ch < 3; ++ch) {
    p.rate[ch] = rates[ch];
    p.weight[ch] = 1.0f - rates[ch];
  }
  return p;
}

RowParams Levels(int red, int green, int blue) {
  RowParams p;
  p.level[0] = ClampLevel(red);
  p.level[1] = ClampLevel(green);
  p.level[2] = ClampLevel(blue);
  return p;
}

// The step counter of a gradient: steps once every `period` counts past
// `start` (every count when period is 1 or less).
struct GradientCounter {
  WORD start;
  int period;
  int count = 0;
  // Counts position `at`; true when the gradient steps there.
  bool Steps(int at) {
    if (at <= int(start)) return false;
    if (++count < period) return false;
    count = 0;
    return true;
  }
};

// Rate gradient: destination weights q, stepping down by 1/32 to 0.
struct RateGradient {
  float start[3], q[3], p[3];
  void Reset() {
    for (int ch = 0; ch < 3; ++ch) Set(ch, start[ch]);
  }
  void Set(int ch, float value) {
    q[ch] = value;
    p[ch] = 1.0f - value;
  }
  void Step() {
    for (int ch = 0; ch < 3; ++ch) {
      float v = q[ch] - 0.03125f;
      if (v < 0) v = 0;
      Set(ch, v);
    }
  }
  Pixel Mix(Pixel s, Pixel d) const {
    DWORD c[3];
    for (int ch = 0; ch < 3; ++ch)
      c[ch] = DWORD(TruncClamp(float(Channel(s, ch)) * p[ch] + float(Channel(d, ch)) * q[ch],
                               int(ChannelMax(ch))));
    return Pixel(PackFull(c[0], c[1], c[2]));
  }
};

// Level gradient: FadeTable's k, stepping down by one to 0.
struct LevelGradient {
  int start[3], k[3];
  void Reset() {
    for (int ch = 0; ch < 3; ++ch) k[ch] = start[ch];
  }
  void Step() {
    for (int& v : k)
      if (v > 0) --v;
  }
  Pixel Mix(Pixel s, Pixel d) const {
    Pixel out = 0;
    for (int ch = 0; ch < 3; ++ch) out |= FadeTable[ch][k[ch]][Five(s, ch)][Five(d, ch)];
    return out;
  }
};

// Walks the clipped rectangle, stepping the gradient along columns or rows.
template <class Gradient>
int RunGradient(Gradient g, int vertical, WORD start, int period, int x, int y, int objectNo,
                int left, int top, int right, int bottom) {
  if (!Ready(objectNo)) return 0;
  return WithObjectAtPoint(x, y, objectNo, left, top, right, bottom, [&](const LockedArea& a) {
    GradientCounter counter{start, period};
    g.Reset();
    for (int r = 0; r < a.height; ++r) {
      Pixel* d = Row(a.dest, r);
      const Pixel* s = Row(a.source, r);
      if (vertical) {
        if (counter.Steps(r)) g.Step();
      } else {
        g.Reset();
        counter.count = 0;
      }
      for (int c = 0; c < a.width; ++c) {
        if (!vertical && counter.Steps(c)) g.Step();
        if (s[c] != 0) d[c] = g.Mix(s[c], d[c]);
      }
    }
  });
}

}  // namespace

int DrawHalf(int x, int y, int objectNo, int left, int top, int right, int bottom) {
  return RunRows(ChooseRow(kHalf), RowParams{}, x, y, objectNo, left, top, right, bottom);
}

int DrawAlpha(int x, int y, float rate, int objectNo, int left, int top, int right, int bottom) {
  return RunRows(ChooseRow(kAlpha), Rates(rate, rate, rate), x, y, objectNo, left, top, right,
                 bottom);
}

int DrawAlphaRGB(int x, int y, float redRate, float greenRate, float blueRate, int objectNo,
                 int left, int top, int right, int bottom) {
  return RunRows(ChooseRow(kAlpha), Rates(redRate, greenRate, blueRate), x, y, objectNo, left, top,
                 right, bottom);
}

int DrawFade(int x, int y, int level, int objectNo, int left, int top, int right, int bottom) {
  return RunRows(ChooseRow(kFade), Levels(level, level, level), x, y, objectNo, left, top, right,
                 bottom);
}

int DrawFadeRGB(int x, int y, int redLevel, int greenLevel, int blueLevel, int objectNo, int left,
                int top, int right, int bottom) {
  return RunRows(ChooseRow(kFade), Levels(redLevel, greenLevel, blueLevel), x, y, objectNo, left,
                 top, right, bottom);
}

int DrawAlphaGradient(int x, int y, float redRate, float greenRate, float blueRate, int vertical,
                      WORD start, int period, int objectNo, int left, int top, int right,
                      int bottom) {
  RateGradient g;
  const float rates[3] = {redRate, greenRate, blueRate};
  for (int ch = 0; ch < 3; ++ch) g.start[ch] = 1.0f - rates[ch];
  return RunGradient(g, vertical, start, period, x, y, objectNo, left, top, right, bottom);
}

int DrawFadeGradient(int x, int y, int redLevel, int greenLevel, int blueLevel, int vertical,
                     WORD start, int period, int objectNo, int left, int top, int right,
                     int bottom) {
  LevelGradient g;
  const int levels[3] = {redLevel, greenLevel, blueLevel};
  for (int ch = 0; ch < 3; ++ch) g.start[ch] = 31 - ClampLevel(levels[ch]);
  return RunGradient(g, vertical, start, period, x, y, objectNo, left, top, right, bottom);
}

int DrawAdd(int x, int y, int objectNo, int left, int top, int right, int bottom) {
  return RunRows(ChooseRow(kAdd), RowParams{}, x, y, objectNo, left, top, right, bottom);
}

int DrawAddRate(int x, int y, float rate, int objectNo, int left, int top, int right, int bottom) {
  RowParams p;
  p.cut = RateToLevelCut(rate);
  return RunRows(ChooseRow(kAddRate), p, x, y, objectNo, left, top, right, bottom);
}

int DrawSub(int x, int y, int objectNo, int left, int top, int right, int bottom) {
  return RunRows(ChooseRow(kSub), RowParams{}, x, y, objectNo, left, top, right, bottom);
}

}  // namespace ruDraw
