// main.cpp - the process entry: hands the command line to WinMain.
#include <string>

#include "system/system.h"

int main(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += argv[i];
  }
  return WinMain(nullptr, nullptr, line.c_str(), SW_SHOWNORMAL);
}
