// platform_script_test.cpp - the headless script grammar: commands, keys,
// ordering, and bad lines reported with their numbers.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/headless/headless.h"

using platform::ParseScript;
using platform::ParseVirtualKey;
using platform::ScriptCommand;
using Kind = ScriptCommand::Kind;

TEST(Script, ParsesEveryCommandWithCommentsAndBlankLines) {
  const char* text =
      "# a run\n"
      "\n"
      "1 answer yes   # then Esc\n"
      "2 key ESCAPE\n"
      "2 move 10 -20\n"
      "3 ldown\n3 lup\n3 ldbl\n3 rdown\n3 rup\n3 rdbl\n"
      "4 keydown 0x41\n4 keyup 65\n4 syskeydown F4\n4 syskeyup menu\n"
      "5 activate 0\n5 capture out.bmp\n6 close\n";
  std::vector<ScriptCommand> out;
  std::string error;
  ASSERT_TRUE(ParseScript(text, &out, &error)) << error;
  ASSERT_EQ(out.size(), 16u);
  EXPECT_EQ(out[0].kind, Kind::Answer);
  EXPECT_EQ(out[0].a, IDYES);
  EXPECT_EQ(out[0].line, 3);
  EXPECT_EQ(out[1].a, VK_ESCAPE);
  EXPECT_EQ(out[2].kind, Kind::Move);
  EXPECT_EQ(out[2].b, -20);
  EXPECT_EQ(out[9].a, 0x41);
  EXPECT_EQ(out[10].a, 65);
  EXPECT_EQ(out[11].a, VK_F1 + 3);
  EXPECT_EQ(out[12].a, VK_MENU);
  EXPECT_EQ(out[13].kind, Kind::Activate);
  EXPECT_EQ(out[14].file, "out.bmp");
  EXPECT_EQ(out[15].kind, Kind::Close);
}

TEST(Script, OrdersByFrameKeepingFileOrderWithinAFrame) {
  std::vector<ScriptCommand> out;
  std::string error;
  ASSERT_TRUE(ParseScript("5 keydown A\n2 keydown B\n5 keydown C\n2 keydown D\n", &out, &error));
  std::string order;
  for (const auto& c : out) order += char(c.a);
  EXPECT_EQ(order, "BDAC");
}

TEST(Script, KeyNames) {
  EXPECT_EQ(ParseVirtualKey("RETURN"), VK_RETURN);
  EXPECT_EQ(ParseVirtualKey("space"), VK_SPACE);
  EXPECT_EQ(ParseVirtualKey("LEFT"), VK_LEFT);
  EXPECT_EQ(ParseVirtualKey("z"), 'Z');
  EXPECT_EQ(ParseVirtualKey("7"), '7');  // a single digit is the digit key
  EXPECT_EQ(ParseVirtualKey("F12"), VK_F12);
  EXPECT_EQ(ParseVirtualKey("0x1B"), VK_ESCAPE);
  EXPECT_EQ(ParseVirtualKey("13"), VK_RETURN);
  EXPECT_EQ(ParseVirtualKey("F13"), -1);
  EXPECT_EQ(ParseVirtualKey("256"), -1);
  EXPECT_EQ(ParseVirtualKey("0x"), -1);
  EXPECT_EQ(ParseVirtualKey("ESC"), -1);
}

TEST(Script, BadLinesNameTheLineAndTheFault) {
  struct Case {
    const char* text;
    const char* expected;
  } cases[] = {
      {"1 key ESCAPE\n\n0 close\n", "line 3: frame number"},
      {"-1 close\n", "line 1: frame number"},
      {"x close\n", "line 1: frame number"},
      {"99999999999999999999 close\n", "line 1: frame number"},
      {"1\n", "line 1: a command must follow"},
      {"1 jump\n", "line 1: unknown command 'jump'"},
      {"1 key\n", "line 1: 'key' takes 1 argument(s), got 0"},
      {"1 close now\n", "line 1: 'close' takes 0 argument(s), got 1"},
      {"1 key NOPE\n", "line 1: 'NOPE' is not a key"},
      {"1 move 1\n", "line 1: 'move' takes 2"},
      {"1 move 1 99999\n", "line 1: move needs two whole numbers"},
      {"1 activate 2\n", "line 1: activate takes 0 or 1"},
      {"1 answer maybe\n", "line 1: answer takes yes, no or ok"},
  };
  for (const Case& c : cases) {
    std::vector<ScriptCommand> out{ScriptCommand{}};
    std::string error;
    EXPECT_FALSE(ParseScript(c.text, &out, &error)) << c.text;
    EXPECT_EQ(error.rfind(c.expected, 0), 0u) << c.text << " -> " << error;
    EXPECT_EQ(out.size(), 1u) << "output untouched on failure";
  }
}

