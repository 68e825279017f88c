// system_internal.h - module state and steps shared between the files of
// the system core but not offered to games.
#pragma once

namespace ruSystem {

// The single-instance lock is held (InstanceMutex).
extern bool InstanceMutexHeld;

// Runs the frame loop until WM_QUIT.
void RunFrameLoop();
// The cursor-visibility step of the frame (outside the client area shown,
// inside hidden, each change made once).
void UpdateCursorVisibility();
// Shows the system cursor if this program hid it.
void ShowCursorIfHidden();

}  // namespace ruSystem
