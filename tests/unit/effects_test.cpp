// effects_test.cpp - the pixel effects on a headless 16-bit screen at 5-6-5
// and 5-5-5: the tables, clipping and locking, the transparent 0, each
// effect's rule on chosen pixels, the guards against bad arguments, fast
// loops against the reference loops, and one golden hash per effect.
#include "effects/effects.h"

#include <cstdlib>
#include <functional>
#include <random>
#include <string>

#include "effects/effect_frame.h"
#include "effects/effects_internal.h"
#include "platform/surface/blit.h"
#include "tests/support/draw_fixture.h"
#include "tests/support/effects_fixture.h"

namespace {

using drawtest::BackPixel;
using drawtest::DrawTest;
using drawtest::Paint;
using namespace ruDraw;

constexpr unsigned kSeed = 7;

// An effect drawn from object `no` at (x, y) with the whole object.
using Effect = std::function<int(int x, int y, int no, int w, int h)>;
struct Named {
  const char* name;
  Effect run;
};

// An entry of the effect tables below: `call` sees x, y, n (the object), w, h.
#define FX(name, call)                                           \
  Named {                                                        \
    name, [](int x, int y, int n, int w, int h) { return call; } \
  }

// Every effect with typical arguments.
std::vector<Named> AllEffects() {
  return {
      FX("Half", DrawHalf(x, y, n, 0, 0, w, h)),
      FX("Alpha", DrawAlpha(x, y, 0.3f, n, 0, 0, w, h)),
      FX("AlphaRGB", DrawAlphaRGB(x, y, 0.2f, 0.5f, 0.9f, n, 0, 0, w, h)),
      FX("Fade", DrawFade(x, y, 12, n, 0, 0, w, h)),
      FX("FadeRGB", DrawFadeRGB(x, y, 3, 16, 29, n, 0, 0, w, h)),
      FX("AlphaGradient", DrawAlphaGradient(x, y, 0.1f, 0.2f, 0.3f, 0, 4, 2, n, 0, 0, w, h)),
      FX("AlphaGradientV", DrawAlphaGradient(x, y, 0.0f, 0.5f, 0.25f, 1, 3, 1, n, 0, 0, w, h)),
      FX("FadeGradient", DrawFadeGradient(x, y, 0, 8, 20, 0, 5, 1, n, 0, 0, w, h)),
      FX("FadeGradientV", DrawFadeGradient(x, y, 4, 4, 4, 1, 2, 2, n, 0, 0, w, h)),
      FX("Add", DrawAdd(x, y, n, 0, 0, w, h)),
      FX("AddRate", DrawAddRate(x, y, 0.6f, n, 0, 0, w, h)),
      FX("Sub", DrawSub(x, y, n, 0, 0, w, h)),
      FX("Mask", DrawMask(x, y, 1, 0, 1, n, 0, 0, w, h)),
      FX("Bright", DrawBright(x, y, 0.7f, n, 0, 0, w, h)),
      FX("BrightRGB", DrawBrightRGB(x, y, 1.0f, 0.4f, 0.1f, n, 0, 0, w, h)),
      FX("Dark", DrawDark(x, y, 20, n, 0, 0, w, h)),
      FX("DarkRGB", DrawDarkRGB(x, y, 31, 10, 0, n, 0, 0, w, h)),
      FX("Grey", DrawGrey(x, y, n, 0, 0, w, h)),
      FX("Blur", DrawBlur(x, y, 5, n, 0, 0, w, h)),
      FX("Smooth", DrawSmooth(x, y, n, 0, 0, w, h)),
      FX("Refract", DrawRefract(x, y, 0.8f, n, 0, 0, w, h)),
      FX("Glow", DrawGlow(x, y, 1, 1, 0, 0xFF, 1, n, 0, 0, w, h)),
  };
}

using fxtest::Hash;
using fxtest::Photo;

class EffectsTest : public DrawTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    std::srand(kSeed);
    OpenScreen(GetParam());
    platform::blit::SetFastPathsEnabled(true);
  }
  void TearDown() override {
    platform::blit::SetFastPathsEnabled(true);
    fx::UseAvx2Loops(true);
    DrawTest::TearDown();
  }
  const platform::pixel::Layout& Layout() const {
    return GetParam() == 15 ? platform::pixel::k555 : platform::pixel::k565;
  }
  // A w x h object painted by `value`.
  int Object(int w, int h, const std::function<DWORD(int, int)>& value) {
    const int n = CreateObject(w, h, 2);
    Paint(Objects[n].surface, value);
    return n;
  }
  void Background(const std::function<DWORD(int, int)>& value) { Paint(BackBuffer, value); }
  // The 5-bit and full-precision packings of the current layout.
  DWORD P5(int r, int g, int b) const {
    return DWORD(r << RedShift5 | g << GreenShift5 | b << BlueShift5);
  }
  DWORD Full(int r, int g, int b) const {
    return DWORD(r << RedShift | g << GreenShift | b << BlueShift);
  }
  // The picture every golden hash and comparison draws: a photo with a
  // transparent disc and a transparent border column.
  int PhotoObject(int w, int h) {
    const auto& l = Layout();
    return Object(w, h, [&](int x, int y) {
      const int dx = x - w / 3, dy = y - h / 2;
      if (dx * dx + dy * dy < 36 || x == w - 1) return DWORD(0);
      const DWORD v = Photo(x * 3 + 40, y * 2 + 11, l);
      return v ? v : DWORD(1);
    });
  }
};

