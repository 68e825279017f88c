// blit_fast.cpp - the fast pixel loops and the switch between them and the
// reference loops.
//
// The keyed copies are branch-free selects (dest = source == key ? dest :
// source). On x86-64 the widest instructions the processor has are chosen
// once: AVX-512 writes the non-key pixels with masked stores (masked loads
// and stores also cover the row's end); AVX2 and SSE2 place a row's last
// vector to end exactly at the row's end, overlapping the one before, which
// is harmless because the select is idempotent. Elsewhere the same select
// loop is left to the compiler's vectoriser. Plain copies are memcpy per
// row; fills store whole pixels, with GCC built for AVX2 too and picked at
// load time. Scaled copies step through source columns and rows without
// division and copy a destination row that repeats the row above. 24-bit
// pixels take the reference loops but for plain copies.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "platform/surface/blit.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define RU_ROW_LOOP [[gnu::target_clones("avx2", "default")]]
#else
#define RU_ROW_LOOP
#endif

namespace platform::blit {

namespace {

// -1 until first asked: then 1 (fast) or 0 (RU_DISABLE_FAST_PATHS=1).
int fastPaths = -1;
// The widest vector instructions the fast loops may use (tests lower it).
[[maybe_unused]] VectorLevel levelCap = VectorLevel::Avx512;

// Keyed copy of a w x h block, portable: the compiler vectorises the select.
template <class T>
inline void KeyBlock(BYTE* dest, LONG destPitch, const BYTE* source, LONG sourcePitch, int w,
                     int h, T key) {
  for (int j = 0; j < h; ++j) {
    T* __restrict d = reinterpret_cast<T*>(dest + std::intptr_t(j) * destPitch);
    const T* __restrict s = reinterpret_cast<const T*>(source + std::intptr_t(j) * sourcePitch);
    for (int i = 0; i < w; ++i) {
      const T v = s[i];
      d[i] = v == key ? d[i] : v;
    }
  }
}

#if defined(__x86_64__)

// One 16-byte select at byte offset `at`: dest = source unless source == key.
template <int kBits>
inline void Select128(BYTE* d, const BYTE* s, int at, __m128i key) {
  const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + at));
  const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + at));
  const __m128i same = kBits == 16 ? _mm_cmpeq_epi16(sv, key) : _mm_cmpeq_epi32(sv, key);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(d + at),
                   _mm_or_si128(_mm_and_si128(same, dv), _mm_andnot_si128(same, sv)));
}

// SSE2 rows of at least 16 bytes.
template <int kBits>
void KeyBlockSse2(BYTE* dest, LONG destPitch, const BYTE* source, LONG sourcePitch, int w, int h,
                  DWORD key) {
  const __m128i k = kBits == 16 ? _mm_set1_epi16(short(key)) : _mm_set1_epi32(int(key));
  const int bytes = w * (kBits / 8), last = bytes - 16;
  for (int j = 0; j < h; ++j) {
    BYTE* d = dest + std::intptr_t(j) * destPitch;
    const BYTE* s = source + std::intptr_t(j) * sourcePitch;
    for (int at = 0; at < last; at += 16) Select128<kBits>(d, s, at, k);
    Select128<kBits>(d, s, last, k);
  }
}

template <int kBits>
[[gnu::target("avx2")]] inline void Select256(BYTE* d, const BYTE* s, int at, __m256i key) {
  const __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + at));
  const __m256i dv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + at));
  const __m256i same = kBits == 16 ? _mm256_cmpeq_epi16(sv, key) : _mm256_cmpeq_epi32(sv, key);
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + at), _mm256_blendv_epi8(sv, dv, same));
}

// AVX2 rows of at least 32 bytes.
template <int kBits>
[[gnu::target("avx2")]] void KeyBlockAvx2(BYTE* dest, LONG destPitch, const BYTE* source,
                                          LONG sourcePitch, int w, int h, DWORD key) {
  const __m256i k = kBits == 16 ? _mm256_set1_epi16(short(key)) : _mm256_set1_epi32(int(key));
  const int bytes = w * (kBits / 8), last = bytes - 32;
  for (int j = 0; j < h; ++j) {
    BYTE* d = dest + std::intptr_t(j) * destPitch;
    const BYTE* s = source + std::intptr_t(j) * sourcePitch;
    for (int at = 0; at < last; at += 32) Select256<kBits>(d, s, at, k);
    Select256<kBits>(d, s, last, k);
  }
}

