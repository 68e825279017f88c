// effects_motion_test.cpp - rotation, ripple, smear and tunnel at 5-6-5 and
// 5-5-5: the rules' geometry, clipping into a destination rectangle, the
// guards against arguments that would divide by zero or leave a surface,
// fast walks against the reference, and one golden hash per effect.
#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "effects/effects_internal.h"
#include "tests/support/effects_fixture.h"

namespace {

using drawtest::BackPixel;
using drawtest::Code;
using fxtest::Hash;
using fxtest::HashScreen;
using namespace ruDraw;

class MotionTest : public fxtest::EffectTest {
 protected:
  // Back-buffer pixels of the w x h rectangle at (x, y) that differ from
  // expected(i, j).
  int Mismatches(int x, int y, int w, int h, const std::function<DWORD(int, int)>& expected) {
    int n = 0;
    for (int j = 0; j < h; ++j)
      for (int i = 0; i < w; ++i) n += BackPixel(x + i, y + j) != expected(i, j);
    return n;
  }
  int Zeros(int x, int y, int w, int h) {
    return w * h - Mismatches(x, y, w, h, [](int, int) { return DWORD(0); });
  }
};

INSTANTIATE_TEST_SUITE_P(Layouts, MotionTest, ::testing::Values(16, 15),
                         [](const auto& info) { return info.param == 16 ? "565" : "555"; });

constexpr DWORD kBack = 0x5555;

TEST_P(MotionTest, RotationAtZeroAndHalfTurn) {
  const int obj = PatternObject(8, 6);
  Background([](int, int) { return kBack; });
  EXPECT_EQ(DrawRotate(100, 50, 108, 56, 0, obj, 0, 0, 8, 6), 1);
  EXPECT_EQ(Mismatches(100, 50, 8, 6, [](int i, int j) { return Code(i, j); }), 0);
  // 180 degrees: (i, j) shows (2*hw - i, 2*hh - j); with even sizes the
  // first column and row map outside and stay unchanged.
  EXPECT_EQ(DrawRotate(200, 50, 208, 56, 180, obj, 0, 0, 8, 6), 1);
  EXPECT_EQ(Mismatches(200, 50, 8, 6,
                       [](int i, int j) { return i == 0 || j == 0 ? kBack : Code(8 - i, 6 - j); }),
            0);
  // Angles are taken modulo 360.
  const std::uint32_t at30 = (DrawRotate(300, 100, 340, 140, 30, obj, 0, 0, 8, 6), HashScreen());
  Background([](int, int) { return kBack; });
  DrawRotate(300, 100, 340, 140, 390, obj, 0, 0, 8, 6);
  DrawRotate(200, 50, 208, 56, 180, obj, 0, 0, 8, 6);
  DrawRotate(100, 50, 108, 56, -360, obj, 0, 0, 8, 6);
  EXPECT_EQ(HashScreen(), at30);
}

TEST_P(MotionTest, TiledRotationFillsTheClippedRectangle) {
  const int obj = PatternObject(7, 5);
  Background([](int, int) { return 0; });
  const std::uint32_t above = Hash(0, 0, 640, 20);
  SetClipWindow(20, 20, 600, 400);
  for (int angle : {0, 45, 200}) {
    EXPECT_EQ(DrawRotateTile(10, 10, 90, 70, angle, obj, 0, 0, 7, 5), 1);
    EXPECT_EQ(Zeros(20, 20, 70, 50), 0) << angle;
    EXPECT_EQ(DrawFloor(10, 100, 90, 160, angle, 0.5f, 0.01f, 2.0f, 0.1f, 1, 1, 1, obj, 0, 0, 7, 5),
              1);
    EXPECT_EQ(Zeros(20, 100, 70, 60), 0) << angle;
  }
  EXPECT_EQ(Hash(0, 0, 640, 20), above);
}

// Shape 2: the rectangle stays where it is, only the writes are limited.
TEST_P(MotionTest, ClippingKeepsTheRectangleAndLimitsTheWrites) {
  const int obj = PhotoObject(48, 40);
  PhotoBackground();
  const std::uint32_t top = Hash(0, 0, 640, 100), bottom = Hash(0, 140, 640, 480);
  const std::uint32_t left = Hash(0, 100, 100, 140), right = Hash(140, 100, 640, 140);
  DrawRotateZoom(80, 85, 150, 160, 33, 1.3f, obj, 0, 0, 48, 40);
  const std::uint32_t inside = Hash(100, 100, 140, 140);
  PhotoBackground();
  SetClipWindow(100, 100, 140, 140);
  DrawRotateZoom(80, 85, 150, 160, 33, 1.3f, obj, 0, 0, 48, 40);
  EXPECT_EQ((std::vector<std::uint32_t>{Hash(100, 100, 140, 140), Hash(0, 0, 640, 100),
                                        Hash(0, 140, 640, 480), Hash(0, 100, 100, 140),
                                        Hash(140, 100, 640, 140)}),
            (std::vector<std::uint32_t>{inside, top, bottom, left, right}));
  // An empty range locks nothing; a range of width 0 still locks.
  platform::InjectDisplayFault(platform::DisplayOp::Lock, 1, DDERR_GENERIC);
  EXPECT_EQ(DrawRotate(300, 300, 340, 340, 0, obj, 0, 0, 48, 40), 1);
  EXPECT_EQ(DrawRotate(60, 110, 100, 130, 0, obj, 0, 0, 48, 40), 0);
}

TEST_P(MotionTest, ArgumentsThatWouldDivideByZeroOrOverflowDrawNothing) {
  const int obj = PhotoObject(16, 16);
  PhotoBackground();
  const std::uint32_t before = HashScreen();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    const char* name;
    int result;
  };
  const Case cases[] = {
      {"zoom 0", DrawRotateZoom(0, 0, 64, 64, 10, 0.0f, obj, 0, 0, 16, 16)},
      {"zoom NaN", DrawRotateZoom(0, 0, 64, 64, 10, nan, obj, 0, 0, 16, 16)},
      {"zoom tiny", DrawRotateZoomTile(0, 0, 64, 64, 10, 1e-30f, obj, 0, 0, 16, 16)},
      {"zoom huge", DrawRotateZoom(0, 0, 64, 64, 10, 1e30f, obj, 0, 0, 16, 16)},
      {"tile zoom 0", DrawRotateZoomTile(0, 0, 64, 64, 10, 0.0f, obj, 0, 0, 16, 16)},
      {"floor zoom reaches 0",
       DrawFloor(0, 0, 64, 64, 10, 1, -1, 1, 0, 1, 1, 1, obj, 0, 0, 16, 16)},
      {"tile of no width", DrawRotateTile(0, 0, 64, 64, 10, obj, 5, 0, 5, 16)},
      {"floor of no height", DrawFloor(0, 0, 64, 64, 0, 1, 0, 1, 0, 1, 1, 1, obj, 0, 3, 16, 3)},
      {"whole int range", DrawRotateTile(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 7, obj, 0, 0, 16, 16)},
      {"source outside", DrawRotate(0, 0, 64, 64, 7, obj, 100, 100, 200, 200)},
      {"ripple of no width", DrawRipple(0, 0, 5, 5, 1, 1, 0, obj, 4, 0, 4, 16)},
      {"tunnel without map", (fx::Tunnel = {}, DrawTunnel(0, 0, 3, 4, obj))},
  };
  for (const Case& c : cases) EXPECT_EQ(c.result, 1) << c.name;
  EXPECT_EQ(HashScreen(), before);
  // Objects without a surface give 0.
  for (int bad : {-1, 1024, 700}) {
    EXPECT_EQ(DrawRotate(0, 0, 9, 9, 0, bad, 0, 0, 4, 4), 0);
    EXPECT_EQ(DrawRipple(0, 0, 1, 1, 1, 1, 0, bad, 0, 0, 4, 4), 0);
    EXPECT_EQ(DrawSmear(0, 0, 0, 1, bad, 0, 0, 4, 4), 0);
    EXPECT_EQ(DrawTunnel(0, 0, 0, 0, bad), 0);
  }
  // Source rectangles reaching outside the object are cut to it.
  EXPECT_EQ(DrawRotate(0, 0, 16, 16, 0, obj, -4, -4, 99, 99), 1);
  EXPECT_EQ(BackPixel(14, 0), drawtest::PixelAt(Objects[obj].surface, 14, 0));
}

