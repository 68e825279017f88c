// draw_objects_test.cpp - the draw object table: slots and their reuse,
// name limits, failed loads, colour keys, lost surfaces, and object numbers
// that name no surface.
#include <filesystem>

#include "tests/support/draw_fixture.h"

namespace {

using drawtest::DrawTest;
using drawtest::PixelAt;

using ObjectTest = DrawTest;

DWORD KeyOf(int n) {
  platform::ColorKey key;
  ruDraw::Objects[n].surface->GetColorKey(DDCKEY_SRCBLT, &key);
  return key.low;
}

TEST_F(ObjectTest, SlotsStartAtFourAreReusedAndRunOutAfter1020) {
  EXPECT_EQ(ruDraw::CreateObject(4, 4, 2), 4);
  ruDraw::FreeObject(4);
  EXPECT_EQ(ruDraw::Objects[4].name[0], '\0');
  for (int i = 0; i < 1020; ++i) ASSERT_EQ(ruDraw::CreateObject(1, 1, 2), 4 + i);
  EXPECT_STREQ(ruDraw::Objects[4].name, "*");
  EXPECT_EQ(ruDraw::CreateObject(1, 1, 2), 0);
  EXPECT_EQ(LastReport(), "ruDraw::CreateObject : オブジェクト数が多過ぎます");
  EXPECT_EQ(ruDraw::LoadObject("any.bmp", 2), 0);
  EXPECT_EQ(LastReport(), "ruDraw::LoadObject : オブジェクト数が多過ぎます");
}

TEST_F(ObjectTest, NamesOfThirtyBytesLoadAndLongerOnesAreRefusedFirst) {
  const std::string thirty = "draw_name_limit_abcdefghij.bmp";
  ASSERT_EQ(thirty.size(), 30u);
  drawtest::WriteBmp24(thirty, 3, 2, [](int, int) { return 0xFFFFFFu; });
  EXPECT_EQ(ruDraw::LoadObject(thirty.c_str(), 2), 4);
  EXPECT_STREQ(ruDraw::Objects[4].name, thirty.c_str());
  EXPECT_EQ(ruDraw::Objects[4].width, 3);
  EXPECT_EQ(ruDraw::Objects[4].height, 2);

  const std::string longer = "x" + thirty;
  EXPECT_EQ(ruDraw::LoadObject(longer.c_str(), 2), 0);
  EXPECT_EQ(LastReport(), "ruDraw::LoadObject : ファイル名またはリソース名が長すぎます");
  EXPECT_EQ(ruDraw::SwapObject(longer.c_str(), 4, 2), 0);
  EXPECT_EQ(LastReport(), "ruDraw::SwapObject : ファイル名またはリソース名が長すぎます");
  EXPECT_NE(ruDraw::Objects[4].surface, nullptr);
  EXPECT_EQ(ruDraw::CreateObject(1, 1, 2), 5);
}

TEST_F(ObjectTest, AFailedLoadKeepsItsSlotNamedWithoutSurface) {
  EXPECT_EQ(ruDraw::LoadObject("draw_no_such_file.bmp", 2), 0);
  EXPECT_EQ(LastReport(), "ruDraw::LoadObject : BMPファイルを読み込めません");
  EXPECT_EQ(ruDraw::Objects[4].surface, nullptr);
  ruDraw::FreeObject(4);
  EXPECT_STREQ(ruDraw::Objects[4].name, "draw_no_such_file.bmp");

  // A file cut short, and one whose header claims a huge picture.
  drawtest::WriteBmp24("draw_cut.bmp", 8, 8, [](int, int) { return 0xFFFFFFu; });
  std::vector<unsigned char> bytes(54 + 8 * 24);
  std::FILE* f = std::fopen(drawtest::InAppFolder("draw_cut.bmp").c_str(), "rb");
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(std::fread(bytes.data(), 1, bytes.size(), f), bytes.size());
  std::fclose(f);
  f = std::fopen(drawtest::InAppFolder("draw_cut.bmp").c_str(), "wb");
  std::fwrite(bytes.data(), 1, 54 + 3 * 24, f);
  std::fclose(f);
  const std::int32_t huge = 30000;
  std::memcpy(&bytes[18], &huge, 4);
  std::memcpy(&bytes[22], &huge, 4);
  f = std::fopen(drawtest::InAppFolder("draw_huge.bmp").c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  EXPECT_EQ(ruDraw::LoadObject("draw_cut.bmp", 2), 0);
  EXPECT_EQ(ruDraw::LoadObject("draw_huge.bmp", 2), 0);
  EXPECT_EQ(LastReport(), "ruDraw::LoadObject : BMPファイルを読み込めません");
  EXPECT_EQ(ruDraw::Objects[5].surface, nullptr);
  EXPECT_EQ(ruDraw::Objects[6].surface, nullptr);
  EXPECT_STREQ(ruDraw::Objects[6].name, "draw_huge.bmp");
  EXPECT_EQ(ruDraw::CreateObject(1, 1, 2), 7);
}

// Each failed load adds one stderr line naming the file and the reason to
// its box. The files: missing, a folder, cut short, not a BMP, a header
// claiming a huge picture, and a (sparse) file too large to read at all.
TEST_F(ObjectTest, AFailedLoadNamesTheFileAndTheReasonOnStderr) {
  std::filesystem::create_directories(drawtest::InAppFolder("draw_why_dir.bmp"));
  drawtest::WriteBmp24("draw_why_cut.bmp", 8, 8, [](int, int) { return 0u; });
  std::filesystem::resize_file(drawtest::InAppFolder("draw_why_cut.bmp"), 100);
  drawtest::WriteBmp24("draw_why_text.bmp", 8, 8, [](int, int) { return 0u; });
  std::filesystem::copy_file(drawtest::InAppFolder("draw_why_text.bmp"),
                             drawtest::InAppFolder("draw_why_huge.bmp"),
                             std::filesystem::copy_options::overwrite_existing);
  std::FILE* f = std::fopen(drawtest::InAppFolder("draw_why_text.bmp").c_str(), "r+b");
  ASSERT_NE(f, nullptr);
  std::fputs("Hello", f);
  std::fclose(f);
  f = std::fopen(drawtest::InAppFolder("draw_why_huge.bmp").c_str(), "r+b");
  ASSERT_NE(f, nullptr);
  std::fseek(f, 18, SEEK_SET);
  std::fwrite("\x30\x75\0\0\x30\x75\0\0", 1, 8, f);  // 30000 x 30000
  std::fclose(f);
  std::FILE* big = std::fopen(drawtest::InAppFolder("draw_why_big.bmp").c_str(), "wb");
  ASSERT_NE(big, nullptr);
  std::fclose(big);
  std::filesystem::resize_file(drawtest::InAppFolder("draw_why_big.bmp"), 100u << 20);

  const struct {
    const char* name;
    const char* reason;
  } cases[] = {
      {"draw_why_missing.bmp", "no such file"}, {"draw_why_dir.bmp", "is a directory"},
      {"draw_why_cut.bmp", "cut short"},        {"draw_why_text.bmp", "not a BMP file"},
      {"draw_why_huge.bmp", "bitmap too large"}, {"draw_why_big.bmp", "file too large"},
  };
  for (const auto& c : cases) {
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(ruDraw::LoadObject(c.name, 2), 0) << c.name;
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(LastReport(), "ruDraw::LoadObject : BMPファイルを読み込めません");
    const std::string line = "ruDraw::LoadObject: cannot load " + drawtest::InAppFolder(c.name);
    const size_t at = err.find(line);
    ASSERT_NE(at, std::string::npos) << err;
    EXPECT_EQ(err.find(line, at + 1), std::string::npos) << err;
    const std::string rest = err.substr(at, err.find('\n', at) - at);
    EXPECT_NE(rest.find(c.reason), std::string::npos) << rest;
  }
  std::filesystem::remove(drawtest::InAppFolder("draw_why_big.bmp"));
}

TEST_F(ObjectTest, KeysAreBlackByDefaultOrTheTopLeftPixelInTheSurfaceFormat) {
  drawtest::WriteBmp24("draw_key.bmp", 4, 4,
                       [](int x, int y) { return x + y == 0 ? 0x00FF00u : 0xFF0000u; });
  const int plain = ruDraw::LoadObject("draw_key.bmp", 2);
  EXPECT_EQ(KeyOf(plain), 0u);
  ruDraw::SetColorKeyTopLeft();
  const int corner = ruDraw::LoadObject("draw_key.bmp", 2);
  EXPECT_EQ(KeyOf(corner), 0x07E0u);
  EXPECT_EQ(ruDraw::Objects[corner].colorKey, -1);
  ruDraw::Draw(10, 10, corner, 0, 0, 4, 4);
  drawtest::ExpectPixels({{10, 10, 0}, {11, 10, 0xF800}});
  EXPECT_EQ(PixelAt(ruDraw::Objects[corner].surface, 0, 0), 0x07E0u);  // put back

  EXPECT_EQ(ruDraw::SetObjectColorKey(plain, RGB(255, 0, 255)), DD_OK);
  EXPECT_EQ(KeyOf(plain), 0xF81Fu);
  EXPECT_EQ(ruDraw::CopyColorKey(corner, plain), DD_OK);
  EXPECT_EQ(KeyOf(corner), 0xF81Fu);
  EXPECT_EQ(ruDraw::Objects[corner].colorKey, -1);  // the slot keeps its own

  CloseScreen();
  OpenScreen(32);
  const int wide = ruDraw::CreateObject(2, 2, 2);
  ruDraw::SetObjectColorKey(wide, RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(KeyOf(wide), 0x00123456u);
}

TEST_F(ObjectTest, LostSurfacesComeBackFromFilesAndCreatedOnesBlank) {
  drawtest::WriteBmp24("draw_restore.bmp", 4, 4, [](int, int) { return 0xFFFFFFu; });
  ruDraw::SetColorKey(RGB(255, 0, 0));
  const int loaded = ruDraw::LoadObject("draw_restore.bmp", 2);
  ruDraw::SetColorKey(0);
  const int created = PatternObject(4, 4);
  platform::MakeAllSurfacesLost();
  ruDraw::Draw(0, 0, loaded, 0, 0, 4, 4);  // meets the loss and restores all
  EXPECT_EQ(ruDraw::BackBuffer->IsLost(), DD_OK);
  EXPECT_EQ(ruDraw::Objects[0].surface->IsLost(), DD_OK);
  EXPECT_EQ(PixelAt(ruDraw::Objects[loaded].surface, 2, 2), 0xFFFFu);
  EXPECT_EQ(PixelAt(ruDraw::Objects[created].surface, 2, 2), 0u);
  EXPECT_EQ(KeyOf(loaded), 0xF800u);
  EXPECT_EQ(ruDraw::ColorKey, RGB(255, 0, 0));  // the last reloaded object's key
}

TEST_F(ObjectTest, NumbersThatNameNoSurfaceDoNothing) {
  for (int n : {-1, 4, 1024, 99999}) {
    ruDraw::Draw(0, 0, n, 0, 0, 10, 10);
    ruDraw::DrawToObject(n, 0, 0, 0, 0, 0, 10, 10);
    ruDraw::DrawStretch(0, 0, n, 0, 0, 10, 10, 20, 20);
    ruDraw::DrawWave(0, 0, 5, 1, 10, n, 0, 0, 10, 10, 1);
    ruDraw::GetScreen(n, 0, 0, 10, 10);
    ruDraw::FreeObject(n);
    EXPECT_EQ(ruDraw::DrawFlip(0, 0, 1, n, 0, 0, 10, 10), 0) << n;
    EXPECT_NE(ruDraw::ClearObject(n), DD_OK);
    EXPECT_NE(ruDraw::SetObjectColorKey(n, 0), DD_OK);
    EXPECT_NE(ruDraw::CopyColorKey(n, 0), DD_OK);
  }
  EXPECT_EQ(ruDraw::SwapObject("draw_no_such_file.bmp", 1024, 2), 0);
  EXPECT_EQ(drawtest::BackPixel(0, 0), 0u);
}

}  // namespace
