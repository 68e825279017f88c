// sdl_events_test.cpp - SDL events as window messages: key messages and
// their system variants, mouse packing, the double-click rule, window
// events.
#include <gtest/gtest.h>

#include <vector>

#include "platform/os/messages.h"
#include "platform/sdl/sdl_events.h"
#include "tests/support/headless_run.h"

namespace {

using platform::sdl::EventTranslator;

HWND const kWindow = reinterpret_cast<HWND>(std::intptr_t(0x1234));

struct Posted {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class SdlEvents : public testing::Test {
 protected:
  void SetUp() override {
    headless_run::Fresh();
    events.Attach(kWindow, true);
  }
  // Every message posted so far, oldest first, without WM_SETCURSOR.
  std::vector<Posted> Take() {
    std::vector<Posted> out;
    platform::MSG msg;
    while (platform::PeekMessage(&msg, PM_REMOVE))
      if (msg.message != WM_SETCURSOR) out.push_back({msg.message, msg.wParam, msg.lParam});
    return out;
  }
  void Key(SDL_Scancode code, SDL_Keycode sym, bool up, bool repeat = false) {
    SDL_Event e{};
    e.type = up ? SDL_KEYUP : SDL_KEYDOWN;
    e.key.keysym.scancode = code;
    e.key.keysym.sym = sym;
    e.key.repeat = repeat;
    events.Translate(e);
  }
  void Button(Uint8 button, bool up, int x, int y, Uint32 time) {
    SDL_Event e{};
    e.type = up ? SDL_MOUSEBUTTONUP : SDL_MOUSEBUTTONDOWN;
    e.button.button = button;
    e.button.x = x;
    e.button.y = y;
    e.button.timestamp = time;
    events.Translate(e);
  }
  void Click(Uint8 button, int x, int y, Uint32 time) {
    Button(button, false, x, y, time);
    Button(button, true, x, y, time + 10);
  }
  void Window(Uint8 what, int a = 0, int b = 0) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = what;
    e.window.data1 = a;
    e.window.data2 = b;
    events.Translate(e);
  }
  std::vector<UINT> Downs() {
    std::vector<UINT> out;
    for (const Posted& p : Take())
      if (p.message != WM_LBUTTONUP && p.message != WM_RBUTTONUP) out.push_back(p.message);
    return out;
  }

  EventTranslator events;
};

TEST_F(SdlEvents, KeysPostTheirCodesWithRepeatAndReleaseBits) {
  Key(SDL_SCANCODE_RETURN, SDLK_RETURN, false);
  Key(SDL_SCANCODE_RETURN, SDLK_RETURN, false, true);
  Key(SDL_SCANCODE_RETURN, SDLK_RETURN, true);
  const auto m = Take();
  ASSERT_EQ(m.size(), 3u);
  EXPECT_EQ(m[0].message, WM_KEYDOWN);
  EXPECT_EQ(m[0].wParam, WPARAM(VK_RETURN));
  EXPECT_EQ(m[0].lParam, LPARAM(0x001C0001));
  EXPECT_EQ(m[1].lParam, LPARAM(0x401C0001));
  EXPECT_EQ(m[2].message, WM_KEYUP);
  EXPECT_EQ(m[2].lParam, LPARAM(0xC01C0001u));
}

TEST_F(SdlEvents, AltCombinationsAndF10AreSystemKeysButAltGrIsNot) {
  Key(SDL_SCANCODE_LALT, SDLK_LALT, false);
  Key(SDL_SCANCODE_A, SDLK_a, false);
  Key(SDL_SCANCODE_A, SDLK_a, true);
  Key(SDL_SCANCODE_LALT, SDLK_LALT, true);
  Key(SDL_SCANCODE_F10, SDLK_F10, false);
  Key(SDL_SCANCODE_F10, SDLK_F10, true);
  auto m = Take();
  ASSERT_EQ(m.size(), 6u);
  EXPECT_EQ(m[0].message, WM_SYSKEYDOWN);
  EXPECT_EQ(m[0].wParam, WPARAM(VK_MENU));
  EXPECT_EQ(m[1].message, WM_SYSKEYDOWN);
  EXPECT_EQ(m[1].wParam, WPARAM('A'));
  EXPECT_EQ(m[1].lParam, LPARAM(0x201E0001));  // Alt is down
  EXPECT_EQ(m[2].message, WM_SYSKEYUP);
  EXPECT_EQ(m[3].message, WM_SYSKEYUP);
  EXPECT_EQ(m[3].wParam, WPARAM(VK_MENU));
  EXPECT_EQ(m[4].message, WM_SYSKEYDOWN);
  EXPECT_EQ(m[4].lParam & (LPARAM(1) << 29), 0);  // F10 alone: no Alt
  EXPECT_EQ(m[5].message, WM_SYSKEYUP);

  Key(SDL_SCANCODE_LCTRL, SDLK_LCTRL, false);
  Key(SDL_SCANCODE_RALT, SDLK_RALT, false);
  Key(SDL_SCANCODE_Q, SDLK_q, false);
  m = Take();
  ASSERT_EQ(m.size(), 3u);
  for (const Posted& p : m) EXPECT_EQ(p.message, WM_KEYDOWN);
}

TEST_F(SdlEvents, MouseMessagesCarryClientCoordinatesAndButtons) {
  Button(SDL_BUTTON_LEFT, false, 30, 40, 100);
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.x = -3;
  e.motion.y = 479;
  events.Translate(e);
  Button(SDL_BUTTON_LEFT, true, 30, 40, 200);
  const auto m = Take();
  ASSERT_EQ(m.size(), 3u);
  EXPECT_EQ(m[0].message, WM_LBUTTONDOWN);
  EXPECT_EQ(m[0].lParam, MAKELPARAM(30, 40));
  EXPECT_EQ(m[1].message, WM_MOUSEMOVE);
  EXPECT_EQ(m[1].wParam, platform::sdl::MK_LBUTTON);
  EXPECT_EQ(LOWORD(m[1].lParam), 0xFFFD);
  EXPECT_EQ(HIWORD(m[1].lParam), 479);
  EXPECT_EQ(m[2].message, WM_LBUTTONUP);
  EXPECT_EQ(m[2].wParam, WPARAM(0));
}

TEST_F(SdlEvents, ASecondPressInTimeAndPlaceIsADoubleClickOnly) {
  Click(SDL_BUTTON_LEFT, 100, 100, 1000);
  Click(SDL_BUTTON_LEFT, 102, 98, 1400);   // within 500 ms and 2 pixels
  Click(SDL_BUTTON_LEFT, 102, 98, 1500);   // a third press starts anew
  EXPECT_EQ(Downs(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN}));

