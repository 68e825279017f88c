// draw_packs_test.cpp - draw packs: names and case, the stored encoding and
// entry sizes, the values loaded on 5-6-5 and 5-5-5 displays, swapping and
// restoring, packs that must be refused, and a full-colour round trip.
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include <random>

#include "platform/formats/draw_pack.h"
#include "tests/support/draw_fixture.h"

namespace {

using drawtest::DrawTest;
using drawtest::PixelAt;
namespace pack = platform::drawpack;

class PackTest : public DrawTest {
 protected:
  // A pack in the program folder holding the given entries.
  void WritePack(const std::string& name, const std::vector<std::vector<unsigned char>>& raw) {
    std::FILE* f = std::fopen(drawtest::InAppFolder(name).c_str(), "wb");
    ASSERT_NE(f, nullptr);
    for (const auto& bytes : raw) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  static std::vector<unsigned char> Entry(int w, int h, const std::string& name,
                                          std::uint16_t value, size_t keepPixels = SIZE_MAX) {
    std::vector<unsigned char> b;
    for (int v : {w, h}) b.push_back(std::uint8_t(v)), b.push_back(std::uint8_t(v >> 8));
    for (char c : name) b.push_back(std::uint8_t(c));
    b.push_back(0);
    for (size_t i = 0; i < size_t(w) * h && i < keepPixels; ++i)
      b.push_back(std::uint8_t(value)), b.push_back(std::uint8_t(value >> 8));
    return b;
  }
  long FileSize(const std::string& name) {
    struct stat st {};
    return ::stat(drawtest::InAppFolder(name).c_str(), &st) == 0 ? long(st.st_size) : -1;
  }
};

TEST(PackFormat, BlackRuleAndUpperCaseNames) {
  struct Case {
    COLORREF color;
    std::uint16_t stored;
  } cases[] = {{0, 0},           {0x00070707, 0x0001}, {0x00FFFFFF, 0x7FFF},
               {RGB(255, 0, 0), 0x7C00}, {RGB(0, 8, 0), 0x0020}, {RGB(7, 0, 0), 0x0001}};
  for (const Case& c : cases) EXPECT_EQ(pack::EncodePixel(c.color), c.stored) << c.color;
  EXPECT_EQ(pack::UpperName("bmp\\block.bmp"), "BMP\\BLOCK.BMP");
  // A double-byte character whose trail byte is a lower-case letter stays whole.
  EXPECT_EQ(pack::UpperName("\x83\x61x.bmp"), "\x83\x61X.BMP");
  EXPECT_EQ(pack::BaseName("BMP\\SUB\\A.BMP"), "A.BMP");
  EXPECT_EQ(pack::BaseName("\x95\x5C.BMP"), "\x95\x5C.BMP");  // 0x5C as a trail byte
}

TEST(PackFormat, AFailedAppendLeavesThePackAsItWas) {
  const std::string host = drawtest::InAppFolder("pk_append.pak");
  const std::string path = platform::ToLibraryPath(host);
  std::remove(host.c_str());
  ASSERT_TRUE(pack::AppendEntry(path, 2, 1, "A.BMP", {0x7FFF, 1}));
  struct stat before {};
  ::stat(host.c_str(), &before);
  // A file-size limit just past the end makes the next write fail halfway.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  rlimit tight = saved;
  tight.rlim_cur = rlim_t(before.st_size + 10);
  ::setrlimit(RLIMIT_FSIZE, &tight);
  const bool appended = pack::AppendEntry(path, 64, 64, "B.BMP", std::vector<std::uint16_t>(4096, 1));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_FALSE(appended);
  struct stat after {};
  ::stat(host.c_str(), &after);
  EXPECT_EQ(after.st_size, before.st_size);
}

TEST_F(PackTest, ConvertNamesEntriesInUpperCaseAndLoadsFindThemByName) {
  EXPECT_EQ(ruDraw::Convert("pk_names.pak", "", 1), 0);
  EXPECT_EQ(LastReport(), "ruDraw::Convert : 画面をフルカラーにして下さい");
  CloseScreen();
  OpenScreen(32);
  ::mkdir(drawtest::InAppFolder("pk_names").c_str(), 0755);
  drawtest::WriteBmp24("pk_names/Block.bmp", 2, 1, [](int x, int) { return x ? 0xFFFFFFu : 0; });
  drawtest::WriteBmp24("pk_names/back.BMP", 3, 2, [](int, int) { return 0x0000FFu; });
  ASSERT_EQ(ruDraw::Convert("pk_names.pak", "pk_names", 1), 1);
  // Two entries: 2 x 1 "BLOCK.BMP" is 2 + 2 + 10 + 4 bytes, 3 x 2 "BACK.BMP" 2 + 2 + 9 + 12.
  EXPECT_EQ(FileSize("pk_names.pak"), 18 + 25);
  ASSERT_EQ(ruDraw::Convert("pk_names.pak", "pk_names", 0), 1);
  EXPECT_EQ(FileSize("pk_names.pak"), 2 * (18 + 25));

  ruDraw::SelectPack("pk_names.pak");
  const int block = ruDraw::LoadPack("block.bmp", 2);
  EXPECT_EQ(block, 4);
  EXPECT_STREQ(ruDraw::Objects[block].name, "BLOCK.BMP");
  EXPECT_EQ(ruDraw::Objects[block].packFlag, 1);
  EXPECT_EQ(PixelAt(ruDraw::Objects[block].surface, 1, 0), 0xFFFFFFu);
  EXPECT_EQ(ruDraw::LoadPack("bmp\\block.bmp", 2), 0);
  EXPECT_EQ(LastReport(), "ruDraw::LoadPack : BMPファイルを読み込めません");
  EXPECT_EQ(ruDraw::CreateObject(1, 1, 2), 5);  // the failed load took no slot
}

TEST_F(PackTest, StoredWhiteLoadsAsEachDisplayShowsIt) {
  WritePack("pk_white.pak", {Entry(2, 2, "W.BMP", 0x7FFF)});
  struct Case {
    int depth;
    DWORD pixel;
  } cases[] = {{16, 0xFFDF}, {15, 0x7FFF}, {32, 0xFFFFFF}, {24, 0xFFFFFF}};
  for (const Case& c : cases) {
    CloseScreen();
    OpenScreen(c.depth);
    ruDraw::SelectPack("pk_white.pak");
    const int n = ruDraw::LoadPack("w.bmp", 2);
    ASSERT_GT(n, 0) << c.depth;
    EXPECT_EQ(PixelAt(ruDraw::Objects[n].surface, 1, 1), c.pixel) << c.depth;
  }
}

TEST_F(PackTest, SwapKeepsTheNumberAndRestoreReloadsFromTheSelectedPack) {
  WritePack("pk_swap.pak", {Entry(5, 3, "RED.BMP", 0x7C00), Entry(2, 2, "KEY.BMP", 0x001F)});
  ruDraw::SelectPack("pk_swap.pak");
  for (int i = 0; i < 4; ++i) ruDraw::CreateObject(1, 1, 2);  // objects 4 to 7
  EXPECT_EQ(ruDraw::SwapPack("red.bmp", 7, 2), 7);
  EXPECT_EQ(ruDraw::Objects[7].width, 5);
  EXPECT_EQ(ruDraw::Objects[7].height, 3);
  EXPECT_EQ(PixelAt(ruDraw::Objects[7].surface, 4, 2), 0xF800u);

  // A top-left key is taken from the picture, not from the blank surface.
  ruDraw::SetColorKeyTopLeft();
  const int keyed = ruDraw::LoadPack("KEY.BMP", 2);
  platform::ColorKey key;
  ruDraw::Objects[keyed].surface->GetColorKey(DDCKEY_SRCBLT, &key);
  EXPECT_EQ(key.low, 0x001Fu);
  EXPECT_EQ(ruDraw::Objects[keyed].colorKey, -1);

  platform::MakeAllSurfacesLost();
  ruDraw::RestoreAll();
  EXPECT_EQ(PixelAt(ruDraw::Objects[7].surface, 4, 2), 0xF800u);
  EXPECT_EQ(PixelAt(ruDraw::Objects[keyed].surface, 0, 0), 0x001Fu);
  EXPECT_EQ(ruDraw::SwapPack("red.bmp", 1024, 2), 0);

  // With one slot left the temporary copy finds none: the load fails whole.
  for (int n = 0; n != 1022;) {
    n = ruDraw::CreateObject(1, 1, 2);
    ASSERT_NE(n, 0);
  }
  EXPECT_EQ(ruDraw::LoadPack("red.bmp", 2), 0);
  EXPECT_EQ(LastReport(), "ruDraw::CreateObject : オブジェクト数が多過ぎます");
  EXPECT_EQ(ruDraw::Objects[1023].name[0], '\0');
}

TEST_F(PackTest, BrokenPacksAreRefusedWithoutMakingObjects) {
  ruDraw::DrawPackPath[0] = '\0';
  EXPECT_EQ(ruDraw::LoadPack("a.bmp", 2), 0);
  EXPECT_EQ(LastReport(), "ruDraw::LoadPack : パックファイル名が指定されていません");
  ruDraw::SelectPack("pk_missing.pak");
  EXPECT_EQ(ruDraw::SwapPack("a.bmp", 4, 2), 0);
  EXPECT_EQ(LastReport(), "ruDraw::SwapPack : パックファイル名が指定されていません");
  const std::string longName(128, 'N');
  const std::vector<std::vector<unsigned char>> broken[] = {
      {Entry(4, 4, "A.BMP", 0x7FFF, 5)},            // cut inside the pixels
      {Entry(4, 4, "B.BMP", 1), {3, 0, 3}},         // cut inside the next size
      {Entry(1, 1, longName, 1), Entry(1, 1, "A.BMP", 1)},  // name of 128 bytes
      {Entry(8193, 1, "A.BMP", 1, 0)},              // wider than any bitmap
      {Entry(4096, 4097, "A.BMP", 1, 0)},           // more pixels than any bitmap
  };
  for (const auto& raw : broken) {
    WritePack("pk_broken.pak", raw);
    ruDraw::SelectPack("pk_broken.pak");
    EXPECT_EQ(ruDraw::LoadPack("a.bmp", 2), 0);
    EXPECT_EQ(LastReport(), "ruDraw::LoadPack : BMPファイルを読み込めません");
    EXPECT_EQ(ruDraw::Objects[4].surface, nullptr);
  }
}

TEST_F(PackTest, APackedPictureLoadsAsItsBmpAtFiveBitsPerChannel) {
  std::mt19937 random(11);
  std::vector<std::uint32_t> colors(17 * 9);
  for (std::uint32_t& c : colors) c = random() & 0xFFFFFF;
  colors[0] = 0;
  colors[1] = 0x030201;  // near black stays visible
  auto picture = [&](int x, int y) { return colors[size_t(y) * 17 + x]; };
  CloseScreen();
  OpenScreen(32);
  drawtest::WriteBmp24("pk_trip.bmp", 17, 9, picture);
  std::remove(drawtest::InAppFolder("pk_trip.pak").c_str());
  ASSERT_EQ(ruDraw::ConvertFile("pk_trip.pak", "pk_trip.bmp"), 1);
  for (int depth : {16, 15}) {
    CloseScreen();
    OpenScreen(depth);
    ruDraw::SelectPack("pk_trip.pak");
    const int packed = ruDraw::LoadPack("PK_TRIP.BMP", 2);
    const int plain = ruDraw::LoadObject("pk_trip.bmp", 2);
    ASSERT_GT(packed, 0) << LastReport();
    const DWORD fiveBits = depth == 16 ? 0xFFDF : 0x7FFF;  // 5-6-5 drops green's low bit
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 17; ++x) {
        DWORD expected = PixelAt(ruDraw::Objects[plain].surface, x, y) & fiveBits;
        if (expected == 0 && picture(x, y) != 0) expected = 1;  // near black: darkest blue
        EXPECT_EQ(PixelAt(ruDraw::Objects[packed].surface, x, y), expected) << x << "," << y;
      }
  }
}

}  // namespace
