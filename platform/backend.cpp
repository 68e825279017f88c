// backend.cpp - the backend of this run: chosen once from RU_BACKEND, or
// installed by a test.
#include "platform/backend.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/headless/headless.h"
#include "platform/sdl/sdl_backend.h"

namespace platform {

namespace {
std::unique_ptr<Backend> current;

bool DisplayAvailable() {
  const char* x = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x && *x) || (wayland && *wayland);
}
}  // namespace

Backend& GetBackend() {
  if (!current) current = CreateBackendFromEnvironment();
  return *current;
}

void SetBackend(std::unique_ptr<Backend> backend) { current = std::move(backend); }

std::unique_ptr<Backend> CreateBackendFromEnvironment() {
  const char* name = std::getenv("RU_BACKEND");
  const bool wantHeadless = name && std::strcmp(name, "headless") == 0;
  const bool wantSdl = name && std::strcmp(name, "sdl") == 0;
  if (name && *name && !wantHeadless && !wantSdl)
    std::fprintf(stderr, "RU_BACKEND=%s is not a backend (sdl or headless); using the default\n",
                 name);
  // Scripts drive headless runs: with one given and no backend named, run
  // headless even when a display is there.
  const char* script = std::getenv("RU_SCRIPT");
  const bool scripted = script && *script;
  if (!wantHeadless && (wantSdl || (DisplayAvailable() && !scripted))) {
    if (auto sdl = CreateSdlBackend()) return sdl;
    std::fprintf(stderr,
                 "No display could be opened; running headless. To run headless on purpose: "
                 "RU_BACKEND=headless\n");
  }
  return CreateHeadlessBackendFromEnvironment();
}

}  // namespace platform
