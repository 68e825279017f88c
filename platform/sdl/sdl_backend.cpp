// sdl_backend.cpp - the desktop backend: one SDL2 window whose events become
// window messages, presentation of the back buffer, the cursor, and modal
// message boxes drawn inside the window.
#include "platform/sdl/sdl_backend.h"

#include <SDL.h>
#include <langinfo.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/options.h"
#include "platform/os/encoding.h"
#include "platform/os/instance.h"
#include "platform/os/messages.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_cursor.h"
#include "platform/sdl/sdl_events.h"
#include "platform/sdl/sdl_joystick.h"
#include "platform/sdl/sdl_keys.h"
#include "platform/sdl/sdl_message_box.h"
#include "platform/sdl/sdl_present.h"
#include "platform/sdl/sdl_window.h"

namespace platform {

namespace {

using namespace platform::sdl;

// Milliseconds a modal box sleeps waiting for events between redraws.
constexpr int kBoxIdleMs = 30;
// WaitEvents wakes at least this often to look at raise requests.
constexpr int kWaitEventsMs = 100;

class SdlBackend final : public Backend {
 public:
  // depth: 16, 15 (16-bit 5-5-5), 24 or 32; maxFrames: WM_CLOSE after that
  // many frame steps (0: right after start-up; -1: never).
  SdlBackend(int depth, int maxFrames)
      : depth_(depth == 15 ? 16 : depth), is555_(depth == 15), maxFrames_(maxFrames) {
    joysticks_.Open();
  }
  ~SdlBackend() override {
    DestroyWindow(hwnd_);
    joysticks_.Close();
    SDL_Quit();
  }

  const char* Name() const override { return "sdl"; }

  // ---- window
  HWND CreateMainWindow(const WindowSpec& request) override {
    if (hwnd_ || !window_.Create(request)) return nullptr;
    hwnd_ = reinterpret_cast<HWND>(&window_);
    events_.Attach(hwnd_, request.doubleClicks);
    cursor_.Attach(window_.Handle());
    presenter_.Attach(window_.Renderer(), window_.HasVsync());
    return hwnd_;
  }
  void ShowWindow(HWND hwnd, int command) override {
    if (hwnd != hwnd_) return;
    window_.Show(command != SW_HIDE);
    if (command == SW_MINIMIZE) window_.Minimize();
    if (command != SW_HIDE) RenderCurrent();
    // Showing the window activates the application, once: WM_ACTIVATEAPP is
    // sent before ShowWindow returns (SDL's focus event follows later).
    if (command != SW_HIDE && command != SW_MINIMIZE && !activated_) {
      activated_ = true;
      SendMessage(hwnd_, WM_ACTIVATEAPP, 1, 0);
    }
  }
  void SetTopmost(HWND hwnd, bool topmost) override {
    if (hwnd == hwnd_) window_.SetTopmost(topmost);
  }
  void MinimizeWindow(HWND hwnd) override {
    if (hwnd == hwnd_) window_.Minimize();
  }
  void DestroyWindow(HWND hwnd) override {
    if (!hwnd_ || hwnd != hwnd_) return;
    if (activeBox_) activeBox_->Cancel();
    if (activeBox_) activeBox_->ReleaseTexture();
    presenter_.Detach();
    events_.Detach();
    cursor_.Attach(nullptr);
    window_.Destroy();
    hwnd_ = nullptr;
  }
  void RaiseWindow() override { window_.Raise(); }
  HWND MainWindow() const override { return hwnd_; }
  POINT ClientOrigin() const override { return window_.ClientOrigin(); }

  // ---- events
  void PumpEvents() override {
    if (TakeRaiseRequest()) window_.Raise();
    if (maxFrames_ >= 0 && framesDone_ >= maxFrames_ && !closePosted_ && hwnd_) {
      closePosted_ = true;
      PostMessage(hwnd_, WM_CLOSE, 0, 0);
    }
    SDL_Event event;
    while (SDL_PollEvent(&event)) HandleEvent(event);
  }
  void WaitEvents() override { SDL_WaitEventTimeout(nullptr, kWaitEventsMs); }
  void OnFrameStep() override { ++framesDone_; }

