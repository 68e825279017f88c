// sdl_present.cpp - uploads the back buffer's locked rows to a streaming
// texture (no conversion on our side: the texture has the surface's own
// format) and renders it scaled to the window's logical size.
#include "platform/sdl/sdl_present.h"

#include <algorithm>

namespace platform::sdl {

Uint32 SdlFormatOf(const PixelFormat& f) {
  if (f.bitCount == 24) {
    if (f.redMask == 0xFF0000) return SDL_PIXELFORMAT_BGR24;  // bytes B, G, R
    if (f.redMask == 0x0000FF) return SDL_PIXELFORMAT_RGB24;
    return SDL_PIXELFORMAT_UNKNOWN;
  }
  if (f.bitCount != 16 && f.bitCount != 32) return SDL_PIXELFORMAT_UNKNOWN;
  return SDL_MasksToPixelFormatEnum(int(f.bitCount), f.redMask, f.greenMask, f.blueMask, 0);
}

Presenter::~Presenter() { Detach(); }

void Presenter::Attach(SDL_Renderer* renderer, bool vsync) {
  Detach();
  renderer_ = renderer;
  vsync_ = vsyncOn_ = vsync;
  waited_ = false;
}

void Presenter::Detach() {
  if (frame_) SDL_DestroyTexture(frame_);
  frame_ = nullptr;
  renderer_ = nullptr;
  frameFormat_ = 0;
  frameWidth_ = frameHeight_ = 0;
}

bool Presenter::EnsureTexture(Uint32 format, int width, int height) {
  if (frame_ && format == frameFormat_ && width == frameWidth_ && height == frameHeight_)
    return true;
  if (frame_) SDL_DestroyTexture(frame_);
  frame_ = SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_STREAMING, width, height);
  frameFormat_ = frame_ ? format : 0;
  frameWidth_ = frame_ ? width : 0;
  frameHeight_ = frame_ ? height : 0;
  return frame_ != nullptr;
}

bool Presenter::Upload(Surface& back, const RECT& source) {
  if (!renderer_) return false;
  const Uint32 format = SdlFormatOf(back.Format());
  if (format == SDL_PIXELFORMAT_UNKNOWN) return false;
  const int left = std::max<int>(0, source.left), top = std::max<int>(0, source.top);
  const int right = std::min<int>(int(back.Width()), source.right);
  const int bottom = std::min<int>(int(back.Height()), source.bottom);
  if (right <= left || bottom <= top) return false;
  if (!EnsureTexture(format, right - left, bottom - top)) return false;
  void* bits = nullptr;
  LONG pitch = 0;
  if (back.Lock(&bits, &pitch, DDLOCK_WAIT) != DD_OK) return false;
  const int bytesPerPixel = int(back.Format().bitCount / 8);
  const auto* first = static_cast<const Uint8*>(bits) + size_t(top) * size_t(pitch) +
                      size_t(left) * size_t(bytesPerPixel);
  const bool ok = SDL_UpdateTexture(frame_, nullptr, first, pitch) == 0;
  back.Unlock();
  return ok;
}

void Presenter::Render(SDL_Texture* overlay, const SDL_Rect* where) {
  if (!renderer_) return;
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  if (frame_) SDL_RenderCopy(renderer_, frame_, nullptr, nullptr);
  if (overlay) SDL_RenderCopy(renderer_, overlay, nullptr, where);
  SDL_RenderPresent(renderer_);
}

void Presenter::FollowFrameWait() {
  const bool wanted = waited_;
  waited_ = false;
  if (!renderer_ || !vsync_ || wanted == vsyncOn_) return;
  if (SDL_RenderSetVSync(renderer_, wanted ? 1 : 0) == 0) vsyncOn_ = wanted;
}

void Presenter::WaitVerticalBlank() {
  waited_ = true;
  if (vsync_) return;
  const Uint64 frequency = SDL_GetPerformanceFrequency();
  const Uint64 period = frequency / 60;
  Uint64 now = SDL_GetPerformanceCounter();
  const Uint64 next = lastBlank_ + period;
  if (lastBlank_ != 0 && now < next) {
    SDL_Delay(Uint32(((next - now) * 1000 + frequency - 1) / frequency));
    now = SDL_GetPerformanceCounter();
  }
  // Keep the 60 Hz grid unless we fell more than a period behind it.
  lastBlank_ = (lastBlank_ != 0 && now - next < period) ? next : now;
}

}  // namespace platform::sdl
