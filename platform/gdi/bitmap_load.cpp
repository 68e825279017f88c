// bitmap_load.cpp - bitmaps from BMP files (library paths) and from the
// program's bitmap resources. Resources may hold a whole BMP file or, as
// Windows keeps them, a DIB without the 14-byte file header.
#include <cstring>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/formats/bmp_header.h"
#include "platform/os/files.h"
#include "platform/os/resources.h"

namespace platform {

namespace {
// Largest BMP file read: the largest bitmap at 32 bits plus headers.
constexpr size_t kMaxBmpFileBytes = size_t(kMaxBitmapPixels) * 4 + 65536;
}  // namespace

Bitmap* LoadBitmapFile(const std::string& libraryPath, std::string* error) {
  std::vector<unsigned char> bytes;
  ReadFailure why = ReadFailure::None;
  if (!ReadWholeFile(libraryPath, bytes, kMaxBmpFileBytes, &why)) {
    if (error) *error = DescribeReadFailure(why);
    return nullptr;
  }
  return DecodeBmp(bytes.data(), bytes.size(), error);
}

Bitmap* LoadBitmapResource(const char* name) {
  Resource resource{};
  if (!name || !FindResource(ResourceType::Bitmap, name, &resource) || !resource.data)
    return nullptr;
  if (resource.size >= 2 && resource.data[0] == 'B' && resource.data[1] == 'M')
    return DecodeBmp(resource.data, resource.size, nullptr);
  // A DIB: put a file header in front of it.
  const size_t offset = bmp::DibPixelOffset(resource.data, resource.size);
  if (offset == 0 || resource.size > 0x7FFFFFFF - 14) return nullptr;
  std::vector<unsigned char> file(14 + resource.size);
  const std::uint32_t total = std::uint32_t(file.size()), pixels = std::uint32_t(offset);
  file[0] = 'B';
  file[1] = 'M';
  std::memcpy(&file[2], &total, 4);
  std::memcpy(&file[10], &pixels, 4);
  std::memcpy(&file[14], resource.data, resource.size);
  return DecodeBmp(file.data(), file.size(), nullptr);
}

}  // namespace platform
