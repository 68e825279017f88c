// draw_pack.cpp - reading draw pack entries with every size checked against
// the file and the bitmap limits, the 15-bit pixel encoding, and appending
// an entry whole or not at all.
#include "platform/formats/draw_pack.h"

#include "platform/gdi/bitmap.h"
#include "platform/os/encoding.h"

namespace platform::drawpack {

namespace {

using packfile::Seek;

Step Broken(const Entry& entry, const char* reason, std::string* why) {
  return packfile::BrokenAt(entry.offset, reason, why);
}

}  // namespace

Step NextEntry(Reader* reader, Entry* entry, std::string* why) {
  *entry = Entry{};
  entry->offset = reader->at;
  if (!reader->file || reader->at >= reader->size) return Step::End;
  unsigned char size[4];
  if (const char* reason = packfile::ReadEntryStart(*reader, size))
    return Broken(*entry, reason, why);
  entry->width = size[0] | size[1] << 8;
  entry->height = size[2] | size[3] << 8;

  std::uint64_t at = reader->at + 4;
  if (const char* reason = packfile::ReadName(*reader, &at, &entry->name))
    return Broken(*entry, reason, why);
  if (entry->width > kMaxBitmapSide || entry->height > kMaxBitmapSide ||
      std::int64_t(entry->width) * entry->height > kMaxBitmapPixels)
    return Broken(*entry, "picture too large", why);
  entry->pixels = at;
  if (reader->size - at < entry->PixelBytes()) return Broken(*entry, "cut inside its pixels", why);
  reader->at = at + entry->PixelBytes();
  return Step::Entry;
}

Step FindEntry(Reader* reader, const std::string& upperName, Entry* entry, std::string* why) {
  return packfile::FindNamed(reader, upperName, entry, why, &NextEntry);
}

bool ReadPixels(const Reader& reader, const Entry& entry, std::vector<std::uint16_t>* out) {
  const std::uint64_t bytes = entry.PixelBytes();
  if (entry.pixels > reader.size || reader.size - entry.pixels < bytes) return false;
  std::vector<unsigned char> raw(bytes);
  if (!Seek(reader.file, entry.pixels) ||
      (bytes && std::fread(raw.data(), 1, bytes, reader.file) != bytes))
    return false;
  out->resize(bytes / 2);
  for (size_t i = 0; i < out->size(); ++i)
    (*out)[i] = std::uint16_t(raw[2 * i] | raw[2 * i + 1] << 8);
  return true;
}

std::uint16_t EncodePixel(COLORREF color) {
  const unsigned red5 = (color & 0xFF) >> 3;
  const unsigned green5 = ((color >> 8) & 0xFF) >> 3;
  unsigned blue5 = ((color >> 16) & 0xFF) >> 3;
  // 0 is kept for pure black (the usual colour key): a near-black colour
  // stays visible as the darkest blue.
  if (color != 0 && red5 == 0 && green5 == 0 && blue5 == 0) blue5 = 1;
  return std::uint16_t(red5 << 10 | green5 << 5 | blue5);
}

std::string UpperName(const std::string& name) {
  std::string upper = name;
  for (size_t i = 0; i < upper.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(upper[i]);
    if (IsLeadByte(c)) {
      ++i;  // the trail byte may look like a letter
      continue;
    }
    if (c >= 'a' && c <= 'z') upper[i] = char(c - 'a' + 'A');
  }
  return upper;
}

std::string BaseName(const std::string& libraryPath) {
  size_t start = 0;
  for (size_t i = 0; i < libraryPath.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(libraryPath[i]))) {
      ++i;
      continue;
    }
    if (libraryPath[i] == '\\') start = i + 1;
  }
  return libraryPath.substr(start);
}

bool AppendEntry(const std::string& libraryPath, int width, int height,
                 const std::string& name, const std::vector<std::uint16_t>& pixels) {
  if (width < 0 || height < 0 || width > 0xFFFF || height > 0xFFFF ||
      name.size() > kMaxNameBytes || name.find('\0') != std::string::npos ||
      pixels.size() != size_t(width) * size_t(height))
    return false;
  std::vector<unsigned char> bytes;
  bytes.reserve(4 + name.size() + 1 + pixels.size() * 2);
  for (int v : {width, height}) {
    bytes.push_back(static_cast<unsigned char>(v));
    bytes.push_back(static_cast<unsigned char>(v >> 8));
  }
  bytes.insert(bytes.end(), name.begin(), name.end());
  bytes.push_back(0);
  for (std::uint16_t p : pixels) {
    bytes.push_back(static_cast<unsigned char>(p));
    bytes.push_back(static_cast<unsigned char>(p >> 8));
  }

  return packfile::AppendWhole(libraryPath, bytes);
}

}  // namespace platform::drawpack
