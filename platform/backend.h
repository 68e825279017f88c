// backend.h - the operating-system services one backend gives.
//
// Two backends implement this interface: platform/sdl/ (a real window, SDL2)
// and platform/headless/ (fake clock, scripted input, captured frames). The
// backend is chosen once at start from RU_BACKEND=sdl|headless (default sdl
// when a display is available; with neither the program refuses to start).
// Everything above platform/ is identical in both. Each operation says what
// callers rely on. Every operation has a default that does nothing and
// succeeds (the clock's defaults read the real clock), so a test double
// overrides only what it uses.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "platform/win_types.h"

namespace platform {

class Surface;

// A PCM output format: the format the mixer really produces.
struct AudioFormat {
  DWORD samplesPerSec = 22050;
  WORD channels = 2;        // 1 or 2
  WORD bitsPerSample = 16;  // 8 (unsigned) or 16 (signed)
  DWORD BlockAlign() const { return DWORD(channels) * (bitsPerSample / 8); }
};
// The mixer's side of an open output: fills `bytes` bytes (whole sample
// frames) of the next output in the opened format.
using AudioSource = std::function<void(BYTE* out, std::size_t bytes)>;

// One joystick's reading (joyGetPosEx): axes 0..65535, bit k = button k + 1.
struct JoystickState {
  bool present = false;
  DWORD x = 32767, y = 32767;
  DWORD buttons = 0;
};

// What CreateMainWindow needs: outer size and position as the caller
// computed them from GetSystemMetrics, the caption in CP932.
struct WindowSpec {
  std::string caption;  // CP932 bytes
  int x = 0, y = 0;     // outer top-left, screen coordinates
  int width = 0, height = 0;  // outer size
  DWORD style = 0;
  bool doubleClicks = true;   // CS_DBLCLKS: second press -> *BUTTONDBLCLK
};

class Backend {
 public:
  virtual ~Backend() = default;

  // Short name: "sdl" or "headless".
  virtual const char* Name() const { return "custom"; }

  // ---- window
  // Creates the one window (hidden until ShowWindow); nullptr on failure
  // (the default: no window).
  // The client area is outer size minus the frame metrics.
  virtual HWND CreateMainWindow(const WindowSpec& request) { return nullptr; }
  // SW_HIDE hides, anything else shows.
  virtual void ShowWindow(HWND hwnd, int command) {}
  // Topmost on or off (SetWindowPos with HWND_TOPMOST or the window itself).
  virtual void SetTopmost(HWND hwnd, bool topmost) {}
  // Minimises the window (CloseWindow).
  virtual void MinimizeWindow(HWND hwnd) {}
  // Removes the window; the caller sends WM_DESTROY itself.
  virtual void DestroyWindow(HWND hwnd) {}
  // Brings the window to the front (a second instance asked for it).
  virtual void RaiseWindow() {}
  // The window that exists, or nullptr (FindWindowA of our own window).
  virtual HWND MainWindow() const { return nullptr; }
  // Client area's top-left corner in screen coordinates.
  virtual POINT ClientOrigin() const { return POINT{0, 0}; }

  // ---- events
  // Turns pending OS events (or script commands) into posted messages.
  // Called by PeekMessage before it looks at the queue; never blocks.
  virtual void PumpEvents() {}
  // Blocks until an OS event could have arrived (WaitMessage with an empty
  // queue). Headless: counts as one idle frame so scripts move on.
  virtual void WaitEvents() {}
  // A frame step of the library begins (headless: advance the fake clock,
  // count the frame). Called by the frame loop before its first step.
  virtual void OnFrameStep() {}

  // ---- metrics and display depth
  // GetSystemMetrics for the SM_* values of win_types.h.
  virtual int GetSystemMetrics(int index) const { return 0; }
  // The display's bits per pixel as GetDeviceCaps(BITSPIXEL) reports it
  // (16 for both 5-6-5 and 5-5-5).
  virtual int DisplayBitsPerPixel() const { return 16; }
  // True when a 16-bit display is 5-5-5 rather than 5-6-5.
  virtual bool Display555() const { return false; }

