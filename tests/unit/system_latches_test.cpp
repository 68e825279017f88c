// system_latches_test.cpp - what the window procedure writes into the input
// latches: keys, Shift toggle, counted key, input lock, system keys, mouse
// buttons and the cursor-clip toggle.
#include <gtest/gtest.h>

#include "draw/draw.h"
#include "input/input.h"
#include "platform/os/messages.h"
#include "system/system.h"
#include "tests/support/headless_run.h"

namespace {
HWND W() { return reinterpret_cast<HWND>(0x10); }
void Send(UINT m, WPARAM wp = 0, LPARAM lp = 0) { ruSystem::WindowProc(W(), m, wp, lp); }

platform::HeadlessBackend& Fresh() { return headless_run::FreshSystem(); }
}  // namespace

TEST(Latches, KeyPressAndRelease) {
  Fresh();
  Send(WM_KEYDOWN, 'A');
  EXPECT_EQ(ruSystem::KeyHeld, 'A');
  EXPECT_EQ(ruSystem::KeyPushed, 'A');
  Send(WM_KEYDOWN, 'B');
  Send(WM_KEYUP, 'A');  // not the held key
  EXPECT_EQ(ruSystem::KeyHeld, 'B');
  Send(WM_KEYUP, 'B');
  EXPECT_EQ(ruSystem::KeyHeld, 0);
  EXPECT_EQ(ruSystem::KeyPushed, 'B');  // kept for the key list
}

TEST(Latches, ShiftToggleAndCountedKey) {
  Fresh();
  ruSystem::SetCountKey(VK_SPACE);
  for (int i = 0; i < 3; ++i) {
    Send(WM_KEYDOWN, VK_SPACE);
    Send(WM_KEYUP, VK_SPACE);
  }
  EXPECT_EQ(ruSystem::GetCountKeyReleases(), 3);
  Send(WM_KEYUP, VK_SHIFT);
  EXPECT_EQ(ruSystem::ShiftToggle, 1);
  Send(WM_KEYUP, VK_SHIFT);
  EXPECT_EQ(ruSystem::ShiftToggle, 0);
  ruSystem::SetCountKey(VK_SPACE);
  EXPECT_EQ(ruSystem::GetCountKeyReleases(), 0);
}

