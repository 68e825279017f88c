// draw_fixture.h - a headless screen for drawing tests: raw pixels through
// locks (with the pitch), patterned objects, small BMP files, and the error
// reports the headless backend logged.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "draw/draw.h"
#include "input/input.h"
#include "platform/os/files.h"
#include "platform/headless/headless.h"
#include "system/system.h"
#include "tests/support/test_hooks.h"

namespace drawtest {

// Raw pixel at (x, y) of a surface; 0xDEADBEEF outside it or unlockable.
inline DWORD PixelAt(platform::Surface* s, int x, int y) {
  void* bits = nullptr;
  LONG pitch = 0;
  if (x < 0 || y < 0 || x >= int(s->Width()) || y >= int(s->Height()) ||
      s->Lock(&bits, &pitch, DDLOCK_WAIT) != DD_OK)
    return 0xDEADBEEF;
  const DWORD bytes = s->Format().bitCount / 8;
  DWORD value = 0;
  std::memcpy(&value, static_cast<BYTE*>(bits) + y * pitch + x * bytes, bytes);
  s->Unlock();
  return value;
}
inline DWORD BackPixel(int x, int y) { return PixelAt(ruDraw::BackBuffer, x, y); }

struct At {
  int x, y;
  DWORD value;
};
// Expects each listed back-buffer pixel to hold its value.
inline void ExpectPixels(std::initializer_list<At> list) {
  for (const At& a : list) EXPECT_EQ(BackPixel(a.x, a.y), a.value) << a.x << "," << a.y;
}

// Writes every pixel of a surface from `value(x, y)`.
inline void Paint(platform::Surface* s, const std::function<DWORD(int, int)>& value) {
  void* bits = nullptr;
  LONG pitch = 0;
  ASSERT_EQ(s->Lock(&bits, &pitch, DDLOCK_WAIT), DD_OK);
  const DWORD bytes = s->Format().bitCount / 8;
  for (int y = 0; y < int(s->Height()); ++y)
    for (int x = 0; x < int(s->Width()); ++x) {
      const DWORD v = value(x, y);
      std::memcpy(static_cast<BYTE*>(bits) + y * pitch + x * bytes, &v, bytes);
    }
  s->Unlock();
}

// A pattern value naming its source pixel, never 0 (the black key), and
// its decoding: source column / row, -1 where nothing was drawn.
inline DWORD Code(int x, int y) { return DWORD(1 + x + 32 * y); }
inline int CodeX(DWORD v) { return v == 0 || v > 0xFFFF ? -1 : int((v - 1) % 32); }
inline int CodeY(DWORD v) { return v == 0 || v > 0xFFFF ? -1 : int((v - 1) / 32); }

// Host path of a name in the program's folder.
inline std::string InAppFolder(const std::string& name) {
  return platform::ToHostPath(platform::ProgramFolder()) + name;
}

// Writes a 24-bit bottom-up BMP of `value(x, y)` (0x00RRGGBB).
inline void WriteBmp24(const std::string& name, int w, int h,
                       const std::function<std::uint32_t(int, int)>& value) {
  const int row = (w * 3 + 3) & ~3;
  std::vector<unsigned char> f(54 + size_t(row) * h, 0);
  const std::uint32_t header[] = {std::uint32_t(f.size()), 0, 54, 40, std::uint32_t(w),
                                  std::uint32_t(h), 1 | (24 << 16)};
  f[0] = 'B', f[1] = 'M';
  std::memcpy(&f[2], header, sizeof header);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::uint32_t c = value(x, y);
      unsigned char* p = &f[54 + size_t(h - 1 - y) * row + x * 3];
      p[0] = c & 0xFF, p[1] = (c >> 8) & 0xFF, p[2] = (c >> 16) & 0xFF;
    }
  std::FILE* file = std::fopen(InAppFolder(name).c_str(), "wb");
  ASSERT_NE(file, nullptr) << name;
  std::fwrite(f.data(), 1, f.size(), file);
  std::fclose(file);
}

// The headless screen every drawing test starts from.
class DrawTest : public ::testing::Test {
 protected:
  void SetUp() override { OpenScreen(16); }
  void TearDown() override { CloseScreen(); }

  // The backend a test runs on; a test may give its own.
  virtual std::unique_ptr<platform::HeadlessBackend> MakeBackend(
      const platform::HeadlessOptions& options) {
    return std::make_unique<platform::HeadlessBackend>(options);
  }

  void OpenScreen(int depth) {
    InstallBackend(depth);
    ASSERT_EQ(ruDraw::Screen(640, 480, 1), 1) << LastReport();
  }

  // A fresh headless backend of `depth` (15: 5-5-5) and start values.
  void InstallBackend(int depth) {
    platform::HeadlessOptions options;
    options.depth = depth;
    auto backend = MakeBackend(options);
    headless_ = backend.get();
    platform::SetBackend(std::move(backend));
    platform::ClearDisplayFaults();
    platform::SetDisplayCapsForTests(nullptr, nullptr, false);
    testing_hooks::Clear();  // no game hooks of another test run here
    ruSystem::FullScreen = ruSystem::DesktopMode = ruSystem::ClipCursorMode = 0;
    ruSystem::DefaultWidth = 640;
    ruSystem::DefaultHeight = 480;
    ruSystem::ColorDepth = depth == 15 ? 16 : depth;
    ruSystem::ColorDepthAlt1 = ruSystem::ColorDepthAlt2 = 0;
    ruSystem::FrameTime = 0;
    ruSystem::TransitionStep = ruSystem::TransitionDir = ruSystem::OverlayKey = 0;
    ruSystem::MainWindow = headless_->CreateMainWindow(platform::WindowSpec{});
    ruDraw::SetColorKey(0);
  }

  void CloseScreen() {
    ruDraw::ExitScreen();
    platform::ClearDisplayFaults();
    ruDraw::OverlayShown = ruDraw::OverlayLimit = ruDraw::TransitionObject = 0;
  }

  // A w x h object painted with Code(x, y).
  int PatternObject(int w, int h) {
    const int n = ruDraw::CreateObject(w, h, 2);
    if (n > 0) Paint(ruDraw::Objects[n].surface, Code);
    return n;
  }

  int Reports() const { return int(headless_->MessageBoxes().size()); }
  std::string LastReport() const {
    const auto& boxes = headless_->MessageBoxes();
    return boxes.empty() ? std::string() : boxes.back().text;
  }

  platform::HeadlessBackend* headless_ = nullptr;
};

}  // namespace drawtest