INSTANTIATE_TEST_SUITE_P(Layouts, EffectsTest, ::testing::Values(16, 15),
                         [](const auto& info) { return info.param == 16 ? "565" : "555"; });

TEST_P(EffectsTest, TablesHoldTheirRules) {
  if (GetParam() == 16) {
    EXPECT_EQ(
        (std::vector<int>{RgbTable[0xFFFF].red, RgbTable[0xFFFF].green, RgbTable[0xFFFF].blue,
                          RgbTable[0x07E0].red, RgbTable[0x07E0].green, RgbTable[0x07E0].blue}),
        (std::vector<int>{31, 31, 31, 0, 31, 0}));
  } else {
    // Pixels with bit 15 set are reached by no channel combination.
    EXPECT_EQ(
        (std::vector<int>{RgbTable[0x7FFF].green, RgbTable[0xFFFF].red, RgbTable[0x8001].blue}),
        (std::vector<int>{31, 0, 0}));
  }
  EXPECT_EQ(FadeTable[1][31 - 16][20][10], WORD(5 << GreenShift5));
  EXPECT_EQ(AddTable[2][0][20][20], WORD(31 << BlueShift5));
  // RandomTable holds the generator's sequence from set-up, modulo 3.
  std::srand(kSeed);
  for (int i = 0; i < 10000; ++i) ASSERT_EQ(RandomTable[i], std::rand() % 3) << i;
}

TEST_P(EffectsTest, ShapeOneClipsAndLocksAsTheFrameSays) {
  const int obj = Object(8, 4, [](int, int) { return 0x1234; });
  SetClipWindow(100, 100, 200, 200);
  // Past the right edge: nothing is locked (a lock fault would give 0).
  platform::InjectDisplayFault(platform::DisplayOp::Lock, 1, DDERR_GENERIC);
  EXPECT_EQ(DrawHalf(201, 150, obj, 0, 0, 8, 4), 1);
  // At the right edge the width is 0: both surfaces are locked and unlocked.
  EXPECT_EQ(DrawHalf(200, 150, obj, 0, 0, 8, 4), 0);
  platform::ClearDisplayFaults();
  EXPECT_EQ(DrawHalf(200, 150, obj, 0, 0, 8, 4), 1);
  // The back buffer's lock fails: the source is unlocked again.
  platform::InjectDisplayFault(platform::DisplayOp::Lock, 2, DDERR_GENERIC);
  EXPECT_EQ(DrawMask(150, 150, 1, 1, 1, obj, 0, 0, 8, 4), 0);
  EXPECT_EQ(DrawMask(150, 150, 1, 1, 1, obj, 0, 0, 8, 4), 1);
  EXPECT_EQ(BackPixel(150, 150), 0x1234u);
  // Cut on the left and top: visible pixels keep their screen positions.
  const int code = PatternObject(32, 32);
  EXPECT_EQ(DrawMask(90, 95, 1, 1, 1, code, 0, 0, 32, 32), 1);
  EXPECT_EQ(BackPixel(100, 100), drawtest::Code(10, 5));
  EXPECT_EQ(BackPixel(99, 100), 0u);
}

