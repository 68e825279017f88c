// frame_loop_test.cpp - WinMain and the frame loop run in-process through
// the headless backend: frame-step order, scenes, blink, per-frame latches,
// cursor visibility, Esc, and both shutdown orders.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "draw/draw.h"
#include "input/input.h"
#include "platform/os/clock.h"
#include "platform/os/instance.h"
#include "platform/os/messages.h"
#include "system/system.h"
#include "tests/support/headless_run.h"

using headless_run::RunWinMain;
using platform::HeadlessOptions;
using platform::ScriptCommand;

namespace {
HeadlessOptions Frames(int maxFrames, DWORD frameMs = 16) {
  HeadlessOptions o;
  o.maxFrames = maxFrames;
  o.frameMs = frameMs;
  return o;
}

ScriptCommand At(int frame, ScriptCommand::Kind kind, int a = 0, int b = 0) {
  ScriptCommand c;
  c.frame = frame;
  c.kind = kind;
  c.a = a;
  c.b = b;
  return c;
}

testing_hooks::Hooks SceneOne(std::function<void()> play) {
  testing_hooks::Hooks h;
  h.gameInit = [] { ruSystem::SceneNo = 1; };
  h.playScene = std::move(play);
  return h;
}
}  // namespace

TEST(FrameLoop, WindowIsCentredShownNotTopmostWithImeOff) {
  int inits = 0;
  testing_hooks::Hooks h;
  h.gameInit = [&] { ++inits; };
  EXPECT_EQ(RunWinMain(h, Frames(1)), 0);
  auto* b = platform::GetHeadlessBackend();
  const platform::WindowSpec& request = b->LastWindowSpec();
  EXPECT_EQ(request.width, 640 + 1 + 2 + 3);
  EXPECT_EQ(request.height, 480 + 19 + 2 + 1 + 3);
  EXPECT_EQ(request.x, (1024 - request.width) / 2);
  EXPECT_EQ(request.y, (768 - request.height) / 2);
  EXPECT_EQ(request.style, DWORD(0x00CA0000));
  EXPECT_FALSE(b->Topmost());
  EXPECT_FALSE(b->ImeEnabled());
  EXPECT_EQ(ruSystem::ModeFlags, 3);
  EXPECT_EQ(inits, 1);
  EXPECT_EQ(b->MainWindow(), nullptr);  // destroyed at the end
  EXPECT_EQ(ruSystem::ExitState, 2);
}

TEST(FrameLoop, FailedWindowCreationReturnsZeroWithoutGameInit) {
  auto& b = headless_run::Fresh();
  b.FailWindowCreation();
  int inits = 0;
  testing_hooks::Hooks h;
  h.gameInit = [&] { ++inits; };
  testing_hooks::Set(h);
  EXPECT_EQ(WinMain(nullptr, nullptr, "", SW_SHOWNORMAL), 0);
  testing_hooks::Clear();
  EXPECT_EQ(inits, 0);
}

TEST(FrameLoop, SceneStartAndSceneChange) {
  std::vector<int> playStarts, resultStarts;
  testing_hooks::Hooks h = SceneOne([&] {
    playStarts.push_back(ruSystem::SceneStart);
    if (playStarts.size() == 3) ruSystem::SceneNo = 2;
  });
  h.resultScene = [&] { resultStarts.push_back(ruSystem::SceneStart); };
  RunWinMain(h, Frames(6));
  EXPECT_EQ(playStarts, (std::vector<int>{1, 0, 0}));
  EXPECT_EQ(resultStarts, (std::vector<int>{1, 0, 0}));
}

TEST(FrameLoop, UnknownSceneRunsNothingAndChangeCancelsWipe) {
  int played = 0;
  testing_hooks::Hooks h;
  h.gameInit = [] { ruSystem::SceneNo = 7; };
  h.playScene = [&] { ++played; };
  h.resultScene = [&] { ++played; };
  RunWinMain(h, Frames(3));
  EXPECT_EQ(played, 0);

  h.gameInit = [] { ruSystem::SceneNo = 1; };
  h.playScene = [] {
    ruSystem::WipeState = 1;
    ruSystem::SavedClipWindow = RECT{1, 2, 3, 4};
    ruSystem::SceneNo = 2;
  };
  h.resultScene = {};
  RunWinMain(h, Frames(1));
  EXPECT_EQ(ruSystem::WipeState, 0);
  EXPECT_EQ(ruDraw::ClipWindow.right, 3);
}

