// midi_synth.cpp - FluidSynth's synthesizer and MIDI player rendering into
// the mixer. The synthesizer is made on first use with the SoundFont named
// by RU_SOUNDFONT, else the first General MIDI SoundFont found in the
// system's folders; without one, music stays silent (said once on stderr).
//
// Locking: the mixer calls Render under its own lock, and Render takes this
// module's lock; the commands take only this module's lock (and call the
// mixer outside it), so the two locks are always taken in one order.
#include "platform/audio/midi_synth.h"

#include <fluidsynth.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <sys/stat.h>

#include "platform/audio/mixer.h"
#include "platform/os/messages.h"

namespace platform::midi {

namespace {

constexpr int kSynthRate = 44100;
constexpr int kBlock = 64;               // synthesizer frames rendered at a time
constexpr float kGain = 32768.0f;  // full scale in the mixer's accumulator
constexpr double kSynthGain = 0.6;  // the synthesizer's own master gain

const char* const kSoundFonts[] = {
    "/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/sounds/sf3/default-GM.sf3",
    "/usr/share/sounds/sf3/MuseScore_General.sf3"};

struct Engine {
  std::mutex lock;
  bool tried = false;  // whether making the synthesizer was attempted
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  fluid_player_t* player = nullptr;
  std::vector<unsigned char> piece;
  bool playing = false;
  bool notify = false;             // the end is to be notified
  HWND window = nullptr;           // to this window (set and read on the library's thread)
  std::atomic<bool> due{false};    // an end notification to post
  // Resampling from the synthesizer's rate to the output's.
  float left[kBlock] = {}, right[kBlock] = {};
  int at = kBlock;
  std::uint64_t fraction = 0;
};

Engine& E() {
  static Engine* engine = new Engine;  // the audio thread may outlive exit
  return *engine;
}

bool IsFile(const char* path) {
  struct stat st {};
  return path && ::stat(path, &st) == 0 && S_ISREG(st.st_mode);
}

const char* FindSoundFont() {
  const char* chosen = std::getenv("RU_SOUNDFONT");
  if (chosen && *chosen) return IsFile(chosen) ? chosen : nullptr;
  for (const char* path : kSoundFonts)
    if (IsFile(path)) return path;
  return nullptr;
}

void Quiet(int, const char*, void*) {}

// Makes the synthesizer once; false when there is none.
bool MakeSynth(Engine& e) {
  if (e.tried) return e.synth != nullptr;
  e.tried = true;
  for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
    fluid_set_log_function(level, Quiet, nullptr);
  const char* font = FindSoundFont();
  if (!font) {
    std::fprintf(stderr, "ru: no SoundFont found (RU_SOUNDFONT=PATH names one); MIDI music is silent\n");
    return false;
  }
  e.settings = new_fluid_settings();
  fluid_settings_setnum(e.settings, "synth.sample-rate", kSynthRate);
  fluid_settings_setnum(e.settings, "synth.gain", kSynthGain);
  // The player advances with the samples rendered, not the wall clock.
  fluid_settings_setstr(e.settings, "player.timing-source", "sample");
  e.synth = new_fluid_synth(e.settings);
  if (e.synth && fluid_synth_sfload(e.synth, font, 1) != FLUID_FAILED) return true;
  std::fprintf(stderr, "ru: cannot load the SoundFont %s; MIDI music is silent\n", font);
  if (e.synth) delete_fluid_synth(e.synth);
  delete_fluid_settings(e.settings);
  e.synth = nullptr;
  e.settings = nullptr;
  return false;
}

void DropPlayer(Engine& e) {
  if (!e.player) return;
  fluid_player_stop(e.player);
  delete_fluid_player(e.player);
  e.player = nullptr;
}

// A new player at the start of the piece.
void MakePlayer(Engine& e) {
  DropPlayer(e);
  if (!e.synth || e.piece.empty()) return;
  e.player = new_fluid_player(e.synth);
  if (e.player && fluid_player_add_mem(e.player, e.piece.data(), e.piece.size()) != FLUID_OK)
    DropPlayer(e);
}

void Silence(Engine& e) {
  if (e.synth) fluid_synth_all_sounds_off(e.synth, -1);
}

// Whether the piece has reached its last event. (The player itself reports
// the end only once the last notes have died away, seconds later; the
// sequencer's end is the end of the piece.)
bool Finished(const Engine& e) {
  return !e.player || fluid_player_get_status(e.player) == FLUID_PLAYER_DONE ||
         fluid_player_get_current_tick(e.player) >= fluid_player_get_total_ticks(e.player);
}

// The mixer's music source.
void Render(std::int32_t* acc, std::size_t frames, int channels, int rate) {
  Engine& e = E();
  std::lock_guard<std::mutex> guard(e.lock);
  if (!e.synth || rate <= 0) return;
  const std::uint64_t step = (std::uint64_t(kSynthRate) << 32) / std::uint64_t(rate);
  for (std::size_t i = 0; i < frames; ++i) {
    while (e.at >= kBlock) {
      fluid_synth_write_float(e.synth, kBlock, e.left, 0, 1, e.right, 0, 1);
      e.at -= kBlock;
    }
    const float l = e.left[e.at] * kGain, r = e.right[e.at] * kGain;
    if (channels == 2) {
      acc[2 * i] += std::int32_t(l);
      acc[2 * i + 1] += std::int32_t(r);
    } else {
      acc[i] += std::int32_t((l + r) * 0.5f);
    }
    e.fraction += step;
    e.at += int(e.fraction >> 32);
    e.fraction &= 0xFFFFFFFFu;
  }
  if (e.playing && Finished(e)) {
    e.playing = false;
    if (e.notify) e.due.store(true);
    e.notify = false;
  }
}

}  // namespace

bool Load(const std::vector<unsigned char>& file) {
  Engine& e = E();
  bool made;
  {
    std::lock_guard<std::mutex> guard(e.lock);
    made = MakeSynth(e);
    e.piece = file;
    e.playing = false;
    e.notify = false;
    e.due.store(false);
    MakePlayer(e);
  }
  if (made) SetMusicSource(Render);
  return made;
}

void Rewind() {
  Engine& e = E();
  std::lock_guard<std::mutex> guard(e.lock);
  // Notes still dying away from the last pass may ring on.
  e.playing = false;
  e.notify = false;
  MakePlayer(e);
}

void Play(bool notify, HWND window) {
  Engine& e = E();
  std::lock_guard<std::mutex> guard(e.lock);
  if (!e.player) return;
  if (Finished(e)) MakePlayer(e);
  if (!e.player || fluid_player_play(e.player) != FLUID_OK) return;
  e.playing = true;
  e.notify = notify;
  e.window = window;
}

void Stop() {
  Engine& e = E();
  std::lock_guard<std::mutex> guard(e.lock);
  if (e.player) fluid_player_stop(e.player);
  Silence(e);
  e.playing = false;
  e.notify = false;
  e.due.store(false);
}

void Unload() {
  Engine& e = E();
  {
    std::lock_guard<std::mutex> guard(e.lock);
    DropPlayer(e);
    Silence(e);
    e.piece.clear();
    e.playing = false;
    e.notify = false;
    e.due.store(false);
  }
  // Nothing to render until the next piece: the output stops asking.
  SetMusicSource(nullptr);
}

bool Playing() {
  Engine& e = E();
  std::lock_guard<std::mutex> guard(e.lock);
  return e.playing;
}

void Deliver() {
  if (E().due.exchange(false)) PostMessage(E().window, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 1);
}

}  // namespace platform::midi
