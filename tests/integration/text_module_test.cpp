// The text module on a headless screen: the font list, the set-font rules
// for FontDesc, text on the back buffer and the Font buffer sprite, the
// fixed-style quick output with its bounded formatting, and the frame meter
// on the fake clock.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "draw/draw.h"
#include "platform/backend.h"
#include "platform/os/clock.h"
#include "platform/font/font.h"
#include "platform/headless/headless.h"
#include "system/system.h"
#include "tests/support/headless_run.h"
#include "tests/support/test_hooks.h"
#include "text/text.h"

namespace {

constexpr COLORREF kWhite = 0xFFFFFF, kDarkBlue = 0x800000;

// Raw pixel at (x, y) of a surface, read through a lock.
DWORD PixelAt(platform::Surface* surface, int x, int y) {
  void* bits = nullptr;
  LONG pitch = 0;
  if (surface->Lock(&bits, &pitch, DDLOCK_WAIT) != DD_OK) return 0xDEADBEEF;
  const DWORD bytes = surface->Format().bitCount / 8;
  DWORD value = 0;
  std::memcpy(&value, static_cast<const BYTE*>(bits) + y * pitch + x * bytes, bytes);
  surface->Unlock();
  return value;
}

DWORD BackPixel(int x, int y) { return PixelAt(ruDraw::BackBuffer, x, y); }

// A headless 640x480 16-bit screen; screen set-up builds the font list.
class TextModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_hooks::Clear();
    auto backend = std::make_unique<platform::HeadlessBackend>(platform::HeadlessOptions{});
    platform::HeadlessBackend* headless = backend.get();
    platform::SetBackend(std::move(backend));
    ruSystem::FullScreen = 0;
    ruSystem::DesktopMode = 0;
    ruSystem::ColorDepth = 16;
    ruSystem::TransitionStep = 0;
    ruSystem::MainWindow = headless->CreateMainWindow(platform::WindowSpec{});
    ASSERT_EQ(ruDraw::Screen(640, 480, 1), 1);
  }
  void TearDown() override {
    platform::SetFontListForTests(nullptr);
    ruDraw::ResetFont();
    ruDraw::ExitScreen();
    ruDraw::ExitFont();
  }

  static DWORD Pixel(COLORREF c) { return platform::ColorToPixel(c, ruDraw::BackBuffer->Format()); }

  // Pixels of colour c in [left, right) x [top, bottom) of the back buffer.
  static int Count(COLORREF c, int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += BackPixel(x, y) == Pixel(c);
    return n;
  }
  static int Painted(int left, int top, int right, int bottom) {
    return (right - left) * (bottom - top) - Count(0, left, top, right, bottom);
  }
};

TEST_F(TextModuleTest, ScreenSetUpFillsTheFontListFromTheSystem) {
  EXPECT_EQ(ruDraw::SpriteTextToScreen, 1);
  ASSERT_GT(ruDraw::FontCount, 0);
  ASSERT_LE(ruDraw::FontCount, ruDraw::kFontListSize);
  bool japanese = false;
  for (int i = 0; i < ruDraw::FontCount; ++i) {
    const ruDraw::FontEntry& e = ruDraw::FontList[i];
    EXPECT_NE(e.Name[0], '\0');
    EXPECT_EQ(e.Kind, e.CharSet == 128 ? 1 : e.CharSet == 2 ? 3 : 2);
    japanese |= e.CharSet == 128;
  }
  EXPECT_TRUE(japanese);
  for (int i = ruDraw::FontCount; i < ruDraw::kFontListSize; ++i) {
    EXPECT_EQ(ruDraw::FontList[i].Kind, -1);
    EXPECT_EQ(ruDraw::FontList[i].Name[0], '\0');
  }
}

