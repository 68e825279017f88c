// draw_pack.h - the draw pack file: a headerless run of entries, each
// width (2 bytes), height (2 bytes), a zero-terminated upper-case name and
// width x height 15-bit pixels (0RRRRRGGGGGBBBBB, little-endian), rows top
// to bottom. Shared by the library's loaders and the rupack tool.
//
// The file is hostile: every read is bounded by the file's size, names are
// at most kMaxNameBytes, sizes stay within the bitmap limits, and a pixel
// block that would run past the end of the file makes the entry broken.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/formats/pack_file.h"
#include "platform/win_types.h"

namespace platform::drawpack {

// Longest name before its terminating zero.
using packfile::kMaxNameBytes;

struct Entry {
  int width = 0, height = 0;
  std::string name;             // as stored (upper case by convention)
  std::uint64_t offset = 0;     // where the entry starts
  std::uint64_t pixels = 0;     // where its pixel block starts
  std::uint64_t PixelBytes() const { return std::uint64_t(width) * height * 2; }
};

using packfile::Step;

// A pack opened for reading: the file and its size.
using packfile::Reader;
// Starts reading `file` from its first entry (measures its size).
using packfile::OpenReader;

// The next entry's header: Entry (the reader moves past its pixels), End at
// the end of the file, or Broken with a reason naming the entry's offset.
Step NextEntry(Reader* reader, Entry* entry, std::string* why);
// The first entry whose name equals `upperName`; End if none. A broken
// entry before it ends the search as Broken.
Step FindEntry(Reader* reader, const std::string& upperName, Entry* entry, std::string* why);
// An entry's pixels (width x height values, row by row); false if the file
// cannot give them all.
bool ReadPixels(const Reader& reader, const Entry& entry, std::vector<std::uint16_t>* out);

// The stored value of a colour: 5 bits per channel, and 0 for pure black
// only (any other colour whose channels all narrow to 0 becomes 0x0001).
std::uint16_t EncodePixel(COLORREF color);
// Upper case of ASCII letters, double-byte characters left whole.
std::string UpperName(const std::string& name);
// The part of a library path after its last '\' (double-byte aware).
std::string BaseName(const std::string& libraryPath);

// Appends one whole entry to the pack at `libraryPath` (created if
// missing). If the write fails the file is cut back to its old size, so a
// pack never ends with half an entry. False on any failure or bad entry.
bool AppendEntry(const std::string& libraryPath, int width, int height,
                 const std::string& name, const std::vector<std::uint16_t>& pixels);

}  // namespace platform::drawpack
