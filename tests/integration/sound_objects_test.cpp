// sound_objects_test.cpp - the sound object table: mix counts, refusals
// with their reports, hostile WAVE files, absent objects and buffers, the
// output format and the exit/restore pair keeping every setting.
#include <cstdio>

#include "platform/os/files.h"

#include "tests/integration/sound_fixture.h"

using namespace soundtest;
using ruSound::Sounds;

namespace {
const std::string kTag = "ruSound::LoadObject : ";
}

TEST_F(SoundFixture, MixCountGivesBuffersAndEchoAvailability) {
  struct Case {
    int mix, no, buffers, echo;
  } cases[] = {{-3, 0, 3, -1}, {3, 1, 3, 0}, {1, 2, 1, -1}, {0, 3, 0, -1},
               {11, -1, 0, 0}, {-11, -1, 0, 0}};
  for (const Case& c : cases) {
    const int no = LoadTone("ToneMix", 50, c.mix);
    ASSERT_EQ(no, c.no) << c.mix;
    if (no < 0) {
      EXPECT_EQ(LastBox(), kTag + "ミックス数が多過ぎます");
      continue;
    }
    EXPECT_EQ(Sounds[no].MixCount, c.buffers);
    EXPECT_EQ(Sounds[no].EchoStep, c.echo);
    for (int j = 0; j < 10; ++j) EXPECT_EQ(Sounds[no].Buffers[j] != nullptr, j < c.buffers);
  }
  // Every operation on the slot without buffers, and selectors beyond the
  // mix count, do nothing.
  for (int mix : {-3, -2, -1, 0, 5, 10, 99}) {
    for (int no : {3, 2, 69, 70, -1}) {
      ruSound::Play(no, mix);
      ruSound::PlayLoop(no, mix);
      ruSound::Pause(no, mix);
      ruSound::SetVolume(no, -3, mix);
      ruSound::AddFrequency(no, 10, mix);
      ruSound::PanLeft(no, mix);
      ruSound::Stop(no, mix);
      ruSound::Echo(no, 0, 3, 3);
      EXPECT_EQ(ruSound::GetPosition(no), 0u);
    }
  }
  EXPECT_EQ(Sounds[2].Volume[0], -300);
  EXPECT_EQ(Sounds[2].Pan[0], -10000);
}

TEST_F(SoundFixture, SettersClampToTheDeviceRanges) {
  const int no = LoadTone("ToneClamp", 50, 2);
  ruSound::AddFrequency(no, -100000, 0);
  EXPECT_EQ(Sounds[no].Frequency[0], 100);
  ruSound::SetFrequency(no, 2000000000, 0);
  EXPECT_EQ(Sounds[no].Frequency[0], 100000);
  ruSound::SetVolume(no, 5, 0);
  EXPECT_EQ(Sounds[no].Volume[0], 0);
  ruSound::SetVolume(no, -200, 0);
  EXPECT_EQ(Sounds[no].Volume[0], -10000);
  ruSound::AddPan(no, 150, 1);
  EXPECT_EQ(Sounds[no].Pan[1], 10000);
  ruSound::SetPan(no, -7, -2);  // the round-robin buffer, 0
  EXPECT_EQ(Sounds[no].Pan[0], -700);
  ruSound::ResetPan(no, -1);
  EXPECT_EQ(Sounds[no].Pan[0] | Sounds[no].Pan[1], 0);
}

