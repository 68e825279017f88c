// sdl_window.h - the one SDL window and its renderer: creation from the
// library's outer rectangle, show/hide, raise, topmost, minimise, full
// screen, and the frame metrics the library sizes the window with.
#pragma once

#include <SDL.h>

#include "platform/backend.h"

namespace platform::sdl {

// Frame metrics (GetSystemMetrics) of a classic captioned window.
constexpr int kBorder = 1, kEdge = 2, kDialogFrame = 3, kCaption = 19;
// The frame the library adds to the client size: once per axis, plus the
// caption on the vertical one.
constexpr int kFrameWidth = kBorder + kEdge + kDialogFrame;
constexpr int kFrameHeight = kCaption + kEdge + kBorder + kDialogFrame;

class Window {
 public:
  ~Window();
  // Creates the window hidden, with a renderer; false on failure.
  bool Create(const WindowSpec& request);
  // Destroys window and renderer; harmless when none exists.
  void Destroy();
  bool Exists() const { return window_ != nullptr; }
  // The SDL window and renderer (nullptr while none exists).
  SDL_Window* Handle() const { return window_; }
  SDL_Renderer* Renderer() const { return renderer_; }
  // SDL's id of the window, which window events carry; 0 while none exists.
  Uint32 Id() const { return window_ ? SDL_GetWindowID(window_) : 0; }
  // True when presents wait for the display's vertical blank.
  bool HasVsync() const { return vsync_; }

  // Shows (and raises and focuses) or hides the window.
  void Show(bool show);
  // Brings the window to the front with the keyboard focus.
  void Raise();
  void SetTopmost(bool topmost);
  void Minimize();
  // Client area's top-left corner in screen coordinates.
  POINT ClientOrigin() const;
  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }
  // Exclusive full screen at the display mode nearest to width x height.
  bool EnterFullScreen(int width, int height);
  void LeaveFullScreen();

 private:
  bool CreateRenderer();

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  int clientWidth_ = 0, clientHeight_ = 0;
  bool vsync_ = false;
};

}  // namespace platform::sdl
