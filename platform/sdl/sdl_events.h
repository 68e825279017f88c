// sdl_events.h - SDL events as window messages with Win32 wParam/lParam
// packing: keys (WM_KEY*/WM_SYSKEY*), mouse moves, buttons and double
// clicks, window moves, activation, the close box.
#pragma once

#include <SDL.h>

#include "platform/win_types.h"

namespace platform::sdl {

// Double-click rule of the window class with CS_DBLCLKS: a second press of
// the same button within this time and box of the first becomes a
// *BUTTONDBLCLK (and only that); the press after a double click starts anew.
constexpr Uint32 kDoubleClickMs = 500;
constexpr int kDoubleClickBox = 4;  // width and height, centred on the first press

// MK_* flags of mouse messages.
constexpr WPARAM MK_LBUTTON = 0x0001, MK_RBUTTON = 0x0002, MK_SHIFT = 0x0004,
                 MK_CONTROL = 0x0008, MK_MBUTTON = 0x0010;

class EventTranslator {
 public:
  // Messages go to `window`; double clicks only when `doubleClicks`.
  void Attach(HWND window, bool doubleClicks);
  void Detach() { window_ = nullptr; }

  // Posts the messages of one event; false when the event is not one the
  // window turns into a message.
  bool Translate(const SDL_Event& event);

  // True for keyboard and mouse events (what a modal box takes for itself).
  static bool IsInput(const SDL_Event& event);

 private:
  void Key(const SDL_KeyboardEvent& key, bool up);
  void Button(const SDL_MouseButtonEvent& button, bool up);
  void Motion(const SDL_MouseMotionEvent& motion);
  void WindowEvent(const SDL_WindowEvent& event);
  WPARAM MouseFlags() const;

  struct Click {
    bool pending = false;  // a first press that a second one may pair with
    Uint32 time = 0;
    int x = 0, y = 0;
  };

  HWND window_ = nullptr;
  bool doubleClicks_ = true;
  bool altDown_ = false, ctrlDown_ = false, shiftDown_ = false;
  bool leftDown_ = false, rightDown_ = false, middleDown_ = false;
  Click clicks_[2];  // left, right
};

}  // namespace platform::sdl
