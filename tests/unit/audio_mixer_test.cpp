// audio_mixer_test.cpp - the mixer's buffers, driven by calling the
// output's side directly: lock parts, play and position, refused formats,
// the output format really produced, released buffers never mixed.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/audio/mixer.h"
#include "tests/support/headless_run.h"

using namespace platform;

namespace {

class Mixer : public testing::Test {
 protected:
  void SetUp() override {
    headless_run::Fresh();
    ASSERT_EQ(SoundDevice::Create(&device_), DS_OK);
    DSBUFFERDESC primary;
    primary.dwFlags = DSBCAPS_PRIMARYBUFFER;
    ASSERT_EQ(device_->CreatePrimaryBuffer(&primary, &primary_), DS_OK);
    SetOutput(2, 44100, 16);
  }
  void TearDown() override {
    SetOutput(2, 22050, 16);
    primary_->Release();
    device_->Release();
  }
  void SetOutput(WORD channels, DWORD rate, WORD bits) {
    const WORD block = WORD(channels * bits / 8);
    const WAVEFORMATEX f{WAVE_FORMAT_PCM, channels, rate, rate * block, block, bits, 0};
    ASSERT_EQ(primary_->SetFormat(&f), DS_OK);
  }
  // A buffer of 16-bit mono samples all equal to `value`.
  SoundBuffer* Constant(int frames, std::int16_t value, DWORD rate = 44100) {
    const WAVEFORMATEX f{WAVE_FORMAT_PCM, 1, rate, rate * 2, 2, 16, 0};
    DSBUFFERDESC d;
    d.dwBufferBytes = DWORD(frames * 2);
    d.lpwfxFormat = &f;
    SoundBuffer* b = nullptr;
    EXPECT_EQ(device_->CreateSoundBuffer(&d, &b), DS_OK);
    void* p1;
    void* p2;
    DWORD n1, n2;
    b->Lock(0, d.dwBufferBytes, &p1, &n1, &p2, &n2);
    for (int i = 0; i < frames; ++i) std::memcpy(static_cast<BYTE*>(p1) + 2 * i, &value, 2);
    b->Unlock(p1, n1, p2, n2);
    return b;
  }
  std::vector<std::int16_t> Mix16(int frames) {
    std::vector<std::int16_t> out(frames * 2);
    MixAudio(reinterpret_cast<BYTE*>(out.data()), out.size() * 2);
    return out;
  }
  SoundDevice* device_ = nullptr;
  PrimaryBuffer* primary_ = nullptr;
};

}  // namespace

TEST_F(Mixer, LockGivesOneOrTwoParts) {
  SoundBuffer* b = Constant(50, 0);  // 100 bytes
  struct Case {
    DWORD offset, bytes, first, second;
    HRESULT result;
  } cases[] = {
      {0, 100, 100, 0, DS_OK},  {10, 20, 20, 0, DS_OK},        {90, 30, 10, 20, DS_OK},
      {100, 1, 0, 0, DSERR_INVALIDPARAM}, {0, 101, 0, 0, DSERR_INVALIDPARAM},
  };
  for (const Case& c : cases) {
    void *p1 = nullptr, *p2 = nullptr;
    DWORD n1 = 0, n2 = 0;
    ASSERT_EQ(b->Lock(c.offset, c.bytes, &p1, &n1, &p2, &n2), c.result) << c.offset;
    if (c.result != DS_OK) continue;
    EXPECT_EQ(n1, c.first);
    EXPECT_EQ(n2, c.second);
    EXPECT_EQ(p2 != nullptr, c.second > 0);
  }
}

TEST_F(Mixer, CreationRefusesWhatCannotBeMixed) {
  struct Case {
    WAVEFORMATEX f;
    DWORD bytes;
    HRESULT result;
  } cases[] = {
      {{2, 1, 22050, 11025, 1024, 4, 32}, 1024, DSERR_BADFORMAT},  // not PCM
      {{1, 3, 22050, 132300, 6, 16, 0}, 600, DSERR_INVALIDPARAM},   // 3 channels
      {{1, 1, 22050, 66150, 3, 24, 0}, 600, DSERR_INVALIDPARAM},    // 24 bits
      {{1, 1, 50, 100, 2, 16, 0}, 600, DSERR_INVALIDPARAM},         // rate below 100
      {{1, 2, 22050, 88200, 2, 16, 0}, 600, DSERR_INVALIDPARAM},    // wrong block
      {{1, 1, 22050, 44100, 2, 16, 0}, 2, DSERR_INVALIDPARAM},      // below 4 bytes
      {{1, 2, 22050, 88200, 4, 16, 0}, 6, DS_OK},                   // any size from 4
  };
  for (const Case& c : cases) {
    DSBUFFERDESC d;
    d.dwBufferBytes = c.bytes;
    d.lpwfxFormat = &c.f;
    SoundBuffer* b = nullptr;
    EXPECT_EQ(device_->CreateSoundBuffer(&d, &b), c.result);
    EXPECT_EQ(b != nullptr, c.result == DS_OK);
    if (b) {
      EXPECT_EQ(b->Bytes(), c.bytes);
      EXPECT_EQ(b->SetCurrentPosition(4), DSERR_INVALIDPARAM);  // in the partial frame
    }
  }
}

