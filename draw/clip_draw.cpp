// clip_draw.cpp - copying objects into the back buffer or another object
// through the clip window, with or without the colour key, and stretched.
#include <cstdint>

#include "draw/draw.h"
#include "draw/draw_internal.h"

namespace ruDraw {

RECT ClipWindow = {0, 0, 0, 0};

void ClippedCopy(platform::Surface* target, int x, int y, int objectNo, int left, int top,
                 int right, int bottom, DWORD flags) {
  if (!target || !HasSurface(objectNo)) return;
  platform::Surface* source = Objects[objectNo].surface;
  std::int64_t dx = x, dy = y, l = left, t = top, r = right, b = bottom;
  ClipSourceToSurface(source, dx, dy, l, t, r, b);
  const RECT& clip = ClipWindow;
  if (dx + (r - l) > clip.right) r = l + clip.right - dx;
  if (dy + (b - t) > clip.bottom) b = t + clip.bottom - dy;
  if (dx < clip.left) {
    l += clip.left - dx;
    dx = clip.left;
  }
  if (dy < clip.top) {
    t += clip.top - dy;
    dy = clip.top;
  }
  if (r < l || b < t) return;
  // What is left lies inside the surface and the clip window: ints again.
  const RECT rect{LONG(l), LONG(t), LONG(r), LONG(b)};
  if (target->BltFast(int(dx), int(dy), source, &rect, flags) == DDERR_SURFACELOST) RestoreAll();
}

void SetClipWindow(int left, int top, int right, int bottom) {
  ClipWindow = RECT{left, top, right, bottom};
}

void Draw(int x, int y, int objectNo, int left, int top, int right, int bottom) {
  ClippedCopy(BackBuffer, x, y, objectNo, left, top, right, bottom,
              DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
}

void DrawNoKey(int x, int y, int objectNo, int left, int top, int right, int bottom) {
  ClippedCopy(BackBuffer, x, y, objectNo, left, top, right, bottom, DDBLTFAST_WAIT);
}

void DrawToObject(int destination, int x, int y, int source, int left, int top, int right,
                  int bottom) {
  if (!HasSurface(destination)) return;
  ClippedCopy(Objects[destination].surface, x, y, source, left, top, right, bottom,
              DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
}

void DrawToObjectNoKey(int destination, int x, int y, int source, int left, int top,
                       int right, int bottom) {
  if (!HasSurface(destination)) return;
  ClippedCopy(Objects[destination].surface, x, y, source, left, top, right, bottom,
              DDBLTFAST_WAIT);
}

namespace {

// end - start without overflow (wrapped to int like the rectangle's own
// fields would be).
int Span(int start, int end) { return int(std::int64_t(end) - start); }

// Scales the source rectangle to width x height: a scaling Blt when the
// display stretches, else GDI into the Buffer sprite and a clipped copy.
void Stretch(int x, int y, int objectNo, int left, int top, int right, int bottom, int width,
             int height, bool keyed) {
  if (!BackBuffer || !HasSurface(objectNo) || !HasSurface(0)) return;
  platform::Surface* source = Objects[objectNo].surface;
  if (CanStretch) {
    const RECT dest{x, y, LONG(std::int64_t(x) + width), LONG(std::int64_t(y) + height)};
    const RECT from{left, top, right, bottom};
    const DWORD flags = keyed ? (DDBLT_KEYSRC | DDBLT_WAIT) : DDBLT_WAIT;
    if (BackBuffer->Blt(&dest, source, &from, flags, nullptr) == DDERR_SURFACELOST)
      RestoreAll();
    return;
  }
  // Without a device context (a lost surface) nothing is stretched, but the
  // copy of the Buffer sprite still runs and meets the loss.
  platform::Surface* buffer = Objects[0].surface;
  platform::Dc* bufferDc = nullptr;
  platform::Dc* objectDc = nullptr;
  const bool haveBuffer = buffer->GetDC(&bufferDc) == DD_OK;
  const bool haveObject = source->GetDC(&objectDc) == DD_OK;
  if (haveBuffer && haveObject)
    bufferDc->StretchBlt(0, 0, width, height, objectDc, left, top, Span(left, right),
                         Span(top, bottom), SRCCOPY);
  if (haveBuffer) buffer->ReleaseDC(bufferDc);
  if (haveObject) source->ReleaseDC(objectDc);
  if (keyed)
    Draw(x, y, 0, 0, 0, width, height);
  else
    DrawNoKey(x, y, 0, 0, 0, width, height);
}

}  // namespace

void DrawStretch(int x, int y, int objectNo, int left, int top, int right, int bottom,
                 int width, int height) {
  Stretch(x, y, objectNo, left, top, right, bottom, width, height, true);
}

void DrawStretchNoKey(int x, int y, int objectNo, int left, int top, int right, int bottom,
                      int width, int height) {
  Stretch(x, y, objectNo, left, top, right, bottom, width, height, false);
}

}  // namespace ruDraw
