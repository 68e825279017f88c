// draw_family_test.cpp - the line-by-line family and the mirrored copy:
// which source row lands on which screen line at which offset with a fixed
// FrameTime, how phases advance and wrap, and calls that draw nothing.
#include <climits>

#include "tests/support/draw_fixture.h"

namespace {

using drawtest::BackPixel;
using drawtest::CodeX;
using drawtest::CodeY;
using drawtest::DrawTest;

class FamilyTest : public DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    object_ = PatternObject(8, 40);
    ruDraw::WavePhase = ruDraw::WaveScrollPhase = ruDraw::WaveScroll = 0;
    ruDraw::WaveTilePhase = ruDraw::WaveTileScroll = ruDraw::TileX = ruDraw::TileY = 0;
    ruDraw::AccordionPhase = 0;
    ruDraw::WaveSign = 1;
    ruSystem::FrameTime = 1;
  }
  // Screen x of the object's column 0 on line y, or -1.
  static int Left(int y) {
    for (int x = 0; x < 640; ++x)
      if (CodeX(BackPixel(x, y)) == 0) return x;
    return -1;
  }
  // The source row shown on line y (at x, or at the row's left end).
  static int Row(int y, int x = -1) { return CodeY(BackPixel(x < 0 ? Left(y) : x, y)); }
  int object_ = 0;
};

TEST_F(FamilyTest, WaveShiftsRowsByTheCosineOfTheirAngle) {
  ruDraw::DrawWave(100, 50, 10, 0, 100, object_, 0, 0, 8, 40, 0);
  EXPECT_EQ(Left(50), 110);  // cos 0
  EXPECT_EQ(Left(80), 108);  // row 30: 10 cos 30 = 8.66
  EXPECT_EQ(Row(80), 30);
  EXPECT_FLOAT_EQ(ruDraw::WavePhase, 100);
  ruDraw::ClearScreen();
  ruDraw::WavePhase = 330;  // row 10 of divisor 2: 5 + 330 degrees
  ruDraw::DrawWave(100, 50, 10, 2, 50, object_, 0, 10, 8, 40, 1);
  EXPECT_EQ(Left(50), 109);  // trunc(10 cos 335)
  EXPECT_EQ(Row(50), 10);
  EXPECT_EQ(Left(51), 91);  // alternate rows flip the offset
  EXPECT_FLOAT_EQ(ruDraw::WavePhase, 20);
}

TEST_F(FamilyTest, WaveScrollWrapsSourceRowsAndDrawsAtYPlusRow) {
  ruDraw::WaveScroll = 3;
  ruDraw::DrawWaveScroll(100, 50, 0, 0, 0, 5, object_, 0, 10, 8, 20);
  EXPECT_EQ(Row(59), -1);
  EXPECT_EQ(Row(60), 13);
  EXPECT_EQ(Row(66), 19);
  EXPECT_EQ(Row(67), 11);  // past the bottom: top + 1
  EXPECT_FLOAT_EQ(ruDraw::WaveScroll, 8);  // 3 - 5, wrapped by the height
}

TEST_F(FamilyTest, ScrollsJustBelowZeroWrapBackIntoTheRectangle) {
  // 10 less a hair rounds to 10 itself in a float: it must come back to 0.
  ruDraw::DrawWaveScroll(100, 50, 0, 0, 0, 1e-7f, object_, 0, 0, 8, 10);
  ruDraw::DrawWaveTile(100, 101, 0, 0, 0, 1e-7f, object_, 0, 0, 8, 10);
  EXPECT_FLOAT_EQ(ruDraw::WaveScroll, 0);
  EXPECT_FLOAT_EQ(ruDraw::WaveTileScroll, 0);
}

TEST_F(FamilyTest, WaveTileFillsLinesAcrossTheScreen) {
  ruDraw::WaveTileScroll = 1;
  ruDraw::DrawWaveTile(100, 104, 0, 0, 0, 0, object_, 0, 2, 8, 6);
  EXPECT_EQ(Row(100, 0), 3);
  EXPECT_EQ(Row(102, 632), 5);
  EXPECT_EQ(Row(103, 600), 2);  // 3 + 1 wraps to 0
  EXPECT_EQ(Row(104, 0), -1);
  ruDraw::WaveTilePhase = 90;  // offset 0, less the amplitude
  ruDraw::DrawWaveTile(200, 201, 4, 1, 0, 0, object_, 0, 0, 8, 4);
  EXPECT_EQ(CodeX(BackPixel(0, 200)), 4);
}

