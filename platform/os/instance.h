// instance.h - the single-instance lock and the "raise the first window"
// request.
//
// The lock is an abstract local socket named from the user, the caption and
// ":RuMutex" (plus $RU_INSTANCE_KEY when set, so parallel test runs do not
// meet). A second start connects to it, which asks the first to raise its
// window, and then exits.
#pragma once

#include <string>

namespace platform {

// Takes the lock for `name` (CP932). True if this is the only holder; false
// if another process holds it, in which case that process has been asked to
// raise its window.
bool AcquireInstanceLock(const std::string& name);
// Gives the lock back (ReleaseMutex); harmless when not held.
void ReleaseInstanceLock();
// True once for each raise request received since the last call. Backends
// call it from their event pump and raise the window.
bool TakeRaiseRequest();

}  // namespace platform