  // ---- metrics and display depth
  int GetSystemMetrics(int index) const override {
    switch (index) {
      case SM_CXSCREEN: return DesktopSize().x;
      case SM_CYSCREEN: return DesktopSize().y;
      case SM_CYCAPTION: return kCaption;
      case SM_CXBORDER: case SM_CYBORDER: return kBorder;
      case SM_CXEDGE: case SM_CYEDGE: return kEdge;
      case SM_CXDLGFRAME: case SM_CYDLGFRAME: return kDialogFrame;
      default: return 0;
    }
  }
  int DisplayBitsPerPixel() const override { return depth_; }
  bool Display555() const override { return is555_; }

  // ---- message boxes
  int MessageBox(HWND owner, const char* text, const char* caption, UINT type) override;
  void Beep() override {}

  // ---- cursor and input method
  int ShowCursor(bool show) override { return cursor_.Show(show); }
  void HideCursorOnce() override { cursor_.HideOnce(); }
  POINT GetCursorPos() const override { return cursor_.Position(); }
  BOOL SetCursorPos(int x, int y) override { return cursor_.MoveTo(x, y) ? TRUE : FALSE; }
  BOOL ClipCursor(const RECT* rect) override {
    return cursor_.Clip(rect, window_.ClientOrigin(), window_.ClientWidth(),
                        window_.ClientHeight())
               ? TRUE
               : FALSE;
  }
  void EnableIme(bool on) override {
    if (on) SDL_StartTextInput();
    else SDL_StopTextInput();
  }

  // ---- presentation
  void PresentFrame(Surface& back, const RECT& source) override {
    presenter_.Upload(back, source);
    presenter_.FollowFrameWait();
    RenderCurrent();
  }
  void WaitVerticalBlank() override { presenter_.WaitVerticalBlank(); }
  bool SetDisplayMode(int width, int height, int bitsPerPixel) override {
    return window_.EnterFullScreen(width, height);
  }
  void RestoreDisplayMode() override { window_.LeaveFullScreen(); }

  // ---- joysticks
  bool ReadJoystick(int id, JoystickState* state) override {
    return joysticks_.Read(id, state);
  }

  // ---- audio output
  bool OpenAudio(const AudioFormat& pcm, AudioSource source) override {
    return audio_.Open(pcm, std::move(source));
  }
  void PauseAudio(bool paused) override { audio_.Pause(paused); }
  void CloseAudio() override { audio_.Close(); }
  void PlayAudioFor(DWORD ms) override { audio_.PlayFor(ms); }

 private:
  void HandleEvent(const SDL_Event& event);
  void RouteToBox(const SDL_Event& event);
  void RenderCurrent();

  POINT DesktopSize() const {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return POINT{640, 480};
    return POINT{mode.w, mode.h};
  }

