// font_raster.cpp - glyph runs onto a DC's target: measuring, the opaque
// background cell, the glyph masks and the underline, clipped to a
// rectangle and the target. Works on the target's rows directly and
// allocates nothing once the run's glyphs are cached.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/font/font_engine.h"

namespace platform {

namespace {

// Pixel writer for one target's rows and a clip rectangle.
class Painter {
 public:
  Painter(const DcTarget& target, const RECT& clip) : rows_(target.Rows()) {
    clip_.left = std::max<LONG>(clip.left, 0);
    clip_.top = std::max<LONG>(clip.top, 0);
    clip_.right = std::min<LONG>(clip.right, target.width);
    clip_.bottom = std::min<LONG>(clip.bottom, target.height);
  }

  bool Empty() const {
    return !rows_.bits || clip_.left >= clip_.right || clip_.top >= clip_.bottom ||
           rows_.bytesPerPixel < 2 || rows_.bytesPerPixel > 4;
  }

  // Fills [left, right) x [top, bottom).
  void FillRect(long left, long top, long right, long bottom, DWORD pixel) {
    left = std::max<long>(left, clip_.left);
    top = std::max<long>(top, clip_.top);
    right = std::min<long>(right, clip_.right);
    bottom = std::min<long>(bottom, clip_.bottom);
    for (long y = top; y < bottom; ++y)
      for (long x = left; x < right; ++x) rows_.Set(int(x), int(y), pixel);
  }

  // Sets the pixels where the mask is 1; (x, y) is the mask's top-left.
  void Mask(long x, long y, const std::uint8_t* mask, int width, int height, DWORD pixel) {
    switch (rows_.bytesPerPixel) {
      case 2: MaskOf<2>(x, y, mask, width, height, pixel); break;
      case 3: MaskOf<3>(x, y, mask, width, height, pixel); break;
      case 4: MaskOf<4>(x, y, mask, width, height, pixel); break;
    }
  }

  // Fills a convex quadrilateral (screen coordinates, pixel centres).
  void FillQuad(const double (&px)[4], const double (&py)[4], DWORD pixel) {
    const double minY = *std::min_element(py, py + 4), maxY = *std::max_element(py, py + 4);
    const long top = std::max<long>(clip_.top, long(std::ceil(minY - 0.5)));
    const long bottom = std::min<long>(clip_.bottom, long(std::ceil(maxY - 0.5)));
    for (long y = top; y < bottom; ++y) {
      const double cy = y + 0.5;
      double lo = 1e18, hi = -1e18;
      for (int i = 0; i < 4; ++i) {
        const int j = (i + 1) % 4;
        if ((py[i] <= cy) == (py[j] <= cy)) continue;
        const double cx = px[i] + (cy - py[i]) * (px[j] - px[i]) / (py[j] - py[i]);
        lo = std::min(lo, cx);
        hi = std::max(hi, cx);
      }
      if (lo > hi) continue;
      FillRect(long(std::ceil(lo - 0.5)), y, long(std::ceil(hi - 0.5)), y + 1, pixel);
    }
  }

 private:
  template <int Bytes>
  void MaskOf(long x, long y, const std::uint8_t* mask, int width, int height, DWORD pixel) {
    const long x0 = std::max<long>(x, clip_.left), x1 = std::min<long>(x + width, clip_.right);
    const long y0 = std::max<long>(y, clip_.top), y1 = std::min<long>(y + height, clip_.bottom);
    for (long row = y0; row < y1; ++row) {
      const std::uint8_t* m = mask + (row - y) * width;
      BYTE* out = rows_.At(0, int(row));
      for (long col = x0; col < x1; ++col)
        if (m[col - x]) pixel::Store(out + col * Bytes, Bytes, pixel);
    }
  }

