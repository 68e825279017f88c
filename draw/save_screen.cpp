// save_screen.cpp - the screen capture: the top-left part of the back
// buffer as a 24-bit bottom-up BMP file in the program folder.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "draw/draw.h"
#include "draw/locked_frame.h"
#include "platform/formats/screen_bmp.h"
#include "platform/os/files.h"
#include "platform/surface/pixel.h"
#include "system/system.h"

namespace ruDraw {

namespace {

namespace px = platform::pixel;

// A channel as the capture writes it. On 16-bit displays this is the rule
// of the effects' colour table: the 5-bit value (a 6-bit green halved)
// shifted left by 3, so white is 248, 248, 248. Wider formats give their
// channel byte as it is.
BYTE CaptureChannel(DWORD pixel, const px::Channel& c, int bytesPerPixel) {
  if (bytesPerPixel >= 3) return BYTE((pixel >> c.shift) & 0xFF);
  DWORD v = (pixel >> c.shift) & c.max;
  if (c.max == 63) v >>= 1;
  return BYTE(v << 3);
}

// Writes the rows bottom-up; false on a failed write.
bool WriteRows(std::FILE* file, const px::Rows& rows, const px::Layout& layout, int width,
               int height) {
  const auto header = platform::screenbmp::Header(std::uint32_t(width), std::uint32_t(height));
  if (std::fwrite(header.data(), 1, header.size(), file) != header.size()) return false;
  std::vector<BYTE> line(platform::screenbmp::Stride(std::uint32_t(width)), 0);
  for (int y = height - 1; y >= 0; --y) {
    BYTE* out = line.data();
    for (int x = 0; x < width; ++x) {
      const DWORD p = rows.Get(x, y);
      *out++ = CaptureChannel(p, layout.blue, rows.bytesPerPixel);
      *out++ = CaptureChannel(p, layout.green, rows.bytesPerPixel);
      *out++ = CaptureChannel(p, layout.red, rows.bytesPerPixel);
    }
    if (std::fwrite(line.data(), 1, line.size(), file) != line.size()) return false;
  }
  return true;
}

}  // namespace

int SaveScreen(const char* fileName, int width, int height) {
  if (!BackBuffer) return 0;
  // The capture is cut to the back buffer: nothing outside it is read.
  width = std::clamp(width, 0, int(BackBuffer->Width()));
  height = std::clamp(height, 0, int(BackBuffer->Height()));
  px::Rows rows;
  if (LockBackBuffer(&rows) != DD_OK) return 0;
  const platform::PixelFormat& f = BackBuffer->Format();
  const px::Layout layout =
      px::LayoutFromMasks(f.redMask, f.greenMask, f.blueMask, rows.bytesPerPixel);
  const std::string path = std::string(ruSystem::GetAppFolder(0)) + (fileName ? fileName : "");
  std::FILE* file = platform::OpenFile(path, "wb");
  bool written = false;
  if (file) {
    written = WriteRows(file, rows, layout, width, height);
    written = std::fclose(file) == 0 && written;
  }
  BackBuffer->Unlock();
  return written ? 1 : 0;
}

}  // namespace ruDraw
