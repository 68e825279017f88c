// draw_wipes_test.cpp - the nine wipe patterns opening and closing (start
// shape, steps to finish, final window and flags), step length, restarts,
// random patterns, and the screen capture's file at each depth.
#include <fstream>
#include <iterator>

#include "tests/support/draw_fixture.h"

namespace {

using drawtest::DrawTest;

class WipeTest : public DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    ruSystem::WipeState = 0;
    ruDraw::SetClipWindow(0, 0, 640, 480);
  }
  // Steps until the wipe finishes (or `limit` steps).
  int RunToEnd(int limit = 5000) {
    int steps = 0;
    while (ruSystem::WipeState > 0 && steps < limit) steps += ruDraw::Wipe();
    return steps;
  }
  static bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }
};

TEST_F(WipeTest, EachPatternOpensFromItsShapeAndClosesInItsSteps) {
  // Saved window 640 x 480, slit 40 (h = 20), speed 0: one pixel a step.
  struct Case {
    int pattern;
    RECT start;
    int openSteps, closeSteps;
    RECT closed;
  } cases[] = {
      {1, {0, 480, 640, 480}, 480, 480, {0, 480, 640, 480}},
      {2, {0, 0, 640, 0}, 480, 480, {0, 0, 640, 0}},
      {3, {640, 0, 640, 480}, 640, 640, {640, 0, 640, 480}},
      {4, {0, 0, 0, 480}, 640, 640, {0, 0, 0, 480}},
      {5, {0, 240, 640, 240}, 240, 240, {0, 240, 640, 240}},
      {6, {320, 0, 320, 480}, 320, 320, {320, 0, 320, 480}},
      {7, {320, 240, 320, 240}, 320, 320, {320, 240, 320, 240}},
      {8, {300, 240, 340, 240}, 240 + 300, 300 + 240, {300, 240, 340, 240}},
      {9, {320, 220, 320, 260}, 320 + 220, 220 + 320, {320, 220, 320, 260}},
  };
  const RECT full{0, 0, 640, 480};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    ASSERT_EQ(ruDraw::SetWipe(0, c.pattern, 0, 40), 1);
    EXPECT_EQ(ruSystem::WipeState, 1);
    EXPECT_TRUE(Same(ruDraw::ClipWindow, c.start));
    EXPECT_EQ(ruDraw::SetWipe(1, c.pattern, 0, 40), 0);  // refused while running
    EXPECT_EQ(RunToEnd(), c.openSteps);
    EXPECT_TRUE(Same(ruDraw::ClipWindow, full));
    EXPECT_EQ(ruSystem::WipeState, 0);
    EXPECT_EQ(ruDraw::WipeOpened, 1);
    EXPECT_EQ(ruDraw::Wipe(), 0);

    ASSERT_EQ(ruDraw::SetWipe(1, c.pattern, 0, 40), 1);
    EXPECT_EQ(ruDraw::WipeOpened, 0);
    EXPECT_TRUE(Same(ruDraw::ClipWindow, full));
    EXPECT_EQ(RunToEnd(), c.closeSteps);
    EXPECT_EQ(ruSystem::WipeState, -1);
    EXPECT_EQ(ruDraw::WipeClosed, 1);
    // Patterns 1 to 4 close edge against edge; the others meet in the centre.
    const RECT& w = ruDraw::ClipWindow;
    if (c.pattern == 2 || c.pattern == 4)
      EXPECT_TRUE(c.pattern == 2 ? w.bottom == 0 : w.right == 0);
    else
      EXPECT_TRUE(Same(w, c.closed)) << w.left << "," << w.top << "," << w.right << "," << w.bottom;
    // The next wipe starts from the restored full window.
    ASSERT_EQ(ruDraw::SetWipe(0, 0, 0, 40), 1);
    EXPECT_TRUE(Same(ruSystem::SavedClipWindow, full));
    EXPECT_GE(ruDraw::WipePattern, 1);
    EXPECT_LE(ruDraw::WipePattern, 9);
    RunToEnd();
  }
}