TEST_P(EffectsTest, TransparentZeroNeverChangesTheBackBuffer) {
  Background([&](int x, int y) { return Photo(x, y, Layout()); });
  const int zero = Object(40, 30, [](int, int) { return 0; });
  const std::uint32_t before = Hash(0, 0, 640, 480);
  for (const Named& e : AllEffects()) {
    EXPECT_EQ(e.run(300, 200, zero, 40, 30), 1) << e.name;
    EXPECT_EQ(Hash(0, 0, 640, 480), before) << e.name;
  }
}

// One source pixel over one destination pixel: the rule's result.
struct PixelCase {
  const char* name;
  DWORD source, dest;
  std::function<int(int no)> run;
  DWORD expected;
};

// The effect on a 1 x 1 object `n` at (0, 0).
#define ONE(call) [](int n) { return call; }

TEST_P(EffectsTest, EachRuleOnChosenPixels) {
  const DWORD white = WhiteColor;
  const auto c = [](DWORD v) { return v; };
  const auto full = [this](int r, int g, int b) { return Full(r, g, b); };
  const auto five = [this](int r, int g, int b) { return P5(r, g, b); };
  const int gMax = int(GreenMax);
  const PixelCase cases[] = {
      {"half white on black", c(white), c(0), ONE(DrawHalf(0, 0, n, 0, 0, 1, 1)), c(HalfMask)},
      {"alpha 1 copies", full(3, gMax - 1, 17), full(30, 1, 2),
       ONE(DrawAlpha(0, 0, 1.0f, n, 0, 0, 1, 1)), full(3, gMax - 1, 17)},
      {"alpha 0 keeps", full(3, 40 % (gMax + 1), 17), full(30, 1, 2),
       ONE(DrawAlpha(0, 0, 0.0f, n, 0, 0, 1, 1)), full(30, 1, 2)},
      {"alpha 2 clamps", full(20, 3, 1), full(2, 3, 30), ONE(DrawAlpha(0, 0, 2.0f, n, 0, 0, 1, 1)),
       full(31, 3, 0)},
      {"fade 31 is the source", c(white), c(0), ONE(DrawFade(0, 0, 31, n, 0, 0, 1, 1)),
       five(31, 31, 31)},
      {"fade 0 is the destination", c(1), c(white), ONE(DrawFade(0, 0, 0, n, 0, 0, 1, 1)),
       five(31, 31, 31)},
      {"fade 16", five(31, 20, 31), five(31, 10, 31), ONE(DrawFade(0, 0, 16, n, 0, 0, 1, 1)),
       five(31, 5, 31)},
      {"fade 99 as 31", five(1, 2, 3), c(white), ONE(DrawFade(0, 0, 99, n, 0, 0, 1, 1)),
       five(1, 2, 3)},
      {"add saturates", five(20, 1, 0), five(20, 2, 31), ONE(DrawAdd(0, 0, n, 0, 0, 1, 1)),
       five(31, 3, 31)},
      {"add rate 0 adds nothing", c(white), five(4, 5, 6),
       ONE(DrawAddRate(0, 0, 0.0f, n, 0, 0, 1, 1)), five(4, 5, 6)},
      {"sub red 31 blackens", five(31, 0, 0), c(white), ONE(DrawSub(0, 0, n, 0, 0, 1, 1)), c(0)},
      {"sub by red only", five(5, 31, 31), five(10, 3, 31), ONE(DrawSub(0, 0, n, 0, 0, 1, 1)),
       five(5, 0, 26)},
      {"mask red", c(white), c(0), ONE(DrawMask(0, 0, 1, 0, 0, n, 0, 0, 1, 1)), c(RedMask)},
      {"mask none", c(white), c(5), ONE(DrawMask(0, 0, 0, 0, 0, n, 0, 0, 1, 1)), c(0)},
      {"bright half", full(31, 7, 2), c(0), ONE(DrawBright(0, 0, 0.5f, n, 0, 0, 1, 1)),
       full(15, 3, 1)},
      {"dark 31", c(white), c(0), ONE(DrawDark(0, 0, 31, n, 0, 0, 1, 1)), five(31, 31, 31)},
      {"dark 0", c(white), c(7), ONE(DrawDark(0, 0, 0, n, 0, 0, 1, 1)), c(0)},
      {"grey of red", five(31, 0, 0), c(0), ONE(DrawGrey(0, 0, n, 0, 0, 1, 1)), five(10, 10, 10)},
      {"blur 1 copies in 5 bits", c(white), c(0), ONE(DrawBlur(0, 0, 1, n, 0, 0, 1, 1)),
       five(31, 31, 31)},
      {"blur 0 as 1", c(white), c(0), ONE(DrawBlur(0, 0, 0, n, 0, 0, 1, 1)), five(31, 31, 31)},
      {"smooth alone copies", c(white), c(0), ONE(DrawSmooth(0, 0, n, 0, 0, 1, 1)), c(white)},
  };
  for (const PixelCase& pc : cases) {
    const int no = Object(1, 1, [&](int, int) { return pc.source; });
    Background([&](int, int) { return pc.dest; });
    EXPECT_EQ(pc.run(no), 1) << pc.name;
    EXPECT_EQ(BackPixel(0, 0), pc.expected) << pc.name;
    FreeObject(no);
  }
}

