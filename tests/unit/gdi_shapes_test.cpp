// The GDI rasterizer on a padded 16- or 32-bit target: box edges and wide
// pens, line end points, polygons with hatch brushes, pixels and colour
// conversion, inversion and StretchBlt from a bitmap.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/gdi.h"

using namespace platform;

namespace {

// A w x h target whose rows are padded, so pitch mistakes show.
struct Canvas {
  int w, h, bpp;
  LONG pitch;
  std::vector<BYTE> bytes;
  Dc dc;
  Canvas(int width, int height, int bits = 16)
      : w(width), h(height), bpp(bits / 8), pitch(LONG(width * (bits / 8) + 24)),
        bytes(size_t(pitch) * height + 64, 0xEE), dc(Target(bits)) {
    for (int y = 0; y < h; ++y) std::memset(Row(y), 0, size_t(w) * bpp);
  }
  DcTarget Target(int bits) {
    PixelFormat f = bits == 16 ? PixelFormat{16, 0xF800, 0x07E0, 0x001F}
                               : PixelFormat{32, 0xFF0000, 0xFF00, 0xFF};
    return DcTarget{bytes.data(), pitch, w, h, f};
  }
  BYTE* Row(int y) { return bytes.data() + size_t(y) * pitch; }
  DWORD At(int x, int y) {
    DWORD v = 0;
    std::memcpy(&v, Row(y) + x * bpp, bpp);
    return v;
  }
  // Padding bytes after each row are never written.
  bool PaddingIntact() {
    for (int y = 0; y < h; ++y)
      for (LONG i = w * bpp; i < pitch; ++i)
        if (Row(y)[i] != 0xEE) return false;
    return true;
  }
  // Selects an object made for this canvas; it is deleted with the canvas.
  void Use(HGDIOBJ object) {
    dc.SelectObject(object);
    owned.push_back(object);
  }
  ~Canvas() {
    for (HGDIOBJ object : owned) DeleteObject(object);
  }
  std::vector<HGDIOBJ> owned;
  int Count(DWORD v) {
    int n = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) n += At(x, y) == v;
    return n;
  }
};

constexpr DWORD kRed565 = 0xF800, kBlue565 = 0x001F, kWhite565 = 0xFFFF;

// Selects a solid pen and brush (or a given brush) for the scope of a test.
void UsePenAndBrush(Canvas& c, COLORREF line, int width, UINT brushStyle, COLORREF fill,
                    int hatch = 0) {
  c.Use(CreatePen(PS_SOLID, width, line));
  LOGBRUSH lb{brushStyle, fill, std::uintptr_t(hatch)};
  c.Use(CreateBrushIndirect(&lb));
}

TEST(GdiShapes, BoxCoversLeftToRightMinusOne) {
  Canvas c(400, 300);
  UsePenAndBrush(c, RGB(255, 0, 0), 1, BS_SOLID, RGB(0, 0, 255));
  ASSERT_TRUE(c.dc.Rectangle(280, 200, 320, 240));
  EXPECT_EQ(c.At(280, 200), kRed565);
  EXPECT_EQ(c.At(319, 239), kRed565);
  EXPECT_EQ(c.At(319, 220), kRed565);
  EXPECT_EQ(c.At(320, 239), 0u);
  EXPECT_EQ(c.At(319, 240), 0u);
  EXPECT_EQ(c.At(281, 201), kBlue565);
  EXPECT_EQ(c.At(318, 238), kBlue565);
  EXPECT_EQ(c.Count(kRed565), 4 * 39);
  // A neighbour sharing the edge starts exactly where this one ended.
  c.dc.Rectangle(320, 200, 360, 240);
  EXPECT_EQ(c.At(320, 220), kRed565);
  EXPECT_EQ(c.At(318, 220), kBlue565);
  EXPECT_TRUE(c.PaddingIntact());
}

