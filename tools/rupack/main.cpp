// main.cpp - rupack: command-line work on pack files without a display.
//   rupack draw|sound build|list|extract|check ...   (rupack --help for all)
#include <cstdio>
#include <cstring>

#include "tools/rupack/rupack.h"

namespace {

const rupack::Command* const kCommands[] = {&rupack::kDrawCommand, &rupack::kSoundCommand};

void PrintHelp(std::FILE* out) {
  std::fputs("usage: rupack KIND COMMAND ARGS...\n", out);
  for (const rupack::Command* c : kCommands) std::fputs(c->usage, out);
  std::fputs("exit status: 0 done, 1 a file is missing or broken, 2 bad usage\n", out);
}

}  // namespace

int main(int argc, char** argv) {
  rupack::Args args(argv + 1, argv + argc);
  if (args.empty()) {
    PrintHelp(stderr);
    return rupack::kUsage;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintHelp(stdout);
    return rupack::kOk;
  }
  for (const rupack::Command* c : kCommands) {
    if (args[0] != c->kind) continue;
    args.erase(args.begin());
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
      std::fputs(c->usage, stdout);
      return rupack::kOk;
    }
    return c->run(args);
  }
  std::fprintf(stderr, "rupack: unknown pack kind '%s'\n", args[0].c_str());
  PrintHelp(stderr);
  return rupack::kUsage;
}
