// font_state.cpp - the text module's state, font set-up and tear-down, and
// the font list filled once by enumeration at the end of screen set-up.
#include <cstring>

#include "draw/draw.h"
#include "text/text.h"

namespace ruDraw {

// ---------------------------------------------------------------- state
LOGFONTA* FontDesc = nullptr;
FontEntry FontList[kFontListSize];
int FontCount = 0;
platform::Dc* TextDC = nullptr;
platform::HFONT TextFont = nullptr;
platform::HFONT PrevFont = nullptr;
int FontHeight = 0;
COLORREF TextColor = 0, BackColor = 0;
int SpriteTextToScreen = 0;

namespace {

// Enumeration callback: one face per call; stops once the list is full.
int ListFace(const LOGFONTA* font, LPARAM) {
  if (FontCount >= kFontListSize) return 0;
  FontEntry& entry = FontList[FontCount];
  std::memset(entry.Name, 0, sizeof entry.Name);
  std::memcpy(entry.Name, font->lfFaceName, strnlen(font->lfFaceName, LF_FACESIZE - 1));
  entry.Kind = font->lfCharSet == SHIFTJIS_CHARSET ? 1 : font->lfCharSet == SYMBOL_CHARSET ? 3 : 2;
  entry.CharSet = font->lfCharSet;
  ++FontCount;
  return 1;
}

}  // namespace

void InitFont() {
  delete FontDesc;
  FontDesc = new LOGFONTA{};
  for (FontEntry& entry : FontList) {
    std::memset(entry.Name, 0, sizeof entry.Name);
    entry.Kind = -1;
    entry.CharSet = 0;
  }
  GetBackDC();
  FontCount = 0;
  if (BackDC) BackDC->EnumFonts(nullptr, ListFace, 0);
  ReleaseBackDC();
  SpriteTextToScreen = 1;
}

void ExitFont() {
  delete FontDesc;
  FontDesc = nullptr;
}

}  // namespace ruDraw
