// main.cpp - the process entry: rebuilds the command line text (arguments
// after the program name, CP932, quoted where they hold spaces) and hands it
// to WinMain.
#include <string>

#include "platform/os/encoding.h"
#include "system/system.h"

int main(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i > 1) line += ' ';
    const bool quote = arg.empty() || arg.find_first_of(" \t") != std::string::npos;
    line += quote ? "\"" + arg + "\"" : arg;
  }
  return WinMain(nullptr, nullptr, platform::Utf8ToCp932(line).c_str(), SW_SHOWNORMAL);
}