TEST(Latches, InputLockCapturesKeysAndLeftButton) {
  auto& b = Fresh();
  Send(WM_KEYDOWN, 'Q');
  ruSystem::LockInput();
  Send(WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(ruSystem::LockedKey, VK_ESCAPE);
  EXPECT_EQ(ruSystem::KeyHeld, 'Q');
  EXPECT_TRUE(b.MessageBoxes().empty());
  Send(WM_LBUTTONDOWN);
  Send(WM_RBUTTONDOWN);
  Send(WM_LBUTTONDBLCLK);
  EXPECT_EQ(ruSystem::LockedLeftButton, 1);
  EXPECT_EQ(ruSystem::LeftClick + ruSystem::RightClick + ruSystem::LeftDoubleClick, 0);
  Send(WM_LBUTTONUP);
  EXPECT_EQ(ruSystem::LockedLeftButton, 0);
  Send(WM_KEYUP, VK_ESCAPE);
  EXPECT_EQ(ruSystem::LockedKey, 0);
  ruSystem::UnlockInput();
  EXPECT_EQ(ruSystem::KeyHeld, 0);
}

TEST(Latches, EscAsksEveryTimeItReachesKeyDown) {
  auto& b = Fresh();
  Send(WM_KEYDOWN, VK_ESCAPE);
  Send(WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(b.MessageBoxes().size(), 2u);
  EXPECT_EQ(ruSystem::ExitStarted, 0);
  b.QueueAnswer(IDYES);
  Send(WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(ruSystem::ExitStarted, 1);
}

TEST(Latches, SystemKeyModes) {
  Fresh();
  Send(WM_SYSKEYDOWN, 'A');
  EXPECT_EQ(ruSystem::KeyHeld, 0);  // mode 0 swallows all
  ruSystem::SetSysKeyMode(2);
  Send(WM_SYSKEYDOWN, VK_MENU);
  EXPECT_EQ(ruSystem::KeyHeld, 0);
  Send(WM_SYSKEYDOWN, 'A');
  EXPECT_EQ(ruSystem::KeyHeld, 'A');
  ruSystem::SetSysKeyMode(1);
  Send(WM_SYSKEYDOWN, VK_MENU);
  EXPECT_EQ(ruSystem::KeyHeld, VK_MENU);
  Send(WM_SYSKEYUP, VK_MENU);  // not handled
  EXPECT_EQ(ruSystem::KeyHeld, VK_MENU);
}

TEST(Latches, MouseButtonsAndPosition) {
  Fresh();
  Send(WM_MOUSEMOVE, 0, MAKELPARAM(65535, 7));
  EXPECT_EQ(ruSystem::MouseX, 65535);  // unsigned 16-bit
  Send(WM_LBUTTONDOWN);
  Send(WM_RBUTTONDOWN);
  EXPECT_EQ(ruSystem::MouseButton, 2);
  Send(WM_LBUTTONUP);
  EXPECT_EQ(ruSystem::MouseButton, 2);  // still the right button's
  EXPECT_EQ(ruSystem::LeftPushed, 1);
  Send(WM_RBUTTONUP);
  EXPECT_EQ(ruSystem::MouseButton, 0);
  EXPECT_EQ(ruSystem::MouseClicked, 2);
}

TEST(Latches, WindowMoveIsSignedAndRightDoubleClickTogglesTheClip) {
  auto& b = Fresh();
  Send(WM_MOVE, 0, MAKELPARAM(WORD(-8), WORD(-30)));
  EXPECT_EQ(ruSystem::WindowX, -8);
  EXPECT_EQ(ruSystem::WindowY, -30);
  ruSystem::ClipCursorMode = 1;
  Send(WM_RBUTTONDBLCLK);
  EXPECT_TRUE(b.CursorClipped());
  EXPECT_EQ(ruSystem::RightDoubleClick, 1);
  Send(WM_RBUTTONDBLCLK);
  EXPECT_FALSE(b.CursorClipped());
  Send(WM_ACTIVATEAPP, 1);
  EXPECT_TRUE(b.CursorClipped());
  EXPECT_EQ(ruSystem::AppActive, 1);
  Send(WM_ACTIVATEAPP, 0);
  EXPECT_FALSE(b.CursorClipped());
}

TEST(Latches, ScreenSaverAndHotKeys) {
  Fresh();
  EXPECT_EQ(ruSystem::WindowProc(W(), WM_SYSCOMMAND, SC_SCREENSAVE | 3, 0), 0);
  Send(WM_HOTKEY, 0xBF01);
  EXPECT_EQ(ruSystem::KeyHeld, VK_SNAPSHOT);
  Send(WM_HOTKEY, 0xBF02);
  EXPECT_EQ(ruSystem::KeyHeld, 0x101);
  ruSystem::FullScreen = 1;
  EXPECT_EQ(ruSystem::WindowProc(W(), WM_SETCURSOR, 0, 0), 1);
}

TEST(Latches, OverlayTakesKeysButEscStillAsks) {
  auto& b = Fresh();
  ruDraw::OverlayShown = 1;
  Send(WM_KEYDOWN, 'C');
  EXPECT_EQ(ruSystem::OverlayKey, 'C');
  EXPECT_EQ(ruSystem::KeyHeld, 0);
  EXPECT_EQ(ruSystem::KeyPushed, 0);
  Send(WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(b.MessageBoxes().size(), 1u);
  Send(WM_KEYUP, VK_ESCAPE);
  EXPECT_EQ(ruSystem::OverlayKey, 0);
  ruDraw::OverlayShown = 0;
}