  Window window_;
  EventTranslator events_;
  Cursor cursor_;
  Presenter presenter_;
  Joysticks joysticks_;
  AudioOutput audio_;
  MessageBoxUi* activeBox_ = nullptr;  // the innermost open box
  HWND hwnd_ = nullptr;
  int depth_ = 16;
  bool is555_ = false;
  int maxFrames_ = -1, framesDone_ = 0;
  bool closePosted_ = false;
  bool activated_ = false;
};

void SdlBackend::HandleEvent(const SDL_Event& event) {
  if (joysticks_.HandleEvent(event)) return;
  if (event.type == SDL_WINDOWEVENT && event.window.windowID != window_.Id()) return;
  if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED)
    RenderCurrent();
  if (activeBox_ && activeBox_->IsOpen() && EventTranslator::IsInput(event)) {
    RouteToBox(event);
    return;
  }
  events_.Translate(event);
}

// Input while a box is open belongs to the box. A key released during the
// box that the window saw go down still reaches the window, so the key
// state the library polls does not stay "down".
void SdlBackend::RouteToBox(const SDL_Event& event) {
  activeBox_->HandleInput(event);
  if (event.type == SDL_KEYUP) {
    const VirtualKey key = TranslateKey(event.key.keysym);
    if (key.vk != 0 && (GetKeyState(key.vk) & 0x80)) events_.Translate(event);
  }
}

void SdlBackend::RenderCurrent() {
  if (!window_.Exists()) return;
  if (activeBox_ && activeBox_->IsOpen()) {
    SDL_Texture* box = activeBox_->Texture(window_.Renderer());
    presenter_.Render(box, &activeBox_->Where());
  } else {
    presenter_.Render();
  }
}

// The modal loop: while the box is open, messages already queued or made by
// non-input events (move, focus, close) are dispatched to the window
// procedure; input goes to the box; no frame step runs. A quit request
// closes the box and is passed on to the frame loop.
int SdlBackend::MessageBox(HWND owner, const char* text, const char* caption, UINT type) {
  const bool question = (type & MB_TYPEMASK) == MB_YESNO;
  if (!window_.Exists()) {
    std::fprintf(stderr, "%s: %s\n", Cp932ToUtf8(caption ? caption : "").c_str(),
                 Cp932ToUtf8(text ? text : "").c_str());
    return question ? IDNO : IDOK;
  }
  // The box lives in the window: a hidden window is shown so it can be answered.
  if (SDL_GetWindowFlags(window_.Handle()) & SDL_WINDOW_HIDDEN) window_.Show(true);
  MessageBoxUi box;
  MessageBoxUi* outer = activeBox_;
  activeBox_ = &box;
  box.Open(text, caption, type, window_.ClientWidth(), window_.ClientHeight());
  cursor_.Restore();  // a full-screen game hides it per WM_SETCURSOR; the box needs it
  RenderCurrent();
  while (box.IsOpen()) {
    MSG msg;
    while (box.IsOpen() && PeekMessage(&msg, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(int(msg.wParam));
        box.Cancel();
        break;
      }
      DispatchMessage(&msg);
    }
    if (!window_.Exists()) box.Cancel();
    if (!box.IsOpen()) break;
    RenderCurrent();
    SDL_WaitEventTimeout(nullptr, kBoxIdleMs);
  }
  box.ReleaseTexture();
  activeBox_ = outer;
  RenderCurrent();
  return box.Result();
}

// SDL falls back to its window-less drivers when the display cannot be
// reached; those count as no display unless asked for by SDL_VIDEODRIVER.
bool RealDisplay() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver) return false;
  const bool windowless = std::strcmp(driver, "offscreen") == 0 ||
                          std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "evdev") == 0;
  if (!windowless) return true;
  const char* wanted = std::getenv("SDL_VIDEODRIVER");
  return wanted && std::strstr(wanted, driver) != nullptr;
}

// X11 writes the window's legacy title (WM_NAME) in the locale's
// encoding; a program that never set its locale runs in ASCII and the
// caption arrives garbled. The user's locale is taken when it has a real
// character set, else C.UTF-8. Only the character type is set: numbers
// keep the "C" formatting the library's texts rely on.
void SetCharacterLocale() {
  if (std::setlocale(LC_CTYPE, "") && std::strcmp(nl_langinfo(CODESET), "ANSI_X3.4-1968") != 0)
    return;
  if (!std::setlocale(LC_CTYPE, "C.UTF-8")) std::setlocale(LC_CTYPE, "C.utf8");
}

}  // namespace

std::unique_ptr<Backend> CreateSdlBackend() {
  // The run settings are refused as headless runs refuse them: RU_DEPTH and
  // RU_MAX_FRAMES apply to the window too.
  RunOptions options;
  std::string error;
  if (!ReadRunOptions(&options, &error)) {
    std::fprintf(stderr, "sdl: %s\n", error.c_str());
    std::exit(2);
  }
  SetCharacterLocale();
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
    return nullptr;
  }
  if (!RealDisplay()) {
    SDL_Quit();
    return nullptr;
  }
  if (!options.script.empty())
    std::fprintf(stderr, "RU_SCRIPT is played by headless runs only (RU_BACKEND=headless); "
                         "the window ignores it\n");
  return std::make_unique<SdlBackend>(options.depth, options.maxFrames);
}

}  // namespace platform