TEST_P(MotionTest, RippleWithoutWaveCopiesTransparentPixelsToo) {
  const int obj = Object(12, 9, [](int x, int y) { return (x + y) % 4 ? Code(x, y) : 0; });
  Background([](int, int) { return kBack; });
  EXPECT_EQ(DrawRipple(40, 30, 0, 7, 1, 1.0f, 0.0f, obj, 0, 0, 12, 9), 1);
  EXPECT_EQ(Mismatches(40, 30, 12, 9, [](int x, int y) { return (x + y) % 4 ? Code(x, y) : 0; }),
            0);
  // A step of 0 is taken as 1; scale 2 spreads every pixel two apart.
  Background([](int, int) { return kBack; });
  EXPECT_EQ(DrawRipple(40, 30, 0, 7, 0, 2.0f, 0.0f, obj, 0, 0, 12, 9), 1);
  EXPECT_EQ((std::vector<DWORD>{BackPixel(42, 32), BackPixel(43, 32), BackPixel(62, 46)}),
            (std::vector<DWORD>{Code(1, 1), kBack, Code(11, 8)}));
}

TEST_P(MotionTest, SmearRepeatsAColumnOrRowToTheScreensEdge) {
  const int obj = PatternObject(10, 6);
  struct Probe {
    int x, y;
    DWORD value;
  };
  struct Case {
    int kind, p;
    std::vector<Probe> probes;
  };
  const Case cases[] = {
      {0,
       3,
       {{105, 51, Code(3, 1)}, {639, 52, Code(3, 2)}, {102, 50, Code(2, 0)}, {99, 50, kBack}}},
      {1,
       3,
       {{101, 51, Code(3, 1)},
        {105, 51, Code(5, 1)},
        {0, 51, Code(3, 1)},
        {99, 55, Code(3, 5)},
        {0, 49, kBack},
        {110, 51, kBack}}},
      {2, 2, {{101, 479, Code(1, 2)}, {101, 51, Code(1, 1)}, {101, 49, kBack}}},
      {3,
       2,
       {{101, 0, Code(1, 2)},
        {101, 49, Code(1, 2)},
        {101, 50, Code(1, 2)},
        {101, 53, Code(1, 3)},
        {99, 0, kBack},
        {110, 0, kBack}}},
      // Beyond the width: the object unchanged, nothing past it.
      {0, 200, {{109, 55, Code(9, 5)}, {110, 55, kBack}, {639, 50, kBack}}},
  };
  for (const Case& c : cases) {
    Background([](int, int) { return kBack; });
    EXPECT_EQ(DrawSmear(100, 50, c.kind, WORD(c.p), obj, 0, 0, 10, 6), 1);
    for (const Probe& p : c.probes)
      EXPECT_EQ(BackPixel(p.x, p.y), p.value) << "kind " << c.kind << " at " << p.x << "," << p.y;
  }
  // Transparent pixels are skipped, the kind-1 fill copies them too.
  const int holes = Object(4, 2, [](int x, int) { return x == 1 ? 0 : Code(x, 0); });
  Background([](int, int) { return kBack; });
  DrawSmear(20, 10, 1, 1, holes, 0, 0, 4, 2);
  EXPECT_EQ((std::vector<DWORD>{BackPixel(0, 10), BackPixel(20, 10), BackPixel(22, 10)}),
            (std::vector<DWORD>{0, kBack, Code(2, 0)}));
}

