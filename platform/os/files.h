// files.h - file names as the library gives them, on a Unix file system.
//
// The library names files in CP932 with '\' separators, relative to the
// program folder ("bmp\block.bmp"). This layer converts to UTF-8 and '/',
// and resolves each component case-insensitively against what is on disk.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace platform {

// The program's folder in library form: CP932, '\' separators, ending with
// '\' (GetModuleFileNameA up to the last separator). From /proc/self/exe.
std::string ProgramFolder();
// The program file's full name in library form (GetModuleFileNameA).
std::string ProgramFileName();

// Converts a library path (CP932, '\' or '/') to a host path (UTF-8, '/'),
// resolving each existing component case-insensitively. Components that do
// not exist are kept as given (so files can be created). A path that starts
// with a separator is absolute; otherwise it is relative to the current
// directory.
std::string ToHostPath(const std::string& libraryPath);
// Converts a host path (UTF-8, '/') to library form (CP932, '\').
std::string ToLibraryPath(const std::string& hostPath);

// fopen on a library path (modes as fopen; 't' is accepted and ignored).
std::FILE* OpenFile(const std::string& libraryPath, const char* mode);
// Why a whole file could not be read.
enum class ReadFailure { None, Missing, Directory, NotRegular, TooLarge, Unreadable };
// A few words for a failure, for messages ("no such file", "is a directory"...).
const char* DescribeReadFailure(ReadFailure failure);

// Reads a whole file of at most `limit` bytes; false if missing, not a
// regular file, unreadable or larger than the limit (checked before anything
// is read, and again while reading), with the reason in `why` if given.
bool ReadWholeFile(const std::string& libraryPath, std::vector<unsigned char>& out,
                   size_t limit, ReadFailure* why = nullptr);
// The same for a host path (UTF-8, '/'), used as given.
bool ReadHostFile(const std::string& hostPath, std::vector<unsigned char>& out, size_t limit,
                  ReadFailure* why = nullptr);
// Writes a file through a temporary name and a rename, so that a failed
// write leaves the old contents in place. True on success.
bool WriteFileAtomically(const std::string& libraryPath, const void* data, size_t size);
// True if the library path names an existing regular file.
bool FileExists(const std::string& libraryPath);

// Names (library form, without folder) of the regular files in `folder`
// whose names match `pattern` ('*' and '?', case-insensitive), sorted.
std::vector<std::string> FindFiles(const std::string& folder, const std::string& pattern);
// Case-insensitive wildcard match of one name ('*' any run, '?' one byte).
bool WildcardMatch(const std::string& pattern, const std::string& name);

}  // namespace platform