TEST_F(TextModuleTest, FontListKeepsTheFirst200Of250Faces) {
  std::vector<platform::FontFamily> faces;
  for (int i = 0; i < 250; ++i)
    faces.push_back({"Face" + std::to_string(i), BYTE(i == 3 ? 2 : i == 4 ? 0 : 128)});
  platform::SetFontListForTests(&faces);
  ruDraw::InitFont();
  EXPECT_EQ(ruDraw::FontCount, 200);
  EXPECT_STREQ(ruDraw::FontList[199].Name, "Face199");
  EXPECT_EQ(ruDraw::FontList[3].Kind, 3);
  EXPECT_EQ(ruDraw::FontList[4].Kind, 2);
  EXPECT_EQ(ruDraw::FontList[5].Kind, 1);

  // A listed face takes its own character set; others 128.
  ruDraw::SetFontName("Face3", 12, 0, 0, 0, 0);
  EXPECT_EQ(ruDraw::FontDesc->lfCharSet, 2);
  ruDraw::ResetFont();
  ruDraw::SetBufferFontName("Face4", 8);
  EXPECT_EQ(ruDraw::FontDesc->lfCharSet, 0);
  ruDraw::ResetBufferFont();
  ruDraw::SetFontName("Face249", 12, 0, 0, 0, 0);  // beyond the list's 200
  EXPECT_EQ(ruDraw::FontDesc->lfCharSet, 128);
  ruDraw::ResetFont();
}

TEST_F(TextModuleTest, SetFontFillsTheDescriptionAndKeepsTheFaceName) {
  ruDraw::SetFont(7, 20, 45, 2, 1, 1);  // no face set yet: empty name
  const LOGFONTA& d = *ruDraw::FontDesc;
  EXPECT_EQ(d.lfFaceName[0], '\0');
  EXPECT_EQ(d.lfHeight, 20);
  EXPECT_EQ(ruDraw::FontHeight, 20);
  EXPECT_EQ(d.lfEscapement, 450);
  EXPECT_EQ(d.lfWeight, 0);
  EXPECT_EQ(d.lfItalic, 1);
  EXPECT_EQ(d.lfUnderline, 1);
  EXPECT_EQ(d.lfCharSet, 128);
  EXPECT_NE(ruDraw::TextDC, nullptr);
  ruDraw::ResetFont();
  EXPECT_EQ(ruDraw::TextDC, nullptr);

  ruDraw::SetFont(0, -16, 0, 1, 0, 0);
  EXPECT_STREQ(d.lfFaceName, "標準明朝");
  EXPECT_EQ(d.lfWeight, 700);
  ruDraw::ResetFont();
  ruDraw::SetFontName("DejaVu Sans", 12, 0, 0, 0, 0);
  ruDraw::ResetFont();
  ruDraw::SetFont(5, 12, 0, 0, 0, 0);  // keeps the name, character set 128
  EXPECT_STREQ(d.lfFaceName, "DejaVu Sans");
  EXPECT_EQ(d.lfCharSet, 128);
  EXPECT_EQ(d.lfWeight, 400);
  ruDraw::ResetFont();

  ruDraw::SetBufferFont(1, 9);
  EXPECT_STREQ(d.lfFaceName, "標準ゴシック");
  EXPECT_EQ(d.lfHeight, 18);
  EXPECT_EQ(ruDraw::FontHeight, 18);
  EXPECT_EQ(d.lfWeight, 400);
  EXPECT_EQ(d.lfEscapement, 0);
  EXPECT_EQ(d.lfItalic + d.lfUnderline, 0);
  ruDraw::ResetBufferFont();
}