TEST_P(MotionTest, TunnelMapStaysInsideTheTextureForEveryKind) {
  EXPECT_EQ(MakeTunnel(64, 32, 640, 480, -1, -1, -1, 0, 0, 0), 480);
  EXPECT_EQ(MakeTunnel(64, 32, 641, 480, -1, -1, -1, 0, 0, 0), 0);
  EXPECT_EQ(MakeTunnel(0, 32, 40, 30, -1, -1, -1, 0, 0, 0), 0);
  EXPECT_EQ(MakeTunnel(64, -1, 40, 30, -1, -1, -1, 0, 0, 0), 0);
  EXPECT_EQ(fx::Tunnel.height, 480) << "a refused map leaves the last one";
  int outside = 0;
  for (int motion = 0; motion <= 4; ++motion)
    for (int distance = 0; distance <= 6; ++distance)
      for (int depth = 0; depth <= 5; ++depth) {
        ASSERT_EQ(MakeTunnel(50, 30, 40, 30, -1, -1, -1, motion, distance, depth), 30);
        for (int k = 0; k < 40 * 30; ++k)
          outside += fx::TunnelEntries[k].u >= 50 || fx::TunnelEntries[k].v >= 30;
      }
  EXPECT_EQ(outside, 0);
}

TEST_P(MotionTest, TunnelDrawsTheTextureThroughTheMap) {
  const int texture = PatternObject(32, 32);
  ASSERT_EQ(MakeTunnel(32, 32, 64, 48, -1, -1, 4, 0, 0, 0), 48);
  Background([](int, int) { return kBack; });
  EXPECT_EQ(DrawTunnel(10, 20, 5, 40, texture), 1);
  EXPECT_EQ(Mismatches(10, 20, 64, 48,
                       [](int j, int i) {
                         const fx::TunnelEntry& e = fx::TunnelEntries[i * 64 + j];
                         return Code((e.u + 5) % 32, (e.v + 40) % 32);
                       }),
            0);
  // Negative offsets turn the other way: reduced modulo the texture size.
  const std::uint32_t reduced = (DrawTunnel(10, 20, 31, 30, texture), HashScreen());
  EXPECT_EQ((DrawTunnel(10, 20, -1, -66, texture), HashScreen()), reduced);
  // A map partly outside the back buffer writes its inside part only.
  EXPECT_EQ(DrawTunnel(600, 460, 31, 30, texture), 1);
  EXPECT_EQ(BackPixel(639, 479), BackPixel(10 + 39, 20 + 19));
  EXPECT_EQ(DrawTunnel(-50, -40, 31, 30, texture), 1);
  EXPECT_EQ(BackPixel(0, 0), BackPixel(10 + 50, 20 + 40));
  // A texture smaller than the map's is refused.
  EXPECT_EQ(DrawTunnel(0, 0, 0, 0, PatternObject(16, 32)), 0);
}

