// sprite_text_test.cpp - text laid out through the Font sprite: hanging
// punctuation and wrapping, line feeds, the never-black colour rule, shadow
// offsets, the typewriter's timing, the box table's limit, and the 3 x 3
// reduction at each depth and under a clip window.
#include <set>
#include <utility>

#include "tests/support/draw_fixture.h"
#include "text/text.h"

namespace {

using drawtest::DrawTest;
using drawtest::PixelAt;
using Points = std::set<std::pair<int, int>>;

class SpriteTextTest : public DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    ruDraw::SetClipWindow(0, 0, 640, 480);
    ruDraw::SetFont(1, 16, 0, 0, 0, 0);
    ruDraw::SetTextColor(RGB(255, 255, 255), RGB(255, 0, 0), 1);
  }
  void TearDown() override {
    ruDraw::ResetFont();
    DrawTest::TearDown();
  }
  int CharWidth(const char* c) {
    SIZE size{};
    ruDraw::TextDC->GetTextExtentPoint32(c, -1, &size);
    return size.cx;
  }
  // Back-buffer points of a raw value inside a rectangle.
  static Points Where(DWORD value, int left, int top, int right, int bottom) {
    Points points;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x)
        if (drawtest::BackPixel(x, y) == value) points.insert({x, y});
    return points;
  }
  static Points Shift(const Points& p, int dx, int dy) {
    Points out;
    for (auto [x, y] : p) out.insert({x + dx, y + dy});
    return out;
  }
};

TEST_F(SpriteTextTest, PunctuationHangsPastTheEdgeAndOtherCharactersWrap) {
  const int w = CharWidth("あ");
  ASSERT_GT(w, 0);
  const int right = 10 + 3 * w;
  ruDraw::BoxText(10, 20, right, 400, "あああ、い", 0);
  ASSERT_EQ(ruDraw::CharCount, 5);  // the hanging "、" has no box
  EXPECT_EQ(ruDraw::CharBoxes[4].left, 10);
  EXPECT_GT(ruDraw::CharBoxes[4].top, 20);
  EXPECT_FALSE(Where(0xFFFF, right, 20, right + w, 20 + 16).empty());  // "、" drawn

  ruDraw::BoxText(10, 20, right, 400, "あああかい", 0);
  ASSERT_EQ(ruDraw::CharCount, 6);
  EXPECT_EQ(ruDraw::CharBoxes[4].left, 10);  // "か" starts the next line
  EXPECT_EQ(ruDraw::CharBoxes[5].left, 10 + w);

  ruDraw::BoxText(10, 20, 600, 400, "あ\nい", 0);
  ASSERT_EQ(ruDraw::CharCount, 3);  // the line feed has no box
  EXPECT_EQ(ruDraw::CharBoxes[2].left, 10);
  EXPECT_EQ(ruDraw::CharBoxes[2].top, ruDraw::CharBoxes[1].bottom);
  EXPECT_NE(ruDraw::TextDC, nullptr);  // the caller's span is open again
}

TEST_F(SpriteTextTest, BlackTextStaysVisibleAsDarkGrey) {
  ruDraw::SetTextColor(0, 0, 1);
  ruDraw::BoxText(0, 0, 600, 400, "あ", 0);
  EXPECT_EQ(ruDraw::TextColor, 0x101010u);
  EXPECT_EQ(ruDraw::BackColor, 0x101010u);
  EXPECT_FALSE(Where(0x1082, 0, 0, 32, 32).empty());  // 0x101010 at 5-6-5
}

TEST_F(SpriteTextTest, ShadowsSitOneOrTwoPixelsAwayInTheBackgroundColour) {
  struct Case {
    unsigned flags;
    int dx, dy;
  } cases[] = {{0x100, 1, 1}, {0x300, 2, 1}, {0x500, 1, 2}, {0x700, 2, 2}};
  ruDraw::BoxText(0, 0, 600, 400, "■", 0);
  const Points glyph = Where(0xFFFF, 0, 0, 40, 40);
  ASSERT_FALSE(glyph.empty());
  for (const Case& c : cases) {
    ruDraw::ClearScreen();
    ruDraw::BoxText(0, 0, 600, 400, "■", c.flags);
    Points ink = glyph;
    if (c.flags & 0x200) ink.merge(Shift(glyph, 1, 0));
    if ((c.flags & 0x600) == 0x600) ink.merge(Shift(glyph, 1, 1));
    if (c.flags & 0x400) ink.merge(Shift(glyph, 0, 1));
    Points shadow;
    for (const auto& p : Shift(glyph, c.dx, c.dy))
      if (!ink.count(p)) shadow.insert(p);
    EXPECT_EQ(Where(0xFFFF, 0, 0, 40, 40), ink) << c.flags;
    EXPECT_EQ(Where(0xF800, 0, 0, 40, 40), shadow) << c.flags;
  }
}

