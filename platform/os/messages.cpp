// messages.cpp - the one message queue shared by every backend: posting,
// peeking, waiting, dispatch to the window procedure, and the key-state table
// that GetKeyState reads.
#include "platform/os/messages.h"

#include <array>
#include <utility>
#include <vector>

#include "platform/backend.h"
#include "platform/audio/mci.h"
#include "platform/os/clock.h"

namespace platform {

namespace {
// A fixed ring of posted messages: posting in a frame never allocates. Like
// a Windows queue it has a limit; a post to a full queue fails.
class MessageRing {
 public:
  static constexpr size_t kCapacity = 10000;
  bool empty() const { return count_ == 0; }
  size_t size() const { return count_; }
  const MSG& front() const { return items_[head_]; }
  bool push_back(const MSG& m) {
    if (count_ == kCapacity) return false;
    items_[(head_ + count_) % kCapacity] = m;
    ++count_;
    return true;
  }
  void pop_front() {
    head_ = (head_ + 1) % kCapacity;
    --count_;
  }
  void clear() { head_ = count_ = 0; }

 private:
  std::array<MSG, kCapacity> items_{};
  size_t head_ = 0, count_ = 0;
};

struct QueueState {
  MessageRing queue;
  bool quitPending = false;
  int quitCode = 0;
  std::vector<std::pair<HWND, WindowProcFn>> procs;
  BYTE keys[256] = {};
};
QueueState state;

constexpr BYTE kDown = 0x80;
constexpr BYTE kToggled = 0x01;

void SetKey(int vk, bool down) {
  BYTE& k = state.keys[vk & 0xFF];
  if (down && !(k & kDown)) k ^= kToggled;
  k = down ? BYTE(k | kDown) : BYTE(k & ~kDown);
}

// Generic keys (Shift, Ctrl, Alt) also move their left-hand variant, so a
// check of either name sees the press.
void TrackKey(const MSG& m) {
  switch (m.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      const bool down = m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN;
      SetKey(int(m.wParam), down);
      if (m.wParam == WPARAM(VK_SHIFT)) SetKey(VK_LSHIFT, down);
      if (m.wParam == WPARAM(VK_CONTROL)) SetKey(VK_LCONTROL, down);
      if (m.wParam == WPARAM(VK_MENU)) SetKey(VK_LMENU, down);
      break;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: SetKey(VK_LBUTTON, true); break;
    case WM_LBUTTONUP: SetKey(VK_LBUTTON, false); break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: SetKey(VK_RBUTTON, true); break;
    case WM_RBUTTONUP: SetKey(VK_RBUTTON, false); break;
    default: break;
  }
}

bool TakeOrLook(MSG* msg, UINT removeFlag) {
  if (!state.queue.empty()) {
    *msg = state.queue.front();
    if (removeFlag & PM_REMOVE) {
      state.queue.pop_front();
      TrackKey(*msg);
    }
    return true;
  }
  if (state.quitPending) {
    *msg = MSG{nullptr, WM_QUIT, WPARAM(state.quitCode), 0, TimeGetTime()};
    if (removeFlag & PM_REMOVE) state.quitPending = false;
    return true;
  }
  return false;
}

WindowProcFn FindProc(HWND hwnd) {
  for (const auto& [window, proc] : state.procs)
    if (window == hwnd) return proc;
  return nullptr;
}
}  // namespace

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return state.queue.push_back(MSG{hwnd, message, wParam, lParam, TimeGetTime()}) ? TRUE
                                                                                    : FALSE;
}

void PostQuitMessage(int code) {
  state.quitPending = true;
  state.quitCode = code;
}

BOOL PeekMessage(MSG* msg, UINT removeFlag) {
  GetBackend().PumpEvents();
  DeliverMciNotifications();
  return TakeOrLook(msg, removeFlag) ? TRUE : FALSE;
}

BOOL GetMessage(MSG* msg) {
  while (!PeekMessage(msg, PM_REMOVE)) GetBackend().WaitEvents();
  return msg->message == WM_QUIT ? FALSE : TRUE;
}

void WaitMessage() {
  Backend& backend = GetBackend();
  backend.PumpEvents();
  if (!state.queue.empty() || state.quitPending) return;
  backend.WaitEvents();
}

BOOL TranslateMessage(const MSG*) { return FALSE; }

LRESULT DispatchMessage(const MSG* msg) {
  WindowProcFn proc = FindProc(msg->hwnd);
  return proc ? proc(msg->hwnd, msg->message, msg->wParam, msg->lParam) : 0;
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowProcFn proc = FindProc(hwnd);
  return proc ? proc(hwnd, message, wParam, lParam) : 0;
}

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_CLOSE) {
    DestroyWindow(hwnd);
  } else if (message == WM_SYSKEYDOWN && wParam == WPARAM(VK_F1 + 3)) {
    PostMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);  // Alt+F4: the system menu's Close
  } else if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) {
    SendMessage(hwnd, WM_CLOSE, 0, 0);
  }
  return 0;
}

// After WM_DESTROY the window has no procedure: messages still queued for
// it are taken but reach nothing, as for a destroyed window.
void DestroyWindow(HWND hwnd) {
  GetBackend().DestroyWindow(hwnd);
  SendMessage(hwnd, WM_DESTROY, 0, 0);
  std::erase_if(state.procs, [hwnd](const auto& entry) { return entry.first == hwnd; });
}

void SetWindowProc(HWND hwnd, WindowProcFn proc) {
  for (auto& entry : state.procs)
    if (entry.first == hwnd) {
      entry.second = proc;
      return;
    }
  state.procs.emplace_back(hwnd, proc);
}

SHORT GetKeyState(int vk) {
  const BYTE k = state.keys[vk & 0xFF];
  SHORT result = (k & kToggled) ? 1 : 0;
  if (k & kDown) result = SHORT(result | SHORT(0xFF80));
  return result;
}

void ResetMessages() {
  state.queue.clear();
  state.quitPending = false;
  state.quitCode = 0;
  state.procs.clear();
  for (BYTE& k : state.keys) k = 0;
}

int PendingMessageCount() { return int(state.queue.size()); }

}  // namespace platform
