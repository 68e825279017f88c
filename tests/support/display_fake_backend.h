// display_fake_backend.h - a minimal backend for display tests: a chosen
// display depth and screen size, and a record of presented frames; every
// other service keeps the backend's do-nothing default.
#pragma once

#include <memory>
#include <vector>

#include "platform/backend.h"
#include "platform/surface/display.h"

namespace display_test {

class FakeBackend final : public platform::Backend {
 public:
  int depth = 16;
  bool is555 = false;
  int screenWidth = 800, screenHeight = 600;
  bool acceptModes = true;
  int presented = 0, vblanks = 0;
  RECT lastSource{};
  const platform::Surface* lastBack = nullptr;

  const char* Name() const override { return "fake"; }
  int GetSystemMetrics(int index) const override {
    return index == SM_CXSCREEN ? screenWidth : index == SM_CYSCREEN ? screenHeight : 0;
  }
  int DisplayBitsPerPixel() const override { return depth; }
  bool Display555() const override { return is555; }
  void PresentFrame(platform::Surface& back, const RECT& source) override {
    ++presented;
    lastBack = &back;
    lastSource = source;
  }
  void WaitVerticalBlank() override { ++vblanks; }
  bool SetDisplayMode(int, int, int bits) override {
    if (acceptModes) depth = bits;
    return acceptModes;
  }
};

// Installs a fake backend of the given depth (15 = 16-bit 5-5-5) and
// returns it; the backend is owned by the platform layer.
inline FakeBackend* InstallFakeBackend(int depth = 16) {
  auto backend = std::make_unique<FakeBackend>();
  backend->depth = depth == 15 ? 16 : depth;
  backend->is555 = depth == 15;
  FakeBackend* raw = backend.get();
  platform::SetBackend(std::move(backend));
  return raw;
}

// Removes the fake backend; the next use picks one from the environment.
inline void RemoveFakeBackend() { platform::SetBackend(nullptr); }

}  // namespace display_test
