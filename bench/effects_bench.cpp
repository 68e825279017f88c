// effects_bench.cpp - the hot pixel effects against their nearest peers on
// the same 16-bit 5-6-5 data, 320x240: ruDraw::DrawHalf and DrawAlpha (rate
// 0.3) against SDL2's alpha-modulated keyed blit (alpha 128, blend mode
// BLEND), ruDraw::DrawAdd against SDL2's ADD blend and pixman's ADD on
// r5g6b5 images; and a few of ours alone. The peers round differently, so
// the pairs compare speed; ours are first checked against the reference
// loops. Items are pixels.
//
// Run: effects_bench --benchmark_enable_random_interleaving=true
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#ifdef RU_HAVE_PIXMAN
#include <pixman.h>
#endif

#include "draw/draw.h"
#include "effects/effects.h"
#include "platform/surface/blit.h"
#include "platform/surface/display.h"

namespace {

constexpr int kW = 320, kH = 240;
constexpr std::int64_t kPixels = std::int64_t(kW) * kH;

struct Scene {
  int object = 0;
  std::vector<std::uint16_t> source, dest;
  SDL_Surface* sdlSource = nullptr;
  SDL_Surface* sdlDest = nullptr;
#ifdef RU_HAVE_PIXMAN
  pixman_image_t* pixSource = nullptr;
  pixman_image_t* pixDest = nullptr;
#endif
  bool ok = false;
};

// Random 5-6-5 pixels, about 30 % of them 0 (transparent).
void FillRandom(std::mt19937& rng, std::vector<std::uint16_t>& pixels) {
  std::uniform_int_distribution<int> value(1, 0xFFFF), percent(0, 99);
  for (auto& p : pixels) p = percent(rng) < 30 ? 0 : std::uint16_t(value(rng));
}

void CopyIn(platform::Surface* s, const std::vector<std::uint16_t>& pixels, int w, int h) {
  void* bits;
  LONG pitch;
  s->Lock(&bits, &pitch, DDLOCK_WAIT);
  for (int y = 0; y < h; ++y)
    std::memcpy(static_cast<BYTE*>(bits) + y * pitch, &pixels[size_t(y) * w], size_t(w) * 2);
  s->Unlock();
}

std::vector<std::uint16_t> CopyOut(platform::Surface* s, int w, int h) {
  std::vector<std::uint16_t> out(size_t(w) * h);
  void* bits;
  LONG pitch;
  s->Lock(&bits, &pitch, DDLOCK_WAIT);
  for (int y = 0; y < h; ++y)
    std::memcpy(&out[size_t(y) * w], static_cast<BYTE*>(bits) + y * pitch, size_t(w) * 2);
  s->Unlock();
  return out;
}

// The fast loops give the reference loops' pixels for `effect`.
bool SameAsReference(Scene& s, int (*effect)(Scene&), const char* name) {
  std::vector<std::uint16_t> result[2];
  const bool enabled = platform::blit::FastPathsEnabled();
  for (int fast = 0; fast < 2; ++fast) {
    platform::blit::SetFastPathsEnabled(fast != 0);
    CopyIn(ruDraw::BackBuffer, s.dest, kW, kH);
    effect(s);
    result[fast] = CopyOut(ruDraw::BackBuffer, kW, kH);
  }
  platform::blit::SetFastPathsEnabled(enabled);
  if (result[0] == result[1]) return true;
  std::fprintf(stderr, "effects_bench: %s: the fast loop differs from the reference\n", name);
  return false;
}

int OursHalf(Scene& s) { return ruDraw::DrawHalf(0, 0, s.object, 0, 0, kW, kH); }
int OursAlpha(Scene& s) { return ruDraw::DrawAlpha(0, 0, 0.3f, s.object, 0, 0, kW, kH); }
int OursAdd(Scene& s) { return ruDraw::DrawAdd(0, 0, s.object, 0, 0, kW, kH); }
int OursFade(Scene& s) { return ruDraw::DrawFade(0, 0, 12, s.object, 0, 0, kW, kH); }
int OursGrey(Scene& s) { return ruDraw::DrawGrey(0, 0, s.object, 0, 0, kW, kH); }
int OursBlur(Scene& s) { return ruDraw::DrawBlur(0, 0, 5, s.object, 0, 0, kW, kH); }
int OursBlur25(Scene& s) { return ruDraw::DrawBlur(0, 0, 25, s.object, 0, 0, kW, kH); }

SDL_Surface* Sdl565(const std::vector<std::uint16_t>& pixels) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, kW, kH, 16, SDL_PIXELFORMAT_RGB565);
  for (int y = 0; y < kH; ++y)
    std::memcpy(static_cast<BYTE*>(s->pixels) + y * s->pitch, &pixels[size_t(y) * kW], kW * 2);
  return s;
}

void SdlBlit(Scene& s, SDL_BlendMode mode) {
  SDL_SetSurfaceBlendMode(s.sdlSource, mode);
  SDL_Rect at{0, 0, kW, kH};
  SDL_BlitSurface(s.sdlSource, nullptr, s.sdlDest, &at);
}

