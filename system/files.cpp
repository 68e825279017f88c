// files.cpp - the program's folder, the optional root folder for saved
// values (named by a file in the Windows folder), and one-integer value
// files.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/os/encoding.h"
#include "platform/os/files.h"
#include "platform/os/system_info.h"
#include "system/system.h"

namespace ruSystem {

char AppPath[256] = "";
char DataRoot[256] = "";
char FolderName[256] = "";

namespace {
// Copies text into a 256-byte buffer, cut at a character boundary.
void CopyBounded(char (&buffer)[256], const std::string& text) {
  const size_t n = platform::Cp932SafeLength(text.c_str(), sizeof buffer - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
}

// Index of the last '\' in s[0..end), skipping trail bytes of double-byte
// characters; -1 if none.
int LastSeparator(const char* s, size_t end) {
  int last = -1;
  for (size_t i = 0; i < end; ++i) {
    if (platform::IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < end) {
      ++i;
      continue;
    }
    if (s[i] == '\\') last = int(i);
  }
  return last;
}

std::string ValuePath(const char* fileName) {
  return std::string(GetAppFolder(1)) + (fileName ? fileName : "");
}
}  // namespace

// The program's folder ending with a backslash, or its counterpart under the data root.
char* GetAppFolder(int redirect) {
  // The folder is cut from the whole file name first, so a long file name
  // cannot push the folder's separator out of the buffer.
  const std::string file = platform::ProgramFileName();
  const int end = LastSeparator(file.c_str(), file.size());
  CopyBounded(AppPath, file.substr(0, size_t(end + 1)));
  const int slash = LastSeparator(AppPath, std::strlen(AppPath));
  if (redirect && DataRoot[0] != '\0' && slash >= 0) {
    const int previous = LastSeparator(AppPath, size_t(slash));
    if (previous >= 0) CopyBounded(FolderName, std::string(AppPath + previous + 1));
    CopyBounded(AppPath, std::string(DataRoot) + "\\" + FolderName);
  }
  return AppPath;
}

// Reads the data root from the named file in the Windows folder.
int ReadDataRoot(const char* fileName) {
  std::string path = platform::WindowsFolder();
  if (path.size() >= 4 || path.size() == 0 || path.back() != '\\') path += '\\';
  path += fileName ? fileName : "";
  std::FILE* f = platform::OpenFile(path, "rt");
  if (!f) {
    DataRoot[0] = '\0';
    return 0;
  }
  char line[256] = "";
  if (!std::fgets(line, sizeof line, f)) line[0] = '\0';
  std::fclose(f);
  size_t n = platform::Cp932SafeLength(line, std::strlen(line));
  line[n] = '\0';
  if (n > 0 && line[n - 1] == '\n') line[--n] = '\0';
  if (n > 0 && line[n - 1] == '\r') line[--n] = '\0';
  if (n > 0 && line[n - 1] == '\\' && LastSeparator(line, n) == int(n - 1)) line[--n] = '\0';
  CopyBounded(DataRoot, line);
  return 1;
}

// Saves one decimal integer in a value file (silent on failure).
void WriteValue(const char* fileName, int value) {
  char text[16];
  const int n = std::snprintf(text, sizeof text, "%d", value);
  platform::WriteFileAtomically(ValuePath(fileName), text, size_t(n));
}

// Loads the integer of a value file; 0 when missing or empty.
int ReadValue(const char* fileName) {
  std::FILE* f = platform::OpenFile(ValuePath(fileName), "rt");
  if (!f) return 0;
  int value = 0;
  if (std::fscanf(f, "%d", &value) != 1) value = 0;
  std::fclose(f);
  return value;
}

}  // namespace ruSystem
