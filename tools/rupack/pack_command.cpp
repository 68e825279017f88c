// pack_command.cpp - argument checks and messages shared by the pack commands.
#include "tools/rupack/pack_command.h"

#include "platform/os/encoding.h"

namespace rupack {

int RunPackCommand(const Command& command, const PackActions& actions, const Args& args) {
  if (args.empty()) return UsageError(command, "a command is needed");
  const std::string& what = args[0];
  const size_t n = args.size() - 1;
  if (what == "build") {
    const bool fresh = n == 3 && args[3] == "--fresh";
    if (n != 2 && !fresh) return UsageError(command, "build takes PACK FOLDER [--fresh]");
    return actions.build(args[1], args[2], fresh);
  }
  if (what == "list" || what == "check") {
    if (n != 1) return UsageError(command, what + " takes PACK");
    return what == "list" ? actions.list(args[1]) : actions.check(args[1]);
  }
  if (what == "extract") {
    if (n != 3) return UsageError(command, std::string("extract takes ") + actions.extractArgs);
    return actions.extract(args[1], args[2], args[3]);
  }
  return UsageError(command, "unknown command '" + what + "'");
}

OpenPack::OpenPack(const std::string& hostPath)
    : file(std::fopen(hostPath.c_str(), "rb")), reader(platform::packfile::OpenReader(file)) {}

OpenPack::~OpenPack() {
  if (file) std::fclose(file);
}

int Missing(const Command& command, const std::string& path) {
  std::fprintf(stderr, "rupack %s: cannot open %s\n", command.kind, path.c_str());
  return kFailed;
}

int BrokenEntry(const Command& command, const std::string& path, const std::string& name,
                const std::string& why) {
  std::fprintf(stderr, "rupack %s: %s: broken %s%s%s\n", command.kind, path.c_str(), why.c_str(),
               name.empty() ? "" : " (name ",
               name.empty() ? "" : (platform::Cp932ToUtf8(name) + ")").c_str());
  return kFailed;
}

}  // namespace rupack
