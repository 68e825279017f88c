// BMP decoding from bytes built here: every bit depth, RLE4/RLE8, bit
// fields, both row orders and the small header; then hostile files, which
// must be refused with a reason and never crash.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/os/resources.h"

using namespace platform;

namespace {

using Bytes = std::vector<unsigned char>;

void Put16(Bytes& b, size_t at, unsigned v) {
  b[at] = BYTE(v);
  b[at + 1] = BYTE(v >> 8);
}
void Put32(Bytes& b, size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = BYTE(v >> (8 * i));
}

// A BMP file: 40-byte header (or `headerSize`), optional masks, palette of
// 0x00RRGGBB entries, then `pixels` as given (rows already padded).
struct BmpSpec {
  int width = 1, height = 1, bits = 24;
  std::uint32_t compression = 0, headerSize = 40;
  std::vector<std::uint32_t> palette, masks;
  Bytes pixels;
  Bytes Build() const {
    const bool core = headerSize == 12;
    const size_t entry = core ? 3 : 4;
    const size_t offset = 14 + headerSize + masks.size() * 4 + palette.size() * entry;
    Bytes b(offset + pixels.size(), 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, std::uint32_t(b.size()));
    Put32(b, 10, std::uint32_t(offset));
    Put32(b, 14, headerSize);
    if (core) {
      Put16(b, 18, unsigned(width));
      Put16(b, 20, unsigned(height));
      Put16(b, 22, 1);
      Put16(b, 24, unsigned(bits));
    } else {
      Put32(b, 18, std::uint32_t(width));
      Put32(b, 22, std::uint32_t(height));
      Put16(b, 26, 1);
      Put16(b, 28, unsigned(bits));
      Put32(b, 30, compression);
      Put32(b, 46, std::uint32_t(palette.size()));
    }
    size_t at = 14 + headerSize;
    for (std::uint32_t m : masks) Put32(b, at, m), at += 4;
    for (std::uint32_t c : palette) {
      b[at] = BYTE(c), b[at + 1] = BYTE(c >> 8), b[at + 2] = BYTE(c >> 16);
      at += entry;
    }
    std::memcpy(b.data() + offset, pixels.data(), pixels.size());
    return b;
  }
};

std::unique_ptr<Bitmap> Decode(const Bytes& b, std::string* error = nullptr) {
  std::string ignored;
  return std::unique_ptr<Bitmap>(DecodeBmp(b.data(), b.size(), error ? error : &ignored));
}

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

TEST(BmpDecode, PalettedDepthsBothRowOrders) {
  // 1-bit, 10 wide: one row of bits 1000000001, padded to 4 bytes; two rows.
  BmpSpec one{10, 2, 1};
  one.palette = {kBlue, kRed};
  one.pixels = {0x80, 0x40, 0, 0, 0x00, 0x00, 0, 0};  // bottom row first
  auto bitmap = Decode(one.Build());
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->Row(1)[0], kRed);
  EXPECT_EQ(bitmap->Row(1)[1], kBlue);
  EXPECT_EQ(bitmap->Row(1)[9], kRed);
  EXPECT_EQ(bitmap->Row(0)[0], kBlue);
  EXPECT_EQ(bitmap->sourceBits, 1);

  BmpSpec four{3, -2, 4};  // top-down
  four.palette = {0, kRed, kGreen, kBlue};
  four.pixels = {0x12, 0x30, 0, 0, 0x33, 0x10, 0, 0};
  bitmap = Decode(four.Build());
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->Height(), 2);
  EXPECT_EQ(bitmap->Row(0)[0], kRed);
  EXPECT_EQ(bitmap->Row(0)[1], kGreen);
  EXPECT_EQ(bitmap->Row(0)[2], kBlue);
  EXPECT_EQ(bitmap->Row(1)[2], kRed);

  BmpSpec eight{2, 1, 8};
  eight.palette = {0x123456, 0xABCDEF};
  eight.pixels = {1, 0, 0, 0};
  bitmap = Decode(eight.Build());
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->Row(0)[0], 0xABCDEFu);
  EXPECT_EQ(bitmap->Row(0)[1], 0x123456u);
  EXPECT_EQ(bitmap->sourceBits, 8);
}

TEST(BmpDecode, IndicesBeyondThePaletteReadBlack) {
  BmpSpec eight{4, 1, 8};
  eight.palette = {kRed, kGreen};
  eight.pixels = {1, 200, 255, 0};
  auto bitmap = Decode(eight.Build());
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->Row(0)[0], kGreen);
  EXPECT_EQ(bitmap->Row(0)[1], 0u);
  EXPECT_EQ(bitmap->Row(0)[2], 0u);
  EXPECT_EQ(bitmap->Row(0)[3], kRed);
}

