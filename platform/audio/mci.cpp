// mci.cpp - the MCI command-string interpreter. No MCI device exists yet:
// every command fails with "device not open" and an empty reply, so the
// MIDI code sees a device that never opened.
#include "platform/audio/mci.h"

namespace platform {

namespace {
constexpr DWORD kMciErrorDeviceNotOpen = 263;  // MCIERR_DEVICE_NOT_READY family
}

DWORD MciSendString(const char*, char* reply, UINT replySize, HWND) {
  if (reply && replySize) reply[0] = '\0';
  return kMciErrorDeviceNotOpen;
}

}  // namespace platform