TEST_P(EffectsTest, GuardsAgainstBadObjectsAndDepths) {
  for (const Named& e : AllEffects()) {
    EXPECT_EQ(e.run(0, 0, 1024, 4, 4), 0) << e.name;
    EXPECT_EQ(e.run(0, 0, -1, 4, 4), 0) << e.name;
    EXPECT_EQ(e.run(0, 0, 600, 4, 4), 0) << e.name;  // an empty slot
  }
  // A source rectangle beyond the object is cut to it.
  const int no = Object(2, 2, [](int, int) { return 0xFFFF; });
  Background([](int, int) { return 0; });
  EXPECT_EQ(DrawMask(10, 10, 1, 1, 1, no, -5, -5, 50, 50), 1);
  EXPECT_EQ(BackPixel(15, 15), WhiteColor);
  EXPECT_EQ(BackPixel(16, 16), WhiteColor);
  EXPECT_EQ(BackPixel(17, 15), 0u);
  // At 32 bits the tables are empty and every effect declines.
  CloseScreen();
  OpenScreen(32);
  const int big = CreateObject(4, 4, 2);
  for (const Named& e : AllEffects()) EXPECT_EQ(e.run(0, 0, big, 4, 4), 0) << e.name;
}

TEST_P(EffectsTest, GradientsStepFromTheClippedCorner) {
  // Horizontal: start 10, period 4: columns 0..13 at the start rate, one
  // step at column 14. The source is white, the background black, rate 0.
  const int no = Object(40, 2, [](int, int) { return WhiteColor; });
  Background([](int, int) { return 0; });
  DrawAlphaGradient(0, 0, 0.0f, 0.0f, 0.0f, 0, 10, 4, no, 0, 0, 40, 2);
  EXPECT_EQ(BackPixel(13, 1), 0u);
  // 1/32 of full reaches 1 only in a 6-bit channel.
  EXPECT_EQ(BackPixel(14, 1), Full(0, GreenMax == 63 ? 1 : 0, 0));
  DrawFadeGradient(0, 0, 0, 0, 0, 0, 10, 4, no, 0, 0, 40, 2);
  EXPECT_EQ(BackPixel(13, 0), 0u);
  EXPECT_EQ(BackPixel(14, 0), P5(1, 1, 1));
  EXPECT_EQ(BackPixel(18, 0), P5(2, 2, 2));
  // Cut on the left by the clip window: the counting starts at its edge.
  Background([](int, int) { return 0; });
  SetClipWindow(100, 0, 640, 480);
  DrawFadeGradient(90, 0, 0, 0, 0, 0, 10, 4, no, 0, 0, 40, 2);
  EXPECT_EQ(BackPixel(113, 0), 0u);
  EXPECT_EQ(BackPixel(114, 0), P5(1, 1, 1));
}

