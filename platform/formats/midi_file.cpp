// midi_file.cpp - the structural check of a standard MIDI file.
#include "platform/formats/midi_file.h"

#include <cstdint>
#include <cstring>

namespace platform {

namespace {

std::uint32_t Be32(const unsigned char* p) {
  return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}
unsigned Be16(const unsigned char* p) { return unsigned(p[0]) << 8 | p[1]; }

bool Refuse(const char* reason, std::string* why) {
  if (why) *why = reason;
  return false;
}

}  // namespace

bool CheckMidiFile(const unsigned char* bytes, std::size_t size, std::string* why) {
  if (!bytes || size < 14 || std::memcmp(bytes, "MThd", 4) != 0)
    return Refuse("not a MIDI file", why);
  if (size > kMaxMidiFileBytes) return Refuse("file too large", why);
  const std::uint32_t headerBytes = Be32(bytes + 4);
  if (headerBytes < 6 || headerBytes > size - 8) return Refuse("bad header length", why);
  const unsigned format = Be16(bytes + 8), tracks = Be16(bytes + 10), division = Be16(bytes + 12);
  if (format > 1) return Refuse("not format 0 or 1", why);
  if (tracks == 0 || (format == 0 && tracks != 1)) return Refuse("bad track count", why);
  if (division == 0) return Refuse("no time division", why);
  std::size_t at = 8 + headerBytes;
  unsigned found = 0;
  while (found < tracks) {
    if (size - at < 8) return Refuse("truncated: tracks missing", why);
    const std::uint32_t length = Be32(bytes + at + 4);
    if (length > size - at - 8) return Refuse("track length beyond the file", why);
    if (std::memcmp(bytes + at, "MTrk", 4) == 0) {
      // A track holds at least a delta time and the end-of-track event.
      if (length < 4) return Refuse("track too short", why);
      ++found;
    }
    at += 8 + length;
  }
  return true;
}

}  // namespace platform
