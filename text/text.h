// text.h - fonts and plain text: the font list, the current font, text
// colours, text at a point or in a box, quick output and the frame meter.
#pragma once

#include "platform/gdi.h"
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

void InitFont();
void ExitFont();
void SetFont(int face, int height, int angle, int weight, int italic, int underline);
void SetFontName(const char* name, int height, int angle, int weight, int italic,
                 int underline);
void ResetFont();
void SetTextColor(COLORREF color, COLORREF background, int transparent);
void PutText(int x, int y, const char* text);
int PutTextBox(int left, int top, int right, int bottom, const char* text, int align);
int MeasureTextBox(int left, int top, int right, int bottom, const char* text);
void SetBufferFont(int face, int size);
void SetBufferFontName(const char* name, int size);
void ResetBufferFont();
void Print(int x, int y, const char* text);
void Printf(int x, int y, const char* format, ...);
void PrintFps();

}  // namespace ruDraw