TEST(FrameLoop, FrameTimeFollowsTheFakeClock) {
  std::vector<float> times;
  RunWinMain(SceneOne([&] { times.push_back(ruSystem::FrameTime); }), Frames(3, 40));
  ASSERT_EQ(times.size(), 3u);
  for (float t : times) EXPECT_FLOAT_EQ(t, 0.040f);
}

TEST(FrameLoop, BlinkIsOneForASecondThenZeroFor200ms) {
  std::vector<int> seen;
  RunWinMain(SceneOne([&] { seen.push_back(ruSystem::BlinkFlag); }), Frames(24, 100));
  // The clock reads 1000 + 100 k during frame k; toggles happen at the end
  // of frames 10 (2000 ms), 12 (2200 ms) and 22 (3200 ms).
  std::vector<int> expected;
  for (int k = 1; k <= 24; ++k) expected.push_back((k == 11 || k == 12 || k >= 23) ? 0 : 1);
  EXPECT_EQ(seen, expected);
}

TEST(FrameLoop, ClickLatchesLastOneFrameButtonsStayHeld) {
  std::vector<int> clicks, held, doubles;
  HeadlessOptions o = Frames(5);
  o.script = {At(2, ScriptCommand::Kind::Move, 10, 20), At(2, ScriptCommand::Kind::LDown),
              At(3, ScriptCommand::Kind::LUp), At(3, ScriptCommand::Kind::LDbl)};
  RunWinMain(SceneOne([&] {
               clicks.push_back(ruSystem::LeftClick);
               held.push_back(ruSystem::LeftButton);
               doubles.push_back(ruSystem::LeftDoubleClick);
             }),
             o);
  EXPECT_EQ(clicks, (std::vector<int>{0, 1, 0, 0, 0}));
  EXPECT_EQ(held, (std::vector<int>{0, 1, 0, 0, 0}));  // the double click sets no button
  EXPECT_EQ(doubles, (std::vector<int>{0, 0, 1, 0, 0}));
  EXPECT_EQ(ruSystem::MouseX, 10);
  EXPECT_EQ(ruSystem::MouseY, 20);
}

TEST(FrameLoop, MouseMovementIsPerFrame) {
  std::vector<int> dx;
  HeadlessOptions o = Frames(4);
  o.script = {At(2, ScriptCommand::Kind::Move, 30, 5), At(3, ScriptCommand::Kind::Move, 25, 5)};
  RunWinMain(SceneOne([&] { dx.push_back(ruSystem::MouseMoveX); }), o);
  EXPECT_EQ(dx, (std::vector<int>{0, 30, -5, 0}));
}

TEST(FrameLoop, CursorHiddenOverClientAreaShownOutsideEachOnce) {
  std::vector<int> counters;
  HeadlessOptions o = Frames(6);
  o.script = {At(2, ScriptCommand::Kind::Move, 100, 100), At(4, ScriptCommand::Kind::Move, 639, 479),
              At(5, ScriptCommand::Kind::Move, 640, 100)};
  RunWinMain(SceneOne([&] {
               counters.push_back(platform::GetHeadlessBackend()->CursorCounter());
             }),
             o);
  // Seen during frame k: the result of frame k-1's cursor step.
  EXPECT_EQ(counters, (std::vector<int>{0, 0, -1, -1, -1, 0}));
}

TEST(FrameLoop, EscAnsweredNoRunsOnAnsweredYesEndsInOrder) {
  int played = 0;
  HeadlessOptions o = Frames(10);
  o.script = {At(1, ScriptCommand::Kind::Answer, IDNO), At(2, ScriptCommand::Kind::Key, VK_ESCAPE)};
  RunWinMain(SceneOne([&] { ++played; }), o);
  EXPECT_EQ(played, 10);
  const auto& boxes = platform::GetHeadlessBackend()->MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "終了しますか？\r\n");
  EXPECT_EQ(boxes[0].caption, "メッセージ");
  EXPECT_EQ(boxes[0].type, UINT(0x24));

  played = 0;
  o.script[0].a = IDYES;
  RunWinMain(SceneOne([&] { ++played; }), o);
  EXPECT_EQ(played, 1);  // no frame step after the answer
  EXPECT_EQ(ruSystem::ExitState, 2);
  EXPECT_EQ(platform::GetHeadlessBackend()->MainWindow(), nullptr);
}