TEST_F(TextModuleTest, LongFaceNamesAreCutInsideTheFieldAtACharacter) {
  ruDraw::SetFontName("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnop", 12, 0, 0, 0, 0);
  EXPECT_STREQ(ruDraw::FontDesc->lfFaceName, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcde");
  ruDraw::ResetFont();
  ruDraw::SetFontName("漢字漢字漢字漢字漢字漢字漢字漢字漢字", 12, 0, 0, 0, 0);  // 36 bytes
  EXPECT_EQ(std::string(ruDraw::FontDesc->lfFaceName), "漢字漢字漢字漢字漢字漢字漢字漢");
  ruDraw::ResetFont();
}

TEST_F(TextModuleTest, QuickOutputDrawsTheFixedStyleCell) {
  ruDraw::Print(20, 20, "pt1=0");
  const int cell = 5 * 6 * 12;  // five half-width characters of a 12-pixel face
  EXPECT_EQ(Count(kWhite, 20, 20, 50, 32) + Count(kDarkBlue, 20, 20, 50, 32), cell);
  EXPECT_GT(Count(kWhite, 20, 20, 50, 32), 20);
  EXPECT_EQ(Painted(0, 0, 640, 20) + Painted(0, 32, 640, 480), 0);
  EXPECT_EQ(Painted(50, 20, 640, 32) + Painted(0, 20, 20, 32), 0);
  EXPECT_EQ(ruDraw::TextColor, kWhite);
  EXPECT_EQ(ruDraw::BackColor, kDarkBlue);
  EXPECT_EQ(ruDraw::TextDC, nullptr);  // reset after drawing

  ruDraw::Printf(320, 240, "%dPの勝利", 2);
  EXPECT_EQ(Count(kWhite, 320, 240, 368, 252) + Count(kDarkBlue, 320, 240, 368, 252), 48 * 12);
}

TEST_F(TextModuleTest, PrintfCutsAt255BytesWithoutSplittingACharacter) {
  // 254 letters and a kanji: the 256-byte buffer keeps only the kanji's
  // first byte, which is dropped rather than drawn as a broken character.
  const std::string letters(254, 'a');
  const int x = 640 - 254 * 6 - 12;
  ruDraw::Printf(x, 100, "%s%s", letters.c_str(), "漢");
  EXPECT_EQ(Painted(628, 100, 640, 112), 0);
  EXPECT_EQ(Painted(600, 100, 628, 112), 28 * 12);
  ruDraw::Printf(0, 200, "%s%s%s", letters.c_str(), letters.c_str(), letters.c_str());
  EXPECT_EQ(Painted(0, 200, 640, 212), 640 * 12);
}

TEST_F(TextModuleTest, ColoursBoxesAndMeasuring) {
  ruDraw::SetFont(1, 12, 0, 0, 0, 0);
  ruDraw::SetTextColor(0x00FF00, 0x0000FF, 1);  // transparent: no cell
  ruDraw::PutText(10, 10, "漢字");
  EXPECT_EQ(ruDraw::PutTextBox(100, 100, 200, 200, "never drawn", 3), 0);
  const int measured = ruDraw::MeasureTextBox(300, 100, 336, 200, "aaa bbb ccc");
  const int drawn = ruDraw::PutTextBox(300, 100, 336, 200, "aaa bbb ccc", 2);
  ruDraw::ResetFont();
  EXPECT_GT(Count(0x00FF00, 10, 10, 34, 22), 10);
  EXPECT_EQ(Count(0x0000FF, 0, 0, 640, 480), 0);
  EXPECT_EQ(Painted(100, 100, 200, 200), 0);
  EXPECT_EQ(measured, 36);
  EXPECT_EQ(drawn, 36);
  EXPECT_GT(Painted(300, 100, 336, 136), 0);

  ruDraw::SetFont(1, 12, 0, 0, 0, 0);
  ruDraw::SetTextColor(0x00FF00, 0x0000FF, 0);  // opaque: cells in the background
  ruDraw::PutText(10, 40, "漢字");
  ruDraw::ResetFont();
  EXPECT_EQ(Count(0x00FF00, 10, 40, 34, 52) + Count(0x0000FF, 10, 40, 34, 52), 24 * 12);
}

TEST_F(TextModuleTest, ACentredBoxRoundsTheSpareWidthDown) {
  // A 13-pixel cell in a 40-pixel box: 27 spare pixels, 13 of them left.
  ruDraw::SetFont(1, 13, 0, 0, 0, 0);
  ruDraw::SetTextColor(kWhite, kDarkBlue, 0);
  ruDraw::PutTextBox(100, 300, 140, 400, "漢", 1);
  ruDraw::ResetFont();
  EXPECT_EQ(Painted(100, 300, 113, 313), 0);
  EXPECT_EQ(Painted(113, 300, 126, 313), 13 * 13);
  EXPECT_EQ(Painted(126, 300, 140, 313), 0);
}

TEST_F(TextModuleTest, BufferFontDrawsIntoTheFontBufferSprite) {
  platform::Surface* buffer = ruDraw::Objects[3].surface;
  ASSERT_NE(buffer, nullptr);
  ruDraw::SetBufferFont(1, 8);
  ruDraw::SetTextColor(kWhite, 0, 1);
  ruDraw::PutText(0, 0, "A");
  ruDraw::ResetBufferFont();
  int ink = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 8; ++x) ink += PixelAt(buffer, x, y) == Pixel(kWhite);
  EXPECT_GT(ink, 10);
  EXPECT_EQ(Painted(0, 0, 640, 480), 0);
}