TEST_F(WipeTest, StepsGrowWithFrameTimeAndUnknownPatternsNeverFinish) {
  ruSystem::FrameTime = 0.5f;
  ruDraw::SetWipe(0, 4, 10.0f, 0);  // s = 5: six pixels a step
  ruDraw::Wipe();
  EXPECT_EQ(ruDraw::ClipWindow.right, 6);
  EXPECT_EQ(RunToEnd(), 106);  // 640 / 6 rounded up, less the first
  ruSystem::FrameTime = 0;

  ruDraw::SetWipe(1, 12, 0, 0);
  EXPECT_EQ(RunToEnd(100), 100);
  EXPECT_EQ(ruSystem::WipeState, 2);
  ruSystem::WipeState = 0;  // as a scene change would

  ruDraw::SetClipWindow(10, 20, 110, 220);
  ruDraw::CloseWipe();
  EXPECT_EQ(ruSystem::WipeState, -1);
  EXPECT_TRUE(Same(ruDraw::ClipWindow, RECT{10, 20, 10, 20}));
  EXPECT_TRUE(Same(ruSystem::SavedClipWindow, RECT{10, 20, 110, 220}));
  EXPECT_EQ(ruDraw::WipeClosed, 0);  // flags untouched
}

// ---------------------------------------------------------------- capture

std::vector<unsigned char> ReadAppFile(const std::string& name) {
  std::ifstream in(drawtest::InAppFolder(name), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
std::uint32_t U32(const std::vector<unsigned char>& f, size_t at) {
  return f[at] | f[at + 1] << 8 | f[at + 2] << 16 | std::uint32_t(f[at + 3]) << 24;
}

TEST_F(DrawTest, CaptureWritesAHeaderAndPaddedBottomUpRows) {
  drawtest::Paint(ruDraw::BackBuffer, [](int x, int y) { return y == 0 ? 0xFFFFu : 0xF800u; });
  ASSERT_EQ(ruDraw::SaveScreen("cap_rows.bmp", 10, 3), 1);
  const auto f = ReadAppFile("cap_rows.bmp");
  ASSERT_EQ(f.size(), 58u + 32 * 3);
  const std::vector<unsigned char> header(f.begin(), f.begin() + 58);
  // "BM", size, offset 58, 40-byte info header, 10 x 3, 1 plane, 24 bits,
  // image size, 2834 pixels per metre, an empty colour entry.
  const std::vector<std::pair<size_t, std::uint32_t>> fields = {
      {2, 154}, {10, 58}, {14, 40}, {18, 10}, {22, 3}, {26, 1 | 24 << 16},
      {30, 0},  {34, 96}, {38, 2834}, {42, 2834}, {46, 0}, {50, 0}, {54, 0}};
  EXPECT_EQ(f[0], 'B');
  EXPECT_EQ(f[1], 'M');
  for (auto [at, value] : fields) EXPECT_EQ(U32(f, at), value) << at;
  // Bottom row first: red rows, then the white top row (248 at 16 bits).
  std::vector<unsigned char> red, white;
  for (int x = 0; x < 10; ++x) red.insert(red.end(), {0, 0, 248}), white.insert(white.end(), 3, 248);
  red.insert(red.end(), 2, 0), white.insert(white.end(), 2, 0);  // padding
  EXPECT_EQ(std::vector<unsigned char>(f.begin() + 58, f.begin() + 90), red);
  EXPECT_EQ(std::vector<unsigned char>(f.begin() + 122, f.end()), white);

  // Asked beyond the back buffer: cut to it. A file that cannot be made: 0.
  ASSERT_EQ(ruDraw::SaveScreen("cap_big.bmp", 5000, -3), 1);
  EXPECT_EQ(ReadAppFile("cap_big.bmp").size(), 58u);
  ASSERT_EQ(ruDraw::SaveScreen("cap_big.bmp", 5000, 5000), 1);
  EXPECT_EQ(U32(ReadAppFile("cap_big.bmp"), 18), 640u);
  EXPECT_EQ(ruDraw::SaveScreen("no_such_folder\\cap.bmp", 4, 4), 0);
}

TEST_F(DrawTest, CaptureChannelsFollowEachDisplayFormat) {
  struct Case {
    int depth;
    DWORD pixel;
    unsigned char blue, green, red;
  } cases[] = {{15, 0x7FFF, 248, 248, 248}, {16, 0x07E0, 0, 248, 0},
               {24, 0x123456, 0x56, 0x34, 0x12}, {32, 0x00ABCDEF, 0xEF, 0xCD, 0xAB}};
  for (const Case& c : cases) {
    CloseScreen();
    OpenScreen(c.depth);
    drawtest::Paint(ruDraw::BackBuffer, [&](int, int) { return c.pixel; });
    ASSERT_EQ(ruDraw::SaveScreen("cap_depth.bmp", 2, 1), 1) << c.depth;
    const auto f = ReadAppFile("cap_depth.bmp");
    ASSERT_EQ(f.size(), 58u + 8);
    EXPECT_EQ(f[58], c.blue) << c.depth;
    EXPECT_EQ(f[59], c.green) << c.depth;
    EXPECT_EQ(f[60], c.red) << c.depth;
  }
}

}  // namespace
