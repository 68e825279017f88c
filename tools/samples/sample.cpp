// sample.cpp - a small program on the library: a white square crosses the
// screen for three seconds, then a second scene shows a blue screen. Run it
// headless with RU_BACKEND=headless RU_MAX_FRAMES=100.
#include "ru.h"

namespace {
int x = 0;
}

void GameInit() {
  ruDraw::Screen(640, 480, 1);
  ruSystem::Reset();
  ruSystem::SetWait(1, 3000);
  ruSystem::SceneNo = 1;
}

void PlayScene() {
  x = (x + 4) % 600;
  ruDraw::ClearScreen();
  ruDraw::Box(x, 200, x + 40, 240, RGB(255, 255, 255), RGB(255, 255, 255), 1);
  ruDraw::Present();
  if (ruSystem::CheckWait(1)) ruSystem::SceneNo = 2;
}

void ResultScene() {
  ruDraw::Box(0, 0, 640, 480, RGB(0, 0, 255), RGB(0, 0, 255), 1);
  ruDraw::Present();
}
