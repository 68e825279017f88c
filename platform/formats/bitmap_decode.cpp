// bitmap_decode.cpp - BMP file images to 0x00RRGGBB bitmaps. The header
// and data are checked first (bmp_header.cpp); RLE streams are decoded here
// (bmp_rle.cpp), since a run that fills a row's padding must be dropped, not
// wrapped into the next row; SDL2's BMP reader decodes the rest (palettes,
// bit fields, both row orders). A short
// palette is padded with black entries to the full 2^bits first, so pixels
// with indices beyond it read black (as Windows shows them) instead of
// failing; the lookup here bounds every index once more.
#include <SDL.h>

#include <cstring>
#include <memory>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/formats/bmp_header.h"
#include "platform/formats/bmp_rle.h"
#include "platform/surface/pixel.h"

namespace platform {

namespace {

struct SurfaceFree {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceFree>;

Bitmap* Fail(std::string* error, const std::string& reason) {
  if (error) *error = reason;
  return nullptr;
}

// Index of pixel x in a row of 1-, 4- or 8-bit indices (most significant
// bits first).
unsigned IndexAt(const Uint8* row, int x, int bits) {
  switch (bits) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF;
    default: return row[x];
  }
}

bool CopyIndexed(SDL_Surface* s, Bitmap* out) {
  const SDL_Palette* palette = s->format->palette;
  const int bits = s->format->BitsPerPixel;
  if (!palette || (bits != 1 && bits != 4 && bits != 8)) return false;
  std::uint32_t colors[256] = {};  // indices beyond the palette stay black
  for (int i = 0; i < palette->ncolors && i < 256; ++i) {
    const SDL_Color& c = palette->colors[i];
    colors[i] = pixel::PackRgb(c.r, c.g, c.b);
  }
  for (int y = 0; y < s->h; ++y) {
    const Uint8* row = static_cast<const Uint8*>(s->pixels) + size_t(y) * s->pitch;
    std::uint32_t* dest = out->Row(y);
    for (int x = 0; x < s->w; ++x) dest[x] = colors[IndexAt(row, x, bits)];
  }
  return true;
}

// Converts straight into the bitmap's rows (no second full-size surface).
bool CopyTrueColour(SDL_Surface* s, Bitmap* out) {
  if (SDL_ConvertPixels(s->w, s->h, s->format->format, s->pixels, s->pitch,
                        SDL_PIXELFORMAT_RGB888, out->Row(0), s->w * 4) != 0)
    return false;
  for (int y = 0; y < s->h; ++y) {
    std::uint32_t* row = out->Row(y);
    for (int x = 0; x < s->w; ++x) row[x] &= 0xFFFFFF;
  }
  return true;
}

void Store32(unsigned char* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

// A copy of a checked file whose palette has all 2^bits entries, the added
// ones black; empty when the palette is already full.
std::vector<unsigned char> WithFullPalette(const unsigned char* data, size_t size,
                                           const bmp::BmpInfo& info) {
  std::vector<unsigned char> out;
  if (info.bitCount > 8 || info.headerSize == 12) return out;
  const size_t full = size_t(1) << info.bitCount;
  if (info.paletteColors >= full) return out;
  const size_t paletteAt = 14 + size_t(info.headerSize);  // no masks below 16 bits
  const size_t paletteEnd = paletteAt + size_t(info.paletteColors) * 4;
  const size_t pixels = size - info.pixelOffset;
  out.assign(paletteAt + full * 4 + pixels, 0);
  std::memcpy(out.data(), data, paletteEnd);
  std::memcpy(out.data() + paletteAt + full * 4, data + info.pixelOffset, pixels);
  Store32(&out[2], std::uint32_t(out.size()));
  Store32(&out[10], std::uint32_t(paletteAt + full * 4));
  Store32(&out[46], 0);  // colours used: all
  return out;
}

// Decodes a checked RLE8 or RLE4 file; its palette follows the 40-byte or
// longer header (never the 12-byte one, which has no compression).
Bitmap* DecodeRle(const unsigned char* data, size_t size, const bmp::BmpInfo& info,
                  std::string* error) {
  std::uint32_t palette[256] = {};  // indices beyond the file's palette read black
  const unsigned char* entry = data + 14 + info.headerSize;
  for (std::uint32_t i = 0; i < info.paletteColors && i < 256; ++i, entry += 4)
    palette[i] = std::uint32_t(entry[2]) << 16 | std::uint32_t(entry[1]) << 8 | entry[0];
  std::unique_ptr<Bitmap> bitmap(new Bitmap(info.width, info.height));
  if (!bmp::WalkRle(data + info.pixelOffset, size - info.pixelOffset, info, palette,
                    bitmap.get(), error))
    return nullptr;
  bitmap->sourceBits = info.bitCount;
  return bitmap.release();
}

}  // namespace

Bitmap* DecodeBmp(const unsigned char* data, size_t size, std::string* error) {
  bmp::BmpInfo info;
  if (!bmp::CheckBmp(data, size, &info, error)) return nullptr;
  if (info.compression == bmp::kBiRle8 || info.compression == bmp::kBiRle4)
    return DecodeRle(data, size, info, error);
  const std::vector<unsigned char> padded = WithFullPalette(data, size, info);
  if (!padded.empty()) data = padded.data(), size = padded.size();
  SDL_RWops* rw = SDL_RWFromConstMem(data, int(std::min<size_t>(size, 0x7FFFFFFF)));
  if (!rw) return Fail(error, std::string("BMP: ") + SDL_GetError());
  SurfacePtr decoded(SDL_LoadBMP_RW(rw, 1));
  if (!decoded) return Fail(error, std::string("BMP: ") + SDL_GetError());
  const int rows = info.height < 0 ? -info.height : info.height;
  if (decoded->w != info.width || decoded->h != rows)
    return Fail(error, "BMP: decoded size differs from the header");
  std::unique_ptr<Bitmap> bitmap(new Bitmap(decoded->w, decoded->h));
  const bool copied = SDL_ISPIXELFORMAT_INDEXED(decoded->format->format)
                          ? CopyIndexed(decoded.get(), bitmap.get())
                          : CopyTrueColour(decoded.get(), bitmap.get());
  if (!copied) return Fail(error, std::string("BMP: cannot convert the pixels: ") + SDL_GetError());
  bitmap->sourceBits = info.bitCount;
  return bitmap.release();
}

}  // namespace platform
