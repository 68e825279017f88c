// headless_script_fuzz.cpp - the RU_SCRIPT parser on arbitrary bytes: it
// must accept or reject with a message, never crash or hang.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/headless/headless.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<platform::ScriptCommand> commands;
  std::string error;
  const bool ok = platform::ParseScript(
      std::string(reinterpret_cast<const char*>(data), size), &commands, &error);
  if (!ok && error.rfind("line ", 0) != 0) __builtin_trap();
  for (size_t i = 1; i < commands.size(); ++i)
    if (commands[i - 1].frame > commands[i].frame) __builtin_trap();
  return 0;
}
