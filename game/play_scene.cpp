// play_scene.cpp - scene 1: the board, the selection box, the marks, the
// line counts, the mouse marker; a second after the board is full the game
// moves on to the result scene.
#include "game/game_state.h"
#include "ru.h"

namespace {

constexpr int kResultWait = 1;       // numbered wait before the result scene
constexpr DWORD kResultDelayMs = 1000;

// The nine board boxes: black with a red outline.
void DrawBoard() {
  for (int c = 0; c < 3; ++c)
    for (int r = 0; r < 3; ++r)
      ruDraw::Box(280 + 40 * c, 200 + 40 * r, 320 + 40 * c, 240 + 40 * r, 0x000000, 0x0000FF, 1);
}

bool BoardFull() {
  for (const auto& row : Board)
    for (int cell : row)
      if (cell != 1 && cell != 2) return false;
  return true;
}

// Starts the wait once when the board is full; switches scenes when it ends.
void CheckGameOver() {
  if (!ResultWaitStarted) {
    if (!BoardFull()) return;
    ResultWaitStarted = 1;
    ruSystem::SetWait(kResultWait, kResultDelayMs);
  }
  if (ruSystem::CheckWait(kResultWait)) ruSystem::SceneNo = 2;
}

// The visible pointer: the system cursor is hidden over the client area.
void DrawMouseMarker() {
  const int x = ruSystem::MouseX, y = ruSystem::MouseY;
  ruDraw::Box(x - 10, y - 10, x + 10, y + 10, 0x00FFFF, 0x0000FF, 1);
}

}  // namespace

// Draws and presents one frame of the play scene.
void PlayScene() {
  ruDraw::ClearScreen();
  DrawBoard();
  MoveCursor();
  AddMark1();
  DrawMarks1();
  AddMark2();
  DrawMarks2();
  ActivateJudge();
  JudgeAll();
  CheckGameOver();
  DrawMouseMarker();
  ruDraw::Present();
}