  // ---- message boxes
  // Modal box (MessageBoxA): text and caption CP932, type MB_*. Returns IDOK,
  // IDYES or IDNO. While it is open the backend runs its own loop: window
  // messages keep reaching the window procedure, no frame step runs.
  // Default: no one answers (a question gets IDNO, a notice IDOK).
  virtual int MessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    return (type & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
  }
  // The warning beep (MessageBeep).
  virtual void Beep() {}

  // ---- cursor and input method
  // ShowCursor: moves the display counter by +1/-1 and returns it; the
  // cursor is visible while the counter is >= 0.
  virtual int ShowCursor(bool show) { return show ? 0 : -1; }
  // Hides the cursor for the current WM_SETCURSOR (SetCursor(NULL)).
  virtual void HideCursorOnce() {}
  // Cursor position in screen coordinates (GetCursorPos).
  virtual POINT GetCursorPos() const { return POINT{0, 0}; }
  // Moves the cursor, screen coordinates (SetCursorPos); TRUE on success.
  virtual BOOL SetCursorPos(int x, int y) { return TRUE; }
  // Keeps the cursor in a screen rectangle, or frees it for nullptr.
  virtual BOOL ClipCursor(const RECT* rect) { return TRUE; }
  // Switches the input method editor on or off.
  virtual void EnableIme(bool on) {}

  // ---- presentation (used by the display layer)
  // Shows `back`'s rectangle `source` in the window. Headless keeps the
  // frame for `capture`.
  virtual void PresentFrame(Surface& back, const RECT& source) {}
  // Returns at the start of the next vertical blank (vsync or 60 Hz pacing;
  // headless: at once).
  virtual void WaitVerticalBlank() {}
  // Exclusive full screen at the given mode; false if refused.
  virtual bool SetDisplayMode(int width, int height, int bitsPerPixel) { return true; }
  // Back to the desktop's mode and a window.
  virtual void RestoreDisplayMode() {}

  // ---- audio output
  // Opens the sound device for `pcm`. The desktop backend calls `source`
  // on the device's own thread, so sounds go on while a message box is open
  // or a frame stalls; the mixer in platform/audio/ guards what that thread
  // reads, and library code never sees it. Headless calls it at the start of
  // each frame step for exactly the time the fake clock advanced. False: no
  // device (a normal answer; the program runs silent). Opening again
  // replaces the earlier output.
  virtual bool OpenAudio(const AudioFormat& pcm, AudioSource source) { return false; }
  // Pauses or resumes the output (a paused device asks for nothing).
  virtual void PauseAudio(bool paused) {}
  // Closes the output; `source` is not called again.
  virtual void CloseAudio() {}
  // Returns once the open output has played `ms` more milliseconds (a
  // sound played to its end before the caller goes on). Headless: the fake
  // clock moves on by `ms` and that time is mixed at once.
  virtual void PlayAudioFor(DWORD ms) {}

  // ---- clock
  // The millisecond clock (timeGetTime): an unsigned 32-bit count that
  // wraps. The desktop reads a monotonic clock; headless runs keep a fake
  // one that moves only per frame step, so timed behaviour repeats exactly.
  virtual DWORD Milliseconds();
  // Lets time pass for a caller that spins until Milliseconds() > deadline:
  // the real clock sleeps briefly (never past the deadline), a fake clock
  // jumps to deadline + 1. Callers keep their own loop and test.
  virtual void IdleUntil(DWORD deadline);
  // Seconds since the epoch that seed the random generator (time(nullptr));
  // headless runs give a fixed value.
  virtual long long CalendarTime();

  // ---- joysticks
  // The state of joystick `id` (0 or 1); false when it does not answer.
  virtual bool ReadJoystick(int id, JoystickState* state) { return false; }
};

// The backend of this run, chosen at first use.
Backend& GetBackend();
// Replaces the backend (tests, and the start of a run). Takes ownership.
void SetBackend(std::unique_ptr<Backend> backend);
// Creates the backend RU_BACKEND names (default: sdl when a display is
// available). A bad setting, or no display and no backend named, is
// reported on stderr and ends the process with status 1 (2 for a bad
// headless setting).
std::unique_ptr<Backend> CreateBackendFromEnvironment();
// The backends by name; a factory returns nullptr when its backend cannot
// start here (no display).
struct BackendEntry {
  const char* name;
  std::unique_ptr<Backend> (*create)();
};
extern const BackendEntry kBackends[];
extern const std::size_t kBackendCount;

}  // namespace platform
