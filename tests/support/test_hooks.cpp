// test_hooks.cpp - GameInit, PlayScene and ResultScene for test programs.
#include "tests/support/test_hooks.h"

#include "system/system.h"

namespace {
testing_hooks::Hooks current;
}

namespace testing_hooks {
void Set(const Hooks& hooks) { current = hooks; }
void Clear() { current = Hooks{}; }
}  // namespace testing_hooks

void GameInit() {
  if (current.gameInit) current.gameInit();
}
void PlayScene() {
  if (current.playScene) current.playScene();
}
void ResultScene() {
  if (current.resultScene) current.resultScene();
}
