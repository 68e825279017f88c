// sound_pack.cpp - reading sound pack entries with every size checked
// against the file, and appending an entry whole or not at all.
#include "platform/formats/sound_pack.h"

namespace platform::soundpack {

namespace {

using packfile::Seek;

Step Broken(const Entry& entry, const char* reason, std::string* why) {
  return packfile::BrokenAt(entry.offset, reason, why);
}

std::uint32_t Le32(const unsigned char b[4]) {
  return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
         std::uint32_t(b[3]) << 24;
}

bool Read32(std::FILE* file, std::uint32_t* value) {
  unsigned char b[4];
  if (std::fread(b, 1, 4, file) != 4) return false;
  *value = Le32(b);
  return true;
}

void Put32(std::vector<unsigned char>& v, std::uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<unsigned char>(x >> (8 * i)));
}

}  // namespace

Step NextEntry(Reader* reader, Entry* entry, std::string* why) {
  *entry = Entry{};
  entry->offset = reader->at;
  if (!reader->file || reader->at >= reader->size) return Step::End;
  unsigned char size[4];
  if (const char* reason = packfile::ReadEntryStart(*reader, size))
    return Broken(*entry, reason, why);
  entry->size = Le32(size);
  std::uint64_t at = reader->at + 4;
  if (const char* reason = packfile::ReadName(*reader, &at, &entry->name))
    return Broken(*entry, reason, why);
  if (reader->size - at < 4) return Broken(*entry, "cut inside its format size", why);
  if (!Read32(reader->file, &entry->headSize)) return Broken(*entry, "unreadable format size", why);
  at += 4;
  entry->format = at;
  if (reader->size - at < entry->headSize) return Broken(*entry, "cut inside its format", why);
  at += entry->headSize;
  entry->data = at;
  if (reader->size - at < entry->size) return Broken(*entry, "cut inside its data", why);
  reader->at = at + entry->size;
  return Step::Entry;
}

Step FindEntry(Reader* reader, const std::string& upperName, Entry* entry, std::string* why) {
  return packfile::FindNamed(reader, upperName, entry, why, &NextEntry);
}

bool ReadAt(const Reader& reader, std::uint64_t offset, std::uint32_t bytes,
            std::vector<unsigned char>* out) {
  if (offset > reader.size || reader.size - offset < bytes) return false;
  out->resize(bytes);
  return Seek(reader.file, offset) &&
         (bytes == 0 || std::fread(out->data(), 1, bytes, reader.file) == bytes);
}

std::vector<unsigned char> EncodeEntry(const std::string& name,
                                       const std::vector<unsigned char>& format,
                                       const std::vector<unsigned char>& data) {
  std::vector<unsigned char> bytes;
  bytes.reserve(4 + name.size() + 1 + 4 + format.size() + data.size());
  Put32(bytes, std::uint32_t(data.size()));
  bytes.insert(bytes.end(), name.begin(), name.end());
  bytes.push_back(0);
  Put32(bytes, std::uint32_t(format.size()));
  bytes.insert(bytes.end(), format.begin(), format.end());
  bytes.insert(bytes.end(), data.begin(), data.end());
  return bytes;
}

bool AppendEntry(const std::string& libraryPath, const std::string& name,
                 const std::vector<unsigned char>& format, const std::vector<unsigned char>& data) {
  if (name.size() > kMaxNameBytes || name.find('\0') != std::string::npos ||
      format.size() > 0xFFFFFFFFu || data.size() > 0xFFFFFFFFu)
    return false;
  const std::vector<unsigned char> bytes = EncodeEntry(name, format, data);
  return packfile::AppendWhole(libraryPath, bytes);
}

}  // namespace platform::soundpack
