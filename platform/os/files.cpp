// files.cpp - library file names (CP932, '\' separators) on a Unix file
// system: conversion, case-insensitive resolution, wildcard search, whole-file
// reads with a bound and writes through a temporary file.
#include "platform/os/files.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "platform/os/encoding.h"

namespace platform {

namespace {
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

bool Exists(const std::string& hostPath) {
  struct stat st;
  return ::stat(hostPath.c_str(), &st) == 0;
}

// The entry of `dir` whose name equals `name` ignoring ASCII case, or
// `name` itself when none does.
std::string MatchEntry(const std::string& dir, const std::string& name) {
  const std::string exact = dir.empty() ? name : (dir == "/" ? "/" + name : dir + "/" + name);
  if (Exists(exact)) return name;
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return name;
  std::string found = name;
  while (dirent* e = ::readdir(d)) {
    if (EqualNoCase(e->d_name, name)) {
      found = e->d_name;
      break;
    }
  }
  ::closedir(d);
  return found;
}

std::string Join(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  if (dir == "/") return "/" + name;
  return dir + "/" + name;
}

bool IsRegular(const std::string& hostPath) {
  struct stat st;
  return ::stat(hostPath.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Wildcard match in one pass with one backtrack point (the last '*'), so
// no pattern can make it take more than length(pattern) x length(name) steps.
bool MatchFrom(const char* p, const char* n) {
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*n) {
    if (*p == '*') {
      star = ++p;
      resume = n;
    } else if (*p && (*p == '?' || Lower(*p) == Lower(*n))) {
      ++p;
      ++n;
    } else if (star) {
      p = star;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (*p == '*') ++p;
  return *p == '\0';
}
}  // namespace

std::string ProgramFileName() {
  char buf[4096];
  const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return std::string();
  return ToLibraryPath(std::string(buf, size_t(n)));
}

std::string ProgramFolder() {
  const std::string file = ProgramFileName();
  const size_t slash = file.rfind('\\');
  return slash == std::string::npos ? std::string(".\\") : file.substr(0, slash + 1);
}

std::string ToHostPath(const std::string& libraryPath) {
  std::string utf8 = Cp932ToUtf8(libraryPath);
  std::replace(utf8.begin(), utf8.end(), '\\', '/');
  // A drive letter ("C:\x") stands for the root of the file system.
  const bool drive = utf8.size() >= 2 && utf8[1] == ':' &&
                     ((utf8[0] >= 'A' && utf8[0] <= 'Z') || (utf8[0] >= 'a' && utf8[0] <= 'z'));
  if (drive) {
    utf8.erase(0, 2);
    if (utf8.empty() || utf8[0] != '/') utf8.insert(utf8.begin(), '/');
  }
  std::string resolved = (!utf8.empty() && utf8[0] == '/') ? "/" : "";
  size_t pos = 0;
  while (pos <= utf8.size()) {
    size_t end = utf8.find('/', pos);
    if (end == std::string::npos) end = utf8.size();
    const std::string part = utf8.substr(pos, end - pos);
    pos = end + 1;
    if (part.empty()) continue;
    const std::string name = (part == "." || part == "..") ? part : MatchEntry(resolved, part);
    resolved = Join(resolved, name);
  }
  if (!utf8.empty() && utf8.back() == '/' && resolved != "/") resolved += '/';
  return resolved;
}

std::string ToLibraryPath(const std::string& hostPath) {
  std::string cp932 = Utf8ToCp932(hostPath);
  // Replace separators only outside double-byte characters (a trail byte
  // may be 0x5C).
  for (size_t i = 0; i < cp932.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(cp932[i]))) {
      ++i;
      continue;
    }
    if (cp932[i] == '/') cp932[i] = '\\';
  }
  return cp932;
}

std::FILE* OpenFile(const std::string& libraryPath, const char* mode) {
  char clean[8];
  size_t j = 0;
  for (const char* m = mode; *m && j + 1 < sizeof clean; ++m)
    if (*m != 't') clean[j++] = *m;
  clean[j] = '\0';
  return std::fopen(ToHostPath(libraryPath).c_str(), clean);
}

const char* DescribeReadFailure(ReadFailure failure) {
  switch (failure) {
    case ReadFailure::None: return "read";
    case ReadFailure::Missing: return "no such file";
    case ReadFailure::Directory: return "is a directory";
    case ReadFailure::NotRegular: return "not a regular file";
    case ReadFailure::TooLarge: return "file too large";
    case ReadFailure::Unreadable: break;
  }
  return "cannot read the file";
}

// The reason a file cannot be read whole, from its status alone (nothing
// is opened, so a FIFO cannot block the caller).
static ReadFailure CheckReadable(const std::string& hostPath, size_t limit) {
  struct stat st;
  if (::stat(hostPath.c_str(), &st) != 0)
    return errno == ENOENT || errno == ENOTDIR ? ReadFailure::Missing : ReadFailure::Unreadable;
  if (S_ISDIR(st.st_mode)) return ReadFailure::Directory;
  if (!S_ISREG(st.st_mode)) return ReadFailure::NotRegular;
  if (std::uint64_t(st.st_size) > limit) return ReadFailure::TooLarge;
  return ReadFailure::None;
}

bool ReadHostFile(const std::string& hostPath, std::vector<unsigned char>& out, size_t limit,
                  ReadFailure* why) {
  ReadFailure ignored;
  ReadFailure& result = why ? *why : ignored;
  out.clear();
  result = CheckReadable(hostPath, limit);
  if (result != ReadFailure::None) return false;
  std::FILE* f = std::fopen(hostPath.c_str(), "rb");
  if (!f) return result = ReadFailure::Unreadable, false;
  std::vector<unsigned char> data;
  unsigned char buf[8192];
  for (;;) {  // bounded again: the file may have grown since
    const size_t n = std::fread(buf, 1, sizeof buf, f);
    if (n == 0) break;
    if (data.size() + n > limit) {
      result = ReadFailure::TooLarge;
      break;
    }
    data.insert(data.end(), buf, buf + n);
  }
  if (result == ReadFailure::None && std::ferror(f)) result = ReadFailure::Unreadable;
  std::fclose(f);
  if (result != ReadFailure::None) return false;
  out.swap(data);
  return true;
}

bool ReadWholeFile(const std::string& libraryPath, std::vector<unsigned char>& out,
                   size_t limit, ReadFailure* why) {
  return ReadHostFile(ToHostPath(libraryPath), out, limit, why);
}

bool WriteFileAtomically(const std::string& libraryPath, const void* data, size_t size) {
  const std::string host = ToHostPath(libraryPath);
  const std::string temp = host + ".tmp" + std::to_string(::getpid());
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return false;
  bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
  ok = (std::fflush(f) == 0) && ok;
  ok = (::fsync(::fileno(f)) == 0) && ok;
  ok = (std::fclose(f) == 0) && ok;
  if (ok) ok = std::rename(temp.c_str(), host.c_str()) == 0;
  if (!ok) std::remove(temp.c_str());
  return ok;
}

bool FileExists(const std::string& libraryPath) { return IsRegular(ToHostPath(libraryPath)); }

std::vector<std::string> FindFiles(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  const std::string resolved = ToHostPath(folder);
  const std::string host = resolved.empty() ? std::string(".") : resolved;
  DIR* d = ::opendir(host.c_str());
  if (!d) return names;
  while (dirent* e = ::readdir(d)) {
    const std::string path = host.back() == '/' ? host + e->d_name : host + "/" + e->d_name;
    if (!IsRegular(path)) continue;
    const std::string name = ToLibraryPath(e->d_name);
    if (WildcardMatch(pattern, name)) names.push_back(name);
  }
  ::closedir(d);
  std::sort(names.begin(), names.end());
  return names;
}

bool WildcardMatch(const std::string& pattern, const std::string& name) {
  if (MatchFrom(pattern.c_str(), name.c_str())) return true;
  // As on Windows, "x.*" also matches a name without an extension.
  if (pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, ".*") == 0 &&
      name.find('.') == std::string::npos)
    return MatchFrom(pattern.substr(0, pattern.size() - 2).c_str(), name.c_str());
  return false;
}

}  // namespace platform