TEST(BmpDecode, RunLengthEncoded) {
  // RLE8, 6 x 3: row 0 (bottom) = run of 3 x index 1, absolute [2 3 2]
  // (padded), end of line; row 1 = delta (2, 1) jumps to row 2, x 2: run of
  // 2 x index 3; end.
  BmpSpec rle8{6, 3, 8, 1};
  rle8.palette = {0, kRed, kGreen, kBlue};
  rle8.pixels = {3, 1, 0, 3, 2, 3, 2, 0, 0, 0, 0, 2, 2, 1, 2, 3, 0, 1};
  auto bitmap = Decode(rle8.Build());
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->Row(2)[0], kRed);
  EXPECT_EQ(bitmap->Row(2)[2], kRed);
  EXPECT_EQ(bitmap->Row(2)[3], kGreen);
  EXPECT_EQ(bitmap->Row(2)[4], kBlue);
  EXPECT_EQ(bitmap->Row(2)[5], kGreen);
  EXPECT_EQ(bitmap->Row(1)[0], 0u);
  EXPECT_EQ(bitmap->Row(0)[2], kBlue);
  EXPECT_EQ(bitmap->Row(0)[3], kBlue);
  EXPECT_EQ(bitmap->Row(0)[4], 0u);

  // RLE4, 6 x 1: run of 3 alternating 1,2 then absolute 3 pixels [3 1 2].
  BmpSpec rle4{6, 1, 4, 2};
  rle4.palette = {0, kRed, kGreen, kBlue};
  rle4.pixels = {3, 0x12, 0, 3, 0x31, 0x20, 0, 1};
  bitmap = Decode(rle4.Build());
  ASSERT_TRUE(bitmap);
  const std::uint32_t expected[] = {kRed, kGreen, kRed, kBlue, kRed, kGreen};
  for (int x = 0; x < 6; ++x) EXPECT_EQ(bitmap->Row(0)[x], expected[x]) << x;
}

// Rows that end in encoded runs, and runs that fill a row's 32-bit padding
// (some encoders write it): the padding's pixels are dropped, the next row
// keeps its own. Pixels as palette indices, top row first; none: refused.
TEST(BmpDecode, RleRowsEndingInRunsAndRunsIntoThePadding) {
  struct Case {
    const char* what;
    int width, height, bits;
    Bytes stream;
    std::vector<const char*> rows;
  } cases[] = {
      {"RLE8 encoded runs up to the end of line", 6, 2, 8,
       {2, 1, 4, 2, 0, 0, 6, 3, 0, 1}, {"333333", "112222"}},
      {"RLE8 run into the padding", 3, 2, 8, {4, 1, 0, 0, 3, 2, 0, 1}, {"222", "111"}},
      {"RLE8 absolute run into the padding", 3, 2, 8,
       {0, 4, 1, 2, 3, 1, 0, 0, 2, 3, 0, 1}, {"330", "123"}},
      {"RLE4 run into the padding", 3, 2, 4, {3, 0x33, 0, 0, 8, 0x12, 0, 1}, {"121", "333"}},
      {"RLE4 absolute run into the padding", 5, 1, 4,
       {0, 8, 0x12, 0x31, 0x23, 0x12, 0, 1}, {"12312"}},
      {"RLE4 run past the padding", 3, 1, 4, {9, 0x12, 0, 1}, {}},
  };
  for (const Case& c : cases) {
    BmpSpec spec{c.width, c.height, c.bits, c.bits == 8 ? 1u : 2u};
    spec.palette = {0, kRed, kGreen, kBlue};
    spec.pixels = c.stream;
    std::string error;
    const auto bitmap = Decode(spec.Build(), &error);
    ASSERT_EQ(bitmap != nullptr, !c.rows.empty()) << c.what << ": " << error;
    for (int y = 0; y < int(c.rows.size()); ++y)
      for (int x = 0; x < c.width; ++x)
        EXPECT_EQ(bitmap->Row(y)[x], spec.palette[size_t(c.rows[y][x] - '0')])
            << c.what << " at " << x << "," << y;
  }
}

TEST(BmpDecode, TrueColourAndBitFields) {
  BmpSpec rgb24{2, 2, 24};  // bottom-up BGR rows padded to 8 bytes
  rgb24.pixels = {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0xFF, 0x10, 0x20, 0x30, 0, 0};
  auto bitmap = Decode(rgb24.Build());
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->Row(1)[0], kBlue);
  EXPECT_EQ(bitmap->Row(1)[1], kGreen);
  EXPECT_EQ(bitmap->Row(0)[0], kRed);
  EXPECT_EQ(bitmap->Row(0)[1], 0x302010u);
  EXPECT_EQ(bitmap->sourceBits, 24);

  BmpSpec rgb32{1, 1, 32};
  rgb32.pixels = {0x44, 0x55, 0x66, 0xFF};
  bitmap = Decode(rgb32.Build());
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->Row(0)[0], 0x665544u);

  BmpSpec rgb555{2, 1, 16};  // plain 16-bit is 5-5-5
  rgb555.pixels = {0x00, 0x7C, 0x1F, 0x00};
  bitmap = Decode(rgb555.Build());
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->Row(0)[0] & 0xF8F8F8, 0xF80000u);
  EXPECT_EQ(bitmap->Row(0)[1] & 0xF8F8F8, 0x0000F8u);

  BmpSpec rgb565{2, 1, 16, 3};
  rgb565.masks = {0xF800, 0x07E0, 0x001F};
  rgb565.pixels = {0xE0, 0x07, 0x00, 0x80};  // pure green, then red 0b10000
  bitmap = Decode(rgb565.Build());
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->Row(0)[0] & 0xFCFCFC, 0x00FC00u);
  EXPECT_EQ(bitmap->Row(0)[1] >> 19, 0x10u);
  EXPECT_EQ(bitmap->sourceBits, 16);

  BmpSpec core{1, 1, 24, 0, 12};
  core.pixels = {0x01, 0x02, 0x03, 0};
  bitmap = Decode(core.Build());
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->Row(0)[0], 0x030201u);
}