  pixel::Rows rows_;
  RECT clip_;
};

// A quadrilateral along the text direction: `along` pixels from the
// origin (ox, oy), between `from` and `to` pixels below the baseline line.
void Band(const FontInstance& font, double ox, double oy, double along, double from, double to,
          double (&px)[4], double (&py)[4]) {
  const double dx = font.Cos(), dy = -font.Sin();  // text direction on screen
  const double nx = font.Sin(), ny = font.Cos();   // "down" across the text
  px[0] = ox + nx * from;               py[0] = oy + ny * from;
  px[1] = ox + nx * from + dx * along;  py[1] = oy + ny * from + dy * along;
  px[2] = ox + nx * to + dx * along;    py[2] = oy + ny * to + dy * along;
  px[3] = ox + nx * to;                 py[3] = oy + ny * to;
}

int DrawStraight(Painter& painter, FontInstance& font, int x, int y, const char* text,
                 size_t length, DWORD fg, DWORD bg, bool opaque) {
  const int width = MeasureRun(font, text, length);
  if (opaque) painter.FillRect(x, y, long(x) + width, long(y) + font.Height(), bg);
  long pen = x;
  const long baseline = long(y) + font.Ascent();
  for (size_t i = 0; i < length;) {
    const Glyph& glyph = font.GetGlyph(font.NextChar(text, length, i));
    if (glyph.width)
      painter.Mask(pen + glyph.left, baseline + glyph.top, font.Mask(glyph), glyph.width,
                   glyph.height, fg);
    pen += glyph.advanceX >> 6;
  }
  if (font.Underlined()) {
    const long top = baseline + font.UnderlineOffset();
    painter.FillRect(x, top, long(x) + width, top + font.UnderlineThickness(), fg);
  }
  return width;
}

int DrawTurned(Painter& painter, FontInstance& font, int x, int y, const char* text,
               size_t length, DWORD fg, DWORD bg, bool opaque) {
  const int width = MeasureRun(font, text, length);
  double px[4], py[4];
  if (opaque) {
    Band(font, x, y, width, 0, font.Height(), px, py);
    painter.FillQuad(px, py, bg);
  }
  // The baseline origin: the cell's top-left moved down by the ascent,
  // "down" being turned with the text.
  const double ox = x + font.Ascent() * font.Sin(), oy = y + font.Ascent() * font.Cos();
  long long penX = std::llround(ox * 64), penY = std::llround(oy * 64);
  for (size_t i = 0; i < length;) {
    const Glyph& glyph = font.GetGlyph(font.NextChar(text, length, i));
    if (glyph.width)
      painter.Mask(long((penX + 32) >> 6) + glyph.left, long((penY + 32) >> 6) + glyph.top,
                   font.Mask(glyph), glyph.width, glyph.height, fg);
    penX += glyph.advanceX;
    penY += glyph.advanceY;
  }
  if (font.Underlined()) {
    const double from = font.Ascent() + font.UnderlineOffset();
    Band(font, x, y, width, from, from + font.UnderlineThickness(), px, py);
    painter.FillQuad(px, py, fg);
  }
  return width;
}

}  // namespace

int MeasureRun(FontInstance& font, const char* text, size_t length) {
  if (!font.Rotated()) {
    long width = 0;
    for (size_t i = 0; i < length;) width += font.GetGlyph(font.NextChar(text, length, i)).advanceX >> 6;
    return int(std::min<long>(width, 0x3FFFFFFF));
  }
  double dx = 0, dy = 0;  // turned advances: the run's length along the text
  for (size_t i = 0; i < length;) {
    const Glyph& glyph = font.GetGlyph(font.NextChar(text, length, i));
    dx += glyph.advanceX;
    dy += glyph.advanceY;
  }
  return int(std::lround(std::hypot(dx, dy) / 64.0));
}

int DrawRun(Dc& dc, FontInstance& font, int x, int y, const char* text, size_t length,
            const RECT& clip) {
  Painter painter(dc.Target(), clip);
  if (painter.Empty()) return MeasureRun(font, text, length);
  const PixelFormat& format = dc.Target().format;
  const DWORD fg = ColorToPixel(DcAccess::TextColor(dc), format);
  const DWORD bg = ColorToPixel(DcAccess::BkColor(dc), format);
  const bool opaque = DcAccess::BkMode(dc) == OPAQUE;
  if (font.Rotated()) return DrawTurned(painter, font, x, y, text, length, fg, bg, opaque);
  return DrawStraight(painter, font, x, y, text, length, fg, bg, opaque);
}

}  // namespace platform
