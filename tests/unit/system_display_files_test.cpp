// system_display_files_test.cpp - the colour-depth question, cursor
// services, the program folder with and without a data root, value files,
// and the OS version table.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/os/files.h"
#include "platform/os/system_info.h"
#include "system/system.h"
#include "tests/support/headless_run.h"

namespace {
platform::HeadlessBackend& FreshAtDepth(int depth) {
  platform::HeadlessOptions o;
  o.depth = depth;
  auto& b = headless_run::FreshSystem(o);
  ruSystem::FullScreen = 0;
  return b;
}

std::string AppFolderHost() { return platform::ToHostPath(ruSystem::GetAppFolder(0)); }
}  // namespace

TEST(ColorDepth, StartValuesAreAWindow) {
  ruSystem::FullScreen = 1;
  headless_run::FreshSystem();
  EXPECT_EQ(ruSystem::IsWindowed(), 1);
}

TEST(ColorDepth, EnoughDepthOrNoIndexAsksNothing) {
  auto& b = FreshAtDepth(32);
  EXPECT_EQ(ruSystem::CheckColorDepth("*"), 1);
  ruSystem::SetColorDepth(15, 0, 0);
  EXPECT_EQ(ruSystem::CheckColorDepth("*"), 1);
  EXPECT_TRUE(b.MessageBoxes().empty());
  EXPECT_EQ(FreshAtDepth(15).DisplayBitsPerPixel(), 16);
  EXPECT_TRUE(platform::GetHeadlessBackend()->Display555());
}

TEST(ColorDepth, StarAsksWithoutRecording) {
  auto& b = FreshAtDepth(16);
  ruSystem::SetColorDepth(24, 0, 0);
  b.QueueAnswer(IDYES);
  EXPECT_EQ(ruSystem::CheckColorDepth("*"), 1);
  EXPECT_EQ(ruSystem::FullScreen, 1);
  ASSERT_EQ(b.MessageBoxes().size(), 2u);
  EXPECT_EQ(b.MessageBoxes()[0].text,
            "　ウィンドウ状態で実行しようとしていますが、画面が65536色以下に設定されています。\n"
            "正しく動作させるには、1670万色以上に設定するか、フルスクリーンで実行させて下さい。\r\n");
  EXPECT_EQ(b.MessageBoxes()[1].text, "フルスクリーンに切り換えますか？\r\n");
  EXPECT_EQ(ruSystem::ExitStarted, 0);
}

TEST(ColorDepth, NamedFileRecordsTheChoiceAndNoEnds) {
  auto& b = FreshAtDepth(16);
  ruSystem::SetColorDepth(32, 0, 0);
  const std::string name = "depth-" + std::to_string(::getpid()) + ".txt";
  b.QueueAnswer(IDYES);
  EXPECT_EQ(ruSystem::CheckColorDepth(name.c_str()), 1);
  EXPECT_EQ(b.MessageBoxes()[1].text, "フルスクリーンに設定し直しますか？\r\n");
  EXPECT_EQ(ruSystem::ReadValue(name.c_str()), 1);
  std::filesystem::remove(AppFolderHost() + name);

  auto& again = FreshAtDepth(16);
  ruSystem::SetColorDepth(32, 0, 0);
  EXPECT_EQ(ruSystem::CheckColorDepth("*"), 0);  // answered no
  EXPECT_EQ(ruSystem::ExitStarted, 1);
  EXPECT_EQ(ruSystem::FullScreen, 0);

  auto& empty = FreshAtDepth(16);
  ruSystem::SetColorDepth(32, 0, 0);
  EXPECT_EQ(ruSystem::CheckColorDepth(""), 0);
  EXPECT_EQ(empty.MessageBoxes().size(), 1u);  // only the explanation
  (void)again;
}

TEST(Cursor, ClipPlaceAndIme) {
  auto& b = FreshAtDepth(16);
  ruSystem::WindowX = -10;
  ruSystem::WindowY = 20;
  ruSystem::ClipCursorToWindow();
  EXPECT_TRUE(b.CursorClipped());
  EXPECT_EQ(b.ClipRect().left, -10);
  EXPECT_EQ(ruSystem::IsCursorClipped(), 1);
  ruSystem::UnclipCursor();
  EXPECT_FALSE(b.CursorClipped());
  EXPECT_EQ(ruSystem::IsCursorClipped(), 0);
  ruSystem::SetMousePos(0, 0);
  EXPECT_EQ(b.GetCursorPos().x, -10);
  EXPECT_EQ(b.GetCursorPos().y, 20);
  ruSystem::SetIme(1);
  EXPECT_TRUE(b.ImeEnabled());
  EXPECT_EQ(ruSystem::ImeState, 1);
}