// Unprintable bytes in a bad line are escaped (well-formed UTF-8 stays);
// a UTF-8 byte-order mark before line 1 is accepted.
TEST(Script, MessagesEscapeUnprintableBytesAndAByteOrderMarkIsAccepted) {
  struct Case {
    std::string text, expected;
  } cases[] = {
      {"1 jump\x01\x1B[2J\n", "line 1: unknown command 'jump\\x01\\x1B[2J'"},
      {std::string("1 key A\0B\n", 9), "line 1: 'A\\x00B' is not a key"},
      {"1 key \x9B\xC3(\n", "line 1: '\\x9B\\xC3(' is not a key"},
      {"1 key \xE3\x82\xAD\n", "line 1: '\xE3\x82\xAD' is not a key"},  // UTF-8
      {"\xEF\xBB\xBF" "1 close\n2 jump\n", "line 2: unknown command 'jump'"},
  };
  for (const Case& c : cases) {
    std::vector<ScriptCommand> out;
    std::string error;
    EXPECT_FALSE(ParseScript(c.text, &out, &error));
    EXPECT_EQ(error.rfind(c.expected, 0), 0u) << error;
  }
  std::vector<ScriptCommand> out;
  std::string error;
  ASSERT_TRUE(ParseScript("\xEF\xBB\xBF" "1 close\n", &out, &error)) << error;
  EXPECT_EQ(out.size(), 1u);
  // A script over the limit is refused from its size, before any reading
  // (a sparse 1 GiB file, read first, would take a gigabyte).
  const std::string huge = ::testing::TempDir() + "script_huge.txt";
  std::fclose(std::fopen(huge.c_str(), "wb"));
  std::filesystem::resize_file(huge, std::uintmax_t(1) << 30);
  EXPECT_FALSE(platform::ReadScriptFile(huge, &out, &error));
  EXPECT_EQ(error, "file is larger than 16 MiB");
  std::filesystem::remove(huge);
}

TEST(Script, HostileBytesNeverCrash) {
  std::string text;
  for (int i = 0; i < 4096; ++i) text += char((i * 131) & 0xFF);
  std::vector<ScriptCommand> out;
  std::string error;
  EXPECT_FALSE(ParseScript(text, &out, &error));
  EXPECT_FALSE(error.empty());
}

TEST(Script, EnvironmentControlsAndTheirBadValues) {
  const char* names[] = {"RU_FRAME_MS", "RU_MAX_FRAMES", "RU_DEPTH", "RU_SCRIPT"};
  for (const char* n : names) ::unsetenv(n);
  platform::HeadlessOptions o;
  std::string error;
  ASSERT_TRUE(platform::HeadlessOptionsFromEnvironment(&o, &error)) << error;
  EXPECT_EQ(o.frameMs, 16u);
  EXPECT_EQ(o.maxFrames, -1);  // no limit
  EXPECT_EQ(o.depth, 16);

  ::setenv("RU_MAX_FRAMES", "0", 1);
  ::setenv("RU_DEPTH", "15", 1);
  ::setenv("RU_FRAME_MS", "0", 1);
  ASSERT_TRUE(platform::HeadlessOptionsFromEnvironment(&o, &error)) << error;
  EXPECT_EQ(o.maxFrames, 0);
  EXPECT_EQ(o.depth, 15);
  EXPECT_EQ(o.frameMs, 0u);

  struct Bad {
    const char* name;
    const char* value;
    const char* says;
  } bad[] = {{"RU_DEPTH", "8", "RU_DEPTH=8 is not 15, 16, 24 or 32"},
             {"RU_FRAME_MS", "16ms", "RU_FRAME_MS=16ms"},
             {"RU_MAX_FRAMES", "-1", "RU_MAX_FRAMES=-1"},
             {"RU_SCRIPT", "/nonexistent/run.txt", "RU_SCRIPT=/nonexistent/run.txt: cannot open"},
             {"RU_SCRIPT", "/", "RU_SCRIPT=/: cannot open"}};
  for (const Bad& b : bad) {
    for (const char* n : names) ::unsetenv(n);
    ::setenv(b.name, b.value, 1);
    error.clear();
    EXPECT_FALSE(platform::HeadlessOptionsFromEnvironment(&o, &error)) << b.name;
    EXPECT_EQ(error.rfind(b.says, 0), 0u) << error;
  }
  for (const char* n : names) ::unsetenv(n);
}

TEST(Script, JoystickLinesAndTheirBadForms) {
  std::vector<ScriptCommand> out;
  std::string error;
  ASSERT_TRUE(ParseScript("1 joy 0 0 65535\n2 joy 1 7 8 0x8000000F\n3 joy 1 1 2 12\n4 joyoff 1\n",
                          &out, &error))
      << error;
  ASSERT_EQ(out.size(), 4u);
  const platform::JoystickState& j = out[1].joystick;
  EXPECT_EQ(out[0].kind, Kind::Joy);
  EXPECT_TRUE(out[0].joystick.present);
  EXPECT_EQ(out[0].joystick.y + out[0].joystick.buttons, 65535u);
  EXPECT_EQ(out[1].a * 1000 + j.x * 100 + j.y, 1708u);
  EXPECT_EQ(j.buttons, 0x8000000Fu);
  EXPECT_EQ(out[2].joystick.buttons, 12u);
  EXPECT_EQ(out[3].kind, Kind::JoyOff);
  EXPECT_EQ(out[3].a, 1);
  const struct {
    const char* text;
    const char* expected;
  } bad[] = {
      {"1 joy 2 0 0\n", "line 1: joystick id must be 0 or 1, got '2'"},
      {"1 joyoff -1\n", "line 1: joystick id must be 0 or 1"},
      {"1 joy 0 65536 0\n", "line 1: joy needs a position X Y"},
      {"1 joy 0 0x10 -1\n", "line 1: joy needs a position X Y"},
      {"1 joy 0 1 1 0x100000000\n", "line 1: joy buttons must be a bit mask"},
      {"1 joy 0 1 1 -1\n", "line 1: joy buttons must be a bit mask"},
      {"1 joy 0 1\n", "line 1: 'joy' takes 3 or 4 argument(s), got 2"},
      {"1 joy 0 1 1 1 1\n", "line 1: 'joy' takes 3 or 4 argument(s), got 5"},
      {"1 joyoff\n", "line 1: 'joyoff' takes 1 argument(s), got 0"},
  };
  for (const auto& c : bad) {
    EXPECT_FALSE(ParseScript(c.text, &out, &error)) << c.text;
    EXPECT_EQ(error.rfind(c.expected, 0), 0u) << c.text << " -> " << error;
  }
}
