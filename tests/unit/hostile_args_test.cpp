// hostile_args_test.cpp - what a careless game or a damaged file can throw
// at the library: broken BMP files through the loaders, and extreme
// arguments to every public drawing, text, input and system operation.
// Run under the sanitizers, a pass means no crash, overrun, UB or hang.
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/draw_fixture.h"
#include "text/text.h"

namespace {

using drawtest::DrawTest;
using Bytes = std::vector<unsigned char>;

const char kCannotLoad[] = "ruDraw::LoadObject : BMPファイルを読み込めません";
const char kCannotSwap[] = "ruDraw::SwapObject : BMPファイルを読み込めません";
const int kObjectNumbers[] = {-1, 1024, INT_MIN, INT_MAX, 1023};
struct Rect {
  int left, top, right, bottom;
};
const Rect kRects[] = {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {INT_MAX, INT_MAX, INT_MIN, INT_MIN},
                       {-100000, -5, 100000, 5},            {5, 5, 5, 5},
                       {30, 30, -30, -30},                   {0, 0, 1 << 30, 1 << 30}};
const int kCoords[] = {INT_MIN, -1000000, -1, 0, 639, 100000, INT_MAX};

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAppFile(const std::string& name, const Bytes& bytes, size_t size) {
  std::FILE* f = std::fopen(drawtest::InAppFolder(name).c_str(), "wb");
  ASSERT_NE(f, nullptr) << name;
  if (size) std::fwrite(bytes.data(), 1, size, f);
  std::fclose(f);
}

void Put32(Bytes& b, size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = BYTE(v >> (8 * i));
}

// An 8-bit run-length file of any claimed size whose stream is just "end".
Bytes TinyRle8(std::int32_t width, std::int32_t height) {
  Bytes b(14 + 40 + 8 + 2, 0);
  b[0] = 'B', b[1] = 'M';
  Put32(b, 2, std::uint32_t(b.size()));
  Put32(b, 10, 14 + 40 + 8);
  Put32(b, 14, 40);
  Put32(b, 18, std::uint32_t(width));
  Put32(b, 22, std::uint32_t(height));
  b[26] = 1, b[28] = 8, b[30] = 1;  // planes, bits, RLE8
  Put32(b, 46, 2);
  b[b.size() - 1] = 1;  // 0x00 0x01: end of bitmap
  return b;
}

class HostileTest : public DrawTest {
 protected:
  // Loads a file that must be refused: report, no surface, slot named.
  void ExpectRefused(const std::string& name, const std::string& why) {
    const int before = Reports();
    const int n = ruDraw::LoadObject(name.c_str(), 2);
    EXPECT_EQ(n, 0) << why;
    EXPECT_EQ(Reports(), before + 1) << why;
    EXPECT_EQ(LastReport(), kCannotLoad) << why;
    // The failed slot is the lowest named slot without a surface; free it
    // by hand so the sweep does not run the table out.
    for (int i = ruDraw::kFirstLoadedObject; i < ruDraw::kObjectCount; ++i)
      if (ruDraw::Objects[i].name[0] && !ruDraw::Objects[i].surface) {
        EXPECT_STREQ(ruDraw::Objects[i].name, name.c_str()) << why;
        ruDraw::Objects[i].name[0] = '\0';
      }
  }
};

TEST_F(HostileTest, EveryTruncationOfRealFilesIsRefusedOrLoadsWhole) {
  std::vector<std::string> sources = {std::string(RU_SOURCE_DIR) + "/game/bmp/block.bmp"};
  for (const char* seed : {"1bit", "4bit_topdown", "8bit_short_palette", "rle4", "rle8",
                           "16bit_565_fields", "32bit_v5", "core_24bit"})
    sources.push_back(std::string(RU_SOURCE_DIR) + "/fuzz/corpus/bmp/" + seed + ".bmp");
  const int swapSlot = ruDraw::CreateObject(2, 2, 2);
  ASSERT_GT(swapSlot, 0);
  for (const std::string& source : sources) {
    const Bytes whole = ReadFile(source);
    ASSERT_GT(whole.size(), 26u) << source;
    // Every offset of the small files, a stride through the large one.
    const size_t step = whole.size() > 400 ? 37 : 1;
    for (size_t cut = 0; cut < whole.size(); cut += step) {
      WriteAppFile("hostile_cut.bmp", whole, cut);
      const int n = ruDraw::LoadObject("hostile_cut.bmp", 2);
      if (n > 0) {
        // A cut RLE stream may end early and still decode (as Windows shows it).
        EXPECT_NE(ruDraw::Objects[n].surface, nullptr);
        ruDraw::FreeObject(n);
        continue;
      }
      EXPECT_EQ(LastReport(), kCannotLoad) << source << " cut at " << cut;
      ruDraw::Objects[ruDraw::kFirstLoadedObject + 1].name[0] = '\0';
      EXPECT_EQ(ruDraw::SwapObject("hostile_cut.bmp", swapSlot, 2), 0);
      EXPECT_EQ(LastReport(), kCannotSwap);
      EXPECT_EQ(ruDraw::Objects[swapSlot].surface, nullptr);
    }
    WriteAppFile("hostile_cut.bmp", whole, whole.size());
    ASSERT_EQ(ruDraw::SwapObject("hostile_cut.bmp", swapSlot, 2), 1) << source;
  }
}

TEST_F(HostileTest, AbsurdHeadersAndOddFilesAreRefused) {
  const Bytes block = ReadFile(std::string(RU_SOURCE_DIR) + "/game/bmp/block.bmp");
  ASSERT_GT(block.size(), 54u);
  struct Change {
    const char* what;
    size_t at;
    std::uint32_t value;
  } changes[] = {
      {"width 2^31-1", 18, 0x7FFFFFFF},   {"height -2^31", 22, 0x80000000},
      {"width -1", 18, 0xFFFFFFFF},       {"offset past end", 10, 0xFFFFFFF0},
      {"offset into header", 10, 3},      {"header size 2^32-1", 14, 0xFFFFFFFF},
      {"bit count 0", 28, 0},             {"bit count 64", 28, 64},
      {"compression 99", 30, 99},         {"RLE8 on 24 bits", 30, 1},
      {"bit fields on 24 bits", 30, 3},   {"palette 2^32-1", 46, 0xFFFFFFFF},
      {"palette 257", 46, 257},           {"height doubled", 22, 80},
  };
  for (const Change& c : changes) {
    Bytes b = block;
    Put32(b, c.at, c.value);
    WriteAppFile("hostile_header.bmp", b, b.size());
    ExpectRefused("hostile_header.bmp", c.what);
  }
  // Sizes a few bytes can claim: past the limits they are refused at once.
  for (auto [w, h] : {std::pair{4097, 4096}, {8193, 1}, {1, 8193}, {65535, 65535}}) {
    const Bytes rle = TinyRle8(w, h);
    WriteAppFile("hostile_size.bmp", rle, rle.size());
    ExpectRefused("hostile_size.bmp", std::to_string(w) + "x" + std::to_string(h));
  }
  // Runs off the image: a run longer than the row, a delta below the last row.
  for (Bytes stream : {Bytes{200, 1, 0, 1}, Bytes{0, 2, 0, 200, 0, 1}, Bytes{0, 5, 1, 2}}) {
    Bytes b = TinyRle8(4, 4);
    b.resize(14 + 40 + 8);
    b.insert(b.end(), stream.begin(), stream.end());
    WriteAppFile("hostile_rle.bmp", b, b.size());
    ExpectRefused("hostile_rle.bmp", "RLE stream");
  }

  WriteAppFile("hostile_empty.bmp", {}, 0);
  ExpectRefused("hostile_empty.bmp", "empty file");
  const std::string dir = drawtest::InAppFolder("hostile_dir.bmp");
  ::mkdir(dir.c_str(), 0755);
  ExpectRefused("hostile_dir.bmp", "directory");
  ::rmdir(dir.c_str());
  // A sparse file past the read limit: refused without reading it all.
  const std::string huge = drawtest::InAppFolder("hostile_huge.bmp");
  WriteAppFile("hostile_huge.bmp", block, block.size());
  ASSERT_EQ(::truncate(huge.c_str(), off_t(80) * 1024 * 1024), 0);
  ExpectRefused("hostile_huge.bmp", "huge file");
  std::remove(huge.c_str());
  ExpectRefused("", "empty name");
  EXPECT_EQ(ruDraw::LoadObject(nullptr, 2), 0);
  EXPECT_EQ(LastReport(), kCannotLoad);
}

TEST(BitmapLimits, LargestClaimedSizeDecodesAndOneMoreRowIsRefused) {
  std::string error;
  Bytes b = TinyRle8(4096, 4096);
  std::unique_ptr<platform::Bitmap> largest(platform::DecodeBmp(b.data(), b.size(), &error));
  ASSERT_TRUE(largest) << error;
  EXPECT_EQ(largest->Row(4095)[4095], 0u);
  b = TinyRle8(4096, 4097);
  EXPECT_FALSE(platform::DecodeBmp(b.data(), b.size(), &error));
  EXPECT_EQ(error, "BMP: bitmap too large");
}

TEST_F(HostileTest, ObjectOperationsTakeAnyNumberAndSize) {
  const int n = PatternObject(16, 16);
  ASSERT_GT(n, 0);
  // A refused size reports and leaves its slot named "*" without a surface.
  int slot = n + 1;
  for (auto [w, h] : {std::pair{0, 0}, {-1, 10}, {INT_MIN, INT_MIN}, {INT_MAX, 1}, {8193, 1},
                      {4097, 4096}}) {
    EXPECT_EQ(ruDraw::CreateObject(w, h, 2), 0) << w << "x" << h;
    EXPECT_EQ(LastReport(), "ruDraw::CreateObject : スプライトを作成できません");
    EXPECT_STREQ(ruDraw::Objects[slot].name, "*");
    EXPECT_EQ(ruDraw::Objects[slot++].surface, nullptr);
  }
  for (int bad : kObjectNumbers) {
    if (bad == 1023) continue;  // a real, empty slot: the swap below names it
    EXPECT_EQ(ruDraw::SwapObject("hostile_none.bmp", bad, 2), 0);
    EXPECT_EQ(ruDraw::SetObjectColorKeyTopLeft(bad), DDERR_INVALIDPARAMS);
    EXPECT_NE(ruDraw::CopyColorKey(n, bad), DD_OK);
    ruDraw::FreeObject(bad);
  }
  ruDraw::SetColorKey(CLR_INVALID);  // -1 as a key: the top-left pixel
  EXPECT_EQ(ruDraw::CreateObject(1, 1, INT_MIN), slot);
  ruDraw::SetColorKey(0);
}

TEST_F(HostileTest, DrawingSweepKeepsToTheSurfaces) {
  const int n = PatternObject(16, 16);
  ASSERT_GT(n, 0);
  std::vector<int> numbers(std::begin(kObjectNumbers), std::end(kObjectNumbers));
  numbers.push_back(n);
  numbers.push_back(0);
  const std::vector<DWORD> pixels = {0, 0xFFFF, 0xFFFFFFFF};
  for (const Rect& clip : {Rect{0, 0, 640, 480}, kRects[0], kRects[1], Rect{-50, -50, 700, 700}}) {
    ruDraw::SetClipWindow(clip.left, clip.top, clip.right, clip.bottom);
    for (int obj : numbers)
      for (const Rect& r : kRects)
        for (int at : {INT_MIN, -20, INT_MAX}) {
          ruDraw::Draw(at, at, obj, r.left, r.top, r.right, r.bottom);
          ruDraw::DrawNoKey(at, ~at, obj, r.left, r.top, r.right, r.bottom);
          ruDraw::DrawToObject(n, at, at, obj, r.left, r.top, r.right, r.bottom);
          ruDraw::DrawToObjectNoKey(obj, at, at, n, r.left, r.top, r.right, r.bottom);
          ruDraw::DrawStretch(at, at, obj, r.left, r.top, r.right, r.bottom, 40, 40);
          ruDraw::DrawStretchNoKey(0, 0, obj, 0, 0, 16, 16, r.right, r.bottom);
          for (int mode : {-1, 3}) ruDraw::DrawFlip(at, at, mode, obj, r.left, r.top, r.right, r.bottom);
          for (int step : {INT_MIN, -1, 1, INT_MAX}) {
            ruDraw::DrawLineRepeat(at, at, step, obj, r.left, r.top, r.right, r.bottom);
            ruDraw::DrawInterlace(at, at, step, obj, r.left, r.top, r.right, r.bottom);
            ruDraw::DrawShake(at, at, step, obj, r.left, r.top, r.right, r.bottom);
            ruDraw::DrawWave(at, at, step, step, 1e30f, obj, r.left, r.top, r.right, r.bottom, step);
            ruDraw::DrawWaveScroll(at, at, step, step, -1e30f, 1e30f, obj, r.left, r.top, r.right,
                                   r.bottom);
          }
          ruDraw::DrawWaveTile(at, ~at, INT_MAX, INT_MIN, 1.0f, 1e38f, obj, r.left, r.top, r.right,
                               r.bottom);
          ruDraw::DrawTile(1e38f, -1e38f, obj, r.left, r.top, r.right, r.bottom);
          ruDraw::DrawAccordion(at, at, at, 1e30f, obj, r.left, r.top, r.right, r.bottom);
          ruDraw::GetScreen(obj, r.left, r.top, r.right, r.bottom);
        }
    for (const Rect& r : kRects) {
      ruDraw::ClearRect(r.left, r.top, r.right, r.bottom);
      ruDraw::FrameRect(r.left, r.top, r.right, r.bottom);
      ruDraw::WhiteRect(r.left, r.top, r.right, r.bottom);
      for (DWORD p : pixels) {
        ruDraw::FillRect(r.left, r.top, r.right, r.bottom, p);
        ruDraw::HalfRect(r.left, r.top, r.right, r.bottom, p);
      }
      ruDraw::InvertBox(r.left, r.top, r.right, r.bottom);
      for (int width : {INT_MIN, -1, 0, 1, 3, 40}) {
        ruDraw::Box(r.left, r.top, r.right, r.bottom, 0xFFFFFFFF, 0x123456, width);
        ruDraw::Line(r.left, r.top, r.right, r.bottom, 0xFFFFFF, width);
        ruDraw::Line(r.left, r.bottom, r.right, r.top, 0xFFFFFF, width);
      }
      ruDraw::Box(r.left, r.top, r.right, r.bottom, 0, 0, INT_MAX);
      ruDraw::Line(r.left, r.top, r.left, r.top, 0xFFFFFF, INT_MAX);
    }
  }
  for (int obj : numbers) ruDraw::ClearObject(obj);
  const POINT wild[] = {{INT_MIN, INT_MIN}, {INT_MAX, 0}, {0, INT_MAX}, {5, 5}};
  for (int count : {INT_MIN, -1, 0, 1, 2, 4}) {
    ruDraw::Bezier(nullptr, count, 0, 1);
    ruDraw::Polygon(nullptr, count, 0, 0, 1, 1);
    ruDraw::Bezier(wild, std::min(count, 4), 0xFFFFFF, 2);
    for (int fill : {-1, 0, 1, 2, 3}) ruDraw::Polygon(wild, std::min(count, 4), 0xFF, 0xFF00, 3, fill);
  }
  int red = -1, green = -1, blue = -1;
  for (int x : kCoords) {
    ruDraw::SetPixel(x, ~x, 0xFFFFFF);
    ruDraw::GetPixel(x, x, &red, &green, &blue);
    ruDraw::GetPixel(x, x, nullptr, nullptr, nullptr);
  }
  ruDraw::SetClipWindow(0, 0, 640, 480);
  // The back buffer still works: a pixel set now reads back.
  ruDraw::SetPixel(3, 3, RGB(255, 255, 255));
  ruDraw::GetPixel(3, 3, &red, &green, &blue);
  EXPECT_EQ(red, 248);  // 5-6-5: the channel's own bits, low bits zero
  EXPECT_EQ(green, 252);
  EXPECT_EQ(blue, 248);
}

TEST_F(HostileTest, FarLinesAndHugeRowRangesStillDrawTheirVisiblePart) {
  const DWORD white = 0xFFFF;
  ruDraw::Line(-1000000000, 10, 1000000000, 10, RGB(255, 255, 255), 1);
  ruDraw::Line(20, INT_MIN, 20, INT_MAX, RGB(255, 255, 255), 1);
  drawtest::ExpectPixels({{0, 10, white}, {639, 10, white}, {0, 11, 0}, {20, 0, white},
                          {20, 479, white}, {21, 479, 0}});
  // Row loops over huge source ranges: the visible rows are drawn as ever.
  const int n = PatternObject(16, 16);
  ruDraw::ClearScreen();
  ruDraw::DrawWave(100, -5, 0, 1, 0, n, 0, -5, 16, INT_MAX, 1);
  ruDraw::DrawLineRepeat(200, -3000000, 3, n, 0, -3000000, 16, INT_MAX);
  ruDraw::DrawShake(300, INT_MIN, 1, n, 0, INT_MIN, 16, INT_MAX);
  for (auto [x, y, row] : {std::tuple{100, 3, 3}, {100, 15, 15}, {100, 20, -1}, {200, 1, 0},
                           {200, 5, 3}, {200, 20, -1}, {305, 15, 15}, {305, 20, -1}})
    EXPECT_EQ(drawtest::CodeY(drawtest::BackPixel(x, y)), row) << x << "," << y;
}

TEST_F(HostileTest, PresentationOptionsTakeAnyValue) {
  EXPECT_EQ(ruDraw::LoadTransition(nullptr), 0);
  EXPECT_EQ(ruDraw::LoadTransition("hostile_no_transition.bmp"), 0);
  ruDraw::CloseTransition();
  ruDraw::Present();
  ruDraw::OpenTransition();
  ruDraw::Present();
  for (int limit : {INT_MIN, -1, 0, INT_MAX}) {
    ruDraw::LoadOverlay(nullptr, nullptr, limit);
    ruDraw::LoadOverlay("hostile_no_page.bmp", "hostile_no_back.bmp", limit);
    ruDraw::ToggleOverlay();
    ruDraw::Present();
    ruDraw::ToggleOverlay();
  }
  ruDraw::OverlayShown = 0;
  for (int v : {INT_MIN, -1, 2, INT_MAX}) ruDraw::SetVSync(v);
  ruDraw::SetVSync(0);
  ruDraw::Present();
}

TEST_F(HostileTest, TextTakesAnyStringFontAndBox) {
  ruDraw::InitFont();
  // Lone lead bytes, a lead byte before the terminator, bytes that decode
  // to nothing, and a long line.
  const std::string longLine(5000, '\x82');
  const char* texts[] = {nullptr, "", "\x81", "A\x9F", "\x82\xA0\xFF\xFD\x80\xA0", "\xE0\x7F\n\n",
                         longLine.c_str()};
  const std::string longName(300, '\x93');
  const char* names[] = {nullptr, "", "\x82", longName.c_str(), "NoSuchFaceAnywhere"};
  for (const char* name : names)
    for (int height : {INT_MIN, -1, 0, 12, 4000, INT_MAX})
      for (int angle : {INT_MIN, -1, 3601, INT_MAX}) {
        ruDraw::SetFontName(name, height, angle, height, angle, angle);
        ruDraw::SetFont(height, height, angle, angle, 1, 1);
        for (int transparent : {0, 1}) ruDraw::SetTextColor(0xFFFFFFFF, 0, transparent);
        for (const char* text : texts)
          for (const Rect& r : kRects) {
            ruDraw::PutText(r.left, r.top, text);
            for (int align : {INT_MIN, -1, 1, 3}) ruDraw::PutTextBox(r.left, r.top, r.right, r.bottom, text, align);
            ruDraw::MeasureTextBox(r.left, r.top, r.right, r.bottom, text);
          }
        ruDraw::ResetFont();
        ruDraw::SetBufferFontName(name, height);
        ruDraw::SetBufferFont(angle, height);
        ruDraw::PutText(0, 0, "\x88\x9F");
        ruDraw::ResetBufferFont();
      }
  ruDraw::ResetFont();
  ruDraw::ResetFont();
  for (const char* text : texts) ruDraw::Print(INT_MIN, INT_MAX, text);
  ruDraw::Printf(0, 0, nullptr);
  ruDraw::Printf(0, 0, "%s%s", longLine.c_str(), longLine.c_str());
  ruDraw::Printf(INT_MAX, INT_MIN, "%0*d", 100000, 7);
  ruDraw::PrintFps();
  ruDraw::ExitFont();
  ruDraw::ExitFont();
  // Without a font description every text operation does nothing.
  ruDraw::SetFont(0, 12, 0, 0, 0, 0);
  ruDraw::PutText(0, 0, "x");
  EXPECT_EQ(ruDraw::PutTextBox(0, 0, 10, 10, "x", 0), 0);
  ruDraw::InitFont();
}

TEST_F(HostileTest, SystemOperationsTakeAnyArguments) {
  for (int wait : {INT_MIN, -5, 0, 11, 12, INT_MAX}) {
    EXPECT_EQ(ruSystem::SetWait(wait, 10), 0) << wait;
    EXPECT_EQ(ruSystem::InitWait(wait), 0) << wait;
    EXPECT_EQ(ruSystem::CheckWait(wait), 1) << wait;
  }
  EXPECT_EQ(LastReport(), "ruSystem::InitWait : ウェイトNoが範囲外です");
  EXPECT_EQ(ruSystem::SetWait(10, 0xFFFFFFFF), 1);
  ruSystem::Sleep(0);

  headless_->QueueAnswer(IDYES);
  EXPECT_EQ(ruSystem::Question(nullptr), 1);
  ruSystem::Message(nullptr);
  // A format whose result passes 256 bytes, with a double-byte character
  // across the cut.
  const std::string text(400, '\x82');
  ruSystem::Message("%s", text.c_str());
  const std::string shown = LastReport();
  EXPECT_LE(shown.size(), 255u);
  EXPECT_EQ(shown.substr(shown.size() - 2), "\r\n");
  EXPECT_EQ((shown.size() - 2) % 2, 0u);
  EXPECT_EQ(ruSystem::Error(nullptr, nullptr, INT_MIN), 0);
  EXPECT_EQ(LastReport(), " : ");
  EXPECT_EQ(ruSystem::Error(text.c_str(), text.c_str(), 0), 0);
  EXPECT_LE(LastReport().size(), 255u);
  EXPECT_EQ(ruSystem::WriteLog(nullptr), 0);

  ruSystem::WriteValue(nullptr, 1);
  EXPECT_EQ(ruSystem::ReadValue(nullptr), 0);
  const std::string longFile(1000, 'v');
  ruSystem::WriteValue(longFile.c_str(), 5);  // no such name can exist: silent
  EXPECT_EQ(ruSystem::ReadValue(longFile.c_str()), 0);
  EXPECT_EQ(ruSystem::ReadDataRoot(nullptr), 0);
  ruSystem::GetDate(nullptr, nullptr, nullptr, nullptr);
  ruSystem::GetTime(nullptr, nullptr, nullptr);
  for (int depth : {INT_MIN, -1, 0, 7, INT_MAX}) {
    ruSystem::SetColorDepth(depth, depth, depth);
    ruSystem::CheckColorDepth(nullptr);
  }
  ruSystem::SetColorDepth(16, 0, 0);
  for (int v : kCoords) {
    ruSystem::ClipCursorRect(v, v, ~v, INT_MAX);
    ruSystem::SetMousePos(v, ~v);
  }
  ruSystem::WindowX = ruSystem::WindowY = INT_MAX;
  ruSystem::SetMousePos(INT_MAX, INT_MAX);
  ruSystem::ClipCursorToWindow();
  ruSystem::WindowX = ruSystem::WindowY = 0;
  ruSystem::UnclipCursor();
  for (int on : {INT_MIN, 0, 2}) ruSystem::SetIme(on);
}

TEST_F(HostileTest, InputTakesAnyCodeAndLongKeyLists) {
  int state = INT_MIN;
  for (int code : {INT_MIN, -1, 0, 255, 256, 0x1FF, INT_MAX}) {
    ruSystem::GetKey(code, &state);
    EXPECT_GE(state, 0);
    EXPECT_LE(state, 3);
    ruSystem::GetKey(code, nullptr);
    if (code != VK_ESCAPE) ruSystem::KeyDown(code);
    ruSystem::KeyUp(code);
    ruSystem::SetCountKey(code);
    ruSystem::KeyUp(code);
    EXPECT_EQ(ruSystem::GetCountKeyReleases(), 1);
    ruSystem::SetSysKeyMode(code);
  }
  ruSystem::SetSysKeyMode(0);
  ruSystem::ClearInputLatches();
  // A long list whose last entry is the key pressed and released.
  ruSystem::KeyDown('Z');
  EXPECT_EQ(ruSystem::CheckKeyList(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18,
                                   19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34,
                                   INT_MIN, INT_MAX, -1, 'Z', 0),
            0);
  ruSystem::KeyUp('Z');
  EXPECT_EQ(ruSystem::CheckKeyList(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18,
                                   19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34,
                                   INT_MIN, INT_MAX, -1, 'Z', 0),
            'Z');
  EXPECT_EQ(ruSystem::CheckKeyList(0), 0);
  ruSystem::ClearInputLatches();
}

}  // namespace