// AVX-512: a masked store writes exactly the pixels that are not the key,
// and a masked load and store cover the end of the row.
[[gnu::target("avx512f,avx512bw")]] void KeyBlockAvx512x16(BYTE* dest, LONG destPitch,
                                                          const BYTE* source, LONG sourcePitch,
                                                          int w, int h, DWORD key) {
  const __m512i k = _mm512_set1_epi16(short(key));
  const int full = w & ~31;
  const __mmask32 tail = __mmask32((std::uint64_t(1) << (w - full)) - 1);
  for (int j = 0; j < h; ++j) {
    auto* d = reinterpret_cast<std::uint16_t*>(dest + std::intptr_t(j) * destPitch);
    const auto* s = reinterpret_cast<const std::uint16_t*>(source + std::intptr_t(j) * sourcePitch);
    for (int i = 0; i < full; i += 32) {
      const __m512i sv = _mm512_loadu_si512(s + i);
      _mm512_mask_storeu_epi16(d + i, _mm512_cmpneq_epi16_mask(sv, k), sv);
    }
    if (tail) {
      const __m512i sv = _mm512_maskz_loadu_epi16(tail, s + full);
      _mm512_mask_storeu_epi16(d + full, _mm512_mask_cmpneq_epi16_mask(tail, sv, k), sv);
    }
  }
}

[[gnu::target("avx512f,avx512bw")]] void KeyBlockAvx512x32(BYTE* dest, LONG destPitch,
                                                          const BYTE* source, LONG sourcePitch,
                                                          int w, int h, DWORD key) {
  const __m512i k = _mm512_set1_epi32(int(key));
  const int full = w & ~15;
  const __mmask16 tail = __mmask16((1u << (w - full)) - 1);
  for (int j = 0; j < h; ++j) {
    auto* d = reinterpret_cast<std::uint32_t*>(dest + std::intptr_t(j) * destPitch);
    const auto* s = reinterpret_cast<const std::uint32_t*>(source + std::intptr_t(j) * sourcePitch);
    for (int i = 0; i < full; i += 16) {
      const __m512i sv = _mm512_loadu_si512(s + i);
      _mm512_mask_storeu_epi32(d + i, _mm512_cmpneq_epi32_mask(sv, k), sv);
    }
    if (tail) {
      const __m512i sv = _mm512_maskz_loadu_epi32(tail, s + full);
      _mm512_mask_storeu_epi32(d + full, _mm512_mask_cmpneq_epi32_mask(tail, sv, k), sv);
    }
  }
}

// The widest vectors this processor has, capped by LimitVectorLevel.
VectorLevel Level() {
  static const VectorLevel best = __builtin_cpu_supports("avx512bw") ? VectorLevel::Avx512
                                  : __builtin_cpu_supports("avx2")   ? VectorLevel::Avx2
                                                                     : VectorLevel::Sse2;
  return std::min(best, levelCap);
}

template <int kBits>
void KeyBlockVector(BYTE* dest, LONG destPitch, const BYTE* source, LONG sourcePitch, int w,
                    int h, DWORD key) {
  using T = std::conditional_t<kBits == 16, std::uint16_t, std::uint32_t>;
  const int bytes = w * (kBits / 8);
  const VectorLevel level = Level();
  if (level >= VectorLevel::Avx512)
    (kBits == 16 ? KeyBlockAvx512x16 : KeyBlockAvx512x32)(dest, destPitch, source, sourcePitch, w,
                                                          h, key);
  else if (bytes >= 32 && level >= VectorLevel::Avx2)
    KeyBlockAvx2<kBits>(dest, destPitch, source, sourcePitch, w, h, key);
  else if (bytes >= 16 && level >= VectorLevel::Sse2)
    KeyBlockSse2<kBits>(dest, destPitch, source, sourcePitch, w, h, key);
  else
    KeyBlock<T>(dest, destPitch, source, sourcePitch, w, h, T(key));
}

void KeyBlock16(BYTE* dest, LONG destPitch, const BYTE* source, LONG sourcePitch, int w, int h,
                std::uint16_t key) {
  KeyBlockVector<16>(dest, destPitch, source, sourcePitch, w, h, key);
}

void KeyBlock32(BYTE* dest, LONG destPitch, const BYTE* source, LONG sourcePitch, int w, int h,
                std::uint32_t key) {
  KeyBlockVector<32>(dest, destPitch, source, sourcePitch, w, h, key);
}

#else

void KeyBlock16(BYTE* dest, LONG destPitch, const BYTE* source, LONG sourcePitch, int w, int h,
                std::uint16_t key) {
  KeyBlock<std::uint16_t>(dest, destPitch, source, sourcePitch, w, h, key);
}

void KeyBlock32(BYTE* dest, LONG destPitch, const BYTE* source, LONG sourcePitch, int w, int h,
                std::uint32_t key) {
  KeyBlock<std::uint32_t>(dest, destPitch, source, sourcePitch, w, h, key);
}

#endif

RU_ROW_LOOP void FillRow16(std::uint16_t* __restrict d, int n, std::uint16_t value) {
  for (int i = 0; i < n; ++i) d[i] = value;
}

RU_ROW_LOOP void FillRow32(std::uint32_t* __restrict d, int n, std::uint32_t value) {
  for (int i = 0; i < n; ++i) d[i] = value;
}

template <class T>
T* RowOf(const pixel::Rows& p, int x, int y) {
  return reinterpret_cast<T*>(p.At(x, y));
}

