// game_state.cpp - definitions of the game's module state with their start
// values.
#include "game/game_state.h"

int Board[3][3];
int CursorX = 320, CursorY = 240;
Mark MarkPool1[kMarkPoolSize], MarkPool2[kMarkPoolSize];
int RowDone1[3], ColumnDone1[3], RowDone2[3], ColumnDone2[3];
Judge JudgePool[kJudgePoolSize];
int Winner;
int BlockObject;
int EnterState, SpaceState, UpState, DownState, LeftState, RightState;
int ResultWaitStarted;