TEST_F(Mixer, OnceStopsAtTheEndLoopWraps) {
  SoundBuffer* once = Constant(100, 1000);
  SoundBuffer* loop = Constant(100, 2000);
  once->Play(0, 0, 0);
  loop->Play(0, 0, DSBPLAY_LOOPING);
  std::vector<std::int16_t> out = Mix16(60);
  EXPECT_EQ(out[0], 3000);
  DWORD pos = 0, status = 0;
  once->GetCurrentPosition(&pos, nullptr);
  EXPECT_EQ(pos, 120u);  // 60 frames of 2 bytes consumed
  out = Mix16(60);
  EXPECT_EQ(out[2 * 39], 3000);
  EXPECT_EQ(out[2 * 40], 2000);  // the one-shot ended after 100 frames
  once->GetStatus(&status);
  EXPECT_EQ(status, 0u);
  loop->GetStatus(&status);
  EXPECT_EQ(status, DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
  loop->GetCurrentPosition(&pos, nullptr);
  EXPECT_EQ(pos, 40u);  // 120 frames into a 100-frame loop
}

// Resampled at any rate, a constant loop stays constant through its wrap
// (no click), and the position moves by the frames really consumed.
TEST_F(Mixer, ResampledLoopHasNoClickAtTheWrap) {
  SoundBuffer* loop = Constant(37, 8000, 30011);
  loop->Play(0, 0, DSBPLAY_LOOPING);
  const std::vector<std::int16_t> out = Mix16(4410);
  for (size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i], 8000) << i;
  SoundBuffer* half = Constant(1000, 100, 22050);
  half->Play(0, 0, 0);
  Mix16(441);
  DWORD pos = 0;
  half->GetCurrentPosition(&pos, nullptr);
  EXPECT_NEAR(double(pos), 441.0, 2.0);  // 220.5 frames of 2 bytes
}

TEST_F(Mixer, EightBitOutputIsEightBit) {
  SetOutput(1, 44100, 8);
  SoundBuffer* b = Constant(10, 0x1234);
  b->Play(0, 0, 0);
  BYTE out[4];
  MixAudio(out, sizeof out);
  EXPECT_EQ(out[0], 0x12 + 128);
}

TEST_F(Mixer, ReleasedBufferIsNeverMixedAndDeviceReleaseTakesItsBuffers) {
  SoundBuffer* a = Constant(100, 1000);
  SoundBuffer* b = Constant(100, 10);
  a->Play(0, 0, DSBPLAY_LOOPING);
  b->Play(0, 0, DSBPLAY_LOOPING);
  a->Release();
  EXPECT_EQ(Mix16(4)[0], 10);
  SoundDevice* other = nullptr;
  ASSERT_EQ(SoundDevice::Create(&other), DS_OK);
  DSBUFFERDESC d;
  const WAVEFORMATEX f{WAVE_FORMAT_PCM, 1, 44100, 88200, 2, 16, 0};
  d.dwBufferBytes = 8;
  d.lpwfxFormat = &f;
  SoundBuffer* c = nullptr;
  ASSERT_EQ(other->CreateSoundBuffer(&d, &c), DS_OK);
  c->Play(0, 0, DSBPLAY_LOOPING);
  other->Release();  // c goes with its device
  EXPECT_EQ(Mix16(4)[0], 10);
}

TEST(MixerGain, VolumeIsTenToTheVOver2000) {
  EXPECT_EQ(VolumeToGain(0), 32768);
  EXPECT_EQ(VolumeToGain(-10000), 0);
  EXPECT_NEAR(VolumeToGain(-600) / 32768.0, 0.501, 0.001);
  EXPECT_NEAR(VolumeToGain(-2000) / 32768.0, 0.1, 0.001);
}

// Every source layout into every output layout, at unity gain.
TEST_F(Mixer, SourceFramesWidenAndSpreadToTheOutput) {
  struct Case {
    WORD bits, channels;
    std::vector<BYTE> frame;
    WORD outChannels;
    std::int16_t left, right;
  } cases[] = {
      {8, 1, {0xC0}, 2, 16384, 16384},
      {8, 2, {0x40, 0xC0}, 2, -16384, 16384},
      {16, 1, {0x00, 0x10}, 2, 4096, 4096},
      {16, 2, {0x00, 0x10, 0x00, 0x30}, 1, 8192, 0},  // mono output: the average
  };
  for (const Case& c : cases) {
    SetOutput(c.outChannels, 44100, 16);
    const WORD block = WORD(c.channels * c.bits / 8);
    const WAVEFORMATEX f{WAVE_FORMAT_PCM, c.channels, 44100, 44100u * block, block, c.bits, 0};
    DSBUFFERDESC d;
    d.dwBufferBytes = 8 * block;
    d.lpwfxFormat = &f;
    SoundBuffer* b = nullptr;
    ASSERT_EQ(device_->CreateSoundBuffer(&d, &b), DS_OK);
    void *p1, *p2;
    DWORD n1, n2;
    b->Lock(0, d.dwBufferBytes, &p1, &n1, &p2, &n2);
    for (int i = 0; i < 8; ++i) std::memcpy(static_cast<BYTE*>(p1) + i * block, c.frame.data(), block);
    b->Play(0, 0, 0);
    std::int16_t out[2] = {0, 0};
    MixAudio(reinterpret_cast<BYTE*>(out), c.outChannels * 2);
    EXPECT_EQ(out[0], c.left) << c.bits << "/" << c.channels;
    if (c.outChannels == 2) {
      EXPECT_EQ(out[1], c.right) << c.bits << "/" << c.channels;
    }
    b->Release();
  }
}
