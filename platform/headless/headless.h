// headless.h - the deterministic backend: fake clock, scripted input,
// captured frames, scripted message-box answers. Tests drive it through the
// programmatic API below; runs drive it through RU_* environment variables
// (docs/headless.md).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/formats/bmp_write.h"  // captures: WriteSurfaceBmp
#include "platform/headless/headless_audio.h"

namespace platform {

// ---------------------------------------------------------------- script
struct ScriptCommand {
  enum class Kind {
    Key, KeyDown, KeyUp, SysKeyDown, SysKeyUp, Move, LDown, LUp, LDbl, RDown, RUp, RDbl,
    Activate, Answer, Capture, Close, Joy, JoyOff
  };
  int frame = 0;  // frame step it precedes, from 1
  Kind kind = Kind::Close;
  int a = 0, b = 0;  // VK / X,Y / activate flag / IDYES, IDNO, IDOK
  std::string file;  // capture target (host path)
  JoystickState joystick;  // joy: position and buttons (a = joystick id)
  int line = 0;      // line of the script file
};

// Parses script text into commands ordered by frame (file order within a
// frame). False, with "line N: reason" in `error`, at the first bad line.
bool ParseScript(const std::string& text, std::vector<ScriptCommand>* out, std::string* error);
// Largest script file read.
constexpr size_t kMaxScriptBytes = size_t(16) << 20;
// Reads and parses a script file (its size checked before it is read).
// False with the reason in `error`: "cannot open the file (why)", "file is
// larger than 16 MiB" or ParseScript's "line N: reason".
bool ReadScriptFile(const std::string& hostPath, std::vector<ScriptCommand>* out,
                    std::string* error);
// A virtual-key code from a decimal, 0x-hex or a key name; -1 if none.
int ParseVirtualKey(const std::string& word);

// ---------------------------------------------------------------- options
struct HeadlessOptions {
  DWORD frameMs = 16;       // fake-clock advance per frame step
  int maxFrames = -1;       // WM_CLOSE after this frame step (0: before the first); -1: never
  int depth = 16;           // 16, 15 (5-5-5), 24 or 32
  std::vector<ScriptCommand> script;
  DWORD clockStart = 1000;  // fake clock at start
  long long calendarTime = 1000000000;  // CalendarTime() of the run
  int screenWidth = 1024, screenHeight = 768;
  bool audioDevice = true;  // false: no sound output (RU_AUDIO=none)
  std::string audioOut;     // WAVE file of everything mixed (RU_AUDIO_OUT)
};

// The run settings (platform/options.h) with RU_SCRIPT's file read and
// parsed. False with a message in `error` for a bad setting or script.
bool HeadlessOptionsFromEnvironment(HeadlessOptions* out, std::string* error);
// The headless backend configured from the environment; on a bad setting
// the message goes to stderr and the process exits with code 2.
std::unique_ptr<Backend> CreateHeadlessBackendFromEnvironment();

// ---------------------------------------------------------------- backend
// What a message box showed and how it was answered.
struct MessageBoxRecord {
  std::string caption, text;  // CP932
  UINT type = 0;
  int answer = 0;
  bool defaulted = false;  // no answer was queued
};

class HeadlessBackend : public Backend {
 public:
  explicit HeadlessBackend(const HeadlessOptions& options);
  ~HeadlessBackend() override;

  // ---- test controls
  // Queues an answer (IDYES, IDNO, IDOK). A question box takes the oldest
  // (IDOK counting as yes); a notice takes it only when it is IDOK.
  void QueueAnswer(int answer);
  // Frame steps (and idle waits) counted so far.
  int FramesDone() const { return framesDone_; }
  const std::vector<MessageBoxRecord>& MessageBoxes() const { return boxes_; }
  int CursorCounter() const { return cursorCounter_; }
  bool CursorClipped() const { return clipped_; }
  const RECT& ClipRect() const { return clipRect_; }
  bool WindowVisible() const { return visible_; }
  bool Topmost() const { return topmost_; }
  bool Minimized() const { return minimized_; }
  bool ImeEnabled() const { return imeOn_; }
  int RaiseCount() const { return raises_; }
  int BeepCount() const { return beeps_; }
  int PresentCount() const { return presents_; }
  const WindowSpec& LastWindowSpec() const { return windowRequest_; }
  // Moves the cursor as the mouse would (screen coordinates); no message.
  void PlaceCursor(int x, int y) { cursor_ = POINT{x, y}; }
  // The fake clock: set to an exact value, or moved forward (wrapping).
  void SetClock(DWORD now) { clock_ = now; }
  void AdvanceClock(DWORD ms) { clock_ += ms; }
  // Makes the next CreateMainWindow fail.
  void FailWindowCreation() { failCreate_ = true; }
  // Called with each message box before it is answered (may post messages).
  void OnMessageBox(void (*hook)(const MessageBoxRecord&)) { boxHook_ = hook; }
  // Plugs joystick `id` (0 or 1) in with `state`, or unplugs it when
  // state.present is false; other ids are ignored.
  void SetJoystick(int id, const JoystickState& state);

