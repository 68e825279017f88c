// test_hooks.h - the game hooks for test programs. Each test installs the
// GameInit / PlayScene / ResultScene it needs; the defaults do nothing.
#pragma once

#include <functional>

namespace testing_hooks {

struct Hooks {
  std::function<void()> gameInit;
  std::function<void()> playScene;
  std::function<void()> resultScene;
};

// Replaces the hooks; empty functions do nothing.
void Set(const Hooks& hooks);
// Back to hooks that do nothing.
void Clear();

}  // namespace testing_hooks
