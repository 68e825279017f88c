// sdl_keys.h - SDL keys as the library's virtual keys: the key code, the
// keyboard scan code and the extended-key bit of WM_KEYDOWN/UP, and the
// lParam packing of key messages.
#pragma once

#include <SDL.h>

#include "platform/win_types.h"

namespace platform::sdl {

// A key as key messages describe it; vk 0 means the key has no code.
struct VirtualKey {
  int vk = 0;
  int scan = 0;           // scan code set 1 (bits 16-23 of lParam)
  bool extended = false;  // bit 24 of lParam
};

// The virtual key of an SDL key. Letters follow the keyboard layout (the
// key code), every other key its position (the scan code). Keypad keys
// with Num Lock off report the navigation keys they stand for.
VirtualKey TranslateKey(const SDL_Keysym& key);

// lParam of a key message: repeat count 1, scan code, extended bit, bit 29
// when Alt is down (system keys), bit 30 the previous state (auto-repeat,
// and always for a release), bit 31 set for a release.
LPARAM KeyLParam(const VirtualKey& key, bool up, bool repeat, bool altDown);

}  // namespace platform::sdl
