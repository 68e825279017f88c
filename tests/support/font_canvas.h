// font_canvas.h - a DC over a test-owned pixel buffer with guard bytes
// around it, and helpers to read back ink, for the font and text tests.
#pragma once

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/font/font.h"
#include "platform/gdi/gdi.h"

namespace font_test {

constexpr unsigned char kGuard = 0xA5;

// 15 is 16-bit 5-5-5; 16 is 5-6-5; 24 and 32 are 8-8-8.
inline platform::PixelFormat FormatFor(int bits) {
  if (bits == 15) return {16, 0x7C00, 0x03E0, 0x001F};
  if (bits == 16) return {16, 0xF800, 0x07E0, 0x001F};
  return {DWORD(bits), 0xFF0000, 0x00FF00, 0x0000FF};
}

// A target of width x height pixels at `bits` bits per pixel, with guard
// bytes before, after and at the end of every row.
struct Canvas {
  Canvas(int width, int height, int bits = 16, COLORREF fill = 0)
      : width(width), height(height), bytes(bits == 15 ? 2 : (bits + 7) / 8) {
    pitch = width * bytes + 8;
    memory.assign(size_t(pitch) * height + 64, kGuard);
    target.bits = memory.data() + 32;
    target.pitch = pitch;
    target.width = width;
    target.height = height;
    target.format = FormatFor(bits);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) Set(x, y, platform::ColorToPixel(fill, target.format));
    dc = std::make_unique<platform::Dc>(target);
  }

  DWORD Get(int x, int y) const {
    DWORD v = 0;
    std::memcpy(&v, target.bits + y * pitch + x * bytes, bytes);
    return v;
  }
  void Set(int x, int y, DWORD v) { std::memcpy(target.bits + y * pitch + x * bytes, &v, bytes); }

  // True if the pixel is colour c as the target's format holds it.
  bool Is(int x, int y, COLORREF c) const {
    return Get(x, y) == platform::ColorToPixel(c, target.format);
  }

  // True if no byte outside the pixels was written.
  bool GuardsIntact() const {
    for (int i = 0; i < 32; ++i)
      if (memory[i] != kGuard || memory[memory.size() - 1 - i] != kGuard) return false;
    for (int y = 0; y < height; ++y)
      for (int i = width * bytes; i < pitch; ++i)
        if (target.bits[y * pitch + i] != kGuard) return false;
    return true;
  }

  // Number of pixels of colour c in [left, right) x [top, bottom).
  int Count(COLORREF c, int left = 0, int top = 0, int right = -1, int bottom = -1) const {
    if (right < 0) right = width;
    if (bottom < 0) bottom = height;
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += Is(x, y, c);
    return n;
  }

  // Bounding box of the pixels of colour c; empty (left >= right) if none.
  RECT Bounds(COLORREF c) const {
    RECT r{width, height, 0, 0};
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (Is(x, y, c)) {
          r.left = std::min<LONG>(r.left, x);
          r.top = std::min<LONG>(r.top, y);
          r.right = std::max<LONG>(r.right, x + 1);
          r.bottom = std::max<LONG>(r.bottom, y + 1);
        }
    return r;
  }

  int width, height, bytes, pitch;
  std::vector<unsigned char> memory;
  platform::DcTarget target;
  std::unique_ptr<platform::Dc> dc;
};

// A LOGFONTA for a face, height and style.
inline LOGFONTA Describe(const char* face, int height, int weight = 400, int escapement = 0,
                         bool italic = false, bool underline = false) {
  LOGFONTA d{};
  d.lfHeight = height;
  d.lfWeight = weight;
  d.lfEscapement = escapement;
  d.lfItalic = italic;
  d.lfUnderline = underline;
  d.lfCharSet = SHIFTJIS_CHARSET;
  std::strncpy(d.lfFaceName, face, LF_FACESIZE - 1);
  return d;
}

// Selects a font for the DC's lifetime of the guard.
struct Selected {
  Selected(platform::Dc& dc, const LOGFONTA& d) : dc(dc), font(platform::CreateFontIndirect(&d)) {
    previous = dc.SelectObject(font);
  }
  ~Selected() {
    dc.SelectObject(previous);
    platform::DeleteObject(font);
  }
  platform::Dc& dc;
  platform::HFONT font;
  platform::HGDIOBJ previous;
};

inline const char* kGothic = "標準ゴシック";
inline const char* kMincho = "標準明朝";

}  // namespace font_test
