// pack_file.cpp - bounded reading and whole-entry appending shared by the
// pack formats.
#include "platform/formats/pack_file.h"

#include <sys/types.h>
#include <unistd.h>

#include "platform/os/files.h"

namespace platform::packfile {

Reader OpenReader(std::FILE* file) {
  Reader reader;
  reader.file = file;
  if (file && ::fseeko(file, 0, SEEK_END) == 0) {
    const off_t end = ::ftello(file);
    if (end > 0) reader.size = std::uint64_t(end);
  }
  return reader;
}

bool Seek(std::FILE* file, std::uint64_t offset) {
  return ::fseeko(file, off_t(offset), SEEK_SET) == 0;
}

const char* ReadEntryStart(const Reader& reader, unsigned char out[4]) {
  if (reader.size - reader.at < 4) return "cut inside its size";
  if (!Seek(reader.file, reader.at) || std::fread(out, 1, 4, reader.file) != 4)
    return "unreadable size";
  return nullptr;
}

const char* ReadName(const Reader& reader, std::uint64_t* at, std::string* name) {
  for (;;) {
    if (*at >= reader.size) return "cut inside its name";
    const int c = std::fgetc(reader.file);
    if (c == EOF) return "unreadable name";
    ++*at;
    if (c == 0) return nullptr;
    if (name->size() == kMaxNameBytes) return "name too long";
    name->push_back(char(c));
  }
}

Step BrokenAt(std::uint64_t offset, const char* reason, std::string* why) {
  if (why) *why = "entry at offset " + std::to_string(offset) + ": " + reason;
  return Step::Broken;
}

bool AppendWhole(const std::string& libraryPath, const std::vector<unsigned char>& bytes) {
  std::FILE* file = OpenFile(libraryPath, "ab");
  if (!file) return false;
  // Unbuffered: nothing of a failed write is left to reach the file later.
  std::setvbuf(file, nullptr, _IONBF, 0);
  const bool positioned = ::fseeko(file, 0, SEEK_END) == 0;
  const off_t before = positioned ? ::ftello(file) : -1;
  bool ok = before >= 0 && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fflush(file) == 0 && ok;
  // Cut back whatever part of the entry reached the file.
  if (!ok && before >= 0 && ::ftruncate(::fileno(file), before) != 0) ok = false;
  return std::fclose(file) == 0 && ok;
}

}  // namespace platform::packfile
