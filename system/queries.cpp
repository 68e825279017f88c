// queries.cpp - date and time, free disk space, available memory, the
// operating-system version as one number, and the command line.
#include <climits>
#include <cstdint>
#include <cstring>

#include "platform/os/system_info.h"
#include "system/system.h"

namespace ruSystem {

namespace {
const char* const kDayNames[7] = {"日", "月", "火", "水", "木", "金", "土"};
}  // namespace

// The local date and the day-of-week character.
void GetDate(int* year, int* month, int* day, char* dayOfWeek) {
  const platform::LocalTime t = platform::GetLocalTime();
  if (year) *year = t.year;
  if (month) *month = t.month;
  if (day) *day = t.day;
  if (dayOfWeek) std::memcpy(dayOfWeek, kDayNames[t.dayOfWeek % 7], 3);
}

// The local time.
void GetTime(int* hour, int* minute, int* second) {
  const platform::LocalTime t = platform::GetLocalTime();
  if (hour) *hour = t.hour;
  if (minute) *minute = t.minute;
  if (second) *second = t.second;
}

// The product wraps to 32 bits, as the original's does above 4 GB.
int GetDiskFree(char drive) {
  std::uint64_t bytes = 0;
  if (!platform::GetDiskFreeBytes(drive, &bytes)) return 0;
  return int(std::uint32_t(bytes));
}

// Available physical memory in bytes. Like the 32-bit memory status of an
// ordinary program, the count stops at 2 GB - 1 instead of wrapping, so a
// large machine never reports a small or negative amount.
int GetFreeMemory() {
  const std::uint64_t bytes = platform::GetAvailableMemory();
  return bytes > std::uint64_t(INT_MAX) ? INT_MAX : int(bytes);
}

// The version as one number (310, 950, 980, 2000, major*1000+minor*10...).
int GetOsVersion() {
  const platform::OsVersion v = platform::GetOsVersion();
  switch (v.platformId) {
    case 0: return 310;
    case 1:
      if (v.major == 4) return v.minor == 0 ? 950 : 980;
      return int(v.major * 100 + v.minor);
    case 2:
      if (v.major == 5) return 2000;
      return int(v.major * 1000 + v.minor * 10);
    default: return -1;
  }
}

// The command line as given at start.
char* GetCommandLine() { return CommandLine; }

}  // namespace ruSystem
