// sdl_events.cpp - turns SDL events into the window's messages.
//
// Keys: WM_KEYDOWN/UP with the virtual key and scan code; while Alt is down
// (and Ctrl is not), and for F10, the SYS variants with the context bit.
// Mouse: client coordinates in lParam, MK_* flags in wParam. Window: WM_MOVE
// with the client area's screen position, WM_ACTIVATEAPP on focus changes,
// WM_CLOSE for the close box and for a quit request (signal).
#include "platform/sdl/sdl_events.h"

#include <cstdlib>

#include "platform/os/messages.h"
#include "platform/sdl/sdl_keys.h"

namespace platform::sdl {

namespace {
constexpr UINT WM_MBUTTONDOWN = 0x0207, WM_MBUTTONUP = 0x0208;
constexpr LPARAM HTCLIENT = 1;

LPARAM PackPoint(int x, int y) { return MAKELPARAM(unsigned(x) & 0xFFFF, unsigned(y) & 0xFFFF); }
}  // namespace

void EventTranslator::Attach(HWND window, bool doubleClicks) {
  window_ = window;
  doubleClicks_ = doubleClicks;
}

bool EventTranslator::IsInput(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN: case SDL_KEYUP: case SDL_MOUSEMOTION: case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: case SDL_MOUSEWHEEL: case SDL_TEXTINPUT: case SDL_TEXTEDITING:
      return true;
    default:
      return false;
  }
}

bool EventTranslator::Translate(const SDL_Event& event) {
  if (!window_) return false;
  switch (event.type) {
    case SDL_KEYDOWN: Key(event.key, false); return true;
    case SDL_KEYUP: Key(event.key, true); return true;
    case SDL_MOUSEMOTION: Motion(event.motion); return true;
    case SDL_MOUSEBUTTONDOWN: Button(event.button, false); return true;
    case SDL_MOUSEBUTTONUP: Button(event.button, true); return true;
    case SDL_WINDOWEVENT: WindowEvent(event.window); return true;
    case SDL_QUIT: PostMessage(window_, WM_CLOSE, 0, 0); return true;
    default: return false;
  }
}

void EventTranslator::Key(const SDL_KeyboardEvent& event, bool up) {
  const VirtualKey key = TranslateKey(event.keysym);
  if (key.vk == VK_MENU) altDown_ = !up;
  if (key.vk == VK_CONTROL) ctrlDown_ = !up;
  if (key.vk == VK_SHIFT) shiftDown_ = !up;
  if (key.vk == 0) return;
  // Alt itself, Alt combinations (Ctrl+Alt is AltGr: plain keys) and F10
  // are system keys; the context bit says Alt is down after this event.
  const bool altContext = altDown_ && !ctrlDown_;
  const bool system = altContext || key.vk == VK_F10 || (key.vk == VK_MENU && !ctrlDown_);
  const UINT message = up ? (system ? WM_SYSKEYUP : WM_KEYUP)
                          : (system ? WM_SYSKEYDOWN : WM_KEYDOWN);
  PostMessage(window_, message, WPARAM(key.vk),
              KeyLParam(key, up, event.repeat != 0, altContext));
}

WPARAM EventTranslator::MouseFlags() const {
  WPARAM flags = 0;
  if (leftDown_) flags |= MK_LBUTTON;
  if (rightDown_) flags |= MK_RBUTTON;
  if (middleDown_) flags |= MK_MBUTTON;
  if (shiftDown_) flags |= MK_SHIFT;
  if (ctrlDown_) flags |= MK_CONTROL;
  return flags;
}

void EventTranslator::Motion(const SDL_MouseMotionEvent& motion) {
  PostMessage(window_, WM_SETCURSOR, WPARAM(0), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  PostMessage(window_, WM_MOUSEMOVE, MouseFlags(), PackPoint(motion.x, motion.y));
}

void EventTranslator::Button(const SDL_MouseButtonEvent& button, bool up) {
  UINT down = 0, release = 0, dbl = 0;
  Click* click = nullptr;
  switch (button.button) {
    case SDL_BUTTON_LEFT:
      leftDown_ = !up;
      down = WM_LBUTTONDOWN, release = WM_LBUTTONUP, dbl = WM_LBUTTONDBLCLK;
      click = &clicks_[0];
      break;
    case SDL_BUTTON_RIGHT:
      rightDown_ = !up;
      down = WM_RBUTTONDOWN, release = WM_RBUTTONUP, dbl = WM_RBUTTONDBLCLK;
      click = &clicks_[1];
      break;
    case SDL_BUTTON_MIDDLE:
      middleDown_ = !up;
      down = WM_MBUTTONDOWN, release = WM_MBUTTONUP;
      break;
    default:
      return;
  }
  const LPARAM where = PackPoint(button.x, button.y);
  if (up) {
    PostMessage(window_, release, MouseFlags(), where);
    return;
  }
  UINT message = down;
  // A press of another button ends the first click's wait for its pair.
  for (Click& other : clicks_)
    if (&other != click) other.pending = false;
  if (click && doubleClicks_) {
    const int half = kDoubleClickBox / 2;
    const bool paired = click->pending && button.timestamp - click->time <= kDoubleClickMs &&
                        std::abs(button.x - click->x) <= half &&
                        std::abs(button.y - click->y) <= half;
    if (paired) {
      message = dbl;
      click->pending = false;
    } else {
      *click = Click{true, button.timestamp, button.x, button.y};
    }
  }
  PostMessage(window_, message, MouseFlags(), where);
}

void EventTranslator::WindowEvent(const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_MOVED:
      PostMessage(window_, WM_MOVE, 0, PackPoint(event.data1, event.data2));
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      PostMessage(window_, WM_ACTIVATEAPP, 1, 0);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      altDown_ = ctrlDown_ = shiftDown_ = false;
      PostMessage(window_, WM_ACTIVATEAPP, 0, 0);
      break;
    case SDL_WINDOWEVENT_CLOSE:
      PostMessage(window_, WM_CLOSE, 0, 0);
      break;
    default:
      break;
  }
}

}  // namespace platform::sdl
