// pack_command.h - the plumbing every pack command shares: its argument
// checks, opening a pack for reading, and the messages for a missing file
// or a broken entry.
#pragma once

#include <cstdio>
#include <string>

#include "platform/formats/pack_file.h"
#include "tools/rupack/rupack.h"

namespace rupack {

// What one kind of pack does for each of build, list, check and extract.
struct PackActions {
  int (*build)(const std::string& pack, const std::string& folder, bool fresh);
  int (*list)(const std::string& pack);
  int (*check)(const std::string& pack);
  int (*extract)(const std::string& pack, const std::string& name, const std::string& out);
  const char* extractArgs;  // "PACK NAME OUT.bmp"
};

// Checks `args` and runs the action they name; usage errors through `command`.
int RunPackCommand(const Command& command, const PackActions& actions, const Args& args);

// An open pack for reading; closes itself.
struct OpenPack {
  explicit OpenPack(const std::string& hostPath);
  ~OpenPack();
  OpenPack(const OpenPack&) = delete;
  OpenPack& operator=(const OpenPack&) = delete;
  std::FILE* file;
  platform::packfile::Reader reader;
};

// "rupack KIND: cannot open PATH" on stderr; kFailed.
int Missing(const Command& command, const std::string& path);
// "rupack KIND: PATH: broken WHY (name NAME)" on stderr; kFailed.
int BrokenEntry(const Command& command, const std::string& path, const std::string& name,
                const std::string& why);

}  // namespace rupack
