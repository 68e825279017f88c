// restore.cpp - brings lost surfaces back: the primary surface, the back
// buffer and the internal sprites are restored blank; loaded objects are
// reloaded from their files or packs, created ("*") objects come back blank.
#include <cstring>

#include "draw/draw.h"

namespace ruDraw {

namespace {

void RestoreIfLost(platform::Surface* surface) {
  if (surface && surface->IsLost() != DD_OK) surface->Restore();
}

}  // namespace

void RestoreAll() {
  if (PrimarySurface) PrimarySurface->Restore();
  RestoreIfLost(BackBuffer);
  for (int n = 0; n < kFirstLoadedObject; ++n) RestoreIfLost(Objects[n].surface);

  for (int n = kFirstLoadedObject; n < kObjectCount; ++n) {
    DrawObject& slot = Objects[n];
    if (slot.name[0] == '\0' || !slot.surface) continue;
    RestoreIfLost(slot.surface);
    if (std::strcmp(slot.name, "*") == 0) continue;
    SetColorKey(COLORREF(slot.colorKey));
    if (slot.packFlag)
      SwapPack(slot.name, n, slot.memoryKind);
    else
      SwapObject(slot.name, n, slot.memoryKind);
  }
}

}  // namespace ruDraw