TEST_F(SoundFixture, RefusalsLeaveNoSlotTaken) {
  // A name too long to store: refused before a slot is taken.
  EXPECT_EQ(LoadTone("AVeryLongSoundNameOfThirtyOneBy", 50), -1);
  EXPECT_EQ(LastBox(), kTag + "ファイル名またはリソース名が長すぎます");
  EXPECT_EQ(Sounds[0].Used, 0);
  // Missing, hostile and non-PCM sounds.
  EXPECT_EQ(ruSound::LoadObject("NoSuchSound", 1), -1);
  EXPECT_EQ(LastBox(), kTag + "WAVEリソースが見つかりません");
  std::vector<unsigned char> cut = wavetest::Wave(1, 8000, 8, std::vector<unsigned char>(100, 9));
  cut.resize(100);  // claims 100 data bytes, holds 56
  EXPECT_EQ(LoadBytes("ToneCut", cut), -1);
  EXPECT_EQ(LastBox(), kTag + "WAVEリソースが見つかりません");
  std::vector<unsigned char> chunks;
  std::vector<unsigned char> fmt = wavetest::Fmt(2, 1, 8000, 4);
  fmt.insert(fmt.end(), {2, 0, 0x20, 0x30});  // two extra format bytes
  wavetest::Chunk(chunks, "fmt ", fmt);
  wavetest::Chunk(chunks, "data", std::vector<unsigned char>(64, 1));
  // A file beside the program.
  const std::string name = "snd_adpcm.wav";
  const std::vector<unsigned char> adpcm = wavetest::Riff(chunks);
  std::FILE* f = std::fopen(
      platform::ToHostPath(std::string(ruSystem::GetAppFolder(0)) + name).c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(adpcm.data(), 1, adpcm.size(), f);
  std::fclose(f);
  EXPECT_EQ(ruSound::LoadObject(name.c_str(), 3), -1);
  EXPECT_EQ(LastBox(), kTag + "サウンドバッファが生成できません");
  EXPECT_EQ(Sounds[0].Used, 0);
  std::vector<BYTE> format, data;
  EXPECT_EQ(ruSound::ReadWave((std::string(ruSystem::GetAppFolder(0)) + name).c_str(), &format,
                              &data),
            0);
  EXPECT_EQ(format.size(), 20u);
  // All 70 slots used.
  for (int n = 0; n < 70; ++n) ASSERT_EQ(LoadTone("ToneFill", 5), n);
  EXPECT_EQ(LoadTone("ToneFill", 5), -1);
  EXPECT_EQ(LastBox(), kTag + "オブジェクト数が多過ぎます");
  EXPECT_EQ(ruSound::FreeObject(12), 12);
  EXPECT_EQ(LoadTone("ToneFill", 5), 12);
}

TEST_F(SoundFixture, SelectFormatKeepsEveryObjectAndItsSettings) {
  const int a = LoadTone("ToneFmtA", 200, 2);
  const int b = LoadTone("ToneFmtB", 200, -3);
  ruSound::SetVolume(a, -3, 1);
  ruSound::SetPan(b, 20, -1);
  ruSound::SetFrequency(b, 50, 2);
  auto check = [&](const char* when) {
    EXPECT_EQ(std::string(Sounds[a].Name), "ToneFmtA") << when;
    EXPECT_EQ(Sounds[a].MixCount, 2) << when;
    EXPECT_EQ(Sounds[b].MixCount, 3) << when;
    EXPECT_EQ(Sounds[b].EchoStep, -1) << when;
    LONG v = 0, p = 0;
    DWORD hz = 0;
    Sounds[a].Buffers[1]->GetVolume(&v);
    Sounds[b].Buffers[0]->GetPan(&p);
    Sounds[b].Buffers[2]->GetFrequency(&hz);
    EXPECT_EQ(v, -300) << when;
    EXPECT_EQ(p, 2000) << when;
    EXPECT_EQ(hz, 44100u + 5000) << when;
  };
  struct Case {
    int channels, rate, bits;
    DWORD hz, block, perSecond;
  } cases[] = {{2, 22, 16, 22050, 4, 88200}, {1, 32000, 8, 32000, 1, 32000}};
  for (const Case& c : cases) {
    ASSERT_EQ(ruSound::SelectFormat(c.channels, c.rate, c.bits), 1);
    WAVEFORMATEX f{};
    ruSound::Primary->GetFormat(&f);
    EXPECT_EQ(f.nSamplesPerSec, c.hz);
    EXPECT_EQ(f.nBlockAlign, c.block);
    EXPECT_EQ(f.nAvgBytesPerSec, c.perSecond);
    check("after SelectFormat");
  }
  // A refused format: reported, the objects are left without buffers and
  // every operation skips them; the next good format brings them back.
  EXPECT_EQ(ruSound::SelectFormat(3, 22, 16), 0);
  EXPECT_EQ(LastBox(), "ruSound::SelectFormat : 再生フォーマットを変更できません");
  EXPECT_EQ(Sounds[a].Buffers[0], nullptr);
  ruSound::Play(a, 1);
  ruSound::Pause(b, -1);
  EXPECT_EQ(ruSound::GetPosition(a), 0u);
  ASSERT_EQ(ruSound::SelectFormat(2, 44, 8), 1);
  check("after a refused format");
  // 8-bit output sounds 8-bit: the sink's 16-bit samples are multiples of 256.
  ruSound::Play(a, 0);
  Steps(3);
  const Samples s = Read();
  int coarse = 0;
  for (size_t i = s.left.size() - 2 * kFramesPerStep; i < s.left.size(); ++i)
    coarse += s.left[i] % 256 == 0;
  EXPECT_EQ(coarse, 2 * kFramesPerStep);
  EXPECT_GT(Peak(s.left, s.left.size() - 2 * kFramesPerStep, s.left.size()), 10000);
}

TEST_F(SoundFixture, ExitAndRestoreRebuildEverySlotInPlace) {
  const int a = LoadTone("ToneExitA", 100, 2);
  const int b = LoadTone("ToneExitB", 100, 1);
  ruSound::FreeObject(a);
  const int c = LoadTone("ToneExitC", 100, 4);
  ASSERT_EQ(c, a);
  ruSound::SetVolume(c, -10, 3);
  ruSound::PlayLoop(b, 0);
  ruSound::ExitSound();
  EXPECT_EQ(ruSound::Device, nullptr);
  EXPECT_EQ(Sounds[b].Buffers[0], nullptr);
  EXPECT_EQ(Sounds[b].Used, 1);
  EXPECT_EQ(LoadTone("ToneExitD", 100), -1);  // no device: nothing to load into
  ruSound::Play(b, 0);
  ruSound::RestoreSound();
  EXPECT_EQ(std::string(Sounds[c].Name), "ToneExitC");
  EXPECT_EQ(Sounds[c].MixCount, 4);
  EXPECT_EQ(Sounds[c].Volume[3], -1000);
  LONG v = 0;
  Sounds[c].Buffers[3]->GetVolume(&v);
  EXPECT_EQ(v, -1000);
  EXPECT_EQ(std::string(Sounds[b].Name), "ToneExitB");
  DWORD status = 1;
  Sounds[b].Buffers[0]->GetStatus(&status);
  EXPECT_EQ(status, 0u);
}