TEST_F(TextModuleTest, OperationsOutsideASpanOrBeforeSetUpDoNothing) {
  ruDraw::PutText(0, 0, "x");
  EXPECT_EQ(ruDraw::PutTextBox(0, 0, 100, 100, "x", 0), 0);
  EXPECT_EQ(ruDraw::MeasureTextBox(0, 0, 100, 100, "x"), 0);
  ruDraw::ResetFont();
  ruDraw::ExitFont();
  ruDraw::SetFont(1, 12, 0, 0, 0, 0);
  ruDraw::Print(0, 0, "x");
  EXPECT_EQ(Painted(0, 0, 640, 480), 0);
  ruDraw::InitFont();
}

TEST_F(TextModuleTest, ExtremeAnglesAndSizesWrapAndDrawSafely) {
  ruDraw::SetFont(1, -2147483647 - 1, 2147483647, 7, 255, 255);
  EXPECT_EQ(ruDraw::FontDesc->lfEscapement, -10);  // 32-bit wrap, as the multiply gives
  ruDraw::SetTextColor(kWhite, kDarkBlue, 0);
  ruDraw::PutText(-2147483647, 2147483647, "日本語");
  ruDraw::PutTextBox(-5, -5, 2147483647, 2147483647, "abc 日本", 2);
  ruDraw::ResetFont();
  ruDraw::SetBufferFont(0, 1 << 30);
  EXPECT_EQ(ruDraw::FontHeight, -2147483647 - 1);
  ruDraw::PutText(0, 0, "x");
  ruDraw::ResetBufferFont();
}

TEST_F(TextModuleTest, FrameMeterMeasuresEveryTwoSecondsOnTheClock) {
  headless_run::SetClock(50000);
  ruDraw::FpsCount = 0;
  ruDraw::FpsNext = 0;
  ruDraw::Fps = ruDraw::FpsMax = 0.0f;
  ruDraw::FpsMin = 999.9f;
  ruDraw::PrintFps();  // measures at once: an empty period
  EXPECT_EQ(ruDraw::Fps, 0.0f);
  EXPECT_EQ(ruDraw::FpsMin, 999.9f);
  EXPECT_EQ(ruDraw::FpsNext, 52000u);
  EXPECT_GT(Painted(0, 0, 200, 12), 0);
  DWORD now = 50000;
  for (int frame = 1; frame <= 120; ++frame) {
    now = 50000 + DWORD(frame * 1000 / 60);
    headless_run::SetClock(now);
    ruDraw::PrintFps();
  }
  EXPECT_FLOAT_EQ(ruDraw::Fps, 60.0f);
  EXPECT_FLOAT_EQ(ruDraw::FpsMax, 60.0f);
  EXPECT_FLOAT_EQ(ruDraw::FpsMin, 60.0f);
  EXPECT_EQ(ruDraw::FpsNext, now + 2000);
  EXPECT_EQ(ruDraw::FpsCount, 1);  // the measuring frame opens the next period
  for (int frame = 0; frame < 1500; ++frame) ruDraw::PrintFps();
  EXPECT_EQ(ruDraw::FpsCount, 999);
}

}  // namespace
