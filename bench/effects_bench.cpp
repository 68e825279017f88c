// effects_bench.cpp - the hot pixel effects against their nearest peers on
// the same 16-bit 5-6-5 data, 320x240: ruDraw::DrawHalf and DrawAlpha (rate
// 0.3) against SDL2's alpha-modulated keyed blit (alpha 128, blend mode
// BLEND), ruDraw::DrawAdd against SDL2's ADD blend and pixman's ADD on
// r5g6b5 images; and a few of ours alone. The peers round differently, so
// the pairs compare speed; ours are first checked against the reference
// loops. Items are pixels.
//
// Run: effects_bench --benchmark_enable_random_interleaving=true
#ifdef RU_HAVE_PIXMAN
#include <pixman.h>
#endif

#include "bench_support.h"
#include "effects/effects.h"

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

// The fast loops give the reference loops' pixels for `effect`.
bool SameAsReference(Scene& s, int (*effect)(Scene&), const char* name) {
  const auto draw = [&] {
    bench::CopyIn(ruDraw::BackBuffer, s.dest.data(), kW, kH);
    effect(s);
  };
  if (bench::FastSameAsReference(draw, kW, kH)) return true;
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

void SdlBlit(Scene& s, SDL_BlendMode mode) {
  SDL_SetSurfaceBlendMode(s.sdlSource, mode);
  SDL_Rect at{0, 0, kW, kH};
  SDL_BlitSurface(s.sdlSource, nullptr, s.sdlDest, &at);
}

Scene& GetScene() {
  static Scene scene = [] {
    Scene s;
    if (!bench::OpenHeadless565(640, 480, "effects_bench")) return s;
    std::mt19937 rng(2024);
    s.source.resize(size_t(kPixels));
    s.dest.resize(size_t(kPixels));
    bench::FillRandom(rng, s.source.data(), s.source.size());
    bench::FillRandom(rng, s.dest.data(), s.dest.size());
    s.object = ruDraw::CreateObject(kW, kH, 2);
    bench::CopyIn(ruDraw::Objects[s.object].surface, s.source.data(), kW, kH);
    bench::CopyIn(ruDraw::BackBuffer, s.dest.data(), kW, kH);
    s.sdlSource = bench::Sdl565From(s.source.data(), kW, kH);
    s.sdlDest = bench::Sdl565From(s.dest.data(), kW, kH);
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
  bench::Run(state, GetScene(), "a fast loop differs from its reference", kPixels, op);
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
