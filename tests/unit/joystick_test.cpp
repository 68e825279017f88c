// joystick_test.cpp - the joystick operations over scripted headless
// joysticks: calibration and the dead band, the keypad digit, levers,
// button states and charges, suspended input, and calls that fail.
#include <gtest/gtest.h>

#include <cstring>

#include "draw/draw.h"
#include "input/input.h"
#include "system/system.h"
#include "tests/support/headless_run.h"

namespace {

using platform::JoystickState;

constexpr DWORD kLeft = 0, kRight = 65535;

class JoystickTest : public testing::Test {
 protected:
  void SetUp() override {
    backend = &headless_run::FreshSystem();
    ruSystem::TransitionStep = ruDraw::OverlayShown = ruSystem::InputLocked = 0;
    ruSystem::FrameTime = 0.1f;
  }
  void TearDown() override {
    ruSystem::TransitionStep = ruDraw::OverlayShown = ruSystem::InputLocked = 0;
  }
  // Joystick `id` plugged in at x, y with the button bits.
  void Stick(int id, DWORD x, DWORD y, DWORD buttons = 0) {
    backend->SetJoystick(id, JoystickState{true, x, y, buttons});
  }
  void Unplug(int id) { backend->SetJoystick(id, JoystickState{}); }
  // Plugged in at rest at (cx, cy) during set-up, speed and rate set.
  void Calibrated(int id, DWORD cx, DWORD cy, float speed = 0, float rate = 0) {
    Stick(id, cx, cy);
    ruSystem::InitJoystick();
    ruSystem::SetJoystickSpeed(id, speed, rate);
  }
  int LeverX(int id) {
    int x = -1, y = -1;
    ruSystem::GetJoyLever(id, &x, &y);
    return x;
  }

