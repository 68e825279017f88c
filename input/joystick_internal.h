// joystick_internal.h - what the joystick readers share: the reading of
// one joystick into JoyInfo and the checks of identifiers.
#pragma once

#include "platform/win_types.h"

namespace ruSystem::joystick {

// Flags of a position reading and of a button reading.
constexpr DWORD kPositionFlags = 0x0803;  // X, Y, dead zone
constexpr DWORD kButtonFlags = 0x0080;    // buttons
constexpr DWORD kCalibrateFlags = 0x08FF; // everything, dead zone

inline bool ValidId(int id) { return id == 0 || id == 1; }

// Reads joystick `id` into JoyInfo with `flags`; false for an identifier
// other than 0 or 1 or a joystick that does not answer.
bool Read(int id, DWORD flags);

// Stores `value` where `out` points, if it points anywhere.
inline void Put(int* out, int value) {
  if (out) *out = value;
}

}  // namespace ruSystem::joystick
