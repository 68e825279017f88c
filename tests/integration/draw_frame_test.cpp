// draw_frame_test.cpp - one whole frame through the headless backend: a
// bitmap file drawn keyed, mirrored and as a wave, a box and a line, and a
// closing transition cell; the frame the run's script captures holds
// exactly those pixels.
#include <cstdio>
#include <vector>

#include "tests/support/draw_fixture.h"

namespace {

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

class FrameTest : public drawtest::DrawTest {
 protected:
  // The run's script captures the frame presented in frame step 1.
  std::unique_ptr<platform::HeadlessBackend> MakeBackend(
      const platform::HeadlessOptions& options) override {
    platform::HeadlessOptions scripted = options;
    platform::ScriptCommand capture;
    capture.frame = 1;
    capture.kind = platform::ScriptCommand::Kind::Capture;
    capture.file = path_;
    scripted.script.push_back(capture);
    return std::make_unique<platform::HeadlessBackend>(scripted);
  }
  // The captured pixel (x, y) as 0x00RRGGBB; 24-bit rows bottom-up.
  std::uint32_t Captured(int x, int y) const {
    const unsigned char* p = &file_[54 + size_t(479 - y) * 640 * 3 + size_t(x) * 3];
    return std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
  }
  void ReadCapture() {
    file_.assign(54 + 640 * 3 * 480, 0);
    std::FILE* f = std::fopen(path_.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(std::fread(file_.data(), 1, file_.size(), f), file_.size());
    std::fclose(f);
  }
  std::string path_ = drawtest::InAppFolder("draw_frame_capture.bmp");
  std::vector<unsigned char> file_;
};

TEST_F(FrameTest, TheCapturedFrameHoldsEveryDrawing) {
  // A black (keyed) sprite with a red square at 10..29 whose left column
  // is green; a strip of black cells with white 4 x 4 corners.
  drawtest::WriteBmp24("draw_frame_sprite.bmp", 40, 40, [](int x, int y) {
    if (x < 10 || x >= 30 || y < 10 || y >= 30) return 0u;
    return x == 10 ? kGreen : kRed;
  });
  drawtest::WriteBmp24("draw_frame_strip.bmp", 640, 48,
                       [](int x, int y) { return x % 64 < 4 && y < 4 ? kWhite : 0u; });
  std::remove(path_.c_str());
  const int sprite = ruDraw::LoadObject("draw_frame_sprite.bmp", 2);
  ASSERT_EQ(sprite, 4) << LastReport();
  ASSERT_EQ(ruDraw::LoadTransition("draw_frame_strip.bmp"), 5) << LastReport();

  headless_->OnFrameStep();  // frame step 1 begins
  ruDraw::FillRect(0, 0, 640, 480, 0x001F);
  ruDraw::Draw(100, 100, sprite, 0, 0, 40, 40);
  ruDraw::DrawFlip(200, 100, 1, sprite, 0, 0, 40, 40);
  ruDraw::WavePhase = 0;
  ruDraw::DrawWave(300, 100, 5, 0, 90, sprite, 0, 0, 40, 40, 0);
  ruDraw::Box(400, 100, 440, 140, 0x00FF00, 0xFFFFFF, 1);
  ruDraw::Line(400, 200, 450, 200, 0xFFFFFF, 1);
  ruDraw::CloseTransition();
  ruDraw::SetVSync(0);
  ruDraw::Present();
  ReadCapture();

  const struct {
    int x, y;
    std::uint32_t rgb;
  } expected[] = {
      {105, 105, kBlue}, {110, 115, kGreen}, {129, 129, kRed}, {130, 115, kBlue},  // keyed
      {229, 115, kGreen}, {210, 115, kRed},                     // mirrored
      {313, 115, kBlue}, {314, 115, kGreen}, {333, 129, kRed},  // wave: 5 cos r -> 4
      {400, 100, kWhite}, {439, 139, kWhite}, {420, 120, kGreen}, {440, 120, kBlue},
      {449, 200, kWhite}, {450, 200, kBlue},
      {0, 0, kWhite}, {579, 435, kWhite}, {4, 4, kBlue},  // transition cell 1
  };
  for (const auto& e : expected) EXPECT_EQ(Captured(e.x, e.y), e.rgb) << e.x << "," << e.y;
  EXPECT_EQ(ruSystem::TransitionStep, 2);
}

}  // namespace
