// Fonts and TextOut on a DC: cell heights, extents of single- and double-
// byte text, opaque and transparent output, styles, clipping and hostile
// byte strings.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/font_canvas.h"

using namespace font_test;
using platform::Dc;

namespace {

constexpr COLORREF kInk = 0xFFFFFF, kBack = 0x800000, kField = 0x000000;

SIZE Extent(Dc& dc, const char* text, int length = -1) {
  SIZE size{};
  EXPECT_TRUE(dc.GetTextExtentPoint32(text, length, &size));
  return size;
}

void UseColours(Dc& dc, int mode) {
  dc.SetTextColor(kInk);
  dc.SetBkColor(kBack);
  dc.SetBkMode(mode);
}

}  // namespace

TEST(FontMetrics, PositiveHeightIsTheCellAndNegativeTheCharacter) {
  Canvas canvas(64, 64);
  for (const char* face : {kGothic, kMincho, ""}) {
    for (int height : {12, 16, 24}) {
      Selected font(*canvas.dc, Describe(face, height));
      EXPECT_EQ(Extent(*canvas.dc, "A").cy, height) << face << " " << height;
    }
    Selected font(*canvas.dc, Describe(face, -12));
    EXPECT_GE(Extent(*canvas.dc, "A").cy, 12) << face;
  }
}

TEST(FontMetrics, DoubleByteCharactersAreOneGlyphOfFullWidth) {
  Canvas canvas(64, 64);
  Selected font(*canvas.dc, Describe(kGothic, 12));
  const SIZE one = Extent(*canvas.dc, "日");
  EXPECT_GT(one.cx, 0);
  EXPECT_EQ(Extent(*canvas.dc, "日本語").cx, 3 * one.cx);
  // The standard sans face is fixed-pitch: two ASCII letters fill one kanji.
  EXPECT_EQ(Extent(*canvas.dc, "pt").cx, one.cx);
  EXPECT_EQ(Extent(*canvas.dc, "pt1=0").cx, 5 * one.cx / 2);
  // Half-width katakana are single bytes of half width.
  EXPECT_EQ(Extent(*canvas.dc, "ｶﾅ").cx, one.cx);
}

TEST(FontMetrics, WeightAddsAColumnPerCharacterWhenSynthesised) {
  Canvas canvas(64, 64);
  int normal = 0, bold = 0, fallback = 0;
  {
    Selected font(*canvas.dc, Describe(kGothic, 16, 400));
    normal = Extent(*canvas.dc, "abc").cx;
  }
  {
    Selected font(*canvas.dc, Describe(kGothic, 16, 700));
    bold = Extent(*canvas.dc, "abc").cx;
  }
  {
    Selected font(*canvas.dc, Describe(kGothic, 16, 0));  // default weight is normal
    fallback = Extent(*canvas.dc, "abc").cx;
  }
  EXPECT_EQ(bold, normal + 3);
  EXPECT_EQ(fallback, normal);
}

TEST(TextOut, OpaqueFillsExactlyTheCellWithTheSameInkInEveryFormat) {
  std::vector<bool> reference;  // the first format's ink, pixel by pixel
  for (int bits : {16, 15, 24, 32}) {
    Canvas canvas(120, 40, bits, kField);
    Selected font(*canvas.dc, Describe(kGothic, 12));
    UseColours(*canvas.dc, OPAQUE);
    const SIZE size = Extent(*canvas.dc, "pt1=0 漢字");
    ASSERT_TRUE(canvas.dc->TextOut(10, 5, "pt1=0 漢字", -1));
    const int ink = canvas.Count(kInk), back = canvas.Count(kBack);
    EXPECT_GT(ink, 20) << bits;
    EXPECT_EQ(ink + back, int(size.cx * size.cy)) << bits;
    const RECT filled = canvas.Bounds(kBack);
    EXPECT_EQ(filled.left, 10);
    EXPECT_EQ(filled.top, 5);
    EXPECT_EQ(filled.right, 10 + size.cx);
    EXPECT_EQ(filled.bottom, 5 + size.cy);
    EXPECT_TRUE(canvas.GuardsIntact());
    std::vector<bool> inked;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 120; ++x) inked.push_back(canvas.Is(x, y, kInk));
    if (reference.empty()) reference = inked;
    EXPECT_EQ(inked, reference) << bits;
  }
}

TEST(TextOut, TransparentLeavesThePixelsBetweenStrokes) {
  Canvas canvas(80, 30, 16, 0x00FF00);
  Selected font(*canvas.dc, Describe(kMincho, 16));
  UseColours(*canvas.dc, TRANSPARENT);
  canvas.dc->TextOut(2, 2, "永遠", -1);
  EXPECT_EQ(canvas.Count(kBack), 0);
  EXPECT_GT(canvas.Count(kInk), 30);
  EXPECT_EQ(canvas.Count(kInk) + canvas.Count(0x00FF00), 80 * 30);
}

