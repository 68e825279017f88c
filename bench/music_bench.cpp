// music_bench.cpp - MIDI music mixed by our path (the MCI sequencer's
// synthesizer rendering into the mixer: 64-frame blocks, rate stepping and
// accumulation, then the mixer's clip to 16 bits) against FluidSynth writing
// 16-bit stereo itself (fluid_synth_write_s16) with its own player on the
// same piece and SoundFont. 10 ms of 44100 Hz stereo per iteration; the
// piece starts again when it ends. Items are output samples.
//
// Run: music_bench --benchmark_enable_random_interleaving=true
#include <benchmark/benchmark.h>
#include <fluidsynth.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/mci.h"
#include "platform/audio/mixer.h"
#include "platform/headless/headless.h"

namespace {

constexpr int kRate = 44100;
constexpr int kOutFrames = kRate / 100;  // 10 ms

// A format 0 piece: a chord of eight notes held, then changed, for 4 s.
std::vector<unsigned char> Piece() {
  std::vector<unsigned char> body = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xC0, 0x00};
  for (int chord = 0; chord < 8; ++chord) {
    for (int n = 0; n < 8; ++n) body.insert(body.end(), {0x00, 0x90, std::uint8_t(48 + chord + 5 * n), 0x60});
    body.insert(body.end(), {0x60, 0x80, std::uint8_t(48 + chord), 0x00});
    for (int n = 1; n < 8; ++n) body.insert(body.end(), {0x00, 0x80, std::uint8_t(48 + chord + 5 * n), 0x00});
  }
  body.insert(body.end(), {0x00, 0xFF, 0x2F, 0x00});
  std::vector<unsigned char> f = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k',
                                  0, 0, std::uint8_t(body.size() >> 8), std::uint8_t(body.size())};
  for (unsigned char b : body) f.push_back(b);
  return f;
}

std::string WritePiece() {
  const std::string path = "/tmp/ru_music_bench.mid";
  const auto bytes = Piece();
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  return path;
}

void Ours(benchmark::State& state) {
  platform::SetBackend(std::make_unique<platform::HeadlessBackend>(platform::HeadlessOptions{}));
  platform::SoundDevice* device = nullptr;
  platform::PrimaryBuffer* primary = nullptr;
  platform::SoundDevice::Create(&device);
  DSBUFFERDESC pd;
  pd.dwFlags = DSBCAPS_PRIMARYBUFFER;
  device->CreatePrimaryBuffer(&pd, &primary);
  const WAVEFORMATEX f{WAVE_FORMAT_PCM, 2, kRate, kRate * 4, 4, 16, 0};
  primary->SetFormat(&f);
  const std::string open = "open \"" + WritePiece() + "\" type sequencer alias midi";
  if (platform::MciSendString(open.c_str(), nullptr, 0, nullptr) != 0) {
    state.SkipWithError("no MIDI device (SoundFont missing?)");
    return;
  }
  platform::MciSendString("play midi", nullptr, 0, nullptr);
  std::vector<std::int16_t> out(kOutFrames * 2);
  char mode[32];
  for (auto _ : state) {
    platform::MixAudio(reinterpret_cast<BYTE*>(out.data()), out.size() * 2);
    benchmark::DoNotOptimize(out.data());
    platform::MciSendString("status midi mode", mode, sizeof mode, nullptr);
    if (mode[0] == 's') {
      platform::MciSendString("seek midi to start", nullptr, 0, nullptr);
      platform::MciSendString("play midi", nullptr, 0, nullptr);
    }
  }
  state.SetItemsProcessed(state.iterations() * kOutFrames * 2);
  platform::MciSendString("close midi", nullptr, 0, nullptr);
  primary->Release();
  device->Release();
}

void Peer(benchmark::State& state) {
  const char* font = std::getenv("RU_SOUNDFONT");
  if (!font) font = "/usr/share/sounds/sf2/default-GM.sf2";
  fluid_settings_t* settings = new_fluid_settings();
  fluid_settings_setnum(settings, "synth.sample-rate", kRate);
  fluid_settings_setnum(settings, "synth.gain", 0.6);
  fluid_settings_setstr(settings, "player.timing-source", "sample");
  fluid_synth_t* synth = new_fluid_synth(settings);
  if (fluid_synth_sfload(synth, font, 1) == FLUID_FAILED) {
    state.SkipWithError("no SoundFont");
    return;
  }
  const auto piece = Piece();
  auto start = [&] {
    fluid_player_t* p = new_fluid_player(synth);
    fluid_player_add_mem(p, piece.data(), piece.size());
    fluid_player_play(p);
    return p;
  };
  fluid_player_t* player = start();
  std::vector<std::int16_t> out(kOutFrames * 2);
  for (auto _ : state) {
    fluid_synth_write_s16(synth, kOutFrames, out.data(), 0, 2, out.data(), 1, 2);
    benchmark::DoNotOptimize(out.data());
    if (fluid_player_get_current_tick(player) >= fluid_player_get_total_ticks(player)) {
      delete_fluid_player(player);
      player = start();
    }
  }
  state.SetItemsProcessed(state.iterations() * kOutFrames * 2);
  delete_fluid_player(player);
  delete_fluid_synth(synth);
  delete_fluid_settings(settings);
}

BENCHMARK(Ours)->Name("music/ours_mixer");
BENCHMARK(Peer)->Name("music/fluidsynth_write_s16");

}  // namespace

BENCHMARK_MAIN();
