// frame_loop.cpp - the frame loop (messages first, then one frame step) and
// the frame step itself: frame time, mouse movement, scene dispatch, scene
// change, blink, per-frame latches and system cursor visibility.
#include "draw/draw.h"
#include "input/input.h"
#include "platform/backend.h"
#include "platform/os/clock.h"
#include "platform/os/messages.h"
#include "system/system.h"
#include "system/system_internal.h"

namespace ruSystem {

namespace {
constexpr int kClientWidth = 640;
constexpr int kClientHeight = 480;

void RunScene() {
  switch (SceneNo) {
    case 1: PlayScene(); break;
    case 2: ResultScene(); break;
    default: break;  // no scene: nothing drawn or presented
  }
}

void SceneOrTransition() {
  if (TransitionDir == 1) {
    ruDraw::Present();  // the closing transition's next step
    if (TransitionDir == 0) SceneNo = NextSceneNo;
    return;
  }
  SceneTick = platform::TimeGetTime();
  RunScene();
}

void SceneChange() {
  if (SceneNo == PrevSceneNo) {
    SceneStart = 0;
    return;
  }
  SceneStart = 1;
  if (WipeState >= 1) {  // a running wipe is cancelled
    ruDraw::ClipWindow = SavedClipWindow;
    WipeState = 0;
  }
}

void Blink() {
  const DWORD now = platform::TimeGetTime();
  if (now < BlinkTick) return;
  BlinkFlag = !BlinkFlag;
  BlinkTick = now + (BlinkFlag ? 1000 : 200);
}
}  // namespace

void UpdateCursorVisibility() {
  if (FullScreen || InMessageBox) return;
  platform::Backend& backend = platform::GetBackend();
  const POINT pt = backend.GetCursorPos();
  const bool outside = pt.x < WindowX || pt.y < WindowY || pt.x >= WindowX + kClientWidth ||
                       pt.y >= WindowY + kClientHeight;
  if (outside && CursorShown == 0) {
    backend.ShowCursor(true);
    CursorShown = 1;
  } else if (!outside && CursorShown == 1) {
    backend.ShowCursor(false);
    CursorShown = 0;
  }
}

void ShowCursorIfHidden() {
  if (CursorShown != 0) return;
  platform::GetBackend().ShowCursor(true);
  CursorShown = 1;
}

// One frame: timing, mouse movement, scene, scene change, blink, latches, cursor.
void FrameStep() {
  MeasureFrameTime();
  MouseMoveX = MouseX - PrevMouseX;
  MouseMoveY = MouseY - PrevMouseY;
  if (PrevSceneNo == 0 && SceneNo != 0) {
    SceneStart = 1;
    PrevSceneNo = SceneNo;
  }
  SceneOrTransition();
  SceneChange();
  PrevSceneNo = SceneNo;
  Blink();
  PrevMouseX = MouseX;
  PrevMouseY = MouseY;
  LeftClick = RightClick = LeftDoubleClick = RightDoubleClick = 0;
  UpdateCursorVisibility();
}

// Messages first; with none waiting, one frame step (or a wait while inactive).
void RunFrameLoop() {
  platform::Backend& backend = platform::GetBackend();
  platform::MSG msg;
  for (;;) {
    if (platform::PeekMessage(&msg, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return;
      platform::TranslateMessage(&msg);
      platform::DispatchMessage(&msg);
      continue;
    }
    if (AppActive || (ModeFlags & 2)) {
      backend.OnFrameStep();
      FrameStep();
    } else {
      platform::WaitMessage();
    }
  }
}

}  // namespace ruSystem
