// sound_packs_test.cpp - sound packs and streams through the headless sink:
// building a pack and loading from it by name in any case, packs that must
// be refused, restoring pack sounds and streams, and streams played once,
// looped and looped from a loop point, checked second by second.
#include <filesystem>

#include "platform/formats/sound_pack.h"
#include "platform/os/files.h"
#include "tests/integration/sound_fixture.h"

using namespace soundtest;
using ruSound::Sounds;
namespace pack = platform::soundpack;

namespace {

constexpr int kRate = 8000;  // 16-bit mono: 16000 bytes a second
constexpr int kSecond = 2 * kRate;
constexpr int kOut = 44100;  // sink frames a second

std::string InApp(const std::string& name) {
  return platform::ToHostPath(std::string(ruSystem::GetAppFolder(0)) + name);
}

void WriteFile(const std::string& name, const std::vector<unsigned char>& bytes) {
  std::FILE* f = std::fopen(InApp(name).c_str(), "wb");
  ASSERT_NE(f, nullptr) << name;
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

std::vector<unsigned char> ReadFile(const std::string& name) {
  std::vector<unsigned char> bytes;
  platform::ReadHostFile(InApp(name), bytes, 1 << 24);
  return bytes;
}

// The 18-byte format block of 16-bit mono PCM at kRate.
std::vector<unsigned char> Format18() {
  auto f = wavetest::Fmt(1, 1, kRate, 16);
  f.push_back(0), f.push_back(0);
  return f;
}

// `seconds` of 16-bit mono data, each second a constant level 1000 x (its
// number + 1), so the sink tells which second is sounding.
std::vector<unsigned char> Seconds(double seconds) {
  std::vector<unsigned char> v;
  const int frames = int(seconds * kRate);
  for (int k = 0; k < frames; ++k) wavetest::Put16(v, unsigned(1000 * (k / kRate + 1)));
  return v;
}

class SoundPackTest : public SoundFixture {
 protected:
  // Plays `no` (looped or once) and runs `seconds` of frames, servicing
  // the streams each frame as a game does.
  void Run(double seconds) {
    for (int i = 0; i < int(seconds * 1000 / kFrameMs); ++i) {
      Steps(1);
      ruSound::Streaming();
    }
  }
  bool Playing(int no) {
    DWORD status = 0;
    Sounds[no].Buffers[0]->GetStatus(&status);
    return status & DSBSTATUS_PLAYING;
  }
  // The level sounding in the middle of second k after the signal began.
  static int LevelAt(const Samples& s, long start, double second) {
    return s.left[size_t(start + long(second * kOut))];
  }
};

}  // namespace

TEST_F(SoundPackTest, ConvertWritesEntriesAndLoadsFindThemInAnyCase) {
  std::filesystem::create_directories(InApp("sp_wavs"));
  const auto a = wavetest::Wave(1, 11025, 8, std::vector<unsigned char>(300, 200));
  const auto b = wavetest::Wave(1, kRate, 16, Seconds(0.5));
  WriteFile("sp_wavs/a.wav", a);
  WriteFile("sp_wavs/B.WAV", b);
  WriteFile("sp_wavs/c.wav", {'n', 'o'});  // no WAVE: an empty entry
  ASSERT_EQ(ruSound::Convert("sp_conv.pak", "sp_wavs", 1), 1);

  auto fmtA = wavetest::Fmt(1, 1, 11025, 8);
  fmtA.push_back(0), fmtA.push_back(0);
  // In the order the folder lists them.
  std::vector<unsigned char> expected = pack::EncodeEntry("B.WAV", Format18(), {b.begin() + 44, b.end()});
  const auto entryA = pack::EncodeEntry("A.WAV", fmtA, {a.begin() + 44, a.end()});
  expected.insert(expected.end(), entryA.begin(), entryA.end());
  const auto entryC = pack::EncodeEntry("C.WAV", {}, {});
  expected.insert(expected.end(), entryC.begin(), entryC.end());
  EXPECT_EQ(ReadFile("sp_conv.pak"), expected);

  // Converting again appends; loads find the first copy.
  ruSound::Convert("sp_conv.pak", "sp_wavs", 0);
  EXPECT_EQ(ReadFile("sp_conv.pak").size(), 2 * expected.size());
  ruSound::SelectPack("sp_conv.pak");
  const int no = ruSound::LoadPack("b.wav", 2);
  ASSERT_EQ(no, 0);
  EXPECT_STREQ(Sounds[no].Name, "b.wav");
  EXPECT_EQ(Sounds[no].FromPack, 1);
  EXPECT_EQ(Sounds[no].MixCount, 2);
  EXPECT_EQ(Sounds[no].Buffers[1]->Bytes(), DWORD(b.size() - 44));

  // Restoring reloads the pack sound from the selected pack.
  ruSound::ExitSound();
  ruSound::RestoreSound();
  ASSERT_NE(Sounds[no].Buffers[1], nullptr);
  ruSound::Play(no, 0);
  Steps(20);
  EXPECT_NEAR(Peak(Read().left, 0, Read().left.size()), 1000, 20);

  ASSERT_EQ(ruSound::Convert("sp_conv.pak", "sp_wavs", 1), 1);
  EXPECT_EQ(ReadFile("sp_conv.pak").size(), expected.size());
}

TEST_F(SoundPackTest, HostilePacksAndNamesAreRefused) {
  const auto data = Seconds(0.1);
  const auto good = pack::EncodeEntry("GOOD.WAV", Format18(), data);
  auto extra = Format18();  // a format with two extra bytes: HeadSize 20
  extra[16] = 2;
  extra.push_back(7), extra.push_back(7);
  auto withExtra = pack::EncodeEntry("X.WAV", extra, data);
  withExtra.insert(withExtra.end(), good.begin(), good.end());
  auto headBeyond = pack::EncodeEntry("H.WAV", Format18(), data);
  headBeyond[4 + 6] = 0xFF, headBeyond[4 + 7] = 0xFF;  // HeadSize 65535 + ...
  headBeyond.insert(headBeyond.end(), good.begin(), good.end());
  auto sizeBeyond = good;
  sizeBeyond[3] = 0x7F;
  auto longName = pack::EncodeEntry(std::string(127, 'N'), Format18(), data);
  longName[4 + 127] = 'N';  // 128 bytes without their zero
  longName.insert(longName.end(), good.begin(), good.end());
  const std::vector<unsigned char> cut(good.begin(), good.end() - 1);

  const std::string noEntry = "ruSound::LoadPack : WAVEファイルを読み込めません";
  struct Case {
    const char* what;
    std::vector<unsigned char> bytes;
    const char* name;
    int no;
    std::string box;
  } cases[] = {
      {"extra format bytes skipped", withExtra, "good.wav", 0, ""},
      {"empty pack", {}, "good.wav", -1, noEntry},
      {"HeadSize beyond the file", headBeyond, "good.wav", -1, noEntry},
      {"Size beyond the file", sizeBeyond, "good.wav", -1, noEntry},
      {"name of 128 bytes", longName, "good.wav", -1, noEntry},
      {"truncated entry", cut, "good.wav", -1, noEntry},
      {"name over 30 bytes", good, "a_name_of_thirty_one_bytes_.wav", -1,
       "ruSound::LoadPack : ファイル名が長すぎます"},
  };
  ruSound::PackPath[0] = '\0';  // as before any selection
  ruSound::LoadPack("good.wav", 1);
  EXPECT_EQ(LastBox(), "ruSound::LoadPack : パックファイル名が指定されていません");
  for (const Case& c : cases) {
    const size_t boxes = backend_->MessageBoxes().size();
    WriteFile("sp_hostile.pak", c.bytes);
    ruSound::SelectPack("sp_hostile.pak");
    const int no = ruSound::LoadPack(c.name, 1);
    EXPECT_EQ(no, c.no) << c.what;
    EXPECT_EQ(backend_->MessageBoxes().size() > boxes ? LastBox() : "", c.box) << c.what;
    EXPECT_EQ(ruSound::LoadStream(c.name, 0), c.no < 0 ? -1 : 1) << c.what;
    ruSound::FreeObject(0);
    ruSound::FreeObject(1);
    EXPECT_FALSE(Sounds[0].Used) << c.what;
  }
}

TEST_F(SoundPackTest, ShortSoundsLoadAsPackSoundsAndPiecesShrinkAtTheEnd) {
  const auto pk = pack::EncodeEntry("SHORT.WAV", Format18(), Seconds(4.9));
  auto nine = pack::EncodeEntry("NINE.WAV", Format18(), Seconds(9));
  nine.insert(nine.begin(), pk.begin(), pk.end());
  WriteFile("sp_short.pak", nine);
  ruSound::SelectPack("sp_short.pak");
  const int shortNo = ruSound::LoadStream("short.wav", 0);
  ASSERT_EQ(shortNo, 0);
  EXPECT_EQ(Sounds[shortNo].Stream.Size, 0u);
  EXPECT_EQ(Sounds[shortNo].MixCount, 1);
  EXPECT_EQ(Sounds[shortNo].FromPack, 1);

  const int no = ruSound::LoadStream("nine.wav", 0);
  ASSERT_EQ(no, 1);
  EXPECT_EQ(Sounds[no].Stream.BufferSize, DWORD(4 * kSecond));
  ruSound::Play(no, 0);
  std::vector<DWORD> pieces;
  DWORD read = Sounds[no].Stream.ReadCount;
  for (int i = 0; i < 1200 && pieces.size() < 4; ++i) {
    Run(0.01);
    if (Sounds[no].Stream.ReadCount != read) {
      const DWORD now = Sounds[no].Stream.ReadCount;
      pieces.push_back(now > read ? now - read : Sounds[no].Stream.Size - read);
      read = now;
    }
  }
  EXPECT_EQ(pieces, (std::vector<DWORD>{2 * kSecond, 2 * kSecond, 3 * kSecond / 2, 3 * kSecond / 2}));
}

TEST_F(SoundPackTest, StreamsPlayOnceLoopAndLoopFromAPoint) {
  WriteFile("sp_stream.pak", pack::EncodeEntry("TEN.WAV", Format18(), Seconds(10)));
  ruSound::SelectPack("sp_stream.pak");
  struct Case {
    const char* what;
    bool loop;
    int loopOffset;
    double run;
    std::vector<int> seconds;  // the second heard in each second of the run
  } cases[] = {
      {"once", false, 0, 12, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
      {"looped", true, 0, 21, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
      {"from second 3", true, 3 * kSecond, 21,
       {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 3, 4, 5, 6, 7, 8, 9, 3, 4, 5}},
      {"loop point beyond the end", true, 11 * kSecond, 12, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0}},
  };
  for (const Case& c : cases) {
    Start(true);
    const int no = ruSound::LoadStream("ten.wav", c.loopOffset);
    ASSERT_EQ(no, 0) << c.what;
    c.loop ? ruSound::PlayLoop(no, -1) : ruSound::Play(no, -1);
    Run(c.run);
    const Samples s = Read();
    const auto [first, last] = Extent(s.left);
    ASSERT_GE(first, 0) << c.what;
    for (size_t k = 0; k < c.seconds.size(); ++k)
      EXPECT_EQ(LevelAt(s, first, k + 0.5), 1000 * (c.seconds[k] + 1)) << c.what << " second " << k;
    if (c.loop) {
      // No gap anywhere: every sample up to the end of the run is signal.
      EXPECT_EQ(last, long(s.left.size())) << c.what;
      EXPECT_GE(*std::min_element(s.left.begin() + first, s.left.end()), 900) << c.what;
    } else {
      EXPECT_NEAR(last - first, 10 * kOut, 2) << c.what;
      EXPECT_FALSE(Playing(no)) << c.what;
    }
    ruSound::FreeObject(no);
  }
}

TEST_F(SoundPackTest, AStreamWhosePackShrankIsReportedOnceAndStopped) {
  auto bytes = pack::EncodeEntry("TEN.WAV", Format18(), Seconds(10));
  WriteFile("sp_shrink.pak", bytes);
  ruSound::SelectPack("sp_shrink.pak");
  const int no = ruSound::LoadStream("ten.wav", 0);
  ruSound::PlayLoop(no, -1);
  Run(1);
  bytes.resize(bytes.size() / 2);
  WriteFile("sp_shrink.pak", bytes);
  Run(8);
  EXPECT_EQ(backend_->MessageBoxes().size(), 1u);
  EXPECT_EQ(LastBox(), "ruSound::Streaming : ストリーミング再生できません");
  EXPECT_FALSE(Playing(no));

  // Restoring reopens the stream from its own pack, whichever is selected.
  WriteFile("sp_shrink.pak", pack::EncodeEntry("TEN.WAV", Format18(), Seconds(10)));
  ruSound::SelectPack("sp_none.pak");
  ruSound::ExitSound();
  ruSound::RestoreSound();
  ASSERT_NE(Sounds[no].Buffers[0], nullptr);
  EXPECT_EQ(Sounds[no].Stream.Size, DWORD(10 * kSecond));
  EXPECT_EQ(ruSound::Streaming(), 1);
}
