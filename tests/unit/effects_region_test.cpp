// effects_region_test.cpp - the region effects at 5-6-5 and 5-5-5: flames,
// blur and their fades, enlargement, mosaic and noise; their persistent
// random positions and run counters, regions reaching outside the back
// buffer, fast loops against the reference, one golden hash per effect.
#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "effects/effects_internal.h"
#include "tests/support/effects_fixture.h"

namespace {

using drawtest::BackPixel;
using fxtest::Hash;
using fxtest::HashScreen;
using namespace ruDraw;

class RegionTest : public fxtest::EffectTest {
 protected:
  void SetUp() override {
    EffectTest::SetUp();
    std::memcpy(savedTable_, RandomTable, sizeof savedTable_);
    fx::FireRandomPosition = fx::FireFadeRandomPosition = 0;
    fx::NoiseRandomPosition = fx::NoiseRgbRandomPosition = 0;
    fx::FireRun = fx::FireFadeRun = 0;
  }
  void TearDown() override {
    std::memcpy(RandomTable, savedTable_, sizeof savedTable_);
    EffectTest::TearDown();
  }
  int Five(int x, int y, int ch) const { return fx::Five(BackPixel(x, y), ch); }

 private:
  signed char savedTable_[10000];
};

INSTANTIATE_TEST_SUITE_P(Layouts, RegionTest, ::testing::Values(16, 15),
                         [](const auto& info) { return info.param == 16 ? "565" : "555"; });

TEST_P(RegionTest, BlurOfOneColourKeepsItInFiveBitsAndLeavesTheEdges) {
  const DWORD white = WhiteColor;
  Background([&](int, int) { return white; });
  EXPECT_EQ(ScreenBlur(10, 10, 20, 15), 1);
  EXPECT_EQ(BackPixel(11, 11), P5(31, 31, 31));
  EXPECT_EQ(BackPixel(28, 23), P5(31, 31, 31));
  EXPECT_EQ((std::vector<DWORD>{BackPixel(10, 11), BackPixel(29, 11), BackPixel(11, 10),
                                BackPixel(11, 24)}),
            (std::vector<DWORD>(4, white)));
  // Narrow regions change nothing.
  Background([&](int, int) { return white; });
  const std::uint32_t before = HashScreen();
  EXPECT_EQ(ScreenBlur(10, 10, 2, 50), 1);
  EXPECT_EQ(ScreenBlurFade(1, 1, 1, 10, 10, 50, 2), 1);
  EXPECT_EQ(HashScreen(), before);
}

TEST_P(RegionTest, BlurFadeDarkensEveryCallAndStopsAtBlack) {
  Background([&](int, int) { return WhiteColor; });
  ScreenBlurFade(1, 1, 1, 0, 0, 60, 60);
  EXPECT_EQ(BackPixel(1, 1), P5(30, 30, 30));
  EXPECT_EQ(BackPixel(2, 1), P5(29, 29, 29)) << "its left neighbour is already darker";
  for (int call = 0; call < 120; ++call) ScreenBlurFade(1, 0, 1, 0, 0, 60, 60);
  // Red and blue reach 0 and stay there (no wrap); green, not faded, stays.
  EXPECT_EQ(Five(30, 30, 0), 0);
  EXPECT_EQ(Five(30, 30, 2), 0);
  EXPECT_GT(Five(30, 30, 1), 20);
}

TEST_P(RegionTest, NoiseRaisesChannelsWithinItsShift) {
  struct Case {
    int shift, bound;
  };
  for (const Case c : {Case{0, 2}, Case{3, 16}, Case{-4, 2}, Case{40, 31}}) {
    Background([&](int x, int y) { return P5(x % 32, y % 32, (x + y) % 32); });
    EXPECT_EQ(ScreenNoise(c.shift, 0, 0, 64, 64), 1);
    int most = 0, lower = 0;
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) {
        const int before[3] = {x % 32, y % 32, (x + y) % 32};
        for (int ch = 0; ch < 3; ++ch) {
          const int rise = Five(x, y, ch) - before[ch];
          most = std::max(most, rise);
          lower += rise < 0 || (before[ch] == 31 && rise != 0);
        }
      }
    EXPECT_EQ(most, c.bound) << c.shift;
    EXPECT_EQ(lower, 0) << c.shift;
  }
  // No channel flag: only the 5-bit repacking shows.
  Background([&](int x, int y) { return DWORD((x * 977 + y * 131) & 0x7FFF); });
  EXPECT_EQ(ScreenNoiseRGB(0, 0, 0, 2, 0, 0, 64, 64), 1);
  const DWORD lowGreen = GreenMax == 63 ? 1u << GreenShift : 0u;
  int changed = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      changed += BackPixel(x, y) != (DWORD((x * 977 + y * 131) & 0x7FFF) & ~lowGreen);
  EXPECT_EQ(changed, 0);
}

