// headless_run.h - fresh platform and library state for tests that run the
// library in-process through the headless backend.
#pragma once

#include <string>

#include "platform/headless/headless.h"
#include "tests/support/test_hooks.h"

namespace headless_run {

// Empties the message queue, releases the instance lock, gives this process
// its own instance key, installs a new headless backend (fake clock at
// options.clockStart) and returns it.
platform::HeadlessBackend& Fresh(const platform::HeadlessOptions& options = {});

// Fresh, then the system's start values (ruSystem::InitState).
platform::HeadlessBackend& FreshSystem(const platform::HeadlessOptions& options = {});

// Fresh state, the given hooks, then WinMain; returns WinMain's result.
int RunWinMain(const testing_hooks::Hooks& hooks, const platform::HeadlessOptions& options = {});

// The fake clock of the headless backend in use: set, or moved forward.
void SetClock(DWORD now);
void AdvanceClock(DWORD ms);

// A new empty folder under the test binary folder, unique to this process
// and `name`; removed and re-created on each call.
std::string ScratchDir(const std::string& name);

// The stderr output of `body`.
template <typename F>
std::string CaptureStderr(F&& body);

}  // namespace headless_run

#include <gtest/gtest.h>

template <typename F>
std::string headless_run::CaptureStderr(F&& body) {
  testing::internal::CaptureStderr();
  body();
  return testing::internal::GetCapturedStderr();
}
