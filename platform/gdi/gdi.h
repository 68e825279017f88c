// gdi.h - GDI on a surface: device contexts, pens, brushes, fonts, bitmaps.
//
// The rasterizer follows GDI's pixel rules: a rectangle covers left..right-1
// and top..bottom-1, a line omits its end point, polygons fill alternate,
// pens wider than 1 grow inwards and outwards. Colours are COLORREF
// (0x00BBGGRR), converted to the target's format by truncation as GDI does;
// GetPixel on a 16-bit target reports the channel's bits in the high bits.
// Text is CP932 and drawn monochrome from cached glyphs (text/font side:
// gdi_text.cpp, font*.cpp).
#pragma once

#include <cstdint>

#include "platform/surface/display.h"
#include "platform/surface/pixel.h"
#include "platform/win_types.h"

namespace platform {

class Font;
class Bitmap;

// Any GDI object; handles are pointers to these.
class GdiObject {
 public:
  enum class Kind { Pen, Brush, Font, Bitmap };
  virtual ~GdiObject() = default;
  virtual Kind GetKind() const = 0;
  bool stock = false;  // stock objects ignore DeleteObject
};
using HGDIOBJ = GdiObject*;
using HPEN = GdiObject*;
using HBRUSH = GdiObject*;
using HFONT = GdiObject*;
using HBITMAP = GdiObject*;

struct Pen final : GdiObject {
  int style = PS_SOLID;
  int width = 1;
  COLORREF color = 0;
  Kind GetKind() const override { return Kind::Pen; }
};

struct Brush final : GdiObject {
  UINT style = BS_SOLID;
  COLORREF color = 0xFFFFFF;
  int hatch = 0;
  Kind GetKind() const override { return Kind::Brush; }
};

HPEN CreatePen(int style, int width, COLORREF color);
HBRUSH CreateBrushIndirect(const LOGBRUSH* brush);
HFONT CreateFontIndirect(const LOGFONTA* font);
// Frees a pen, brush, font or bitmap that is not selected anywhere.
BOOL DeleteObject(HGDIOBJ object);
enum StockObject { BLACK_BRUSH = 4, NULL_BRUSH = 5, WHITE_PEN = 6, BLACK_PEN = 7,
                   SYSTEM_FONT = 13 };
HGDIOBJ GetStockObject(int which);

// Pixels a DC draws into: a locked surface or a selected bitmap.
struct DcTarget {
  BYTE* bits = nullptr;
  LONG pitch = 0;  // bytes per row
  int width = 0, height = 0;
  PixelFormat format;
  pixel::Rows Rows() const { return {bits, pitch, int(format.bitCount / 8)}; }
};

using FontEnumProc = int (*)(const LOGFONTA* font, LPARAM data);

class Dc {
 public:
  // A DC drawing into `target` (surfaces make these in GetDC).
  explicit Dc(const DcTarget& target);
  // A memory DC (CreateCompatibleDC): draws into the bitmap selected in it.
  Dc();
  ~Dc();
  Dc(const Dc&) = delete;
  Dc& operator=(const Dc&) = delete;

  // Selects a pen, brush, font or bitmap; returns the previous one of that
  // kind (nullptr on failure).
  HGDIOBJ SelectObject(HGDIOBJ object);
  COLORREF SetTextColor(COLORREF color);
  COLORREF SetBkColor(COLORREF color);
  int SetBkMode(int mode);  // TRANSPARENT or OPAQUE; returns the old mode

  // ---- shapes (gdi_shapes.cpp)
  BOOL Rectangle(int left, int top, int right, int bottom);
  BOOL MoveToEx(int x, int y, POINT* old);
  BOOL LineTo(int x, int y);
  BOOL PolyBezier(const POINT* points, DWORD count);
  BOOL Polygon(const POINT* points, int count);
  COLORREF SetPixel(int x, int y, COLORREF color);
  COLORREF GetPixel(int x, int y) const;  // CLR_INVALID outside
  BOOL InvertRect(const RECT* rect);
  BOOL StretchBlt(int x, int y, int width, int height, Dc* source, int sx, int sy,
                  int sw, int sh, DWORD rop);
  int GetDeviceCaps(int index) const;

  // ---- text (gdi_text.cpp): CP932 bytes; `length` bytes, -1 = to the NUL
  BOOL TextOut(int x, int y, const char* text, int length);
  int DrawText(const char* text, int length, RECT* rect, UINT format);
  BOOL GetTextExtentPoint32(const char* text, int length, SIZE* size);
  // Calls `proc` once per face family installed (EnumFontsA, no face name).
  int EnumFonts(const char* face, FontEnumProc proc, LPARAM data);

  const DcTarget& Target() const { return target_; }

 private:
  DcTarget target_;
  Pen* pen_;
  Brush* brush_;
  Font* font_;
  Bitmap* bitmap_ = nullptr;  // memory DCs only
  COLORREF textColor_ = 0x000000;
  COLORREF bkColor_ = 0xFFFFFF;
  int bkMode_ = OPAQUE;
  POINT position_{0, 0};
  friend struct DcAccess;
};

// Internal access for the rasterizer and text files of platform/.
struct DcAccess {
  static Pen* GetPen(Dc& dc) { return dc.pen_; }
  static Brush* GetBrush(Dc& dc) { return dc.brush_; }
  static Font* GetFont(Dc& dc) { return dc.font_; }
  static COLORREF TextColor(const Dc& dc) { return dc.textColor_; }
  static COLORREF BkColor(const Dc& dc) { return dc.bkColor_; }
  static int BkMode(const Dc& dc) { return dc.bkMode_; }
  static POINT& Position(Dc& dc) { return dc.position_; }
  static Bitmap* GetBitmap(Dc& dc) { return dc.bitmap_; }
};

// Converts COLORREF to a raw pixel of `format` (GDI's truncation) and back
// (channel bits in the high bits, low bits zero).
DWORD ColorToPixel(COLORREF color, const PixelFormat& format);
COLORREF PixelToColor(DWORD pixel, const PixelFormat& format);

}  // namespace platform
