// state.cpp - the module state of the system core and its start values
// (InitState).
#include "input/input.h"
#include "platform/os/clock.h"
#include "system/system.h"
#include "system/system_internal.h"

namespace ruSystem {

HWND MainWindow = nullptr;
HINSTANCE Instance = nullptr;
char CommandLine[256] = "";
int ModeFlags = 0;
int FullScreen = 0;
int DesktopMode = 0;
int DefaultWidth = 640, DefaultHeight = 480;
int ClipCursorMode = 0;
int AppActive = 0;
int CursorShown = 1;
int InMessageBox = 0;
float FrameTime = 0.0f;
DWORD LastFrameTick = 0;
int SceneNo = 0;
int PrevSceneNo = 0;
int SceneStart = 0;
DWORD SceneTick = 0;
int NextSceneNo = 0;
int TransitionDir = 0;
int TransitionStep = 0;
int WipeState = 0;
RECT SavedClipWindow = {0, 0, 0, 0};
int BlinkFlag = 1;
DWORD BlinkTick = 0;
int MouseX = 0, MouseY = 0;
int PrevMouseX = 0, PrevMouseY = 0;
int MouseMoveX = 0, MouseMoveY = 0;
int WindowX = 0, WindowY = 0;
RECT ClientRect = {0, 0, 0, 0};
int ExitState = 0;
int ExitStarted = 0;
int ErrorFlag = 0;
bool InstanceMutexHeld = false;

// The start values of the system and input state.
void InitState() {
  ClearInputLatches();
  const DWORD now = platform::TimeGetTime();
  MainWindow = nullptr;
  InstanceMutexHeld = false;
  ModeFlags = 0;
  // Start in a window; only the colour-depth question switches to full screen.
  FullScreen = 0;
  DesktopMode = 0;
  ClipCursorMode = 0;
  AppActive = 0;
  CursorShown = 1;
  InMessageBox = 0;
  FrameTime = 0.0f;
  LastFrameTick = now;
  SceneNo = PrevSceneNo = SceneStart = NextSceneNo = 0;
  SceneTick = 0;
  TransitionDir = TransitionStep = WipeState = 0;
  SavedClipWindow = RECT{0, 0, 0, 0};
  BlinkFlag = 1;
  BlinkTick = now + 1000;
  MouseX = MouseY = PrevMouseX = PrevMouseY = MouseMoveX = MouseMoveY = 0;
  WindowX = WindowY = 0;
  ClientRect = RECT{0, 0, 0, 0};
  ExitState = ExitStarted = ErrorFlag = 0;
  for (DWORD& deadline : WaitDeadline) deadline = 0;
  ColorDepth = 16;
  ColorDepthAlt1 = ColorDepthAlt2 = 0;
  CursorClipped = 0;
}

}  // namespace ruSystem
