// objects.cpp - the draw object table: loading bitmaps from files and
// resources into numbered objects, blank objects, swapping and freeing, and
// the source colour keys that make one colour of an object transparent.
#include <cstdio>
#include <cstring>
#include <string>

#include "draw/draw.h"
#include "draw/draw_internal.h"
#include "platform/os/files.h"
#include "platform/surface/pixel.h"
#include "system/system.h"

namespace ruDraw {

DrawObject Objects[kObjectCount];
COLORREF ColorKey = 0;
int ColorKeyTopLeft = 0;

namespace {

constexpr size_t kPathSize = 256;
constexpr size_t kMaxNameLength = 30;
constexpr const char* kTooLong = "ファイル名またはリソース名が長すぎます";
constexpr const char* kTooMany = "オブジェクト数が多過ぎます";
constexpr const char* kCannotLoad = "BMPファイルを読み込めません";
constexpr const char* kNoSurface = "no surface can be made for it";

// Lowest free slot from 4 on (a slot is free while its name is empty), or -1.
int FindFreeSlot() {
  for (int n = kFirstLoadedObject; n < kObjectCount; ++n)
    if (Objects[n].name[0] == '\0') return n;
  return -1;
}

// Program folder + name in a path buffer; false if it would not fit.
bool JoinAppPath(char (&path)[kPathSize], const char* name) {
  const char* folder = ruSystem::GetAppFolder(0);
  const size_t folderLength = std::strlen(folder);
  const size_t nameLength = std::strlen(name);
  if (folderLength + nameLength >= kPathSize) return false;
  std::memcpy(path, folder, folderLength);
  std::memcpy(path + folderLength, name, nameLength + 1);
  return true;
}

// A failed load: one line on stderr names the file (or resource) and the
// reason, which the box every failed load shows leaves out.
int ReportLoadFailure(const char* tag, const char* path, const std::string& why, HRESULT result) {
  std::fprintf(stderr, "%s: cannot load %s: %s\n", tag, platform::ToHostPath(path).c_str(),
               why.c_str());
  return ruSystem::Error(tag, kCannotLoad, result);
}

// Fills slot n from the named file, or else from the bitmap resource of
// that name (the loaders' shared steps). `checkCopy`: a failed copy of a
// resource bitmap is reported.
int FillSlot(const char* tag, int n, const char* name, int memory, bool checkCopy) {
  DrawObject& slot = Objects[n];
  char path[kPathSize];
  std::string why = "the path is too long";
  const bool joined = JoinAppPath(path, name);
  if (joined)
    slot.surface = LoadBitmapSurface(DirectDraw, path, &slot.width, &slot.height, memory, &why);
  if (slot.surface) {
    ApplyColorKeySetting(slot);
    return 1;
  }

  platform::Bitmap* bitmap = platform::LoadBitmapResource(name);
  if (!bitmap) return ReportLoadFailure(tag, joined ? path : name, why, 0);
  platform::BITMAP bm;
  bitmap->GetObject(&bm);
  slot.width = std::int16_t(bm.bmWidth);
  slot.height = std::int16_t(bm.bmHeight);
  const HRESULT created = CreateObjectSurface(slot, bm.bmWidth, bm.bmHeight, memory);
  if (created != DD_OK) {
    platform::DeleteObject(bitmap);
    return ReportLoadFailure(tag, name, kNoSurface, created);
  }
  ApplyColorKeySetting(slot);
  const HRESULT copied = CopyBitmap(slot.surface, bitmap, 0, 0, 0, 0);
  platform::DeleteObject(bitmap);
  if (checkCopy && copied != DD_OK)
    return ReportLoadFailure(tag, name, "the bitmap cannot be copied to its surface", copied);
  return 1;
}

// Reads the first pixel of a locked surface as the raw pixel value.
DWORD ReadFirstPixel(platform::Surface* surface) {
  void* bits = nullptr;
  LONG pitch = 0;
  HRESULT result;
  do {
    result = surface->Lock(&bits, &pitch, 0);
  } while (result == DDERR_WASSTILLDRAWING);
  if (result != DD_OK) return CLR_INVALID;
  // Only the pixel's own bytes are read (a 16-bit surface of one pixel has
  // no four bytes to read).
  const DWORD value = platform::pixel::Load(static_cast<const BYTE*>(bits),
                                            int(surface->Format().bitCount / 8));
  surface->Unlock();
  return value;
}

}  // namespace

// The colour-key setting for new objects, applied to slot n's surface.
void ApplyColorKeySetting(DrawObject& slot) {
  if (ColorKeyTopLeft) {
    SetSurfaceColorKey(slot.surface, CLR_INVALID);
    slot.colorKey = -1;
  } else {
    SetSurfaceColorKey(slot.surface, ColorKey);
    slot.colorKey = int(ColorKey);
  }
}

HRESULT CreateObjectSurface(DrawObject& slot, int width, int height, int memory) {
  platform::SurfaceDesc desc;
  desc.flags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
  desc.width = DWORD(width);
  desc.height = DWORD(height);
  desc.caps = ObjectCaps(memory);
  // Without a display (set-up failed or never ran) no surface can be made.
  if (!DirectDraw) {
    slot.surface = nullptr;
    return DDERR_GENERIC;
  }
  const HRESULT result = DirectDraw->CreateSurface(desc, &slot.surface);
  if (result != DD_OK) slot.surface = nullptr;
  return result;
}

bool HasSurface(int objectNo) {
  return objectNo >= 0 && objectNo < kObjectCount && Objects[objectNo].surface != nullptr;
}

DWORD ColorMatch(platform::Surface* surface, COLORREF rgb) {
  COLORREF saved = 0;
  platform::Dc* dc = nullptr;
  if (rgb != CLR_INVALID && surface->GetDC(&dc) == DD_OK) {
    saved = dc->GetPixel(0, 0);
    dc->SetPixel(0, 0, rgb);
    surface->ReleaseDC(dc);
  }
  const DWORD result = ReadFirstPixel(surface);
  if (rgb != CLR_INVALID && surface->GetDC(&dc) == DD_OK) {
    dc->SetPixel(0, 0, saved);
    surface->ReleaseDC(dc);
  }
  return result;
}

HRESULT SetSurfaceColorKey(platform::Surface* surface, COLORREF rgb) {
  const DWORD key = ColorMatch(surface, rgb);
  platform::ColorKey ddck{key, key};
  return surface->SetColorKey(DDCKEY_SRCBLT, &ddck);
}

HRESULT CopyBitmap(platform::Surface* surface, platform::Bitmap* bitmap, int x, int y,
                   int width, int height) {
  if (!bitmap || !surface) return E_FAIL;
  surface->Restore();
  platform::Dc memDc;
  memDc.SelectObject(bitmap);
  platform::BITMAP bm;
  bitmap->GetObject(&bm);
  if (width == 0) width = bm.bmWidth;
  if (height == 0) height = bm.bmHeight;
  platform::SurfaceDesc desc;
  desc.flags = DDSD_HEIGHT | DDSD_WIDTH;
  surface->GetSurfaceDesc(&desc);
  platform::Dc* dc = nullptr;
  const HRESULT result = surface->GetDC(&dc);
  if (result == DD_OK) {
    dc->StretchBlt(0, 0, int(desc.width), int(desc.height), &memDc, x, y, width, height,
                   SRCCOPY);
    surface->ReleaseDC(dc);
  }
  return result;
}

platform::Surface* LoadBitmapSurface(platform::Display* display, const char* path,
                                     std::int16_t* width, std::int16_t* height, int memory,
                                     std::string* why) {
  platform::Bitmap* bitmap = platform::LoadBitmapResource(path);
  if (!bitmap) bitmap = platform::LoadBitmapFile(path, why);
  if (!bitmap) return nullptr;
  platform::BITMAP bm;
  bitmap->GetObject(&bm);
  *width = std::int16_t(bm.bmWidth);
  *height = std::int16_t(bm.bmHeight);
  platform::SurfaceDesc desc;
  desc.flags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
  desc.width = DWORD(bm.bmWidth);
  desc.height = DWORD(bm.bmHeight);
  desc.caps = ObjectCaps(memory);
  platform::Surface* pdds = nullptr;
  if (!display || display->CreateSurface(desc, &pdds) != DD_OK) {
    if (why) *why = kNoSurface;
    platform::DeleteObject(bitmap);
    return nullptr;
  }
  CopyBitmap(pdds, bitmap, 0, 0, 0, 0);
  platform::DeleteObject(bitmap);
  return pdds;
}

int LoadObject(const char* name, int memory) {
  constexpr const char* kTag = "ruDraw::LoadObject";
  if (!name) name = "";  // no name: nothing loads, reported as such
  if (std::strlen(name) > kMaxNameLength) return ruSystem::Error(kTag, kTooLong, 0);
  const int n = FindFreeSlot();
  if (n < 0) return ruSystem::Error(kTag, kTooMany, 0);
  DrawObject& slot = Objects[n];
  CopyObjectName(slot.name, name);
  slot.packFlag = 0;
  slot.memoryKind = 2;
  return FillSlot(kTag, n, name, memory, true) ? n : 0;
}

int CreateObject(int width, int height, int memory) {
  constexpr const char* kTag = "ruDraw::CreateObject";
  const int n = FindFreeSlot();
  if (n < 0) return ruSystem::Error(kTag, kTooMany, 0);
  DrawObject& slot = Objects[n];
  CopyObjectName(slot.name, "*");
  slot.packFlag = 0;
  slot.memoryKind = 2;
  slot.width = std::int16_t(width);
  slot.height = std::int16_t(height);
  if (CreateObjectSurface(slot, width, height, memory) != DD_OK)
    return ruSystem::Error(kTag, "スプライトを作成できません", 0);
  ApplyColorKeySetting(slot);
  return n;
}

int SwapObject(const char* name, int objectNo, int memory) {
  constexpr const char* kTag = "ruDraw::SwapObject";
  if (!name) name = "";
  if (std::strlen(name) > kMaxNameLength) return ruSystem::Error(kTag, kTooLong, 0);
  if (objectNo < 0 || objectNo >= kObjectCount) return 0;
  DrawObject& slot = Objects[objectNo];
  // The name may be the slot's own (a restore reloads by it): copy it first.
  char ownName[kNameSize];
  CopyObjectName(ownName, name);
  if (slot.surface) {
    slot.surface->Release();
    slot.surface = nullptr;
  }
  CopyObjectName(slot.name, ownName);
  slot.packFlag = 0;
  slot.memoryKind = 2;
  return FillSlot(kTag, objectNo, ownName, memory, false);
}

void FreeObject(int objectNo) {
  if (!HasSurface(objectNo)) return;
  DrawObject& slot = Objects[objectNo];
  slot.surface->Release();
  slot.surface = nullptr;
  slot.name[0] = '\0';
  slot.colorKey = 0;
  slot.width = 0;
  slot.height = 0;
}

void SetColorKey(COLORREF color) {
  ColorKey = color;
  ColorKeyTopLeft = 0;
}

void SetColorKeyTopLeft() { ColorKeyTopLeft = 1; }

HRESULT SetObjectColorKey(int objectNo, COLORREF color) {
  if (!HasSurface(objectNo)) return DDERR_INVALIDPARAMS;
  Objects[objectNo].colorKey = int(color);
  return SetSurfaceColorKey(Objects[objectNo].surface, color);
}

HRESULT SetObjectColorKeyTopLeft(int objectNo) {
  if (!HasSurface(objectNo)) return DDERR_INVALIDPARAMS;
  Objects[objectNo].colorKey = -1;
  return SetSurfaceColorKey(Objects[objectNo].surface, CLR_INVALID);
}

HRESULT CopyColorKey(int destination, int source) {
  if (!HasSurface(destination) || !HasSurface(source)) return DDERR_INVALIDPARAMS;
  platform::ColorKey color;
  Objects[source].surface->GetColorKey(DDCKEY_SRCBLT, &color);
  return Objects[destination].surface->SetColorKey(DDCKEY_SRCBLT, &color);
}

}  // namespace ruDraw
