// latches.cpp - keyboard and mouse latches written by the window procedure,
// the key press and release handling (with the Esc question), input
// locking, the system-key mode and the counted key.
#include "draw/draw.h"
#include "input/input.h"
#include "system/system.h"

namespace ruSystem {

int KeyHeld = 0, KeyPushed = 0, OverlayKey = 0, LockedKey = 0;
int ShiftToggle = 0, CountKey = 0, CountKeyReleases = 0;
int LeftButton = 0, RightButton = 0, LeftClick = 0, RightClick = 0;
int LeftDoubleClick = 0, RightDoubleClick = 0, LeftPushed = 0, RightPushed = 0;
int MouseButton = 0, MouseClicked = 0, LockedLeftButton = 0;
int InputLocked = 0, SysKeyMode = 0;
int KeyListState = 0, KeyListCode = 0;

// Every latch and mode to 0.
void ClearInputLatches() {
  KeyHeld = KeyPushed = OverlayKey = LockedKey = 0;
  ShiftToggle = CountKey = CountKeyReleases = 0;
  LeftButton = RightButton = LeftClick = RightClick = 0;
  LeftDoubleClick = RightDoubleClick = LeftPushed = RightPushed = 0;
  MouseButton = MouseClicked = LockedLeftButton = 0;
  InputLocked = SysKeyMode = 0;
  KeyListState = KeyListCode = 0;
}

// A key press: the latches (or the overlay key), then the Esc question.
void KeyDown(int code) {
  if (ruDraw::OverlayShown) {
    OverlayKey = code;
  } else {
    KeyHeld = code;
    KeyPushed = code;
  }
  if (code == VK_ESCAPE && Question("終了しますか？") == 1) Exit();
}

// A key release (WM_KEYUP).
void KeyUp(int code) {
  if (code == KeyHeld) KeyHeld = 0;
  if (code == OverlayKey) OverlayKey = 0;
  if (code == LockedKey) LockedKey = 0;
  if (code == VK_SHIFT) ShiftToggle = !ShiftToggle;
  if (code == CountKey) CountKeyReleases += 1;
}

// Captures input into the locked latches.
void LockInput() { InputLocked = 1; }

// Ends the capture and forgets the held key.
void UnlockInput() {
  InputLocked = 0;
  KeyHeld = 0;
}

// What system keys do: 0 swallowed, 2 all but Alt pass, else all pass.
void SetSysKeyMode(int mode) { SysKeyMode = mode; }

// Starts counting releases of one key.
void SetCountKey(int code) {
  CountKey = code;
  CountKeyReleases = 0;
}

// Releases of the counted key so far.
int GetCountKeyReleases() { return CountKeyReleases; }

}  // namespace ruSystem
