// stop_signals.h - SIGTERM and SIGINT as a request to close the window, so
// a signalled program ends through its own close path (the desktop
// backend's SDL turns them into its quit event; headless runs use this).
#pragma once

namespace platform {

// Installs the handlers: a signal only records the request.
void CatchStopSignals();
// True once for each recorded request; the backend's event pump then posts
// WM_CLOSE to the window.
bool TakeStopRequest();

}  // namespace platform
