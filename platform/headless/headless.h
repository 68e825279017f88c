// headless.h - the deterministic backend: fake clock, scripted input,
// captured frames, scripted message-box answers.
#pragma once

#include <memory>
#include <string>

#include "platform/backend.h"

namespace platform {

// The headless backend configured from RU_FRAME_MS, RU_MAX_FRAMES, RU_DEPTH
// and RU_SCRIPT. A bad setting or script line is reported on stderr and the
// process exits with code 2.
std::unique_ptr<Backend> CreateHeadlessBackendFromEnvironment();

}  // namespace platform
