// options.cpp - the RU_* run settings, read from the environment at each
// call (tests change them between runs).
#include "platform/options.h"

#include <cstdlib>

namespace platform {

namespace {
std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

bool ReadInt(const char* name, long lo, long hi, long* out, std::string* error) {
  const std::string v = Env(name);
  if (v.empty()) return true;
  char* end = nullptr;
  const long n = std::strtol(v.c_str(), &end, 10);
  if (*end != '\0' || n < lo || n > hi) {
    *error = std::string(name) + "=" + v + " is not a whole number from " + std::to_string(lo) +
             " to " + std::to_string(hi);
    return false;
  }
  *out = n;
  return true;
}
}  // namespace

bool ReadRunOptions(RunOptions* out, std::string* error) {
  RunOptions o;
  long frameMs = o.frameMs, maxFrames = o.maxFrames, depth = o.depth;
  if (!ReadInt("RU_FRAME_MS", 0, 100000, &frameMs, error)) return false;
  if (!ReadInt("RU_MAX_FRAMES", 0, 1000000000, &maxFrames, error)) return false;
  if (!ReadInt("RU_DEPTH", 0, 64, &depth, error)) return false;
  if (depth != 15 && depth != 16 && depth != 24 && depth != 32) {
    *error = "RU_DEPTH=" + std::to_string(depth) + " is not 15, 16, 24 or 32";
    return false;
  }
  o.backend = Env("RU_BACKEND");
  o.frameMs = DWORD(frameMs);
  o.maxFrames = int(maxFrames);
  o.depth = int(depth);
  o.script = Env("RU_SCRIPT");
  *out = std::move(o);
  return true;
}

std::string InstanceKey() { return Env("RU_INSTANCE_KEY"); }

std::string WindowsDirSetting() { return Env("RU_WINDOWS_DIR"); }

bool DisplayNamed() { return !Env("DISPLAY").empty() || !Env("WAYLAND_DISPLAY").empty(); }

}  // namespace platform
