// sdl_backend.h - the desktop backend: one SDL2 window, its events as
// window messages, presentation, message boxes drawn in the window.
#pragma once

#include <memory>

#include "platform/backend.h"

namespace platform {

// The desktop backend, or nullptr when no display can be opened.
std::unique_ptr<Backend> CreateSdlBackend();

}  // namespace platform
