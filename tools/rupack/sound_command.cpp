// sound_command.cpp - rupack sound: build a sound pack from a folder's WAVE
// files (the same bytes the library's conversion writes), list its entries,
// extract one as a WAVE file, check every entry.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/formats/draw_pack.h"
#include "platform/formats/sound_pack.h"
#include "platform/os/encoding.h"
#include "platform/os/files.h"
#include "sound/sound.h"
#include "tools/rupack/pack_command.h"
#include "tools/rupack/rupack.h"

namespace rupack {

namespace {

namespace pack = platform::soundpack;

int Run(const Args& args);

}  // namespace

const Command kSoundCommand = {
    "sound",
    "  rupack sound build PACK FOLDER [--fresh]  append every *.WAV of FOLDER "
    "(--fresh: start a new pack)\n"
    "  rupack sound list PACK                    name, format, seconds, offset of each entry\n"
    "  rupack sound extract PACK NAME OUT.wav    write one entry as a WAVE file\n"
    "  rupack sound check PACK                   read every entry; name the first broken one\n",
    Run};

namespace {

// The fields of a format block that a listing shows; zeros if too short.
struct Format {
  unsigned tag = 0, channels = 0, rate = 0, average = 0, bits = 0;
};

unsigned Get(const std::vector<unsigned char>& b, size_t at, int bytes) {
  unsigned v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + i];
  return v;
}

Format ReadFormat(const std::vector<unsigned char>& block) {
  Format f;
  if (block.size() < 16) return f;
  f = {Get(block, 0, 2), Get(block, 2, 2), Get(block, 4, 4), Get(block, 8, 4), Get(block, 14, 2)};
  return f;
}

int Missing(const std::string& path) { return rupack::Missing(kSoundCommand, path); }

int Broken(const std::string& path, const pack::Entry& entry, const std::string& why) {
  return BrokenEntry(kSoundCommand, path, entry.name, why);
}

int Build(const std::string& packPath, const std::string& folder, bool fresh) {
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) return Missing(folder);
  if (fresh) std::remove(packPath.c_str());
  const std::string libraryPack = LibraryPath(packPath);
  const std::string libraryFolder = LibraryPath(folder);
  int failed = 0;
  for (const std::string& file : platform::FindFiles(libraryFolder, "*.WAV")) {
    // As the library's conversion: a file that is no WAVE gets an empty entry.
    std::vector<BYTE> format, data;
    const bool read = ruSound::ReadWave((libraryFolder + "\\" + file).c_str(), &format, &data) == 0;
    const std::string name = platform::drawpack::UpperName(file);
    if (!pack::AppendEntry(libraryPack, name, format, data)) {
      std::fprintf(stderr, "rupack sound: cannot append to %s\n", packPath.c_str());
      return kFailed;
    }
    if (read) {
      std::printf("%s %zu\n", platform::Cp932ToUtf8(name).c_str(), data.size());
    } else {
      std::fprintf(stderr, "rupack sound: %s: not a readable WAVE file (empty entry written)\n",
                   platform::Cp932ToUtf8(file).c_str());
      ++failed;
    }
  }
  return failed ? kFailed : kOk;
}

// Walks every entry; `each` sees the entry and its format block.
template <typename F>
int Walk(const std::string& path, F each) {
  OpenPack p(path);
  if (!p.file) return Missing(path);
  pack::Entry entry;
  std::string why;
  std::vector<unsigned char> format;
  for (;;) {
    const pack::Step step = pack::NextEntry(&p.reader, &entry, &why);
    if (step == pack::Step::End) return kOk;
    if (step == pack::Step::Broken) return Broken(path, entry, why);
    if (!pack::ReadAt(p.reader, entry.format, entry.headSize, &format))
      return Broken(path, entry, "unreadable format");
    const int result = each(entry, format);
    if (result != kOk) return result;
  }
}

int List(const std::string& path) {
  return Walk(path, [](const pack::Entry& e, const std::vector<unsigned char>& block) {
    const Format f = ReadFormat(block);
    const double seconds = f.average ? double(e.size) / f.average : 0.0;
    std::printf("%s tag%u/%uch/%uHz/%ubit %.3f %llu\n", platform::Cp932ToUtf8(e.name).c_str(),
                f.tag, f.channels, f.rate, f.bits, seconds,
                static_cast<unsigned long long>(e.offset));
    return kOk;
  });
}

int Check(const std::string& path) {
  int count = 0;
  const int result = Walk(path, [&](const pack::Entry& e, const std::vector<unsigned char>& block) {
    // An empty entry (a file that was no WAVE) is allowed; any other entry
    // needs a format that can be played.
    const Format f = ReadFormat(block);
    if (e.headSize != 0 && (e.headSize < 16 || f.average == 0 || f.channels == 0))
      return Broken(path, e, "entry at offset " + std::to_string(e.offset) + ": unusable format");
    ++count;
    return kOk;
  });
  if (result == kOk) std::printf("%s: %d entries, all readable\n", path.c_str(), count);
  return result;
}

void Put32(std::vector<unsigned char>& v, std::uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<unsigned char>(x >> (8 * i)));
}

void PutChunk(std::vector<unsigned char>& v, const char* id, const unsigned char* body,
              size_t size) {
  v.insert(v.end(), id, id + 4);
  Put32(v, std::uint32_t(size));
  v.insert(v.end(), body, body + size);
  if (size & 1) v.push_back(0);
}

int Extract(const std::string& path, const std::string& name, const std::string& out) {
  OpenPack p(path);
  if (!p.file) return Missing(path);
  pack::Entry entry;
  std::string why;
  const pack::Step step = pack::FindEntry(
      &p.reader, platform::drawpack::UpperName(platform::Utf8ToCp932(name)), &entry, &why);
  if (step == pack::Step::Broken) return Broken(path, entry, why);
  if (step == pack::Step::End) {
    std::fprintf(stderr, "rupack sound: %s: no entry named %s\n", path.c_str(), name.c_str());
    return kFailed;
  }
  std::vector<unsigned char> format, data;
  if (!pack::ReadAt(p.reader, entry.format, entry.headSize, &format) ||
      !pack::ReadAt(p.reader, entry.data, entry.size, &data))
    return Broken(path, entry, "unreadable data");
  if (format.size() < 16) {
    std::fprintf(stderr, "rupack sound: %s: %s holds no sound\n", path.c_str(), name.c_str());
    return kFailed;
  }
  // PCM keeps the plain 16-byte "fmt " body; other formats carry their size
  // field and extra bytes.
  const size_t fmtBytes = ReadFormat(format).tag == 1 ? 16 : format.size();
  std::vector<unsigned char> chunks = {'W', 'A', 'V', 'E'};
  PutChunk(chunks, "fmt ", format.data(), fmtBytes);
  PutChunk(chunks, "data", data.data(), data.size());
  std::vector<unsigned char> bytes = {'R', 'I', 'F', 'F'};
  Put32(bytes, std::uint32_t(chunks.size()));
  bytes.insert(bytes.end(), chunks.begin(), chunks.end());
  std::FILE* file = std::fopen(out.c_str(), "wb");
  const bool ok = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (!file || std::fclose(file) != 0 || !ok) {
    std::fprintf(stderr, "rupack sound: cannot write %s\n", out.c_str());
    return kFailed;
  }
  return kOk;
}

int Run(const Args& args) {
  return RunPackCommand(kSoundCommand, {Build, List, Check, Extract, "PACK NAME OUT.wav"}, args);
}

}  // namespace

}  // namespace rupack
