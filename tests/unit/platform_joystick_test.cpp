// platform_joystick_test.cpp - joystick reading below the library: the
// record joyGetPosEx fills, scripted headless joysticks over frames, and
// SDL joysticks (virtual devices) with their mapping and plugging.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>
#include <vector>

#include "platform/os/joystick.h"
#include "platform/sdl/sdl_joystick.h"
#include "tests/support/headless_run.h"

namespace {

using platform::JOYINFOEX;
using platform::JoystickState;

JOYINFOEX Blank(DWORD flags) {
  JOYINFOEX info;
  std::memset(&info, 0xAB, sizeof info);
  info.dwSize = sizeof info;
  info.dwFlags = flags;
  return info;
}

TEST(JoyGetPosEx, FillsWhatTheFlagsAskForAndRefusesBadCalls) {
  platform::HeadlessBackend& backend = headless_run::Fresh();
  backend.SetJoystick(1, JoystickState{true, 10, 20, 0x5});

  JOYINFOEX info = Blank(platform::JOY_RETURNX | platform::JOY_RETURNBUTTONS);
  ASSERT_EQ(platform::JoyGetPosEx(1, &info), platform::JOYERR_NOERROR);
  EXPECT_EQ(info.dwXpos, 10u);
  EXPECT_EQ(info.dwYpos, 0xABABABABu);  // not asked for
  EXPECT_EQ(info.dwButtons, 0x5u);
  EXPECT_EQ(info.dwButtonNumber, 2u);

  info = Blank(platform::JOY_RETURNALL);
  ASSERT_EQ(platform::JoyGetPosEx(1, &info), platform::JOYERR_NOERROR);
  EXPECT_EQ(info.dwYpos, 20u);
  EXPECT_EQ(info.dwZpos, 32767u);
  EXPECT_EQ(info.dwPOV, platform::JOY_POVCENTERED);

  const JOYINFOEX untouched = Blank(platform::JOY_RETURNALL);
  info = untouched;
  EXPECT_EQ(platform::JoyGetPosEx(0, &info), platform::JOYERR_UNPLUGGED);
  EXPECT_EQ(platform::JoyGetPosEx(2, &info), platform::JOYERR_PARMS);
  EXPECT_EQ(platform::JoyGetPosEx(0xFFFFFFFFu, &info), platform::JOYERR_PARMS);
  EXPECT_EQ(platform::JoyGetPosEx(1, nullptr), platform::JOYERR_PARMS);
  EXPECT_EQ(std::memcmp(&info, &untouched, sizeof info), 0);
  info.dwSize = 40;
  EXPECT_EQ(platform::JoyGetPosEx(1, &info), platform::JOYERR_PARMS);
}

// Frame 1's joystick is there from the start (screen set-up calibrates it);
// later lines take effect just before their frame step.
TEST(HeadlessJoysticks, ScriptPlugsInMovesAndUnplugs) {
  platform::HeadlessOptions options;
  std::string error;
  ASSERT_TRUE(platform::ParseScript("1 joy 0 100 200\n3 joy 0 300 400 0x3\n4 joyoff 0\n",
                                    &options.script, &error));
  platform::HeadlessBackend& backend = headless_run::Fresh(options);
  JoystickState s;
  ASSERT_TRUE(backend.ReadJoystick(0, &s));
  EXPECT_EQ(s.x, 100u);
  EXPECT_FALSE(backend.ReadJoystick(1, &s));  // never mentioned: absent
  const struct {
    bool present;
    DWORD x, buttons;
  } frames[] = {{true, 100, 0}, {true, 100, 0}, {true, 300, 3}, {false, 0, 0}};
  for (const auto& f : frames) {
    backend.OnFrameStep();
    const bool present = backend.ReadJoystick(0, &s);
    EXPECT_EQ(present, f.present) << backend.FramesDone();
    if (present) {
      EXPECT_EQ(s.x, f.x);
      EXPECT_EQ(s.buttons, f.buttons);
    }
  }
}

class SdlJoysticks : public testing::Test {
 protected:
  void SetUp() override {
    if (!joysticks.Open()) GTEST_SKIP() << "no SDL joystick service";
  }
  void TearDown() override { joysticks.Close(); }
  // A virtual pad with two axes and four buttons; its handle for setting.
  SDL_Joystick* Attach() {
    const int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 4, 0);
    EXPECT_GE(device, 0) << SDL_GetError();
    Pump();
    SDL_Joystick* handle = SDL_JoystickOpen(device);
    pads.push_back(handle);
    return handle;
  }
  void Detach(SDL_Joystick* pad) {
    const int device = DeviceOf(pad);
    SDL_JoystickClose(pad);
    SDL_JoystickDetachVirtual(device);
    Pump();
  }
  static int DeviceOf(SDL_Joystick* pad) {
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
      if (SDL_JoystickGetDeviceInstanceID(i) == SDL_JoystickInstanceID(pad)) return i;
    return -1;
  }
  void Pump() {
    SDL_JoystickUpdate();
    SDL_Event e;
    while (SDL_PollEvent(&e)) joysticks.HandleEvent(e);
  }
  JoystickState Read(int id) {
    JoystickState s;
    s.present = joysticks.Read(id, &s);
    return s;
  }

  platform::sdl::Joysticks joysticks;
  std::vector<SDL_Joystick*> pads;
};

TEST_F(SdlJoysticks, AxesMapToPositionsAndButtonsToBits) {
  SDL_Joystick* pad = Attach();
  Pump();
  EXPECT_EQ(Read(0).x, 32768u);  // at rest
  const struct {
    Sint16 axis;
    DWORD position;
  } cases[] = {{-32768, 0}, {-1, 32767}, {0, 32768}, {32767, 65535}};
  for (const auto& c : cases) {
    SDL_JoystickSetVirtualAxis(pad, 0, c.axis);
    SDL_JoystickSetVirtualAxis(pad, 1, Sint16(-c.axis - 1));
    SDL_JoystickSetVirtualButton(pad, 0, 1);
    SDL_JoystickSetVirtualButton(pad, 3, 1);
    Pump();
    const JoystickState s = Read(0);
    ASSERT_TRUE(s.present);
    EXPECT_EQ(s.x, c.position);
    EXPECT_EQ(s.y, 65535u - c.position);
    EXPECT_EQ(s.buttons, 0x9u);
  }
  Detach(pad);
}

TEST_F(SdlJoysticks, IdsFollowConnectionOrderAndUnpluggingFreesOne) {
  SDL_Joystick* first = Attach();
  SDL_Joystick* second = Attach();
  SDL_JoystickSetVirtualAxis(second, 0, 32767);
  Pump();
  EXPECT_TRUE(Read(0).present);
  EXPECT_EQ(Read(1).x, 65535u);
  EXPECT_FALSE(Read(2).present);
  Detach(first);
  EXPECT_FALSE(Read(0).present);
  EXPECT_EQ(Read(1).x, 65535u);  // the other keeps its id
  SDL_Joystick* third = Attach();
  Pump();
  EXPECT_TRUE(Read(0).present);  // the lowest free id
  SDL_Joystick* fourth = Attach();  // both ids taken: not opened
  Pump();
  EXPECT_EQ(Read(1).x, 65535u);
  Detach(fourth);
  Detach(third);
  Detach(second);
  EXPECT_FALSE(Read(0).present);
  EXPECT_FALSE(Read(1).present);
}

}  // namespace
