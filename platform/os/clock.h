// clock.h - the millisecond clock every timed behaviour reads, and the
// calendar time that seeds the random generator.
//
// The backend owns the clock (Backend::Milliseconds and friends): the
// desktop reads a monotonic clock; headless runs keep a fake one that moves
// only per frame step, so every timed behaviour repeats exactly. The library
// calls the functions below, which ask the backend of the run.
#pragma once

#include "platform/win_types.h"

namespace platform {

// Current clock value in milliseconds (timeGetTime): unsigned, wraps.
DWORD TimeGetTime();
// Lets time pass for a caller that spins until TimeGetTime() > deadline
// (real clock: a short sleep, never past the deadline; fake: a jump).
void IdleUntil(DWORD deadline);
// Seconds since the epoch (time(nullptr)), or the run's fixed value.
long long CalendarTime();

// The real clock, which backends without a clock of their own read.
DWORD RealMilliseconds();
void RealIdleUntil(DWORD deadline);
long long RealCalendarTime();

}  // namespace platform
