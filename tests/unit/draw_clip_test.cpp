// draw_clip_test.cpp - copies through the clip window on every edge, source
// rectangles beyond the object, copies onto objects, both stretch paths,
// and the fills against the clip window.
#include <climits>

#include "tests/support/draw_fixture.h"

namespace {

using drawtest::BackPixel;
using drawtest::CodeX;
using drawtest::CodeY;
using drawtest::DrawTest;
using drawtest::ExpectPixels;

using ClipTest = DrawTest;

TEST_F(ClipTest, EveryEdgeOfTheClipWindowCutsTheCopy) {
  const int n = PatternObject(20, 10);
  ruDraw::SetClipWindow(100, 100, 200, 200);
  ruDraw::Draw(90, 120, n, 0, 0, 20, 10);   // left: loses 10 columns
  ruDraw::Draw(185, 130, n, 0, 0, 20, 10);  // right: loses 5
  ruDraw::Draw(150, 95, n, 0, 0, 20, 10);   // top: loses 5 rows
  ruDraw::Draw(150, 195, n, 0, 0, 20, 10);  // bottom: keeps 5
  ruDraw::Draw(300, 300, n, 0, 0, 20, 10);  // wholly outside
  EXPECT_EQ(BackPixel(99, 120), 0u);
  EXPECT_EQ(CodeX(BackPixel(100, 120)), 10);
  EXPECT_EQ(CodeX(BackPixel(199, 130)), 14);
  EXPECT_EQ(BackPixel(200, 130), 0u);
  EXPECT_EQ(BackPixel(150, 99), 0u);
  EXPECT_EQ(CodeY(BackPixel(150, 100)), 5);
  EXPECT_EQ(CodeY(BackPixel(150, 199)), 4);
  EXPECT_EQ(BackPixel(150, 200), 0u);
  EXPECT_EQ(BackPixel(300, 300), 0u);
}

TEST_F(ClipTest, ASourceRectangleBeyondTheObjectIsCutToIt) {
  const int n = PatternObject(20, 10);
  ruDraw::Draw(50, 50, n, -5, -3, 40, 30);
  EXPECT_EQ(BackPixel(54, 53), 0u);
  EXPECT_EQ(drawtest::Code(0, 0), BackPixel(55, 53));
  EXPECT_EQ(drawtest::Code(19, 9), BackPixel(74, 62));
  ExpectPixels({{75, 53, 0}, {55, 63, 0}});
}

TEST_F(ClipTest, AZeroWidthCopyIsHandedOnButAClippedAwayOneIsNot) {
  const int n = PatternObject(20, 10);
  platform::MakeAllSurfacesLost();  // only a copy that is tried restores
  ruDraw::Draw(700, 0, n, 0, 0, 20, 10);
  EXPECT_EQ(ruDraw::BackBuffer->IsLost(), DDERR_SURFACELOST);
  ruDraw::Draw(640, 0, n, 0, 0, 20, 10);
  EXPECT_EQ(ruDraw::BackBuffer->IsLost(), DD_OK);
}

TEST_F(ClipTest, ExtremeCoordinatesPlaceThePictureWithoutWrapping) {
  const int n = PatternObject(20, 10);
  ruDraw::Draw(100, 0, n, INT_MIN, 0, 20, 10);          // column 0 lies 2^31 to the right
  ruDraw::Draw(INT_MIN + 5, 0, n, INT_MIN, 0, 20, 10);  // ... and here at x = 5
  ruDraw::Draw(INT_MAX - 5, 20, n, 0, 0, 20, 10);
  ruDraw::DrawNoKey(0, 40, n, 0, INT_MIN, 20, INT_MAX);  // row 0 lies 2^31 further down
  EXPECT_EQ(ruDraw::DrawFlip(100, 60, 0, n, INT_MIN, 0, 20, 10), 1);
  EXPECT_EQ(ruDraw::DrawFlip(INT_MAX - 2, 60, 1, n, 0, 0, INT_MAX, 10), 1);
  ruDraw::CanStretch = 1;
  ruDraw::DrawStretch(INT_MAX - 1, 80, n, 0, 0, 20, 10, 10, 10);
  ruDraw::CanStretch = 0;
  ruDraw::DrawStretch(0, INT_MAX - 1, n, INT_MIN, 0, INT_MAX, 10, 10, 10);
  EXPECT_EQ(BackPixel(5, 0), drawtest::Code(0, 0));
  EXPECT_EQ(BackPixel(24, 0), drawtest::Code(19, 0));
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      if (y > 9 || x < 5 || x > 24) {
        ASSERT_EQ(BackPixel(x, y), 0u) << x << "," << y;
      }
    }
}

