// sound_pack.h - the sound pack file: a headerless run of entries, each
// Size (4 bytes), a zero-terminated upper-case name, HeadSize (4 bytes),
// the format block (HeadSize bytes) and the sample data (Size bytes); all
// numbers little-endian. Shared by the library's loaders and rupack.
//
// The file is hostile: HeadSize and Size are bounded by what is left of the
// file, names are at most kMaxNameBytes, and nothing is allocated for a size
// that is only claimed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/formats/pack_file.h"

namespace platform::soundpack {

// Longest name before its terminating zero.
using packfile::kMaxNameBytes;
// Bytes of a WAVEFORMATEX without extra bytes.
constexpr std::uint32_t kFormatBytes = 18;

struct Entry {
  std::uint32_t size = 0;      // sample data bytes
  std::uint32_t headSize = 0;  // format block bytes
  std::string name;            // as stored
  std::uint64_t offset = 0;    // where the entry starts
  std::uint64_t format = 0;    // where its format block starts
  std::uint64_t data = 0;      // where its sample data starts
};

using packfile::Step;

using packfile::Reader;
// Starts reading `file` from its first entry (measures its size).
using packfile::OpenReader;

// The next entry's header: Entry (the reader moves past its data), End at
// the end of the file, or Broken with a reason naming the entry's offset.
Step NextEntry(Reader* reader, Entry* entry, std::string* why);
// The first entry whose name equals `upperName`; End if none. A broken
// entry before it ends the search as Broken.
Step FindEntry(Reader* reader, const std::string& upperName, Entry* entry, std::string* why);
// Reads `bytes` from `offset`; false when the file cannot give them all.
bool ReadAt(const Reader& reader, std::uint64_t offset, std::uint32_t bytes,
            std::vector<unsigned char>* out);

// One entry's bytes: Size, name with its zero, HeadSize, format, data.
std::vector<unsigned char> EncodeEntry(const std::string& name,
                                       const std::vector<unsigned char>& format,
                                       const std::vector<unsigned char>& data);
// Appends one whole entry to the pack at `libraryPath` (created if
// missing); a failed write is cut back, so a pack never ends with half an
// entry. False on any failure or a name that cannot be stored.
bool AppendEntry(const std::string& libraryPath, const std::string& name,
                 const std::vector<unsigned char>& format, const std::vector<unsigned char>& data);

}  // namespace platform::soundpack
