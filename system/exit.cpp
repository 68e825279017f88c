// exit.cpp - orderly shutdown, run once: cursor clip, font, sound, display,
// the instance lock, then the window's close.
#include "draw/draw.h"
#include "platform/os/instance.h"
#include "platform/os/messages.h"
#include "sound/sound.h"
#include "system/system.h"
#include "system/system_internal.h"
#include "text/text.h"

namespace ruSystem {

// Releases everything in order and closes the window; only the first call works.
int Exit() {
  if (ExitStarted) return 1;
  ExitStarted = 1;
  UnclipCursor();
  ruDraw::ExitFont();
  ruSound::ExitSound();
  ruDraw::ExitScreen();
  if (InstanceMutexHeld) {
    platform::ReleaseInstanceLock();
    InstanceMutexHeld = false;
  }
  if (ExitState == 0) platform::PostMessage(MainWindow, WM_CLOSE, 0, 0);
  ExitState = 2;
  return 1;
}

// Exits when an error was reported; returns ErrorFlag.
int ExitOnError() {
  if (ErrorFlag) Exit();
  return ErrorFlag;
}

}  // namespace ruSystem
