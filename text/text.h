// text.h - fonts and plain text: the font list, the current font, text
// colours, text at a point or in a box, quick output and the frame meter.
#pragma once

#include "platform/gdi/gdi.h"
#include "platform/win_types.h"

namespace ruDraw {

struct FontEntry {
  char Name[36];
  int Kind;
  BYTE CharSet;
};
constexpr int kFontListSize = 200;

extern LOGFONTA* FontDesc;
extern FontEntry FontList[kFontListSize];
extern int FontCount;
extern platform::Dc* TextDC;
extern platform::HFONT TextFont;
extern platform::HFONT PrevFont;
extern int FontHeight;
extern COLORREF TextColor, BackColor;
extern int SpriteTextToScreen;
extern int FpsCount;
extern DWORD FpsNext;
extern float Fps, FpsMax, FpsMin;

// Allocates FontDesc and fills FontList by enumeration (end of screen set-up).
void InitFont();
// Frees FontDesc.
void ExitFont();
// Creates the current font (face 0 serif, 1 sans, else the kept name) and
// selects it into the back buffer's DC, held until ResetFont: primitives
// called in between draw nothing.
void SetFont(int face, int height, int angle, int weight, int italic, int underline);
// As SetFont with a face name; the character set comes from FontList.
void SetFontName(const char* name, int height, int angle, int weight, int italic,
                 int underline);
// Ends a back-buffer text span: previous font back, font deleted, DC released.
void ResetFont();
// Text and background colours of TextDC; transparent 0 fills the cells.
void SetTextColor(COLORREF color, COLORREF background, int transparent);
// Draws text with its top-left corner at (x, y).
void PutText(int x, int y, const char* text);
// Draws text word-wrapped in the box, aligned 0 left, 1 centre, 2 right;
// returns its height (0 and nothing drawn for other alignments).
int PutTextBox(int left, int top, int right, int bottom, const char* text, int align);
// Height text would take word-wrapped to the box's width; draws nothing.
int MeasureTextBox(int left, int top, int right, int bottom, const char* text);
// As SetFont at twice `size`, plain, on the Font buffer sprite.
void SetBufferFont(int face, int size);
// As SetBufferFont with a face name.
void SetBufferFontName(const char* name, int size);
// Ends a Font buffer text span.
void ResetBufferFont();
// Draws text at (x, y) in the fixed style (sans 12, white on dark blue).
void Print(int x, int y, const char* text);
// Formats into 255 bytes at most (cut at a character) and prints it.
void Printf(int x, int y, const char* format, ...);
// Updates the frame meter (every 2 s) and prints it at (0, 0).
void PrintFps();

}  // namespace ruDraw
