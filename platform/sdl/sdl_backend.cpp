// sdl_backend.cpp - placeholder until the desktop backend lands: reports
// that no display can be opened, so runs fall back to headless.
#include "platform/sdl/sdl_backend.h"

namespace platform {

std::unique_ptr<Backend> CreateSdlBackend() { return nullptr; }

}  // namespace platform
