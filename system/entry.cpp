// entry.cpp - WinMain: start values, the single-instance check, the window,
// the random seed, the IME, the game's start hook, then the frame loop.
#include <cstdlib>
#include <cstring>

#include "platform/backend.h"
#include "platform/os/clock.h"
#include "platform/os/encoding.h"
#include "platform/os/instance.h"
#include "platform/os/messages.h"
#include "system/system.h"
#include "system/system_internal.h"

namespace ruSystem {

namespace {
constexpr int kClientWidth = 640;
constexpr int kClientHeight = 480;
constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// The window's outer size and place: the client size plus one of each frame
// metric, centred on the screen (signed division truncating toward zero).
platform::WindowSpec MainWindowSpec(const char* caption) {
  const platform::Backend& b = platform::GetBackend();
  platform::WindowSpec request;
  request.caption = caption;
  request.style = kWindowStyle;
  request.doubleClicks = true;
  request.width = kClientWidth + b.GetSystemMetrics(SM_CXBORDER) + b.GetSystemMetrics(SM_CXEDGE) +
               b.GetSystemMetrics(SM_CXDLGFRAME);
  request.height = kClientHeight + b.GetSystemMetrics(SM_CYCAPTION) +
                b.GetSystemMetrics(SM_CYEDGE) + b.GetSystemMetrics(SM_CYBORDER) +
                b.GetSystemMetrics(SM_CYDLGFRAME);
  request.x = (b.GetSystemMetrics(SM_CXSCREEN) - request.width) / 2;
  request.y = (b.GetSystemMetrics(SM_CYSCREEN) - request.height) / 2;
  return request;
}

void CopyCommandLine(const char* line) {
  const char* text = line ? line : "";
  const size_t n = platform::Cp932SafeLength(text, sizeof CommandLine - 1);
  std::memcpy(CommandLine, text, n);
  CommandLine[n] = '\0';
}
}  // namespace

// 1 for the first instance; 0 (after asking the first to raise its window) otherwise.
int CheckInstance(const char* caption) {
  if (!platform::AcquireInstanceLock(caption)) return 0;  // the first one was asked to raise
  InstanceMutexHeld = true;
  return 1;
}

// Stores whether the application is the active one.
void SetActive(int active) { AppActive = active; }

// Activation hook: with 0 before the first frame, 1 on each reactivation.
void OnActivate(int) {}

}  // namespace ruSystem

// Start-up, the frame loop, and 0 when it ends.
int WinMain(HINSTANCE instance, HINSTANCE, const char* commandLine, int show) {
  using namespace ruSystem;
  const char* appName = "ピクノ";
  // The backend comes first: it settles the clock (fake in headless runs)
  // that the start values read, and refuses bad settings before anything.
  platform::Backend& backend = platform::GetBackend();
  InitState();
  if (!CheckInstance(appName)) return 0;
  CopyCommandLine(commandLine);
  ModeFlags = 3;  // FullScreen keeps its start value (a window) from InitState
  DesktopMode = 0;
  DefaultWidth = 640;
  DefaultHeight = 480;
  ClipCursorMode = 0;

  MainWindow = backend.CreateMainWindow(MainWindowSpec(appName));
  if (!MainWindow) return 0;
  platform::SetWindowProc(MainWindow, WindowProc);
  // Creation tells the window where its client area is, as WM_MOVE.
  const POINT origin = backend.ClientOrigin();
  platform::SendMessage(MainWindow, WM_MOVE, 0, MAKELPARAM(WORD(origin.x), WORD(origin.y)));

  backend.ShowWindow(MainWindow, (ModeFlags & 4) ? SW_HIDE : show);
  if (!FullScreen) backend.SetTopmost(MainWindow, (ModeFlags & 1) == 0);
  Instance = instance;
  std::srand(unsigned(platform::CalendarTime()));
  SetIme(0);
  GameInit();
  ResetFrameTime();
  OnActivate(0);
  RunFrameLoop();
  return 0;
}
