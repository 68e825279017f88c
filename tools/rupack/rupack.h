// rupack.h - the tool's commands and the helpers they share.
#pragma once

#include <string>
#include <vector>

namespace rupack {

using Args = std::vector<std::string>;

// Exit statuses: 0 done, 1 the work failed (bad or missing file), 2 bad usage.
constexpr int kOk = 0, kFailed = 1, kUsage = 2;

// A pack command: `args` follow the pack kind ("build", PACK, FOLDER...).
struct Command {
  const char* kind;   // "draw", "sound"
  const char* usage;  // lines of help, each ending with '\n'
  int (*run)(const Args& args);
};

// Draw packs (pictures).
extern const Command kDrawCommand;
// Sound packs (WAVE sounds).
extern const Command kSoundCommand;

// Reports bad usage on stderr with the help of `command`; kUsage.
int UsageError(const Command& command, const std::string& why);
// A host path (UTF-8, relative to the working folder) in library form,
// made absolute so the library reads it wherever the program lives.
std::string LibraryPath(const std::string& hostPath);
// Opens the library headless at 32 bits per pixel; false with a message.
bool OpenLibrary(std::string* why);
// The last error report the library made (UTF-8), or "".
std::string LastReport();

}  // namespace rupack