// Random sources (zeros included) through every walk, fast against
// reference, with rectangles cut by the clip window on each side.
TEST_P(MotionTest, FastWalksEqualTheReference) {
  const int obj = RandomObject(61, 47, GetParam());
  const int backdrop = RandomObject(640, 480, 99);
  // The tunnel ignores the clip window: the whole screen is reset.
  const auto reset = [&] {
    SetClipWindow(0, 0, 640, 480);
    DrawNoKey(0, 0, backdrop, 0, 0, 640, 480);
    SetClipWindow(30, 20, 600, 400);
  };
  // Both vector levels of the rotations' walks.
  for (const bool avx2 : {true, false}) {
    fx::UseAvx2Loops(avx2);
    for (int angle : {0, 30, 90, 135, 180, 271, 359}) {
      const std::string a = std::to_string(angle);
      ExpectFastEqualsReference(("rotate " + a).c_str(), reset, [&] {
        DrawRotate(-20, -10, 100, 90, angle, obj, 0, 0, 61, 47);
        DrawRotate(550, 350, 650, 430, angle, obj, 3, 2, 60, 45);
      });
      ExpectFastEqualsReference(("tile " + a).c_str(), reset, [&] {
        DrawRotateTile(-20, -10, 300, 200, angle, obj, 0, 0, 61, 47);
      });
      for (float zoom : {0.5f, 1.5f, 3.0f, -1.25f}) {
        const std::string z = a + " " + std::to_string(zoom);
        ExpectFastEqualsReference(("zoom " + z).c_str(), reset, [&] {
          DrawRotateZoom(-20, -10, 200, 150, angle, zoom, obj, 0, 0, 61, 47);
        });
        ExpectFastEqualsReference(("zoom tile " + z).c_str(), reset, [&] {
          DrawRotateZoomTile(100, 100, 620, 420, angle, zoom, obj, 0, 0, 61, 47);
        });
      }
      ExpectFastEqualsReference(("floor " + a).c_str(), reset, [&] {
        DrawFloor(0, 200, 640, 480, angle, 0.3f, 0.011f, 0.7f, 0.023f, 1.0f, 0.5f, 1.7f, obj, 0, 0,
                  61, 47);
        DrawFloor(0, 0, 200, 100, angle, -2.0f, 0.1f, 1.0f, -0.001f, 0.2f, -1.0f, 0.9f, obj, 0, 0,
                  61, 47);
      });
    }
  }
  fx::UseAvx2Loops(true);
  ASSERT_EQ(MakeTunnel(61, 47, 320, 240, 100, -1, 6, 0, 0, 0), 240);
  for (int uo : {0, 17, -5})
    ExpectFastEqualsReference(("tunnel " + std::to_string(uo)).c_str(), reset, [&] {
      DrawTunnel(-10, 300, uo, 1000 + uo, obj);
      DrawTunnel(400, 100, uo * 3, uo, obj);
    });
}

