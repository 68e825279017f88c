// packs.cpp - draw packs: selecting the pack that loads read, loading an
// entry into a new or an existing object (also how lost pack objects come
// back), and building a pack from the BMP files of a folder.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "draw/draw.h"
#include "draw/draw_internal.h"
#include "platform/formats/draw_pack.h"
#include "platform/os/encoding.h"
#include "platform/os/files.h"
#include "platform/surface/pixel.h"
#include "system/system.h"

namespace ruDraw {

char DrawPackPath[256] = "";

namespace {

namespace pack = platform::drawpack;
namespace px = platform::pixel;

constexpr const char* kNoPack = "パックファイル名が指定されていません";
constexpr const char* kCannotLoad = "BMPファイルを読み込めません";
constexpr const char* kCannotCopy = "サーフェース間で展開できません";
constexpr int kCopyAttempts = 10;

// A found entry and its pixels, read while the pack is open.
struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint16_t> pixels;
};

// Reads the entry `name` from the selected pack; 0 after a report. The
// pack is closed on every path.
int ReadPicture(const char* tag, const char* name, Picture* picture) {
  std::FILE* file = DrawPackPath[0] && platform::FileExists(DrawPackPath)
                        ? platform::OpenFile(DrawPackPath, "rb")
                        : nullptr;
  if (!file) return ruSystem::Error(tag, kNoPack, 0);
  pack::Reader reader = pack::OpenReader(file);
  pack::Entry entry;
  std::string why;
  const bool found = pack::FindEntry(&reader, pack::UpperName(name), &entry, &why) ==
                         pack::Step::Entry &&
                     pack::ReadPixels(reader, entry, &picture->pixels);
  std::fclose(file);
  if (!found) return ruSystem::Error(tag, kCannotLoad, 0);
  picture->width = entry.width;
  picture->height = entry.height;
  return 1;
}

// A stored 15-bit value as a pixel of `l`: on 16-bit surfaces each 5-bit
// channel fills the top of its field (green's lowest bit stays 0 on
// 5-6-5); wider channels repeat the bits, so packs look the same on 24-
// and 32-bit displays as on 16-bit ones.
DWORD ToSurfacePixel(std::uint16_t v, const px::Layout& l) {
  const DWORD channels[3] = {DWORD(v >> 10) & 31, DWORD(v >> 5) & 31, DWORD(v) & 31};
  const px::Channel* targets[3] = {&l.red, &l.green, &l.blue};
  DWORD out = 0;
  for (int i = 0; i < 3; ++i) {
    const px::Channel& c = *targets[i];
    out |= c.bits <= 6 ? channels[i] << c.Shift5()
                       : DWORD(px::WidenScreen(channels[i], 5)) << c.shift;
  }
  return out;
}

// Writes the picture into the object's surface; false if it cannot be locked.
bool FillSurface(platform::Surface* surface, const Picture& picture) {
  void* bits = nullptr;
  LONG pitch = 0;
  if (surface->Lock(&bits, &pitch, DDLOCK_WAIT) != DD_OK) return false;
  const platform::PixelFormat& f = surface->Format();
  const px::Layout layout =
      px::LayoutFromMasks(f.redMask, f.greenMask, f.blueMask, int(f.bitCount / 8));
  const px::Rows rows{static_cast<BYTE*>(bits), pitch, layout.bytesPerPixel};
  const std::uint16_t* source = picture.pixels.data();
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) rows.Set(x, y, ToSurfacePixel(*source++, layout));
  surface->Unlock();
  return true;
}

// Copies the temporary object onto the target with up to ten attempts,
// restoring lost surfaces between them; the last result.
HRESULT CopyWithRetries(platform::Surface* target, int temporary, const Picture& picture) {
  const RECT rect{0, 0, picture.width, picture.height};
  HRESULT result = DDERR_GENERIC;
  for (int attempt = 0; attempt < kCopyAttempts; ++attempt) {
    result = target->Blt(&rect, Objects[temporary].surface, &rect, DDBLT_WAIT, nullptr);
    if (result == DD_OK) break;
    if (result == DDERR_SURFACELOST) RestoreAll();
  }
  return result;
}

