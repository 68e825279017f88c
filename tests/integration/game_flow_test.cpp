// game_flow_test.cpp - whole games: the full board leads to the result
// scene a second later with the winner's text; Esc asks before quitting in
// both scenes; a script replays to the same bytes.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/support/game_run.h"

namespace {

using namespace game_test;

struct Placement {
  int row, col, player;
};

struct Game {
  std::string script;
  int fullFrame = 0;  // first frame after the last mark
};

// Moves and keys placing the marks in order; captures the full board
// ("full.bmp"), a frame before the result wait ends ("waiting.bmp") and
// the result scene ("result.bmp").
Game Script(const std::vector<Placement>& marks) {
  Game game;
  int frame = 2, row = 1, col = 1;
  for (const Placement& p : marks) {
    frame = MoveTo(game.script, frame, row, col, p.row, p.col);
    row = p.row, col = p.col;
    game.script += std::to_string(frame) + (p.player == 1 ? " key RETURN\n" : " key SPACE\n");
    frame += 2;
  }
  game.fullFrame = frame;
  game.script += std::to_string(frame) + " capture full.bmp\n" +
                 std::to_string(frame + 55) + " capture waiting.bmp\n" +
                 std::to_string(frame + 80) + " capture result.bmp\n";
  return game;
}

// Player 1 fills the middle row; nobody else has a line.
const std::vector<Placement> kPlayer1Wins = {
    {1, 1, 1}, {0, 0, 2}, {1, 0, 1}, {0, 1, 1}, {0, 2, 2},
    {2, 0, 2}, {2, 1, 2}, {2, 2, 1}, {1, 2, 1}};
// The same board with the players swapped.
std::vector<Placement> Swapped(std::vector<Placement> marks) {
  for (Placement& p : marks) p.player = 3 - p.player;
  return marks;
}
// No row or column belongs to one player.
const std::vector<Placement> kNoLines = {
    {0, 0, 1}, {0, 1, 2}, {0, 2, 1}, {1, 0, 1}, {1, 1, 2},
    {1, 2, 2}, {2, 0, 2}, {2, 1, 1}, {2, 2, 1}};
// Player 1 completes the top row first, then player 2 the middle row.
const std::vector<Placement> kTieAfterPlayer1 = {
    {0, 0, 1}, {0, 1, 1}, {0, 2, 1}, {1, 0, 2}, {1, 1, 2},
    {1, 2, 2}, {2, 0, 1}, {2, 1, 2}, {2, 2, 1}};

GameRun Play(const std::string& tag, const Game& game) {
  return RunGame(tag, game.script, game.fullFrame + 82);
}

std::string Bytes(const GameRun& run, const std::string& name) {
  std::ifstream in(run.dir + "/" + name, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

TEST(GameFlow, AFullBoardShowsTheWinnerASecondLater) {
  const GameRun run = Play("winner1", Script(kPlayer1Wins));
  ASSERT_EQ(run.exitCode, 0) << run.log;
  const Image full = run.Capture("full.bmp"), waiting = run.Capture("waiting.bmp");
  const Image result = run.Capture("result.bmp");
  ASSERT_EQ(result.width, 640) << run.log;
  EXPECT_TRUE(IsRed(full.At(280, 200)));
  EXPECT_TRUE(IsRed(waiting.At(280, 200)));  // still the board 55 frames on
  EXPECT_FALSE(IsRed(result.At(280, 200)));
  EXPECT_FALSE(AllBlack(ResultText(result)));
  EXPECT_TRUE(AllBlack(result.Crop(0, 0, 640, 230)));  // nothing but the text
}

TEST(GameFlow, TheResultNamesTheWinnerAndNobodyWithoutALine) {
  const GameRun one = Play("winner1_text", Script(kPlayer1Wins));
  const GameRun two = Play("winner2_text", Script(Swapped(kPlayer1Wins)));
  const GameRun none = Play("no_winner", Script(kNoLines));
  ASSERT_EQ(one.exitCode, 0) << one.log;
  ASSERT_EQ(two.exitCode, 0) << two.log;
  ASSERT_EQ(none.exitCode, 0) << none.log;
  const Image a = one.Capture("result.bmp"), b = two.Capture("result.bmp");
  const Image c = none.Capture("result.bmp");
  ASSERT_EQ(c.width, 640) << none.log;
  EXPECT_FALSE(AllBlack(ResultText(b)));
  EXPECT_NE(ResultText(a), ResultText(b));
  EXPECT_TRUE(AllBlack(c.pixels));
}

TEST(GameFlow, EqualCountsKeepTheEarlierWinner) {
  const GameRun tie = Play("tie", Script(kTieAfterPlayer1));
  const GameRun one = Play("tie_reference", Script(kPlayer1Wins));
  ASSERT_EQ(tie.exitCode, 0) << tie.log;
  // Shown after every judge record is active: pt1=1 in both, pt2=1 only here.
  const Image tied = tie.Capture("waiting.bmp"), won = one.Capture("waiting.bmp");
  EXPECT_EQ(PointsText(tied, 1), PointsText(won, 1));
  EXPECT_NE(PointsText(tied, 2), PointsText(won, 2));
  EXPECT_EQ(ResultText(tie.Capture("result.bmp")), ResultText(one.Capture("result.bmp")));
}

TEST(GameFlow, TheSameScriptGivesTheSameBytes) {
  Game game = Script(kPlayer1Wins);
  game.script += "7 capture early.bmp\n";
  const GameRun first = Play("replay_a", game), second = Play("replay_b", game);
  ASSERT_EQ(first.exitCode, 0) << first.log;
  ASSERT_EQ(second.exitCode, 0) << second.log;
  for (const char* name : {"early.bmp", "full.bmp", "result.bmp"}) {
    const std::string a = Bytes(first, name);
    EXPECT_FALSE(a.empty()) << name;
    EXPECT_EQ(a, Bytes(second, name)) << name;
  }
}

TEST(GameFlow, EscAsksToQuitAndOnlyYesEndsTheGame) {
  const GameRun run = RunGame("esc",
                          "2 answer no\n2 key ESCAPE\n4 key RETURN\n6 capture after_no.bmp\n"
                          "8 answer yes\n8 key ESCAPE\n30 capture too_late.bmp\n",
                          200);
  EXPECT_EQ(run.exitCode, 0) << run.log;
  const Image afterNo = run.Capture("after_no.bmp");
  ASSERT_EQ(afterNo.width, 640) << run.log;
  EXPECT_TRUE(IsPlayer1Mark(afterNo.At(340, 247)));  // the game went on
  EXPECT_FALSE(run.HasFile("too_late.bmp"));
  const std::string question = reinterpret_cast<const char*>(u8"終了しますか？");
  const size_t first = run.log.find(question);
  ASSERT_NE(first, std::string::npos) << run.log;
  EXPECT_NE(run.log.find(question, first + 1), std::string::npos) << run.log;
}

TEST(GameFlow, EscInTheResultSceneAsksToo) {
  Game game = Script(kNoLines);
  const int end = game.fullFrame + 82;
  game.script += std::to_string(end) + " answer yes\n" + std::to_string(end) + " key ESCAPE\n" +
                 std::to_string(end + 20) + " capture too_late.bmp\n";
  const GameRun run = RunGame("esc_result", game.script, end + 200);
  EXPECT_EQ(run.exitCode, 0) << run.log;
  EXPECT_TRUE(run.HasFile("result.bmp"));
  EXPECT_FALSE(run.HasFile("too_late.bmp"));
  EXPECT_NE(run.log.find(reinterpret_cast<const char*>(u8"終了しますか？")), std::string::npos);
}

}  // namespace
