// platform_joystick_test.cpp - joystick reading below the library: the
// record joyGetPosEx fills, scripted headless joysticks over frames, and
// SDL joysticks (virtual devices) with their mapping and plugging.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>

#include "platform/os/joystick.h"
#include "platform/sdl/sdl_joystick.h"
#include "tests/support/headless_run.h"

namespace {

using platform::JOYINFOEX;

TEST(JoyGetPosEx, FillsWhatTheFlagsAskForAndRefusesBadCalls) {
  headless_run::Fresh().SetJoystick(1, platform::JoystickState{true, 10, 20, 0x5});
  JOYINFOEX blank;
  std::memset(&blank, 0xAB, sizeof blank);
  blank.dwSize = sizeof blank;
  blank.dwFlags = platform::JOY_RETURNX | platform::JOY_RETURNBUTTONS;
  JOYINFOEX info = blank;
  ASSERT_EQ(platform::JoyGetPosEx(1, &info), platform::JOYERR_NOERROR);
  EXPECT_EQ(info.dwXpos, 10u);
  EXPECT_EQ(info.dwYpos, 0xABABABABu);  // not asked for
  EXPECT_EQ(info.dwButtons + info.dwButtonNumber, 0x5u + 2);
  info = blank;
  EXPECT_EQ(platform::JoyGetPosEx(0, &info), platform::JOYERR_UNPLUGGED);
  EXPECT_EQ(platform::JoyGetPosEx(2, &info), platform::JOYERR_PARMS);
  EXPECT_EQ(platform::JoyGetPosEx(1, nullptr), platform::JOYERR_PARMS);
  EXPECT_EQ(std::memcmp(&info, &blank, sizeof info), 0);
  info.dwSize = 40;
  EXPECT_EQ(platform::JoyGetPosEx(1, &info), platform::JOYERR_PARMS);
}

// Frame 1's joystick is there from the start (screen set-up calibrates it);
// later lines take effect just before their frame step.
TEST(HeadlessJoysticks, ScriptPlugsInMovesAndUnplugs) {
  platform::HeadlessOptions options;
  ASSERT_TRUE(platform::ParseScript("1 joy 0 100 200\n3 joy 0 300 400 0x3\n4 joyoff 0\n",
                                    &options.script, nullptr));
  platform::HeadlessBackend& backend = headless_run::Fresh(options);
  platform::JoystickState s;
  EXPECT_FALSE(backend.ReadJoystick(1, &s));  // never mentioned: absent
  std::string seen;
  for (int frame = 0; frame <= 4; ++frame) {
    if (frame > 0) backend.OnFrameStep();
    const bool present = backend.ReadJoystick(0, &s);
    seen += present ? std::to_string(s.x + s.buttons) + " " : "off";
  }
  EXPECT_EQ(seen, "100 100 100 303 off");
}

class SdlJoysticks : public testing::Test {
 protected:
  void SetUp() override {
    if (!joysticks.Open()) GTEST_SKIP() << "no SDL joystick service";
  }
  void TearDown() override { joysticks.Close(); }
  // Plugs in a virtual pad (two axes, four buttons); its handle for setting.
  SDL_Joystick* Attach() {
    const int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 4, 0);
    Pump();
    return SDL_JoystickOpen(device);
  }
  void Detach(SDL_Joystick* pad) {
    const SDL_JoystickID instance = SDL_JoystickInstanceID(pad);
    SDL_JoystickClose(pad);
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
      if (SDL_JoystickGetDeviceInstanceID(i) == instance) SDL_JoystickDetachVirtual(i);
    Pump();
  }
  void Pump() {
    SDL_JoystickUpdate();
    for (SDL_Event e; SDL_PollEvent(&e);) joysticks.HandleEvent(e);
  }
  // "x,y,buttons" of joystick id, or "-" when it does not answer.
  std::string Read(int id) {
    platform::JoystickState s;
    if (!joysticks.Read(id, &s)) return "-";
    return std::to_string(s.x) + "," + std::to_string(s.y) + "," + std::to_string(s.buttons);
  }

  platform::sdl::Joysticks joysticks;
};

TEST_F(SdlJoysticks, AxesMapToPositionsButtonsToBitsAndIdsFollowConnectionOrder) {
  SDL_Joystick* first = Attach();
  ASSERT_NE(first, nullptr) << SDL_GetError();
  EXPECT_EQ(Read(0), "32768,32768,0");  // at rest
  const struct {
    Sint16 axis;
    const char* read;
  } cases[] = {{-32768, "0,65535,9"}, {-1, "32767,32768,9"}, {32767, "65535,0,9"}};
  SDL_JoystickSetVirtualButton(first, 0, 1);
  SDL_JoystickSetVirtualButton(first, 3, 1);
  for (const auto& c : cases) {
    SDL_JoystickSetVirtualAxis(first, 0, c.axis);
    SDL_JoystickSetVirtualAxis(first, 1, Sint16(-c.axis - 1));
    Pump();
    EXPECT_EQ(Read(0), c.read);
  }
  // Unplugging frees an id, the other keeps its own, the next pad takes the
  // lowest free one, and a pad beyond two is left alone.
  SDL_Joystick* second = Attach();
  Detach(first);
  EXPECT_EQ(Read(0) + " " + Read(1), "- 32768,32768,0");
  SDL_Joystick* third = Attach();
  SDL_Joystick* fourth = Attach();
  SDL_JoystickSetVirtualAxis(fourth, 0, 32767);
  Pump();
  EXPECT_EQ(Read(0) + " " + Read(1) + " " + Read(2), "32768,32768,0 32768,32768,0 -");
  for (SDL_Joystick* pad : {fourth, third, second}) Detach(pad);
  EXPECT_EQ(Read(0) + Read(1), "--");
}

}  // namespace
