// headless_backend.cpp - the backend without a window: a fake clock moved
// per frame step, script commands turned into window messages, message
// boxes answered from a queue and logged, presented frames captured.
#include <cstdio>
#include <cstdlib>

#include "platform/os/encoding.h"
#include "platform/headless/headless.h"
#include "platform/options.h"
#include "platform/os/instance.h"
#include "platform/os/messages.h"
#include "platform/os/stop_signals.h"

namespace platform {

namespace {
// The one window's handle: any stable non-null address.
WindowTag* const kWindow = reinterpret_cast<WindowTag*>(0x10);

constexpr WPARAM kMkLButton = 0x0001;
constexpr WPARAM kMkRButton = 0x0002;

// A box text on one log line: the trailing line end dropped, inner line
// ends shown as "\n".
std::string OneLine(const std::string& cp932) {
  std::string out;
  for (char c : Cp932ToUtf8(cp932)) {
    if (c == '\r') continue;
    if (c == '\n') out += "\\n";
    else out += c;
  }
  while (out.size() >= 2 && out.compare(out.size() - 2, 2, "\\n") == 0) out.resize(out.size() - 2);
  return out;
}

const char* AnswerName(int answer) {
  return answer == IDYES ? "yes" : answer == IDNO ? "no" : "ok";
}
}  // namespace

bool HeadlessOptionsFromEnvironment(HeadlessOptions* out, std::string* error) {
  HeadlessOptions o;
  RunOptions run;
  if (!ReadRunOptions(&run, error)) return false;
  o.frameMs = run.frameMs;
  o.maxFrames = run.maxFrames;
  o.depth = run.depth;
  ReadHeadlessAudioOptions(&o);
  const char* script = run.script.c_str();
  if (*script) {
    std::string why;
    if (!ReadScriptFile(script, &o.script, &why)) {
      *error = std::string("RU_SCRIPT=") + script + ": " + why;
      return false;
    }
  }
  *out = std::move(o);
  return true;
}

std::unique_ptr<Backend> CreateHeadlessBackendFromEnvironment() {
  HeadlessOptions options;
  std::string error;
  if (!HeadlessOptionsFromEnvironment(&options, &error)) {
    std::fprintf(stderr, "headless: %s\n", error.c_str());
    std::exit(2);
  }
  CatchStopSignals();  // a run ends through its window's close path
  return std::make_unique<HeadlessBackend>(options);
}

HeadlessBackend* GetHeadlessBackend() { return dynamic_cast<HeadlessBackend*>(&GetBackend()); }

// ---------------------------------------------------------------- life
HeadlessBackend::HeadlessBackend(const HeadlessOptions& options) : options_(options) {
  clock_ = options_.clockStart;
  // Answers of frame 1 are queued from the start, so they also answer the
  // boxes that start-up (GameInit) opens.
  for (const ScriptCommand& c : options_.script)
    if (c.frame == 1 && c.kind == ScriptCommand::Kind::Answer) answers_.push_back(c.a);
  // Joysticks of frame 1 are plugged in from the start, so that screen
  // set-up's calibration finds them at rest where the script puts them.
  for (const ScriptCommand& c : options_.script)
    if (c.frame == 1 && c.kind == ScriptCommand::Kind::Joy) SetJoystick(c.a, c.joystick);
}

// Captures of frame steps that never ran (the program ended first) are
// reported as not presented rather than dropped in silence.
HeadlessBackend::~HeadlessBackend() {
  FinishCaptureCheck();
  for (const std::string& file : nextCaptures_)
    std::fprintf(stderr, "capture %s: nothing was presented in frame %d\n", file.c_str(),
                 framesDone_ + 1);
  for (size_t i = nextCommand_; i < options_.script.size(); ++i)
    if (options_.script[i].kind == ScriptCommand::Kind::Capture)
      std::fprintf(stderr, "capture %s: nothing was presented in frame %d\n",
                   options_.script[i].file.c_str(), options_.script[i].frame);
}

// ---------------------------------------------------------------- window
HWND HeadlessBackend::CreateMainWindow(const WindowSpec& request) {
  if (failCreate_) {
    failCreate_ = false;
    return nullptr;
  }
  windowRequest_ = request;
  window_ = kWindow;
  visible_ = false;
  activated_ = false;
  return window_;
}

void HeadlessBackend::ShowWindow(HWND hwnd, int command) {
  visible_ = command != SW_HIDE;
  minimized_ = command == SW_MINIMIZE;
  // Showing the window makes the application the active one, once; as on
  // the desktop, WM_ACTIVATEAPP is sent before ShowWindow returns.
  if (visible_ && !minimized_ && !activated_ && hwnd == window_) {
    activated_ = true;
    SendMessage(window_, WM_ACTIVATEAPP, 1, 0);
  }
}

void HeadlessBackend::SetTopmost(HWND, bool topmost) { topmost_ = topmost; }
void HeadlessBackend::MinimizeWindow(HWND) { minimized_ = true; }

void HeadlessBackend::DestroyWindow(HWND hwnd) {
  if (hwnd == window_) {
    window_ = nullptr;
    visible_ = false;
  }
}

void HeadlessBackend::RaiseWindow() {
  ++raises_;
  std::fprintf(stderr, "[instance] raise requested\n");
}

POINT HeadlessBackend::ClientOrigin() const {
  return POINT{windowRequest_.x + GetSystemMetrics(SM_CXBORDER) + GetSystemMetrics(SM_CXDLGFRAME),
               windowRequest_.y + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYDLGFRAME)};
}

