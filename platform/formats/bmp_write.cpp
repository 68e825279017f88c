// bmp_write.cpp - 24-bit bottom-up BMP files: a 14-byte file header, a
// 40-byte info header and rows padded to 4 bytes, the bottom row first.
#include "platform/formats/bmp_write.h"

#include <cstdio>
#include <vector>

namespace platform {

namespace {

constexpr size_t kHeaderBytes = 54;

void PutLe(std::vector<BYTE>& b, size_t at, DWORD v, int bytes) {
  for (int i = 0; i < bytes; ++i) b[at + size_t(i)] = BYTE(v >> (8 * i));
}

bool WriteBytes(const std::vector<BYTE>& file, const std::string& hostPath) {
  if (file.empty()) return false;
  std::FILE* fp = std::fopen(hostPath.c_str(), "wb");
  if (!fp) return false;
  const bool ok = std::fwrite(file.data(), 1, file.size(), fp) == file.size();
  return (std::fclose(fp) == 0) && ok;
}

}  // namespace

std::vector<BYTE> EncodeBmp24(const pixel::Rows& rows, const pixel::Layout& layout, int width,
                              int height) {
  if (width <= 0 || height <= 0) return {};
  const size_t rowBytes = (size_t(width) * 3 + 3) & ~size_t(3);
  std::vector<BYTE> file(kHeaderBytes + rowBytes * size_t(height), 0);
  file[0] = 'B';
  file[1] = 'M';
  PutLe(file, 2, DWORD(file.size()), 4);
  PutLe(file, 10, DWORD(kHeaderBytes), 4);
  PutLe(file, 14, 40, 4);
  PutLe(file, 18, DWORD(width), 4);
  PutLe(file, 22, DWORD(height), 4);
  PutLe(file, 26, 1, 2);
  PutLe(file, 28, 24, 2);
  PutLe(file, 34, DWORD(rowBytes * size_t(height)), 4);

  for (int y = 0; y < height; ++y) {
    BYTE* out = file.data() + kHeaderBytes + rowBytes * size_t(height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const DWORD rgb = pixel::ToRgbScreen(rows.Get(x, y), layout);
      out[x * 3 + 0] = BYTE(rgb);
      out[x * 3 + 1] = BYTE(rgb >> 8);
      out[x * 3 + 2] = BYTE(rgb >> 16);
    }
  }
  return file;
}

bool WriteBmp24(const pixel::Rows& rows, const pixel::Layout& layout, int width, int height,
                const std::string& hostPath) {
  return WriteBytes(EncodeBmp24(rows, layout, width, height), hostPath);
}

bool WriteSurfaceBmp(Surface& surface, const RECT& source, const std::string& hostPath) {
  RECT r = source;
  if (r.left < 0) r.left = 0;
  if (r.top < 0) r.top = 0;
  if (r.right > LONG(surface.Width())) r.right = LONG(surface.Width());
  if (r.bottom > LONG(surface.Height())) r.bottom = LONG(surface.Height());
  if (r.right <= r.left || r.bottom <= r.top) return false;
  const pixel::Layout layout = pixel::LayoutOf(surface.Format());
  if (layout.bytesPerPixel < 2 || layout.bytesPerPixel > 4) return false;

  void* bits = nullptr;
  LONG pitch = 0;
  if (surface.Lock(&bits, &pitch, 0) != 0) return false;
  // The picture is encoded under the lock; the file is written after it.
  std::vector<BYTE> file;
  if (bits) {
    const pixel::Rows rows{static_cast<BYTE*>(bits), pitch, layout.bytesPerPixel};
    file = EncodeBmp24({rows.At(r.left, r.top), pitch, layout.bytesPerPixel}, layout,
                       r.right - r.left, r.bottom - r.top);
  }
  surface.Unlock();
  return WriteBytes(file, hostPath);
}

}  // namespace platform
