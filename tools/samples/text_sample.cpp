// text_sample.cpp - text in every standard style on one screen: the fixed
// quick-output style (the game's score line and a Japanese line), both
// standard faces at 12 and 24 pixels, bold, italic, underline, a character
// height, turned text and a word-wrapped box. Run it headless with a
// capture line in RU_SCRIPT to look at the result.
#include "ru.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255), kDarkBlue = RGB(0, 0, 128);
const char kJapanese[] = "日本語の表示：ひらがな、カタカナ、漢字。";

// One line in a face, height and style, white on dark blue.
void Line(int face, int height, int weight, int italic, int underline, int y) {
  ruDraw::SetFont(face, height, 0, weight, italic, underline);
  ruDraw::SetTextColor(kWhite, kDarkBlue, 0);
  ruDraw::PutText(20, y, kJapanese);
  ruDraw::ResetFont();
}

void Turned(int face, int angle, int x, int y, const char* text) {
  ruDraw::SetFont(face, 24, angle, 0, 0, 0);
  ruDraw::SetTextColor(kWhite, kDarkBlue, 0);
  ruDraw::PutText(x, y, text);
  ruDraw::ResetFont();
}

}  // namespace

void GameInit() {
  ruDraw::Screen(640, 480, 1);
  ruSystem::SceneNo = 1;
}

void PlayScene() {
  ruDraw::ClearScreen();
  ruDraw::Printf(20, 20, "pt1=%d", 0);
  ruDraw::Print(20, 40, kJapanese);
  Line(0, 12, 0, 0, 0, 60);
  Line(0, 24, 0, 0, 0, 80);
  Line(1, 24, 0, 0, 0, 110);
  Line(0, 24, 1, 0, 0, 140);
  Line(1, 24, 1, 1, 0, 170);
  Line(0, -24, 0, 1, 1, 200);
  Line(1, 32, 0, 0, 1, 232);
  Turned(1, 90, 20, 460, "縦の文字 90");
  Turned(0, 45, 80, 460, "斜めの文字 45");
  ruDraw::SetFont(1, 12, 0, 0, 0, 0);
  ruDraw::SetTextColor(kWhite, kDarkBlue, 0);
  ruDraw::PutTextBox(400, 300, 620, 460, "折り返しの箱：words wrap inside the box, 中央揃え。", 1);
  ruDraw::ResetFont();
  ruDraw::Present();
}

void ResultScene() {}
