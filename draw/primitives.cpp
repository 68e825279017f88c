// primitives.cpp - GDI shapes on the back buffer (boxes, lines, Bezier
// curves, polygons, pixels, inverted boxes), the back buffer's device
// context lent to other modules, and the copy of a screen rectangle into an
// object. The primitives ignore the clip window; GDI keeps them on the
// surface. Without the back buffer's device context (a lost surface) they
// draw nothing and return GetDC's result.
#include "draw/draw.h"

namespace ruDraw {

platform::Dc* BackDC = nullptr;

namespace {

// One primitive's device context, pen and brush. Pens and brushes live on
// the stack, so a primitive allocates nothing; both are selected for the
// call and the previous ones selected back at its end.
class ShapeFrame {
 public:
  ShapeFrame() : result_(BackBuffer ? BackBuffer->GetDC(&dc_) : DDERR_GENERIC) {
    if (result_ != DD_OK) dc_ = nullptr;
  }
  bool Ready() const { return dc_ != nullptr; }
  // Why no context was had (GetDC's result).
  HRESULT Failure() const { return result_; }
  platform::Dc& Dc() { return *dc_; }
  void SelectBrush(UINT style, COLORREF color, int hatch) {
    brush_.style = style;
    brush_.color = color & 0xFFFFFF;
    brush_.hatch = hatch;
    previousBrush_ = dc_->SelectObject(&brush_);
  }
  void SelectPen(int width, COLORREF color) {
    pen_.style = PS_SOLID;
    pen_.width = width;
    pen_.color = color & 0xFFFFFF;
    previousPen_ = dc_->SelectObject(&pen_);
  }
  // Puts the previous pen and brush back and releases the context.
  HRESULT Release() {
    if (previousPen_) dc_->SelectObject(previousPen_);
    if (previousBrush_) dc_->SelectObject(previousBrush_);
    return BackBuffer->ReleaseDC(dc_);
  }

 private:
  platform::Dc* dc_ = nullptr;
  HRESULT result_;
  platform::Pen pen_;
  platform::Brush brush_;
  platform::HGDIOBJ previousPen_ = nullptr;
  platform::HGDIOBJ previousBrush_ = nullptr;
};

}  // namespace

HRESULT Box(int left, int top, int right, int bottom, COLORREF fill, COLORREF line, int width) {
  ShapeFrame frame;
  if (!frame.Ready()) return frame.Failure();
  frame.SelectBrush(BS_SOLID, fill, 0);
  frame.SelectPen(width, line);
  frame.Dc().Rectangle(left, top, right, bottom);
  return frame.Release();
}

HRESULT Line(int x1, int y1, int x2, int y2, COLORREF color, int width) {
  ShapeFrame frame;
  if (!frame.Ready()) return frame.Failure();
  frame.SelectPen(width, color);
  frame.Dc().MoveToEx(x1, y1, nullptr);
  frame.Dc().LineTo(x2, y2);
  return frame.Release();
}

HRESULT Bezier(const POINT* points, int count, COLORREF color, int width) {
  ShapeFrame frame;
  if (!frame.Ready()) return frame.Failure();
  frame.SelectPen(width, color);
  if (points && count > 0) frame.Dc().PolyBezier(points, DWORD(count));
  return frame.Release();
}

HRESULT Polygon(const POINT* points, int count, COLORREF color, COLORREF background,
                int width, int fill) {
  ShapeFrame frame;
  if (!frame.Ready()) return frame.Failure();
  if (fill == 0)
    frame.SelectBrush(BS_NULL, color, 0);
  else
    frame.SelectBrush(BS_HATCHED, color, HS_DIAGCROSS);
  frame.SelectPen(width, color);
  if (fill == 2)
    frame.Dc().SetBkMode(TRANSPARENT);
  else
    frame.Dc().SetBkColor(background);
  if (points && count > 0) frame.Dc().Polygon(points, count);
  return frame.Release();
}

HRESULT SetPixel(int x, int y, COLORREF color) {
  ShapeFrame frame;
  if (!frame.Ready()) return frame.Failure();
  frame.Dc().SetPixel(x, y, color);
  return frame.Release();
}

void GetPixel(int x, int y, int* red, int* green, int* blue) {
  COLORREF color = CLR_INVALID;
  platform::Dc* dc = nullptr;
  if (BackBuffer && BackBuffer->GetDC(&dc) == DD_OK) {
    color = dc->GetPixel(x, y);
    BackBuffer->ReleaseDC(dc);
  }
  // A null pointer: that channel is not wanted.
  if (red) *red = int(color & 0xFF);
  if (green) *green = int((color >> 8) & 0xFF);
  if (blue) *blue = int((color >> 16) & 0xFF);
}

HRESULT InvertBox(int left, int top, int right, int bottom) {
  ShapeFrame frame;
  if (!frame.Ready()) return frame.Failure();
  const RECT rect{left, top, right, bottom};
  frame.Dc().InvertRect(&rect);
  return frame.Release();
}

void GetScreen(int objectNo, int left, int top, int right, int bottom) {
  if (!BackBuffer || !HasSurface(objectNo)) return;
  const RECT rect{left, top, right, bottom};
  if (Objects[objectNo].surface->BltFast(0, 0, BackBuffer, &rect, DDBLTFAST_WAIT) ==
      DDERR_SURFACELOST)
    RestoreAll();
}

HRESULT GetBackDC() {
  if (!BackBuffer) return DDERR_GENERIC;
  return BackBuffer->GetDC(&BackDC);
}

HRESULT ReleaseBackDC() {
  if (!BackBuffer) return DDERR_GENERIC;
  const HRESULT result = BackBuffer->ReleaseDC(BackDC);
  BackDC = nullptr;
  return result;
}

}  // namespace ruDraw
