// stop_signals.cpp - a flag set by the signal handler, read by the pump.
#include "platform/os/stop_signals.h"

#include <signal.h>

namespace platform {

namespace {
volatile sig_atomic_t stopRequested = 0;

void OnStopSignal(int) { stopRequested = 1; }
}  // namespace

void CatchStopSignals() {
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

bool TakeStopRequest() {
  if (!stopRequested) return false;
  stopRequested = 0;
  return true;
}

}  // namespace platform
