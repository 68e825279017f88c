// mci.h - the MCI command-string interpreter the MIDI code talks to
// (mciSendStringA): "open ... type sequencer alias midi", "play midi notify",
// "status midi mode", "stop midi", "close midi".
#pragma once

#include "platform/win_types.h"

namespace platform {

// Runs one command (only those above; a file that is missing, not a
// format 0/1 MIDI file or cut short is refused at open); the textual reply (e.g. "stopped") goes to reply[size].
// Returns 0 on success or an MCI error number.
DWORD MciSendString(const char* command, char* reply, UINT replySize, HWND callback);
// Posts the end notification of a piece that has ended (MM_MCINOTIFY with
// MCI_NOTIFY_SUCCESSFUL to the window named by "play ... notify"); called
// by the message loop before it takes messages.
void DeliverMciNotifications();

}  // namespace platform
