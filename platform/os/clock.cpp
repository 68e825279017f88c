// clock.cpp - timeGetTime over a monotonic clock, or a fake clock that moves
// only when told (headless runs and tests), plus the calendar time that seeds
// the random generator.
#include "platform/os/clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace platform {

namespace {
struct ClockState {
  bool fake = false;
  DWORD fakeNow = 0;
  bool fixedCalendar = false;
  long long calendar = 0;
};
ClockState clock;

DWORD RealMilliseconds() {
  using namespace std::chrono;
  const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  return DWORD(static_cast<unsigned long long>(ms));
}
}  // namespace

DWORD TimeGetTime() { return clock.fake ? clock.fakeNow : RealMilliseconds(); }

void UseFakeClock(DWORD start) {
  clock.fake = true;
  clock.fakeNow = start;
}

void UseRealClock() { clock.fake = false; }

bool IsFakeClock() { return clock.fake; }

void AdvanceFakeClock(DWORD ms) {
  if (clock.fake) clock.fakeNow += ms;
}

void SetFakeClock(DWORD now) {
  if (clock.fake) clock.fakeNow = now;
}

void IdleUntil(DWORD deadline) {
  if (clock.fake) {
    clock.fakeNow = deadline + 1;
    return;
  }
  const DWORD now = RealMilliseconds();
  const auto remaining = static_cast<std::int32_t>(deadline - now);
  if (remaining > 0) {
    const int step = remaining > 2 ? 1 : 0;
    if (step) std::this_thread::sleep_for(std::chrono::milliseconds(step));
    else std::this_thread::yield();
  }
}

long long CalendarTime() {
  return clock.fixedCalendar ? clock.calendar : static_cast<long long>(std::time(nullptr));
}

void SetFixedCalendarTime(const long long* seconds) {
  clock.fixedCalendar = seconds != nullptr;
  if (seconds) clock.calendar = *seconds;
}

}  // namespace platform
