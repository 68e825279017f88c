// sdl_window.cpp - the one SDL window: the library gives the outer
// rectangle (client size plus frame metrics); the client area is placed
// inside it as a captioned frame would place it.
#include "platform/sdl/sdl_window.h"

#include <cstdio>

#include "platform/os/encoding.h"

namespace platform::sdl {

Window::~Window() { Destroy(); }

bool Window::Create(const WindowSpec& request) {
  Destroy();
  clientWidth_ = request.width - kFrameWidth;
  clientHeight_ = request.height - kFrameHeight;
  if (clientWidth_ <= 0 || clientHeight_ <= 0) return false;
  const int side = kFrameWidth / 2;
  const std::string caption = Cp932ToUtf8(request.caption);
  window_ = SDL_CreateWindow(caption.c_str(), request.x + side, request.y + kFrameHeight - side,
                             clientWidth_, clientHeight_, SDL_WINDOW_HIDDEN);
  if (!window_) {
    std::fprintf(stderr, "SDL_CreateWindow: %s\n", SDL_GetError());
    return false;
  }
  if (!CreateRenderer()) {
    Destroy();
    return false;
  }
  return true;
}

bool Window::CreateRenderer() {
  renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_PRESENTVSYNC);
  if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer_) {
    std::fprintf(stderr, "SDL_CreateRenderer: %s\n", SDL_GetError());
    return false;
  }
  SDL_RendererInfo info;
  vsync_ = SDL_GetRendererInfo(renderer_, &info) == 0 &&
           (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
  SDL_RenderSetLogicalSize(renderer_, clientWidth_, clientHeight_);
  return true;
}

void Window::Destroy() {
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
  renderer_ = nullptr;
  window_ = nullptr;
}

void Window::Show(bool show) {
  if (!window_) return;
  if (!show) {
    SDL_HideWindow(window_);
    return;
  }
  SDL_ShowWindow(window_);
  Raise();
}

void Window::Raise() {
  if (!window_) return;
  SDL_RaiseWindow(window_);
  SDL_SetWindowInputFocus(window_);
}

void Window::SetTopmost(bool topmost) {
  if (window_) SDL_SetWindowAlwaysOnTop(window_, topmost ? SDL_TRUE : SDL_FALSE);
}

void Window::Minimize() {
  if (window_) SDL_MinimizeWindow(window_);
}

POINT Window::ClientOrigin() const {
  int x = 0, y = 0;
  if (window_) SDL_GetWindowPosition(window_, &x, &y);
  return POINT{x, y};
}

bool Window::EnterFullScreen(int width, int height) {
  if (!window_) return false;
  SDL_DisplayMode wanted{};
  wanted.w = width;
  wanted.h = height;
  SDL_DisplayMode closest;
  const int display = SDL_GetWindowDisplayIndex(window_);
  if (!SDL_GetClosestDisplayMode(display < 0 ? 0 : display, &wanted, &closest)) return false;
  if (SDL_SetWindowDisplayMode(window_, &closest) != 0) return false;
  if (SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN) != 0) return false;
  SDL_RenderSetLogicalSize(renderer_, width, height);
  return true;
}

void Window::LeaveFullScreen() {
  if (!window_) return;
  SDL_SetWindowFullscreen(window_, 0);
  SDL_RenderSetLogicalSize(renderer_, clientWidth_, clientHeight_);
}

}  // namespace platform::sdl