TEST_P(EffectsTest, BlurSmoothAndRefractReadTheirNeighbours) {
  // Blur at the last column averages the columns that end there.
  const int row = Object(4, 1, [&](int x, int) { return x == 3 ? P5(31, 0, 0) : P5(1, 0, 0); });
  DrawBlur(0, 0, 2, row, 0, 0, 4, 1);
  EXPECT_EQ(BackPixel(3, 0), P5(16, 0, 0));
  EXPECT_EQ(BackPixel(0, 0), P5(1, 0, 0)) << "the block shrinks to the one row";
  // Smooth: one transparent neighbour over black halves the channels.
  const int pair = Object(2, 1, [&](int x, int) { return x == 0 ? P5(31, 7, 2) : 0; });
  Background([](int, int) { return 0; });
  DrawSmooth(0, 0, pair, 0, 0, 2, 1);
  EXPECT_EQ(BackPixel(0, 0), P5(15, 3, 1));
  // Refract: red 0 everywhere leaves the background; red 3 at rate 1 pulls
  // the pixel three rows down, but never from beyond the rectangle.
  Background([&](int, int y) { return P5(0, y & 31, 0); });
  const int map = Object(1, 8, [&](int, int) { return P5(3, 9, 9); });
  DrawRefract(0, 0, 1.0f, map, 0, 0, 1, 8);
  EXPECT_EQ(BackPixel(0, 0), P5(0, 3, 0));
  EXPECT_EQ(BackPixel(0, 4), P5(0, 7, 0));
  EXPECT_EQ(BackPixel(0, 5), P5(0, 5, 0));
  const int flat = Object(1, 8, [&](int, int) { return P5(0, 9, 9); });
  DrawRefract(0, 20, 1.0f, flat, 0, 0, 1, 8);
  EXPECT_EQ(BackPixel(0, 20), P5(0, 20, 0));
}

TEST_P(EffectsTest, GlowRaysFadeStopAtTheClipWindowAndKeepTheirPosition) {
  // Find a flicker of 0 for the white pixel.
  int at = 0;
  while (RandomTable[at] != 0) ++at;
  const int white = Object(1, 1, [](int, int) { return WhiteColor; });
  Background([](int, int) { return 0; });
  fx::GlowRandomPosition = at;
  DrawGlow(50, 50, 0, 0, 0, 0x40, 0, white, 0, 0, 1, 1);
  EXPECT_EQ(fx::GlowRandomPosition, at + 1);
  EXPECT_EQ((std::vector<DWORD>{BackPixel(50, 49), BackPixel(50, 48), BackPixel(50, 20),
                                BackPixel(50, 19), BackPixel(50, 50)}),
            (std::vector<DWORD>{P5(30, 30, 30), P5(29, 29, 29), P5(1, 1, 1), 0, 0}));
  // Shifts of 5 leave no light; directions 0 with draw source copy only,
  // and without it leave the screen alone but still move the position.
  Background([](int, int) { return 0; });
  DrawGlow(70, 70, 0, 0, 0, 0, 0, white, 0, 0, 1, 1);
  EXPECT_EQ(fx::GlowRandomPosition, at + 2);
  DrawGlow(50, 50, 5, 5, 5, 0xFF, 0, white, 0, 0, 1, 1);
  DrawGlow(60, 60, 0, 0, 0, 0, 1, white, 0, 0, 1, 1);
  const std::uint32_t got = Hash(0, 0, 640, 480);
  Background([](int x, int y) { return x == 60 && y == 60 ? WhiteColor : 0; });
  EXPECT_EQ(got, Hash(0, 0, 640, 480));
  // Every ray stays inside the clip window.
  Background([](int, int) { return 0; });
  SetClipWindow(100, 100, 110, 110);
  const int block = Object(4, 4, [](int, int) { return WhiteColor; });
  DrawGlow(103, 103, 0, 0, 0, 0xFF, 1, block, 0, 0, 4, 4);
  EXPECT_EQ(Hash(0, 0, 640, 100), Hash(0, 380, 640, 480));
  EXPECT_EQ(BackPixel(99, 105), 0u);
  EXPECT_EQ(BackPixel(110, 105), 0u);
  EXPECT_NE(BackPixel(109, 109), 0u);
}

