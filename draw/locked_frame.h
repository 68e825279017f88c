// locked_frame.h - the frame every software pixel operation shares: clip a
// rectangle to the clip window, lock the source object's surface and then
// the back buffer, hand the operation its rows, unlock on every path.
//
// Results follow the effects' convention: 1 when done (also when clipping
// left nothing), 0 when a lock fails (the source is unlocked again when the
// back buffer's lock is the one that fails). A width or height of exactly 0
// still locks and unlocks both surfaces. The clip window is also kept
// inside the back buffer and the source rectangle inside the object's
// surface, so no argument makes an operation touch memory outside them.
#pragma once

#include <cstdint>

#include "draw/draw.h"
#include "platform/surface/pixel.h"

namespace ruDraw {

// What an operation on an object at a point gets: the source rows with
// (0, 0) at the clipped source corner, the back buffer rows with (0, 0) at
// the clipped destination corner, the clipped size, and where those corners
// lie on their surfaces.
struct LockedArea {
  platform::pixel::Rows source, dest;
  int width = 0, height = 0;
  int x = 0, y = 0;         // destination corner on the back buffer
  int left = 0, top = 0;    // source corner on the object
};

// The clip window cut to the back buffer (empty before screen set-up).
RECT EffectiveClip();

// Object-at-a-point clipping in the effects' order: right and bottom edges
// first, then left and top (moving the source corner with them). Also cuts
// the source to the surface `sourceWidth` x `sourceHeight`. False when the
// width or height is negative (nothing to lock); `area` gets the rest.
bool ClipObjectAtPoint(int x, int y, int left, int top, int right, int bottom,
                       int sourceWidth, int sourceHeight, LockedArea* area);

// What an operation on an object into a destination rectangle gets: the
// rectangle keeps its place and size, and only the range inside the clip
// window is written.
struct LockedRect {
  platform::pixel::Rows source;  // (0, 0) at the source corner
  platform::pixel::Rows dest;    // (0, 0) at the back buffer's corner
  int left = 0, top = 0;         // the destination rectangle on the back buffer
  int width = 0, height = 0;
  int sourceWidth = 0, sourceHeight = 0;  // the source cut to the surface
  // The written range, counted from the rectangle's corner.
  int colBegin = 0, colEnd = 0, rowBegin = 0, rowEnd = 0;
};

// Destination rectangles wider or higher than this draw nothing: no screen
// shows them, and the walk's coordinates stay far from overflow.
constexpr int kMaxDestination = 1 << 16;

// Object-into-rectangle clipping: the written range is the rectangle cut to
// the clip window; the source is cut to the surface. False when the range
// is empty in either direction, the rectangle is too large, or the source
// is empty (nothing to lock).
bool ClipObjectIntoRect(int left, int top, int right, int bottom, int sourceLeft, int sourceTop,
                        int sourceRight, int sourceBottom, int surfaceWidth, int surfaceHeight,
                        LockedRect* area);

// Locks `source` (may be the back buffer itself: then locked once) and the
// back buffer; fills the rows' bases. DD_OK or the failing lock's result,
// with nothing left locked on failure.
HRESULT LockPair(platform::Surface* source, platform::pixel::Rows* sourceRows,
                 platform::pixel::Rows* destRows);
// Unlocks the source, then the back buffer.
void UnlockPair(platform::Surface* source);

// Locks the back buffer alone for the region operations; DD_OK or the
// lock's result.
HRESULT LockBackBuffer(platform::pixel::Rows* rows);

// Object at a point: clips, locks, calls walk(const LockedArea&), unlocks.
// An object number without a surface draws nothing and gives 0.
template <class Walk>
int WithObjectAtPoint(int x, int y, int objectNo, int left, int top, int right, int bottom,
                      Walk&& walk) {
  if (!HasSurface(objectNo) || !BackBuffer) return 0;
  platform::Surface* source = Objects[objectNo].surface;
  LockedArea area;
  if (!ClipObjectAtPoint(x, y, left, top, right, bottom, int(source->Width()),
                         int(source->Height()), &area))
    return 1;
  platform::pixel::Rows s, d;
  if (LockPair(source, &s, &d) != DD_OK) return 0;
  area.source = {s.At(area.left, area.top), s.pitch, s.bytesPerPixel};
  area.dest = {d.At(area.x, area.y), d.pitch, d.bytesPerPixel};
  walk(static_cast<const LockedArea&>(area));
  UnlockPair(source);
  return 1;
}

// Object into a destination rectangle: clips, locks, calls
// walk(const LockedRect&), unlocks. 0 for an object without a surface.
template <class Walk>
int WithObjectIntoRect(int left, int top, int right, int bottom, int objectNo, int sourceLeft,
                       int sourceTop, int sourceRight, int sourceBottom, Walk&& walk) {
  if (!HasSurface(objectNo) || !BackBuffer) return 0;
  platform::Surface* source = Objects[objectNo].surface;
  LockedRect area;
  if (!ClipObjectIntoRect(left, top, right, bottom, sourceLeft, sourceTop, sourceRight,
                          sourceBottom, int(source->Width()), int(source->Height()), &area))
    return 1;
  const int sx = sourceLeft > 0 ? sourceLeft : 0, sy = sourceTop > 0 ? sourceTop : 0;
  platform::pixel::Rows s;
  if (LockPair(source, &s, &area.dest) != DD_OK) return 0;
  area.source = {s.At(sx, sy), s.pitch, s.bytesPerPixel};
  walk(static_cast<const LockedRect&>(area));
  UnlockPair(source);
  return 1;
}

// A back-buffer rectangle cut to the clip window: locks the back buffer,
// calls walk(rows, clipped rect) with rows whose (0, 0) is the back
// buffer's, unlocks. 1 (also when nothing is left), 0 when the lock fails.
template <class Walk>
int WithClippedBackBuffer(RECT rect, Walk&& walk) {
  if (!BackBuffer) return 0;
  const RECT clip = EffectiveClip();
  if (rect.left < clip.left) rect.left = clip.left;
  if (rect.top < clip.top) rect.top = clip.top;
  if (rect.right > clip.right) rect.right = clip.right;
  if (rect.bottom > clip.bottom) rect.bottom = clip.bottom;
  if (rect.right < rect.left || rect.bottom < rect.top) return 1;
  platform::pixel::Rows rows;
  if (LockBackBuffer(&rows) != DD_OK) return 0;
  walk(static_cast<const platform::pixel::Rows&>(rows), static_cast<const RECT&>(rect));
  BackBuffer->Unlock();
  return 1;
}

}  // namespace ruDraw
