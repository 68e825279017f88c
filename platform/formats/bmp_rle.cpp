// bmp_rle.cpp - RLE8 and RLE4 streams: one walk both checks a stream and
// decodes it, so the decoder writes exactly what the check allowed, and
// every write is bounded by the bitmap's own rows.
#include "platform/formats/bmp_rle.h"

#include <algorithm>

#include "platform/gdi/bitmap.h"

namespace platform::bmp {

namespace {

bool Fail(std::string* error, const char* reason) {
  if (error) *error = std::string("BMP: ") + reason;
  return false;
}

// Writes the visible part of one run: pixel i of the run is `index(i)`.
template <typename Index>
void WriteRun(Bitmap* out, const std::uint32_t* palette, std::int64_t x, std::int64_t y,
              unsigned count, Index index) {
  if (!out) return;
  std::uint32_t* row = out->Row(int(out->Height() - 1 - y));
  const std::int64_t end = std::min<std::int64_t>(x + count, out->Width());
  for (std::int64_t i = x; i < end; ++i) row[i] = palette[index(unsigned(i - x))];
}

}  // namespace

bool WalkRle(const unsigned char* p, size_t size, const BmpInfo& info,
             const std::uint32_t* palette, Bitmap* out, std::string* error) {
  const bool four = info.compression == kBiRle4;
  const std::int64_t width = info.width, height = info.height;
  const std::int64_t stored = four ? (width + 7) / 8 * 8 : (width + 3) / 4 * 4;
  if (out) std::fill_n(out->Row(0), size_t(out->Width()) * size_t(out->Height()), palette[0]);
  std::int64_t x = 0, y = 0;
  size_t at = 0;
  while (at + 2 <= size) {
    const unsigned count = p[at], value = p[at + 1];
    at += 2;
    if (count > 0) {  // encoded run: one index, or two alternating nibbles
      if (y >= height || x + count > stored) return Fail(error, "RLE run leaves the image");
      WriteRun(out, palette, x, y, count, [&](unsigned i) {
        return four ? (i & 1 ? value & 0xF : value >> 4) : value;
      });
      x += count;
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
      if (y > height) return Fail(error, "RLE data past the last row");
    } else if (value == 1) {  // end of bitmap
      return true;
    } else if (value == 2) {  // delta
      if (at + 2 > size) return Fail(error, "RLE delta cut short");
      x += p[at];
      y += p[at + 1];
      at += 2;
      if (x > width || y > height) return Fail(error, "RLE delta leaves the image");
    } else {  // absolute run of `value` pixels, padded to 16 bits
      if (y >= height || x + value > stored) return Fail(error, "RLE run leaves the image");
      size_t bytes = four ? (value + 1) / 2 : value;
      bytes += bytes & 1;
      if (bytes > size - at) return Fail(error, "RLE run past the end of the file");
      const unsigned char* run = p + at;
      WriteRun(out, palette, x, y, value, [&](unsigned i) {
        return four ? unsigned(run[i / 2] >> (i & 1 ? 0 : 4)) & 0xF : unsigned(run[i]);
      });
      at += bytes;
      x += value;
    }
  }
  return true;  // a stream without end marker ends with the file
}

}  // namespace platform::bmp
