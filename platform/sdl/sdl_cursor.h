// sdl_cursor.h - the system cursor over the window: the ShowCursor display
// counter, hiding for one WM_SETCURSOR, clipping to a screen rectangle,
// placing and reading the position in screen coordinates.
#pragma once

#include <SDL.h>

#include "platform/win_types.h"

namespace platform::sdl {

class Cursor {
 public:
  // The window the cursor is shown over (nullptr: none yet).
  void Attach(SDL_Window* window) { window_ = window; }
  // Moves the counter by +1/-1 and returns it; visible while it is >= 0.
  int Show(bool show);
  // Hides the cursor until the next Show or Restore call (SetCursor(NULL)).
  void HideOnce();
  // Shows or hides the cursor by the counter again (after HideOnce).
  void Restore() { Apply(); }
  POINT Position() const;
  bool MoveTo(int x, int y);
  // Clips to a screen rectangle (given the client origin), or frees it.
  bool Clip(const RECT* rect, POINT clientOrigin, int clientWidth, int clientHeight);
  int Counter() const { return counter_; }

 private:
  void Apply();

  SDL_Window* window_ = nullptr;
  int counter_ = 0;
};

}  // namespace platform::sdl
