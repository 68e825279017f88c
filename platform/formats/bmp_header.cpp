// bmp_header.cpp - refuses hostile BMP files before they are decoded: every
// size and offset is checked against the file, sizes against the bitmap
// limits, and RLE streams are walked so that no run leaves the stored rows.
#include "platform/formats/bmp_header.h"

#include "platform/formats/bmp_rle.h"
#include "platform/gdi/bitmap.h"

namespace platform::bmp {

namespace {

std::uint32_t U16(const unsigned char* p) { return p[0] | std::uint32_t(p[1]) << 8; }
std::uint32_t U32(const unsigned char* p) {
  return p[0] | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

bool Fail(std::string* error, const char* reason) {
  if (error) *error = std::string("BMP: ") + reason;
  return false;
}

bool KnownHeaderSize(std::uint32_t size) {
  return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// Bytes of colour masks stored after a 40-byte header.
std::uint32_t ExtraMaskBytes(std::uint32_t headerSize, std::uint32_t compression) {
  return headerSize == 40 && compression == kBiBitfields ? 12 : 0;
}

bool ReadInfoHeader(const unsigned char* h, std::uint32_t headerSize, BmpInfo* info) {
  info->headerSize = headerSize;
  if (headerSize == 12) {
    info->width = std::int32_t(U16(h + 4));
    info->height = std::int32_t(U16(h + 6));
    info->bitCount = int(U16(h + 10));
    info->compression = kBiRgb;
    info->paletteColors = 0;
    return true;
  }
  info->width = std::int32_t(U32(h + 4));
  info->height = std::int32_t(U32(h + 8));
  info->bitCount = int(U16(h + 14));
  info->compression = U32(h + 16);
  info->paletteColors = U32(h + 32);
  return true;
}

bool CheckGeometry(BmpInfo* info, std::string* error) {
  const int bits = info->bitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
    return Fail(error, "unsupported bit count");
  if (info->width <= 0 || info->height == 0 || info->height == INT32_MIN)
    return Fail(error, "empty or negative size");
  const std::int64_t rows = info->height < 0 ? -std::int64_t(info->height) : info->height;
  if (info->width > kMaxBitmapSide || rows > kMaxBitmapSide ||
      std::int64_t(info->width) * rows > kMaxBitmapPixels)
    return Fail(error, "bitmap too large");
  switch (info->compression) {
    case kBiRgb: break;
    case kBiRle8:
    case kBiRle4:
      if (bits != (info->compression == kBiRle8 ? 8 : 4)) return Fail(error, "RLE with wrong bit count");
      if (info->height < 0) return Fail(error, "RLE bitmap stored top-down");
      break;
    case kBiBitfields:
      if (bits != 16 && bits != 32) return Fail(error, "bit fields with wrong bit count");
      break;
    default: return Fail(error, "unsupported compression");
  }
  if (bits <= 8) {
    const std::uint32_t most = 1u << bits;
    if (info->paletteColors > most) return Fail(error, "palette larger than the bit count allows");
    if (info->paletteColors == 0) info->paletteColors = most;
  } else if (info->paletteColors > 256) {
    return Fail(error, "palette too large");
  }
  return true;
}

}  // namespace

bool CheckBmp(const unsigned char* data, size_t size, BmpInfo* info, std::string* error) {
  if (!data || size < 14 + 12) return Fail(error, "file too short");
  if (data[0] != 'B' || data[1] != 'M') return Fail(error, "not a BMP file");
  const std::uint32_t headerSize = U32(data + 14);
  if (!KnownHeaderSize(headerSize)) return Fail(error, "unknown header size");
  if (14 + size_t(headerSize) > size) return Fail(error, "header cut short");
  ReadInfoHeader(data + 14, headerSize, info);
  if (!CheckGeometry(info, error)) return false;

  // Masks and palette sit between the headers and the pixels.
  const size_t entry = headerSize == 12 ? 3 : 4;
  const size_t tables = 14 + size_t(headerSize) + ExtraMaskBytes(headerSize, info->compression) +
                        size_t(info->paletteColors) * entry;
  info->pixelOffset = U32(data + 10);
  if (tables > size) return Fail(error, "palette past the end of the file");
  if (info->pixelOffset < tables) return Fail(error, "pixel data overlaps the headers");
  if (info->pixelOffset >= size) return Fail(error, "pixel data offset past the end of the file");

  const size_t available = size - info->pixelOffset;
  if (info->compression == kBiRle8 || info->compression == kBiRle4)
    return WalkRle(data + info->pixelOffset, available, *info, nullptr, nullptr, error);
  const std::uint64_t rowBytes = (std::uint64_t(info->width) * unsigned(info->bitCount) + 31) / 32 * 4;
  const std::uint64_t rows = info->height < 0 ? -std::int64_t(info->height) : info->height;
  if (rowBytes * rows > available) return Fail(error, "pixel data cut short");
  return true;
}

size_t DibPixelOffset(const unsigned char* dib, size_t size) {
  if (size < 12) return 0;
  const std::uint32_t headerSize = U32(dib);
  if (!KnownHeaderSize(headerSize) || headerSize > size) return 0;
  BmpInfo info;
  ReadInfoHeader(dib, headerSize, &info);
  std::uint64_t colors = info.paletteColors;
  if (colors == 0 && info.bitCount >= 1 && info.bitCount <= 8) colors = 1u << info.bitCount;
  if (colors > 256) return 0;
  return 14 + size_t(headerSize) + ExtraMaskBytes(headerSize, info.compression) +
         size_t(colors) * (headerSize == 12 ? 3 : 4);
}

}  // namespace platform::bmp
