// sound_playback_test.cpp - sound objects heard through the headless sink:
// timing, volume, pan, frequency, round-robin, pause, echo, the beep, and
// a machine without a sound device.
#include <fstream>
#include <iterator>

#include "platform/os/clock.h"
#include "tests/integration/sound_fixture.h"

using namespace soundtest;
using ruSound::Sounds;

namespace {
DWORD Status(int no, int j) {
  DWORD s = 0;
  Sounds[no].Buffers[j]->GetStatus(&s);
  return s & DSBSTATUS_PLAYING;
}
}  // namespace

TEST_F(SoundFixture, ToneStartsInTheFrameAfterPlayAndLastsItsLength) {
  const int no = LoadTone("ToneStart", 100);
  ASSERT_EQ(no, 0);
  Steps(3);
  ruSound::Play(no, 0);
  Steps(15);
  const auto [first, last] = Extent(Read().left);
  EXPECT_NEAR(first, 3 * kFramesPerStep, 4);
  EXPECT_NEAR(last - first, 4410, 8);
}

TEST_F(SoundFixture, VolumeHalvesAndPanSilencesOneSide) {
  struct Case {
    const char* name;
    int volume, pan;
    double left, right;  // expected peak relative to the tone's
  } cases[] = {
      {"Vol0", 0, 0, 1.0, 1.0},
      {"VolMinus6", -6, 0, 0.5, 0.5},
      {"PanRight", 0, 100, 0.0, 1.0},
      {"PanLeft", 0, -100, 1.0, 0.0},
  };
  for (const Case& c : cases) {
    const int no = LoadTone(c.name, 1000);
    ruSound::SetVolume(no, c.volume, 0);
    ruSound::SetPan(no, c.pan, 0);
    const size_t from = Read().left.size() + kFramesPerStep;
    ruSound::PlayLoop(no, 0);
    Steps(4);
    ruSound::Stop(no, -1);
    const Samples s = Read();
    EXPECT_NEAR(Peak(s.left, from, from + 2 * kFramesPerStep) / 16000.0, c.left, 0.02) << c.name;
    EXPECT_NEAR(Peak(s.right, from, from + 2 * kFramesPerStep) / 16000.0, c.right, 0.02) << c.name;
  }
}

TEST_F(SoundFixture, TwiceTheBaseFrequencyHalvesTheDuration) {
  const int no = LoadTone("ToneFast", 200, 1, 20000, 500);
  EXPECT_EQ(Sounds[no].BaseFrequency, 20000);
  ruSound::SetFrequency(no, 200, 0);
  EXPECT_EQ(Sounds[no].Frequency[0], 40000);
  ruSound::Play(no, 0);
  Steps(25);
  const auto [first, last] = Extent(Read().left);
  EXPECT_NEAR(last - first, 4410, 10);
}

TEST_F(SoundFixture, RoundRobinPlaysEachBufferInTurn) {
  const int no = LoadTone("ToneRobin", 1000, 3);
  for (int turn = 0; turn < 3; ++turn) {
    ruSound::Play(no, -1);
    for (int j = 0; j < 3; ++j) EXPECT_EQ(Status(no, j), j <= turn ? 1u : 0u) << turn;
  }
  Steps(2);
  ruSound::Play(no, -1);  // the fourth play takes buffer 0 again, from the start
  EXPECT_EQ(ruSound::GetPosition(no), 0u);
  EXPECT_EQ(Sounds[no].MixCursor, 1);
}

TEST_F(SoundFixture, PauseTwiceResumesWhereItStopped) {
  const int no = LoadTone("TonePause", 1000);
  ruSound::Pause(no, 0);  // never played: starts from 0
  EXPECT_EQ(Status(no, 0), 1u);
  ruSound::Stop(no, 0);
  ruSound::Play(no, 0);
  Steps(5);
  ruSound::Pause(no, 0);
  const DWORD paused = Sounds[no].PausePos[0];
  EXPECT_NEAR(double(paused), 50 * 88.2, 8);  // 50 ms of 16-bit mono 44100 Hz
  Steps(3);
  EXPECT_EQ(ruSound::GetPosition(no), paused);
  ruSound::Pause(no, 0);
  Steps(1);
  EXPECT_NEAR(double(ruSound::GetPosition(no)), paused + 882.0, 8);
}