TEST(AppFolder, RedirectsOnlyWithADataRoot) {
  FreshAtDepth(16);
  const std::string plain = ruSystem::GetAppFolder(0);
  EXPECT_EQ(plain, platform::ProgramFolder());
  const std::string windows = headless_run::ScratchDir("windows");
  ::setenv("RU_WINDOWS_DIR", windows.c_str(), 1);
  EXPECT_EQ(ruSystem::ReadDataRoot("root.txt"), 0);
  EXPECT_STREQ(ruSystem::GetAppFolder(1), plain.c_str());

  std::ofstream(windows + "/root.txt") << "D:\\Save\\\nsecond line\n";
  EXPECT_NE(ruSystem::ReadDataRoot("root.txt"), 0);
  EXPECT_STREQ(ruSystem::DataRoot, "D:\\Save");
  // The program's own folder name moves under the root.
  const std::string withoutSlash = plain.substr(0, plain.size() - 1);
  const std::string last = withoutSlash.substr(withoutSlash.rfind('\\') + 1);
  EXPECT_EQ(std::string(ruSystem::GetAppFolder(1)), "D:\\Save\\" + last + "\\");
  EXPECT_EQ(std::string(ruSystem::GetAppFolder(0)), plain);
  ::unsetenv("RU_WINDOWS_DIR");
  ruSystem::DataRoot[0] = '\0';
}

TEST(AppFolder, WindowsFolderChoice) {
  ::setenv("RU_WINDOWS_DIR", "/w/", 1);
  EXPECT_EQ(platform::WindowsFolder(), "\\w");
  ::unsetenv("RU_WINDOWS_DIR");
  ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
  EXPECT_EQ(platform::WindowsFolder(), "\\cfg\\ru");
  ::unsetenv("XDG_CONFIG_HOME");
  ::setenv("HOME", "/home/p", 1);
  EXPECT_EQ(platform::WindowsFolder(), "\\home\\p\\.config\\ru");
}

TEST(ValueFiles, RoundTripMissingAndEmpty) {
  FreshAtDepth(16);
  const std::string name = "value-" + std::to_string(::getpid()) + ".txt";
  const std::string host = AppFolderHost() + name;
  EXPECT_EQ(ruSystem::ReadValue(name.c_str()), 0);  // missing
  std::ofstream(host) << "";
  EXPECT_EQ(ruSystem::ReadValue(name.c_str()), 0);  // empty
  ruSystem::WriteValue(name.c_str(), 1);
  std::ifstream in(host);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "1");
  ruSystem::WriteValue(name.c_str(), -42);
  EXPECT_EQ(ruSystem::ReadValue(name.c_str()), -42);
  std::filesystem::remove(host);
}

TEST(ValueFiles, FollowTheDataRoot) {
  FreshAtDepth(16);
  const std::string root = headless_run::ScratchDir("data-root");
  const std::string windows = headless_run::ScratchDir("windows-root");
  ::setenv("RU_WINDOWS_DIR", windows.c_str(), 1);
  std::ofstream(windows + "/root.txt") << platform::ToLibraryPath(root) << "\\\n";
  ASSERT_NE(ruSystem::ReadDataRoot("root.txt"), 0);
  const std::string folder = platform::ToHostPath(ruSystem::GetAppFolder(1));
  ASSERT_EQ(folder.rfind(root + "/", 0), 0u) << folder;
  std::filesystem::create_directories(folder);
  ruSystem::WriteValue("saved.txt", 7);
  EXPECT_EQ(ruSystem::ReadValue("saved.txt"), 7);
  EXPECT_TRUE(std::filesystem::exists(folder + "saved.txt"));
  EXPECT_FALSE(std::filesystem::exists(AppFolderHost() + "saved.txt"));
  ::unsetenv("RU_WINDOWS_DIR");
  ruSystem::DataRoot[0] = '\0';
}

TEST(Queries, OsVersionTable) {
  struct Case {
    DWORD id, major, minor;
    int expected;
  } cases[] = {{0, 3, 1, 310},   {1, 4, 0, 950},  {1, 4, 10, 980}, {1, 5, 2, 502},
               {2, 5, 0, 2000},  {2, 5, 1, 2000}, {2, 6, 1, 6010}, {2, 10, 0, 10000},
               {3, 1, 0, -1}};
  for (const Case& c : cases) {
    const platform::OsVersion v{c.id, c.major, c.minor, 0};
    platform::SetOsVersionForTests(&v);
    EXPECT_EQ(ruSystem::GetOsVersion(), c.expected) << c.id << " " << c.major << "." << c.minor;
  }
  platform::SetOsVersionForTests(nullptr);
}

TEST(Queries, DateDayNameAndDisk) {
  int y = 0, m = 0, d = 0;
  char day[3] = "xx";
  ruSystem::GetDate(&y, &m, &d, day);
  EXPECT_GE(y, 2000);
  EXPECT_TRUE(m >= 1 && m <= 12);
  const std::string names = "日月火水木金土";
  EXPECT_NE(names.find(day), std::string::npos);
  EXPECT_EQ(day[2], '\0');
  EXPECT_EQ(ruSystem::GetDiskFree('1'), 0);  // not a drive letter
  EXPECT_GT(platform::GetAvailableMemory(), 0u);
  EXPECT_GT(ruSystem::GetFreeMemory(), 0);  // saturates, never wraps negative
}
