// DrawText: line feeds, word and character breaking, alignment, calc-rect
// and clipping to the box.
#include <gtest/gtest.h>

#include "tests/support/font_canvas.h"

using namespace font_test;

namespace {

constexpr COLORREF kInk = 0xFFFFFF;
constexpr UINT kWrap = DT_WORDBREAK | DT_NOPREFIX;

class DrawTextTest : public ::testing::Test {
 protected:
  DrawTextTest() : canvas(200, 120, 16, 0), font(*canvas.dc, Describe(kGothic, 12)) {
    canvas.dc->SetTextColor(kInk);
    canvas.dc->SetBkMode(TRANSPARENT);
    SIZE size{};
    canvas.dc->GetTextExtentPoint32("a", 1, &size);
    half = int(size.cx);
    line = int(size.cy);
  }

  int Measure(const char* text, int width, RECT* out = nullptr) {
    RECT box{10, 10, 10 + width, 110};
    const int height = canvas.dc->DrawText(text, -1, &box, kWrap | DT_CALCRECT);
    if (out) *out = box;
    return height;
  }

  Canvas canvas;
  Selected font;
  int half = 0, line = 0;
};

}  // namespace

TEST_F(DrawTextTest, BreaksAtSpacesAndDropsThem) {
  EXPECT_EQ(Measure("aaa bbb", 7 * half), line);
  EXPECT_EQ(Measure("aaa bbb", 6 * half), 2 * line);
  EXPECT_EQ(Measure("aaa bbb", 3 * half), 2 * line);  // the space fits nowhere
  RECT box{};
  EXPECT_EQ(Measure("aaa    bbb cc", 7 * half, &box), 2 * line);
  EXPECT_EQ(box.right - box.left, 6 * half);  // "bbb cc": the space run went
  EXPECT_EQ(box.bottom - box.top, 2 * line);
}

TEST_F(DrawTextTest, LongWordsStayWholeOnTheirOwnLine) {
  RECT box{};
  EXPECT_EQ(Measure("abcdefghij", 4 * half, &box), line);
  EXPECT_EQ(box.right - box.left, 10 * half);
  EXPECT_EQ(Measure("abc", 1), line);
  // The long word takes a line of its own between its neighbours.
  EXPECT_EQ(Measure("ab cdefghij kl", 4 * half, &box), 3 * line);
  EXPECT_EQ(box.right - box.left, 8 * half);
  EXPECT_EQ(Measure("abcdefghij\r\nkl", 4 * half), 2 * line);
  // Drawn, it is cut at the box's right edge.
  RECT draw{10, 10, 10 + 4 * half, 110};
  canvas.dc->DrawText("abcdefghij", -1, &draw, kWrap);
  const RECT ink = canvas.Bounds(kInk);
  EXPECT_LT(ink.left, ink.right);
  EXPECT_LE(ink.right, 10 + 4 * half);
  EXPECT_LE(ink.bottom, 10 + line);
  // Double-byte text breaks between any two characters, never inside one.
  EXPECT_EQ(Measure("日本語の文章", 4 * half), 3 * line);
  EXPECT_EQ(Measure("日本語の文章", 5 * half), 3 * line);
}

TEST_F(DrawTextTest, LineFeedsEndLinesWithOrWithoutWrapping) {
  EXPECT_EQ(Measure("a\nb\r\nc", 100), 3 * line);
  EXPECT_EQ(Measure("a\n\nb", 100), 3 * line);
  RECT box{0, 0, 100, 100};
  EXPECT_EQ(canvas.dc->DrawText("a\nb", -1, &box, DT_CALCRECT), 2 * line);
  EXPECT_EQ(Measure("", 100), 0);
}

TEST_F(DrawTextTest, AlignsEachLineInTheBox) {
  RECT box{20, 10, 120, 60};
  canvas.dc->DrawText("ab", -1, &box, kWrap | DT_RIGHT);
  EXPECT_LE(canvas.Bounds(kInk).right, 120);
  EXPECT_GT(canvas.Bounds(kInk).right, 120 - half);
  Canvas centred(200, 120, 16, 0);
  Selected font2(*centred.dc, Describe(kGothic, 12));
  centred.dc->SetTextColor(kInk);
  centred.dc->SetBkMode(TRANSPARENT);
  centred.dc->DrawText("ab", -1, &box, kWrap | DT_CENTER);
  const RECT ink = centred.Bounds(kInk);
  EXPECT_NEAR((ink.left + ink.right) / 2.0, 70, half);
}

TEST_F(DrawTextTest, CalcRectDrawsNothingAndDrawingClipsToTheBox) {
  RECT box{10, 10, 40, 30};
  const int height = canvas.dc->DrawText("aaaa bbbb cccc dddd", -1, &box, kWrap | DT_CALCRECT);
  EXPECT_EQ(canvas.Count(kInk), 0);
  EXPECT_EQ(box.bottom - box.top, height);
  RECT clip{10, 10, 40, 30};
  canvas.dc->SetBkMode(OPAQUE);
  canvas.dc->SetBkColor(0x800000);
  EXPECT_EQ(canvas.dc->DrawText("aaaa bbbb cccc dddd", -1, &clip, kWrap), height);
  const RECT painted = canvas.Bounds(0x800000);
  EXPECT_GE(painted.left, 10);
  EXPECT_LE(painted.right, 40);
  EXPECT_LE(painted.bottom, 30);
  EXPECT_TRUE(canvas.GuardsIntact());
}
