// sound_pack.cpp - reading sound pack entries with every size checked
// against the file, and appending an entry whole or not at all.
#include "platform/formats/sound_pack.h"

#include <sys/types.h>
#include <unistd.h>

#include "platform/os/files.h"

namespace platform::soundpack {

namespace {

bool Seek(std::FILE* file, std::uint64_t offset) {
  return ::fseeko(file, off_t(offset), SEEK_SET) == 0;
}

Step Broken(const Entry& entry, const char* reason, std::string* why) {
  if (why) *why = "entry at offset " + std::to_string(entry.offset) + ": " + reason;
  return Step::Broken;
}

bool Read32(std::FILE* file, std::uint32_t* value) {
  unsigned char b[4];
  if (std::fread(b, 1, 4, file) != 4) return false;
  *value = std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
           std::uint32_t(b[3]) << 24;
  return true;
}

void Put32(std::vector<unsigned char>& v, std::uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<unsigned char>(x >> (8 * i)));
}

}  // namespace

Reader OpenReader(std::FILE* file) {
  Reader reader;
  reader.file = file;
  if (file && ::fseeko(file, 0, SEEK_END) == 0) {
    const off_t end = ::ftello(file);
    if (end > 0) reader.size = std::uint64_t(end);
  }
  return reader;
}

Step NextEntry(Reader* reader, Entry* entry, std::string* why) {
  *entry = Entry{};
  entry->offset = reader->at;
  if (!reader->file || reader->at >= reader->size) return Step::End;
  if (reader->size - reader->at < 4) return Broken(*entry, "cut inside its size", why);
  if (!Seek(reader->file, reader->at) || !Read32(reader->file, &entry->size))
    return Broken(*entry, "unreadable size", why);
  std::uint64_t at = reader->at + 4;
  for (;;) {
    if (at >= reader->size) return Broken(*entry, "cut inside its name", why);
    const int c = std::fgetc(reader->file);
    if (c == EOF) return Broken(*entry, "unreadable name", why);
    ++at;
    if (c == 0) break;
    if (entry->name.size() == kMaxNameBytes) return Broken(*entry, "name too long", why);
    entry->name.push_back(char(c));
  }
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
  for (;;) {
    const Step step = NextEntry(reader, entry, why);
    if (step != Step::Entry || entry->name == upperName) return step;
  }
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
  std::FILE* file = OpenFile(libraryPath, "ab");
  if (!file) return false;
  // Unbuffered: nothing of a failed write is left to reach the file later.
  std::setvbuf(file, nullptr, _IONBF, 0);
  const bool positioned = ::fseeko(file, 0, SEEK_END) == 0;
  const off_t before = positioned ? ::ftello(file) : -1;
  bool ok = before >= 0 && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fflush(file) == 0 && ok;
  if (!ok && before >= 0 && ::ftruncate(::fileno(file), before) != 0) ok = false;
  return std::fclose(file) == 0 && ok;
}

}  // namespace platform::soundpack