TEST(FrameLoop, EscWhileInputLockedAsksNothing) {
  HeadlessOptions o = Frames(3);
  o.script = {At(2, ScriptCommand::Kind::KeyDown, VK_ESCAPE)};
  RunWinMain(SceneOne([] { ruSystem::LockInput(); }), o);
  EXPECT_TRUE(platform::GetHeadlessBackend()->MessageBoxes().empty());
  EXPECT_EQ(ruSystem::LockedKey, VK_ESCAPE);
  EXPECT_EQ(ruSystem::KeyHeld, 0);
}

TEST(FrameLoop, ExitTwiceDoesItsWorkOnceAndNoFrameFollows) {
  int played = 0;
  int pendingAfter = -1;
  RunWinMain(SceneOne([&] {
               if (++played != 2) return;
               EXPECT_EQ(ruSystem::Exit(), 1);
               EXPECT_EQ(ruSystem::Exit(), 1);
               pendingAfter = platform::PendingMessageCount();
             }),
             Frames(10));
  EXPECT_EQ(pendingAfter, 1);  // one WM_CLOSE
  EXPECT_EQ(played, 2);
}

TEST(FrameLoop, WindowFirstShutdown) {
  std::vector<int> states;
  HeadlessOptions o = Frames(10);
  o.script = {At(3, ScriptCommand::Kind::Close)};
  testing_hooks::Hooks h = SceneOne([&] { states.push_back(ruSystem::ExitState); });
  EXPECT_EQ(RunWinMain(h, o), 0);
  EXPECT_EQ(states.size(), 2u);
  EXPECT_EQ(ruSystem::ExitState, 2);
  EXPECT_EQ(ruSystem::ExitStarted, 1);
}

TEST(FrameLoop, AltF4ClosesOnlyWhenSystemKeysPassThrough) {
  HeadlessOptions o = Frames(6);
  o.script = {At(2, ScriptCommand::Kind::SysKeyDown, VK_F1 + 3)};
  int played = 0;
  RunWinMain(SceneOne([&] { ++played; }), o);
  EXPECT_EQ(played, 6);  // SysKeyMode 0 swallows it

  played = 0;
  testing_hooks::Hooks h = SceneOne([&] { ++played; });
  h.gameInit = [] {
    ruSystem::SceneNo = 1;
    ruSystem::SetSysKeyMode(1);
  };
  RunWinMain(h, o);
  EXPECT_EQ(played, 1);
}

TEST(FrameLoop, InactiveWithoutBackgroundRunCountsIdleFramesAndEnds) {
  int played = 0;
  HeadlessOptions o = Frames(10);
  o.script = {At(3, ScriptCommand::Kind::Activate, 0)};
  testing_hooks::Hooks h = SceneOne([&] { ++played; });
  h.gameInit = [] {
    ruSystem::SceneNo = 1;
    ruSystem::ModeFlags = 1;
  };
  RunWinMain(h, o);
  EXPECT_EQ(played, 2);
  EXPECT_EQ(platform::GetHeadlessBackend()->FramesDone(), 10);
}

TEST(FrameLoop, SecondInstanceIsRefusedAndRaisesTheFirst) {
  int refused = -1;
  int played = 0;
  RunWinMain(SceneOne([&] {
               if (++played == 1) refused = ruSystem::CheckInstance("ピクノ");
             }),
             Frames(3));
  EXPECT_EQ(refused, 0);
  EXPECT_EQ(platform::GetHeadlessBackend()->RaiseCount(), 1);
}

TEST(FrameLoop, RunsAreRepeatable) {
  int first = 0, second = 0;
  RunWinMain(SceneOne([&] { first = std::rand(); }), Frames(1));
  RunWinMain(SceneOne([&] { second = std::rand(); }), Frames(1));
  EXPECT_EQ(first, second);
}

TEST(FrameLoop, CaptureWithoutPresentSaysSo) {
  HeadlessOptions o = Frames(3);
  ScriptCommand c = At(2, ScriptCommand::Kind::Capture);
  c.file = "never.bmp";
  o.script = {c};
  const std::string err = headless_run::CaptureStderr([&] { RunWinMain(SceneOne([] {}), o); });
  EXPECT_NE(err.find("capture never.bmp: nothing was presented in frame 2"), std::string::npos)
      << err;
}