  // ---- Backend
  const char* Name() const override { return "headless"; }
  HWND CreateMainWindow(const WindowSpec& request) override;
  void ShowWindow(HWND hwnd, int command) override;
  void SetTopmost(HWND hwnd, bool topmost) override;
  void MinimizeWindow(HWND hwnd) override;
  void DestroyWindow(HWND hwnd) override;
  void RaiseWindow() override;
  HWND MainWindow() const override { return window_; }
  POINT ClientOrigin() const override;
  void PumpEvents() override;
  void WaitEvents() override;
  void OnFrameStep() override;
  int GetSystemMetrics(int index) const override;
  int DisplayBitsPerPixel() const override { return options_.depth == 15 ? 16 : options_.depth; }
  bool Display555() const override { return options_.depth == 15; }
  int MessageBox(HWND owner, const char* text, const char* caption, UINT type) override;
  void Beep() override { ++beeps_; }
  int ShowCursor(bool show) override;
  void HideCursorOnce() override {}
  POINT GetCursorPos() const override { return cursor_; }
  BOOL SetCursorPos(int x, int y) override;
  BOOL ClipCursor(const RECT* rect) override;
  void EnableIme(bool on) override { imeOn_ = on; }
  void PresentFrame(Surface& back, const RECT& source) override;
  void WaitVerticalBlank() override {}
  bool SetDisplayMode(int width, int height, int bitsPerPixel) override;
  void RestoreDisplayMode() override {}
  bool ReadJoystick(int id, JoystickState* state) override;
  DWORD Milliseconds() override { return clock_; }
  // Time passes at once: the clock jumps just past the deadline.
  void IdleUntil(DWORD deadline) override { clock_ = deadline + 1; }
  long long CalendarTime() override { return options_.calendarTime; }
  bool OpenAudio(const AudioFormat& pcm, AudioSource source) override {
    return audio_.Open(pcm, std::move(source));
  }
  void PauseAudio(bool paused) override { audio_.Pause(paused); }
  void CloseAudio() override { audio_.Close(); }
  // A system sound plays to its end: the clock moves on by its length.
  void PlayAudioFor(DWORD ms) override {
    clock_ += ms;
    audio_.Advance();
  }

 private:
  void IssueDueCommands();
  void Issue(const ScriptCommand& c);
  void PostKey(UINT message, int vk);
  void PostMouse(UINT message);
  void FinishCaptureCheck();
  void CountFrame();

  HeadlessOptions options_;
  DWORD clock_ = 0;
  size_t nextCommand_ = 0;
  int framesDone_ = 0;
  int issuedFor_ = 0;
  bool closePosted_ = false;
  std::vector<int> pendingKeyUps_;
  std::vector<int> answers_;
  std::vector<MessageBoxRecord> boxes_;
  void (*boxHook_)(const MessageBoxRecord&) = nullptr;
  std::vector<std::string> captures_;      // files wanted for the current step
  std::vector<std::string> nextCaptures_;  // files wanted for the coming step
  int captureFrame_ = 0;
  bool capturedThisStep_ = false;
  WindowSpec windowRequest_;
  HWND window_ = nullptr;
  bool failCreate_ = false;
  bool activated_ = false;
  bool visible_ = false, topmost_ = false, minimized_ = false, imeOn_ = true;
  bool clipped_ = false;
  RECT clipRect_{};
  int cursorCounter_ = 0;
  POINT cursor_{0, 0};
  int mouseX_ = 0, mouseY_ = 0;
  WPARAM buttons_ = 0;
  int raises_ = 0, beeps_ = 0, presents_ = 0;
  JoystickState joysticks_[2];  // absent until the script plugs them in
  HeadlessAudio audio_{options_.clockStart, options_.audioDevice, options_.audioOut};
};

// The headless backend of this run, or nullptr when the backend is another.
HeadlessBackend* GetHeadlessBackend();

}  // namespace platform
