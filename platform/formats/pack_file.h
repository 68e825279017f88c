// pack_file.h - what the draw and sound pack files share: a reader bounded
// by the file's size, the zero-terminated entry name, the "entry at offset
// N: reason" message, and appending an entry whole or not at all.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace platform::packfile {

// Longest name before its terminating zero.
constexpr size_t kMaxNameBytes = 127;

enum class Step { Entry, End, Broken };

// A pack opened for reading: the file and its size.
struct Reader {
  std::FILE* file = nullptr;
  std::uint64_t size = 0;
  std::uint64_t at = 0;  // start of the next entry
};

// Starts reading `file` from its first entry (measures its size).
Reader OpenReader(std::FILE* file);
bool Seek(std::FILE* file, std::uint64_t offset);

// Reads the 4 bytes at the reader's next entry; nullptr when read, else
// the reason the entry is broken.
const char* ReadEntryStart(const Reader& reader, unsigned char out[4]);
// Reads a zero-terminated name from the current file position, which is
// `*at`, never past the file's end nor longer than kMaxNameBytes; moves
// `*at` past the zero. nullptr when read, else the reason.
const char* ReadName(const Reader& reader, std::uint64_t* at, std::string* name);
// Step::Broken, with "entry at offset N: reason" in `why` (if given).
Step BrokenAt(std::uint64_t offset, const char* reason, std::string* why);

// Walks entries with `next` (a format's NextEntry) to the first named
// `upperName`; End if none, Broken at a broken entry before it.
template <typename Entry>
Step FindNamed(Reader* reader, const std::string& upperName, Entry* entry, std::string* why,
               Step (*next)(Reader*, Entry*, std::string*)) {
  for (;;) {
    const Step step = next(reader, entry, why);
    if (step != Step::Entry || entry->name == upperName) return step;
  }
}

// Appends `bytes` to the file at `libraryPath` (created if missing); if the
// write fails the file is cut back to its old size. False on any failure.
bool AppendWhole(const std::string& libraryPath, const std::vector<unsigned char>& bytes);

}  // namespace platform::packfile