// floor((first + k) * num / den) for k = 0, 1, 2, ... stepped without
// division: the source column (or row) of each destination one.
class ScaleStep {
 public:
  ScaleStep(int first, int num, int den)
      : whole_(num / den), part_(num % den), den_(den) {
    const std::int64_t start = std::int64_t(first) * num;
    at_ = start / den;
    rem_ = start % den;
  }
  std::int64_t operator*() const { return at_; }
  void Next() {
    at_ += whole_;
    rem_ += part_;
    if (rem_ >= den_) {
      rem_ -= den_;
      ++at_;
    }
  }

 private:
  std::int64_t at_, rem_;
  const std::int64_t whole_, part_, den_;
};

// One destination row of a scaled copy.
template <class T>
void StretchRow(T* __restrict d, const T* __restrict s, const StretchJob& job) {
  ScaleStep sx(job.i0, job.sw, job.dw);
  if (job.keyed) {
    const T key = T(job.key);
    for (int i = 0; i < job.w; ++i, sx.Next()) {
      const T v = s[*sx];
      if (v != key) d[i] = v;
    }
  } else {
    for (int i = 0; i < job.w; ++i, sx.Next()) d[i] = s[*sx];
  }
}

// Rows that read the same source row as the row above are copies of it when
// nothing is keyed and the source is other rows than the destination.
template <class T>
void StretchFast(const pixel::Rows& dest, const pixel::Rows& source, const StretchJob& job) {
  const bool repeatRows = !job.keyed && dest.bits != source.bits;
  const size_t rowBytes = size_t(job.w) * sizeof(T);
  ScaleStep sy(job.j0, job.sh, job.dh);
  std::int64_t previous = -1;
  for (int j = 0; j < job.h; ++j, sy.Next()) {
    T* d = reinterpret_cast<T*>(dest.At(job.dx0, job.dy0 + j));
    if (repeatRows && *sy == previous) {
      std::memcpy(d, dest.At(job.dx0, job.dy0 + j - 1), rowBytes);
      continue;
    }
    previous = *sy;
    StretchRow<T>(d, reinterpret_cast<const T*>(source.At(job.sx0, job.sy0 + int(*sy))), job);
  }
}

}  // namespace

bool FastPathsEnabled() {
  if (fastPaths < 0) {
    const char* off = std::getenv("RU_DISABLE_FAST_PATHS");
    fastPaths = (off && off[0] == '1') ? 0 : 1;
  }
  return fastPaths == 1;
}

void SetFastPathsEnabled(bool enabled) { fastPaths = enabled ? 1 : 0; }

void LimitVectorLevel(VectorLevel level) { levelCap = level; }

void Copy(const pixel::Rows& dest, int dx, int dy, const pixel::Rows& source, int sx, int sy,
          int w, int h) {
  if (!FastPathsEnabled()) return reference::Copy(dest, dx, dy, source, sx, sy, w, h);
  const size_t bytes = size_t(w) * dest.bytesPerPixel;
  for (int j = 0; j < h; ++j) std::memcpy(dest.At(dx, dy + j), source.At(sx, sy + j), bytes);
}

void CopyKeyed(const pixel::Rows& dest, int dx, int dy, const pixel::Rows& source, int sx,
               int sy, int w, int h, DWORD key) {
  if (!FastPathsEnabled() || dest.bytesPerPixel == 3)
    return reference::CopyKeyed(dest, dx, dy, source, sx, sy, w, h, key);
  if (dest.bytesPerPixel == 2)
    KeyBlock16(dest.At(dx, dy), dest.pitch, source.At(sx, sy), source.pitch, w, h,
               std::uint16_t(key));
  else
    KeyBlock32(dest.At(dx, dy), dest.pitch, source.At(sx, sy), source.pitch, w, h, key);
}

void Fill(const pixel::Rows& dest, int x, int y, int w, int h, DWORD value) {
  if (!FastPathsEnabled() || dest.bytesPerPixel == 3)
    return reference::Fill(dest, x, y, w, h, value);
  for (int j = 0; j < h; ++j) {
    if (dest.bytesPerPixel == 2)
      FillRow16(RowOf<std::uint16_t>(dest, x, y + j), w, std::uint16_t(value));
    else
      FillRow32(RowOf<std::uint32_t>(dest, x, y + j), w, value);
  }
}

void Stretch(const pixel::Rows& dest, const pixel::Rows& source, const StretchJob& job) {
  // Converting copies (GDI between formats, as bitmaps load), copies within
  // one set of rows and 24-bit pixels take the reference loop.
  if (!FastPathsEnabled() || job.convert || dest.bits == source.bits || dest.bytesPerPixel == 3)
    return reference::Stretch(dest, source, job);
  if (dest.bytesPerPixel == 2)
    StretchFast<std::uint16_t>(dest, source, job);
  else
    StretchFast<std::uint32_t>(dest, source, job);
}

}  // namespace platform::blit
