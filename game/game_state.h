// game_state.h - the noughts-and-crosses game's module state and the inner
// steps of its play scene. All of it is zero at load unless a start value is
// given; nothing is ever reset (there is no new game).
#pragma once

// A placed mark: top-left corner of the box it was placed on.
struct Mark {
  int X;
  int Y;
  int Active;
};

// One line-counting record: the counts it computed and its own loop counter.
struct Judge {
  int Pt1;
  int Pt2;
  int Active;
  int LineIndex;
};

constexpr int kMarkPoolSize = 20;
constexpr int kJudgePoolSize = 50;

// The board: 0 empty, 1 player 1, 2 player 2; Board[row][column].
extern int Board[3][3];
// Top-left corner of the selection box, screen pixels.
extern int CursorX, CursorY;
extern Mark MarkPool1[kMarkPoolSize], MarkPool2[kMarkPoolSize];
// Sticky line flags: set once a row or column is filled by one player.
extern int RowDone1[3], ColumnDone1[3], RowDone2[3], ColumnDone2[3];
extern Judge JudgePool[kJudgePoolSize];
// 0 none, 1 player 1, 2 player 2.
extern int Winner;
// Object number of "bmp\block.bmp" (player 1's mark left, player 2's right).
extern int BlockObject;
// Last GetKey value of each key the game polls.
extern int EnterState, SpaceState, UpState, DownState, LeftState, RightState;
// Set once the full-board wait before the result scene has started.
extern int ResultWaitStarted;

// Inner steps of PlayScene, in call order.
void MoveCursor();
void AddMark1();
void DrawMarks1();
void AddMark2();
void DrawMarks2();
void ActivateJudge();
void JudgeAll();
void JudgeLines(Judge& judge);
