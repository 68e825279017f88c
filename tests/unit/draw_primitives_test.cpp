// draw_primitives_test.cpp - GDI shapes on the back buffer: box edges and
// neighbours, line ends, polygon fills, pixel channels, inverting twice,
// the screen copy and the lent device context.
#include <climits>

#include "tests/support/draw_fixture.h"

namespace {

using drawtest::BackPixel;
using drawtest::DrawTest;
using drawtest::ExpectPixels;

constexpr DWORD kGrey = 0x8410, kRed = 0xF800, kBlue = 0x001F;

class PrimitivesTest : public DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    ruDraw::FillRect(0, 0, 640, 480, kGrey);
  }
};

TEST_F(PrimitivesTest, BoxesAndLinesEndOnePixelShort) {
  EXPECT_EQ(ruDraw::Box(280, 200, 320, 240, 0x000000, 0x0000FF, 1), DD_OK);
  ExpectPixels({{280, 200, kRed}, {319, 239, kRed}, {300, 220, 0}, {320, 220, kGrey},
                {300, 240, kGrey}});
  ruDraw::Box(320, 200, 360, 240, 0x000000, 0xFF0000, 1);  // a neighbour
  ExpectPixels({{319, 220, kRed}, {320, 220, kBlue}});
  ruDraw::Line(0, 0, 10, 0, 0x0000FF, 1);
  const POINT curve[4] = {{0, 50}, {10, 50}, {20, 50}, {30, 50}};
  ruDraw::Bezier(curve, 4, 0x0000FF, 1);
  ExpectPixels({{0, 0, kRed}, {9, 0, kRed}, {10, 0, kGrey}, {15, 50, kRed}, {15, 51, kGrey}});
}

TEST_F(PrimitivesTest, PolygonFillsHollowHatchedOrHatchedOverTheBackground) {
  auto count = [](int left, DWORD value) {
    int n = 0;
    for (int y = 105; y < 135; ++y)
      for (int x = left + 5; x < left + 35; ++x) n += BackPixel(x, y) == value;
    return n;
  };
  for (int fill = 0; fill < 3; ++fill) {
    const LONG l = 60 * fill;
    const POINT square[4] = {{l, 100}, {l + 40, 100}, {l + 40, 140}, {l, 140}};
    ruDraw::Polygon(square, 4, 0x0000FF, 0xFF0000, 1, fill);
    EXPECT_EQ(BackPixel(l, 100), kRed) << fill;  // the outline
  }
  EXPECT_EQ(count(0, kGrey), 900);
  EXPECT_GT(count(60, kRed), 0);  // hatch on the opaque background colour
  EXPECT_EQ(count(60, kRed) + count(60, kBlue), 900);
  EXPECT_GT(count(120, kRed), 0);  // hatch over what was there
  EXPECT_EQ(count(120, kRed) + count(120, kGrey), 900);
}

TEST_F(PrimitivesTest, GetPixelSplitsWhatTheSurfaceKept) {
  int r = 0, g = 0, b = 0;
  ruDraw::SetPixel(5, 5, 0x00FF8040);
  ruDraw::GetPixel(5, 5, &r, &g, &b);
  EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{0x40, 0x80, 0xF8}));
}

TEST_F(PrimitivesTest, InvertingTwiceRestoresTheRectangle) {
  ruDraw::Box(10, 10, 30, 30, 0x123456, 0xABCDEF, 3);
  const DWORD edge = BackPixel(10, 10), inside = BackPixel(20, 20);
  ruDraw::InvertBox(5, 5, 40, 40);
  ExpectPixels({{20, 20, inside ^ 0xFFFF}, {40, 40, kGrey}});
  ruDraw::InvertBox(5, 5, 40, 40);
  ExpectPixels({{10, 10, edge}, {20, 20, inside}, {35, 35, kGrey}});
  platform::MakeAllSurfacesLost();  // no device context: nothing is drawn
  EXPECT_EQ(ruDraw::InvertBox(5, 5, 40, 40), DDERR_SURFACELOST);
}

TEST_F(PrimitivesTest, ShapesReachingFarOffTheSurfaceDrawTheirVisiblePart) {
  ruDraw::Box(INT_MIN, INT_MIN, 5, 5, 0x000000, 0x0000FF, 3);  // outline x, y = 3..5
  ExpectPixels({{1, 1, 0}, {2, 2, 0}, {3, 1, kRed}, {5, 1, kRed}, {6, 1, kGrey}, {1, 3, kRed},
                {5, 5, kRed}, {1, 6, kGrey}, {6, 6, kGrey}});
  ruDraw::Box(600, 400, INT_MAX, INT_MAX, 0x000000, 0x0000FF, 1);
  ExpectPixels({{599, 450, kGrey}, {600, 450, kRed}, {620, 400, kRed}, {639, 479, 0}});
  ruDraw::Line(INT_MIN, INT_MIN, INT_MAX, INT_MIN + 1, 0x0000FF, 1);  // wholly above
  ruDraw::Line(-100000, 300, 10, 300, 0x0000FF, 1);
  ExpectPixels({{0, 300, kRed}, {9, 300, kRed}, {10, 300, kGrey}, {0, 299, kGrey}});
  ruDraw::Line(100, 200, 110, 200, 0x0000FF, 100000);  // a pen wider than the screen
  ExpectPixels({{0, 0, kRed}, {639, 479, kRed}});
}

TEST_F(PrimitivesTest, ScreenCopyAndLentContextReachTheBackBuffer) {
  const int n = ruDraw::CreateObject(10, 10, 2);
  ruDraw::SetPixel(100, 100, 0x0000FF);
  ruDraw::GetScreen(n, 95, 95, 105, 105);
  EXPECT_EQ(drawtest::PixelAt(ruDraw::Objects[n].surface, 5, 5), kRed);
  EXPECT_EQ(drawtest::PixelAt(ruDraw::Objects[n].surface, 0, 0), kGrey);
  ASSERT_EQ(ruDraw::GetBackDC(), DD_OK);
  ruDraw::BackDC->SetPixel(1, 1, 0xFF0000);
  EXPECT_EQ(ruDraw::ReleaseBackDC(), DD_OK);
  EXPECT_EQ(BackPixel(1, 1), kBlue);
}

}  // namespace
