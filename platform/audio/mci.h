// mci.h - the MCI command-string interpreter the MIDI code talks to
// (mciSendStringA): "open ... type sequencer alias midi", "play midi notify",
// "status midi mode", "stop midi", "close midi".
#pragma once

#include "platform/win_types.h"

namespace platform {

// Runs one command; the textual reply (e.g. "stopped") goes to reply[size].
// Returns 0 on success or an MCI error number.
DWORD MciSendString(const char* command, char* reply, UINT replySize, HWND callback);

}  // namespace platform