int HeadlessBackend::GetSystemMetrics(int index) const {
  switch (index) {
    case SM_CXSCREEN: return options_.screenWidth;
    case SM_CYSCREEN: return options_.screenHeight;
    case SM_CYCAPTION: return 19;
    case SM_CXBORDER: case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME: case SM_CYDLGFRAME: return 3;
    case SM_CXEDGE: case SM_CYEDGE: return 2;
    default: return 0;
  }
}

bool HeadlessBackend::SetDisplayMode(int width, int height, int bitsPerPixel) {
  return width > 0 && height > 0 &&
         (bitsPerPixel == 16 || bitsPerPixel == 24 || bitsPerPixel == 32);
}

// ---------------------------------------------------------------- events
// Once the frame limit is reached the close goes out instead of the next
// frame's commands: that frame step never runs, so nothing of it happens.
void HeadlessBackend::PumpEvents() {
  if (TakeRaiseRequest()) RaiseWindow();
  if (window_ && TakeStopRequest()) PostMessage(window_, WM_CLOSE, 0, 0);
  if (options_.maxFrames >= 0 && framesDone_ >= options_.maxFrames) {
    if (!closePosted_ && window_) {
      closePosted_ = true;
      PostMessage(window_, WM_CLOSE, 0, 0);
    }
    return;
  }
  IssueDueCommands();
}

void HeadlessBackend::WaitEvents() {
  PumpEvents();
  if (PendingMessageCount() > 0) return;
  CountFrame();  // an idle frame: time and the script move on
  PumpEvents();
}

void HeadlessBackend::OnFrameStep() {
  PumpEvents();
  CountFrame();
}

void HeadlessBackend::CountFrame() {
  FinishCaptureCheck();
  clock_ += options_.frameMs;
  audio_.Advance();
  ++framesDone_;
  captures_.swap(nextCaptures_);
  nextCaptures_.clear();
  capturedThisStep_ = false;
  captureFrame_ = framesDone_;
}

// Commands for frame step framesDone_+1 go out once, after the key releases
// of the previous step's `key` commands.
void HeadlessBackend::IssueDueCommands() {
  const int frame = framesDone_ + 1;
  if (issuedFor_ >= frame) return;
  issuedFor_ = frame;
  for (int vk : pendingKeyUps_) PostKey(WM_KEYUP, vk);
  pendingKeyUps_.clear();
  while (nextCommand_ < options_.script.size() && options_.script[nextCommand_].frame <= frame)
    Issue(options_.script[nextCommand_++]);
}

void HeadlessBackend::Issue(const ScriptCommand& c) {
  using Kind = ScriptCommand::Kind;
  switch (c.kind) {
    case Kind::Key:
      PostKey(WM_KEYDOWN, c.a);
      pendingKeyUps_.push_back(c.a);
      break;
    case Kind::KeyDown: PostKey(WM_KEYDOWN, c.a); break;
    case Kind::KeyUp: PostKey(WM_KEYUP, c.a); break;
    case Kind::SysKeyDown: PostKey(WM_SYSKEYDOWN, c.a); break;
    case Kind::SysKeyUp: PostKey(WM_SYSKEYUP, c.a); break;
    case Kind::Move: {
      mouseX_ = c.a;
      mouseY_ = c.b;
      const POINT origin = ClientOrigin();
      cursor_ = POINT{origin.x + c.a, origin.y + c.b};
      PostMouse(WM_MOUSEMOVE);
      break;
    }
    case Kind::LDown: buttons_ |= kMkLButton; PostMouse(WM_LBUTTONDOWN); break;
    case Kind::LUp: buttons_ &= ~kMkLButton; PostMouse(WM_LBUTTONUP); break;
    case Kind::LDbl: buttons_ |= kMkLButton; PostMouse(WM_LBUTTONDBLCLK); break;
    case Kind::RDown: buttons_ |= kMkRButton; PostMouse(WM_RBUTTONDOWN); break;
    case Kind::RUp: buttons_ &= ~kMkRButton; PostMouse(WM_RBUTTONUP); break;
    case Kind::RDbl: buttons_ |= kMkRButton; PostMouse(WM_RBUTTONDBLCLK); break;
    case Kind::Activate: PostMessage(window_, WM_ACTIVATEAPP, WPARAM(c.a), 0); break;
    case Kind::Answer:
      if (c.frame > 1) answers_.push_back(c.a);  // frame 1's are queued at start
      break;
    case Kind::Capture: nextCaptures_.push_back(c.file); break;  // for the coming step
    case Kind::Close: PostMessage(window_, WM_CLOSE, 0, 0); break;
    case Kind::Joy: SetJoystick(c.a, c.joystick); break;
    case Kind::JoyOff: SetJoystick(c.a, JoystickState{}); break;
  }
}