TEST_P(RegionTest, RandomPositionsCarryOverFromCallToCall) {
  Background([](int, int) { return 0; });
  ScreenNoise(0, 0, 0, 10, 1);
  ScreenNoise(0, 0, 1, 10, 1);
  for (int k = 0; k < 10; ++k) {
    ASSERT_EQ(Five(k, 0, 0), RandomTable[k]) << k;
    ASSERT_EQ(Five(k, 1, 2), RandomTable[10 + k]) << k;
  }
  // Past 9999 a position restarts at rand() % 1000.
  std::srand(11);
  const int restart = std::rand() % 1000;
  std::srand(11);
  fx::NoiseRgbRandomPosition = 9998;
  ScreenNoiseRGB(1, 0, 0, 0, 0, 5, 4, 1);
  EXPECT_EQ(fx::NoiseRgbRandomPosition, restart + 2);
  EXPECT_EQ((std::vector<int>{Five(0, 5, 0), Five(1, 5, 0), Five(2, 5, 0), Five(3, 5, 0)}),
            (std::vector<int>{RandomTable[9998], RandomTable[9999], RandomTable[restart],
                              RandomTable[restart + 1]}));
}

TEST_P(RegionTest, FlamesCopyOrAverageTheRowBelowAndKeepTheirCounter) {
  // Row colours 0..31 in red; every table value 0: each inner pixel is a
  // copy of the one below, so the picture rises one row per call.
  const auto rows = [this](int, int y) { return P5(y % 32, 3, 0); };
  std::fill(std::begin(RandomTable), std::end(RandomTable), 0);
  Background(rows);
  EXPECT_EQ(ScreenFire(10, 10, 8, 6), 1);
  EXPECT_EQ((std::vector<int>{Five(11, 11, 0), Five(16, 14, 0), Five(10, 11, 0), Five(11, 15, 0)}),
            (std::vector<int>{12, 15, 11, 15}));
  EXPECT_EQ(fx::FireRandomPosition, 6 * 4);
  // Every table value 2: average, copy, average... and the run counter
  // goes on in the next call. A copy fades nothing, an average does.
  std::fill(std::begin(RandomTable), std::end(RandomTable), 2);
  Background(rows);
  fx::FireFadeRun = 0;
  EXPECT_EQ(ScreenFireFade(1, 0, 0, 10, 10, 5, 3), 1);
  EXPECT_EQ((std::vector<int>{Five(11, 11, 0), Five(12, 11, 0), Five(13, 11, 0), fx::FireFadeRun}),
            (std::vector<int>{11, 12, 11, 1}));
  EXPECT_EQ(ScreenFireFade(1, 0, 0, 10, 20, 4, 3), 1);
  EXPECT_EQ((std::vector<int>{Five(11, 21, 0), Five(12, 21, 0)}), (std::vector<int>{22, 21}));
}

TEST_P(RegionTest, EnlargementWritesBlocksThroughTheWorkSurface) {
  const DWORD old = 0x1111, c = 0x7ABC;
  // The f x f block row by row: '#' the pixel's colour, '.' the work
  // surface's old content.
  const struct {
    int factor, dotted;
    const char* block;
  } cases[] = {
      {2, 0, "####"}, {2, 1, "#..."}, {4, 0, "################"}, {4, 1, "##..##.........."}};
  for (const auto& k : cases) {
    drawtest::Paint(Objects[0].surface, [&](int, int) { return old; });
    Background([&](int x, int y) { return x == 50 && y == 50 ? c : DWORD(0); });
    EXPECT_EQ((k.factor == 2 ? ScreenZoom2 : ScreenZoom4)(50, 50, 1, 1, k.dotted), 1);
    std::string got;
    for (int at = 0; at < k.factor * k.factor; ++at)
      got += BackPixel(50 + at % k.factor, 50 + at / k.factor) == c ? '#' : '.';
    EXPECT_EQ(got, k.block) << k.factor << " dotted " << k.dotted;
  }
}

TEST_P(RegionTest, MosaicFillsCellsInsideTheDisc) {
  const auto unique = [](int x, int y) { return DWORD((1 + x + 640 * y) & 0x7FFF); };
  Background(unique);
  const std::uint32_t before = HashScreen();
  EXPECT_EQ(ScreenMosaicCircle(100, 100, 40, 1), 1);
  EXPECT_EQ(ScreenMosaicCircle(100, 100, 40, 0), 1);
  EXPECT_EQ(HashScreen(), before);
  // Cells start at -R: offsets -20, -12, -4, 4, 12; the square's corners
  // keep their pixels.
  EXPECT_EQ(ScreenMosaicCircle(100, 100, 20, 8), 1);
  EXPECT_EQ(
      (std::vector<DWORD>{BackPixel(103, 103), BackPixel(117, 100), BackPixel(81, 81),
                          BackPixel(100, 121)}),
      (std::vector<DWORD>{unique(96, 96), unique(112, 96), unique(81, 81), unique(100, 121)}));
  // Near the screen's edges the cells start at the edge and stop there.
  Background(unique);
  EXPECT_EQ(ScreenMosaicCircle(5, 475, 30, 8), 1);
  EXPECT_EQ((std::vector<DWORD>{BackPixel(0, 445), BackPixel(7, 452), BackPixel(8, 479)}),
            (std::vector<DWORD>{unique(0, 445), unique(0, 445), unique(8, 477)}));
}

