// mix_kernels.h - the inner loops of the mixer: one source format added
// into the 32-bit accumulator of the output, at the output's rate (direct)
// or resampled by linear interpolation. Samples are widened to signed
// 16-bit range first (8-bit: (v - 128) << 8); gains are 1/32768 units.
#pragma once

#include <cstdint>
#include <cstring>

#include "platform/win_types.h"

namespace platform::mix {

template <int Bits>
inline std::int32_t Sample(const BYTE* p) {
  if constexpr (Bits == 8) {
    return (std::int32_t(p[0]) - 128) << 8;
  } else {
    std::int16_t v;
    std::memcpy(&v, p, 2);
    return v;
  }
}

// One frame as left and right (a mono source gives the same to both).
template <int Bits, int SrcCh>
inline void Frame(const BYTE* data, std::uint32_t frame, std::int32_t* l, std::int32_t* r) {
  const BYTE* p = data + std::size_t(frame) * SrcCh * (Bits / 8);
  *l = Sample<Bits>(p);
  *r = SrcCh == 2 ? Sample<Bits>(p + Bits / 8) : *l;
}

// Adds one frame (left, right) scaled by the gains into acc.
template <int OutCh>
inline void Accumulate(std::int32_t* acc, std::int32_t l, std::int32_t r, std::int32_t gl,
                       std::int32_t gr) {
  if constexpr (OutCh == 2) {
    acc[0] += (l * gl) >> 15;
    acc[1] += (r * gr) >> 15;
  } else {
    acc[0] += (l * gl + r * gr) >> 16;
  }
}

// The common case, kept simple so the compiler vectorises it: 16-bit
// stereo into stereo at the output rate. Gains below 1.0 use the 16-bit
// multiply; exactly 1.0 on both sides is a plain add.
inline void DirectStereo16(const BYTE* src, std::size_t frames, std::int32_t* acc,
                           std::int32_t gl, std::int32_t gr) {
  const std::int16_t* s = reinterpret_cast<const std::int16_t*>(src);
  const std::size_t n = frames * 2;
  if (gl == 32768 && gr == 32768) {
    for (std::size_t i = 0; i < n; ++i) acc[i] += s[i];
    return;
  }
  const std::int16_t l16 = std::int16_t(gl > 32767 ? 32767 : gl);
  const std::int16_t r16 = std::int16_t(gr > 32767 ? 32767 : gr);
  for (std::size_t i = 0; i < n; i += 2) {
    acc[i] += (std::int32_t(s[i]) * std::int32_t(l16)) >> 15;
    acc[i + 1] += (std::int32_t(s[i + 1]) * std::int32_t(r16)) >> 15;
  }
}

// `frames` source frames from `first`, one per output frame.
template <int Bits, int SrcCh, int OutCh>
inline void Direct(const BYTE* data, std::uint32_t first, std::size_t frames, std::int32_t* acc,
                   std::int32_t gl, std::int32_t gr) {
  if constexpr (Bits == 16 && SrcCh == 2 && OutCh == 2) {
    DirectStereo16(data + std::size_t(first) * 4, frames, acc, gl, gr);
  } else {
    for (std::size_t k = 0; k < frames; ++k) {
      std::int32_t l, r;
      Frame<Bits, SrcCh>(data, first + std::uint32_t(k), &l, &r);
      Accumulate<OutCh>(acc + k * OutCh, l, r, gl, gr);
    }
  }
}

// `count` output frames interpolated between frame i and i + 1 of the
// source; the caller guarantees i + 1 exists for each of them. `pos` is
// frame << 32 | fraction and moves on by `step` per output frame.
template <int Bits, int SrcCh, int OutCh>
inline void Resampled(const BYTE* data, std::uint64_t* pos, std::uint64_t step, std::size_t count,
                      std::int32_t* acc, std::int32_t gl, std::int32_t gr) {
  std::uint64_t p = *pos;
  for (std::size_t k = 0; k < count; ++k) {
    const std::uint32_t i = std::uint32_t(p >> 32);
    const std::int32_t f = std::int32_t((p >> 17) & 0x7FFF);
    std::int32_t l0, r0, l1, r1;
    Frame<Bits, SrcCh>(data, i, &l0, &r0);
    Frame<Bits, SrcCh>(data, i + 1, &l1, &r1);
    Accumulate<OutCh>(acc + k * OutCh, l0 + (((l1 - l0) * f) >> 15), r0 + (((r1 - r0) * f) >> 15),
                      gl, gr);
    p += step;
  }
  *pos = p;
}

// One output frame between frame i and an explicit next frame (the first
// frame again at a loop's wrap, the same frame at a one-shot's end).
template <int Bits, int SrcCh, int OutCh>
inline void ResampledOne(const BYTE* data, std::uint32_t i, std::uint32_t next, std::uint64_t pos,
                         std::int32_t* acc, std::int32_t gl, std::int32_t gr) {
  const std::int32_t f = std::int32_t((pos >> 17) & 0x7FFF);
  std::int32_t l0, r0, l1, r1;
  Frame<Bits, SrcCh>(data, i, &l0, &r0);
  Frame<Bits, SrcCh>(data, next, &l1, &r1);
  Accumulate<OutCh>(acc, l0 + (((l1 - l0) * f) >> 15), r0 + (((r1 - r0) * f) >> 15), gl, gr);
}

}  // namespace platform::mix
