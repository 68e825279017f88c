// hostile_packs_wipes_text_test.cpp - extreme arguments to the pack
// loaders, wipes, the screen capture and sprite text. Run under the
// sanitizers, a pass means no crash, overrun, UB or hang.
#include <climits>
#include <cmath>

#include "tests/support/draw_fixture.h"
#include "text/text.h"

namespace {

using drawtest::DrawTest;

struct Rect {
  int left, top, right, bottom;
};
const Rect kRects[] = {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {INT_MAX, INT_MAX, INT_MIN, INT_MIN},
                       {-100000, -5, 100000, 5},            {5, 5, 5, 5},
                       {30, 30, -30, -30},                   {0, 0, 1 << 30, 1 << 30}};
const int kInts[] = {INT_MIN, -1, 0, 1, 639, INT_MAX};

TEST_F(DrawTest, PackAndCaptureOperationsTakeAnyArguments) {
  const std::string longName(300, 'x');
  for (const char* name : {static_cast<const char*>(nullptr), "", longName.c_str()}) {
    ruDraw::SelectPack(name);
    EXPECT_EQ(ruDraw::LoadPack(name, 2), 0);
    for (int n : kInts) EXPECT_EQ(ruDraw::SwapPack(name, n, 2), 0);
    EXPECT_EQ(ruDraw::Convert(name, name, 1), 0);  // 16 bits: refused
    EXPECT_EQ(ruDraw::ConvertFile(name, name), 0);
    for (int w : kInts)
      for (int h : kInts) ruDraw::SaveScreen(name, w, h);
  }
}

TEST_F(DrawTest, WipesTakeAnyWindowPatternSpeedAndWidth) {
  const float speeds[] = {-1e30f, -1.0f, 0.0f, 1e30f, NAN, INFINITY};
  for (const Rect& r : kRects)
    for (int pattern : {INT_MIN, 0, 5, 8, 9, 10, INT_MAX})
      for (float speed : speeds)
        for (int width : {INT_MIN, -40, 40, INT_MAX})
          for (int close : {0, 1}) {
            ruDraw::SetClipWindow(r.left, r.top, r.right, r.bottom);
            ruSystem::WipeState = 0;
            ruSystem::FrameTime = 0.5f;
            ruDraw::SetWipe(close, pattern, speed, width);
            for (int step = 0; step < 8; ++step) ruDraw::Wipe();
            ruDraw::Draw(0, 0, 2, 0, 0, 640, 480);  // through whatever window is left
          }
  ruSystem::FrameTime = 0;
  ruSystem::WipeState = 0;
}

TEST_F(DrawTest, SpriteTextTakesAnyBoxTextFlagsAndProgress) {
  const std::string many(5000, 'W');
  const char* texts[] = {"", "\x82", "\x82\xA0\x82", "\n\n\n", "、、、、", many.c_str()};
  ruDraw::SetFont(1, 16, 0, 0, 0, 0);
  for (const Rect& r : kRects)
    for (const char* text : texts)
      for (unsigned flags : {0u, 0x7FFu, 0xFFFFFFFFu}) {
        ruDraw::BoxText(r.left, r.top, r.right, r.bottom, text, flags);
        ruDraw::BoxTextToSprite(r.left, r.top, r.right, r.bottom, text, flags);
        for (int reveal : {INT_MIN, 3, INT_MAX}) {
          ruDraw::RevealCount = reveal;
          for (float interval : {-1.0f, 0.0f, NAN, 0.01f}) ruDraw::TypeText(interval);
        }
      }
  ruDraw::BoxText(0, 0, 100, 100, nullptr, 0);
  ruDraw::ResetFont();
  ruDraw::SetBufferFont(1, 16);
  for (const Rect& r : kRects)
    for (const char* text : {texts[2], texts[3], texts[4], "あいうえおかきくけこ"})
      ruDraw::SmoothText(r.left, r.top, r.right, r.bottom, text, 0x7FF);
  ruDraw::ResetBufferFont();
  for (int a : kInts)
    for (int b : kInts) {
      EXPECT_EQ(ruDraw::SmoothLine(a, b, b, a, a, b), 1);
      EXPECT_EQ(ruDraw::SmoothLine(b, a, a, a, INT_MAX, b), 1);
    }
}

}  // namespace