TEST_P(RegionTest, RegionsOutsideTheBackBufferAreCut) {
  // The same pixels as the region cut by hand (the flames keep the row
  // below inside); the sweep in effects_hostile_test.cpp covers the rest.
  const auto twice = [this](const std::function<void()>& cut, const std::function<void()>& by) {
    std::uint32_t h[2];
    for (int k = 0; k < 2; ++k) {
      PhotoBackground();
      fx::FireRun = fx::FireRandomPosition = 0;
      (k ? by : cut)();
      h[k] = HashScreen();
    }
    return h[0] == h[1];
  };
  EXPECT_TRUE(twice([] { ScreenBlur(-10, -10, 700, 600); }, [] { ScreenBlur(0, 0, 640, 480); }));
  EXPECT_TRUE(twice([] { ScreenFire(-5, 470, 700, 100); }, [] { ScreenFire(0, 470, 640, 9); }));
  // A failed lock changes nothing; the enlargement unlocks its work
  // surface again.
  platform::InjectDisplayFault(platform::DisplayOp::Lock, 2, DDERR_GENERIC);
  EXPECT_EQ(ScreenZoom2(0, 0, 8, 8, 0), 0);
  EXPECT_EQ(ScreenZoom2(0, 0, 8, 8, 0), 1);
  // At 32 bits per pixel the effects decline.
  CloseScreen();
  OpenScreen(32);
  EXPECT_EQ(
      (std::vector<int>{ScreenFire(0, 0, 9, 9), ScreenBlur(0, 0, 9, 9), ScreenZoom2(0, 0, 9, 9, 0),
                        ScreenMosaicCircle(9, 9, 9, 2), ScreenNoise(0, 0, 0, 9, 9)}),
      (std::vector<int>(5, 0)));
}

TEST_P(RegionTest, FastLoopsEqualTheReference) {
  const int backdrop = RandomObject(640, 480, GetParam());
  const auto reset = [&](int position) {
    return [&, position] {
      DrawNoKey(0, 0, backdrop, 0, 0, 640, 480);
      std::srand(3);
      fx::NoiseRandomPosition = fx::NoiseRgbRandomPosition = position;
    };
  };
  for (int fade = 0; fade < 8; ++fade)
    ExpectFastEqualsReference("blur", reset(0), [&] {
      ScreenBlurFade(fade & 1, fade & 2, fade & 4, 3, 5, 300, 200);
      ScreenBlur(500, 400, 200, 100);
      ScreenBlurFade(fade & 4, 0, fade & 1, 100, 300, 3, 3);
    });
  for (int position : {0, 9990, 9999})
    for (int shift : {0, 1, 3, 7}) {
      ExpectFastEqualsReference("noise", reset(position), [&] {
        ScreenNoise(shift, 7, 9, 301, 50);
        ScreenNoise(shift, 600, 470, 100, 100);
      });
      ExpectFastEqualsReference("noise rgb", reset(position), [&] {
        ScreenNoiseRGB(1, 0, 1, shift, 7, 9, 301, 50);
        ScreenNoiseRGB(0, 1, 0, shift, 0, 100, 640, 3);
      });
    }
}

TEST_P(RegionTest, GoldenPictures) {
  struct Golden {
    const char* name;
    std::function<void()> draw;
    std::uint32_t h565, h555;
  };
  const Golden golden[] = {
      {"Fire", [] { ScreenFire(20, 20, 150, 150); }, 0x86f2c729, 0x9e256fb4},
      {"FireFade", [] { ScreenFireFade(0, 1, 1, 20, 20, 150, 150); }, 0x8723cf1f, 0x908d9020},
      {"Blur", [] { ScreenBlur(20, 20, 150, 150); }, 0x69777ca4, 0xf7f409f3},
      {"BlurFade", [] { ScreenBlurFade(1, 0, 0, 20, 20, 150, 150); }, 0x737b3d3c, 0xf6fbde77},
      {"Zoom2", [] { ScreenZoom2(40, 40, 60, 70, 0); }, 0xd22f2c04, 0x23cf211c},
      {"Zoom4", [] { ScreenZoom4(40, 40, 30, 35, 1); }, 0x856c00d4, 0xe1b99d1c},
      {"Mosaic", [] { ScreenMosaicCircle(90, 100, 70, 9); }, 0xa1a7c59, 0xf9f5bc21},
      {"Noise", [] { ScreenNoise(2, 20, 20, 150, 150); }, 0x488d407e, 0xdf083bf2},
      {"NoiseRGB", [] { ScreenNoiseRGB(0, 1, 1, 1, 20, 20, 150, 150); }, 0x510530d7, 0x134c4e42},
  };
  for (const Golden& g : golden) {
    PhotoBackground();
    for (int call = 0; call < 3; ++call) g.draw();
    const std::uint32_t got = Hash(0, 0, 200, 200);
    EXPECT_EQ(got, GetParam() == 16 ? g.h565 : g.h555)
        << "{\"" << g.name << "\", 0x" << std::hex << got << "},";
  }
}

}  // namespace