TEST_F(ClipTest, CopiesOntoObjectsClipToTheClipWindowNotTheObject) {
  const int source = PatternObject(20, 10);
  const int target = ruDraw::CreateObject(50, 50, 2);
  ruDraw::ClearObject(target);
  ruDraw::SetClipWindow(0, 0, 30, 30);
  ruDraw::DrawToObject(target, 20, 5, source, 0, 0, 20, 10);
  ruDraw::DrawToObjectNoKey(target, 0, 40, source, 0, 0, 5, 5);
  platform::Surface* t = ruDraw::Objects[target].surface;
  EXPECT_EQ(CodeX(drawtest::PixelAt(t, 29, 5)), 9);
  EXPECT_EQ(drawtest::PixelAt(t, 30, 5), 0u);
  EXPECT_EQ(drawtest::PixelAt(t, 0, 40), 0u);
}

// A 2 x 2 object, red with a black top-left pixel, keyed red, stretched
// to 4 x 4 over blue with a clip window three columns wide.
class StretchTest : public DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    object_ = ruDraw::CreateObject(2, 2, 2);
    drawtest::Paint(ruDraw::Objects[object_].surface,
                    [](int x, int y) { return x + y == 0 ? 0u : 0xF800u; });
    ruDraw::SetObjectColorKey(object_, RGB(255, 0, 0));
    ruDraw::FillRect(0, 0, 640, 480, 0x001F);
    ruDraw::SetClipWindow(0, 0, 3, 480);
  }
  int object_ = 0;
};

TEST_F(StretchTest, WithoutTheCapabilityBlackIsKeyedAndTheClipWindowHolds) {
  ruDraw::CanStretch = 0;
  ruDraw::DrawStretch(0, 0, object_, 0, 0, 2, 2, 4, 4);
  ruDraw::DrawStretchNoKey(10, 0, object_, 0, 0, 2, 2, 4, 4);
  ExpectPixels({{0, 0, 0x001F}, {2, 2, 0xF800}, {3, 2, 0x001F}, {10, 0, 0x001F}});
}

TEST_F(StretchTest, WithTheCapabilityTheObjectsKeyAppliesAndNothingClips) {
  ruDraw::CanStretch = 1;
  ruDraw::DrawStretch(0, 0, object_, 0, 0, 2, 2, 4, 4);
  ruDraw::DrawStretchNoKey(10, 0, object_, 0, 0, 2, 2, 4, 4);
  ExpectPixels({{0, 0, 0}, {3, 3, 0x001F}, {13, 3, 0xF800}});
}

TEST_F(StretchTest, WithoutTheCapabilityALostSurfaceIsStillMetAndRestored) {
  ruDraw::CanStretch = 0;
  platform::MakeAllSurfacesLost();
  ruDraw::DrawStretch(0, 0, object_, 0, 0, 2, 2, 4, 4);
  EXPECT_EQ(ruDraw::BackBuffer->IsLost(), DD_OK);
  EXPECT_EQ(ruDraw::Objects[0].surface->IsLost(), DD_OK);
}

TEST_F(ClipTest, FillsIgnoreTheClipWindowAndHalfRectKeepsToIt) {
  ruDraw::SetClipWindow(100, 100, 200, 200);
  ruDraw::WhiteScreen();
  EXPECT_EQ(BackPixel(0, 0), ruDraw::WhiteColor);
  ruDraw::FillRect(0, 0, 640, 480, 0x12345678);  // low 16 bits
  ruDraw::WhiteRect(10, 10, 20, 20);
  ruDraw::FrameRect(30, 30, 40, 40);
  ExpectPixels({{5, 5, 0x5678}, {19, 19, 0xFFFF}, {20, 19, 0x5678}, {30, 35, 0},
                {39, 35, 0}, {35, 39, 0}, {35, 35, 0x5678}});
  ruDraw::ClearScreen();
  EXPECT_EQ(BackPixel(639, 479), 0u);

  ruDraw::FillRect(0, 0, 640, 480, 0xFFFF);
  EXPECT_EQ(ruDraw::HalfRect(0, 0, 640, 480, 0), 1);
  ExpectPixels({{99, 150, 0xFFFF}, {100, 100, 0x7BEF}, {199, 199, 0x7BEF}, {200, 199, 0xFFFF}});
  EXPECT_EQ(ruDraw::HalfRect(300, 300, 400, 400, 0), 1);  // wholly clipped
  ruDraw::SetClipWindow(-50, -50, 2000, 2000);             // kept on the screen
  EXPECT_EQ(ruDraw::HalfRect(-50, -50, 2000, 2000, 0xF800), 1);
  EXPECT_EQ(BackPixel(0, 0), 0x7BEFu + 0x7800u);  // half of white plus half of red
}

}  // namespace
