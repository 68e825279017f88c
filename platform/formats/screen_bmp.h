// screen_bmp.h - the 24-bit screen-capture BMP: a 58-byte header (file
// header, 40-byte info header at 2834 pixels per metre, one empty colour
// table entry) before bottom-up rows of blue, green, red padded to 4 bytes.
#pragma once

#include <array>
#include <cstdint>

namespace platform::screenbmp {

constexpr std::uint32_t kHeaderBytes = 58;

// Bytes per row: width x 3 rounded up to a multiple of 4.
constexpr std::uint32_t Stride(std::uint32_t width) { return (width * 3 + 3) & ~3u; }

// The header of a width x height capture.
std::array<unsigned char, kHeaderBytes> Header(std::uint32_t width, std::uint32_t height);

}  // namespace platform::screenbmp