TEST_F(FamilyTest, TileCoversTheScreenAndWrapsItsOffsets) {
  ruDraw::TileX = -3;
  ruDraw::TileY = -2;
  ruDraw::DrawTile(-10, 4, object_, 0, 0, 8, 6);
  EXPECT_EQ(BackPixel(0, 0), drawtest::Code(3, 2));
  EXPECT_EQ(BackPixel(639, 479), drawtest::Code((639 + 3) % 8, (479 + 2) % 6));
  EXPECT_FLOAT_EQ(ruDraw::TileX, -5);  // -13 + 8
  EXPECT_FLOAT_EQ(ruDraw::TileY, -4);  // 2 - 6
}

TEST_F(FamilyTest, LineRepeatAndInterlacePickRows) {
  ruDraw::DrawLineRepeat(0, 0, 3, object_, 0, 1, 8, 6);
  ruDraw::DrawInterlace(0, 100, 3, object_, 0, 0, 8, 10);
  for (int line = 0; line < 7; ++line) EXPECT_EQ(Row(line, 0), line < 6 ? 1 + line / 3 * 3 : -1);
  for (int line = 0; line < 10; ++line)
    EXPECT_EQ(Row(100 + line, 0), line % 3 == 0 && line > 0 ? line : -1) << line;
}

TEST_F(FamilyTest, HugeStepsAndLineRangesStopAtTheClipWindow) {
  ruDraw::DrawLineRepeat(0, 0, INT_MAX, object_, 0, 5, 8, 40);
  EXPECT_EQ(Row(0, 0), 5);
  EXPECT_EQ(Row(479, 0), 5);
  // Line y is line y + 2^31 of the tiling, row (y + 2^31) mod 4 = y mod 4.
  ruDraw::DrawWaveTile(INT_MIN, INT_MAX, 0, 0, 0, 0, object_, 0, 0, 8, 4);
  for (int line : {0, 101, 250, 479}) EXPECT_EQ(Row(line, 0), line % 4) << line;
}

TEST_F(FamilyTest, ShakeKeepsRowsOnTheirLinesWithinTheAmount) {
  ruDraw::DrawShake(100, 0, 3, object_, 0, 0, 8, 40);
  for (int line = 0; line < 40; ++line) {
    EXPECT_EQ(Row(line), line);
    EXPECT_TRUE(Left(line) >= 97 && Left(line) <= 102) << Left(line);
  }
}

TEST_F(FamilyTest, AccordionSpreadsRowsCountedFromTheObjectsTop) {
  ruDraw::AccordionPhase = 2.5f;  // H = 5: a quarter turn per line
  ruDraw::DrawAccordion(10, 20, 1, 2, object_, 0, 2, 8, 7);
  EXPECT_EQ(Row(20, 10), 0);
  for (int line : {21, 22, 23}) EXPECT_EQ(Row(line, 10), 1);
  EXPECT_EQ(Row(24, 10), -1);
  EXPECT_FLOAT_EQ(ruDraw::AccordionPhase, 4.5f);
  ruDraw::DrawAccordion(10, 20, 1, 2, object_, 0, 2, 8, 7);
  EXPECT_FLOAT_EQ(ruDraw::AccordionPhase, 1.5f);
  ruDraw::DrawAccordion(10, 20, 0, 2, object_, 0, 2, 8, 7);
  EXPECT_FLOAT_EQ(ruDraw::AccordionPhase, 4.5f);
}

TEST_F(FamilyTest, EmptyRectanglesAndBadStepsDrawNothingAndKeepState) {
  ruDraw::DrawTile(10, 10, object_, 4, 0, 4, 10);
  ruDraw::DrawWaveScroll(0, 0, 5, 0, 10, 10, object_, 0, 5, 8, 5);
  ruDraw::DrawWaveTile(0, 480, 5, 0, 10, 10, object_, 3, 0, 3, 10);
  ruDraw::DrawAccordion(0, 0, 1, 10, object_, 0, 0, 8, 1);
  ruDraw::DrawLineRepeat(0, 0, 0, object_, 0, 0, 8, 10);
  ruDraw::DrawInterlace(0, 0, 0, object_, 0, 0, 8, 10);
  EXPECT_FLOAT_EQ(ruDraw::TileX + ruDraw::WaveScrollPhase + ruDraw::WaveTileScroll +
                      ruDraw::AccordionPhase, 0);
  for (int y = 0; y < 480; y += 3) ASSERT_EQ(Left(y), -1) << y;
}

class FlipTest : public DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    object_ = PatternObject(4, 3);
    drawtest::Paint(ruDraw::Objects[object_].surface,
                    [](int x, int y) { return x == 1 && y == 1 ? 0u : drawtest::Code(x, y); });
    ruDraw::FillRect(0, 0, 640, 480, 0x5555);
  }
  static DWORD Code(int x, int y) { return drawtest::Code(x, y); }
  int object_ = 0;
};

