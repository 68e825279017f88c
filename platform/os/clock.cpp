// clock.cpp - the library's clock entry points, which ask the backend, and
// the real clock: timeGetTime over a monotonic clock, and calendar time.
#include "platform/os/clock.h"

#include <chrono>
#include <cstdint>
#include <ctime>
#include <thread>

#include "platform/backend.h"

namespace platform {

DWORD TimeGetTime() { return GetBackend().Milliseconds(); }

void IdleUntil(DWORD deadline) { GetBackend().IdleUntil(deadline); }

long long CalendarTime() { return GetBackend().CalendarTime(); }

DWORD RealMilliseconds() {
  using namespace std::chrono;
  const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  return DWORD(static_cast<unsigned long long>(ms));
}

void RealIdleUntil(DWORD deadline) {
  const auto remaining = static_cast<std::int32_t>(deadline - RealMilliseconds());
  if (remaining > 2) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  else if (remaining > 0) std::this_thread::yield();
}

long long RealCalendarTime() { return static_cast<long long>(std::time(nullptr)); }

}  // namespace platform
