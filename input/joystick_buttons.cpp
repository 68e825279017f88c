// joystick_buttons.cpp - joystick buttons: plain bits, four-state values
// like the key check's, and charges that grow while a button is held.
#include "input/input.h"
#include "input/joystick_internal.h"
#include "system/system.h"

namespace ruSystem {

namespace {

using joystick::Put;
using joystick::Read;

constexpr int kStatefulButtons = 4;
constexpr int kButtonBits = 32;
constexpr float kFullCharge = 100.0f;

bool ValidStateful(int id, int n) {
  return joystick::ValidId(id) && n >= 1 && n <= kStatefulButtons;
}

bool Down(int n) { return (JoyInfo.dwButtons >> (n - 1)) & 1u; }

// Moves the stored state of button n by the last reading.
int StepState(int id, int n) {
  int& state = Joystick[id].ButtonState[n - 1];
  state = InputSuspended() ? 0 : NextKeyState(state, Down(n));
  return state;
}

// Charges button n by one frame, or empties it if the button is up.
int StepCharge(int id, int n) {
  JoystickRecord& j = Joystick[id];
  float& charge = j.Charge[n - 1];
  if (Down(n)) {
    charge += FrameTime * j.ChargeRate;
    if (charge >= kFullCharge) charge = kFullCharge;
  } else {
    charge = 0;
  }
  return int(charge);
}

// Runs `step` for buttons 1..4 into the four outputs; zeros and no step
// when the joystick does not answer.
template <typename Step>
void FourButtons(int id, int* out1, int* out2, int* out3, int* out4, Step step) {
  int* const outs[kStatefulButtons] = {out1, out2, out3, out4};
  const bool answered = Read(id, joystick::kButtonFlags);
  for (int n = 1; n <= kStatefulButtons; ++n) Put(outs[n - 1], answered ? step(id, n) : 0);
}

}  // namespace

int GetJoyButton(int id, int n) {
  if (n < 1 || n > kButtonBits || !Read(id, joystick::kButtonFlags)) return 0;
  return Down(n) ? 1 : 0;
}

void GetJoyButtons(int id, int* b1, int* b2, int* b3, int* b4) {
  FourButtons(id, b1, b2, b3, b4, [](int, int n) { return Down(n) ? 1 : 0; });
}

int GetJoyButtonState(int id, int n) {
  if (!ValidStateful(id, n) || !Read(id, joystick::kButtonFlags)) return 0;
  return StepState(id, n);
}

void GetJoyButtonStates(int id, int* s1, int* s2, int* s3, int* s4) {
  FourButtons(id, s1, s2, s3, s4, StepState);
}

// A reading that fails empties the charge: the button is not held.
int GetJoyCharge(int id, int n) {
  if (!ValidStateful(id, n)) return 0;
  if (!Read(id, joystick::kButtonFlags)) {
    Joystick[id].Charge[n - 1] = 0;
    return 0;
  }
  return StepCharge(id, n);
}

void GetJoyCharges(int id, int* c1, int* c2, int* c3, int* c4) {
  FourButtons(id, c1, c2, c3, c4, StepCharge);
}

}  // namespace ruSystem
