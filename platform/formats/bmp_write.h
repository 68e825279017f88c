// bmp_write.h - pictures written as 24-bit bottom-up BMP files (captures of
// frames and surfaces), each channel widened to 8 bits by the screen's rule
// (bit replication: 5-bit 31 -> 255), as the window shows it.
#pragma once

#include <string>
#include <vector>

#include "platform/surface/display.h"
#include "platform/surface/pixel.h"

namespace platform {

// The file image of width x height pixels of `rows` (row 0 at the
// picture's top) in `layout`; empty if the size is not positive.
std::vector<BYTE> EncodeBmp24(const pixel::Rows& rows, const pixel::Layout& layout, int width,
                              int height);
// Writes that image to `hostPath`. False if the size is not positive or the
// file cannot be written.
bool WriteBmp24(const pixel::Rows& rows, const pixel::Layout& layout, int width, int height,
                const std::string& hostPath);

// Writes `source` of `surface`, cut to the surface, the same way. False if
// nothing of it is on the surface, the format has no 2-, 3- or 4-byte
// pixels, the surface cannot be locked or the file cannot be written.
bool WriteSurfaceBmp(Surface& surface, const RECT& source, const std::string& hostPath);

}  // namespace platform
