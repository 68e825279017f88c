// draw_internal.h - helpers the draw/ files share: slot names and states,
// surface capabilities by memory argument, and source-rectangle clipping.
#pragma once

#include <cstdint>
#include <cstring>

#include "draw/draw.h"

namespace ruDraw {

constexpr size_t kNameSize = sizeof(DrawObject::name);

// Copies `name` into a slot's name field, cut to fit with its terminator.
inline void CopyObjectName(char (&field)[kNameSize], const char* name) {
  size_t length = std::strlen(name);
  if (length > kNameSize - 1) length = kNameSize - 1;
  std::memmove(field, name, length);
  field[length] = '\0';
}

// The empty state of a slot (its surface already released or never made).
inline void EmptySlot(DrawObject& slot) {
  slot.surface = nullptr;
  slot.name[0] = '\0';
  slot.packFlag = 0;
  slot.memoryKind = 2;
  slot.colorKey = 0;
  slot.width = 0;
  slot.height = 0;
}

// Capabilities of an object surface for a loader's memory argument.
inline DWORD ObjectCaps(int memory) {
  return memory == 2 ? DDSCAPS_OFFSCREENPLAIN : (DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY);
}

// Cuts a source rectangle to the surface, moving the drawing point (x, y)
// with its left and top edges so the visible pixels keep their places.
// Wide integers: any int arguments clip without overflow.
inline void ClipSourceToSurface(const platform::Surface* surface, std::int64_t& x,
                                std::int64_t& y, std::int64_t& left, std::int64_t& top,
                                std::int64_t& right, std::int64_t& bottom) {
  const std::int64_t width = surface->Width();
  const std::int64_t height = surface->Height();
  if (left < 0) {
    x -= left;
    left = 0;
  }
  if (top < 0) {
    y -= top;
    top = 0;
  }
  if (right > width) right = width;
  if (bottom > height) bottom = height;
}

// The colour-key setting for new objects, applied to a slot's surface.
void ApplyColorKeySetting(DrawObject& slot);
// Creates a surface of the given size into the slot (nullptr on failure).
HRESULT CreateObjectSurface(DrawObject& slot, int width, int height, int memory);

// Places a one-line or rectangle copy of an object onto `target` with the
// clip window, as every drawing of an object does; keyed or not.
void ClippedCopy(platform::Surface* target, int x, int y, int objectNo, int left, int top,
                 int right, int bottom, DWORD flags);

}  // namespace ruDraw
