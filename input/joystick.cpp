// joystick.cpp - joystick state, calibration and the stick: raw position,
// direction with its dead band, keypad digit and levers.
#include "input/input.h"
#include "input/joystick_internal.h"
#include "system/system.h"

namespace ruSystem {

platform::JOYINFOEX JoyInfo{};
int JoyCenterX[2] = {0, 0}, JoyCenterY[2] = {0, 0};
JoystickRecord Joystick[2] = {};

namespace joystick {

bool Read(int id, DWORD flags) {
  if (!ValidId(id)) return false;
  JoyInfo.dwSize = sizeof(JoyInfo);
  JoyInfo.dwFlags = flags;
  return platform::JoyGetPosEx(UINT(id), &JoyInfo) == platform::JOYERR_NOERROR;
}

}  // namespace joystick

namespace {

using joystick::Put;
using joystick::Read;

constexpr float kLeverLimit = 100.0f;

// -1 at or below half the centre, +1 at or above 1.5 times it, else 0.
int AxisDirection(DWORD position, int centre) {
  const long long v = position, half = centre / 2;
  if (v <= half) return -1;
  if (v >= half + centre) return 1;
  return 0;
}

// Moves one lever a frame toward direction d; in the dead band it springs
// back toward 0 at the same speed without overshooting.
float MoveLever(float lever, int d, float speed) {
  if (d != 0) {
    lever += float(d) * speed * FrameTime;
    if (lever >= kLeverLimit) lever = kLeverLimit;
    if (lever <= -kLeverLimit) lever = -kLeverLimit;
  } else if (lever > 0) {
    lever -= FrameTime * speed;
    if (lever < 0) lever = 0;
  } else if (lever < 0) {
    lever += FrameTime * speed;
    if (lever > 0) lever = 0;
  }
  return lever;
}

// Reads the stick's directions; false (and 0, 0) when it does not answer.
bool ReadDirection(int id, int* dx, int* dy) {
  *dx = *dy = 0;
  if (!Read(id, joystick::kPositionFlags)) return false;
  *dx = AxisDirection(JoyInfo.dwXpos, JoyCenterX[id]);
  *dy = AxisDirection(JoyInfo.dwYpos, JoyCenterY[id]);
  return true;
}

}  // namespace

int InitJoystick() {
  platform::JoyConfigChanged(0);
  CalibrateJoystick();
  for (JoystickRecord& j : Joystick) j = JoystickRecord{};
  return 1;
}

void CalibrateJoystick() {
  for (int id = 0; id < 2; ++id) {
    const bool answered = Read(id, joystick::kCalibrateFlags);
    JoyCenterX[id] = answered ? int(JoyInfo.dwXpos) : 0;
    JoyCenterY[id] = answered ? int(JoyInfo.dwYpos) : 0;
  }
}

void ResetJoystick() {
  for (JoystickRecord& j : Joystick) {
    j.LeverX = j.LeverY = 0;
    for (float& c : j.Charge) c = 0;
  }
}

void SetJoystickSpeed(int id, float speed, float rate) {
  if (!joystick::ValidId(id)) return;
  Joystick[id].Speed = speed;
  Joystick[id].ChargeRate = rate;
}

void GetJoystickCenter(int id, int* x, int* y) {
  const bool valid = joystick::ValidId(id);
  Put(x, valid ? JoyCenterX[id] : 0);
  Put(y, valid ? JoyCenterY[id] : 0);
}

void GetJoyPos(int id, int* x, int* y) {
  const bool answered = Read(id, joystick::kPositionFlags);
  Put(x, answered ? int(JoyInfo.dwXpos) : 0);
  Put(y, answered ? int(JoyInfo.dwYpos) : 0);
}

void GetJoyDirection(int id, int* dx, int* dy) {
  int x = 0, y = 0;
  ReadDirection(id, &x, &y);
  Put(dx, x);
  Put(dy, y);
}

int GetJoyKeypad(int id) {
  int dx = 0, dy = 0;
  ReadDirection(id, &dx, &dy);
  return 5 + dx - 3 * dy;
}

void GetJoyLever(int id, int* x, int* y) {
  int dx = 0, dy = 0;
  if (!ReadDirection(id, &dx, &dy)) {
    Put(x, 0);
    Put(y, 0);
    return;
  }
  JoystickRecord& j = Joystick[id];
  j.LeverX = MoveLever(j.LeverX, dx, j.Speed);
  j.LeverY = MoveLever(j.LeverY, dy, j.Speed);
  Put(x, int(j.LeverX));
  Put(y, int(j.LeverY));
}

}  // namespace ruSystem