TEST_F(SpriteTextTest, TheTypewriterShowsOneMoreCharacterEachInterval) {
  ruDraw::BoxTextToSprite(0, 0, 600, 400, "あいう", 0);
  EXPECT_EQ(drawtest::BackPixel(ruDraw::CharBoxes[1].left + 8, 8), 0u);  // not copied
  ruSystem::FrameTime = 0.05f;
  int calls = 1;
  while (ruDraw::TypeText(0.1f) == 0 && calls < 100) {
    ++calls;
    // After 2k + 1 calls, k characters are drawn; the next is not.
    const int shown = (calls - 1) / 2;
    if (shown >= 1 && shown < 3) {
      EXPECT_TRUE(Where(0xFFFF, ruDraw::CharBoxes[shown + 1].left,
                        0, ruDraw::CharBoxes[shown + 1].right, 20).empty());
    }
  }
  EXPECT_EQ(calls, 2 * (ruDraw::CharCount + 1) + 1);
  ruDraw::ClearScreen();
  EXPECT_EQ(ruDraw::TypeText(0), 1);
  EXPECT_FALSE(Where(0xFFFF, 0, 0, 64, 20).empty());
}

TEST_F(SpriteTextTest, LayoutStopsAtTheLastBoxOrACharacterWiderThanTheBox) {
  const std::string text(4000, 'a');
  ruDraw::BoxTextToSprite(0, 0, 1 << 30, 1 << 30, text.c_str(), 0);
  EXPECT_EQ(ruDraw::CharCount, ruDraw::kCharBoxCount);
  // A box narrower than one character: nothing is placed, and the layout
  // ends instead of stepping down a billion rows.
  ruDraw::BoxTextToSprite(0, 0, 2, 1 << 30, "ああ", 0);
  EXPECT_EQ(ruDraw::CharCount, 1);
  ruDraw::ResetFont();
  ruDraw::SetBufferFont(1, 16);
  ruDraw::SmoothTextToSprite(0, 0, 2, 1 << 30, "ああ", 0);
  EXPECT_EQ(ruDraw::CharCount, 1);
  ruDraw::ResetBufferFont();
  ruDraw::SetFont(1, 16, 0, 0, 0, 0);
}

// SmoothLine on a synthetic 4 x 4 white block over a black back buffer:
// an output corner sees 4 source pixels, the centre 9.
TEST_F(SpriteTextTest, ReductionBlendsTheNeighbourhoodAtEachDepth) {
  struct Case {
    int depth;
    DWORD white, corner, centre;
  } cases[] = {{16, 0xFFFF, (19u << 11) | (19u << 6) | 19u, 0xFFDF},
               {32, 0xFFFFFF, 0x9F9F9F, 0xFFFFFF},
               {24, 0xFFFFFF, 0x9F9F9F, 0xFFFFFF}};
  ruDraw::ResetFont();  // no span may outlive its screen
  for (const Case& c : cases) {
    CloseScreen();
    OpenScreen(c.depth);
    ruDraw::SetClipWindow(0, 0, 640, 480);
    ruDraw::ClearObject(2);
    platform::Surface* buffer = ruDraw::Objects[3].surface;
    drawtest::Paint(buffer, [&](int x, int y) { return x < 4 && y < 4 ? c.white : 0u; });
    ASSERT_EQ(ruDraw::SmoothLine(100, 50, 0, 0, 4, 4), 1);
    platform::Surface* sprite = ruDraw::Objects[2].surface;
    EXPECT_EQ(PixelAt(sprite, 100, 50), c.corner) << c.depth;
    EXPECT_EQ(PixelAt(sprite, 101, 51), c.centre) << c.depth;
    EXPECT_EQ(PixelAt(sprite, 102, 50), 0u) << c.depth;  // outside the segment
  }
}

TEST_F(SpriteTextTest, SmoothedTextCutOnTheLeftKeepsItsVisiblePixelsInPlace) {
  ruDraw::ResetFont();
  ruDraw::SetBufferFont(1, 16);
  ruDraw::SetTextColor(RGB(255, 255, 255), RGB(255, 0, 0), 1);
  auto spriteRow = [](int y) {
    std::vector<DWORD> row;
    for (int x = 0; x < 120; ++x) row.push_back(PixelAt(ruDraw::Objects[2].surface, x, y));
    return row;
  };
  ruDraw::SmoothTextToSprite(30, 10, 600, 400, "あいう", 0x100);
  std::vector<std::vector<DWORD>> whole;
  for (int y = 10; y < 30; ++y) whole.push_back(spriteRow(y));
  ruDraw::SetClipWindow(50, 0, 640, 480);
  ruDraw::SmoothTextToSprite(30, 10, 600, 400, "あいう", 0x100);
  bool inked = false;
  for (int y = 10; y < 30; ++y) {
    const std::vector<DWORD> cut = spriteRow(y);
    for (int x = 0; x < 120; ++x) {
      // Column 50 loses its left neighbours to the cut; the rest is unmoved.
      if (x != 50) {
        EXPECT_EQ(cut[x], x < 50 ? 0u : whole[y - 10][x]) << x << "," << y;
      }
      inked = inked || (x >= 50 && cut[x] != 0);
    }
  }
  EXPECT_TRUE(inked);
  ruDraw::ResetBufferFont();
  ruDraw::SetFont(1, 16, 0, 0, 0, 0);
}

}  // namespace
