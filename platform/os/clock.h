// clock.h - the millisecond clock every timed behaviour reads.
//
// Real: milliseconds of a monotonic clock as an unsigned 32-bit count that
// wraps. Fake (headless runs): a value that moves only when told, so every
// timed behaviour of the library is exactly repeatable.
#pragma once

#include "platform/win_types.h"

namespace platform {

// Current clock value in milliseconds (timeGetTime).
DWORD TimeGetTime();

// Switches to the fake clock, starting at `start` milliseconds.
void UseFakeClock(DWORD start);
// Switches back to the real clock.
void UseRealClock();
// True while the fake clock is in use.
bool IsFakeClock();
// Moves the fake clock forward (wrapping); no effect on the real clock.
void AdvanceFakeClock(DWORD ms);
// Sets the fake clock to an exact value; no effect on the real clock.
void SetFakeClock(DWORD now);

// Lets time pass for a caller that spins until TimeGetTime() > deadline:
// the real clock sleeps briefly (never past the deadline), the fake clock
// jumps to deadline + 1. Callers keep their own loop and test.
void IdleUntil(DWORD deadline);

// Seconds since the epoch for seeding the random generator (time(nullptr)),
// or the fixed value set for repeatable runs.
long long CalendarTime();
// Fixes CalendarTime to *seconds (headless runs); nullptr: real time again.
void SetFixedCalendarTime(const long long* seconds);

}  // namespace platform
