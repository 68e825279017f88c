// effects_hostile_test.cpp - extreme arguments to the rotation, distortion,
// tunnel and region effects. Run under the sanitizers, a pass means no
// crash, overrun, undefined behaviour or hang; afterwards the screen still
// works.
#include <climits>
#include <cmath>
#include <limits>
#include <vector>

#include "effects/effects.h"
#include "tests/support/draw_fixture.h"

namespace {

using namespace ruDraw;

struct Rect {
  int left, top, right, bottom;
};
const Rect kRects[] = {{INT_MIN, INT_MIN, INT_MAX, INT_MAX},
                       {INT_MAX, INT_MAX, INT_MIN, INT_MIN},
                       {-100000, -5, 100000, 5},
                       {5, 5, 5, 5},
                       {30, 30, -30, -30},
                       {-40, -30, 700, 520},
                       {600, 450, 700, 500}};
const int kInts[] = {INT_MIN, -1, 0, 1, 359, INT_MAX};
const float kNan = std::numeric_limits<float>::quiet_NaN(), kInf = 1.0f / 0.0f;
const float kFloats[] = {0.0f, -1.0f, 1.5f, 1e-30f, 1e30f, kNan, kInf};

class EffectsHostileTest : public drawtest::DrawTest {};

TEST_F(EffectsHostileTest, RotationAndDistortionKeepToTheSurfaces) {
  const int n = PatternObject(16, 16);
  const int numbers[] = {-1, 1024, INT_MIN, 900, 0, n};
  for (const Rect& clip : {Rect{0, 0, 640, 480}, Rect{-50, -50, 700, 700}}) {
    SetClipWindow(clip.left, clip.top, clip.right, clip.bottom);
    for (int obj : numbers)
      for (const Rect& d : kRects)
        for (const Rect& s : {kRects[0], kRects[2], kRects[3], Rect{-4, -4, 40, 40}}) {
          for (int angle : kInts) {
            DrawRotate(d.left, d.top, d.right, d.bottom, angle, obj, s.left, s.top, s.right,
                       s.bottom);
            DrawRotateTile(d.left, d.top, d.right, d.bottom, angle, obj, s.left, s.top, s.right,
                           s.bottom);
          }
          for (float z : kFloats) {
            DrawRotateZoom(d.left, d.top, d.right, d.bottom, 33, z, obj, s.left, s.top, s.right,
                           s.bottom);
            DrawRotateZoomTile(d.left, d.top, d.right, d.bottom, 200, z, obj, s.left, s.top,
                               s.right, s.bottom);
            DrawFloor(d.left, d.top, d.right, d.bottom, 7, z, -z, 1.0f, z, z, 2.0f, -z, obj, s.left,
                      s.top, s.right, s.bottom);
            DrawRipple(d.left, d.top, INT_MAX, INT_MIN, 1, z, z, obj, s.left, s.top, s.right,
                       s.bottom);
          }
          for (int v : kInts) {
            DrawRipple(v, v, v, v, v, 1.0f, 0.5f, obj, s.left, s.top, s.right, s.bottom);
            DrawSmear(d.left, d.top, v, WORD(v), obj, s.left, s.top, s.right, s.bottom);
            DrawSmear(v, v, v & 3, WORD(v), obj, s.left, s.top, s.right, s.bottom);
          }
        }
  }
  for (int kind = -1; kind <= 7; ++kind)
    for (int v : kInts) {
      MakeTunnel(v, 16, 40, 30, v, v, v, kind, kind, kind);
      MakeTunnel(16, 16, v, 30, -1, -1, -1, kind, kind + 1, kind - 1);
      MakeTunnel(16, v, 40, 30 * (v > 0), v, -1, v, kind, 7 - kind, kind);
      DrawTunnel(v, ~v, v, v, n);
    }
  MakeTunnel(16, 16, 640, 480, -1, -1, -1, 0, 0, 0);
  for (int obj : {-1, 0, n})
    for (int at : kInts)
      for (int v : kInts) DrawTunnel(at, ~at, v, ~v, obj);
  SetClipWindow(0, 0, 640, 480);
  EXPECT_EQ(DrawRotate(0, 0, 16, 16, 0, n, 0, 0, 16, 16), 1);
  EXPECT_EQ(drawtest::BackPixel(3, 2), drawtest::Code(3, 2));
}

TEST_F(EffectsHostileTest, RegionEffectsKeepToTheBackBuffer) {
  const int coords[] = {INT_MIN, -1000000, -1, 0, 1, 2, 3, 639, 100000, INT_MAX};
  for (int x : coords)
    for (int w : coords) {
      ScreenFire(x, ~x, w, w);
      ScreenFireFade(1, 0, 1, x, x, w, ~w);
      ScreenBlur(~x, x, w, w);
      ScreenBlurFade(1, 1, 1, x, x, ~w, w);
      ScreenZoom2(x, x, w, w, x);
      ScreenZoom4(x, ~x, w, w, 0);
      ScreenNoise(x, x, x, w, w);
      ScreenNoiseRGB(1, 0, 1, w, x, ~x, w, w);
      ScreenMosaicCircle(x, ~x, w, x);
      ScreenMosaicCircle(x, x, 30, w);
    }
  EXPECT_EQ(ScreenBlur(0, 0, 640, 480), 1);
}

}  // namespace
