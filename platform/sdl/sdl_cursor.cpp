// sdl_cursor.cpp - cursor visibility, position and clipping. SDL shows or
// hides the cursor only over its own windows, which is exactly "hidden over
// the client area while the counter is below zero".
#include "platform/sdl/sdl_cursor.h"

#include <algorithm>
#include <cstdint>

namespace platform::sdl {

int Cursor::Show(bool show) {
  counter_ += show ? 1 : -1;
  Apply();
  return counter_;
}

void Cursor::HideOnce() { SDL_ShowCursor(SDL_DISABLE); }

void Cursor::Apply() { SDL_ShowCursor(counter_ >= 0 ? SDL_ENABLE : SDL_DISABLE); }

POINT Cursor::Position() const {
  int x = 0, y = 0;
  SDL_GetGlobalMouseState(&x, &y);
  return POINT{x, y};
}

bool Cursor::MoveTo(int x, int y) { return SDL_WarpMouseGlobal(x, y) == 0; }

bool Cursor::Clip(const RECT* rect, POINT origin, int clientWidth, int clientHeight) {
  if (!window_) return false;
  if (!rect) {
    SDL_SetWindowGrab(window_, SDL_FALSE);
    return SDL_SetWindowMouseRect(window_, nullptr) == 0;
  }
  // SDL confines to a rectangle of the window; the part outside the client
  // area cannot be reached anyway.
  // In 64 bits: any int rectangle and origin subtract without overflow.
  using I64 = std::int64_t;
  const int left = int(std::clamp<I64>(I64(rect->left) - origin.x, 0, clientWidth));
  const int top = int(std::clamp<I64>(I64(rect->top) - origin.y, 0, clientHeight));
  const int right = int(std::clamp<I64>(I64(rect->right) - origin.x, 0, clientWidth));
  const int bottom = int(std::clamp<I64>(I64(rect->bottom) - origin.y, 0, clientHeight));
  if (right <= left || bottom <= top) return false;
  const SDL_Rect area{left, top, right - left, bottom - top};
  if (SDL_SetWindowMouseRect(window_, &area) != 0) {
    SDL_SetWindowGrab(window_, SDL_TRUE);  // older drivers: confine to the window
  }
  return true;
}

}  // namespace platform::sdl
