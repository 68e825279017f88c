// cursor.cpp - cursor clipping to a rectangle or the client area, cursor
// placement in client coordinates, and the IME switch.
#include "draw/draw.h"
#include "platform/backend.h"
#include "system/system.h"

namespace ruSystem {

int CursorClipped = 0;
int ImeState = 0;

int ClipCursorRect(int left, int top, int right, int bottom) {
  const RECT r{left, top, right, bottom};
  const int result = platform::GetBackend().ClipCursor(&r);
  CursorClipped = 1;
  return result;
}

int ClipCursorToWindow() {
  if (FullScreen) return ClipCursorRect(0, 0, ruDraw::ScreenWidth, ruDraw::ScreenHeight);
  return ClipCursorRect(WindowX, WindowY, WindowX + ruDraw::ScreenWidth,
                        WindowY + ruDraw::ScreenHeight);
}

int UnclipCursor() {
  const int result = platform::GetBackend().ClipCursor(nullptr);
  CursorClipped = 0;
  return result;
}

int IsCursorClipped() { return CursorClipped; }

int SetMousePos(int x, int y) {
  return platform::GetBackend().SetCursorPos(x + WindowX, y + WindowY);
}

void SetIme(int on) {
  platform::GetBackend().EnableIme(on != 0);
  ImeState = on;
}

}  // namespace ruSystem
