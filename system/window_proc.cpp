// window_proc.cpp - the window procedure: window position, close and
// destroy, activation, cursor, keys and mouse buttons into the input
// latches, hot keys and the MIDI end notice.
#include <cstring>

#include "draw/draw.h"
#include "input/input.h"
#include "platform/backend.h"
#include "platform/audio/mci.h"
#include "sound/sound.h"
#include "system/system.h"
#include "system/system_internal.h"

namespace ruSystem {

namespace {
constexpr WPARAM kHotKeyPrint = 0xBF01;
constexpr WPARAM kHotKeyOther = 0xBF02;

LRESULT Default(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  return platform::DefWindowProc(w, m, wp, lp);
}

void OnMove(LPARAM lParam) {
  WindowX = SHORT(LOWORD(WPARAM(lParam)));
  WindowY = SHORT(HIWORD(WPARAM(lParam)));
  ClientRect = RECT{WindowX, WindowY, WindowX + ruDraw::ScreenWidth,
                    WindowY + ruDraw::ScreenHeight};
  if (ClipCursorMode) ClipCursorToWindow();
}

void OnClose(HWND window) {
  if (ExitState == 0) ExitState = 1;
  if (ExitState < 2) Exit();
  platform::DestroyWindow(window);
}

void OnActivateApp(WPARAM active) {
  if (!active) {
    SetActive(0);
    ShowCursorIfHidden();
    if (ClipCursorMode) UnclipCursor();
    return;
  }
  SetActive(1);
  ResetFrameTime();
  if (ClipCursorMode) ClipCursorToWindow();
  OnActivate(1);
}

void OnKeyPress(WPARAM code) {
  if (InputLocked) LockedKey = int(code);
  else KeyDown(int(code));
}

void OnMidiNotify(WPARAM wParam) {
  if (wParam != MCI_NOTIFY_SUCCESSFUL || !ruSound::MidiOpen) return;
  char reply[32] = "";
  platform::MciSendString("status midi mode", reply, sizeof reply, nullptr);
  if (reply[0] == 's' && reply[1] == 't') ruSound::MidiNotify();
}

void OnRightDoubleClick() {
  if (!InputLocked) RightDoubleClick = 1;
  if (!ClipCursorMode) return;
  if (IsCursorClipped()) UnclipCursor();
  else ClipCursorToWindow();
}
}  // namespace

// The window procedure of the class "DEFAULT".
LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY: platform::PostQuitMessage(0); return 0;
    case WM_MOVE: OnMove(lParam); break;
    case WM_CLOSE: OnClose(window); return 0;
    case WM_ACTIVATEAPP: OnActivateApp(wParam); return 0;
    case WM_SETCURSOR:
      if (FullScreen && !InMessageBox) {
        platform::GetBackend().HideCursorOnce();
        return 1;
      }
      break;
    case WM_KEYDOWN: OnKeyPress(wParam); break;
    case WM_KEYUP: KeyUp(int(wParam)); break;
    case WM_SYSKEYDOWN:
      if (SysKeyMode == 0) return 0;
      if (SysKeyMode == 2 && wParam == WPARAM(VK_MENU)) return 0;
      OnKeyPress(wParam);
      break;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_SCREENSAVE) return 0;
      break;
    case WM_MOUSEMOVE:
      MouseX = LOWORD(WPARAM(lParam));
      MouseY = HIWORD(WPARAM(lParam));
      break;
    case WM_LBUTTONDOWN:
      if (InputLocked) {
        LockedLeftButton = 1;
      } else {
        LeftButton = LeftClick = LeftPushed = 1;
        MouseButton = MouseClicked = 1;
      }
      break;
    case WM_LBUTTONUP:
      LeftButton = 0;
      if (MouseButton == 1) MouseButton = 0;
      LockedLeftButton = 0;
      break;
    case WM_LBUTTONDBLCLK:
      if (!InputLocked) LeftDoubleClick = 1;
      return 0;
    case WM_RBUTTONDOWN:
      if (!InputLocked) {
        RightButton = RightClick = RightPushed = 1;
        MouseButton = MouseClicked = 2;
      }
      break;
    case WM_RBUTTONUP:
      RightButton = 0;
      if (MouseButton == 2) MouseButton = 0;
      break;
    case WM_RBUTTONDBLCLK: OnRightDoubleClick(); return 0;
    case WM_HOTKEY:
      if (!InputLocked && wParam == kHotKeyPrint) KeyDown(VK_SNAPSHOT);
      if (!InputLocked && wParam == kHotKeyOther) KeyDown(0x101);
      return 0;
    case MM_MCINOTIFY: OnMidiNotify(wParam); break;
    default: break;
  }
  return Default(window, message, wParam, lParam);
}

}  // namespace ruSystem
