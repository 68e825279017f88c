// text_layout_fuzz.cpp - libFuzzer target for GDI text: any bytes as CP932
// text, with a box, alignment and font style taken from the input, must
// draw and measure inside the target without a crash or an overrun.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/font/font.h"
#include "platform/gdi/gdi.h"

namespace {

constexpr int kWidth = 64, kHeight = 48;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 8) return 0;
  LOGFONTA font{};
  font.lfHeight = std::int8_t(data[0]);
  font.lfEscapement = (data[1] % 8) * 450;
  font.lfWeight = data[2] & 1 ? 700 : 400;
  font.lfItalic = data[2] & 2;
  font.lfUnderline = data[2] & 4;
  font.lfCharSet = data[2] & 8 ? 0 : 128;
  if (data[2] & 16) std::memcpy(font.lfFaceName, "\x95\x57\x8F\x80\x96\xBE\x92\xA9", 9);
  RECT box{std::int8_t(data[3]), std::int8_t(data[4]), std::int8_t(data[3]) + data[5] % 80,
           std::int8_t(data[4]) + 40};
  const UINT align = data[6] % 3;
  const UINT flags = DT_NOPREFIX | align | (data[7] & 1 ? DT_WORDBREAK : 0) |
                     (data[7] & 2 ? DT_CALCRECT : 0) | (data[7] & 4 ? DT_SINGLELINE : 0);
  // The text is exactly the rest of the input, with no terminator after it.
  std::vector<char> text(data + 8, data + size);

  std::vector<std::uint16_t> pixels(kWidth * kHeight);
  platform::DcTarget target{reinterpret_cast<BYTE*>(pixels.data()), kWidth * 2, kWidth, kHeight,
                            platform::PixelFormat{16, 0xF800, 0x07E0, 0x001F}};
  platform::Dc dc(target);
  platform::HFONT handle = platform::CreateFontIndirect(&font);
  platform::HGDIOBJ previous = dc.SelectObject(handle);
  dc.SetBkMode(data[7] & 8 ? OPAQUE : TRANSPARENT);
  const int length = int(text.size());
  dc.TextOut(std::int8_t(data[3]), std::int8_t(data[4]), text.data(), length);
  dc.DrawText(text.data(), length, &box, flags);
  SIZE extent{};
  dc.GetTextExtentPoint32(text.data(), length, &extent);
  if (extent.cx < 0) __builtin_trap();
  dc.SelectObject(previous);
  platform::DeleteObject(handle);
  return 0;
}
