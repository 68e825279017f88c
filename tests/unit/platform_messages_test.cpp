// platform_messages_test.cpp - the message queue: order, quit after the
// queue drains, key state from taken messages, default close handling.
#include <gtest/gtest.h>

#include <vector>

#include "platform/os/messages.h"
#include "tests/support/headless_run.h"

namespace {
std::vector<UINT> seen;
LRESULT Record(HWND, UINT message, WPARAM, LPARAM) {
  seen.push_back(message);
  return 0;
}
HWND Window() { return reinterpret_cast<HWND>(0x10); }
}  // namespace

TEST(Messages, QuitComesOnlyAfterTheQueueDrains) {
  headless_run::Fresh();
  platform::PostMessage(Window(), WM_USER, 1, 0);
  platform::PostQuitMessage(3);
  platform::PostMessage(Window(), WM_USER + 1, 2, 0);
  platform::MSG m;
  ASSERT_TRUE(platform::PeekMessage(&m, PM_NOREMOVE));
  EXPECT_EQ(m.message, WM_USER);
  ASSERT_TRUE(platform::GetMessage(&m));
  EXPECT_EQ(m.message, WM_USER);
  ASSERT_TRUE(platform::GetMessage(&m));
  EXPECT_EQ(m.message, WM_USER + 1);
  EXPECT_FALSE(platform::GetMessage(&m));
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_EQ(m.wParam, 3u);
  EXPECT_FALSE(platform::PeekMessage(&m, PM_REMOVE));
}

TEST(Messages, AFullQueueRefusesPostsAndKeepsOrder) {
  headless_run::Fresh();
  int posted = 0;
  while (platform::PostMessage(Window(), WM_USER, WPARAM(posted), 0)) ++posted;
  EXPECT_EQ(posted, 10000);
  platform::MSG m;
  for (int i = 0; i < 3; ++i) {  // wraps around the ring
    ASSERT_TRUE(platform::PeekMessage(&m, PM_REMOVE));
    EXPECT_EQ(m.wParam, WPARAM(i));
    EXPECT_TRUE(platform::PostMessage(Window(), WM_USER + 1, WPARAM(i), 0));
  }
  EXPECT_FALSE(platform::PostMessage(Window(), WM_USER, 0, 0));
  EXPECT_EQ(platform::PendingMessageCount(), 10000);
  platform::ResetMessages();
  EXPECT_EQ(platform::PendingMessageCount(), 0);
}

TEST(Messages, KeyStateFollowsTakenMessagesOnly) {
  headless_run::Fresh();
  platform::PostMessage(Window(), WM_KEYDOWN, VK_SHIFT, 0);
  EXPECT_GE(platform::GetKeyState(VK_SHIFT), 0);  // not taken yet
  platform::MSG m;
  platform::PeekMessage(&m, PM_NOREMOVE);
  EXPECT_GE(platform::GetKeyState(VK_SHIFT), 0);
  platform::PeekMessage(&m, PM_REMOVE);
  EXPECT_LT(platform::GetKeyState(VK_SHIFT), 0);
  EXPECT_LT(platform::GetKeyState(VK_LSHIFT), 0);
  EXPECT_EQ(platform::GetKeyState(VK_SHIFT) & 1, 1);  // toggled by the press
  platform::PostMessage(Window(), WM_KEYDOWN, VK_SHIFT, 0);  // auto-repeat
  platform::PostMessage(Window(), WM_KEYUP, VK_SHIFT, 0);
  platform::PeekMessage(&m, PM_REMOVE);
  EXPECT_EQ(platform::GetKeyState(VK_SHIFT) & 1, 1);  // a repeat does not toggle
  platform::PeekMessage(&m, PM_REMOVE);
  EXPECT_EQ(platform::GetKeyState(VK_SHIFT) & 0x80, 0);
  platform::PostMessage(Window(), WM_LBUTTONDOWN, 0, 0);
  platform::PeekMessage(&m, PM_REMOVE);
  EXPECT_LT(platform::GetKeyState(VK_LBUTTON), 0);
}

TEST(Messages, DispatchAndDefaultCloseDestroys) {
  headless_run::Fresh();
  seen.clear();
  platform::SetWindowProc(Window(), Record);
  platform::PostMessage(Window(), WM_USER, 0, 0);
  platform::PostMessage(nullptr, WM_USER + 1, 0, 0);  // no window: not dispatched
  platform::MSG m;
  while (platform::PeekMessage(&m, PM_REMOVE)) platform::DispatchMessage(&m);
  EXPECT_EQ(seen, (std::vector<UINT>{WM_USER}));
  platform::DefWindowProc(Window(), WM_SYSKEYDOWN, VK_F1 + 3, 0);
  ASSERT_EQ(platform::PendingMessageCount(), 1);  // Alt+F4 posts the system menu's Close
  ASSERT_TRUE(platform::PeekMessage(&m, PM_REMOVE));
  EXPECT_EQ(m.message, UINT(WM_SYSCOMMAND));
  EXPECT_EQ(m.wParam, SC_CLOSE);
  platform::DefWindowProc(Window(), m.message, m.wParam, m.lParam);
  EXPECT_EQ(seen.back(), UINT(WM_CLOSE));
  platform::DefWindowProc(Window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(seen.back(), WM_DESTROY);
  // A destroyed window has no procedure: what is still queued for it goes nowhere.
  platform::PostMessage(Window(), WM_USER + 2, 0, 0);
  while (platform::PeekMessage(&m, PM_REMOVE)) platform::DispatchMessage(&m);
  EXPECT_EQ(seen.back(), WM_DESTROY);
}