TEST(TextOut, ClipsToTheTargetAtEveryEdge) {
  Canvas canvas(30, 20, 16, kField);
  Selected font(*canvas.dc, Describe(kGothic, 24));
  UseColours(*canvas.dc, OPAQUE);
  for (POINT at : {POINT{-10, -10}, POINT{20, 10}, POINT{-5, 15}, POINT{25, -20},
                   POINT{-100000, 5}, POINT{100000, 100000}})
    canvas.dc->TextOut(at.x, at.y, "日本語テキスト", -1);
  EXPECT_TRUE(canvas.GuardsIntact());
  EXPECT_GT(canvas.Count(kBack) + canvas.Count(kInk), 0);
}

TEST(TextOut, HostileBytesDrawReplacementsWithoutOverrun) {
  Canvas canvas(200, 20, 16, kField);
  Selected font(*canvas.dc, Describe(kGothic, 12));
  UseColours(*canvas.dc, OPAQUE);
  const int half = int(Extent(*canvas.dc, "A").cx);
  // A lead byte at the end of the count is one replacement, not half a
  // character joined to whatever follows in memory.
  const char kanji[] = "日";
  EXPECT_GT(Extent(*canvas.dc, kanji, 1).cx, 0);
  EXPECT_EQ(Extent(*canvas.dc, "\x93", -1).cx, Extent(*canvas.dc, kanji, 1).cx);
  // A lead byte with an invalid trail byte: the trail is a character of its own.
  EXPECT_EQ(Extent(*canvas.dc, "\x81" "1").cx, Extent(*canvas.dc, "\x93").cx + half);
  for (const char* text : {"\xFF\xFE\x80\xA0", "\x81", "\xEF\xFC", "\x85\x40", "\xFC\xFC\xFC"})
    EXPECT_TRUE(canvas.dc->TextOut(0, 0, text, -1));
  EXPECT_FALSE(canvas.dc->TextOut(0, 0, "abc", -2));
  EXPECT_TRUE(canvas.dc->TextOut(0, 0, nullptr, 0));
  EXPECT_TRUE(canvas.GuardsIntact());
}

TEST(TextOut, UnderlineIsARowInsideTheCell) {
  Canvas plain(60, 20, 16, kField), lined(60, 20, 16, kField);
  {
    Selected font(*plain.dc, Describe(kGothic, 16));
    UseColours(*plain.dc, TRANSPARENT);
    plain.dc->TextOut(0, 0, "ab", -1);
  }
  Selected font(*lined.dc, Describe(kGothic, 16, 400, 0, false, true));
  UseColours(*lined.dc, TRANSPARENT);
  lined.dc->TextOut(0, 0, "ab", -1);
  const int width = int(Extent(*lined.dc, "ab").cx);
  int fullRows = 0;
  for (int y = 0; y < 20; ++y)
    fullRows += lined.Count(kInk, 0, y, width, y + 1) == width && plain.Count(kInk, 0, y, width, y + 1) < width;
  EXPECT_GE(fullRows, 1);
  EXPECT_LE(lined.Bounds(kInk).bottom, 16);
}

TEST(TextOut, EscapementTurnsTheTextCounterClockwise) {
  Canvas canvas(80, 120, 16, kField);
  Selected font(*canvas.dc, Describe(kGothic, 16, 400, 900));
  UseColours(*canvas.dc, TRANSPARENT);
  canvas.dc->TextOut(20, 100, "ABCDEF", -1);
  const RECT ink = canvas.Bounds(kInk);
  EXPECT_GT(ink.bottom - ink.top, 3 * (ink.right - ink.left));  // runs upwards
  EXPECT_LE(ink.bottom, 101);
  EXPECT_GE(ink.left, 20);  // the cell's top edge is on the left
  EXPECT_TRUE(canvas.GuardsIntact());
}

TEST(TextOut, SyntheticBoldThickensAlongTheTurnedText) {
  // At 90 degrees the overstrike runs up the text: the ink grows in length,
  // not across the line.
  RECT ink[2];
  for (int bold = 0; bold < 2; ++bold) {
    Canvas canvas(60, 120, 16, kField);
    Selected font(*canvas.dc, Describe(kGothic, 16, bold ? 700 : 400, 900));
    UseColours(*canvas.dc, TRANSPARENT);
    canvas.dc->TextOut(20, 110, "ABC", -1);
    ink[bold] = canvas.Bounds(kInk);
  }
  EXPECT_EQ(ink[1].right - ink[1].left, ink[0].right - ink[0].left);
  EXPECT_GT(ink[1].bottom - ink[1].top, ink[0].bottom - ink[0].top);
}

