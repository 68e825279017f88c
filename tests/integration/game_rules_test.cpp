// game_rules_test.cpp - the board rules seen in captured frames: the start
// state, the cursor's edges, who owns a box, held keys, the mark limit and
// which lines count.
#include <gtest/gtest.h>

#include "tests/support/game_run.h"

namespace {

using namespace game_test;

// Top-left corner of board box (row, col).
int BoxX(int col) { return 280 + 40 * col; }
int BoxY(int row) { return 200 + 40 * row; }
// A pixel of player 1's ring that the cross does not cover, and the cross's
// centre, which the ring does not cover.
bool RingAt(const Image& im, int row, int col) {
  return IsPlayer1Mark(im.At(BoxX(col) + 20, BoxY(row) + 7));
}
bool CrossAt(const Image& im, int row, int col) {
  return IsPlayer2Mark(im.At(BoxX(col) + 20, BoxY(row) + 20));
}

TEST(GameRules, StartsOnTheCentreBoxWithAnEmptyBoard) {
  const GameRun run = RunGame("start", "1 capture start.bmp\n", 3);
  ASSERT_EQ(run.exitCode, 0) << run.log;
  const Image im = run.Capture("start.bmp");
  ASSERT_EQ(im.width, 640) << run.log;
  EXPECT_TRUE(IsGreen(im.At(320, 240)));
  EXPECT_TRUE(IsGreen(im.At(359, 279)));
  EXPECT_TRUE(IsRed(im.At(280, 200)));
  EXPECT_TRUE(IsRed(im.At(399, 319)));
  EXPECT_EQ(im.At(300, 220), 0u);  // box interiors are black
  EXPECT_FALSE(AllBlack(CellText(im, 0, 0)));
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(CellText(im, r, c), CellText(im, 0, 0)) << r << c;
}

TEST(GameRules, CursorStopsAtTheBoardEdges) {
  const GameRun run = RunGame("edges",
                          "2 key LEFT\n4 key LEFT\n6 key LEFT\n8 capture left.bmp\n"
                          "10 key UP\n12 key UP\n14 key UP\n16 capture corner.bmp\n"
                          "18 key RIGHT\n20 key RIGHT\n22 key RIGHT\n24 key DOWN\n"
                          "26 key DOWN\n28 key DOWN\n30 capture far.bmp\n",
                          32);
  ASSERT_EQ(run.exitCode, 0) << run.log;
  const Image left = run.Capture("left.bmp");
  EXPECT_TRUE(IsGreen(left.At(280, 240)));
  EXPECT_TRUE(IsRed(left.At(320, 240)));
  EXPECT_TRUE(IsGreen(run.Capture("corner.bmp").At(280, 200)));
  const Image far = run.Capture("far.bmp");
  EXPECT_TRUE(IsGreen(far.At(360, 280)));
  EXPECT_TRUE(IsGreen(far.At(399, 319)));
}

TEST(GameRules, SpaceOnPlayer1sBoxDrawsOverItButKeepsTheCell) {
  const GameRun run = RunGame("enter_space",
                          "2 key RETURN\n4 capture enter.bmp\n6 key SPACE\n8 capture space.bmp\n",
                          10);
  ASSERT_EQ(run.exitCode, 0) << run.log;
  const Image enter = run.Capture("enter.bmp"), space = run.Capture("space.bmp");
  EXPECT_TRUE(RingAt(enter, 1, 1));
  EXPECT_FALSE(CrossAt(enter, 1, 1));
  EXPECT_NE(CellText(enter, 1, 1), CellText(enter, 0, 0));
  EXPECT_TRUE(RingAt(space, 1, 1));
  EXPECT_TRUE(CrossAt(space, 1, 1));
  EXPECT_EQ(CellText(space, 1, 1), CellText(enter, 1, 1));
}

TEST(GameRules, EnterAndSpaceInOneFrameGiveTheBoxToPlayer1) {
  // The right box gets a plain Enter as the reference for a printed 1, the
  // left box a plain Space for a printed 2.
  const GameRun run = RunGame("same_frame",
                          "2 key RETURN\n2 key SPACE\n4 key RIGHT\n6 key RETURN\n"
                          "8 key LEFT\n10 key LEFT\n12 key SPACE\n14 capture both.bmp\n",
                          16);
  ASSERT_EQ(run.exitCode, 0) << run.log;
  const Image im = run.Capture("both.bmp");
  EXPECT_TRUE(RingAt(im, 1, 1));
  EXPECT_TRUE(CrossAt(im, 1, 1));
  EXPECT_EQ(CellText(im, 1, 1), CellText(im, 1, 2));
  EXPECT_NE(CellText(im, 1, 1), CellText(im, 1, 0));
}

TEST(GameRules, AHeldKeyPlacesOneMarkUntilItIsReleased) {
  const GameRun run = RunGame("held",
                          "2 keydown RETURN\n4 key RIGHT\n8 capture held.bmp\n"
                          "10 keyup RETURN\n12 keydown RETURN\n14 capture again.bmp\n",
                          16);
  ASSERT_EQ(run.exitCode, 0) << run.log;
  const Image held = run.Capture("held.bmp"), again = run.Capture("again.bmp");
  EXPECT_TRUE(RingAt(held, 1, 1));
  EXPECT_FALSE(RingAt(held, 1, 2));
  EXPECT_EQ(CellText(held, 1, 2), CellText(held, 0, 0));
  EXPECT_TRUE(RingAt(again, 1, 2));
  EXPECT_EQ(CellText(again, 1, 2), CellText(again, 1, 1));
}

TEST(GameRules, TheTwentyFirstMarkIsNotPlaced) {
  std::string script;
  for (int i = 0; i < 20; ++i) script += std::to_string(2 + 2 * i) + " key RETURN\n";
  script += "42 key RIGHT\n44 key RETURN\n46 capture full_pool.bmp\n"
            "48 key SPACE\n50 capture other_pool.bmp\n";
  const GameRun run = RunGame("pool", script, 52);
  ASSERT_EQ(run.exitCode, 0) << run.log;
  const Image im = run.Capture("full_pool.bmp");
  EXPECT_TRUE(RingAt(im, 1, 1));
  EXPECT_FALSE(RingAt(im, 1, 2));
  EXPECT_EQ(CellText(im, 1, 2), CellText(im, 0, 0));
  // Player 2's pool is separate: Space still places a mark there.
  const Image other = run.Capture("other_pool.bmp");
  EXPECT_TRUE(CrossAt(other, 1, 2));
  EXPECT_NE(CellText(other, 1, 2), CellText(other, 0, 0));
}

TEST(GameRules, AFullRowCountsAndADiagonalDoesNot) {
  // Until every judge record is active (frame 50) the counts shown are 0:
  // play after that.
  std::string script = "52 capture start.bmp\n";
  int frame = 54, row = 1, col = 1;
  auto place = [&](int r, int c) {
    frame = MoveTo(script, frame, row, col, r, c);
    row = r, col = c;
    script += std::to_string(frame) + " key RETURN\n";
    frame += 2;
  };
  place(1, 1);
  place(0, 0);
  place(2, 2);
  script += std::to_string(frame) + " capture diagonal.bmp\n";
  place(0, 1);
  place(0, 2);
  script += std::to_string(frame) + " capture row.bmp\n";
  const GameRun run = RunGame("lines", script, frame + 2);
  ASSERT_EQ(run.exitCode, 0) << run.log;
  const Image start = run.Capture("start.bmp");
  const Image diagonal = run.Capture("diagonal.bmp"), full = run.Capture("row.bmp");
  EXPECT_EQ(PointsText(diagonal, 1), PointsText(start, 1));
  EXPECT_NE(PointsText(full, 1), PointsText(start, 1));
  EXPECT_EQ(PointsText(full, 2), PointsText(start, 2));
}

}  // namespace
