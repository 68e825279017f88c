// clip_draw.cpp - copying objects into the back buffer or another object
// through the clip window, with or without the colour key, and stretched.
#include "draw/draw.h"
#include "draw/draw_internal.h"

namespace ruDraw {

RECT ClipWindow = {0, 0, 0, 0};

void ClippedCopy(platform::Surface* target, int x, int y, int objectNo, int left, int top,
                 int right, int bottom, DWORD flags) {
  if (!target || !HasSurface(objectNo)) return;
  platform::Surface* source = Objects[objectNo].surface;
  ClipSourceToSurface(source, x, y, left, top, right, bottom);
  const RECT& clip = ClipWindow;
  if (x + (right - left) > clip.right) right = left + clip.right - x;
  if (y + (bottom - top) > clip.bottom) bottom = top + clip.bottom - y;
  if (x < clip.left) {
    left += clip.left - x;
    x = clip.left;
  }
  if (y < clip.top) {
    top += clip.top - y;
    y = clip.top;
  }
  if (right < left || bottom < top) return;
  const RECT rect{left, top, right, bottom};
  if (target->BltFast(x, y, source, &rect, flags) == DDERR_SURFACELOST) RestoreAll();
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

// Scales the source rectangle to width x height: a scaling Blt when the
// display stretches, else GDI into the Buffer sprite and a clipped copy.
void Stretch(int x, int y, int objectNo, int left, int top, int right, int bottom, int width,
             int height, bool keyed) {
  if (!BackBuffer || !HasSurface(objectNo) || !HasSurface(0)) return;
  platform::Surface* source = Objects[objectNo].surface;
  if (CanStretch) {
    const RECT dest{x, y, x + width, y + height};
    const RECT from{left, top, right, bottom};
    const DWORD flags = keyed ? (DDBLT_KEYSRC | DDBLT_WAIT) : DDBLT_WAIT;
    if (BackBuffer->Blt(&dest, source, &from, flags, nullptr) == DDERR_SURFACELOST)
      RestoreAll();
    return;
  }
  platform::Surface* buffer = Objects[0].surface;
  platform::Dc* bufferDc = nullptr;
  platform::Dc* objectDc = nullptr;
  if (buffer->GetDC(&bufferDc) != DD_OK) return;
  if (source->GetDC(&objectDc) != DD_OK) {
    buffer->ReleaseDC(bufferDc);
    return;
  }
  bufferDc->StretchBlt(0, 0, width, height, objectDc, left, top, right - left, bottom - top,
                       SRCCOPY);
  buffer->ReleaseDC(bufferDc);
  source->ReleaseDC(objectDc);
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
