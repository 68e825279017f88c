// gdi_text.cpp - text on a device context: fonts from LOGFONTA, TextOut,
// DrawText (line and word breaking, alignment, calc-rect), text extents and
// font enumeration. Strings are CP932 bytes; a double-byte character is
// never split and bytes that do not decode draw as the replacement glyph.
#include <strings.h>

#include <algorithm>
#include <cstring>

#include "platform/font/font.h"
#include "platform/font/font_engine.h"
#include "platform/gdi/gdi.h"

namespace platform {

namespace {

// Byte length of text for a GDI count: -1 means up to the NUL; other
// negative counts are refused.
bool TextLength(const char* text, int count, size_t& length) {
  if (!text) return count == 0 ? (length = 0, true) : false;
  if (count == -1) length = std::strlen(text);
  else if (count < 0) return false;
  else length = size_t(count);
  return true;
}

RECT WholeTarget(const Dc& dc) { return RECT{0, 0, dc.Target().width, dc.Target().height}; }

// Where one line of DrawText ends (`end`, exclusive) and the next begins.
struct LineSpan {
  size_t end, next;
};

// The line that a single-byte word starting the line ends, when the word
// alone is wider than the box: the word stays whole (the drawing clips it
// at the box's edge) and ends at a space run (dropped), a line feed, a
// double-byte character or the end of the text.
LineSpan WholeWord(FontInstance& font, const char* text, size_t length, size_t i) {
  while (i < length) {
    const char c = text[i];
    if (c == ' ') {
      size_t k = i;
      while (k < length && text[k] == ' ') ++k;
      return {i, k};
    }
    if (c == '\n' || c == '\r') {  // the line feed ends this line, not the next
      const size_t next = i + 1 + (c == '\r' && i + 1 < length && text[i + 1] == '\n');
      return {i, next};
    }
    size_t j = i;
    font.NextChar(text, length, j);
    if (j - i == 2) break;
    i = j;
  }
  return {i, i};
}

// Finds the line that starts at `start`. Line feeds always end a line
// (unless single-line). With word breaking, a line that would pass
// `maxWidth` ends at its last space run (dropped) or at its last boundary
// next to a double-byte character; a single-byte word wider than the box
// keeps a line of its own, and a double-byte character wider than the box
// stays on its line.
LineSpan NextLine(FontInstance& font, const char* text, size_t length, size_t start,
                  long maxWidth, bool wrap, bool single) {
  size_t i = start;
  long width = 0;
  bool havePoint = false, previousDouble = false;
  LineSpan point{start, start};
  while (i < length) {
    const char c = text[i];
    if (!single && (c == '\n' || c == '\r')) {
      size_t next = i + 1;
      if (c == '\r' && next < length && text[next] == '\n') ++next;
      return {i, next};
    }
    size_t j = i;
    const Glyph& glyph = font.GetGlyph(font.NextChar(text, length, j));
    const bool isDouble = j - i == 2;
    if (wrap && i > start) {
      if (c == ' ') {
        size_t k = i;
        while (k < length && text[k] == ' ') ++k;
        point = {i, k};
        havePoint = true;
      } else if (isDouble || previousDouble) {
        point = {i, i};
        havePoint = true;
      }
    }
    const long advance = glyph.advanceX >> 6;
    if (wrap && c != ' ' && width + advance > maxWidth) {
      if (havePoint) return point;
      if (!isDouble) return WholeWord(font, text, length, i);
      return {j, j};
    }
    width += advance;
    previousDouble = isDouble;
    i = j;
  }
  return {length, length};
}

}  // namespace

HFONT CreateFontIndirect(const LOGFONTA* font) { return font ? new Font(*font) : nullptr; }

BOOL Dc::TextOut(int x, int y, const char* text, int length) {
  size_t bytes = 0;
  FontInstance* font = font_ ? font_->Instance() : nullptr;
  if (!font || !TextLength(text, length, bytes)) return FALSE;
  DrawRun(*this, *font, x, y, text, bytes, WholeTarget(*this));
  return TRUE;
}

int Dc::DrawText(const char* text, int length, RECT* rect, UINT format) {
  size_t bytes = 0;
  FontInstance* font = font_ ? font_->Instance() : nullptr;
  if (!font || !rect || !TextLength(text, length, bytes)) return 0;
  const bool calc = (format & DT_CALCRECT) != 0;
  const bool wrap = (format & DT_WORDBREAK) != 0 && (format & DT_SINGLELINE) == 0;
  const bool single = (format & DT_SINGLELINE) != 0;
  const long boxWidth = long(rect->right) - rect->left;
  RECT clip = *rect;
  const RECT whole = WholeTarget(*this);
  clip.left = std::max(clip.left, whole.left);
  clip.top = std::max(clip.top, whole.top);
  clip.right = std::min(clip.right, whole.right);
  clip.bottom = std::min(clip.bottom, whole.bottom);

  long y = rect->top, widest = 0;
  for (size_t pos = 0; pos < bytes;) {
    const LineSpan line = NextLine(*font, text, bytes, pos, boxWidth, wrap, single);
    const long width = MeasureRun(*font, text + pos, line.end - pos);
    widest = std::max(widest, width);
    if (!calc) {
      long x = rect->left;
      if (format & DT_CENTER) x = rect->left + (boxWidth - width) / 2;
      else if (format & DT_RIGHT) x = rect->right - width;
      DrawRun(*this, *font, int(x), int(y), text + pos, line.end - pos, clip);
    }
    y += font->Height();
    pos = line.next;
  }
  const int height = int(y - rect->top);
  if (calc) {
    // Sums in 64 bits, narrowed as the 32-bit fields wrap.
    rect->right = LONG(long(rect->left) + widest);
    rect->bottom = LONG(long(rect->top) + height);
  }
  return height;
}

BOOL Dc::GetTextExtentPoint32(const char* text, int length, SIZE* size) {
  size_t bytes = 0;
  FontInstance* font = font_ ? font_->Instance() : nullptr;
  if (!size) return FALSE;
  *size = SIZE{0, 0};
  if (!font || !TextLength(text, length, bytes)) return FALSE;
  size->cx = MeasureRun(*font, text, bytes);
  size->cy = font->Height();
  return TRUE;
}

int Dc::EnumFonts(const char* face, FontEnumProc proc, LPARAM data) {
  if (!proc) return 0;
  int result = 1;
  for (const FontFamily& family : FontFamilies()) {
    if (face && *face && strncasecmp(face, family.name.c_str(), LF_FACESIZE) != 0) continue;
    LOGFONTA description{};
    description.lfHeight = 16;
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = family.charSet;
    std::memcpy(description.lfFaceName, family.name.data(),
                std::min<size_t>(family.name.size(), LF_FACESIZE - 1));
    result = proc(&description, data);
    if (!result) break;
  }
  return result;
}

}  // namespace platform
