// cursor.cpp - cursor clipping to a rectangle or the client area, cursor
// placement in client coordinates, and the IME switch.
#include <climits>

#include "draw/draw.h"
#include "platform/backend.h"
#include "system/system.h"

namespace ruSystem {

int CursorClipped = 0;
int ImeState = 0;

namespace {
// a + b held to the int range (window positions and sizes are module state
// a game may set to anything).
int AddClamped(int a, int b) {
  const long long sum = (long long)a + b;
  return sum > INT_MAX ? INT_MAX : sum < INT_MIN ? INT_MIN : int(sum);
}
}  // namespace

// Keeps the cursor inside a screen rectangle.
int ClipCursorRect(int left, int top, int right, int bottom) {
  const RECT r{left, top, right, bottom};
  const int result = platform::GetBackend().ClipCursor(&r);
  CursorClipped = 1;
  return result;
}

// Keeps the cursor inside the screen (full screen) or the client area.
int ClipCursorToWindow() {
  if (FullScreen) return ClipCursorRect(0, 0, ruDraw::ScreenWidth, ruDraw::ScreenHeight);
  return ClipCursorRect(WindowX, WindowY, AddClamped(WindowX, ruDraw::ScreenWidth),
                        AddClamped(WindowY, ruDraw::ScreenHeight));
}

// Frees the cursor.
int UnclipCursor() {
  const int result = platform::GetBackend().ClipCursor(nullptr);
  CursorClipped = 0;
  return result;
}

// Whether this program has clipped the cursor.
int IsCursorClipped() { return CursorClipped; }

// Moves the cursor to client coordinates.
int SetMousePos(int x, int y) {
  return platform::GetBackend().SetCursorPos(AddClamped(x, WindowX), AddClamped(y, WindowY));
}

// Switches the input method editor on or off.
void SetIme(int on) {
  platform::GetBackend().EnableIme(on != 0);
  ImeState = on;
}

}  // namespace ruSystem