  platform::HeadlessBackend* backend = nullptr;
};

TEST_F(JoystickTest, DeadBandRunsFromHalfToOneAndAHalfTimesTheCentre) {
  Calibrated(0, 101, 101);
  int cx = 0, cy = 0;
  ruSystem::GetJoystickCenter(0, &cx, &cy);
  EXPECT_EQ(cx, 101);
  EXPECT_EQ(cy, 101);
  const struct {
    DWORD v;
    int direction;
  } cases[] = {{0, -1}, {50, -1}, {51, 0}, {101, 0}, {150, 0}, {151, 1}, {65535, 1}};
  for (const auto& c : cases) {
    Stick(0, c.v, 101);
    int dx = 9, dy = 9;
    ruSystem::GetJoyDirection(0, &dx, &dy);
    EXPECT_EQ(dx, c.direction) << "x = " << c.v;
    EXPECT_EQ(dy, 0);
    Stick(0, 101, c.v);
    ruSystem::GetJoyDirection(0, &dx, &dy);
    EXPECT_EQ(dy, c.direction) << "y = " << c.v;
  }
}

TEST_F(JoystickTest, KeypadDigitFollowsTheStick) {
  Calibrated(1, 32767, 32767);
  const struct {
    DWORD x, y;
    int digit;
  } cases[] = {{kLeft, kLeft, 7},   {32767, kLeft, 8},  {kRight, kLeft, 9},
               {kLeft, 32767, 4},   {32767, 32767, 5},  {kRight, 32767, 6},
               {kLeft, kRight, 1},  {32767, kRight, 2}, {kRight, kRight, 3}};
  for (const auto& c : cases) {
    Stick(1, c.x, c.y);
    EXPECT_EQ(ruSystem::GetJoyKeypad(1), c.digit) << c.x << "," << c.y;
  }
}

TEST_F(JoystickTest, AbsentAtCalibrationCentresAtZeroSoAnyPositivePositionIsPlusOne) {
  Unplug(0);
  ruSystem::InitJoystick();
  int cx = -1, cy = -1;
  ruSystem::GetJoystickCenter(0, &cx, &cy);
  EXPECT_EQ(cx, 0);
  EXPECT_EQ(cy, 0);
  Stick(0, 1, 0);  // plugged in later
  int dx = 0, dy = 0;
  ruSystem::GetJoyDirection(0, &dx, &dy);
  EXPECT_EQ(dx, 1);
  EXPECT_EQ(dy, -1);
}

TEST_F(JoystickTest, LeverMovesAtItsSpeedStopsAtTheLimitAndSpringsBackToZero) {
  Calibrated(0, 32767, 32767, 200.0f);
  Stick(0, kRight, kLeft);  // right and up
  const int held[] = {20, 40, 60, 80, 100, 100};
  for (int expected : held) {
    int x = 0, y = 0;
    ruSystem::GetJoyLever(0, &x, &y);
    EXPECT_EQ(x, expected);
    EXPECT_EQ(y, -expected);
  }
  Stick(0, 32767, 32767);
  const int released[] = {80, 60, 40, 20, 0, 0};
  for (int expected : released) EXPECT_EQ(LeverX(0), expected);
  // Springing back never overshoots: 30 left of centre at 20 per frame.
  ruSystem::FrameTime = 0.15f;
  Stick(0, kLeft, 32767);
  EXPECT_EQ(LeverX(0), -30);
  ruSystem::FrameTime = 0.1f;
  Stick(0, 32767, 32767);
  EXPECT_EQ(LeverX(0), -10);
  EXPECT_EQ(LeverX(0), 0);
  EXPECT_EQ(ruSystem::Joystick[0].LeverX, 0.0f);
}

TEST_F(JoystickTest, ChargeFillsInTwoSecondsAtRateFiftyAndEmptiesOnRelease) {
  Calibrated(0, 32767, 32767, 0, 50.0f);
  Stick(0, 32767, 32767, 0x1 | 0x4);  // buttons 1 and 3
  int charge[26] = {};
  for (int frame = 1; frame <= 25; ++frame) charge[frame] = ruSystem::GetJoyCharge(0, 1);
  EXPECT_EQ(charge[1], 5);
  EXPECT_EQ(charge[10], 50);
  EXPECT_LT(charge[19], 100);
  EXPECT_EQ(charge[20], 100);
  EXPECT_EQ(charge[25], 100);
  int c1 = 0, c2 = 0, c3 = 0, c4 = 0;
  ruSystem::GetJoyCharges(0, &c1, &c2, &c3, &c4);
  EXPECT_EQ(c1, 100);
  EXPECT_EQ(c2, 0);
  EXPECT_EQ(c3, 5);  // first frame of button 3
  EXPECT_EQ(c4, 0);
  Stick(0, 32767, 32767, 0);
  EXPECT_EQ(ruSystem::GetJoyCharge(0, 1), 0);
  ruSystem::GetJoyCharges(0, &c1, &c2, &c3, &c4);
  EXPECT_EQ(c3, 0);
}

TEST_F(JoystickTest, ButtonStatesReadZeroWhileInputIsSuspendedAndHeldButtonsPressAgainAfter) {
  int* const modes[] = {&ruSystem::TransitionStep, &ruDraw::OverlayShown, &ruSystem::InputLocked};
  for (int* mode : modes) {
    Calibrated(0, 32767, 32767);
    Stick(0, 32767, 32767, 0x2);  // button 2 held
    EXPECT_EQ(ruSystem::GetJoyButtonState(0, 2), 1);
    EXPECT_EQ(ruSystem::GetJoyButtonState(0, 2), 3);
    *mode = 1;
    int s1 = 9, s2 = 9, s3 = 9, s4 = 9;
    ruSystem::GetJoyButtonStates(0, &s1, &s2, &s3, &s4);
    EXPECT_EQ(s2, 0);
    EXPECT_EQ(ruSystem::GetJoyButtonState(0, 2), 0);
    *mode = 0;
    EXPECT_EQ(ruSystem::GetJoyButtonState(0, 2), 1);
    ruSystem::GetJoyButtonStates(0, &s1, &s2, &s3, &s4);
    EXPECT_EQ(s1, 0);
    EXPECT_EQ(s2, 3);
    Stick(0, 32767, 32767, 0);
    EXPECT_EQ(ruSystem::GetJoyButtonState(0, 2), 2);
    EXPECT_EQ(ruSystem::GetJoyButtonState(0, 2), 0);
  }
}

TEST_F(JoystickTest, PlainButtonsAreBitsOneToThirtyTwo) {
  Calibrated(0, 32767, 32767);
  Stick(0, 32767, 32767, 0x80000009u);
  int b1 = 0, b2 = 0, b3 = 0, b4 = 0;
  ruSystem::GetJoyButtons(0, &b1, &b2, &b3, &b4);
  EXPECT_EQ(b1 * 1000 + b2 * 100 + b3 * 10 + b4, 1001);
  EXPECT_EQ(ruSystem::GetJoyButton(0, 32), 1);
  EXPECT_EQ(ruSystem::GetJoyButton(0, 31), 0);
  int x = 0, y = 0;
  ruSystem::GetJoyPos(0, &x, &y);
  EXPECT_EQ(x, 32767);
}

// A joystick that does not answer, an id other than 0 and 1 and a button
// number out of range all read as centred with nothing pressed, and leave
// every stored value as it was.
TEST_F(JoystickTest, FailedReadsBadIdsAndBadButtonsReadZeroAndChangeNothing) {
  Calibrated(0, 32767, 32767, 200.0f, 50.0f);
  Stick(0, kRight, kRight, 0xF);
  int x = 0, y = 0, s[4] = {}, c[4] = {};
  ruSystem::GetJoyLever(0, &x, &y);
  ruSystem::GetJoyButtonStates(0, &s[0], &s[1], &s[2], &s[3]);
  ruSystem::GetJoyCharges(0, &c[0], &c[1], &c[2], &c[3]);
  ruSystem::JoystickRecord before[2];
  std::memcpy(before, ruSystem::Joystick, sizeof before);

  const struct {
    int id, button;
  } calls[] = {{1, 1}, {-1, 1}, {2, 1}, {1 << 30, 1}, {0, 0}, {0, 5}, {0, -7}};
  for (const auto& call : calls) {
    const bool badButtonOnly = call.id == 0;
    if (!badButtonOnly) {
      x = y = 9;
      ruSystem::GetJoyPos(call.id, &x, &y);
      EXPECT_EQ(x + y, 0) << call.id;
      ruSystem::GetJoyDirection(call.id, &x, &y);
      EXPECT_EQ(x + y, 0);
      EXPECT_EQ(ruSystem::GetJoyKeypad(call.id), 5);
      ruSystem::GetJoyLever(call.id, &x, &y);
      EXPECT_EQ(x + y, 0);
      int b[4] = {9, 9, 9, 9};
      ruSystem::GetJoyButtons(call.id, &b[0], &b[1], &b[2], &b[3]);
      ruSystem::GetJoyButtonStates(call.id, &b[0], &b[1], &b[2], &b[3]);
      ruSystem::GetJoyCharges(call.id, &b[0], &b[1], &b[2], &b[3]);
      EXPECT_EQ(b[0] + b[1] + b[2] + b[3], 0);
      if (call.id != 1) {
        ruSystem::GetJoystickCenter(call.id, &x, &y);
        EXPECT_EQ(x + y, 0);
        ruSystem::SetJoystickSpeed(call.id, 1, 1);
      }
    }
    EXPECT_EQ(ruSystem::GetJoyButton(call.id, call.button), 0);
    EXPECT_EQ(ruSystem::GetJoyButtonState(call.id, call.button), 0);
    EXPECT_EQ(ruSystem::GetJoyCharge(call.id, call.button), 0);
  }
  EXPECT_EQ(ruSystem::GetJoyButton(0, 33), 0);
  EXPECT_EQ(std::memcmp(before, ruSystem::Joystick, sizeof before), 0);

  // Unplugged: the single charge empties (the button is not held); levers
  // and states stay.
  Unplug(0);
  ruSystem::GetJoyLever(0, &x, &y);
  ruSystem::GetJoyButtonStates(0, &s[0], &s[1], &s[2], &s[3]);
  EXPECT_EQ(ruSystem::GetJoyCharge(0, 2), 0);
  EXPECT_EQ(ruSystem::Joystick[0].Charge[1], 0.0f);
  EXPECT_EQ(ruSystem::Joystick[0].Charge[0], before[0].Charge[0]);
  EXPECT_EQ(ruSystem::Joystick[0].LeverX, before[0].LeverX);
  EXPECT_EQ(ruSystem::Joystick[0].ButtonState[0], 1);
}

TEST_F(JoystickTest, InitClearsRecordsAndResetKeepsSpeedsAndStates) {
  Calibrated(0, 32767, 32767, 200.0f, 50.0f);
  Stick(0, kRight, 32767, 0x1);
  int x = 0, y = 0;
  ruSystem::GetJoyLever(0, &x, &y);
  ruSystem::GetJoyCharge(0, 1);
  ruSystem::GetJoyButtonState(0, 1);
  ruSystem::ResetJoystick();
  const ruSystem::JoystickRecord& j = ruSystem::Joystick[0];
  EXPECT_EQ(j.LeverX + j.Charge[0], 0.0f);
  EXPECT_EQ(j.Speed, 200.0f);
  EXPECT_EQ(j.ChargeRate, 50.0f);
  EXPECT_EQ(j.ButtonState[0], 1);
  ruSystem::InitJoystick();
  EXPECT_EQ(j.Speed + j.ChargeRate, 0.0f);
  EXPECT_EQ(j.ButtonState[0], 0);
  ruSystem::GetJoystickCenter(0, &x, &y);
  EXPECT_EQ(x, int(kRight));  // calibrated where it is now
}

}  // namespace