// Random pixels (zeros, and 5-5-5 values with bit 15 set) through every row
// effect and the blur, fast loops against reference loops, at both vector
// levels; rates include the ends and values just inside them.
TEST_P(EffectsTest, FastLoopsEqualTheReference) {
  std::mt19937 rng(GetParam());
  std::uniform_int_distribution<int> value(0, 0xFFFF), percent(0, 99);
  const auto random = [&](int, int) { return percent(rng) < 20 ? DWORD(0) : DWORD(value(rng)); };
  const int w = 157, h = 23;
  std::vector<Named> cases;
  const float rates[] = {0.0f, 1.0f, 0.5f, 0.3f, 1.0f / 3, 0.999f, 0.001f, 0.7f, -0.5f, 1.5f};
  // Effects with a captured parameter v.
#define FXV(name, call)                                           \
  Named {                                                         \
    name, [v](int x, int y, int n, int w, int h) { return call; } \
  }
  for (float v : rates) {
    cases.push_back(FXV("alpha", DrawAlphaRGB(x, y, v, 1 - v, v * v, n, 0, 0, w, h)));
    cases.push_back(FXV("bright", DrawBrightRGB(x, y, v, 1 - v, v * v, n, 0, 0, w, h)));
    cases.push_back(FXV("addrate", DrawAddRate(x, y, v, n, 0, 0, w, h)));
  }
  for (int v : {0, 1, 15, 30, 31}) {
    cases.push_back(FXV("fade", DrawFadeRGB(x, y, v, 31 - v, v / 2, n, 0, 0, w, h)));
    cases.push_back(FXV("dark", DrawDarkRGB(x, y, v, 31 - v, v / 2, n, 0, 0, w, h)));
  }
  for (int v : {1, 2, 3, 7, 16, 17, 45})
    cases.push_back(FXV("blur", DrawBlur(x, y, v, n, 0, 0, w, h)));
  cases.push_back(FX("blur narrow", DrawBlur(x, y, 12, n, 3, 0, 13, h)));
  for (const Named& e : AllEffects()) cases.push_back(e);
  const int source = Object(w, h, random);
  const int backdrop = Object(200, 100, random);
  for (const Named& e : cases) {
    std::uint32_t reference = 0;
    for (int mode = 0; mode < 3; ++mode) {
      DrawNoKey(0, 0, backdrop, 0, 0, 200, 100);
      platform::blit::SetFastPathsEnabled(mode != 0);
      fx::UseAvx2Loops(mode == 2);
      fx::GlowRandomPosition = 0;
      // Also cut on the left, so rows start unaligned.
      e.run(3, 5, source, w, h);
      e.run(-9, 40, source, w, h);
      const std::uint32_t got = Hash(0, 0, 200, 100);
      if (mode == 0) reference = got;
      EXPECT_EQ(got, reference) << e.name << " mode " << mode;
    }
  }
}

