// riff_wave_test.cpp - the RIFF WAVE reader against good and hostile files.
#include <gtest/gtest.h>

#include "platform/formats/riff_wave.h"
#include "tests/support/wave_bytes.h"

using namespace wavetest;
using platform::WaveImage;

namespace {

bool Parse(const std::vector<unsigned char>& bytes, WaveImage* out) {
  std::string why;
  return platform::ParseWave(bytes.data(), bytes.size(), out, &why);
}

std::vector<unsigned char> Data(int n) {
  std::vector<unsigned char> v(n);
  for (int i = 0; i < n; ++i) v[i] = static_cast<unsigned char>(i * 7);
  return v;
}

}  // namespace

TEST(RiffWave, ReadsFormatAndDataAcrossOtherAndOddChunks) {
  std::vector<unsigned char> chunks;
  Chunk(chunks, "LIST", {'a', 'b', 'c'});  // odd: one pad byte follows
  Chunk(chunks, "fmt ", Fmt(1, 2, 22050, 16));
  Chunk(chunks, "fact", {1, 2, 3, 4});
  Chunk(chunks, "data", Data(41));
  WaveImage w;
  ASSERT_TRUE(Parse(Riff(chunks), &w));
  ASSERT_EQ(w.format.size(), 18u);
  EXPECT_EQ(w.format[2], 2);  // channels
  EXPECT_EQ(w.format[16], 0);  // no extra bytes for PCM
  EXPECT_EQ(w.data, Data(41));
}

TEST(RiffWave, NonPcmKeepsItsExtraFormatBytes) {
  std::vector<unsigned char> fmt = Fmt(2, 1, 22050, 4);
  Put16(fmt, 4);
  fmt.insert(fmt.end(), {9, 8, 7, 6});
  std::vector<unsigned char> chunks;
  Chunk(chunks, "fmt ", fmt);
  Chunk(chunks, "data", Data(8));
  WaveImage w;
  ASSERT_TRUE(Parse(Riff(chunks), &w));
  ASSERT_EQ(w.format.size(), 22u);  // HeadSize above 18
  EXPECT_EQ(std::vector<unsigned char>(w.format.begin() + 18, w.format.end()),
            (std::vector<unsigned char>{9, 8, 7, 6}));
}

// Every prefix of a good file is refused, except the whole file; nothing is
// left in the image.
TEST(RiffWave, EveryTruncationIsRefused) {
  const std::vector<unsigned char> file = Wave(1, 8000, 8, Data(33));
  for (size_t n = 0; n < file.size() - 1; ++n) {  // the last byte is the pad
    std::vector<unsigned char> cut(file.begin(), file.begin() + n);
    WaveImage w;
    EXPECT_FALSE(Parse(cut, &w)) << n;
    EXPECT_TRUE(w.format.empty() && w.data.empty()) << n;
  }
}

TEST(RiffWave, HostileLayoutsAreRefused) {
  const auto fmt = Fmt(1, 1, 8000, 8);
  struct Case {
    const char* what;
    std::vector<unsigned char> file;
  };
  std::vector<unsigned char> noData, noFmt, shortFmt, hugeData, hugeSkip, extraPastChunk;
  Chunk(noData, "fmt ", fmt);
  Chunk(noFmt, "data", Data(4));
  Chunk(shortFmt, "fmt ", std::vector<unsigned char>(fmt.begin(), fmt.begin() + 14));
  Chunk(shortFmt, "data", Data(4));
  Chunk(hugeData, "fmt ", fmt);
  Chunk(hugeData, "data", Data(4), 0xFFFFFFF0u);  // claims 4 GB
  Chunk(hugeSkip, "junk", Data(2), 0xFFFFFFFFu - 1);
  Chunk(hugeSkip, "fmt ", fmt);
  Chunk(hugeSkip, "data", Data(4));
  std::vector<unsigned char> adpcm = Fmt(2, 1, 8000, 4);
  Put16(adpcm, 200);  // 200 extra bytes claimed, none there
  Chunk(extraPastChunk, "fmt ", adpcm);
  Chunk(extraPastChunk, "data", Data(4));
  const Case cases[] = {
      {"form is not WAVE", Riff(noData, "AVI ")},
      {"no data chunk", Riff(noData)},
      {"no fmt chunk", Riff(noFmt)},
      {"fmt shorter than 16", Riff(shortFmt)},
      {"data larger than the file", Riff(hugeData)},
      {"a chunk skipping past the end", Riff(hugeSkip)},
      {"extra bytes past the fmt chunk", Riff(extraPastChunk)},
  };
  for (const Case& c : cases) {
    WaveImage w;
    EXPECT_FALSE(Parse(c.file, &w)) << c.what;
  }
}

TEST(RiffWave, CanonicalResourceIsBoundedByWhatIsThere) {
  const std::vector<unsigned char> file = Wave(1, 8000, 8, Data(10));
  WaveImage w;
  ASSERT_TRUE(platform::ParseCanonicalWave(file.data(), file.size(), &w));
  EXPECT_EQ(w.data, Data(10));
  EXPECT_FALSE(platform::ParseCanonicalWave(file.data(), 43, &w));  // shorter than its header
  EXPECT_FALSE(platform::ParseCanonicalWave(file.data(), 53, &w));  // shorter than its data
}
