// blit_fast.cpp - the fast pixel loops and the switch between them and the
// reference loops.
//
// The keyed copies are branch-free selects (dest = source == key ? dest :
// source) that GCC vectorises at -O3; with GCC each row loop is also built
// for AVX2 and picked at load time. Plain copies are memcpy per row; fills
// store whole pixels. 24-bit pixels take the reference loops but for plain
// copies.
#include <cstdlib>
#include <cstring>

#include "platform/blit.h"

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define RU_ROW_LOOP [[gnu::target_clones("avx2", "default")]]
#else
#define RU_ROW_LOOP
#endif

namespace platform::blit {

namespace {

// -1 until first asked: then 1 (fast) or 0 (RU_DISABLE_FAST_PATHS=1).
int fastPaths = -1;

RU_ROW_LOOP void KeyRow16(std::uint16_t* __restrict d, const std::uint16_t* __restrict s, int n,
                          std::uint16_t key) {
  for (int i = 0; i < n; ++i) {
    const std::uint16_t v = s[i];
    d[i] = v == key ? d[i] : v;
  }
}

RU_ROW_LOOP void KeyRow32(std::uint32_t* __restrict d, const std::uint32_t* __restrict s, int n,
                          std::uint32_t key) {
  for (int i = 0; i < n; ++i) {
    const std::uint32_t v = s[i];
    d[i] = v == key ? d[i] : v;
  }
}

RU_ROW_LOOP void FillRow16(std::uint16_t* __restrict d, int n, std::uint16_t value) {
  for (int i = 0; i < n; ++i) d[i] = value;
}

RU_ROW_LOOP void FillRow32(std::uint32_t* __restrict d, int n, std::uint32_t value) {
  for (int i = 0; i < n; ++i) d[i] = value;
}

template <class T>
T* RowOf(const Pixels& p, int x, int y) {
  return reinterpret_cast<T*>(p.At(x, y));
}

// One destination row of a scaled copy: column i reads source column
// (i0 + i) * sw / dw, stepped without division.
template <class T>
void StretchRow(T* __restrict d, const T* __restrict s, const StretchJob& job) {
  const std::int64_t start = std::int64_t(job.i0) * job.sw;
  int sx = int(start / job.dw);
  std::int64_t rem = start % job.dw;
  for (int i = 0; i < job.w; ++i) {
    const T v = s[sx];
    if (!job.keyed || v != T(job.key)) d[i] = v;
    rem += job.sw;
    while (rem >= job.dw) {
      rem -= job.dw;
      ++sx;
    }
  }
}

template <class T>
void StretchFast(const Pixels& dest, const Pixels& source, const StretchJob& job) {
  for (int j = 0; j < job.h; ++j) {
    const int sy = job.sy0 + int(std::int64_t(job.j0 + j) * job.sh / job.dh);
    StretchRow<T>(RowOf<T>(dest, job.dx0, job.dy0 + j), RowOf<const T>(source, job.sx0, sy),
                  job);
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

void Copy(const Pixels& dest, int dx, int dy, const Pixels& source, int sx, int sy, int w,
          int h) {
  if (!FastPathsEnabled()) return reference::Copy(dest, dx, dy, source, sx, sy, w, h);
  const size_t bytes = size_t(w) * dest.bytesPerPixel;
  for (int j = 0; j < h; ++j) std::memcpy(dest.At(dx, dy + j), source.At(sx, sy + j), bytes);
}

void CopyKeyed(const Pixels& dest, int dx, int dy, const Pixels& source, int sx, int sy, int w,
               int h, DWORD key) {
  if (!FastPathsEnabled() || dest.bytesPerPixel == 3)
    return reference::CopyKeyed(dest, dx, dy, source, sx, sy, w, h, key);
  if (dest.bytesPerPixel == 2) {
    for (int j = 0; j < h; ++j)
      KeyRow16(RowOf<std::uint16_t>(dest, dx, dy + j), RowOf<const std::uint16_t>(source, sx, sy + j),
               w, std::uint16_t(key));
  } else {
    for (int j = 0; j < h; ++j)
      KeyRow32(RowOf<std::uint32_t>(dest, dx, dy + j), RowOf<const std::uint32_t>(source, sx, sy + j),
               w, key);
  }
}

void Fill(const Pixels& dest, int x, int y, int w, int h, DWORD value) {
  if (!FastPathsEnabled() || dest.bytesPerPixel == 3)
    return reference::Fill(dest, x, y, w, h, value);
  for (int j = 0; j < h; ++j) {
    if (dest.bytesPerPixel == 2)
      FillRow16(RowOf<std::uint16_t>(dest, x, y + j), w, std::uint16_t(value));
    else
      FillRow32(RowOf<std::uint32_t>(dest, x, y + j), w, value);
  }
}

void Stretch(const Pixels& dest, const Pixels& source, const StretchJob& job) {
  if (!FastPathsEnabled() || dest.bytesPerPixel == 3)
    return reference::Stretch(dest, source, job);
  if (dest.bytesPerPixel == 2)
    StretchFast<std::uint16_t>(dest, source, job);
  else
    StretchFast<std::uint32_t>(dest, source, job);
}

}  // namespace platform::blit
