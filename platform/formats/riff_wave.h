// riff_wave.h - RIFF WAVE files read as hostile input: every chunk is
// bounded by what is really there, pad bytes of odd chunks are skipped, a
// "data" chunk longer than the file is refused, nothing is allocated for a
// size that is only claimed.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/win_types.h"

namespace platform {

// A sound as read: the format block (18 bytes: the 16 of "fmt ", then the
// 16-bit count of extra bytes, then those extra bytes of a non-PCM format)
// and the raw sample data.
struct WaveImage {
  std::vector<BYTE> format;
  std::vector<BYTE> data;
};

// Largest WAVE file read (also the largest sound buffer).
constexpr std::size_t kMaxWaveFileBytes = 0x0FFFFFFF;

// Reads the RIFF form "WAVE" in `bytes`: its "fmt " chunk (at least 16
// bytes) and its first "data" chunk. False, with a short reason, when the
// image is not such a file; `out` is then left empty.
bool ParseWave(const BYTE* bytes, std::size_t size, WaveImage* out, std::string* reason);
// Reads and parses a file by library path (at most kMaxWaveFileBytes).
bool ReadWaveFile(const std::string& libraryPath, WaveImage* out, std::string* reason);
// The canonical layout a WAVE resource is used in without walking its
// chunks: the format at byte 20 (16 bytes taken), the data size at byte 40,
// the samples from byte 44. False when the image is shorter than its header
// or than the data it claims.
bool ParseCanonicalWave(const BYTE* bytes, std::size_t size, WaveImage* out);

}  // namespace platform
