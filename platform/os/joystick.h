// joystick.h - joystick polling (joyGetPosEx) over the backend's joysticks.
//
// Two joysticks, identifiers 0 and 1. A reading fills the parts of one
// JOYINFOEX record that its flags ask for: axes 0..65535 (at rest near
// 32767), buttons as bits (bit k = button k + 1). A joystick that is not
// plugged in does not answer.
#pragma once

#include "platform/win_types.h"

namespace platform {

// The record joyGetPosEx fills: 13 DWORDs, dwSize = 52.
struct JOYINFOEX {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwXpos, dwYpos, dwZpos, dwRpos, dwUpos, dwVpos;
  DWORD dwButtons;       // bit k = button k + 1 is down
  DWORD dwButtonNumber;  // how many buttons are down
  DWORD dwPOV;
  DWORD dwReserved1, dwReserved2;
};
static_assert(sizeof(JOYINFOEX) == 52);

using MMRESULT = UINT;

// dwFlags: which parts to fill.
constexpr DWORD JOY_RETURNX = 0x0001, JOY_RETURNY = 0x0002, JOY_RETURNZ = 0x0004,
                JOY_RETURNR = 0x0008, JOY_RETURNU = 0x0010, JOY_RETURNV = 0x0020,
                JOY_RETURNPOV = 0x0040, JOY_RETURNBUTTONS = 0x0080, JOY_RETURNALL = 0x00FF,
                JOY_USEDEADZONE = 0x0800;
// Results.
constexpr MMRESULT JOYERR_NOERROR = 0, JOYERR_PARMS = 165, JOYERR_UNPLUGGED = 167;
// The point-of-view value of a hat at rest.
constexpr DWORD JOY_POVCENTERED = 0xFFFF;

// Reads joystick `id` into the parts of *info that info->dwFlags asks for.
// JOYERR_PARMS for an id other than 0 or 1, a null record or a dwSize other
// than 52; JOYERR_UNPLUGGED when the joystick does not answer (nothing is
// written then). Axes the backend does not have read as at rest; the dead
// zone flag is accepted and the backend's own rest value stands for it.
MMRESULT JoyGetPosEx(UINT id, JOYINFOEX* info);

// Tells the platform the joystick set-up may have changed (joyConfigChanged).
// Backends notice plugging by themselves, so this only answers success.
MMRESULT JoyConfigChanged(DWORD flags);

}  // namespace platform
