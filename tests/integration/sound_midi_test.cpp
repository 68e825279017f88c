// sound_midi_test.cpp - MIDI music through the MCI sequencer and the
// synthesizer into the headless sink: looping, playing once, MidiOnce, a
// replacement piece, a notification after StopMidi, and files that must be
// refused before they reach the player.
#include <sys/stat.h>

#include <filesystem>

#include "platform/os/files.h"
#include "platform/os/messages.h"
#include "tests/integration/sound_fixture.h"

using namespace soundtest;

namespace {

constexpr int kOut = 44100;

// A format 0 file: tempo 120, one note of `quarters` quarter notes.
std::vector<unsigned char> Smf(int quarters, std::uint32_t claimedTrack = 0) {
  const unsigned ticks = 96u * quarters;
  std::vector<unsigned char> body = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,  // tempo
                                     0x00, 0xC0, 0x50, 0x00, 0x90, 0x45, 0x60,  // program, on
                                     std::uint8_t(0x80 | (ticks >> 7)), std::uint8_t(ticks & 0x7F),
                                     0x80, 0x45, 0x00, 0x00, 0xFF, 0x2F, 0x00};  // off, end
  std::vector<unsigned char> f = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96,
                                  'M', 'T', 'r', 'k'};
  const std::uint32_t length = claimedTrack ? claimedTrack : std::uint32_t(body.size());
  for (int s = 24; s >= 0; s -= 8) f.push_back(std::uint8_t(length >> s));
  f.insert(f.end(), body.begin(), body.end());
  return f;
}

bool HaveSoundFont() {
  std::error_code e;
  for (const char* p : {"/usr/share/sounds/sf2", "/usr/share/sounds/sf3"})
    if (std::filesystem::exists(p, e) && !std::filesystem::is_empty(p, e)) return true;
  return std::getenv("RU_SOUNDFONT") != nullptr;
}

class MidiTest : public SoundFixture {
 protected:
  void SetUp() override {
    if (!HaveSoundFont()) GTEST_SKIP() << "no SoundFont installed";
    SoundFixture::SetUp();
    ruSound::InitMidi();
  }
  void TearDown() override {
    ruSound::StopMidi();
    SoundFixture::TearDown();
  }
  void Write(const std::string& name, const std::vector<unsigned char>& bytes) {
    const std::string host = platform::ToHostPath(std::string(ruSystem::GetAppFolder(0)) + name);
    std::FILE* f = std::fopen(host.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  // Runs frames as the game loop does, handing end notifications to the
  // window procedure; returns how many arrived.
  int Run(double seconds) {
    int notices = 0;
    for (int i = 0; i < int(seconds * 1000 / kFrameMs); ++i) {
      Steps(1);
      platform::MSG m;
      while (platform::PeekMessage(&m, PM_REMOVE))
        if (m.message == MM_MCINOTIFY) {
          ++notices;
          ruSystem::WindowProc(m.hwnd, m.message, m.wParam, m.lParam);
        }
    }
    return notices;
  }
  // The loudest sample of the sink between two times (seconds).
  int Loudest(double from, double to) {
    const Samples s = Read();
    return Peak(s.left, size_t(from * kOut), size_t(to * kOut));
  }
};

}  // namespace

TEST_F(MidiTest, LoopsUntilMidiOnceThenCloses) {
  Write("mt_note.mid", Smf(1));  // half a second
  EXPECT_EQ(ruSound::PlayMidi("mt_note.mid", 1), 1);
  EXPECT_EQ(Run(1.9), 3);  // three passes ended and started again
  EXPECT_EQ(ruSound::MidiOpen, 1);
  EXPECT_EQ(ruSound::MidiEnded, 1);
  EXPECT_GT(Loudest(1.55, 1.7), 1000);  // the fourth pass sounds
  ruSound::MidiOnce();
  EXPECT_EQ(Run(1.5), 1);
  EXPECT_EQ(ruSound::MidiOpen, 0);
  EXPECT_LT(Loudest(3.0, 3.4), 50);
}

TEST_F(MidiTest, PlaysOnceAndIgnoresANoticeAfterStop) {
  Write("mt_note.mid", Smf(1));
  ruSound::PlayMidi("mt_note.mid", 0);
  EXPECT_EQ(Run(0.3), 0);
  EXPECT_EQ(ruSound::MidiEnded, 0);
  EXPECT_EQ(Run(1.0), 1);
  EXPECT_EQ(ruSound::MidiEnded, 1);
  EXPECT_EQ(ruSound::MidiOpen, 0);
  EXPECT_GT(Loudest(0.05, 0.5), 1000);

  // A replacement piece; then a notice after StopMidi changes nothing.
  Write("mt_long.mid", Smf(8));
  ruSound::PlayMidi("mt_note.mid", 1);
  ruSound::PlayMidi("mt_long.mid", 0);
  EXPECT_EQ(Run(1.0), 0);
  ruSound::StopMidi();
  ruSystem::WindowProc(ruSystem::MainWindow, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 1);
  EXPECT_EQ(ruSound::MidiEnded, 0);
  EXPECT_EQ(Run(0.5), 0);
  EXPECT_LT(Loudest(2.9, 3.3), 50);
}

TEST_F(MidiTest, BadFilesNeverPlayNorNotify) {
  std::filesystem::create_directories(platform::ToHostPath(
      std::string(ruSystem::GetAppFolder(0)) + "mt_folder.mid"));
  auto cut = Smf(1);
  cut.resize(cut.size() - 5);
  auto format2 = Smf(1);
  format2[9] = 2;
  Write("mt_cut.mid", cut);
  Write("mt_absurd.mid", Smf(1, 0x7FFFFFF0));
  Write("mt_text.mid", {'h', 'e', 'l', 'l', 'o'});
  Write("mt_format2.mid", format2);
  const std::string longName = std::string(250, 'n') + ".mid";
  struct Case {
    std::string name;
    int open;  // MidiOpen afterwards
  } cases[] = {{"mt_missing.mid", 1}, {"mt_folder.mid", 1}, {"mt_cut.mid", 1},
               {"mt_absurd.mid", 1},  {"mt_text.mid", 1},   {"mt_format2.mid", 1},
               {longName, 0}};
  double at = 0;
  for (const Case& c : cases) {
    ruSound::InitMidi();
    ruSound::PlayMidi(c.name.c_str(), 0);
    EXPECT_EQ(ruSound::MidiOpen, c.open) << c.name;
    EXPECT_EQ(Run(1.0), 0) << c.name;
    EXPECT_EQ(ruSound::MidiEnded, 0) << c.name;
    EXPECT_LT(Loudest(at, at + 1.0), 50) << c.name;
    at += 1.0;
    ruSound::StopMidi();
  }
}