TEST(BmpDecode, HostileHeadersAreRefusedWithAReason) {
  BmpSpec good{4, 4, 8};
  good.palette = {kRed, kGreen};
  good.pixels.assign(16, 1);
  const Bytes base = good.Build();
  ASSERT_TRUE(Decode(base));
  struct Case {
    const char* what;
    size_t at;
    std::uint32_t value;
    int width;  // 2 or 4 bytes
  } cases[] = {
      {"magic", 0, 'X', 2},
      {"header size", 14, 77, 4},
      {"huge width", 18, 1000000, 4},
      {"zero width", 18, 0, 4},
      {"negative width", 18, 0xFFFFFFF0, 4},
      {"min height", 22, 0x80000000, 4},
      {"too many pixels", 18, 16384, 4},  // with the height below
      {"bit count", 28, 7, 2},
      {"jpeg inside", 30, 4, 4},
      {"RLE4 on 8 bits", 30, 2, 4},
      {"palette too large", 46, 300, 4},
      {"pixels past the end", 10, 0x7FFFFFF0, 4},
      {"pixels over palette", 10, 20, 4},
  };
  for (const Case& c : cases) {
    Bytes b = base;
    if (c.width == 2) Put16(b, c.at, c.value);
    else Put32(b, c.at, c.value);
    if (std::string(c.what) == "too many pixels") Put32(b, 22, 16384);
    std::string error;
    EXPECT_FALSE(Decode(b, &error)) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
  }
}

TEST(BmpDecode, TruncatedAndBrokenRleAreRefused) {
  BmpSpec good{5, 3, 24};
  good.pixels.assign(16 * 3, 0x40);
  const Bytes base = good.Build();
  for (size_t n = 0; n < base.size(); ++n) {
    Bytes cut(base.begin(), base.begin() + n);
    EXPECT_FALSE(Decode(cut)) << n;
  }
  BmpSpec rle{4, 2, 8, 1};
  rle.palette = {0, kRed};
  const Bytes broken[] = {
      {5, 1, 0, 1},                 // run wider than the row
      {0, 2, 9, 0, 1, 1, 0, 1},     // delta beyond the row
      {0, 0, 0, 0, 0, 0, 2, 1},     // runs below the last row
      {0, 4, 1, 1},                 // absolute run past the end of the file
  };
  for (const Bytes& stream : broken) {
    rle.pixels = stream;
    std::string error;
    EXPECT_FALSE(Decode(rle.Build(), &error)) << error;
  }
  // Hostile files survive every single-byte change to the header.
  BmpSpec small{3, 2, 4, 2};
  small.palette = {kRed, kGreen};
  small.pixels = {2, 0x10, 0, 0, 3, 0x11, 0, 1};
  const Bytes seed = small.Build();
  for (size_t at = 0; at < 14 + 40 + 8; ++at)
    for (int v : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
      Bytes b = seed;
      b[at] = BYTE(v);
      Decode(b);
    }
}

}  // namespace

namespace {

TEST(BmpLoad, FilesAndResourcesWithOrWithoutFileHeader) {
  BmpSpec request{2, 1, 24};
  request.pixels = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0, 0};
  const Bytes file = request.Build();
  const std::string path = ::testing::TempDir() + "bmp_load_test.bmp";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_TRUE(f);
  std::fwrite(file.data(), 1, file.size(), f);
  std::fclose(f);
  std::string error;
  std::unique_ptr<Bitmap> loaded(LoadBitmapFile(path, &error));
  ASSERT_TRUE(loaded) << error;
  EXPECT_EQ(loaded->Row(0)[1], 0x060504u);
  EXPECT_FALSE(LoadBitmapFile(path + ".missing", &error));
  EXPECT_FALSE(error.empty());
  std::remove(path.c_str());

  // Resources: a whole file, and a DIB as Windows stores it.
  static const Bytes whole = file;
  static const Bytes dib(file.begin() + 14, file.end());
  RegisterResource(ResourceType::Bitmap, "BmpLoadWhole", whole.data(), whole.size());
  RegisterResource(ResourceType::Bitmap, "BmpLoadDib", dib.data(), dib.size());
  for (const char* name : {"BmpLoadWhole", "bmploaddib"}) {
    std::unique_ptr<Bitmap> resource(LoadBitmapResource(name));
    ASSERT_TRUE(resource) << name;
    EXPECT_EQ(resource->Row(0)[0], 0x030201u) << name;
  }
  EXPECT_FALSE(LoadBitmapResource("NoSuchBitmap"));
}

}  // namespace
