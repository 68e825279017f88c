// joystick_test.cpp - the joystick operations over scripted headless
// joysticks: calibration and the dead band, the keypad digit, levers,
// button states and charges, suspended input, and calls that fail.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "draw/draw.h"
#include "input/input.h"
#include "system/system.h"
#include "tests/support/headless_run.h"

namespace {

constexpr DWORD kLow = 0, kMid = 32767, kHigh = 65535;

class JoystickTest : public testing::Test {
 protected:
  void SetUp() override {
    backend = &headless_run::FreshSystem();
    ruSystem::FrameTime = 0.1f;
  }
  void TearDown() override {
    ruSystem::TransitionStep = ruDraw::OverlayShown = ruSystem::InputLocked = 0;
  }
  // Joystick `id` plugged in at x, y with the button bits.
  void Stick(int id, DWORD x, DWORD y, DWORD buttons = 0) {
    backend->SetJoystick(id, platform::JoystickState{true, x, y, buttons});
  }
  // Plugged in at rest at (cx, cy) during set-up, speed and rate set.
  void Calibrated(int id, DWORD cx, DWORD cy, float speed = 0, float rate = 0) {
    Stick(id, cx, cy);
    ruSystem::InitJoystick();
    ruSystem::SetJoystickSpeed(id, speed, rate);
  }
  static std::vector<int> Lever(int id) {
    int x = -1, y = -1;
    ruSystem::GetJoyLever(id, &x, &y);
    return {x, y};
  }

