// text_output.cpp - text colours and text on the current TextDC: at a
// point, word-wrapped in a box with an alignment, and the box's height.
#include <cstring>

#include "text/text.h"

namespace ruDraw {

namespace {

constexpr UINT kBoxFormat = DT_WORDBREAK | DT_NOPREFIX;

}  // namespace

void SetTextColor(COLORREF color, COLORREF background, int transparent) {
  TextColor = color;
  BackColor = background;
  if (!TextDC) return;
  TextDC->SetTextColor(color);
  TextDC->SetBkColor(background);
  TextDC->SetBkMode(transparent ? TRANSPARENT : OPAQUE);
}

void PutText(int x, int y, const char* text) {
  if (TextDC && text) TextDC->TextOut(x, y, text, int(std::strlen(text)));
}

int PutTextBox(int left, int top, int right, int bottom, const char* text, int align) {
  static constexpr UINT kAlign[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
  if (!TextDC || !text || align < 0 || align > 2) return 0;
  RECT box{left, top, right, bottom};
  return TextDC->DrawText(text, -1, &box, kBoxFormat | kAlign[align]);
}

int MeasureTextBox(int left, int top, int right, int bottom, const char* text) {
  if (!TextDC || !text) return 0;
  RECT box{left, top, right, bottom};
  return TextDC->DrawText(text, -1, &box, kBoxFormat | DT_CALCRECT);
}

}  // namespace ruDraw