Scene& GetScene() {
  static Scene scene = [] {
    Scene s;
    setenv("RU_BACKEND", "headless", 1);
    setenv("RU_DEPTH", "16", 1);
    if (ruDraw::Screen(640, 480, 1) != 1) {
      std::fprintf(stderr, "effects_bench: ruDraw::Screen failed\n");
      return s;
    }
    std::mt19937 rng(2024);
    s.source.resize(size_t(kPixels));
    s.dest.resize(size_t(kPixels));
    FillRandom(rng, s.source);
    FillRandom(rng, s.dest);
    s.object = ruDraw::CreateObject(kW, kH, 2);
    CopyIn(ruDraw::Objects[s.object].surface, s.source, kW, kH);
    CopyIn(ruDraw::BackBuffer, s.dest, kW, kH);
    s.sdlSource = Sdl565(s.source);
    s.sdlDest = Sdl565(s.dest);
    SDL_SetColorKey(s.sdlSource, SDL_TRUE, 0);
    SDL_SetSurfaceAlphaMod(s.sdlSource, 128);
#ifdef RU_HAVE_PIXMAN
    s.pixSource = pixman_image_create_bits(PIXMAN_r5g6b5, kW, kH,
                                           reinterpret_cast<uint32_t*>(s.source.data()), kW * 2);
    s.pixDest = pixman_image_create_bits(PIXMAN_r5g6b5, kW, kH,
                                         reinterpret_cast<uint32_t*>(s.dest.data()), kW * 2);
#endif
    s.ok = SameAsReference(s, OursHalf, "DrawHalf") && SameAsReference(s, OursAlpha, "DrawAlpha") &&
           SameAsReference(s, OursAdd, "DrawAdd") && SameAsReference(s, OursFade, "DrawFade") &&
           SameAsReference(s, OursGrey, "DrawGrey") && SameAsReference(s, OursBlur, "DrawBlur") &&
           SameAsReference(s, OursBlur25, "DrawBlur 25");
    return s;
  }();
  return scene;
}

template <class Op>
void Run(benchmark::State& state, Op op) {
  Scene& s = GetScene();
  if (!s.ok) {
    state.SkipWithError("a fast loop differs from its reference");
    return;
  }
  for (auto _ : state) {
    op(s);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kPixels);
}

void BM_DrawHalf_320x240(benchmark::State& st) { Run(st, OursHalf); }
void BM_DrawAlpha_320x240(benchmark::State& st) { Run(st, OursAlpha); }
void BM_SDL_AlphaMod_320x240(benchmark::State& st) {
  Run(st, [](Scene& s) { SdlBlit(s, SDL_BLENDMODE_BLEND); });
}
// The same blit without the colour key (SDL's special 50 % path), for
// orientation: it mixes every pixel, transparent or not.
void BM_SDL_AlphaModNoKey_320x240(benchmark::State& st) {
  Run(st, [](Scene& s) {
    SDL_SetColorKey(s.sdlSource, SDL_FALSE, 0);
    SdlBlit(s, SDL_BLENDMODE_BLEND);
    SDL_SetColorKey(s.sdlSource, SDL_TRUE, 0);
  });
}
void BM_DrawAdd_320x240(benchmark::State& st) { Run(st, OursAdd); }
void BM_SDL_BlendAdd_320x240(benchmark::State& st) {
  Run(st, [](Scene& s) { SdlBlit(s, SDL_BLENDMODE_ADD); });
}
// Ours alone (no peer draws the same thing); RU_DISABLE_FAST_PATHS=1 times
// the reference loops.
void BM_DrawFade_320x240(benchmark::State& st) { Run(st, OursFade); }
void BM_DrawGrey_320x240(benchmark::State& st) { Run(st, OursGrey); }
void BM_DrawBlur5_320x240(benchmark::State& st) { Run(st, OursBlur); }
void BM_DrawBlur25_320x240(benchmark::State& st) { Run(st, OursBlur25); }
BENCHMARK(BM_DrawFade_320x240);
BENCHMARK(BM_DrawGrey_320x240);
BENCHMARK(BM_DrawBlur5_320x240);
BENCHMARK(BM_DrawBlur25_320x240);

#ifdef RU_HAVE_PIXMAN
void BM_Pixman_Add_320x240(benchmark::State& st) {
  Run(st, [](Scene& s) {
    pixman_image_composite(PIXMAN_OP_ADD, s.pixSource, nullptr, s.pixDest, 0, 0, 0, 0, 0, 0, kW,
                           kH);
  });
}
BENCHMARK(BM_Pixman_Add_320x240);
#endif

BENCHMARK(BM_DrawHalf_320x240);
BENCHMARK(BM_DrawAlpha_320x240);
BENCHMARK(BM_SDL_AlphaMod_320x240);
BENCHMARK(BM_SDL_AlphaModNoKey_320x240);
BENCHMARK(BM_DrawAdd_320x240);
BENCHMARK(BM_SDL_BlendAdd_320x240);

}  // namespace

// The library calls a game's hooks; the benchmark has no game.
void GameInit() {}
void PlayScene() {}
void ResultScene() {}

BENCHMARK_MAIN();
