// system_info.h - system queries: local time, disk, memory, version, and the
// folder that plays the role of the Windows folder.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win_types.h"

namespace platform {

struct LocalTime {
  int year, month, day, dayOfWeek;  // dayOfWeek 0 = Sunday
  int hour, minute, second;
};
// The local date and time now.
LocalTime GetLocalTime();

// Free bytes for an unprivileged user on the volume that `drive` stands
// for (see docs/files.md for the mapping of drive letters); false if none.
bool GetDiskFreeBytes(char drive, std::uint64_t* freeBytes);
// Available physical memory in bytes (MemAvailable).
std::uint64_t GetAvailableMemory();

// The version record GetVersionExA fills.
struct OsVersion {
  DWORD platformId;  // 0 Win32s, 1 Windows 95 family, 2 NT family
  DWORD major, minor, build;
};
// What this system reports; tests may inject other values.
OsVersion GetOsVersion();
void SetOsVersionForTests(const OsVersion* version);  // nullptr: real again

// The folder that plays the role of the Windows folder (library form, no
// trailing separator unless it is a root): $RU_WINDOWS_DIR if set, else
// $XDG_CONFIG_HOME/ru (or ~/.config/ru).
std::string WindowsFolder();

}  // namespace platform
