// sdl_message_box_test.cpp - the in-window message box: answers from keys
// and mouse, layout inside the client area, Japanese text drawn.
#include <gtest/gtest.h>

#include "platform/sdl/sdl_message_box.h"

namespace {

using platform::sdl::MessageBoxUi;

SDL_Event KeyDown(SDL_Keycode sym, bool repeat = false) {
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.keysym.sym = sym;
  e.key.repeat = repeat;
  return e;
}

SDL_Event Mouse(bool up, const SDL_Rect& r, int dx = 0) {
  SDL_Event e{};
  e.type = up ? SDL_MOUSEBUTTONUP : SDL_MOUSEBUTTONDOWN;
  e.button.button = SDL_BUTTON_LEFT;
  e.button.x = r.x + r.w / 2 + dx;
  e.button.y = r.y + r.h / 2;
  return e;
}

// The answer a question gives to a sequence of keys; 0 if still open.
int AnswerTo(std::initializer_list<SDL_Keycode> keys, UINT type = MB_YESNO | MB_ICONQUESTION) {
  MessageBoxUi box;
  box.Open("終了しますか？\r\n", "メッセージ", type, 640, 480);
  for (SDL_Keycode k : keys) box.HandleInput(KeyDown(k));
  return box.IsOpen() ? 0 : box.Result();
}

TEST(SdlMessageBox, KeysAnswerAQuestion) {
  EXPECT_EQ(AnswerTo({SDLK_RETURN}), IDYES);  // はい has the focus
  EXPECT_EQ(AnswerTo({SDLK_KP_ENTER}), IDYES);
  EXPECT_EQ(AnswerTo({SDLK_y}), IDYES);
  EXPECT_EQ(AnswerTo({SDLK_n}), IDNO);
  EXPECT_EQ(AnswerTo({SDLK_ESCAPE}), IDNO);
  EXPECT_EQ(AnswerTo({SDLK_RIGHT, SDLK_RETURN}), IDNO);
  EXPECT_EQ(AnswerTo({SDLK_RIGHT, SDLK_SPACE}), IDNO);
  EXPECT_EQ(AnswerTo({SDLK_LEFT, SDLK_RETURN}), IDNO);  // focus wraps
  EXPECT_EQ(AnswerTo({SDLK_TAB, SDLK_TAB, SDLK_RETURN}), IDYES);
  EXPECT_EQ(AnswerTo({SDLK_a, SDLK_LSHIFT}), 0);
}

TEST(SdlMessageBox, ANoticeClosesWithOkOnly) {
  const UINT notice = MB_SYSTEMMODAL | MB_ICONEXCLAMATION;
  EXPECT_EQ(AnswerTo({SDLK_RETURN}, notice), IDOK);
  EXPECT_EQ(AnswerTo({SDLK_ESCAPE}, notice), IDOK);
  EXPECT_EQ(AnswerTo({SDLK_y}, notice), 0);
  EXPECT_EQ(AnswerTo({SDLK_n}, notice), 0);
}

TEST(SdlMessageBox, AutoRepeatDoesNotAnswer) {
  MessageBoxUi box;
  box.Open("x", "y", MB_YESNO, 640, 480);
  box.HandleInput(KeyDown(SDLK_ESCAPE, true));
  EXPECT_TRUE(box.IsOpen());
}

TEST(SdlMessageBox, AClickAnswersOnlyWhenPressAndReleaseHitTheSameButton) {
  MessageBoxUi box;
  box.Open("終了しますか？", "メッセージ", MB_YESNO, 640, 480);
  const SDL_Rect yes = box.ButtonRect(0), no = box.ButtonRect(1);
  box.HandleInput(Mouse(false, yes));
  box.HandleInput(Mouse(true, no));  // dragged off: nothing
  EXPECT_TRUE(box.IsOpen());
  box.HandleInput(Mouse(false, no));
  box.HandleInput(Mouse(true, no, 5));
  EXPECT_FALSE(box.IsOpen());
  EXPECT_EQ(box.Result(), IDNO);
}

TEST(SdlMessageBox, CancelAnswersNo) {
  MessageBoxUi box;
  box.Open("x", "y", MB_YESNO, 640, 480);
  box.Cancel();
  EXPECT_EQ(box.Result(), IDNO);
}

TEST(SdlMessageBox, LaysOutInsideTheClientAreaAndDrawsItsText) {
  MessageBoxUi box;
  const std::string longText(600, 'W');
  box.Open(longText.c_str(), "エラー発生", MB_SYSTEMMODAL, 640, 480);
  const SDL_Rect w = box.Where();
  EXPECT_GE(w.x, 0);
  EXPECT_GE(w.y, 0);
  EXPECT_LE(w.x + w.w, 640);
  EXPECT_LE(w.y + w.h, 480);
  const SDL_Rect ok = box.ButtonRect(0);
  SDL_Rect inside;
  EXPECT_TRUE(SDL_IntersectRect(&ok, &w, &inside));
  EXPECT_TRUE(SDL_RectEquals(&inside, &ok));

  box.Open("終了しますか？", "メッセージ", MB_YESNO, 640, 480);
  const auto& pixels = box.Pixels();
  const SDL_Rect where = box.Where();
  ASSERT_EQ(pixels.size(), size_t(where.w) * size_t(where.h));
  // Black text on the grey face, between the icon and the right edge.
  int black = 0;
  for (int y = 22; y < where.h / 2 + 10; ++y)
    for (int x = 60; x < where.w - 10; ++x)
      if (pixels[size_t(y) * where.w + x] == 0) ++black;
  EXPECT_GT(black, 40);
}

}  // namespace