// The loaders' shared steps once slot n has its new surface.
int PlacePicture(const char* tag, int n, const char* name, const Picture& picture) {
  const int temporary = CreateObject(picture.width, picture.height, 2);
  if (!temporary) return 0;
  if (!FillSurface(Objects[temporary].surface, picture)) {
    FreeObject(temporary);
    return 0;
  }
  const HRESULT copied = CopyWithRetries(Objects[n].surface, temporary, picture);
  FreeObject(temporary);
  if (copied != DD_OK) return ruSystem::Error(tag, kCannotCopy, int(copied));
  DrawObject& slot = Objects[n];
  // The key is taken after the picture is in place, so that a top-left
  // key sees the picture's pixel.
  ApplyColorKeySetting(slot);
  CopyObjectName(slot.name, pack::UpperName(name).c_str());
  slot.packFlag = 1;
  slot.memoryKind = 2;
  slot.width = std::int16_t(picture.width);
  slot.height = std::int16_t(picture.height);
  return n;
}

// Program folder + name, cut at a character boundary to the path buffer.
void CopyPath(char (&buffer)[256], const std::string& text) {
  const size_t n = platform::Cp932SafeLength(text.c_str(), sizeof buffer - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
}

}  // namespace

char* SelectPack(const char* name) {
  CopyPath(DrawPackPath, std::string(ruSystem::GetAppFolder(0)) + (name ? name : ""));
  return DrawPackPath;
}

int LoadPack(const char* name, int memory) {
  constexpr const char* kTag = "ruDraw::LoadPack";
  if (!name) name = "";
  Picture picture;
  if (!ReadPicture(kTag, name, &picture)) return 0;
  const int n = CreateObject(picture.width, picture.height, memory);
  if (!n) return 0;
  if (PlacePicture(kTag, n, name, picture)) return n;
  FreeObject(n);  // a failed load leaves no blank object behind
  return 0;
}

int SwapPack(const char* name, int objectNo, int memory) {
  constexpr const char* kTag = "ruDraw::SwapPack";
  if (objectNo < 0 || objectNo >= kObjectCount) return 0;
  if (!name) name = "";
  Picture picture;
  if (!ReadPicture(kTag, name, &picture)) return 0;
  // The name may be the slot's own (a restore reloads by it): copy it first.
  char ownName[kNameSize];
  CopyObjectName(ownName, name);
  DrawObject& slot = Objects[objectNo];
  if (slot.surface) {
    slot.surface->Release();
    slot.surface = nullptr;
  }
  CopyObjectName(slot.name, "*");
  slot.packFlag = 0;
  slot.memoryKind = 2;
  slot.width = std::int16_t(picture.width);
  slot.height = std::int16_t(picture.height);
  if (CreateObjectSurface(slot, picture.width, picture.height, memory) != DD_OK)
    return ruSystem::Error("ruDraw::CreateObject", "スプライトを作成できません", 0);
  ApplyColorKeySetting(slot);
  return PlacePicture(kTag, objectNo, ownName, picture);
}

int AppendPackEntry(const char* packPath, platform::Surface* surface, int width, int height,
                    const char* name) {
  if (!surface || width < 0 || height < 0) return 0;
  platform::Dc* dc = nullptr;
  if (surface->GetDC(&dc) != DD_OK || !dc) return 0;
  std::vector<std::uint16_t> pixels(size_t(width) * size_t(height));
  std::uint16_t* out = pixels.data();
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) *out++ = pack::EncodePixel(dc->GetPixel(x, y));
  surface->ReleaseDC(dc);
  return pack::AppendEntry(packPath, width, height, name, pixels) ? 1 : 0;
}

int ConvertFile(const char* packName, const char* relativeName) {
  // Entry names are stored in upper case (loads look them up so), also
  // when the caller gives the relative name in lower case.
  if (!relativeName) return 0;
  const int n = LoadObject(relativeName, 1);
  if (!n) return 0;  // the file is skipped
  const std::string path = std::string(ruSystem::GetAppFolder(0)) + (packName ? packName : "");
  const DrawObject& slot = Objects[n];
  const int written = AppendPackEntry(path.c_str(), slot.surface, slot.width, slot.height,
                                      pack::UpperName(pack::BaseName(relativeName)).c_str());
  FreeObject(n);
  return written;
}

int Convert(const char* packName, const char* folder, int fresh) {
  if (ruSystem::GetColorDepth() <= 16)
    return ruSystem::Error("ruDraw::Convert", "画面をフルカラーにして下さい", 0);
  const std::string app = ruSystem::GetAppFolder(0);
  const std::string sub = folder ? folder : "";
  const std::string pack = app + (packName ? packName : "");
  if (fresh && platform::FileExists(pack)) std::remove(platform::ToHostPath(pack).c_str());
  for (const std::string& file : platform::FindFiles(app + sub, "*.BMP")) {
    const std::string relative = pack::UpperName(sub.empty() ? file : sub + "\\" + file);
    ConvertFile(packName, relative.c_str());
  }
  return 1;
}

}  // namespace ruDraw
