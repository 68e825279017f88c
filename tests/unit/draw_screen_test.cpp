// draw_screen_test.cpp - screen set-up: pixel-format values per display
// format, the internal sprites and the empty table, driver choice, depth
// fallbacks in full screen and each failing step's report.
#include "tests/support/draw_fixture.h"

namespace {

using drawtest::DrawTest;

struct FormatCase {
  int depth;
  WORD shift[3], shift5[3];
  DWORD max[3], half, white;
};

class ScreenFormatTest : public DrawTest, public ::testing::WithParamInterface<FormatCase> {
 protected:
  void SetUp() override { OpenScreen(GetParam().depth); }
};

TEST_P(ScreenFormatTest, DerivesChannelValuesFromTheBackBuffer) {
  const FormatCase& c = GetParam();
  using namespace ruDraw;
  EXPECT_EQ((std::vector<int>{RedShift, GreenShift, BlueShift, RedShift5, GreenShift5, BlueShift5}),
            (std::vector<int>{c.shift[0], c.shift[1], c.shift[2], c.shift5[0], c.shift5[1],
                              c.shift5[2]}));
  EXPECT_EQ((std::vector<DWORD>{RedMax, GreenMax, BlueMax, HalfMask, WhiteColor}),
            (std::vector<DWORD>{c.max[0], c.max[1], c.max[2], c.half, c.white}));
  EXPECT_EQ(GreenMask, GreenMax << GreenShift);
  // The sine table is built at every depth.
  EXPECT_EQ((std::vector<int>{SineTable[0], SineTable[90], SineTable[270], SineTable[449]}),
            (std::vector<int>{0, 360, -360, 359}));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ScreenFormatTest,
    ::testing::Values(FormatCase{16, {11, 5, 0}, {11, 6, 0}, {31, 63, 31}, 0x7BEF, 0xFFFF},
                      FormatCase{15, {10, 5, 0}, {10, 5, 0}, {31, 31, 31}, 0x3DEF, 0x7FFF},
                      FormatCase{32, {16, 8, 0}, {16, 8, 0}, {255, 255, 255}, 0x7F7F7F,
                                 0xFFFFFF}));

TEST_F(DrawTest, SetUpFillsTheInternalSpritesAndEmptiesTheRest) {
  const char* names[4] = {"内部用１", "内部用２", "内部用３", "内部用４"};
  for (int n = 0; n < 4; ++n) {
    const ruDraw::DrawObject& slot = ruDraw::Objects[n];
    ASSERT_NE(slot.surface, nullptr);
    EXPECT_STREQ(slot.name, names[n]);
    EXPECT_EQ(slot.width, 640);
    EXPECT_EQ(slot.height, 480);
    EXPECT_EQ(bool(slot.surface->Caps() & DDSCAPS_SYSTEMMEMORY), n >= 2);
  }
  for (int n = 4; n < ruDraw::kObjectCount; ++n) ASSERT_EQ(ruDraw::Objects[n].name[0], '\0');
  EXPECT_NE(ruDraw::ScreenClipper, nullptr);
  EXPECT_EQ(ruDraw::CreateObject(8, 8, 2), 4);
}

class ScreenSetUpTest : public DrawTest {
 protected:
  void SetUp() override { InstallBackend(16); }
};

TEST_F(ScreenSetUpTest, DefaultSizeAndDriverChoice) {
  platform::DisplayCaps accelerated{DDCAPS_3D | DDCAPS_BLTSTRETCH, DDSCAPS_TEXTURE}, none{};
  platform::SetDisplayCapsForTests(&accelerated, &none, true);
  ASSERT_EQ(ruDraw::Screen(-1, 123, 1), 1);
  EXPECT_EQ(ruDraw::ScreenWidth, 640);
  EXPECT_EQ(ruDraw::ScreenHeight, 480);
  EXPECT_EQ(ruDraw::HardwareDevice, 1);
  EXPECT_EQ(ruDraw::CanStretch, 1);  // from the driver's caps
  CloseScreen();

  platform::DisplayCaps plain{DDCAPS_BLTSTRETCH, 0};
  InstallBackend(16);
  platform::SetDisplayCapsForTests(&plain, &none, false);
  ASSERT_EQ(ruDraw::Screen(640, 480, 1), 1);
  EXPECT_EQ(ruDraw::HardwareDevice, 0);
  EXPECT_EQ(ruDraw::CanStretch, 0);  // from the emulation's caps
}

TEST_F(ScreenSetUpTest, TheMemoryArgumentPlacesEachSurface) {
  // Which of primary, back buffer and sprites 0 to 3 ask for system memory.
  const struct {
    int memory;
    bool system[6];
  } cases[] = {{1, {false, false, false, false, true, true}},
               {3, {false, false, true, true, true, true}},
               {2, {true, true, true, true, true, true}}};
  for (const auto& c : cases) {
    CloseScreen();
    InstallBackend(16);
    ASSERT_EQ(ruDraw::Screen(640, 480, c.memory), 1);
    platform::Surface* surfaces[6] = {ruDraw::PrimarySurface, ruDraw::BackBuffer,
                                      ruDraw::Objects[0].surface, ruDraw::Objects[1].surface,
                                      ruDraw::Objects[2].surface, ruDraw::Objects[3].surface};
    for (int i = 0; i < 6; ++i)
      EXPECT_EQ(bool(surfaces[i]->Caps() & DDSCAPS_SYSTEMMEMORY), c.system[i])
          << "memory " << c.memory << ", surface " << i;
  }
}

TEST_F(ScreenSetUpTest, FullScreenTriesTheAlternativeDepthsInTurn) {
  ruSystem::FullScreen = 1;
  ruSystem::ColorDepthAlt1 = 24;
  ruSystem::ColorDepthAlt2 = 32;
  platform::InjectDisplayFault(platform::DisplayOp::SetDisplayMode, 1, DDERR_INVALIDMODE);
  platform::InjectDisplayFault(platform::DisplayOp::SetDisplayMode, 2, DDERR_INVALIDMODE);
  ASSERT_EQ(ruDraw::Screen(640, 480, 1), 1);
  EXPECT_EQ(ruSystem::ColorDepth, 32);
  EXPECT_EQ(ruDraw::ScreenClipper, nullptr);
  CloseScreen();

  InstallBackend(16);
  ruSystem::FullScreen = 1;
  platform::InjectDisplayFault(platform::DisplayOp::SetDisplayMode, 1, DDERR_INVALIDMODE);
  EXPECT_EQ(ruDraw::Screen(640, 480, 1), 0);
  EXPECT_EQ(LastReport(), "ruDraw::Screen : 解像度が変更できません");
  EXPECT_EQ(ruDraw::PrimarySurface, nullptr);
}

TEST_F(ScreenSetUpTest, EachFailingStepReportsItsMessage) {
  using Op = platform::DisplayOp;
  const int drivers = int(platform::EnumerateDisplayDrivers().size());
  const struct {
    Op op;
    int nth;
    const char* message;
  } cases[] = {
      {Op::Create, drivers + 1, "DirectDrawが使用できません"},
      {Op::SetCooperativeLevel, 1, "フルスクリーン化できません"},
      {Op::CreateSurface, 1, "表画面が生成できません"},
      {Op::CreateSurface, 2, "裏画面が生成できません"},
      {Op::CreateClipper, 1, "クリップが生成できません"},
      {Op::SetHWnd, 1, "クリップにウィンドウハンドルを設定できません"},
      {Op::SetClipper, 1, "表画面をクリップできません"},
      {Op::CreateSurface, 3, "Bufferスプライトが生成できません"},
      {Op::CreateSurface, 4, "Screenスプライトが生成できません"},
      {Op::CreateSurface, 5, "Fontスプライトが生成できません"},
      {Op::CreateSurface, 6, "Fontバッファスプライトが生成できません"},
      {Op::GetPixelFormat, 1, "ピクセル情報が取得できません"},
  };
  for (const auto& c : cases) {
    CloseScreen();
    InstallBackend(16);
    platform::InjectDisplayFault(c.op, c.nth, DDERR_GENERIC);
    EXPECT_EQ(ruDraw::Screen(640, 480, 1), 0);
    EXPECT_EQ(LastReport(), std::string("ruDraw::Screen : ") + c.message);
    EXPECT_EQ(Reports(), 1) << c.message;
    EXPECT_EQ(ruSystem::ErrorFlag, 1);
  }
}

TEST_F(ScreenSetUpTest, WithoutADisplayLoadersReportAndDrawingDoesNothing) {
  const int drivers = int(platform::EnumerateDisplayDrivers().size());
  platform::InjectDisplayFault(platform::DisplayOp::Create, drivers + 1, DDERR_GENERIC);
  ASSERT_EQ(ruDraw::Screen(640, 480, 1), 0);
  drawtest::WriteBmp24("draw_no_display.bmp", 2, 2, [](int, int) { return 0xFFFFFFu; });
  EXPECT_EQ(ruDraw::LoadObject("draw_no_display.bmp", 2), 0);
  EXPECT_EQ(LastReport(), "ruDraw::LoadObject : BMPファイルを読み込めません");
  EXPECT_EQ(ruDraw::CreateObject(2, 2, 2), 0);
  EXPECT_EQ(LastReport(), "ruDraw::CreateObject : スプライトを作成できません");
  ruDraw::Draw(0, 0, 4, 0, 0, 2, 2);
  EXPECT_NE(ruDraw::ClearScreen(), DD_OK);
  EXPECT_NE(ruDraw::Box(0, 0, 10, 10, 0, 0xFF, 1), DD_OK);
  EXPECT_EQ(ruDraw::HalfRect(0, 0, 10, 10, 0), 0);
  ruDraw::Present();
}

}  // namespace
