// input.h - keyboard and mouse state: latches written by the window
// procedure, the four-state key check, the key-list check, input locking,
// the system-key mode and the counted key; joysticks: positions,
// directions, levers, buttons, button states and charges.
#pragma once

#include "platform/os/joystick.h"
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
// The four-state rule of GetKey: 1 pressed, 3 held, 2 released, 0 up.
int NextKeyState(int state, bool down);
// True while a transition runs, the overlay is shown or input is locked:
// key and joystick checks then read 0.
bool InputSuspended();

// ---------------------------------------------------------------- joysticks
// Identifiers are 0 and 1, button numbers 1-based. A joystick that does not
// answer, an identifier other than 0 or 1, or a button number outside 1..4
// (1..32 for GetJoyButton) reads as centred with nothing pressed: zeros,
// keypad 5, and no stored value changes.
struct JoystickRecord {
  float LeverX, LeverY;    // -100..100
  float Speed;             // lever change per second
  float Charge[4];         // buttons 1..4, 0..100
  float ChargeRate;        // charge gained per second of holding
  int ButtonState[4];      // four-state values of buttons 1..4
};

extern platform::JOYINFOEX JoyInfo;  // the one record every reading fills
extern int JoyCenterX[2], JoyCenterY[2];
extern JoystickRecord Joystick[2];

// Screen set-up's call: calibrates, then clears both records.
int InitJoystick();
// Centres = where each stick rests now; 0, 0 for one that does not answer.
void CalibrateJoystick();
// Levers and charges of both records to 0.
void ResetJoystick();
// Lever speed (change per second) and charge rate of one joystick.
void SetJoystickSpeed(int id, float speed, float rate);
// The centre measured at calibration.
void GetJoystickCenter(int id, int* x, int* y);
// Raw axes 0..65535.
void GetJoyPos(int id, int* x, int* y);
// Per axis -1 (left, up), 0 (dead band: half to 1.5 times the centre) or 1.
void GetJoyDirection(int id, int* dx, int* dy);
// The numeric-keypad digit in the stick's direction: 7 8 9 / 4 5 6 / 1 2 3.
int GetJoyKeypad(int id);
// Moves the levers toward the stick at Speed per second (back to 0 in the
// dead band) and returns them truncated.
void GetJoyLever(int id, int* x, int* y);
// Bit n - 1 of the buttons, n 1..32.
int GetJoyButton(int id, int n);
// Bits 0 to 3 of the buttons.
void GetJoyButtons(int id, int* b1, int* b2, int* b3, int* b4);
// Four-state value of button n (1..4), stored and returned.
int GetJoyButtonState(int id, int n);
// GetJoyButtonState for buttons 1 to 4.
void GetJoyButtonStates(int id, int* s1, int* s2, int* s3, int* s4);
// Charge of button n (1..4): grows at ChargeRate per second while held, up
// to 100; 0 once released. Returned truncated.
int GetJoyCharge(int id, int n);
// GetJoyCharge for buttons 1 to 4.
void GetJoyCharges(int id, int* c1, int* c2, int* c3, int* c4);

}  // namespace ruSystem
