// waits.cpp - numbered non-blocking waits, the frame-time measurement and
// the one blocking wait, all on the millisecond clock.
#include "input/input.h"
#include "platform/os/clock.h"
#include "system/system.h"

namespace ruSystem {

namespace {
constexpr DWORD kNotStarted = 999999999;
constexpr int kSleepEntry = 11;
}  // namespace

DWORD WaitDeadline[12] = {};

// Starts wait waitNo (1..10) to elapse after the given milliseconds.
int SetWait(int waitNo, DWORD milliseconds) {
  if (waitNo < 1 || waitNo > 10) return Error("ruSystem::SetWait", "ウェイトNoが範囲外です", 0);
  WaitDeadline[waitNo] = platform::TimeGetTime() + milliseconds;
  return 1;
}

// Puts wait waitNo back into the not-started state.
int InitWait(int waitNo) {
  if (waitNo < 1 || waitNo > 10) return Error("ruSystem::InitWait", "ウェイトNoが範囲外です", 0);
  WaitDeadline[waitNo] = kNotStarted;
  return 1;
}

// A number outside 1..10 reads no table entry and counts as elapsed (1), as
// an unset wait does before screen set-up.
int CheckWait(int waitNo) {
  if (waitNo < 1 || waitNo > 10) return 1;
  return platform::TimeGetTime() >= WaitDeadline[waitNo] ? 1 : 0;
}

// FrameTime 0, measured again from now.
void ResetFrameTime() {
  FrameTime = 0.0f;
  LastFrameTick = platform::TimeGetTime();
}

// FrameTime = seconds since the last measurement.
void MeasureFrameTime() {
  const DWORD elapsed = platform::TimeGetTime() - LastFrameTick;
  FrameTime = float(double(elapsed) / 1000.0);
  LastFrameTick = platform::TimeGetTime();
}

// Blocks, handling no messages, until the clock is past start + ms. A
// deadline the clock cannot pass without wrapping (past 2^32, or at
// 0xFFFFFFFF itself) counts as reached at once, as the numbered waits
// compare, so Sleep(0xFFFFFFFF) cannot spin for ever.
void Sleep(DWORD milliseconds) {
  const DWORD start = platform::TimeGetTime();
  const DWORD deadline = start + milliseconds;
  WaitDeadline[kSleepEntry] = deadline;
  const bool reachable = deadline >= start && deadline != 0xFFFFFFFFu;
  for (DWORD now = start; reachable && now >= start && now <= deadline;
       now = platform::TimeGetTime())
    platform::IdleUntil(deadline);
  ResetFrameTime();
}

// What screen set-up resets: waits, input lock, system-key mode, full-screen clip.
int Reset() {
  for (int i = 1; i <= kSleepEntry; ++i) WaitDeadline[i] = kNotStarted;
  UnlockInput();
  SetSysKeyMode(0);
  if (FullScreen) ClipCursorToWindow();
  return 1;
}

}  // namespace ruSystem
