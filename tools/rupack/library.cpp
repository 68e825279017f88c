// library.cpp - what the commands share: usage errors, host paths in
// library form, and the library opened headless at full colour.
#include <cstdio>
#include <filesystem>
#include <memory>

#include "draw/draw.h"
#include "platform/headless/headless.h"
#include "platform/os/encoding.h"
#include "platform/os/files.h"
#include "system/system.h"
#include "tools/rupack/rupack.h"

// The library calls the game's hooks; the tool runs no frames.
void GameInit() {}
void PlayScene() {}
void ResultScene() {}

namespace rupack {

int UsageError(const Command& command, const std::string& why) {
  std::fprintf(stderr, "rupack %s: %s\n%s", command.kind, why.c_str(), command.usage);
  return kUsage;
}

std::string LibraryPath(const std::string& hostPath) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(hostPath, error);
  return platform::ToLibraryPath(error ? hostPath : absolute.lexically_normal().string());
}

bool OpenLibrary(std::string* why) {
  // Building reads pictures at full precision, so the library runs at 32
  // bits per pixel; headless, it needs no display.
  platform::HeadlessOptions options;
  options.depth = 32;
  auto backend = std::make_unique<platform::HeadlessBackend>(options);
  platform::HeadlessBackend* headless = backend.get();
  platform::SetBackend(std::move(backend));
  ruSystem::InitState();
  ruSystem::FullScreen = 0;
  ruSystem::ColorDepth = 32;
  ruSystem::MainWindow = headless->CreateMainWindow(platform::WindowSpec{});
  if (ruDraw::Screen(640, 480, 1) != 1) {
    *why = "cannot open the library's screen: " + LastReport();
    return false;
  }
  return true;
}

std::string LastReport() {
  platform::HeadlessBackend* headless = platform::GetHeadlessBackend();
  if (!headless || headless->MessageBoxes().empty()) return "";
  return platform::Cp932ToUtf8(headless->MessageBoxes().back().text);
}

}  // namespace rupack
