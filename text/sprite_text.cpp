// sprite_text.cpp - text laid out in a box through the Font sprite: line
// breaks with hanging punctuation, drop shadow and thickened strokes, the
// smoothed variant drawn at double size and reduced segment by segment,
// and the typewriter that reveals the laid-out characters over time.
#include <algorithm>
#include <climits>
#include <cstring>

#include "draw/draw.h"
#include "platform/os/encoding.h"
#include "system/system.h"
#include "text/text.h"
#include "text/text_internal.h"

namespace ruDraw {

RECT CharBoxes[kCharBoxCount];
int CharCount = 0;
int RevealCount = 0;
float RevealTime = 0.0f;
const char* const NoBreakChars[kNoBreakCount] = {
    "、", "。", "，", "．", "・", "…", "‥", "”", "’", "（", "」", ",", ".", "　", " "};

namespace {

constexpr int kFontSprite = 2;  // "内部用３"
constexpr int kFontBuffer = 3;  // "内部用４"

platform::Surface* SurfaceOf(int objectNo) { return Objects[objectNo].surface; }

// One character of the text: its bytes and whether it is a line feed.
struct Char {
  const char* bytes;
  int length;
  bool lineFeed;
};

Char CharAt(const char* text, int i, int length) {
  const bool lead =
      platform::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < length;
  return {text + i, lead ? 2 : 1, text[i] == '\n'};
}

bool IsNoBreak(const Char& c) {
  for (const char* s : NoBreakChars)
    if (int(std::strlen(s)) == c.length && std::memcmp(s, c.bytes, size_t(c.length)) == 0)
      return true;
  return false;
}

// No glyph or shadow may be pure black, the Font sprite's colour key.
COLORREF Visible(COLORREF c) {
  return (c & 0xFF) < 16 && ((c >> 8) & 0xFF) < 16 && ((c >> 16) & 0xFF) < 16 ? 0x101010 : c;
}
void ApplyColourRule() {
  TextColor = Visible(TextColor);
  BackColor = Visible(BackColor);
}

// Layout positions are wide, so a box near the ends of the int range
// cannot overflow; what is stored or drawn is cut back to an int's range
// (far outside every surface).
using I64 = long long;
LONG Edge(I64 v) { return LONG(std::clamp<I64>(v, INT_MIN, INT_MAX)); }

// Draws the character with its shadow and thickening at (x, y) on TextDC.
void DrawDecorated(I64 x, I64 y, const Char& c, unsigned flags, bool doubleSize) {
  if (!TextDC) return;
  const char glyph[3] = {c.bytes[0], c.length == 2 ? c.bytes[1] : '\0', '\0'};
  auto put = [&](I64 px, I64 py) { PutText(Edge(px), Edge(py), glyph); };
  const bool widen = flags & kTextWiden, heighten = flags & kTextHeighten;
  if (flags & kTextShadow) {
    const int base = doubleSize ? 2 : 1;
    TextDC->SetTextColor(BackColor);
    put(x + base + (widen ? 1 : 0), y + base + (heighten ? 1 : 0));
  }
  TextDC->SetTextColor(TextColor);
  put(x, y);
  if (widen) put(x + 1, y);
  if (widen && heighten) put(x + 1, y + 1);
  if (heighten) put(x, y + 1);
}

// The character's size with its decorations (a line feed has none).
SIZE Measure(const Char& c, unsigned flags, bool doubleSize) {
  SIZE size{0, 0};
  if (c.lineFeed || !TextDC) return size;
  TextDC->GetTextExtentPoint32(c.bytes, c.length, &size);
  if (doubleSize) size.cx = (size.cx + 1) & ~1, size.cy = (size.cy + 1) & ~1;
  if (flags & kTextShadow) size.cx += doubleSize ? 2 : 1, size.cy += doubleSize ? 2 : 1;
  if (flags & kTextWiden) size.cx += 1;
  if (flags & kTextHeighten) size.cy += 1;
  return size;
}

void OpenTransparentSpan(int objectNo) {
  OpenTextSpan(SurfaceOf(objectNo));
  if (TextDC) TextDC->SetBkMode(TRANSPARENT);
}

// Box 0 of the Font sprite onto the back buffer, keyed.
void CopyBlock() {
  const RECT& b = CharBoxes[0];
  Draw(b.left, b.top, kFontSprite, b.left, b.top, b.right, b.bottom);
}

void StartLayout(int left, int top) {
  ApplyColourRule();
  CharBoxes[0] = RECT{left, top, left, top};
  CharCount = 1;
}

void FinishLayout() {
  if (SpriteTextToScreen == 1) CopyBlock();
  RevealCount = 0;
  RevealTime = 0;
  SpriteTextToScreen = 1;
}

RECT Box(I64 left, I64 top, I64 right, I64 bottom) {
  return RECT{Edge(left), Edge(top), Edge(right), Edge(bottom)};
}
void Grow(LONG& edge, I64 value) { edge = Edge(std::max<I64>(edge, value)); }

// Draws a character with its top-left at (x, y) and grows box 0 over it.
void Place(I64 x, I64 y, const Char& c, SIZE size, unsigned flags) {
  DrawDecorated(x, y, c, flags, false);
  Grow(CharBoxes[0].right, x + size.cx);
  Grow(CharBoxes[0].bottom, y + size.cy);
}

}  // namespace

void BoxText(int left, int top, int right, int bottom, const char* text, unsigned flags) {
  if (!text || !FontDesc || !SurfaceOf(kFontSprite)) return;
  CloseTextSpan();
  ClearObject(kFontSprite);
  OpenTransparentSpan(kFontSprite);
  I64 x = left, y = top;
  I64 lineHeight = I64(FontHeight) + (flags & 0xFF);
  StartLayout(left, top);
  const int length = int(std::strlen(text));
  for (int i = 0; i < length; ++i) {
    // The last box is kept for a character: a longer text stops there.
    if (CharCount >= kCharBoxCount) break;
    const int start = i;
    const Char c = CharAt(text, i, length);
    i += c.length - 1;
    const SIZE size = Measure(c, flags, false);
    CharBoxes[CharCount++] = Box(x, y, x + size.cx, y + size.cy);
    x += size.cx;
    lineHeight = std::max<I64>(lineHeight, size.cy);
    if (x > right || c.lineFeed) {
      --CharCount;
      if (x > right && IsNoBreak(c)) {
        // It hangs past the edge; box 0 takes it in, or no copy would show it.
        Place(x - size.cx, y, c, size, flags);
      } else if (!c.lineFeed) {
        // Wider than the box: no line could take it, so the layout ends.
        if (x - size.cx == left) break;
        i = start - 1;  // starts the next line
      }
      x = left;
      y += lineHeight;
      // A line height below 1 could never reach the bottom.
      if (y + lineHeight >= bottom || lineHeight < 1) break;
    } else {
      Place(x - size.cx, y, c, size, flags);
    }
  }
  CloseTextSpan();
  FinishLayout();
  // The caller's span again, on the back buffer with the recorded colours.
  OpenTextSpan(BackBuffer);
  if (TextDC) {
    TextDC->SetTextColor(TextColor);
    TextDC->SetBkColor(BackColor);
    TextDC->SetBkMode(TRANSPARENT);
  }
}

void BoxTextToSprite(int left, int top, int right, int bottom, const char* text,
                     unsigned flags) {
  SpriteTextToScreen = 0;
  BoxText(left, top, right, bottom, text, flags);
}

namespace {

// The segment state of a smoothed layout (double-size pixels but for the
// screen positions lineX, lineY).
struct Segment {
  I64 lineX, lineY, lineW, lineH;
};

// Reduces the segment into the Font sprite; box 0 grows by its cut height.
void ReduceSegment(const Segment& s, int bottom, bool cut) {
  CloseTextSpan();
  I64 h = s.lineH;
  if (s.lineY + s.lineH / 2 > bottom) h = s.lineH - (s.lineY + s.lineH / 2 - bottom) * 2;
  Grow(CharBoxes[0].right, s.lineX + s.lineW / 2);
  Grow(CharBoxes[0].bottom, s.lineY + h / 2);
  SmoothLine(Edge(s.lineX), Edge(s.lineY), 0, 0, Edge(s.lineW), Edge(cut ? h : s.lineH));
}

}  // namespace

void SmoothText(int left, int top, int right, int bottom, const char* text, unsigned flags) {
  if (!text || !FontDesc || !SurfaceOf(kFontSprite) || !SurfaceOf(kFontBuffer)) return;
  ClearObject(kFontSprite);
  CloseTextSpan();
  ClearObject(kFontBuffer);
  OpenTransparentSpan(kFontBuffer);
  const I64 baseHeight = I64(FontHeight) + (flags & 0xFF);
  Segment s{left, top, 0, baseHeight};
  StartLayout(left, top);
  const int length = int(std::strlen(text));
  for (int i = 0; i < length; ++i) {
    if (CharCount >= kCharBoxCount) break;
    const int start = i;
    const Char c = CharAt(text, i, length);
    i += c.length - 1;
    if (!c.lineFeed) DrawDecorated(s.lineW, 0, c, flags, true);
    const SIZE size = Measure(c, flags, true);
    const I64 x0 = s.lineX + s.lineW / 2;
    CharBoxes[CharCount++] = Box(x0, s.lineY, x0 + size.cx / 2, s.lineY + size.cy / 2);
    s.lineW += size.cx;
    s.lineH = std::max<I64>(s.lineH, size.cy);
    const bool past = s.lineX + s.lineW / 2 >= right;
    if (!past && s.lineW < ScreenWidth && !c.lineFeed) continue;

    --CharCount;
    bool movedBack = false;
    if (!(past && IsNoBreak(c)) && !c.lineFeed) {
      s.lineW -= size.cx;
      i = start - 1;
      movedBack = true;
    }
    ReduceSegment(s, bottom, true);
    ClearObject(kFontBuffer);
    OpenTransparentSpan(kFontBuffer);
    s.lineX += s.lineW / 2;
    // A character that did not fit even at the start of a row never will.
    if (movedBack && s.lineW == 0 && s.lineX == left) break;
    // A new row at the right edge or a line feed; also when nothing fitted
    // in this segment (a full Font buffer), which would otherwise repeat.
    if (s.lineX + size.cx / 2 >= right || c.lineFeed || (movedBack && s.lineW == 0)) {
      s.lineX = left;
      s.lineY += std::max<I64>(1, s.lineH / 2);
    }
    s.lineW = 0;
    s.lineH = baseHeight;
    if (s.lineY >= bottom) break;
  }
  if (s.lineW != 0) {
    ReduceSegment(s, bottom, false);
    OpenTransparentSpan(kFontBuffer);
  }
  FinishLayout();
}

void SmoothTextToSprite(int left, int top, int right, int bottom, const char* text,
                        unsigned flags) {
  SpriteTextToScreen = 0;
  SmoothText(left, top, right, bottom, text, flags);
}

int TypeText(float interval) {
  if (CharCount < 1 || CharCount > kCharBoxCount) return 1;  // nothing laid out
  if (interval == 0 || RevealCount > CharCount) {
    CopyBlock();
    RevealCount = CharCount + 1;
  } else {
    for (int k = 1; k < RevealCount && k < CharCount; ++k) {
      const RECT& b = CharBoxes[k];
      Draw(b.left, b.top, kFontSprite, b.left, b.top, b.right, b.bottom);
    }
  }
  if (RevealCount > CharCount) return 1;
  RevealTime += ruSystem::FrameTime;
  if (RevealTime < interval) return 0;
  if (CharCount >= RevealCount) ++RevealCount;
  RevealTime = 0;
  return 0;
}

}  // namespace ruDraw