TEST_F(FlipTest, FourModesMirrorAndTurnTheRectangle) {
  EXPECT_EQ(ruDraw::DrawFlip(10, 10, 0, object_, 0, 0, 4, 3), 1);
  ruDraw::DrawFlip(0, 0, 1, object_, 0, 0, 4, 3);
  ruDraw::DrawFlip(20, 20, 2, object_, 0, 0, 4, 3);
  ruDraw::DrawFlip(30, 30, 3, object_, 0, 0, 4, 3);
  drawtest::ExpectPixels({{10, 10, Code(0, 0)}, {11, 11, 0x5555},  // value 0 is not copied
                          {0, 0, Code(3, 0)}, {3, 0, Code(0, 0)}, {2, 1, 0x5555},
                          {20, 20, Code(0, 2)}, {23, 22, Code(3, 0)},
                          {30, 30, Code(3, 2)}, {33, 32, Code(0, 0)}});
}

TEST_F(FlipTest, ClippingKeepsThePixelsOfTheUnclippedPicture) {
  ruDraw::SetClipWindow(100, 100, 200, 200);
  ruDraw::DrawFlip(99, 100, 1, object_, 0, 0, 4, 3);
  EXPECT_EQ(ruDraw::DrawFlip(300, 300, 0, object_, 0, 0, 4, 3), 1);
  ruDraw::DrawFlip(150, 150, 1, object_, 0, 0, 6, 3);  // wider than the object
  drawtest::ExpectPixels({{99, 100, 0x5555}, {100, 100, Code(2, 0)}, {102, 100, Code(0, 0)},
                          {150, 150, 0x5555}, {151, 150, 0x5555}, {152, 150, Code(3, 0)},
                          {155, 150, Code(0, 0)}});
}

TEST_F(FlipTest, AFailedLockReturnsZeroAndLeavesNothingLocked) {
  platform::InjectDisplayFault(platform::DisplayOp::Lock, 1, DDERR_SURFACEBUSY);
  EXPECT_EQ(ruDraw::DrawFlip(0, 0, 0, object_, 0, 0, 4, 3), 0);
  platform::InjectDisplayFault(platform::DisplayOp::Lock, 2, DDERR_SURFACEBUSY);
  EXPECT_EQ(ruDraw::DrawFlip(0, 0, 0, object_, 0, 0, 4, 3), 0);
  EXPECT_EQ(ruDraw::DrawFlip(0, 0, 0, object_, 0, 0, 4, 3), 1);
  EXPECT_EQ(BackPixel(0, 0), Code(0, 0));
}

}  // namespace

// A frame of several seconds (after a message box or a stalled loop) moves
// the tiling and the scrolls by many tiles at once: they still cover the
// screen and show rows of the rectangle only.
TEST_F(FamilyTest, LongFramesKeepTilesCoveringAndScrollsInsideTheRectangle) {
  ruSystem::FrameTime = 3;
  ruDraw::DrawTile(100, -100, object_, 0, 0, 8, 6);  // 300 and -300 pixels
  EXPECT_TRUE(ruDraw::TileX >= -8 && ruDraw::TileX <= 0) << ruDraw::TileX;
  EXPECT_TRUE(ruDraw::TileY >= -6 && ruDraw::TileY <= 0) << ruDraw::TileY;
  ruDraw::ClearScreen();
  ruSystem::FrameTime = 0;
  ruDraw::DrawTile(0, 0, object_, 0, 0, 8, 6);
  EXPECT_NE(BackPixel(0, 0), 0u);
  EXPECT_NE(BackPixel(639, 479), 0u);

  ruSystem::FrameTime = 3;
  ruDraw::DrawWaveScroll(100, 50, 0, 0, 0, 10, object_, 0, 10, 8, 20);  // -30 rows
  ruDraw::DrawWaveTile(0, 1, 0, 0, 0, -10, object_, 0, 10, 8, 20);       // +30 rows
  EXPECT_TRUE(ruDraw::WaveScroll >= 0 && ruDraw::WaveScroll < 10) << ruDraw::WaveScroll;
  EXPECT_TRUE(ruDraw::WaveTileScroll >= 0 && ruDraw::WaveTileScroll < 10) << ruDraw::WaveTileScroll;
  ruDraw::ClearScreen();
  ruSystem::FrameTime = 0;
  ruDraw::DrawWaveScroll(100, 50, 0, 0, 0, 0, object_, 0, 10, 8, 20);
  for (int line = 60; line < 70; ++line) {
    const int row = Row(line);
    EXPECT_TRUE(row >= 10 && row < 20) << line << ": row " << row;
  }
}