void HeadlessBackend::PostKey(UINT message, int vk) {
  const bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
  const bool wasDown = GetKeyState(vk) < 0;
  LPARAM lParam = 1;
  if (up || wasDown) lParam |= LPARAM(1) << 30;
  if (up) lParam |= LPARAM(1) << 31;
  if (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP) lParam |= LPARAM(1) << 29;
  PostMessage(window_, message, WPARAM(vk), lParam);
}

void HeadlessBackend::PostMouse(UINT message) {
  PostMessage(window_, message, buttons_, MAKELPARAM(WORD(mouseX_), WORD(mouseY_)));
}

// ---------------------------------------------------------------- boxes
void HeadlessBackend::QueueAnswer(int answer) { answers_.push_back(answer); }

int HeadlessBackend::MessageBox(HWND, const char* text, const char* caption, UINT type) {
  MessageBoxRecord r{caption ? caption : "", text ? text : "", type, 0, false};
  const bool yesNo = (type & MB_TYPEMASK) == MB_YESNO;
  // A notice takes only a queued "ok"; a yes or no waits for a question.
  if (answers_.empty() || (!yesNo && answers_.front() != IDOK)) {
    r.defaulted = true;
    r.answer = yesNo ? IDNO : IDOK;
  } else {
    const int queued = answers_.front();
    answers_.erase(answers_.begin());
    // "ok" on a question counts as yes.
    r.answer = yesNo ? (queued == IDNO ? IDNO : IDYES) : IDOK;
  }
  if (boxHook_) boxHook_(r);
  std::fprintf(stderr, "[messagebox] %s: %s -> %s%s\n", OneLine(r.caption).c_str(),
               OneLine(r.text).c_str(), AnswerName(r.answer),
               r.defaulted ? " (no answer queued)" : "");
  boxes_.push_back(r);
  return r.answer;
}

// ---------------------------------------------------------------- cursor
int HeadlessBackend::ShowCursor(bool show) {
  cursorCounter_ += show ? 1 : -1;
  return cursorCounter_;
}

BOOL HeadlessBackend::SetCursorPos(int x, int y) {
  cursor_ = POINT{x, y};
  return TRUE;
}

BOOL HeadlessBackend::ClipCursor(const RECT* rect) {
  clipped_ = rect != nullptr;
  clipRect_ = rect ? *rect : RECT{};
  return TRUE;
}

// ---------------------------------------------------------------- frames
void HeadlessBackend::PresentFrame(Surface& back, const RECT& source) {
  ++presents_;
  // Each present of the step rewrites the file, so it holds the last one.
  for (const std::string& file : captures_)
    if (!WriteSurfaceBmp(back, source, file))
      std::fprintf(stderr, "capture %s: the file could not be written\n", file.c_str());
  capturedThisStep_ = true;
}

void HeadlessBackend::FinishCaptureCheck() {
  if (captures_.empty() || capturedThisStep_) {
    captures_.clear();
    return;
  }
  for (const std::string& file : captures_)
    std::fprintf(stderr, "capture %s: nothing was presented in frame %d\n", file.c_str(),
                 captureFrame_);
  captures_.clear();
}

// ---------------------------------------------------------------- joysticks
void HeadlessBackend::SetJoystick(int id, const JoystickState& state) {
  if (id == 0 || id == 1) joysticks_[id] = state;
}

bool HeadlessBackend::ReadJoystick(int id, JoystickState* state) {
  if ((id != 0 && id != 1) || !joysticks_[id].present || !state) return false;
  *state = joysticks_[id];
  return true;
}

}  // namespace platform
