// platform_capture_test.cpp - frames written as 24-bit bottom-up BMPs with
// channels widened by bit replication, for each display format.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <vector>

#include "platform/surface/display.h"
#include "platform/headless/headless.h"
#include "tests/support/headless_run.h"

namespace {
// A plain pixel buffer that only locks; everything else is unused here.
class PixelSurface : public platform::Surface {
 public:
  PixelSurface(DWORD w, DWORD h, platform::PixelFormat f, LONG pitch)
      : w_(w), h_(h), f_(f), pitch_(pitch), bits_(size_t(pitch) * h, 0xEE) {}
  void Put(int x, int y, DWORD p) {
    std::memcpy(&bits_[size_t(y) * size_t(pitch_) + size_t(x) * (f_.bitCount / 8)], &p,
                f_.bitCount / 8);
  }
  DWORD Width() const override { return w_; }
  DWORD Height() const override { return h_; }
  const platform::PixelFormat& Format() const override { return f_; }
  DWORD Caps() const override { return 0; }
  HRESULT Lock(void** bits, LONG* pitch, DWORD) override {
    *bits = bits_.data();
    *pitch = pitch_;
    ++locks;
    return 0;
  }
  HRESULT Unlock() override { ++unlocks; return 0; }
  HRESULT BltFast(int, int, Surface*, const RECT*, DWORD) override { return 0; }
  HRESULT Blt(const RECT*, Surface*, const RECT*, DWORD, const platform::BltFx*) override {
    return 0;
  }
  HRESULT SetColorKey(DWORD, const platform::ColorKey*) override { return 0; }
  HRESULT GetColorKey(DWORD, platform::ColorKey*) const override { return 0; }
  HRESULT GetPixelFormat(platform::PixelFormat* f) const override { *f = f_; return 0; }
  HRESULT GetSurfaceDesc(platform::SurfaceDesc*) const override { return 0; }
  HRESULT GetDC(platform::Dc**) override { return 0; }
  HRESULT ReleaseDC(platform::Dc*) override { return 0; }
  HRESULT IsLost() const override { return 0; }
  HRESULT Restore() override { return 0; }
  HRESULT SetClipper(platform::Clipper*) override { return 0; }
  void Release() override {}
  int locks = 0, unlocks = 0;

 private:
  DWORD w_, h_;
  platform::PixelFormat f_;
  LONG pitch_;
  std::vector<unsigned char> bits_;
};

std::vector<unsigned char> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
}

// B, G, R of pixel (x, y) counted from the top of a 24-bit bottom-up BMP.
std::vector<int> Bgr(const std::vector<unsigned char>& bmp, int w, int h, int x, int y) {
  const size_t row = (size_t(w) * 3 + 3) & ~size_t(3);
  const size_t at = 54 + row * size_t(h - 1 - y) + size_t(x) * 3;
  return {bmp[at], bmp[at + 1], bmp[at + 2]};
}
}  // namespace

TEST(Capture, Widens565And555ByBitReplication) {
  const std::string dir = headless_run::ScratchDir("capture");
  PixelSurface s565(4, 3, platform::PixelFormat{16, 0xF800, 0x07E0, 0x001F}, 12);
  s565.Put(0, 0, 0xF800);  // red 31
  s565.Put(1, 0, 0x07E0);  // green 63
  s565.Put(2, 0, 0x0010);  // blue 16 -> 0x84
  s565.Put(0, 2, 0x0000);
  const RECT whole{0, 0, 4, 3};
  ASSERT_TRUE(platform::WriteSurfaceBmp(s565, whole, dir + "/a.bmp"));
  EXPECT_EQ(s565.locks, 1);
  EXPECT_EQ(s565.unlocks, 1);
  const auto bmp = ReadAll(dir + "/a.bmp");
  ASSERT_EQ(bmp.size(), 54u + 12u * 3u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[28], 24);
  EXPECT_EQ(bmp[22], 3);  // positive height: bottom-up
  EXPECT_EQ(Bgr(bmp, 4, 3, 0, 0), (std::vector<int>{0, 0, 255}));
  EXPECT_EQ(Bgr(bmp, 4, 3, 1, 0), (std::vector<int>{0, 255, 0}));
  EXPECT_EQ(Bgr(bmp, 4, 3, 2, 0), (std::vector<int>{0x84, 0, 0}));
  EXPECT_EQ(Bgr(bmp, 4, 3, 0, 2), (std::vector<int>{0, 0, 0}));

  PixelSurface s555(2, 1, platform::PixelFormat{16, 0x7C00, 0x03E0, 0x001F}, 4);
  s555.Put(0, 0, 0x03E0);  // green 31 of 5 bits
  s555.Put(1, 0, 0x0001);
  ASSERT_TRUE(platform::WriteSurfaceBmp(s555, RECT{0, 0, 2, 1}, dir + "/b.bmp"));
  const auto b = ReadAll(dir + "/b.bmp");
  EXPECT_EQ(Bgr(b, 2, 1, 0, 0), (std::vector<int>{0, 255, 0}));
  EXPECT_EQ(Bgr(b, 2, 1, 1, 0), (std::vector<int>{8, 0, 0}));
}

TEST(Capture, ClipsTheSourceToTheSurfaceAnd32BitKeepsBytes) {
  const std::string dir = headless_run::ScratchDir("capture32");
  PixelSurface s(3, 2, platform::PixelFormat{32, 0xFF0000, 0x00FF00, 0x0000FF}, 16);
  s.Put(2, 1, 0x123456);
  ASSERT_TRUE(platform::WriteSurfaceBmp(s, RECT{1, 1, 10, 10}, dir + "/c.bmp"));
  const auto bmp = ReadAll(dir + "/c.bmp");
  EXPECT_EQ(bmp[18], 2);  // width clipped to 2
  EXPECT_EQ(bmp[22], 1);
  EXPECT_EQ(Bgr(bmp, 2, 1, 1, 0), (std::vector<int>{0x56, 0x34, 0x12}));
  EXPECT_FALSE(platform::WriteSurfaceBmp(s, RECT{5, 5, 9, 9}, dir + "/d.bmp"));
}

TEST(Capture, ScriptedCaptureTakesTheFramePresentedInItsStep) {
  const std::string dir = headless_run::ScratchDir("capture-step");
  platform::HeadlessOptions o;
  platform::ScriptCommand c;
  c.frame = 2;
  c.kind = platform::ScriptCommand::Kind::Capture;
  c.file = dir + "/step2.bmp";
  o.script = {c};
  auto& b = headless_run::Fresh(o);
  PixelSurface s(1, 1, platform::PixelFormat{16, 0xF800, 0x07E0, 0x001F}, 2);
  const RECT r{0, 0, 1, 1};
  for (int step = 1; step <= 3; ++step) {
    b.PumpEvents();
    b.OnFrameStep();
    s.Put(0, 0, step == 2 ? 0x001F : 0xF800);
    b.PresentFrame(s, r);
  }
  const auto bmp = ReadAll(dir + "/step2.bmp");
  ASSERT_EQ(bmp.size(), 58u);
  EXPECT_EQ(Bgr(bmp, 1, 1, 0, 0), (std::vector<int>{255, 0, 0}));  // blue: step 2's frame
}