// Every pair of channel values (source column, destination row) through the
// float loops, for the ends, values next to them and 300 random rates.
TEST_P(EffectsTest, FloatLoopsEqualTheReferenceForEveryChannelPair) {
  const int m = int(GreenMax) + 1;
  const auto channels = [&](int v, int blueFlip) {
    return Full(v & 31, v % m, (v & 31) ^ blueFlip);
  };
  const int grid = Object(64, 64, [&](int x, int) { return channels(x, 1); });
  const int rows = Object(64, 64, [&](int, int y) { return channels(y, 0); });
  std::vector<float> rates = {0.0f, 1.0f, 0.5f, 1e-30f, 0.99999994f, 5.9604645e-08f};
  std::mt19937 rng(3);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  for (int i = 0; i < 300; ++i) rates.push_back(unit(rng));
  for (size_t i = 0; i + 2 < rates.size(); ++i) {
    const float r = rates[i], g = rates[i + 1], b = rates[i + 2];
    std::uint32_t hash[2][2];
    for (int fast = 0; fast < 2; ++fast) {
      platform::blit::SetFastPathsEnabled(fast != 0);
      DrawNoKey(0, 0, rows, 0, 0, 64, 64);
      DrawAlphaRGB(0, 0, r, g, b, grid, 0, 0, 64, 64);
      hash[fast][0] = Hash(0, 0, 64, 64);
      DrawBrightRGB(0, 0, r, g, b, grid, 0, 0, 64, 64);
      hash[fast][1] = Hash(0, 0, 64, 64);
    }
    ASSERT_EQ(hash[0][0], hash[1][0]) << "alpha " << r << " " << g << " " << b;
    ASSERT_EQ(hash[0][1], hash[1][1]) << "bright " << r << " " << g << " " << b;
  }
}

// One golden hash per effect of a fixed picture over a fixed background.
TEST_P(EffectsTest, GoldenPictures) {
  struct Golden {
    const char* name;
    std::uint32_t h565, h555;
  };
  const Golden golden[] = {
      {"Half", 0xc1df32c9, 0x7bf39509},           {"Alpha", 0x5b5634d2, 0x736dcbfa},
      {"AlphaRGB", 0x1ab14c, 0xa4993f3e},         {"Fade", 0xceb6f6d6, 0x4ecc589f},
      {"FadeRGB", 0xc4f8324c, 0x9ad3094a},        {"AlphaGradient", 0x6b05bcb4, 0xd339cc58},
      {"AlphaGradientV", 0x27cb25be, 0x476ce790}, {"FadeGradient", 0x4ae954dd, 0x3ac2f5f1},
      {"FadeGradientV", 0x7db925a7, 0x76874e6d},  {"Add", 0x2da9211f, 0xff31b51e},
      {"AddRate", 0xf22836f9, 0x1cb733bd},        {"Sub", 0x7883fb7a, 0x7bf61870},
      {"Mask", 0x6b1cbf2c, 0x407e690a},           {"Bright", 0x360c9d3f, 0x6ff08dbb},
      {"BrightRGB", 0xe55361e1, 0xb0397ba9},      {"Dark", 0xa56b10a8, 0xe8f8ad1a},
      {"DarkRGB", 0xf06981da, 0x32a9c114},        {"Grey", 0x5ec64f1e, 0x56b4a365},
      {"Blur", 0xecb2fbde, 0x9d89d930},           {"Smooth", 0x564a3e9e, 0xfb93744c},
      {"Refract", 0xb82f3e52, 0x6bf94f00},        {"Glow", 0x1100ff8a, 0x14499c32},
  };
  const int w = 96, h = 64;
  const int obj = PhotoObject(w, h);
  const std::vector<Named> effects = AllEffects();
  ASSERT_EQ(std::size(golden), effects.size());
  for (size_t i = 0; i < effects.size(); ++i) {
    Background([&](int x, int y) { return Photo(639 - x, y + 3 * x, Layout()); });
    fx::GlowRandomPosition = 0;
    SetClipWindow(20, 20, 620, 460);
    effects[i].run(10, 30, obj, w, h);
    const std::uint32_t got = Hash(0, 0, 130, 130);
    EXPECT_EQ(got, GetParam() == 16 ? golden[i].h565 : golden[i].h555)
        << "{\"" << effects[i].name << "\", 0x" << std::hex << got << "},";
  }
}

}  // namespace
