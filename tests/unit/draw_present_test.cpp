// draw_present_test.cpp - presentation: transition cells closing and
// opening and when each ends, the overlay's tiles, page and scroll
// limits.
#include "tests/support/draw_fixture.h"

namespace {

using drawtest::BackPixel;
using drawtest::DrawTest;

class PresentTest : public DrawTest {
 protected:
  // A 640 x 48 strip whose cell k (1..10) holds the pixel value 0x100 k.
  void MakeStrip() {
    ruDraw::TransitionObject = ruDraw::CreateObject(640, 48, 2);
    drawtest::Paint(ruDraw::Objects[ruDraw::TransitionObject].surface,
                    [](int x, int) { return DWORD(0x100 * (x / 64 + 1)); });
  }
  // A 600-row page whose row y holds y + 1 (rows 0..9 transparent) and a
  // background tile of 0x7777.
  void MakeOverlay() {
    ruDraw::OverlayPage = ruDraw::CreateObject(640, 600, 2);
    drawtest::Paint(ruDraw::Objects[ruDraw::OverlayPage].surface,
                    [](int, int y) { return y < 10 ? 0u : DWORD(y + 1); });
    ruDraw::OverlayBack = ruDraw::CreateObject(64, 48, 2);
    drawtest::Paint(ruDraw::Objects[ruDraw::OverlayBack].surface, [](int, int) { return 0x7777u; });
    ruDraw::OverlayLimit = 600;
    ruDraw::OverlayScroll = ruDraw::OverlayBackX = ruDraw::OverlayBackY = 0;
    ruDraw::OverlayShown = 1;
  }
};

TEST_F(PresentTest, TransitionsRunThroughTheirCellsAndEnd) {
  MakeStrip();
  ruDraw::CloseTransition();
  const int presents = headless_->PresentCount();
  ruDraw::Present();
  drawtest::ExpectPixels({{0, 0, 0x100}, {639, 479, 0x100}});
  EXPECT_EQ(ruSystem::TransitionStep, 2);
  EXPECT_EQ(headless_->PresentCount(), presents + 1);
  ruSystem::TransitionStep = 10;  // the last cell ends it in the same call
  ruDraw::Present();
  EXPECT_EQ(BackPixel(320, 240), 0xA00u);
  EXPECT_EQ(ruSystem::TransitionStep, 0);
  EXPECT_EQ(ruSystem::TransitionDir, 0);

  ruDraw::OpenTransition();
  for (int cell = 10; cell >= 1; --cell) {
    ruDraw::Present();
    ASSERT_EQ(BackPixel(100, 100), DWORD(0x100 * cell));
  }
  EXPECT_EQ(ruSystem::TransitionStep, 0);
  EXPECT_EQ(ruSystem::TransitionDir, 0);
}

TEST_F(PresentTest, OverlayDrawsThePageOverScrollingTiles) {
  MakeOverlay();
  ruDraw::OverlayBackX = -60;
  ruSystem::FrameTime = 1;
  ruDraw::Present();
  drawtest::ExpectPixels({{0, 0, 0x7777}, {0, 10, 11}});
  EXPECT_FLOAT_EQ(ruDraw::OverlayBackX, -6);  // -70 wraps by 64
  EXPECT_FLOAT_EQ(ruDraw::OverlayBackY, -10);
  ruSystem::OverlayKey = VK_DOWN;
  ruSystem::FrameTime = 0.5f;
  ruDraw::Present();
  EXPECT_FLOAT_EQ(ruDraw::OverlayScroll, 50);
  ruDraw::Present();
  EXPECT_EQ(BackPixel(0, 0), 51u);
}

TEST_F(PresentTest, OverlayScrollStaysBetweenTopAndPageEnd) {
  MakeOverlay();
  ruDraw::SetClipWindow(0, 40, 640, 440);
  ruSystem::FrameTime = 10;
  ruSystem::OverlayKey = VK_RIGHT;
  ruDraw::Present();
  EXPECT_FLOAT_EQ(ruDraw::OverlayScroll, 200);  // page 600 - clip height 400
  ruSystem::OverlayKey = VK_UP;
  ruDraw::Present();
  EXPECT_FLOAT_EQ(ruDraw::OverlayScroll, 0);
  ruDraw::OverlayLimit = 300;  // shorter than the clip window: stays at 0
  ruSystem::OverlayKey = VK_DOWN;
  ruDraw::Present();
  EXPECT_FLOAT_EQ(ruDraw::OverlayScroll, 0);
}

TEST_F(PresentTest, LoadingTheOverlayAgainRefillsTheSameObjects) {
  drawtest::WriteBmp24("draw_page.bmp", 64, 96, [](int, int) { return 0xFFFFFFu; });
  drawtest::WriteBmp24("draw_tile.bmp", 64, 48, [](int, int) { return 0x0000FFu; });
  ruDraw::SetColorKey(RGB(255, 255, 255));
  ruDraw::LoadOverlay("draw_page.bmp", "draw_tile.bmp", 96);
  EXPECT_EQ(ruDraw::OverlayPage, 4);
  EXPECT_EQ(ruDraw::OverlayBack, 5);
  EXPECT_EQ(ruDraw::Objects[4].colorKey, 0);  // loaded with the black key
  ruDraw::OverlayScroll = 30;
  ruDraw::LoadOverlay("draw_tile.bmp", "draw_page.bmp", 48);
  EXPECT_EQ(ruDraw::OverlayPage, 4);
  EXPECT_EQ(ruDraw::Objects[4].height, 48);
  EXPECT_EQ(ruDraw::OverlayLimit, 48);
  EXPECT_FLOAT_EQ(ruDraw::OverlayScroll, 0);
  EXPECT_EQ(ruDraw::CreateObject(1, 1, 2), 6);
}

}  // namespace
