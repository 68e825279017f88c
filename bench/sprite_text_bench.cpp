// sprite_text_bench.cpp - the smoothed-text reduction (ruDraw::SmoothLine:
// every output pixel blends a 3 x 3 source neighbourhood with the back
// buffer) against SDL2's scaled blit halving the same 16-bit 5-6-5 area
// (one source pixel per output pixel, no blending): the peer is the
// cheapest way to halve a picture, so the ratio is the price of the blend.
// Both report output pixels per second as items.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include "draw/draw.h"
#include "text/text.h"

namespace {

constexpr int kW = 640, kH = 480;  // the double-size source area

struct Scene {
  SDL_Surface* source = nullptr;
  SDL_Surface* target = nullptr;
  bool ok = false;
};

// Glyph-like source: runs of ink on transparent black.
void FillInk(std::uint16_t* row, int width, std::mt19937& rng) {
  std::uniform_int_distribution<int> ink(0, 3);
  for (int x = 0; x < width; ++x) row[x] = ink(rng) == 0 ? 0xFFFF : 0;
}

Scene& GetScene() {
  static Scene scene = [] {
    Scene s;
    setenv("RU_BACKEND", "headless", 1);
    setenv("RU_DEPTH", "16", 1);
    if (ruDraw::Screen(kW, kH, 1) != 1) {
      std::fprintf(stderr, "sprite_text_bench: ruDraw::Screen failed\n");
      return s;
    }
    s.source = SDL_CreateRGBSurfaceWithFormat(0, kW, kH, 16, SDL_PIXELFORMAT_RGB565);
    s.target = SDL_CreateRGBSurfaceWithFormat(0, kW / 2, kH / 2, 16, SDL_PIXELFORMAT_RGB565);
    platform::Surface* buffer = ruDraw::Objects[3].surface;
    void* bits;
    LONG pitch;
    buffer->Lock(&bits, &pitch, DDLOCK_WAIT);
    std::mt19937 rng(7);
    for (int y = 0; y < kH; ++y) {
      auto* ours = reinterpret_cast<std::uint16_t*>(static_cast<BYTE*>(bits) + y * pitch);
      FillInk(ours, kW, rng);
      std::memcpy(static_cast<BYTE*>(s.source->pixels) + y * s.source->pitch, ours, kW * 2);
    }
    buffer->Unlock();
    ruDraw::SetClipWindow(0, 0, kW, kH);
    s.ok = true;
    return s;
  }();
  return scene;
}

constexpr std::int64_t kOutputPixels = std::int64_t(kW / 2) * (kH / 2);

void BM_SmoothLine_320x240(benchmark::State& st) {
  Scene& s = GetScene();
  if (!s.ok) return st.SkipWithError("no screen");
  for (auto _ : st) benchmark::DoNotOptimize(ruDraw::SmoothLine(0, 0, 0, 0, kW, kH));
  st.SetItemsProcessed(st.iterations() * kOutputPixels);
}

void BM_SDL_BlitScaled_Halve_320x240(benchmark::State& st) {
  Scene& s = GetScene();
  if (!s.ok) return st.SkipWithError("no screen");
  SDL_Rect to{0, 0, kW / 2, kH / 2};
  for (auto _ : st) benchmark::DoNotOptimize(SDL_BlitScaled(s.source, nullptr, s.target, &to));
  st.SetItemsProcessed(st.iterations() * kOutputPixels);
}

BENCHMARK(BM_SmoothLine_320x240);
BENCHMARK(BM_SDL_BlitScaled_Halve_320x240);

}  // namespace

// The library calls a game's hooks; the benchmark has no game.
void GameInit() {}
void PlayScene() {}
void ResultScene() {}

BENCHMARK_MAIN();
