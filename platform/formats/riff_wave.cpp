// riff_wave.cpp - the RIFF WAVE reader: a bounded walk over the chunks of
// the RIFF form, then copies of the format and the sample data.
#include "platform/formats/riff_wave.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/os/files.h"

namespace platform {

namespace {

std::uint32_t Le32(const BYTE* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
         std::uint32_t(p[3]) << 24;
}
std::uint16_t Le16(const BYTE* p) { return std::uint16_t(p[0] | p[1] << 8); }

// A chunk's body: where it starts, its claimed size and how much of it is
// really inside the RIFF form.
struct Chunk {
  std::size_t body = 0;
  std::uint32_t claimed = 0;
  std::size_t present = 0;
};

// Finds the first chunk `id` among the RIFF form's chunks [12, end).
bool FindChunk(const BYTE* bytes, std::size_t end, const char* id, Chunk* out) {
  std::uint64_t pos = 12;
  while (pos + 8 <= end) {
    const BYTE* head = bytes + pos;
    const std::uint32_t claimed = Le32(head + 4);
    const std::uint64_t body = pos + 8;
    if (std::memcmp(head, id, 4) == 0) {
      out->body = std::size_t(body);
      out->claimed = claimed;
      out->present = std::size_t(std::min<std::uint64_t>(claimed, end - body));
      return true;
    }
    pos = body + claimed + (claimed & 1);  // odd chunks carry a pad byte
  }
  return false;
}

bool Fail(std::string* reason, const char* why, WaveImage* out) {
  if (reason) *reason = why;
  out->format.clear();
  out->data.clear();
  return false;
}

}  // namespace

bool ParseWave(const BYTE* bytes, std::size_t size, WaveImage* out, std::string* reason) {
  out->format.clear();
  out->data.clear();
  if (!bytes || size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 ||
      std::memcmp(bytes + 8, "WAVE", 4) != 0)
    return Fail(reason, "not a RIFF WAVE file", out);
  const std::size_t end = std::size_t(std::min<std::uint64_t>(8ull + Le32(bytes + 4), size));

  Chunk fmt;
  if (!FindChunk(bytes, end, "fmt ", &fmt)) return Fail(reason, "no \"fmt \" chunk", out);
  if (fmt.claimed < 16 || fmt.present < 16) return Fail(reason, "\"fmt \" chunk too short", out);
  const BYTE* f = bytes + fmt.body;
  std::uint16_t extra = 0;
  if (Le16(f) != 1) {
    if (fmt.present < 18) return Fail(reason, "\"fmt \" chunk too short for its extra size", out);
    extra = Le16(f + 16);
    if (std::size_t(18) + extra > fmt.present)
      return Fail(reason, "\"fmt \" chunk shorter than its extra bytes", out);
  }

  Chunk data;
  if (!FindChunk(bytes, end, "data", &data)) return Fail(reason, "no \"data\" chunk", out);
  if (data.present < data.claimed) return Fail(reason, "\"data\" chunk runs past the file", out);

  out->format.assign(f, f + 16);
  out->format.push_back(BYTE(extra & 0xFF));
  out->format.push_back(BYTE(extra >> 8));
  out->format.insert(out->format.end(), f + 18, f + 18 + extra);
  out->data.assign(bytes + data.body, bytes + data.body + data.claimed);
  return true;
}

bool ReadWaveFile(const std::string& libraryPath, WaveImage* out, std::string* reason) {
  out->format.clear();
  out->data.clear();
  std::vector<unsigned char> bytes;
  if (!ReadWholeFile(libraryPath, bytes, kMaxWaveFileBytes)) {
    if (reason) *reason = "cannot read the file";
    return false;
  }
  return ParseWave(bytes.data(), bytes.size(), out, reason);
}

bool ParseCanonicalWave(const BYTE* bytes, std::size_t size, WaveImage* out) {
  out->format.clear();
  out->data.clear();
  if (!bytes || size < 44) return false;
  const std::uint32_t claimed = Le32(bytes + 40);
  if (claimed > size - 44) return false;
  out->format.assign(bytes + 20, bytes + 36);
  out->format.push_back(0);  // the 16-bit extra count: none
  out->format.push_back(0);
  out->data.assign(bytes + 44, bytes + 44 + claimed);
  return true;
}

}  // namespace platform
