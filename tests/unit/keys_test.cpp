// Key checks: the four-state GetKey over the platform's key state and the
// press-and-release check of a key list.
#include <gtest/gtest.h>

#include <memory>

#include "draw/draw.h"
#include "input/input.h"
#include "platform/backend.h"
#include "platform/headless/headless.h"
#include "platform/os/messages.h"
#include "system/system.h"
#include "tests/support/test_hooks.h"

namespace {

constexpr int kEnter = 0x0D, kSpace = 0x20, kLeft = 1;

class KeysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_hooks::Clear();
    platform::SetBackend(std::make_unique<platform::HeadlessBackend>(platform::HeadlessOptions{}));
    platform::ResetMessages();
    ruSystem::ClearInputLatches();
    ruSystem::TransitionStep = 0;
    ruDraw::OverlayShown = 0;
  }
  void TearDown() override {
    platform::ResetMessages();
    ruSystem::ClearInputLatches();
    ruSystem::TransitionStep = 0;
    ruDraw::OverlayShown = 0;
  }

  // Delivers a key message so that the platform's key state follows it.
  static void Key(UINT message, int vk) {
    platform::PostMessage(nullptr, message, WPARAM(vk), 0);
    platform::MSG msg{};
    while (platform::PeekMessage(&msg, PM_REMOVE)) {
    }
  }
  static void Down(int vk) { Key(WM_KEYDOWN, vk); }
  static void Up(int vk) { Key(WM_KEYUP, vk); }

  static int Check(int vk, int& state) {
    ruSystem::GetKey(vk, &state);
    return state;
  }
};

TEST_F(KeysTest, HoldingAndReleasingAKeyRunsThroughTheFourStates) {
  int state = 0;
  EXPECT_EQ(Check(kEnter, state), 0);
  Down(kEnter);
  EXPECT_EQ(Check(kEnter, state), 1);
  EXPECT_EQ(Check(kEnter, state), 3);
  Down(kEnter);  // auto-repeat
  EXPECT_EQ(Check(kEnter, state), 3);
  Up(kEnter);
  EXPECT_EQ(Check(kEnter, state), 2);
  EXPECT_EQ(Check(kEnter, state), 0);
  // Released at one check and down again at the next: a new press.
  Down(kEnter);
  EXPECT_EQ(Check(kEnter, state), 1);
  Up(kEnter);
  EXPECT_EQ(Check(kEnter, state), 2);
  Down(kEnter);
  EXPECT_EQ(Check(kEnter, state), 1);
  // Released and pressed again between two checks: never seen up.
  Up(kEnter);
  Down(kEnter);
  EXPECT_EQ(Check(kEnter, state), 3);
}

TEST_F(KeysTest, TransitionOverlayAndLockReadZeroAndAHeldKeyPressesAgainAfter) {
  int* const modes[] = {&ruSystem::TransitionStep, &ruDraw::OverlayShown, &ruSystem::InputLocked};
  for (int* mode : modes) {
    int state = 0;
    Down(kSpace);
    EXPECT_EQ(Check(kSpace, state), 1);
    *mode = 1;
    EXPECT_EQ(Check(kSpace, state), 0);
    EXPECT_EQ(Check(kSpace, state), 0);
    *mode = 0;
    EXPECT_EQ(Check(kSpace, state), 1);
    Up(kSpace);
    EXPECT_EQ(Check(kSpace, state), 2);
  }
  int state = 3;
  ruSystem::GetKey(kSpace, nullptr);  // no state to update: nothing happens
  EXPECT_EQ(Check(kSpace, state), 2);
}

// One frame's call of the game's list check.
int Frame() { return ruSystem::CheckKeyList(kEnter, kLeft, 0); }

TEST_F(KeysTest, KeyListReportsAKeyOnceAfterItsRelease) {
  EXPECT_EQ(Frame(), 0);
  ruSystem::KeyDown(kEnter);
  EXPECT_EQ(Frame(), 0);
  EXPECT_EQ(Frame(), 0);
  ruSystem::KeyUp(kEnter);
  EXPECT_EQ(Frame(), kEnter);
  EXPECT_EQ(ruSystem::KeyPushed, 0);
  EXPECT_EQ(Frame(), 0);
  // A key outside the list is never reported.
  ruSystem::KeyDown(kSpace);
  ruSystem::KeyUp(kSpace);
  EXPECT_EQ(Frame(), 0);
  EXPECT_EQ(Frame(), 0);
}

TEST_F(KeysTest, KeyListReportsTheMouseButtonAfterItsRelease) {
  EXPECT_EQ(Frame(), 0);
  ruSystem::MouseButton = ruSystem::MouseClicked = kLeft;
  EXPECT_EQ(Frame(), 0);
  ruSystem::MouseButton = 0;
  EXPECT_EQ(Frame(), kLeft);
  EXPECT_EQ(ruSystem::MouseClicked, 0);
  EXPECT_EQ(Frame(), 0);
}

TEST_F(KeysTest, KeyListWaitsWhileAKeyIsHeldWhenFirstTested) {
  ruSystem::KeyDown(kSpace);
  ruSystem::KeyDown(kEnter);
  EXPECT_EQ(Frame(), 0);  // something is held: not armed
  EXPECT_EQ(Frame(), 0);
  EXPECT_EQ(ruSystem::KeyListState, 0);
  // Arming looks at the pushed latch, which still holds Enter: the press
  // made before arming is reported at the first call after its release.
  ruSystem::KeyUp(kEnter);
  EXPECT_EQ(Frame(), kEnter);
  EXPECT_EQ(Frame(), 0);
}

TEST_F(KeysTest, KeyListOverwrittenLatchStillReportsOnRelease) {
  EXPECT_EQ(Frame(), 0);
  ruSystem::KeyDown(kEnter);
  EXPECT_EQ(Frame(), 0);  // matched Enter, still held
  ruSystem::KeyDown(kSpace);  // overwrites both latches
  EXPECT_EQ(Frame(), 0);      // state dropped; Space is held
  ruSystem::KeyUp(kSpace);
  ruSystem::KeyUp(kEnter);
  EXPECT_EQ(Frame(), 0);  // armed again; Space's latch is not in the list
  // Matched and, in the same frame, overwritten and released: the release
  // test still runs and reports the matched code.
  ruSystem::KeyDown(kEnter);
  EXPECT_EQ(Frame(), 0);
  ruSystem::KeyDown(kSpace);
  ruSystem::KeyUp(kSpace);
  EXPECT_EQ(Frame(), kEnter);
}

}  // namespace
