// pixel_layer_test.cpp - the pixel layer's packing: each layout's pixels to
// COLORREF by GDI's widening rule and to 0x00RRGGBB by the screen's rule and
// back, and loads and stores of every pixel size through locked rows.
#include <gtest/gtest.h>

#include <vector>

#include "platform/surface/pixel.h"

namespace {

namespace px = platform::pixel;

struct Packing {
  const char* name;
  px::Layout layout;
  DWORD pixel;
  COLORREF gdi;  // low bits of each widened channel zero
  DWORD screen;  // channel bits repeated down the byte
};

const Packing kPackings[] = {
    {"565 white", px::k565, 0xFFFF, RGB(0xF8, 0xFC, 0xF8), 0xFFFFFF},
    {"565 red 16, green 1", px::k565, 0x8020, RGB(0x80, 0x04, 0), 0x840400},
    {"565 blue 16", px::k565, 0x0010, RGB(0, 0, 0x80), 0x000084},
    {"555 red 31", px::k555, 0x7C00, RGB(0xF8, 0, 0), 0xFF0000},
    {"555 16, 8, 4", px::k555, 0x4104, RGB(0x80, 0x40, 0x20), 0x844221},
    {"888", px::k888, 0x123456, RGB(0x12, 0x34, 0x56), 0x123456},
    {"black", px::k565, 0, 0, 0},
};

TEST(PixelLayer, PacksAndWidensByEachRule) {
  for (const Packing& c : kPackings) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(px::ToColorrefGdi(c.pixel, c.layout), c.gdi);
    EXPECT_EQ(px::ToRgbScreen(c.pixel, c.layout), c.screen);
    EXPECT_EQ(px::FromColorref(c.gdi, c.layout), c.pixel);
    EXPECT_EQ(px::FromRgb(c.screen, c.layout), c.pixel);
  }
}

// Narrowing keeps the top bits, so every 16-bit pixel survives a trip out
// to 8-bit channels and back by either rule.
TEST(PixelLayer, EverySixteenBitPixelRoundTrips) {
  for (const px::Layout& layout : {px::k565, px::k555}) {
    const DWORD all = layout.White();
    for (DWORD p = 0; p <= 0xFFFF; ++p) {
      const DWORD v = p & all;
      ASSERT_EQ(px::FromColorref(px::ToColorrefGdi(v, layout), layout), v) << std::hex << v;
      ASSERT_EQ(px::FromRgb(px::ToRgbScreen(v, layout), layout), v) << std::hex << v;
    }
  }
}

TEST(PixelLayer, RowsStoreAndLoadEachPixelSizeThroughThePitch) {
  for (int bpp = 2; bpp <= 4; ++bpp) {
    SCOPED_TRACE(bpp);
    std::vector<BYTE> bytes(3 * 16, 0xEE);
    const px::Rows rows{bytes.data(), 16, bpp};
    rows.Set(2, 2, 0xA1B2C3D4 & px::SizeMask(bpp));
    EXPECT_EQ(rows.Get(2, 2), 0xA1B2C3D4 & px::SizeMask(bpp));
    EXPECT_EQ(bytes[2 * 16 + 2 * bpp], 0xD4);  // little-endian at row 2, column 2
    EXPECT_EQ(bytes[2 * 16 + 3 * bpp], 0xEE);  // the next pixel untouched
  }
}

}  // namespace
