// font_select.cpp - the current font: filling FontDesc from the set-font
// operations, creating the font and selecting it into the back buffer's or
// the Font buffer sprite's device context, and the matching resets.
#include <cstring>

#include "draw/draw.h"
#include "platform/os/encoding.h"
#include "text/text.h"
#include "text/text_internal.h"

namespace ruDraw {

namespace {

constexpr int kFontBufferObject = 3;  // "内部用４"
const char kStandardSerif[] = "標準明朝";
const char kStandardSans[] = "標準ゴシック";

// The surface whose device context TextDC came from.
platform::Surface* textSurface = nullptr;

// Copies a face name into lfFaceName, cut to 31 bytes at a character
// boundary (a longer name would overrun the field).
void CopyFaceName(const char* name) {
  const size_t length = platform::Cp932SafeLength(name, LF_FACESIZE - 1);
  std::memset(FontDesc->lfFaceName, 0, LF_FACESIZE);
  std::memcpy(FontDesc->lfFaceName, name, length);
}

void SetStandardFace(int face) {
  if (face == 0) CopyFaceName(kStandardSerif);
  else if (face == 1) CopyFaceName(kStandardSans);
}

// The character set the font list reports for a face name, else 128.
BYTE CharSetFor(const char* name) {
  for (int i = 0; i < FontCount; ++i)
    if (std::strcmp(FontList[i].Name, name) == 0) return FontList[i].CharSet;
  return SHIFTJIS_CHARSET;
}

// Wrapping product, as the 32-bit multiply the caller's values expect (an
// extreme angle or size must not be undefined behaviour).
int Times(int value, unsigned factor) { return int(unsigned(value) * factor); }

void FillStyle(int height, int angle, int weight, int italic, int underline) {
  FontDesc->lfHeight = height;
  FontHeight = height;
  FontDesc->lfEscapement = Times(angle, 10);
  FontDesc->lfWeight = weight == 0 ? FW_NORMAL : weight == 1 ? FW_BOLD : FW_DONTCARE;
  FontDesc->lfItalic = BYTE(italic);
  FontDesc->lfUnderline = BYTE(underline);
  FontDesc->lfWidth = 0;
}

void FillBufferStyle(int size) {
  FillStyle(Times(size, 2), 0, 0, 0, 0);
}

void ReleaseSpan() {
  if (TextDC) {
    if (PrevFont) TextDC->SelectObject(PrevFont);
    if (textSurface) textSurface->ReleaseDC(TextDC);
  }
  if (TextFont) platform::DeleteObject(TextFont);
  TextDC = nullptr;
  TextFont = PrevFont = nullptr;
  textSurface = nullptr;
}

// Creates TextFont from FontDesc and selects it into `surface`'s DC. A span
// left open is closed first, so that the surface's DC is never held twice.
void OpenSpan(platform::Surface* surface) {
  if (TextDC || TextFont) ReleaseSpan();
  TextFont = platform::CreateFontIndirect(FontDesc);
  if (surface && surface->GetDC(&TextDC) == DD_OK && TextDC) {
    textSurface = surface;
    PrevFont = TextDC->SelectObject(TextFont);
  } else {
    TextDC = nullptr;
  }
}

platform::Surface* FontBufferSurface() { return Objects[kFontBufferObject].surface; }

}  // namespace

void SetFont(int face, int height, int angle, int weight, int italic, int underline) {
  if (!FontDesc) return;
  SetStandardFace(face);
  FillStyle(height, angle, weight, italic, underline);
  FontDesc->lfCharSet = SHIFTJIS_CHARSET;
  OpenSpan(BackBuffer);
}

void SetFontName(const char* name, int height, int angle, int weight, int italic,
                 int underline) {
  if (!FontDesc || !name) return;
  CopyFaceName(name);
  FillStyle(height, angle, weight, italic, underline);
  FontDesc->lfCharSet = CharSetFor(name);
  OpenSpan(BackBuffer);
}

void ResetFont() { ReleaseSpan(); }

void SetBufferFont(int face, int size) {
  if (!FontDesc) return;
  SetStandardFace(face);
  FillBufferStyle(size);
  FontDesc->lfCharSet = SHIFTJIS_CHARSET;
  OpenSpan(FontBufferSurface());
}

void SetBufferFontName(const char* name, int size) {
  if (!FontDesc || !name) return;
  CopyFaceName(name);
  FillBufferStyle(size);
  FontDesc->lfCharSet = CharSetFor(name);
  OpenSpan(FontBufferSurface());
}

void ResetBufferFont() { ReleaseSpan(); }

void OpenTextSpan(platform::Surface* surface) { OpenSpan(surface); }

void CloseTextSpan() { ReleaseSpan(); }

}  // namespace ruDraw
