// stop_signals.cpp - a flag set by the signal handler, read by the pump.
#include "platform/os/stop_signals.h"

#include <signal.h>

#include <initializer_list>

namespace platform {

namespace {
volatile sig_atomic_t stopRequested = 0;

void OnStopSignal(int) { stopRequested = 1; }
}  // namespace

// A signal the starter chose to ignore (a background job's SIGINT) stays
// ignored, as the desktop backend's SDL leaves it.
void CatchStopSignals() {
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  for (int sig : {SIGTERM, SIGINT}) {
    struct sigaction before {};
    if (sigaction(sig, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
    sigaction(sig, &action, nullptr);
  }
}

bool TakeStopRequest() {
  if (!stopRequested) return false;
  stopRequested = 0;
  return true;
}

}  // namespace platform