// The ink of a line drawn in a face and character set.
static std::vector<bool> InkOf(const char* face, BYTE charSet, const char* text) {
  Canvas canvas(160, 24, 16, kField);
  LOGFONTA d = Describe(face, 16);
  d.lfCharSet = charSet;
  Selected font(*canvas.dc, d);
  UseColours(*canvas.dc, TRANSPARENT);
  canvas.dc->TextOut(2, 2, text, -1);
  std::vector<bool> ink;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 160; ++x) ink.push_back(canvas.Is(x, y, kInk));
  return ink;
}

TEST(TextOut, TheShiftJisSetOutranksALatinFaceName) {
  const auto standard = InkOf("", SHIFTJIS_CHARSET, "Agpt1 日本");
  const auto own = InkOf("DejaVu Sans", ANSI_CHARSET, "Agpt1 ");
  if (own == InkOf("", SHIFTJIS_CHARSET, "Agpt1 ")) GTEST_SKIP() << "no Latin face installed";
  // Asked for with the Shift-JIS set, a face without Japanese gives way to
  // the default Japanese face, so kanji still draw.
  EXPECT_EQ(InkOf("DejaVu Sans", SHIFTJIS_CHARSET, "Agpt1 日本"), standard);
  EXPECT_EQ(InkOf("IPAGothic", SHIFTJIS_CHARSET, "Agpt1 日本"), standard);
}

TEST(TextOut, SmallKanjiKeepTheirShapeInBothStandardFaces) {
  // 日 is a box closed at the bottom: its lowest full-width bar must sit on
  // (or one row above) its lowest inked row, at the game's sizes.
  for (const char* face : {kGothic, kMincho})
    for (int height : {10, 11, 12, 13, 16}) {
      Canvas canvas(24, 24, 16, kField);
      Selected font(*canvas.dc, Describe(face, height));
      UseColours(*canvas.dc, TRANSPARENT);
      canvas.dc->TextOut(2, 2, "日", -1);
      const RECT ink = canvas.Bounds(kInk);
      const int width = int(ink.right - ink.left);
      int lowestBar = -1;
      for (int y = int(ink.top); y < int(ink.bottom); ++y)
        if (canvas.Count(kInk, 0, y, 24, y + 1) >= width - 1) lowestBar = y;
      EXPECT_GE(lowestBar, int(ink.bottom) - 2) << face << " " << height;
    }
}

TEST(FontCache, IdenticalDescriptionsShareOneRealisedFont) {
  const LOGFONTA d = Describe(kGothic, 12);
  auto* a = static_cast<platform::Font*>(platform::CreateFontIndirect(&d));
  auto* b = static_cast<platform::Font*>(platform::CreateFontIndirect(&d));
  const LOGFONTA other = Describe(kGothic, 13);
  auto* c = static_cast<platform::Font*>(platform::CreateFontIndirect(&other));
  ASSERT_NE(a->Instance(), nullptr);
  EXPECT_EQ(a->Instance(), b->Instance());
  EXPECT_NE(a->Instance(), c->Instance());
  // A face name filling all 32 bytes without a terminator is read safely.
  LOGFONTA full = d;
  std::memset(full.lfFaceName, 'x', LF_FACESIZE);
  auto* e = static_cast<platform::Font*>(platform::CreateFontIndirect(&full));
  EXPECT_NE(e->Instance(), nullptr);
  for (auto* font : {a, b, c, e}) platform::DeleteObject(font);
}

TEST(TextOut, WindowsJapaneseFaceNamesDrawInTheirStandInDesigns) {
  const auto serif = InkOf(kMincho, SHIFTJIS_CHARSET, "Agpt1 日本");
  const auto sans = InkOf(kGothic, SHIFTJIS_CHARSET, "Agpt1 日本");
  if (serif == sans) GTEST_SKIP() << "no Japanese serif face installed";
  // A game written for Windows asks for its faces by these names.
  for (const char* name : {"ＭＳ 明朝", "MS Mincho"})
    EXPECT_EQ(InkOf(name, SHIFTJIS_CHARSET, "Agpt1 日本"), serif) << name;
  for (const char* name : {"ＭＳ ゴシック", "MS Gothic"})
    EXPECT_EQ(InkOf(name, SHIFTJIS_CHARSET, "Agpt1 日本"), sans) << name;
  EXPECT_NE(InkOf("ＭＳ Ｐ明朝", SHIFTJIS_CHARSET, "Agpt1 日本"),
            InkOf("ＭＳ Ｐゴシック", SHIFTJIS_CHARSET, "Agpt1 日本"));
}
