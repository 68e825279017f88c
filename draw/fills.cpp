// fills.cpp - colour fills of the back buffer or an object (they ignore the
// clip window) and the software half-tone mix, which keeps to it.
#include <cstdint>

#include "draw/draw.h"
#include "draw/locked_frame.h"

namespace ruDraw {

namespace {

// One DDBLT_COLORFILL of `rect` on `surface` with a raw pixel value.
HRESULT Fill(platform::Surface* surface, const RECT& rect, DWORD pixel) {
  if (!surface) return DDERR_INVALIDPARAMS;
  platform::BltFx fx;
  fx.fillColor = pixel;
  return surface->Blt(&rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

RECT WholeScreen() { return RECT{0, 0, ScreenWidth, ScreenHeight}; }

// a + b wrapped to 32 bits, as the edge arithmetic of a frame wraps on the
// original machine (an edge at INT_MAX must not be undefined behaviour).
int Wrap(int a, int b) { return int(unsigned(a) + unsigned(b)); }

}  // namespace

HRESULT ClearScreen() { return Fill(BackBuffer, WholeScreen(), 0); }

HRESULT ClearObject(int objectNo) {
  if (!HasSurface(objectNo)) return DDERR_INVALIDPARAMS;
  platform::Surface* surface = Objects[objectNo].surface;
  return Fill(surface, RECT{0, 0, LONG(surface->Width()), LONG(surface->Height())}, 0);
}

HRESULT ClearRect(int left, int top, int right, int bottom) {
  return Fill(BackBuffer, RECT{left, top, right, bottom}, 0);
}

HRESULT FrameRect(int left, int top, int right, int bottom) {
  Fill(BackBuffer, RECT{left, top, right, Wrap(top, 1)}, 0);
  Fill(BackBuffer, RECT{left, Wrap(bottom, -1), right, bottom}, 0);
  Fill(BackBuffer, RECT{left, top, Wrap(left, 1), bottom}, 0);
  return Fill(BackBuffer, RECT{Wrap(right, -1), top, right, bottom}, 0);
}

HRESULT WhiteScreen() { return Fill(BackBuffer, WholeScreen(), WhiteColor); }

HRESULT WhiteRect(int left, int top, int right, int bottom) {
  return Fill(BackBuffer, RECT{left, top, right, bottom}, WhiteColor);
}

HRESULT FillRect(int left, int top, int right, int bottom, DWORD pixel) {
  return Fill(BackBuffer, RECT{left, top, right, bottom}, pixel & 0xFFFF);
}

int HalfRect(int left, int top, int right, int bottom, DWORD pixel) {
  return WithClippedBackBuffer(
      RECT{left, top, right, bottom}, [pixel](const platform::pixel::Rows& rows, const RECT& r) {
        if (rows.bytesPerPixel != 2) return;
        const std::uint16_t mask = std::uint16_t(HalfMask);
        const std::uint16_t h = std::uint16_t((pixel >> 1) & mask);
        for (int y = r.top; y < r.bottom; ++y) {
          std::uint16_t* row = rows.Row<std::uint16_t>(y);
          for (int x = r.left; x < r.right; ++x) row[x] = std::uint16_t(((row[x] >> 1) & mask) + h);
        }
      });
}

}  // namespace ruDraw
