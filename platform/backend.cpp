// backend.cpp - the backend of this run: chosen once from RU_BACKEND through
// the table of backends, or installed by a test; and the clock defaults.
#include "platform/backend.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/headless/headless.h"
#include "platform/options.h"
#include "platform/os/clock.h"
#include "platform/sdl/sdl_backend.h"

namespace platform {

namespace {
std::unique_ptr<Backend> current;

const BackendEntry* FindBackend(const std::string& name) {
  for (std::size_t i = 0; i < kBackendCount; ++i)
    if (name == kBackends[i].name) return &kBackends[i];
  return nullptr;
}

// Started where no window can open: say how to run anyway, and fail.
[[noreturn]] void RefuseWithoutDisplay() {
  std::fprintf(stderr,
               "No display could be opened (DISPLAY and WAYLAND_DISPLAY name none that works), "
               "so the window cannot be shown.\n"
               "To run without a window: RU_BACKEND=headless (see docs/headless.md); "
               "to run in a virtual display: xvfb-run -a <program>\n");
  std::exit(1);
}
}  // namespace

const BackendEntry kBackends[] = {
    {"sdl", CreateSdlBackend},
    {"headless", CreateHeadlessBackendFromEnvironment},
};
const std::size_t kBackendCount = sizeof kBackends / sizeof kBackends[0];

DWORD Backend::Milliseconds() { return RealMilliseconds(); }
void Backend::IdleUntil(DWORD deadline) { RealIdleUntil(deadline); }
long long Backend::CalendarTime() { return RealCalendarTime(); }

Backend& GetBackend() {
  if (!current) current = CreateBackendFromEnvironment();
  return *current;
}

void SetBackend(std::unique_ptr<Backend> backend) { current = std::move(backend); }

// A script without a backend named means a headless run, even with a
// display there; otherwise the window, and never a silent headless run.
std::unique_ptr<Backend> CreateBackendFromEnvironment() {
  RunOptions options;
  std::string error;
  if (!ReadRunOptions(&options, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    std::exit(2);
  }
  std::string name = options.backend;
  if (!name.empty() && !FindBackend(name)) {
    std::fprintf(stderr, "RU_BACKEND=%s is not a backend (sdl or headless); using the default\n",
                 name.c_str());
    name.clear();
  }
  const bool named = !name.empty();
  if (!named) name = !options.script.empty() ? "headless" : "sdl";
  if (!named && name == "sdl" && !DisplayNamed()) RefuseWithoutDisplay();
  if (auto backend = FindBackend(name)->create()) return backend;
  RefuseWithoutDisplay();
}

}  // namespace platform