// One golden hash per effect of a fixed picture over a fixed background.
TEST_P(MotionTest, GoldenPictures) {
  struct Golden {
    const char* name;
    std::function<void(int obj)> draw;
    std::uint32_t h565, h555;
  };
  // clang-format off
  const Golden golden[] = {
      {"Rotate", [](int o) { DrawRotate(10, 10, 110, 90, 33, o, 0, 0, 64, 48); },
       0xfdb99f46, 0x90d12044},
      {"RotateTile", [](int o) { DrawRotateTile(10, 10, 190, 150, 120, o, 0, 0, 64, 48); },
       0x3135d68e, 0xdcd2a7b9},
      {"RotateZoom", [](int o) { DrawRotateZoom(0, 0, 190, 170, 300, 1.7f, o, 0, 0, 64, 48); },
       0x9b095c3d, 0xf442bdc9},
      {"RotateZoomTile", [](int o) { DrawRotateZoomTile(5, 5, 195, 195, 75, .6f, o, 0, 0, 64, 48); },
       0x9ed049b1, 0x25d56c0f},
      {"Floor", [](int o) { DrawFloor(0, 60, 200, 200, 15, .2f, .02f, .2f, .03f, 1, .8f, .6f, o,
                                      0, 0, 64, 48); },
       0xbf4092d1, 0xdd52917a},
      {"Ripple", [](int o) { DrawRipple(40, 40, 24, 6, 1, 1.5f, 0.3f, o, 0, 0, 64, 48); },
       0xba157263, 0x4543e525},
      {"Smear", [](int o) { DrawSmear(60, 70, 3, 20, o, 0, 0, 64, 48); }, 0xcdcc99be, 0x5bb43359},
      {"Tunnel", [](int o) { MakeTunnel(64, 48, 200, 200, -1, -1, -1, 0, 0, 0);
                             DrawTunnel(0, 0, 9, 21, o); },
       0x2b0be97b, 0xe4193a1d},
  };
  // clang-format on
  const int obj = PhotoObject(64, 48);
  for (const Golden& g : golden) {
    PhotoBackground();
    SetClipWindow(0, 0, 640, 480);
    g.draw(obj);
    const std::uint32_t got = Hash(0, 0, 200, 200);
    EXPECT_EQ(got, GetParam() == 16 ? g.h565 : g.h555)
        << "{\"" << g.name << "\", 0x" << std::hex << got << "},";
  }
}

}  // namespace
