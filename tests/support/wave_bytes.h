// wave_bytes.h - WAVE images for sound tests: tones as PCM bytes and RIFF
// files built chunk by chunk, so hostile variants are easy to make.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace wavetest {

inline void Put16(std::vector<unsigned char>& v, unsigned x) {
  v.push_back(x & 0xFF);
  v.push_back((x >> 8) & 0xFF);
}
inline void Put32(std::vector<unsigned char>& v, std::uint32_t x) {
  Put16(v, x & 0xFFFF);
  Put16(v, x >> 16);
}

// 16-bit mono sine of `hz` for `frames` frames at `rate`, peak `amplitude`.
inline std::vector<unsigned char> Sine16(double hz, int frames, int rate, int amplitude) {
  std::vector<unsigned char> v;
  for (int k = 0; k < frames; ++k)
    Put16(v, unsigned(std::int16_t(std::lround(amplitude * std::sin(2 * M_PI * hz * k / rate)))));
  return v;
}

// The 16 bytes of a "fmt " body.
inline std::vector<unsigned char> Fmt(unsigned tag, unsigned channels, std::uint32_t rate,
                                      unsigned bits) {
  std::vector<unsigned char> v;
  const unsigned block = channels * (bits / 8);
  Put16(v, tag);
  Put16(v, channels);
  Put32(v, rate);
  Put32(v, rate * block);
  Put16(v, block);
  Put16(v, bits);
  return v;
}

inline void Chunk(std::vector<unsigned char>& out, const char* id,
                  const std::vector<unsigned char>& body, std::uint32_t claimed = 0xFFFFFFFF) {
  out.insert(out.end(), id, id + 4);
  Put32(out, claimed == 0xFFFFFFFF ? std::uint32_t(body.size()) : claimed);
  out.insert(out.end(), body.begin(), body.end());
  if (body.size() & 1) out.push_back(0);
}

// RIFF "WAVE" around the given chunks (already framed).
inline std::vector<unsigned char> Riff(const std::vector<unsigned char>& chunks,
                                       const char* form = "WAVE") {
  std::vector<unsigned char> v = {'R', 'I', 'F', 'F'};
  Put32(v, std::uint32_t(chunks.size() + 4));
  v.insert(v.end(), form, form + 4);
  v.insert(v.end(), chunks.begin(), chunks.end());
  return v;
}

// The canonical 44-byte-header file of PCM data.
inline std::vector<unsigned char> Wave(unsigned channels, std::uint32_t rate, unsigned bits,
                                       const std::vector<unsigned char>& data) {
  std::vector<unsigned char> chunks;
  Chunk(chunks, "fmt ", Fmt(1, channels, rate, bits));
  Chunk(chunks, "data", data);
  return Riff(chunks);
}

}  // namespace wavetest
