// system_waits_messages_test.cpp - numbered waits and Sleep on the fake
// clock, the notice/question boxes, the error report and the debug log.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/os/clock.h"
#include "system/system.h"
#include "tests/support/headless_run.h"

namespace {
platform::HeadlessBackend& Fresh() { return headless_run::FreshSystem(); }
}  // namespace

TEST(Waits, NumberedWaitsElapseOnTheClock) {
  Fresh();
  ruSystem::Reset();
  EXPECT_EQ(ruSystem::SetWait(3, 0), 1);
  EXPECT_EQ(ruSystem::CheckWait(3), 1);
  ruSystem::SetWait(1, 500);
  headless_run::AdvanceClock(499);
  EXPECT_EQ(ruSystem::CheckWait(1), 0);
  headless_run::AdvanceClock(1);
  EXPECT_EQ(ruSystem::CheckWait(1), 1);
  headless_run::AdvanceClock(100000);
  EXPECT_EQ(ruSystem::CheckWait(1), 1);
  ruSystem::InitWait(1);
  EXPECT_EQ(ruSystem::CheckWait(1), 0);
  headless_run::SetClock(999999999);
  EXPECT_EQ(ruSystem::CheckWait(1), 1);
}

TEST(Waits, OutOfRangeNumbersAreReportedOrCountAsElapsed) {
  auto& b = Fresh();
  ruSystem::Reset();
  EXPECT_EQ(ruSystem::SetWait(0, 100), 0);
  EXPECT_EQ(ruSystem::InitWait(11), 0);
  ASSERT_EQ(b.MessageBoxes().size(), 2u);
  EXPECT_EQ(b.MessageBoxes()[0].text, "ruSystem::SetWait : ウェイトNoが範囲外です");
  EXPECT_EQ(b.MessageBoxes()[1].text, "ruSystem::InitWait : ウェイトNoが範囲外です");
  EXPECT_EQ(ruSystem::WaitDeadline[11], DWORD(999999999));  // unchanged by InitWait(11)
  EXPECT_EQ(ruSystem::CheckWait(-5), 1);
  EXPECT_EQ(ruSystem::CheckWait(12), 1);
  EXPECT_EQ(ruSystem::CheckWait(1 << 30), 1);
}

TEST(Waits, SleepAdvancesPastTheDeadlineAndResetsFrameTime) {
  Fresh();
  const DWORD start = platform::TimeGetTime();
  ruSystem::FrameTime = 1.0f;
  ruSystem::Sleep(0);
  EXPECT_GT(platform::TimeGetTime(), start);
  ruSystem::Sleep(250);
  EXPECT_GT(platform::TimeGetTime(), start + 250);
  EXPECT_EQ(ruSystem::FrameTime, 0.0f);
  EXPECT_EQ(ruSystem::LastFrameTick, platform::TimeGetTime());
}

// A deadline the clock cannot pass without wrapping is reached at once
// (Sleep(-1) included); just below it the sleep lasts its time.
TEST(Waits, SleepDeadlinesThatWrapReturnAtOnce) {
  Fresh();
  const struct {
    DWORD start, ms, end;
  } cases[] = {{1000, 0xFFFFFFFFu, 1000},
               {0xFFFFFF00u, 0x100, 0xFFFFFF00u},
               {0xFFFFFEFFu, 0x100, 0xFFFFFEFFu},
               {0, 0xFFFFFFFFu, 0},
               {0xFFFFFEFEu, 0x100, 0xFFFFFFFFu}};
  for (const auto& c : cases) {
    headless_run::SetClock(c.start);
    ruSystem::Sleep(c.ms);
    EXPECT_EQ(platform::TimeGetTime(), c.end) << c.start << " + " << c.ms;
  }
}

TEST(Waits, FrameTimeMeasuresSinceTheLastReset) {
  Fresh();
  headless_run::AdvanceClock(5000);
  ruSystem::ResetFrameTime();
  headless_run::AdvanceClock(25);
  ruSystem::MeasureFrameTime();
  EXPECT_FLOAT_EQ(ruSystem::FrameTime, 0.025f);
}

TEST(Boxes, QuestionAnswersAndBoxState) {
  auto& b = Fresh();
  b.QueueAnswer(IDYES);
  EXPECT_EQ(ruSystem::Question("終了しますか？"), 1);
  b.QueueAnswer(IDNO);
  EXPECT_EQ(ruSystem::Question("終了しますか？"), 0);
  EXPECT_EQ(ruSystem::Question("%d", 5), 0);  // nothing queued: no
  EXPECT_TRUE(b.MessageBoxes()[2].defaulted);
  EXPECT_EQ(b.MessageBoxes()[2].text, "5\r\n");
  EXPECT_EQ(ruSystem::InMessageBox, 0);
}

TEST(Boxes, NoticeShowsTheHiddenCursorAndResetsFrameTime) {
  auto& b = Fresh();
  b.ShowCursor(false);
  ruSystem::CursorShown = 0;
  ruSystem::FrameTime = 2.0f;
  ruSystem::Message("x");
  EXPECT_EQ(ruSystem::CursorShown, 1);
  EXPECT_EQ(b.CursorCounter(), 0);
  EXPECT_EQ(ruSystem::FrameTime, 0.0f);
  EXPECT_EQ(b.MessageBoxes()[0].caption, "メッセージ");
  EXPECT_EQ(b.MessageBoxes()[0].type, UINT(0x1030));
  EXPECT_EQ(b.MessageBoxes()[0].answer, IDOK);
}

TEST(Boxes, LongTextIsCutWithinTheBufferAtACharacterBoundary) {
  auto& b = Fresh();
  std::string longText(253, 'a');
  longText += "ピクノ";
  ruSystem::Message("%s", longText.c_str());
  const std::string& shown = b.MessageBoxes()[0].text;
  EXPECT_LE(shown.size(), 255u);
  EXPECT_EQ(shown, std::string(253, 'a') + "\r\n");

  ruSystem::Error(std::string(300, 't').c_str(), "m", 0);
  EXPECT_EQ(b.MessageBoxes()[1].text, std::string(255, 't'));
}

TEST(Boxes, ErrorReportBeepsShowsOneLineAndSetsTheFlag) {
  auto& b = Fresh();
  EXPECT_EQ(ruSystem::IsError(), 0);
  ruSystem::CursorShown = 0;
  EXPECT_EQ(ruSystem::Error("ruDraw::Screen", "DirectDrawが使用できません", 5), 0);
  EXPECT_EQ(ruSystem::IsError(), 1);
  EXPECT_EQ(b.BeepCount(), 1);
  ASSERT_EQ(b.MessageBoxes().size(), 1u);
  EXPECT_EQ(b.MessageBoxes()[0].caption, "エラー発生");
  EXPECT_EQ(b.MessageBoxes()[0].text, "ruDraw::Screen : DirectDrawが使用できません");
  EXPECT_EQ(b.MessageBoxes()[0].type, UINT(0x1030));
  EXPECT_EQ(ruSystem::CursorShown, 0);  // the error report leaves the cursor alone
}

TEST(Log, WriteLogAppendsOneLinePerCall) {
  const std::string dir = headless_run::ScratchDir("log");
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  std::ofstream("DEBUG.TXT") << "old\n";
  EXPECT_EQ(ruSystem::WriteLog("a=%d", 1), 0);
  EXPECT_EQ(ruSystem::WriteLog("b"), 0);
  std::stringstream text;
  text << std::ifstream("DEBUG.TXT").rdbuf();
  std::filesystem::current_path(previous);
  EXPECT_EQ(text.str(), "old\na=1\nb\n");
}
