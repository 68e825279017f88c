// judge.cpp - line counting: one more judge record becomes active each
// frame; every record recounts the filled rows and columns of each player
// and prints the counts, then the board's cell values are printed.
// Diagonals are not lines.
#include "game/game_state.h"
#include "ru.h"

namespace {

bool RowIs(int row, int player) {
  return Board[row][0] == player && Board[row][1] == player && Board[row][2] == player;
}

bool ColumnIs(int column, int player) {
  return Board[0][column] == player && Board[1][column] == player &&
         Board[2][column] == player;
}

int Sum(const int (&a)[3], const int (&b)[3]) { return a[0] + a[1] + a[2] + b[0] + b[1] + b[2]; }

}  // namespace

// Activates the first inactive judge record, at most one per frame.
void ActivateJudge() {
  for (Judge& judge : JudgePool) {
    if (judge.Active) continue;
    judge.Active = 1;
    judge.Pt1 = 0;
    judge.Pt2 = 0;
    judge.LineIndex = 0;
    return;
  }
}

// One record: recount (if active), print its counts, update the winner.
void JudgeLines(Judge& judge) {
  if (judge.Active) {
    for (judge.LineIndex = 0; judge.LineIndex < 3; ++judge.LineIndex) {
      const int k = judge.LineIndex;
      if (RowIs(k, 1)) RowDone1[k] = 1;
      if (ColumnIs(k, 1)) ColumnDone1[k] = 1;
      if (RowIs(k, 2)) RowDone2[k] = 1;
      if (ColumnIs(k, 2)) ColumnDone2[k] = 1;
      judge.Pt1 = Sum(RowDone1, ColumnDone1);
      judge.Pt2 = Sum(RowDone2, ColumnDone2);
    }
  }
  ruDraw::Printf(20, 20, "pt1=%d", judge.Pt1);
  ruDraw::Printf(20, 50, "pt2=%d", judge.Pt2);
  if (judge.Pt1 > judge.Pt2) Winner = 1;
  if (judge.Pt2 > judge.Pt1) Winner = 2;
}

// Runs every judge record in index order, then prints the board.
void JudgeAll() {
  for (Judge& judge : JudgePool) JudgeLines(judge);
  for (int c = 0; c < 3; ++c) {
    ruDraw::Printf(300 + 30 * c, 50, "%d", Board[0][c]);
    ruDraw::Printf(300 + 30 * c, 80, "%d", Board[1][c]);
    ruDraw::Printf(300 + 30 * c, 110, "%d", Board[2][c]);
  }
}
