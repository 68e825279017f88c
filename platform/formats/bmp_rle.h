// bmp_rle.h - walking and decoding the RLE8 and RLE4 pixel streams of BMP
// files (platform-internal).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/formats/bmp_header.h"

namespace platform {
class Bitmap;
}

namespace platform::bmp {

// Walks the RLE stream `p` of a bitmap that `info` describes (rows bottom
// up). Rows are stored padded to 32 bits and some encoders fill that padding
// with a run: a run may reach into it, and its pixels there are dropped.
// With `out` (info's size, and a 256-entry `palette`), the pixels are also
// written; pixels the stream skips keep palette entry 0. False and a reason
// when a run or delta leaves the stored rows or the stream leaves the file.
bool WalkRle(const unsigned char* p, size_t size, const BmpInfo& info,
             const std::uint32_t* palette, Bitmap* out, std::string* error);

}  // namespace platform::bmp
