// joystick.cpp - joyGetPosEx over the backend's joystick readings.
#include "platform/os/joystick.h"

#include <bit>

#include "platform/backend.h"

namespace platform {

namespace {
constexpr DWORD kRest = 32767;
}  // namespace

MMRESULT JoyGetPosEx(UINT id, JOYINFOEX* info) {
  if (id > 1 || !info || info->dwSize != sizeof(JOYINFOEX)) return JOYERR_PARMS;
  JoystickState state;
  if (!GetBackend().ReadJoystick(int(id), &state) || !state.present) return JOYERR_UNPLUGGED;
  const DWORD flags = info->dwFlags;
  if (flags & JOY_RETURNX) info->dwXpos = state.x;
  if (flags & JOY_RETURNY) info->dwYpos = state.y;
  if (flags & JOY_RETURNZ) info->dwZpos = kRest;
  if (flags & JOY_RETURNR) info->dwRpos = kRest;
  if (flags & JOY_RETURNU) info->dwUpos = kRest;
  if (flags & JOY_RETURNV) info->dwVpos = kRest;
  if (flags & JOY_RETURNPOV) info->dwPOV = JOY_POVCENTERED;
  if (flags & JOY_RETURNBUTTONS) {
    info->dwButtons = state.buttons;
    info->dwButtonNumber = DWORD(std::popcount(state.buttons));
  }
  return JOYERR_NOERROR;
}

MMRESULT JoyConfigChanged(DWORD) { return JOYERR_NOERROR; }

}  // namespace platform