TEST(GdiShapes, WidePenGrowsBothWaysAndClips) {
  Canvas c(40, 40);
  UsePenAndBrush(c, RGB(255, 0, 0), 3, BS_SOLID, RGB(0, 0, 255));
  c.dc.Rectangle(10, 10, 30, 30);
  EXPECT_EQ(c.At(9, 20), kRed565);   // outwards
  EXPECT_EQ(c.At(11, 20), kRed565);  // inwards
  EXPECT_EQ(c.At(8, 20), 0u);
  EXPECT_EQ(c.At(12, 20), kBlue565);
  EXPECT_EQ(c.At(30, 20), kRed565);  // around the last column, 29
  EXPECT_EQ(c.At(31, 20), 0u);
  // Shapes hanging off every edge stay inside the target.
  c.dc.Rectangle(-100, -100, 500, 500);
  c.dc.MoveToEx(-50, -50, nullptr);
  c.dc.LineTo(90, 90);
  EXPECT_TRUE(c.PaddingIntact());
}

TEST(GdiShapes, LinesOmitTheirEndPoint) {
  Canvas c(20, 20);
  c.Use(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
  POINT old{};
  c.dc.MoveToEx(0, 0, &old);
  c.dc.LineTo(10, 0);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(c.At(x, 0), kWhite565) << x;
  EXPECT_EQ(c.At(10, 0), 0u);
  c.dc.LineTo(10, 5);  // continues from the last end point
  EXPECT_EQ(c.At(10, 0), kWhite565);
  EXPECT_EQ(c.At(10, 4), kWhite565);
  EXPECT_EQ(c.At(10, 5), 0u);
  c.dc.MoveToEx(0, 10, &old);
  EXPECT_EQ(old.x, 10);
  EXPECT_EQ(old.y, 5);
  c.dc.LineTo(5, 15);  // diagonal: one pixel per step
  EXPECT_EQ(c.At(4, 14), kWhite565);
  EXPECT_EQ(c.At(5, 15), 0u);
}

TEST(GdiShapes, PolygonHollowOpaqueAndTransparentHatch) {
  const POINT square[] = {{0, 0}, {16, 0}, {16, 16}, {0, 16}};
  Canvas hollow(20, 20), opaque(20, 20), clear(20, 20);
  for (Canvas* c : {&hollow, &opaque, &clear}) {
    const bool hatched = c != &hollow;
    UsePenAndBrush(*c, RGB(255, 0, 0), 1, hatched ? BS_HATCHED : BS_NULL, RGB(0, 0, 255),
                   HS_DIAGCROSS);
    c->dc.SetBkColor(RGB(255, 255, 255));
    if (c == &clear) c->dc.SetBkMode(TRANSPARENT);
    ASSERT_TRUE(c->dc.Polygon(square, 4));
  }
  // Closed outline, vertices included.
  for (Canvas* c : {&hollow, &opaque, &clear}) {
    EXPECT_EQ(c->At(0, 0), kRed565);
    EXPECT_EQ(c->At(16, 16), kRed565);
    EXPECT_EQ(c->At(0, 15), kRed565);
  }
  EXPECT_EQ(hollow.Count(kRed565), 64);
  EXPECT_EQ(hollow.At(5, 6), 0u);
  // Diagonal cross: (x & 7) == (y & 7) or == 7 - (y & 7).
  EXPECT_EQ(opaque.At(3, 3), kBlue565);
  EXPECT_EQ(opaque.At(3, 4), kBlue565);
  EXPECT_EQ(opaque.At(5, 6), kWhite565);
  EXPECT_EQ(clear.At(3, 3), kBlue565);
  EXPECT_EQ(clear.At(5, 6), 0u);
}

TEST(GdiShapes, PolygonFillsAlternate) {
  // A pentagram: with even-odd filling its centre stays empty.
  const POINT star[] = {{20, 0}, {32, 38}, {0, 14}, {40, 14}, {8, 38}};
  Canvas c(41, 41);
  UsePenAndBrush(c, RGB(255, 0, 0), 1, BS_SOLID, RGB(0, 0, 255));
  c.dc.SelectObject(GetStockObject(NULL_BRUSH));
  c.Use(CreatePen(PS_NULL, 1, 0));
  LOGBRUSH lb{BS_SOLID, RGB(0, 0, 255), 0};
  c.Use(CreateBrushIndirect(&lb));
  c.dc.Polygon(star, 5);
  EXPECT_EQ(c.At(20, 22), 0u);
  EXPECT_EQ(c.At(20, 8), kBlue565);
  EXPECT_EQ(c.At(5, 15), kBlue565);
}

TEST(GdiShapes, BezierPassesThroughItsEnds) {
  Canvas c(64, 64);
  c.Use(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
  const POINT curve[] = {{2, 2}, {60, 2}, {2, 60}, {60, 60}, {60, 30}, {10, 30}, {5, 10}};
  EXPECT_FALSE(c.dc.PolyBezier(curve, 3));
  ASSERT_TRUE(c.dc.PolyBezier(curve, 7));
  EXPECT_EQ(c.At(2, 2), kWhite565);
  EXPECT_EQ(c.At(60, 60), kWhite565);
  EXPECT_GT(c.Count(kWhite565), 100);
}

TEST(GdiShapes, PixelsConvertAsGdiDoes) {
  Canvas c16(4, 4), c32(4, 4, 32);
  EXPECT_EQ(c16.dc.SetPixel(1, 1, 0x00FF8040), 0x00F88040u);
  EXPECT_EQ(c16.At(1, 1), DWORD((0x40 >> 3) << 11 | (0x80 >> 2) << 5 | 0xFF >> 3));
  EXPECT_EQ(c16.dc.GetPixel(1, 1), 0x00F88040u);
  c32.dc.SetPixel(2, 3, 0x00FF8040);
  EXPECT_EQ(c32.At(2, 3), 0x4080FFu);
  EXPECT_EQ(c32.dc.GetPixel(2, 3), 0x00FF8040u);
  EXPECT_EQ(c16.dc.GetPixel(4, 0), CLR_INVALID);
  EXPECT_EQ(c16.dc.SetPixel(-1, 0, 0), CLR_INVALID);
  EXPECT_EQ(c16.dc.GetDeviceCaps(BITSPIXEL), 16);
  EXPECT_EQ(c32.dc.GetDeviceCaps(BITSPIXEL), 32);
}

TEST(GdiShapes, InvertTwiceRestores) {
  Canvas c(8, 8);
  for (int i = 0; i < 8; ++i) c.dc.SetPixel(i, i, RGB(i * 30, 255 - i * 20, i * 7));
  std::vector<BYTE> before = c.bytes;
  RECT r{-2, 2, 5, 20};
  c.dc.InvertRect(&r);
  EXPECT_EQ(c.At(0, 2), 0xFFFFu);
  EXPECT_EQ(c.At(5, 2), 0u);
  c.dc.InvertRect(&r);
  EXPECT_EQ(c.bytes, before);
}

TEST(GdiShapes, StretchBltFromABitmapTruncates) {
  Bitmap* bitmap = new Bitmap(2, 2);
  bitmap->Row(0)[0] = 0xFF8040;  // 0x00RRGGBB
  bitmap->Row(0)[1] = 0x00FF00;
  bitmap->Row(1)[0] = 0x0000FF;
  bitmap->Row(1)[1] = 0xFFFFFF;
  Dc memory;
  memory.SelectObject(bitmap);
  EXPECT_EQ(memory.GetPixel(0, 0), 0x4080FFu);
  Canvas c(6, 6);
  ASSERT_TRUE(c.dc.StretchBlt(0, 0, 4, 4, &memory, 0, 0, 2, 2, SRCCOPY));
  EXPECT_EQ(c.At(0, 0), DWORD(0xFF >> 3) << 11 | DWORD(0x80 >> 2) << 5 | (0x40 >> 3));
  EXPECT_EQ(c.At(1, 1), c.At(0, 0));
  EXPECT_EQ(c.At(2, 0), 0x07E0u);
  EXPECT_EQ(c.At(3, 3), 0xFFFFu);
  EXPECT_EQ(c.At(4, 4), 0u);
  EXPECT_FALSE(c.dc.StretchBlt(0, 0, 4, 4, &memory, 0, 0, 2, 2, 0x00EE0086));
  // A source area beyond the bitmap reads nothing outside it.
  EXPECT_TRUE(c.dc.StretchBlt(-3, -3, 12, 12, &memory, -1, -1, 8, 8, SRCCOPY));
  EXPECT_TRUE(c.PaddingIntact());
  delete bitmap;
}

}  // namespace
