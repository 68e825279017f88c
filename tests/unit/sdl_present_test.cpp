// sdl_present_test.cpp - a frame's present waits for the vertical blank
// only when the library waited for it (SetVSync), on a window of SDL's
// window-less driver.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/sdl/sdl_present.h"

namespace {

TEST(SdlPresent, FramesWaitForTheBlankOnlyWhenTheLibraryWaits) {
  ::setenv("SDL_VIDEODRIVER", "dummy", 1);  // offered only when asked for by name
  ASSERT_EQ(SDL_VideoInit("dummy"), 0) << SDL_GetError();
  SDL_Window* window = SDL_CreateWindow("", 0, 0, 64, 48, SDL_WINDOW_HIDDEN);
  ASSERT_NE(window, nullptr) << SDL_GetError();
  SDL_Renderer* renderer =
      SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_PRESENTVSYNC);
  ASSERT_NE(renderer, nullptr) << SDL_GetError();
  auto rendererVsync = [&] {
    SDL_RendererInfo info;
    return SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_PRESENTVSYNC);
  };
  {
    platform::sdl::Presenter presenter;
    presenter.Attach(renderer, rendererVsync());
    for (bool waits : {false, true, true, false}) {
      if (waits) presenter.WaitVerticalBlank();
      presenter.FollowFrameWait();
      presenter.Render();
      EXPECT_EQ(rendererVsync(), waits);
    }
  }
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  SDL_VideoQuit();
  ::unsetenv("SDL_VIDEODRIVER");
}

}  // namespace
