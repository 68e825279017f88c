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
// Moves *state to 0 up, 1 pressed, 2 released or 3 held; keep *state from frame to frame.
void GetKey(int code, int* state);
// The listed key or button (list ends with 0) whose press and release completed, once; else 0. Call once a frame.
int CheckKeyList(int code, ...);
// Captures input into the locked latches (every key goes to LockedKey).
void LockInput();
// Ends the capture and forgets the held key.
void UnlockInput();
// What system keys do: 0 swallowed, 2 all but Alt pass, else all pass.
void SetSysKeyMode(int mode);
// Starts counting releases of one key.
void SetCountKey(int code);
// Releases of the counted key so far.
int GetCountKeyReleases();

// ---------------------------------------------------------------- joysticks
// Joystick calibration; 1 on success (no joystick is read yet).
int InitJoystick();

}  // namespace ruSystem
