// gdi_objects.cpp - pens, brushes, stock objects, object selection and the
// colour conversions every GDI operation shares.
#include <algorithm>
#include <type_traits>
#include <utility>

#include "platform/gdi/bitmap.h"
#include "platform/font/font.h"
#include "platform/gdi/gdi.h"

namespace platform {

namespace {

template <class T>
T* MakeStock(T* object) {
  object->stock = true;
  return object;
}

// A new stock `T` that differs from the default in one member.
template <class T, class V>
T* MakeStockWith(V T::*member, std::type_identity_t<V> value) {
  T* object = MakeStock(new T());
  object->*member = value;
  return object;
}

Pen* DefaultPen() {
  static Pen* pen = MakeStock(new Pen());  // black, solid, width 1
  return pen;
}

Brush* DefaultBrush() {
  static Brush* brush = MakeStock(new Brush());  // white, solid
  return brush;
}

Font* DefaultFont() {
  static Font* font = [] {
    LOGFONTA description{};
    description.lfHeight = 16;
    description.lfCharSet = SHIFTJIS_CHARSET;
    return MakeStock(static_cast<Font*>(CreateFontIndirect(&description)));
  }();
  return font;
}

}  // namespace

HPEN CreatePen(int style, int width, COLORREF color) {
  auto* pen = new Pen();
  pen->style = style;
  pen->width = width;
  pen->color = color & 0xFFFFFF;
  return pen;
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* description) {
  if (!description) return nullptr;
  auto* brush = new Brush();
  brush->style = description->lbStyle;
  brush->color = description->lbColor & 0xFFFFFF;
  brush->hatch = int(description->lbHatch);
  return brush;
}

BOOL DeleteObject(HGDIOBJ object) {
  if (!object) return FALSE;
  if (!object->stock) delete object;
  return TRUE;
}

HGDIOBJ GetStockObject(int which) {
  switch (which) {
    case BLACK_BRUSH: {
      static Brush* brush = MakeStockWith(&Brush::color, 0);
      return brush;
    }
    case NULL_BRUSH: {
      static Brush* brush = MakeStockWith(&Brush::style, BS_NULL);
      return brush;
    }
    case WHITE_PEN: {
      static Pen* pen = MakeStockWith(&Pen::color, 0xFFFFFF);
      return pen;
    }
    case BLACK_PEN:
      return DefaultPen();
    case SYSTEM_FONT:
      return DefaultFont();
    default:
      return nullptr;
  }
}

Dc::Dc(const DcTarget& target)
    : target_(target), pen_(DefaultPen()), brush_(DefaultBrush()), font_(DefaultFont()) {}

Dc::Dc() : Dc(DcTarget{}) {}

Dc::~Dc() = default;

HGDIOBJ Dc::SelectObject(HGDIOBJ object) {
  if (!object) return nullptr;
  switch (object->GetKind()) {
    case GdiObject::Kind::Pen:
      return std::exchange(pen_, static_cast<Pen*>(object));
    case GdiObject::Kind::Brush:
      return std::exchange(brush_, static_cast<Brush*>(object));
    case GdiObject::Kind::Font:
      return std::exchange(font_, static_cast<Font*>(object));
    case GdiObject::Kind::Bitmap: {
      // Only memory DCs draw into bitmaps: the target follows the bitmap.
      auto* bitmap = static_cast<Bitmap*>(object);
      Bitmap* previous = bitmap_;
      bitmap_ = bitmap;
      target_.bits = reinterpret_cast<BYTE*>(bitmap->Row(0));
      target_.pitch = LONG(bitmap->Width() * 4);
      target_.width = bitmap->Width();
      target_.height = bitmap->Height();
      target_.format = PixelFormat{32, 0xFF0000, 0x00FF00, 0x0000FF};
      return previous;
    }
  }
  return nullptr;
}

COLORREF Dc::SetTextColor(COLORREF color) { return std::exchange(textColor_, color & 0xFFFFFF); }
COLORREF Dc::SetBkColor(COLORREF color) { return std::exchange(bkColor_, color & 0xFFFFFF); }
int Dc::SetBkMode(int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  return std::exchange(bkMode_, mode);
}

DWORD ColorToPixel(COLORREF color, const PixelFormat& format) {
  return pixel::FromColorref(color, pixel::LayoutOf(format));
}

COLORREF PixelToColor(DWORD pixel, const PixelFormat& format) {
  return pixel::ToColorrefGdi(pixel, pixel::LayoutOf(format));
}

}  // namespace platform
