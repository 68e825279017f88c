// present.cpp - the end of every frame: the running screen transition and
// the overlay page are drawn over the back buffer, then the frame is copied
// to the screen after an optional wait for the vertical blank.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "draw/draw.h"
#include "input/input.h"
#include "system/system.h"

namespace ruDraw {

int VSyncWait = 1;
int TransitionObject = 0;
int OverlayShown = 0, OverlayPage = 0, OverlayBack = 0, OverlayLimit = 0;
float OverlayScroll = 0, OverlayBackX = 0, OverlayBackY = 0;

namespace {

// Cell TransitionStep of the strip over a fixed 640 x 480 grid, then the
// next step; the transition ends past its last cell.
void DrawTransition() {
  int& step = ruSystem::TransitionStep;
  int& dir = ruSystem::TransitionDir;
  for (int i = 0; i < 10; ++i)
    for (int j = 0; j < 10; ++j)
      Draw(64 * i, 48 * j, TransitionObject, 64 * (step - 1), 0, 64 * step, 48);
  step += dir;
  if ((dir == -1 && step < 1) || (dir == 1 && step > 10)) {
    step = 0;
    dir = 0;
  }
}

void DrawOverlayBackground() {
  for (int i = 0; i <= 10; ++i)
    for (int j = 0; j <= 10; ++j)
      Draw(64 * i + int(OverlayBackX), 48 * j + int(OverlayBackY), OverlayBack, 0, 0, 64, 48);
  OverlayBackX -= 10 * ruSystem::FrameTime;
  OverlayBackY -= 10 * ruSystem::FrameTime;
  if (OverlayBackX <= -64) OverlayBackX += 64;
  if (OverlayBackY <= -48) OverlayBackY += 48;
}

// Scrolls the page by the arrow key held in the overlay. The page never
// scrolls past its end nor above its top (a page shorter than the clip
// window stays at 0).
void ScrollOverlay(const RECT& clip) {
  const float t = ruSystem::FrameTime;
  switch (ruSystem::OverlayKey) {
    case VK_UP: OverlayScroll -= 100 * t; break;
    case VK_LEFT: OverlayScroll -= 300 * t; break;
    case VK_DOWN: OverlayScroll += 100 * t; break;
    case VK_RIGHT: OverlayScroll += 300 * t; break;
    default: break;
  }
  // In 64 bits and held to the int range: any page height and clip window.
  const std::int64_t end = std::int64_t(OverlayLimit) + clip.top - clip.bottom;
  const float limit = float(std::clamp<std::int64_t>(end, INT_MIN, INT_MAX - 128));
  if (OverlayScroll > limit) OverlayScroll = limit;
  if (OverlayScroll < 0) OverlayScroll = 0;
}

void DrawOverlay() {
  DrawOverlayBackground();
  const RECT clip = ClipWindow;
  const std::int64_t scroll =
      std::isfinite(OverlayScroll) && std::fabs(OverlayScroll) < 1e15f ? std::int64_t(OverlayScroll) : 0;
  auto held = [](std::int64_t v) { return int(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX)); };
  Draw(clip.left, clip.top, OverlayPage, 0, held(scroll), held(std::int64_t(clip.right) - clip.left),
       held(scroll + clip.bottom - clip.top));
  ScrollOverlay(clip);
}

}  // namespace

void Present() {
  if (!BackBuffer || !PrimarySurface) return;
  if (ruSystem::TransitionStep != 0) DrawTransition();
  if (OverlayShown) DrawOverlay();
  if (VSyncWait) DirectDraw->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN);
  const RECT& dest = ruSystem::ClientRect;
  if (PrimarySurface->Blt(&dest, BackBuffer, &ScreenRect, DDBLT_WAIT, nullptr) ==
      DDERR_SURFACELOST)
    RestoreAll();
}

void SetVSync(int flag) { VSyncWait = flag; }

int LoadTransition(const char* name) {
  SetColorKey(0);
  TransitionObject = LoadObject(name, 2);
  return TransitionObject;
}

void CloseTransition() {
  ruSystem::TransitionStep = 1;
  ruSystem::TransitionDir = 1;
}

void OpenTransition() {
  ruSystem::TransitionStep = 10;
  ruSystem::TransitionDir = -1;
}

void LoadOverlay(const char* pageName, const char* backName, int pageHeight) {
  SetColorKey(0);
  if (OverlayPage != 0) {
    SwapObject(pageName, OverlayPage, 2);
    SwapObject(backName, OverlayBack, 2);
  } else {
    OverlayPage = LoadObject(pageName, 2);
    OverlayBack = LoadObject(backName, 2);
  }
  OverlayScroll = 0;
  OverlayLimit = pageHeight;
}

void ToggleOverlay() {
  if (OverlayShown)
    OverlayShown = 0;
  else if (OverlayLimit != 0)
    OverlayShown = 1;
}

}  // namespace ruDraw
