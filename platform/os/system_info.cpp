// system_info.cpp - local time, free disk space, available memory, the OS
// version record and the folder that plays the role of the Windows folder.
#include "platform/os/system_info.h"

#include <sys/statvfs.h>
#include <sys/utsname.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "platform/options.h"
#include "platform/os/files.h"

namespace platform {

namespace {
bool versionInjected = false;
OsVersion injectedVersion{};

// Drive letters: C: is the root file system; every other letter is the
// volume that holds the program.
std::string DriveHostPath(char drive) {
  if (drive == 'C' || drive == 'c') return "/";
  std::string folder = ToHostPath(ProgramFolder());
  return folder.empty() ? "." : folder;
}
}  // namespace

LocalTime GetLocalTime() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  ::localtime_r(&now, &tm);
  return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_wday,
                   tm.tm_hour,        tm.tm_min,     tm.tm_sec};
}

bool GetDiskFreeBytes(char drive, std::uint64_t* freeBytes) {
  const bool letter = (drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z');
  if (!letter) return false;
  struct statvfs st;
  if (::statvfs(DriveHostPath(drive).c_str(), &st) != 0) return false;
  *freeBytes = std::uint64_t(st.f_bavail) * std::uint64_t(st.f_frsize);
  return true;
}

std::uint64_t GetAvailableMemory() {
  std::FILE* f = std::fopen("/proc/meminfo", "r");
  if (!f) return 0;
  char line[256];
  std::uint64_t kb = 0;
  while (std::fgets(line, sizeof line, f)) {
    unsigned long long value = 0;
    if (std::sscanf(line, "MemAvailable: %llu kB", &value) == 1) {
      kb = value;
      break;
    }
  }
  std::fclose(f);
  return kb * 1024;
}

OsVersion GetOsVersion() {
  if (versionInjected) return injectedVersion;
  // An NT-family record; the kernel's release numbers stand in for the
  // version and build.
  OsVersion v{2, 5, 1, 2600};
  struct utsname u;
  if (::uname(&u) == 0) {
    unsigned major = 0, minor = 0, patch = 0;
    if (std::sscanf(u.release, "%u.%u.%u", &major, &minor, &patch) >= 2) {
      v.build = major * 10000 + minor * 100 + patch;
    }
  }
  return v;
}

void SetOsVersionForTests(const OsVersion* version) {
  versionInjected = version != nullptr;
  if (version) injectedVersion = *version;
}

std::string WindowsFolder() {
  std::string host = WindowsDirSetting();
  if (host.empty()) {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if (xdg && *xdg) host = std::string(xdg) + "/ru";
    else host = std::string(home && *home ? home : ".") + "/.config/ru";
  }
  while (host.size() > 1 && host.back() == '/') host.pop_back();
  return ToLibraryPath(host);
}

}  // namespace platform
