// draw_command.cpp - rupack draw: build a draw pack from a folder's BMP
// files (the same bytes the library's conversion writes), list its entries,
// extract one as a BMP file, check every entry.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "draw/draw.h"
#include "platform/formats/draw_pack.h"
#include "platform/formats/screen_bmp.h"
#include "platform/os/encoding.h"
#include "platform/os/files.h"
#include "tools/rupack/pack_command.h"
#include "tools/rupack/rupack.h"

namespace rupack {

namespace {

namespace pack = platform::drawpack;

int Run(const Args& args);

}  // namespace

const Command kDrawCommand = {
    "draw",
    "  rupack draw build PACK FOLDER [--fresh]  append every *.BMP of FOLDER "
    "(--fresh: start a new pack)\n"
    "  rupack draw list PACK                    name, width, height, offset of each entry\n"
    "  rupack draw extract PACK NAME OUT.bmp    write one entry as a 24-bit BMP file\n"
    "  rupack draw check PACK                   read every entry; name the first broken one\n",
    Run};

namespace {

int Missing(const std::string& path) { return rupack::Missing(kDrawCommand, path); }

int Broken(const std::string& path, const pack::Entry& entry, const std::string& why) {
  return BrokenEntry(kDrawCommand, path, entry.name, why);
}

int Build(const std::string& packPath, const std::string& folder, bool fresh) {
  std::string why;
  if (!OpenLibrary(&why)) {
    std::fprintf(stderr, "rupack draw: %s\n", why.c_str());
    return kFailed;
  }
  if (fresh) std::remove(packPath.c_str());
  const std::string libraryPack = LibraryPath(packPath);
  const std::string libraryFolder = LibraryPath(folder);
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) return Missing(folder);
  int failed = 0;
  for (const std::string& file : platform::FindFiles(libraryFolder, "*.BMP")) {
    const std::string name = pack::UpperName(file);
    std::int16_t width = 0, height = 0;
    platform::Surface* surface = ruDraw::LoadBitmapSurface(
        ruDraw::DirectDraw, (libraryFolder + "\\" + file).c_str(), &width, &height, 1);
    const bool written = surface && ruDraw::AppendPackEntry(libraryPack.c_str(), surface,
                                                            width, height, name.c_str());
    if (surface) surface->Release();
    if (written) {
      std::printf("%s %d %d\n", platform::Cp932ToUtf8(name).c_str(), width, height);
    } else {
      std::fprintf(stderr, "rupack draw: %s: %s\n", platform::Cp932ToUtf8(file).c_str(),
                   surface ? "cannot append to the pack" : "not a readable BMP file");
      ++failed;
    }
  }
  return failed ? kFailed : kOk;
}

int List(const std::string& path) {
  OpenPack p(path);
  if (!p.file) return Missing(path);
  pack::Entry entry;
  std::string why;
  for (;;) {
    const pack::Step step = pack::NextEntry(&p.reader, &entry, &why);
    if (step == pack::Step::End) return kOk;
    if (step == pack::Step::Broken) return Broken(path, entry, why);
    std::printf("%s %d %d %llu\n", platform::Cp932ToUtf8(entry.name).c_str(), entry.width,
                entry.height, static_cast<unsigned long long>(entry.offset));
  }
}

int Check(const std::string& path) {
  OpenPack p(path);
  if (!p.file) return Missing(path);
  pack::Entry entry;
  std::string why;
  int count = 0;
  std::vector<std::uint16_t> pixels;
  for (;;) {
    const pack::Step step = pack::NextEntry(&p.reader, &entry, &why);
    if (step == pack::Step::End) break;
    if (step == pack::Step::Broken) return Broken(path, entry, why);
    if (!pack::ReadPixels(p.reader, entry, &pixels))
      return Broken(path, entry, "entry at offset " + std::to_string(entry.offset) +
                                     ": unreadable pixels");
    ++count;
  }
  std::printf("%s: %d entries, all readable\n", path.c_str(), count);
  return kOk;
}

// Writes the entry as the library's 16-bit capture would show it: each
// 5-bit channel shifted left by 3.
bool WriteBmp(const std::string& out, const pack::Entry& entry,
              const std::vector<std::uint16_t>& pixels) {
  const std::uint32_t stride = platform::screenbmp::Stride(std::uint32_t(entry.width));
  const auto header = platform::screenbmp::Header(entry.width, entry.height);
  std::vector<unsigned char> bytes(header.begin(), header.end());
  bytes.resize(header.size() + size_t(stride) * entry.height, 0);
  for (int y = 0; y < entry.height; ++y) {
    unsigned char* row = &bytes[header.size() + size_t(entry.height - 1 - y) * stride];
    for (int x = 0; x < entry.width; ++x) {
      const std::uint16_t v = pixels[size_t(y) * entry.width + x];
      row[3 * x] = static_cast<unsigned char>((v & 31) << 3);
      row[3 * x + 1] = static_cast<unsigned char>(((v >> 5) & 31) << 3);
      row[3 * x + 2] = static_cast<unsigned char>(((v >> 10) & 31) << 3);
    }
  }
  std::FILE* file = std::fopen(out.c_str(), "wb");
  if (!file) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

int Extract(const std::string& path, const std::string& name, const std::string& out) {
  OpenPack p(path);
  if (!p.file) return Missing(path);
  pack::Entry entry;
  std::string why;
  const pack::Step step =
      pack::FindEntry(&p.reader, pack::UpperName(platform::Utf8ToCp932(name)), &entry, &why);
  if (step == pack::Step::Broken) return Broken(path, entry, why);
  std::vector<std::uint16_t> pixels;
  if (step == pack::Step::End) {
    std::fprintf(stderr, "rupack draw: %s: no entry named %s\n", path.c_str(), name.c_str());
    return kFailed;
  }
  if (!pack::ReadPixels(p.reader, entry, &pixels))
    return Broken(path, entry, "unreadable pixels");
  if (!WriteBmp(out, entry, pixels)) {
    std::fprintf(stderr, "rupack draw: cannot write %s\n", out.c_str());
    return kFailed;
  }
  return kOk;
}

int Run(const Args& args) {
  return RunPackCommand(kDrawCommand, {Build, List, Check, Extract, "PACK NAME OUT.bmp"}, args);
}

}  // namespace

}  // namespace rupack
