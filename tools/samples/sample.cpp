// sample.cpp - the smallest program on the library: one scene that counts
// its frames and switches to a second scene after three seconds. Run it
// headless with RU_BACKEND=headless RU_MAX_FRAMES=100.
#include "ru.h"

namespace {
int frames = 0;
}

void GameInit() {
  ruSystem::SetWait(1, 3000);
  ruSystem::SceneNo = 1;
}

void PlayScene() {
  ++frames;
  if (ruSystem::CheckWait(1)) ruSystem::SceneNo = 2;
}

void ResultScene() {
  ++frames;
  if (ruSystem::SceneStart) frames = 0;
}
