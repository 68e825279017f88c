// platform_text_files_test.cpp - CP932 conversion and bounded buffers, and
// library file names on the host: case-insensitive resolution, wildcard
// search, bounded reads, writes through a temporary file.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdarg>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/os/encoding.h"
#include "platform/os/files.h"
#include "tests/support/headless_run.h"

namespace {

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}
}  // namespace

TEST(Encoding, RoundTripAndReplacement) {
  const std::string sjis = "ピクノ";  // compiled to CP932
  EXPECT_EQ(platform::Cp932ToUtf8(sjis), "\xE3\x83\x94\xE3\x82\xAF\xE3\x83\x8E");
  EXPECT_EQ(platform::Utf8ToCp932(platform::Cp932ToUtf8(sjis)), sjis);
  EXPECT_EQ(platform::Cp932ToUtf8("a\x81"), "a\xEF\xBF\xBD");  // cut-off lead byte
  EXPECT_EQ(platform::Utf8ToCp932("\xF0\x9F\x98\x80!"), "?!");  // no CP932 form
}

TEST(Encoding, DecodeNeverReadsPastTheEnd) {
  const char text[] = {'A', '\x83', '\x73', '\x83'};
  size_t i = 0;
  EXPECT_EQ(platform::DecodeCp932(text, 4, i), U'A');
  EXPECT_EQ(platform::DecodeCp932(text, 4, i), U'\u30D4');
  EXPECT_EQ(i, 3u);
  EXPECT_EQ(platform::DecodeCp932(text, 4, i), U'\uFFFD');
  EXPECT_EQ(i, 4u);
}

TEST(Encoding, BoundedFormatCutsAtACharacterBoundary) {
  char buf[8];
  std::memset(buf, 'X', sizeof buf);
  // "ab" then three double-byte characters: 8 bytes, one too many for buf.
  EXPECT_EQ(platform::FormatCp932Args(buf, sizeof buf, "ab%s", "ピクノ"), 6);
  EXPECT_EQ(std::string(buf), "abピク");
  EXPECT_EQ(platform::FormatCp932Args(buf, sizeof buf, "a%s", "ピクノ"), 7);
  EXPECT_EQ(platform::FormatCp932Args(buf, 1, "%s", "abc"), 0);
  EXPECT_EQ(buf[0], '\0');
  EXPECT_EQ(platform::Cp932SafeLength("aピ", 2), 1u);
  EXPECT_EQ(platform::Cp932SafeLength("a\x83", 10), 1u);  // lead byte without trail
}

TEST(Files, ResolvesEachComponentIgnoringCase) {
  const std::string dir = headless_run::ScratchDir("files-case");
  std::filesystem::create_directories(dir + "/Bmp");
  WriteText(dir + "/Bmp/Block.BMP", "x");
  const std::string lib = platform::ToLibraryPath(dir);
  EXPECT_EQ(platform::ToHostPath(lib + "\\bmp\\block.bmp"), dir + "/Bmp/Block.BMP");
  EXPECT_TRUE(platform::FileExists(lib + "\\BMP\\BLOCK.bmp"));
  EXPECT_EQ(platform::ToHostPath(lib + "\\bmp\\new.txt"), dir + "/Bmp/new.txt");
  EXPECT_EQ(platform::ToHostPath("C:\\tmp"), "/tmp");
}

TEST(Files, LibraryFormKeepsDoubleByteTrailBytes) {
  // "表" is 0x95 0x5C in CP932: its trail byte is the '\' code.
  const std::string lib = platform::ToLibraryPath("/x/\xE8\xA1\xA8/y");
  EXPECT_EQ(lib, "\\x\\\x95\x5C\\y");
  EXPECT_EQ(platform::ToHostPath(lib), "/x/\xE8\xA1\xA8/y");
}

TEST(Files, WildcardsMatchIgnoringCase) {
  EXPECT_TRUE(platform::WildcardMatch("*.BMP", "block.bmp"));
  EXPECT_TRUE(platform::WildcardMatch("b?ock.*", "BLOCK.Bmp"));
  EXPECT_TRUE(platform::WildcardMatch("*.*", "README"));
  EXPECT_FALSE(platform::WildcardMatch("*.bmp", "block.bmp.txt"));
  EXPECT_FALSE(platform::WildcardMatch("?", ""));
  EXPECT_TRUE(platform::WildcardMatch("a*b*c", "aXbYbZc"));
  EXPECT_FALSE(platform::WildcardMatch("a*b*c", "aXbYbZ"));
  EXPECT_TRUE(platform::WildcardMatch("**", ""));
  // Many stars against a long name that fails at its end: must not blow up.
  const std::string longName(250, 'a');
  EXPECT_FALSE(platform::WildcardMatch("*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b", longName));

  const std::string dir = headless_run::ScratchDir("files-find");
  WriteText(dir + "/b.BMP", "");
  WriteText(dir + "/a.bmp", "");
  WriteText(dir + "/c.wav", "");
  std::filesystem::create_directories(dir + "/d.bmp");
  EXPECT_EQ(platform::FindFiles(platform::ToLibraryPath(dir), "*.bmp"),
            (std::vector<std::string>{"a.bmp", "b.BMP"}));
}

TEST(Files, ReadsAreBoundedAndWritesReplaceWhole) {
  const std::string dir = headless_run::ScratchDir("files-io");
  const std::string lib = platform::ToLibraryPath(dir) + "\\value.txt";
  std::vector<unsigned char> data{1};
  EXPECT_FALSE(platform::ReadWholeFile(lib, data, 100));
  EXPECT_TRUE(data.empty());
  ASSERT_TRUE(platform::WriteFileAtomically(lib, "12345", 5));
  EXPECT_FALSE(platform::ReadWholeFile(lib, data, 4));
  ASSERT_TRUE(platform::ReadWholeFile(lib, data, 5));
  EXPECT_EQ(std::string(data.begin(), data.end()), "12345");
  ASSERT_TRUE(platform::WriteFileAtomically(lib, "7", 1));
  ASSERT_TRUE(platform::ReadWholeFile(lib, data, 5));
  EXPECT_EQ(std::string(data.begin(), data.end()), "7");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                          std::filesystem::directory_iterator()),
            1);  // no temporary file left behind
}

TEST(Files, FailedWriteKeepsTheOldContents) {
  const std::string dir = headless_run::ScratchDir("files-fail");
  const std::string lib = platform::ToLibraryPath(dir) + "\\keep.txt";
  ASSERT_TRUE(platform::WriteFileAtomically(lib, "1", 1));
  // A directory in the temporary file's place makes the write fail.
  std::filesystem::create_directories(dir + "/keep.txt.tmp" + std::to_string(::getpid()));
  EXPECT_FALSE(platform::WriteFileAtomically(lib, "2", 1));
  std::vector<unsigned char> data;
  ASSERT_TRUE(platform::ReadWholeFile(lib, data, 10));
  EXPECT_EQ(std::string(data.begin(), data.end()), "1");
}

TEST(Files, ProgramFolderEndsWithASeparator) {
  const std::string folder = platform::ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '\\');
  EXPECT_EQ(platform::ProgramFileName().rfind(folder, 0), 0u);
}
