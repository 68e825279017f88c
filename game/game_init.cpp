// game_init.cpp - the game's start hook: screen, the marks bitmap, scene 1.
#include "game/game_state.h"
#include "ru.h"

// Called once by WinMain before the frame loop.
void GameInit() {
  ruDraw::Screen(640, 480, 1);
  BlockObject = ruDraw::LoadObject("bmp\\block.bmp", 2);  // failure is reported, not tested
  ruSystem::SceneNo = 1;
  ruSystem::PrevSceneNo = 0;
}
