// options.h - the run settings taken from RU_* environment variables, read
// here and nowhere else so that both backends refuse a bad setting the same
// way. The headless controls are described in docs/headless.md.
#pragma once

#include <string>

#include "platform/win_types.h"

namespace platform {

struct RunOptions {
  std::string backend;      // RU_BACKEND: "sdl", "headless", or empty (choose)
  DWORD frameMs = 16;       // RU_FRAME_MS: fake-clock advance per frame step (headless)
  int maxFrames = -1;       // RU_MAX_FRAMES: WM_CLOSE after this frame step; -1 never
  int depth = 16;           // RU_DEPTH: 16, 15 (16-bit 5-5-5), 24 or 32
  std::string script;       // RU_SCRIPT: path of the input script (headless), or empty
};

// Reads the settings above. False, with a message naming the variable in
// `error`, for a value out of range.
bool ReadRunOptions(RunOptions* out, std::string* error);

// RU_INSTANCE_KEY: a suffix for the single-instance name, so parallel test
// runs do not meet; empty when unset. Read at each use.
std::string InstanceKey();
// RU_WINDOWS_DIR: where the Windows folder is redirected; empty when unset.
std::string WindowsDirSetting();
// True when DISPLAY or WAYLAND_DISPLAY names a display.
bool DisplayNamed();

}  // namespace platform
