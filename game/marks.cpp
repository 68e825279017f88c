// marks.cpp - the selection box and the two players' marks: arrow keys move
// the box over the 3x3 board, Enter (player 1) and Space (player 2) place a
// mark on it; a mark placed this frame claims its cell unless the other
// player already owns it.
#include "game/game_state.h"
#include "ru.h"

namespace {

constexpr int kBoardLeft = 280, kBoardTop = 200, kBoxSize = 40;
constexpr int kBoardRight = kBoardLeft + 2 * kBoxSize;   // last box column
constexpr int kBoardBottom = kBoardTop + 2 * kBoxSize;   // last box row

// Activates the pool's first inactive record at the selection box.
void AddMark(Mark (&pool)[kMarkPoolSize]) {
  for (Mark& mark : pool) {
    if (mark.Active) continue;
    mark.Active = 1;
    mark.X = CursorX;
    mark.Y = CursorY;
    return;
  }
}

// Draws every active mark of `pool` from its cell of the bitmap; on the
// frame the player's key went down, marks the cells under the marks.
void DrawMarks(const Mark (&pool)[kMarkPoolSize], int sourceLeft, int keyState, int player) {
  const int other = player == 1 ? 2 : 1;
  for (const Mark& mark : pool) {
    if (!mark.Active) continue;
    ruDraw::Draw(mark.X, mark.Y, BlockObject, sourceLeft, 0, sourceLeft + kBoxSize, kBoxSize);
    if (keyState != 1) continue;
    for (int r = 0; r < 3; ++r) {
      for (int c = 0; c < 3; ++c) {
        if (mark.X == kBoardLeft + kBoxSize * c && mark.Y == kBoardTop + kBoxSize * r &&
            Board[r][c] != other)
          Board[r][c] = player;
      }
    }
  }
}

}  // namespace

// Moves the selection box one box per new arrow press (no wrap) and draws it.
void MoveCursor() {
  ruSystem::GetKey(VK_UP, &UpState);
  ruSystem::GetKey(VK_DOWN, &DownState);
  ruSystem::GetKey(VK_LEFT, &LeftState);
  ruSystem::GetKey(VK_RIGHT, &RightState);
  if (UpState == 1) {
    CursorY -= kBoxSize;
    if (CursorY < kBoardTop) CursorY += kBoxSize;
  }
  if (DownState == 1) {
    CursorY += kBoxSize;
    if (CursorY > kBoardBottom) CursorY -= kBoxSize;
  }
  if (LeftState == 1) {
    CursorX -= kBoxSize;
    if (CursorX < kBoardLeft) CursorX += kBoxSize;
  }
  if (RightState == 1) {
    CursorX += kBoxSize;
    if (CursorX > kBoardRight) CursorX -= kBoxSize;
  }
  ruDraw::Box(CursorX, CursorY, CursorX + kBoxSize, CursorY + kBoxSize, 0x000000, 0x00FF00, 1);
}

// Player 1's Enter: a new mark at the selection box (at most 20 in all).
void AddMark1() {
  ruSystem::GetKey(VK_RETURN, &EnterState);
  if (EnterState == 1) AddMark(MarkPool1);
}

// Player 1's marks, from the left cell of the bitmap.
void DrawMarks1() { DrawMarks(MarkPool1, 0, EnterState, 1); }

// Player 2's Space: a new mark at the selection box (at most 20 in all).
void AddMark2() {
  ruSystem::GetKey(VK_SPACE, &SpaceState);
  if (SpaceState == 1) AddMark(MarkPool2);
}

// Player 2's marks, from the right cell of the bitmap.
void DrawMarks2() { DrawMarks(MarkPool2, kBoxSize, SpaceState, 2); }
