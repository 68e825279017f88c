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

// ---------------------------------------------------------------- sprite text
constexpr int kCharBoxCount = 3200;
constexpr int kNoBreakCount = 15;
// Box 0 bounds the laid-out text; boxes 1.. are its characters in order.
extern RECT CharBoxes[kCharBoxCount];
extern int CharCount;      // boxes in use, box 0 included
extern int RevealCount;    // typewriter progress
extern float RevealTime;   // seconds towards the next typewriter step
// Characters that may hang past a line's right edge instead of wrapping.
extern const char* const NoBreakChars[kNoBreakCount];

// Layout flags: extra line spacing in bits 0-7, then the decorations.
constexpr unsigned kTextShadow = 0x100, kTextWiden = 0x200, kTextHeighten = 0x400;

// Lays out text in the box (line breaks, hanging punctuation, decorations)
// through the Font sprite and copies it onto the back buffer. Called inside
// a back-buffer span; leaves an equivalent one open.
void BoxText(int left, int top, int right, int bottom, const char* text, unsigned flags);
// As BoxText, leaving the text in the Font sprite only.
void BoxTextToSprite(int left, int top, int right, int bottom, const char* text,
                     unsigned flags);
// Lays out text at double size in the Font buffer sprite and reduces it
// with smoothed edges into the Font sprite, then onto the back buffer.
// Called inside a Font buffer span.
void SmoothText(int left, int top, int right, int bottom, const char* text, unsigned flags);
// As SmoothText, leaving the text in the Font sprite only.
void SmoothTextToSprite(int left, int top, int right, int bottom, const char* text,
                        unsigned flags);
// Typewriter: copies the characters revealed so far from the Font sprite,
// one more every `interval` seconds; 1 once everything is shown.
int TypeText(float interval);
// Reduces the Font buffer's double-size area (sx0, sy0)-(sx1, sy1) into the
// Font sprite at (x, y), blended with the back buffer; 0 if a lock fails.
int SmoothLine(int x, int y, int sx0, int sy0, int sx1, int sy1);

}  // namespace ruDraw