  platform::HeadlessBackend* backend = nullptr;
};

TEST_F(JoystickTest, DeadBandKeypadAndAJoystickAbsentAtCalibration) {
  Calibrated(0, 101, 101);  // half the centre is 50
  const struct {
    DWORD x, y;
    int dx, dy, digit;
  } cases[] = {{50, 101, -1, 0, 4}, {51, 150, 0, 0, 5},  {151, 101, 1, 0, 6},
               {101, 50, 0, -1, 8}, {0, 151, -1, 1, 1},  {kHigh, 0, 1, -1, 9}};
  for (const auto& c : cases) {
    Stick(0, c.x, c.y);
    int d[2] = {9, 9};
    ruSystem::GetJoyDirection(0, &d[0], &d[1]);
    EXPECT_EQ(std::vector<int>(d, d + 2), std::vector<int>({c.dx, c.dy})) << c.x << "," << c.y;
    EXPECT_EQ(ruSystem::GetJoyKeypad(0), c.digit) << c.x << "," << c.y;
  }
  // Joystick 1 was absent at calibration: centre 0, so any positive
  // position reads +1 once it is plugged in.
  int centre[2] = {9, 9};
  ruSystem::GetJoystickCenter(1, &centre[0], &centre[1]);
  EXPECT_EQ(centre[0] + centre[1], 0);
  Stick(1, 1, 0);
  EXPECT_EQ(ruSystem::GetJoyKeypad(1), 9);  // right, and up: 0 is at or below half of 0
}

TEST_F(JoystickTest, LeverMovesAtItsSpeedStopsAtTheLimitAndSpringsBackToZero) {
  Calibrated(0, kMid, kMid, 200.0f);
  Stick(0, kHigh, kLow);  // right and up
  for (int expected : {20, 40, 60, 80, 100, 100})
    EXPECT_EQ(Lever(0), std::vector<int>({expected, -expected}));
  Stick(0, kMid, kMid);
  for (int expected : {80, 60, 40, 20, 0, 0}) EXPECT_EQ(Lever(0)[0], expected);
  // Springing back never overshoots: from -30 at 20 a frame.
  ruSystem::FrameTime = 0.15f;
  Stick(0, kLow, kMid);
  EXPECT_EQ(Lever(0)[0], -30);
  ruSystem::FrameTime = 0.1f;
  Stick(0, kMid, kMid);
  EXPECT_EQ(Lever(0)[0], -10);
  EXPECT_EQ(Lever(0)[0], 0);
  EXPECT_EQ(ruSystem::Joystick[0].LeverX, 0.0f);
}

TEST_F(JoystickTest, ChargeFillsInTwoSecondsAtRateFiftyAndEmptiesOnRelease) {
  Calibrated(0, kMid, kMid, 0, 50.0f);
  Stick(0, kMid, kMid, 0x1 | 0x4);  // buttons 1 and 3
  int charge[26] = {};
  for (int frame = 1; frame <= 25; ++frame) charge[frame] = ruSystem::GetJoyCharge(0, 1);
  EXPECT_EQ(charge[1], 5);
  EXPECT_LT(charge[19], 100);
  EXPECT_EQ(charge[20], 100);
  EXPECT_EQ(charge[25], 100);
  int c[4] = {};
  ruSystem::GetJoyCharges(0, &c[0], &c[1], &c[2], &c[3]);
  EXPECT_EQ(std::vector<int>(c, c + 4), std::vector<int>({100, 0, 5, 0}));
  Stick(0, kMid, kMid, 0);
  ruSystem::GetJoyCharges(0, &c[0], &c[1], &c[2], &c[3]);
  EXPECT_EQ(c[0] + c[2] + ruSystem::GetJoyCharge(0, 1), 0);
}

TEST_F(JoystickTest, ButtonStatesReadZeroWhileInputIsSuspendedAndHeldButtonsPressAgainAfter) {
  for (int* mode : {&ruSystem::TransitionStep, &ruDraw::OverlayShown, &ruSystem::InputLocked}) {
    Calibrated(0, kMid, kMid);
    Stick(0, kMid, kMid, 0x2);  // button 2 held
    int s[4] = {9, 9, 9, 9};
    EXPECT_EQ(ruSystem::GetJoyButtonState(0, 2), 1);
    *mode = 1;
    ruSystem::GetJoyButtonStates(0, &s[0], &s[1], &s[2], &s[3]);
    EXPECT_EQ(s[1] + ruSystem::GetJoyButtonState(0, 2), 0);
    *mode = 0;
    EXPECT_EQ(ruSystem::GetJoyButtonState(0, 2), 1);
    ruSystem::GetJoyButtonStates(0, &s[0], &s[1], &s[2], &s[3]);
    EXPECT_EQ(std::vector<int>(s, s + 4), std::vector<int>({0, 3, 0, 0}));
    Stick(0, kMid, kMid, 0);
    EXPECT_EQ(ruSystem::GetJoyButtonState(0, 2), 2);
    EXPECT_EQ(ruSystem::GetJoyButtonState(0, 2), 0);
  }
}

// Everything the operations return for joystick `id`, in one list, with
// the keypad digit counted from 5.
std::vector<int> Everything(int id) {
  int v[19] = {};
  ruSystem::GetJoyPos(id, &v[0], &v[1]);
  ruSystem::GetJoyDirection(id, &v[2], &v[3]);
  ruSystem::GetJoyLever(id, &v[4], &v[5]);
  ruSystem::GetJoyButtons(id, &v[6], &v[7], &v[8], &v[9]);
  ruSystem::GetJoyButtonStates(id, &v[10], &v[11], &v[12], &v[13]);
  ruSystem::GetJoyCharges(id, &v[14], &v[15], &v[16], &v[17]);
  v[18] = ruSystem::GetJoyKeypad(id) - 5;
  for (int n = 1; n <= 4; ++n)
    v[n + 5] += ruSystem::GetJoyButton(id, n) + ruSystem::GetJoyButtonState(id, n) +
                ruSystem::GetJoyCharge(id, n);
  return std::vector<int>(v, v + 19);
}

// A joystick that does not answer, an id other than 0 and 1 and a button
// number out of range all read as centred with nothing pressed, and leave
// every stored value as it was.
TEST_F(JoystickTest, FailedReadsBadIdsAndBadButtonsReadZeroAndChangeNothing) {
  Calibrated(0, kMid, kMid, 200.0f, 50.0f);
  Stick(0, kHigh, kHigh, 0x8000000Fu);
  EXPECT_NE(Everything(0), std::vector<int>(19, 0));
  EXPECT_EQ(ruSystem::GetJoyButton(0, 32), 1);
  ruSystem::JoystickRecord before[2];
  std::memcpy(before, ruSystem::Joystick, sizeof before);

  for (int id : {1, -1, 2, 1 << 30}) EXPECT_EQ(Everything(id), std::vector<int>(19, 0)) << id;
  for (int id : {-1, 2}) {
    int x = 9, y = 9;
    ruSystem::GetJoystickCenter(id, &x, &y);
    EXPECT_EQ(x + y, 0);
    ruSystem::SetJoystickSpeed(id, 1, 1);
  }
  for (int n : {0, 5, -7}) {
    EXPECT_EQ(ruSystem::GetJoyButtonState(0, n) + ruSystem::GetJoyCharge(0, n), 0) << n;
    EXPECT_EQ(ruSystem::GetJoyButton(0, n == 5 ? 33 : n), 0) << n;
  }
  EXPECT_EQ(std::memcmp(before, ruSystem::Joystick, sizeof before), 0);

  // Unplugged: the single-button charge empties (the button is not held);
  // levers and states stay.
  backend->SetJoystick(0, platform::JoystickState{});
  Everything(0);
  for (float& charge : ruSystem::Joystick[0].Charge) {
    EXPECT_EQ(charge, 0.0f);
    charge = before[0].Charge[&charge - ruSystem::Joystick[0].Charge];
  }
  EXPECT_EQ(std::memcmp(before, ruSystem::Joystick, sizeof before), 0);
}

TEST_F(JoystickTest, ResetKeepsSpeedsAndStatesAndInitClearsThemAndRecalibrates) {
  Calibrated(0, kMid, kMid, 200.0f, 50.0f);
  Stick(0, kHigh, kMid, 0x1);
  Everything(0);
  const ruSystem::JoystickRecord& j = ruSystem::Joystick[0];
  ruSystem::ResetJoystick();
  EXPECT_EQ(j.LeverX + j.Charge[0], 0.0f);
  EXPECT_EQ(j.Speed + j.ChargeRate, 250.0f);
  EXPECT_EQ(j.ButtonState[0], 3);
  ruSystem::InitJoystick();
  EXPECT_EQ(j.Speed + j.ChargeRate + float(j.ButtonState[0]), 0.0f);
  EXPECT_EQ(ruSystem::JoyCenterX[0], int(kHigh));  // where the stick is now
}

}  // namespace
