// input.h - keyboard and mouse state: latches written by the window
// procedure, the four-state key check, the key-list check, input locking,
// the system-key mode and the counted key. Joysticks join later.
#pragma once

#include "platform/win_types.h"

namespace ruSystem {

// ---------------------------------------------------------------- latches
extern int KeyHeld, KeyPushed, OverlayKey, LockedKey;
extern int ShiftToggle, CountKey, CountKeyReleases;
extern int LeftButton, RightButton, LeftClick, RightClick;
extern int LeftDoubleClick, RightDoubleClick, LeftPushed, RightPushed;
extern int MouseButton, MouseClicked, LockedLeftButton;
extern int InputLocked, SysKeyMode;
extern int KeyListState, KeyListCode;

// Sets every latch and mode above to 0 (InitState).
void ClearInputLatches();
// A key press not captured by InputLocked: latches, then the Esc question.
void KeyDown(int code);
// A key release (WM_KEYUP).
void KeyUp(int code);

// ---------------------------------------------------------------- checks
void GetKey(int code, int* state);
int CheckKeyList(int code, ...);
void LockInput();
void UnlockInput();
void SetSysKeyMode(int mode);
void SetCountKey(int code);
int GetCountKeyReleases();

// ---------------------------------------------------------------- joysticks
int InitJoystick();

}  // namespace ruSystem
