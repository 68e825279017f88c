// sprite_text_bench.cpp - the smoothed-text reduction (ruDraw::SmoothLine:
// every output pixel blends a 3 x 3 source neighbourhood with the back
// buffer) against SDL2's scaled blit halving the same 16-bit 5-6-5 area
// (one source pixel per output pixel, no blending): the peer is the
// cheapest way to halve a picture, so the ratio is the price of the blend.
// Both report output pixels per second as items.
#include "bench_support.h"
#include "text/text.h"

namespace {

constexpr int kW = 640, kH = 480;  // the double-size source area

struct Scene {
  SDL_Surface* source = nullptr;
  SDL_Surface* target = nullptr;
  bool ok = false;
};

// Glyph-like source: runs of ink on transparent black.
std::vector<std::uint16_t> Ink() {
  std::vector<std::uint16_t> pixels(size_t(kW) * kH);
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> ink(0, 3);
  for (auto& p : pixels) p = ink(rng) == 0 ? 0xFFFF : 0;
  return pixels;
}

Scene& GetScene() {
  static Scene scene = [] {
    Scene s;
    if (!bench::OpenHeadless565(kW, kH, "sprite_text_bench")) return s;
    const std::vector<std::uint16_t> ink = Ink();
    bench::CopyIn(ruDraw::Objects[3].surface, ink.data(), kW, kH);
    s.source = bench::Sdl565From(ink.data(), kW, kH);
    s.target = bench::NewSdl565(kW / 2, kH / 2);
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
