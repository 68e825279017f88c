// effects_fixture.h - a headless 16-bit screen for effect tests, run at
// 5-6-5 and 5-5-5: objects painted by a function, a hash of back-buffer
// rectangles, and a runner that draws once through the reference loops and
// once through the fast ones.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <random>

#include "effects/effect_frame.h"
#include "effects/effects.h"
#include "platform/surface/blit.h"
#include "tests/support/draw_fixture.h"

namespace fxtest {

// FNV-1a over a back-buffer rectangle.
inline std::uint32_t Hash(int left, int top, int right, int bottom) {
  void* bits = nullptr;
  LONG pitch = 0;
  if (ruDraw::BackBuffer->Lock(&bits, &pitch, DDLOCK_WAIT) != DD_OK) return 0;
  std::uint32_t h = 2166136261u;
  for (int y = top; y < bottom; ++y) {
    const BYTE* row = static_cast<const BYTE*>(bits) + y * pitch;
    for (int x = 2 * left; x < 2 * right; ++x) h = (h ^ row[x]) * 16777619u;
  }
  ruDraw::BackBuffer->Unlock();
  return h;
}
inline std::uint32_t HashScreen() { return Hash(0, 0, 640, 480); }

// A photograph-like pixel of layout `l` from smooth 8-bit channels.
inline DWORD Photo(int x, int y, const platform::pixel::Layout& l) {
  const int r = (x * 5 + y * 3) & 0xFF, g = (128 + 100 * ((x / 7 + y / 5) % 3) + y) & 0xFF;
  const int b = (x * y) & 0xFF;
  return platform::pixel::FromRgb(DWORD(r) << 16 | DWORD(g) << 8 | DWORD(b), l);
}

class EffectTest : public drawtest::DrawTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    std::srand(7);
    OpenScreen(GetParam());
    platform::blit::SetFastPathsEnabled(true);
  }
  void TearDown() override {
    platform::blit::SetFastPathsEnabled(true);
    DrawTest::TearDown();
  }
  const platform::pixel::Layout& Layout() const {
    return GetParam() == 15 ? platform::pixel::k555 : platform::pixel::k565;
  }
  int Object(int w, int h, const std::function<DWORD(int, int)>& value) {
    const int n = ruDraw::CreateObject(w, h, 2);
    drawtest::Paint(ruDraw::Objects[n].surface, value);
    return n;
  }
  void Background(const std::function<DWORD(int, int)>& value) {
    drawtest::Paint(ruDraw::BackBuffer, value);
  }
  void PhotoBackground() {
    Background([this](int x, int y) { return Photo(639 - x, y + 3 * x, Layout()); });
  }
  // A photo with a transparent disc and a transparent last column.
  int PhotoObject(int w, int h) {
    return Object(w, h, [&](int x, int y) {
      const int dx = x - w / 3, dy = y - h / 2;
      if (dx * dx + dy * dy < 36 || x == w - 1) return DWORD(0);
      const DWORD v = Photo(x * 3 + 40, y * 2 + 11, Layout());
      return v ? v : DWORD(1);
    });
  }
  // Random pixels, a fifth of them 0; at 5-5-5 some have bit 15 set.
  int RandomObject(int w, int h, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> value(0, 0xFFFF), percent(0, 99);
    return Object(w, h, [&](int, int) { return percent(rng) < 20 ? DWORD(0) : DWORD(value(rng)); });
  }
  DWORD P5(int r, int g, int b) const {
    return DWORD(r << ruDraw::RedShift5 | g << ruDraw::GreenShift5 | b << ruDraw::BlueShift5);
  }
  // Runs `draw` from the same back buffer (`reset`) through the reference
  // loops and then the fast ones; expects the same screen.
  void ExpectFastEqualsReference(const char* name, const std::function<void()>& reset,
                                 const std::function<void()>& draw) {
    std::uint32_t got[2];
    for (int fast = 0; fast < 2; ++fast) {
      platform::blit::SetFastPathsEnabled(fast != 0);
      reset();
      draw();
      got[fast] = HashScreen();
    }
    platform::blit::SetFastPathsEnabled(true);
    EXPECT_EQ(got[0], got[1]) << name;
  }
};

}  // namespace fxtest
