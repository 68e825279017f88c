// packs.cpp - sound packs: selecting the pack loads read, loading an entry
// into a sound object (also how pack sounds come back after a restore), and
// building a pack from the WAVE files of a folder.
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/formats/draw_pack.h"
#include "platform/os/encoding.h"
#include "platform/os/files.h"
#include "sound/sound.h"
#include "sound/sound_internal.h"
#include "system/system.h"

namespace ruSound {

char PackPath[kPathBytes] = "";

namespace {

namespace pack = platform::soundpack;

constexpr const char* kTag = "ruSound::LoadPack";

int Report(const char* message, HRESULT code = 0) {
  ruSystem::Error(kTag, message, code);
  return -1;
}

// Appends the entry for one WAVE file; a file that cannot be read still
// gets an empty entry (Size and HeadSize 0).
void AppendFile(const std::string& packPath, const std::string& relative) {
  std::vector<BYTE> format, data;
  ReadWave((std::string(ruSystem::GetAppFolder(0)) + relative).c_str(), &format, &data);
  pack::AppendEntry(packPath, platform::drawpack::BaseName(relative), format, data);
}

}  // namespace

Lookup FindInPack(const char* path, const char* name, PackEntry* found) {
  std::FILE* file = path[0] && platform::FileExists(path) ? platform::OpenFile(path, "rb") : nullptr;
  if (!file) return Lookup::NoFile;
  found->reader = pack::OpenReader(file);
  // A broken entry ends the search like the end of the file.
  return pack::FindEntry(&found->reader, platform::drawpack::UpperName(name ? name : ""),
                         &found->entry, nullptr) == pack::Step::Entry
             ? Lookup::Found
             : Lookup::NoEntry;
}

bool ReadEntry(const PackEntry& found, std::vector<BYTE>* format, std::vector<BYTE>* data) {
  if (!pack::ReadAt(found.reader, found.entry.format, found.entry.headSize, format)) return false;
  if (format->size() < pack::kFormatBytes) format->resize(pack::kFormatBytes, 0);
  return !data || pack::ReadAt(found.reader, found.entry.data, found.entry.size, data);
}

char* SelectPack(const char* name) {
  const std::string path = std::string(ruSystem::GetAppFolder(0)) + (name ? name : "");
  const size_t n = platform::Cp932SafeLength(path.c_str(), sizeof PackPath - 1);
  std::memcpy(PackPath, path.data(), n);
  PackPath[n] = '\0';
  return PackPath;
}

int LoadPack(const char* name, int mix) {
  if (!SoundReady || !Device) return -1;
  if (!name) name = "";
  if (std::abs(mix) > kMaxMix) return Report("ミックス数が多過ぎます");
  // A name that cannot be stored is refused before a slot is taken: the
  // caller, holding only -1, could never free that slot.
  if (!Restoring && std::strlen(name) > kNameBytes - 1) return Report("ファイル名が長すぎます");
  const int no = Restoring ? RestoreSlot : FirstFreeSlot();
  if (no < 0) return Report("オブジェクト数が多過ぎます");

  PackEntry found;
  const Lookup lookup = FindInPack(PackPath, name, &found);
  if (lookup == Lookup::NoFile) return Report("パックファイル名が指定されていません");
  platform::WaveImage wave;
  if (lookup == Lookup::NoEntry || !ReadEntry(found, &wave.format, &wave.data))
    return Report("WAVEファイルを読み込めません");
  if (FillSlot(kTag, no, mix, wave) < 0) return -1;
  SoundObject& s = Sounds[no];
  s.FromPack = 1;
  if (!Restoring) std::strcpy(s.Name, name);
  return no;
}

int Convert(const char* packName, const char* folder, int fresh) {
  const std::string app = ruSystem::GetAppFolder(0);
  const std::string sub = folder ? folder : "";
  const std::string packPath = app + (packName ? packName : "");
  if (fresh && platform::FileExists(packPath))
    std::remove(platform::ToHostPath(packPath).c_str());
  for (const std::string& file : platform::FindFiles(app + sub, "*.WAV"))
    AppendFile(packPath, platform::drawpack::UpperName(sub.empty() ? file : sub + "\\" + file));
  return 1;
}

}  // namespace ruSound
