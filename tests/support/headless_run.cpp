// headless_run.cpp - resets the platform between in-process runs.
#include "tests/support/headless_run.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/os/instance.h"
#include "platform/os/messages.h"
#include "system/system.h"

namespace headless_run {

platform::HeadlessBackend& Fresh(const platform::HeadlessOptions& options) {
  platform::ResetMessages();
  platform::ReleaseInstanceLock();
  const std::string key = "test-" + std::to_string(::getpid());
  ::setenv("RU_INSTANCE_KEY", key.c_str(), 1);
  auto backend = std::make_unique<platform::HeadlessBackend>(options);
  platform::HeadlessBackend& ref = *backend;
  platform::SetBackend(std::move(backend));
  return ref;
}

platform::HeadlessBackend& FreshSystem(const platform::HeadlessOptions& options) {
  platform::HeadlessBackend& backend = Fresh(options);
  ruSystem::InitState();
  return backend;
}

int RunWinMain(const testing_hooks::Hooks& hooks, const platform::HeadlessOptions& options) {
  Fresh(options);
  testing_hooks::Set(hooks);
  const int result = WinMain(nullptr, nullptr, "", SW_SHOWNORMAL);
  testing_hooks::Clear();
  return result;
}

void SetClock(DWORD now) { platform::GetHeadlessBackend()->SetClock(now); }

void AdvanceClock(DWORD ms) { platform::GetHeadlessBackend()->AdvanceClock(ms); }

std::string ScratchDir(const std::string& name) {
  namespace fs = std::filesystem;
  const fs::path dir =
      fs::path(RU_BINARY_DIR) / "scratch" / (name + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir.string();
}

}  // namespace headless_run