// Repeats 3 on four mix buffers: buffers 0, 1, 2, 3 at 0, -d, -2d, -3d dB.
TEST_F(SoundFixture, EchoReplaysThroughTheFurtherBuffersQuieter) {
  const int no = LoadTone("ToneEcho", 2000, 4);
  ASSERT_EQ(Sounds[no].EchoStep, 0);
  ruSound::Play(no, -2);
  EXPECT_EQ(Sounds[no].EchoStep, 1);
  ruSystem::FrameTime = 0.05f;
  std::vector<int> order = {0};
  for (int call = 0; call < 12; ++call) {
    const int cursor = Sounds[no].MixCursor;
    if (ruSound::Echo(no, 100, 3, 6)) order.push_back(cursor);
  }
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3}));
  for (int j = 0; j < 4; ++j) {
    EXPECT_EQ(Sounds[no].Volume[j], -600 * j);
    LONG v = 1;
    Sounds[no].Buffers[j]->GetVolume(&v);
    EXPECT_EQ(v, -600 * j);
    EXPECT_EQ(Status(no, j), 1u);
  }
  EXPECT_EQ(Sounds[no].EchoStep, 0);
}

TEST_F(SoundFixture, EchoPanTurnsAtThirtyAndStaysWithin3000) {
  const int no = LoadTone("TonePan", 2000, 2);
  ruSound::Play(no, -2);
  ruSystem::FrameTime = 0.5f;
  int turns = 0;
  for (int call = 0; call < 8; ++call) {
    const int dir = Sounds[no].EchoPanDir;
    ruSound::EchoPan(no, 0, 100, 1, 2);  // 100 per call: at a bound every call
    turns += Sounds[no].EchoPanDir != dir;
    EXPECT_LE(std::abs(Sounds[no].Pan[0]), 3000);
    EXPECT_LE(std::abs(Sounds[no].Pan[1]), 3000);
    EXPECT_LE(std::abs(Sounds[no].EchoPanPos), 30.0f);
  }
  EXPECT_EQ(turns, 8);
}

TEST_F(SoundFixture, BeepIsHeardWithoutAnySoundObject) {
  ruSound::Beep();
  Steps(5);
  EXPECT_EQ(backend_->BeepCount(), 1);
  EXPECT_GT(Peak(Read().left, 0, 5 * kFramesPerStep), 1000);
}

TEST_F(SoundFixture, NoDeviceMeansMinusOneAndSilence) {
  Start(false);
  EXPECT_EQ(ruSound::SoundReady, 0);
  EXPECT_EQ(LoadTone("ToneNone", 100), -1);
  ruSound::Play(0, -1);
  ruSound::SetVolume(0, -3, -1);
  ruSound::Beep();
  ruSound::PlaySystemSound("SystemAsterisk");
  Steps(5);
  const Samples s = Read();
  EXPECT_EQ(s.left.size(), 5u * kFramesPerStep);
  EXPECT_EQ(Peak(s.left, 0, s.left.size()) + Peak(s.right, 0, s.right.size()), 0);
}

TEST_F(SoundFixture, SystemSoundPlaysToItsEndAndTheClockMovesOn) {
  const int no = LoadTone("ToneSys", 100, 2);
  ruSound::SetVolume(no, -5, 1);
  ruSound::PlayLoop(no, 0);
  const DWORD before = platform::TimeGetTime();
  ruSound::PlaySystemSound("SystemQuestion");
  const DWORD took = platform::TimeGetTime() - before;
  EXPECT_GT(took, 300u);
  EXPECT_LT(took, 1000u);
  EXPECT_GT(Peak(Read().left, 0, Read().left.size()), 1000);
  // Rebuilt with its settings, stopped and rewound.
  EXPECT_EQ(Status(no, 0), 0u);
  LONG v = 0;
  Sounds[no].Buffers[1]->GetVolume(&v);
  EXPECT_EQ(v, -500);
}

TEST_F(SoundFixture, TwoRunsWriteTheSameBytes) {
  auto run = [this] {
    Start(true);
    const int no = LoadTone("ToneSame", 300, 3);
    ruSound::SetPan(no, 40, -1);
    ruSound::SetFrequency(no, 37, 1);
    ruSound::Play(no, -2);
    ruSystem::FrameTime = 0.01f;
    for (int i = 0; i < 20; ++i) {
      ruSound::Echo(no, 40, 2, 3);
      Steps(1);
    }
    std::ifstream in(out_, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
  };
  const std::string a = run();
  EXPECT_EQ(a.size(), 44u + 20 * kFramesPerStep * 4);
  EXPECT_EQ(a, run());
}
