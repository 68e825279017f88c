// keys.cpp - polled key checks: the four-state key check over the
// platform's key state, and the press-and-release check of a key list.
#include <cstdarg>

#include "draw/draw.h"
#include "input/input.h"
#include "platform/os/messages.h"
#include "system/system.h"

namespace ruSystem {

namespace {

constexpr int kLeftButtonCode = 1, kRightButtonCode = 2;

bool IsMouseCode(int code) { return code == kLeftButtonCode || code == kRightButtonCode; }

}  // namespace

// Moves *state to 0 up, 1 pressed, 2 released or 3 held from the key state;
// 0 during a transition, the overlay screen or locked input.
void GetKey(int code, int* state) {
  if (!state) return;
  const bool down = (platform::GetKeyState(code) & 0x80) != 0;
  *state = InputSuspended() ? 0 : NextKeyState(*state, down);
}

int NextKeyState(int state, bool down) {
  const bool wasDown = state == 1 || state == 3;
  if (down) return wasDown ? 3 : 1;
  return wasDown ? 2 : 0;
}

bool InputSuspended() { return TransitionStep != 0 || ruDraw::OverlayShown || InputLocked; }

// The code of the listed key or button (list ends with 0) whose press and
// release completed, once; else 0. Called once per frame.
int CheckKeyList(int code, ...) {
  if (KeyListState == 0 && KeyHeld == 0 && MouseButton == 0) KeyListState = 1;
  if (KeyListState == 1) {
    va_list codes;
    va_start(codes, code);
    for (int c = code; c != 0; c = va_arg(codes, int)) {
      KeyListCode = c;
      if (c == KeyPushed || c == MouseClicked) {
        KeyListState = 2;
        break;
      }
    }
    va_end(codes);
  }
  if (KeyListState == 2) {
    const int c = KeyListCode;
    const bool mouse = IsMouseCode(c);
    if ((!mouse && KeyPushed != c) || (mouse && MouseClicked != c)) KeyListState = 0;
    if ((!mouse && KeyHeld == 0) || (mouse && MouseButton == 0)) {
      KeyListState = 0;
      KeyPushed = 0;
      MouseClicked = 0;
      return c;
    }
  }
  return 0;
}

}  // namespace ruSystem