  Click(SDL_BUTTON_LEFT, 10, 10, 5000);
  Click(SDL_BUTTON_LEFT, 13, 10, 5100);    // too far
  Click(SDL_BUTTON_LEFT, 13, 10, 5601);    // too late
  EXPECT_EQ(Downs(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDOWN, WM_LBUTTONDOWN}));

  Click(SDL_BUTTON_LEFT, 50, 50, 9000);
  Click(SDL_BUTTON_RIGHT, 50, 50, 9100);   // other button: no pair
  Click(SDL_BUTTON_RIGHT, 50, 50, 9200);
  EXPECT_EQ(Downs(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_RBUTTONDBLCLK}));

  Click(SDL_BUTTON_LEFT, 70, 70, 12000);
  Click(SDL_BUTTON_RIGHT, 70, 70, 12100);  // breaks the left pair
  Click(SDL_BUTTON_LEFT, 70, 70, 12200);
  EXPECT_EQ(Downs(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_LBUTTONDOWN}));
}

TEST_F(SdlEvents, WithoutDoubleClicksEveryPressIsAPress) {
  events.Attach(kWindow, false);
  Click(SDL_BUTTON_LEFT, 5, 5, 100);
  Click(SDL_BUTTON_LEFT, 5, 5, 200);
  EXPECT_EQ(Downs(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDOWN}));
}

TEST_F(SdlEvents, WindowEventsBecomeMoveActivationAndClose) {
  Window(SDL_WINDOWEVENT_MOVED, -5, 20);
  Window(SDL_WINDOWEVENT_FOCUS_LOST);
  Window(SDL_WINDOWEVENT_FOCUS_GAINED);
  Window(SDL_WINDOWEVENT_CLOSE);
  const auto m = Take();
  ASSERT_EQ(m.size(), 4u);
  EXPECT_EQ(m[0].message, WM_MOVE);
  EXPECT_EQ(SHORT(LOWORD(m[0].lParam)), -5);
  EXPECT_EQ(SHORT(HIWORD(m[0].lParam)), 20);
  EXPECT_EQ(m[1].message, WM_ACTIVATEAPP);
  EXPECT_EQ(m[1].wParam, WPARAM(0));
  EXPECT_EQ(m[2].wParam, WPARAM(1));
  EXPECT_EQ(m[3].message, WM_CLOSE);
}

}  // namespace
