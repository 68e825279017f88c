// result_scene.cpp - scene 2: the winner's text on a cleared screen.
#include "game/game_state.h"
#include "ru.h"

// Draws and presents one frame of the result scene.
void ResultScene() {
  ruDraw::ClearScreen();
  if (Winner == 1) ruDraw::Printf(320, 240, "1Pの勝利");
  if (Winner == 2) ruDraw::Printf(320, 240, "2Pの勝利");
  ruDraw::Present();
}
