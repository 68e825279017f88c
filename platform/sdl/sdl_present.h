// sdl_present.h - presentation: the back buffer uploaded to a streaming
// texture of its own pixel format, rendered to the window; the vertical
// blank as vsync or 60 Hz pacing, and no cap at all when the library does
// not wait for it.
#pragma once

#include <SDL.h>

#include "platform/surface/display.h"

namespace platform::sdl {

// The SDL pixel format of a surface format (5-6-5, 5-5-5, 24, 32 bit);
// SDL_PIXELFORMAT_UNKNOWN for anything else.
Uint32 SdlFormatOf(const PixelFormat& format);

class Presenter {
 public:
  ~Presenter();
  void Attach(SDL_Renderer* renderer, bool vsync);
  // Frees the texture; call before the renderer goes away.
  void Detach();
  // Copies `source` of `back` into the frame texture; false if the surface
  // cannot be read (lost, busy) or has a format we cannot show.
  bool Upload(Surface& back, const RECT& source);
  // Draws the last frame (black if none yet), then `overlay` at `where` if
  // given, and shows the result.
  void Render(SDL_Texture* overlay = nullptr, const SDL_Rect* where = nullptr);
  // Returns at the next vertical blank: at once when presents can be
  // vsynced (the next frame's present waits), else when 1/60 s has passed
  // since the previous blank.
  void WaitVerticalBlank();
  // A frame is about to be shown: its present waits for the vertical blank
  // only when WaitVerticalBlank was called since the previous frame, so a
  // library that does not wait (SetVSync(0)) is not capped at the refresh.
  void FollowFrameWait();
  // True while presents wait for the vertical blank.
  bool VsyncOn() const { return vsyncOn_; }

 private:
  bool EnsureTexture(Uint32 format, int width, int height);

  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* frame_ = nullptr;
  Uint32 frameFormat_ = 0;
  int frameWidth_ = 0, frameHeight_ = 0;
  bool vsync_ = false;    // the renderer can wait for the vertical blank
  bool vsyncOn_ = false;  // and does so now
  bool waited_ = false;   // WaitVerticalBlank since the last frame
  Uint64 lastBlank_ = 0;
};

}  // namespace platform::sdl
