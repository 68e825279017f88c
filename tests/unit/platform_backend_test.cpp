// platform_backend_test.cpp - a backend double that overrides only two
// slots runs the library on the defaults of all others.
#include <gtest/gtest.h>

#include <memory>

#include "platform/backend.h"
#include "system/system.h"

namespace {

// Its own clock and a user who answers every box "yes".
class ClockAndAnswers final : public platform::Backend {
 public:
  DWORD now = 5000;
  DWORD Milliseconds() override { return now; }
  int MessageBox(HWND, const char*, const char*, UINT) override { return IDYES; }
};

TEST(BackendDouble, TwoSlotsDriveWaitsAndQuestions) {
  auto owned = std::make_unique<ClockAndAnswers>();
  ClockAndAnswers& b = *owned;
  platform::SetBackend(std::move(owned));
  ruSystem::InitState();
  ruSystem::Reset();
  ruSystem::SetWait(2, 40);
  EXPECT_EQ(ruSystem::CheckWait(2), 0);
  b.now += 40;
  EXPECT_EQ(ruSystem::CheckWait(2), 1);
  b.now += 7;
  EXPECT_EQ(ruSystem::Question("?"), 1);
  EXPECT_EQ(ruSystem::LastFrameTick, 5047u);  // a box resets the frame time on this clock
  platform::SetBackend(nullptr);
}

}  // namespace
