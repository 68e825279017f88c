// messages.h - the window's message queue and key state.
//
// One queue for the one window, shared by every backend: posted messages,
// the quit flag, dispatch to the window procedure, and the key-state table
// that GetKeyState reads. Backends feed it with PostMessage from their event
// pumps; the library's frame loop drains it with PeekMessage.
#pragma once

#include "platform/win_types.h"

namespace platform {

struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
};

using WindowProcFn = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

// Appends a message to the queue (PostMessageA). FALSE when the queue
// already holds its limit of 10000 messages.
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Asks the loop to end: WM_QUIT with `code` is returned once the queue holds
// no other message (PostQuitMessage).
void PostQuitMessage(int code);
// Takes (PM_REMOVE) or looks at (PM_NOREMOVE) the oldest message after
// letting the backend turn pending events into messages. FALSE if none.
// Taking a key message updates the key-state table.
BOOL PeekMessage(MSG* msg, UINT removeFlag);
// Blocks until a message is there, then takes it; FALSE for WM_QUIT.
BOOL GetMessage(MSG* msg);
// Sleeps until a message is there (WaitMessage). Returns at once if one is.
void WaitMessage();
// Kept for the loop's shape; character messages are not generated.
BOOL TranslateMessage(const MSG* msg);
// Calls the window procedure of the message's window (DispatchMessageA).
LRESULT DispatchMessage(const MSG* msg);
// Calls the window procedure directly (SendMessage).
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Default handling of a message (DefWindowProcA): WM_CLOSE destroys the
// window, WM_SYSKEYDOWN of Alt+F4 posts WM_SYSCOMMAND SC_CLOSE, whose
// default handling sends WM_CLOSE; everything else returns 0.
LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Removes the window and sends it WM_DESTROY (DestroyWindow); later
// messages for it reach no procedure.
void DestroyWindow(HWND hwnd);

// Installs the window procedure that Dispatch/Send call for `hwnd`.
void SetWindowProc(HWND hwnd, WindowProcFn proc);

// Key state as GetKeyState reports it: bit 0x80 (and the sign) while the key
// is down after the key messages taken so far, bit 0x01 toggled by presses.
SHORT GetKeyState(int vk);

// Empties the queue, the quit flag and the key-state table (start of a run).
void ResetMessages();
// Number of messages waiting (for tests and backends).
int PendingMessageCount();

}  // namespace platform