TEST(FrameLoop, WaitsRunOnTheFakeClockBeforeAndAfterReset) {
  std::vector<int> seen;
  testing_hooks::Hooks h = SceneOne([&] { seen.push_back(ruSystem::CheckWait(1)); });
  h.gameInit = [&] {
    EXPECT_EQ(ruSystem::CheckWait(1), 1);  // deadlines 0 before screen set-up
    ruSystem::Reset();
    EXPECT_EQ(ruSystem::CheckWait(1), 0);
    ruSystem::SetWait(1, 250);
    ruSystem::SceneNo = 1;
  };
  RunWinMain(h, Frames(4, 100));
  EXPECT_EQ(seen, (std::vector<int>{0, 0, 1, 1}));
}

TEST(FrameLoop, BackendFromTheEnvironmentSettlesTheClockBeforeStartValues) {
  headless_run::Fresh();
  platform::SetBackend(nullptr);  // WinMain must create it from RU_*
  ::setenv("RU_MAX_FRAMES", "2", 1);
  ::setenv("RU_BACKEND", "headless", 1);
  DWORD blinkTick = 0, lastTick = 0;
  testing_hooks::Hooks h;
  h.gameInit = [&] {
    blinkTick = ruSystem::BlinkTick;
    lastTick = ruSystem::LastFrameTick;
  };
  testing_hooks::Set(h);
  EXPECT_EQ(WinMain(nullptr, nullptr, "", SW_SHOWNORMAL), 0);
  testing_hooks::Clear();
  ::unsetenv("RU_MAX_FRAMES");
  EXPECT_EQ(lastTick, DWORD(1000));
  EXPECT_EQ(blinkTick, DWORD(2000));
  EXPECT_EQ(platform::GetHeadlessBackend()->FramesDone(), 2);
}

TEST(FrameLoop, FrameOneAnswersReachBoxesOfStartUp) {
  HeadlessOptions o = Frames(2);
  o.script = {At(1, ScriptCommand::Kind::Answer, IDYES), At(2, ScriptCommand::Kind::Answer, IDYES)};
  int startAnswer = -1, laterAnswer = -1;
  testing_hooks::Hooks h = SceneOne([&] {
    if (laterAnswer < 0) laterAnswer = ruSystem::Question("later");  // frame 1: nothing queued
  });
  h.gameInit = [&] {
    ruSystem::SceneNo = 1;
    startAnswer = ruSystem::Question("start");
  };
  RunWinMain(h, o);
  EXPECT_EQ(startAnswer, 1);
  EXPECT_EQ(laterAnswer, 0);
}

TEST(FrameLoop, FrameLimitEndsBeforeTheNextFramesCommands) {
  // The Esc of frame 3 belongs to a frame step that never runs: no question.
  HeadlessOptions o = Frames(2);
  o.script = {At(3, ScriptCommand::Kind::Key, VK_ESCAPE)};
  int played = 0;
  EXPECT_EQ(RunWinMain(SceneOne([&] { ++played; }), o), 0);
  EXPECT_EQ(played, 2);
  EXPECT_TRUE(platform::GetHeadlessBackend()->MessageBoxes().empty());

  // A limit of 0 closes after start-up, before the first frame step.
  played = 0;
  int inits = 0;
  testing_hooks::Hooks h = SceneOne([&] { ++played; });
  h.gameInit = [&] { ++inits; ruSystem::SceneNo = 1; };
  EXPECT_EQ(RunWinMain(h, Frames(0)), 0);
  EXPECT_EQ(inits, 1);
  EXPECT_EQ(played, 0);
  EXPECT_EQ(ruSystem::ExitState, 2);
}

TEST(FrameLoop, ShowingTheWindowActivatesBeforeGameInit) {
  int activeAtInit = -1;
  testing_hooks::Hooks h;
  h.gameInit = [&] { activeAtInit = ruSystem::AppActive; };
  RunWinMain(h, Frames(1));
  EXPECT_EQ(activeAtInit, 1);
}

TEST(FrameLoop, CapturesOfFramesThatNeverRanAreReported) {
  HeadlessOptions o = Frames(2);
  ScriptCommand c = At(5, ScriptCommand::Kind::Capture);
  c.file = "late.bmp";
  o.script = {c};
  const std::string err = headless_run::CaptureStderr([&] {
    RunWinMain(SceneOne([] {}), o);
    headless_run::Fresh();  // the finished run's backend goes away
  });
  EXPECT_NE(err.find("capture late.bmp: nothing was presented in frame 5"), std::string::npos)
      << err;
}
