// effects_motion_bench.cpp - the rotation against the rotozoomer a hobbyist
// would reach for, on the same 5-6-5 data: ruDraw::DrawRotate and
// DrawRotateZoom of a 256 x 256 sprite with transparent corners (angle 30;
// zoom 1 into 362 x 362, zoom 1.5 into 543 x 543) against SDL2_gfx's
// rotozoomSurface of the same sprite (no smoothing) followed by a keyed
// SDL_BlitSurface of its 32-bit result onto a 5-6-5 surface. Also, without a
// peer, DrawTunnel and ScreenBlur over 640 x 480. Items are destination
// pixels. Our fast walks are first checked against the reference walks.
//
// Run: effects_motion_bench --benchmark_enable_random_interleaving=true
#ifdef RU_HAVE_SDL2_GFX
#include <SDL2_rotozoom.h>
#endif

#include "bench_support.h"
#include "effects/effects.h"

namespace {

constexpr int kSprite = 256;
constexpr int kScreenW = 800, kScreenH = 600;

struct Scene {
  int sprite = 0, texture = 0;
  std::vector<std::uint16_t> pixels;  // the sprite
  SDL_Surface* sdlSprite = nullptr;
  SDL_Surface* sdlDest = nullptr;
  bool ok = false;
};

// A photo-like disc: random-ish 5-6-5 colours inside, 0 in the corners.
std::vector<std::uint16_t> SpritePixels() {
  std::vector<std::uint16_t> p(size_t(kSprite) * kSprite);
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> noise(0, 7);
  for (int y = 0; y < kSprite; ++y)
    for (int x = 0; x < kSprite; ++x) {
      const int dx = x - kSprite / 2, dy = y - kSprite / 2;
      const int r = ((x >> 3) + noise(rng)) & 31, g = (y >> 2) & 63, b = ((x ^ y) >> 3) & 31;
      const std::uint16_t v = std::uint16_t(r << 11 | g << 5 | b);
      p[size_t(y) * kSprite + x] = dx * dx + dy * dy < kSprite * kSprite / 4 ? (v ? v : 1) : 0;
    }
  return p;
}

int OursRotate(Scene& s) {
  return ruDraw::DrawRotate(0, 0, 362, 362, 30, s.sprite, 0, 0, kSprite, kSprite);
}
int OursRotateZoom(Scene& s) {
  return ruDraw::DrawRotateZoom(0, 0, 543, 543, 30, 1.5f, s.sprite, 0, 0, kSprite, kSprite);
}
int OursTunnel(Scene& s) { return ruDraw::DrawTunnel(0, 0, 17, 33, s.texture); }
int OursBlur(Scene&) { return ruDraw::ScreenBlur(0, 0, 640, 480); }

// The fast walks give the reference walks' pixels.
bool SameAsReference(Scene& s, int (*effect)(Scene&), const char* name) {
  const auto draw = [&] {
    ruDraw::ClearScreen();
    ruDraw::DrawNoKey(0, 0, s.texture, 0, 0, kSprite, kSprite);
    effect(s);
  };
  if (bench::FastSameAsReference(draw, kScreenW, kScreenH)) return true;
  std::fprintf(stderr, "effects_motion_bench: %s: the fast walk differs from the reference\n",
               name);
  return false;
}

Scene& GetScene() {
  static Scene scene = [] {
    Scene s;
    if (!bench::OpenHeadless565(kScreenW, kScreenH, "effects_motion_bench")) return s;
    s.pixels = SpritePixels();
    s.sprite = ruDraw::CreateObject(kSprite, kSprite, 2);
    bench::CopyIn(ruDraw::Objects[s.sprite].surface, s.pixels.data(), kSprite, kSprite);
    // The tunnel's texture: the sprite with its corners filled.
    std::vector<std::uint16_t> texture = s.pixels;
    for (size_t i = 0; i < texture.size(); ++i)
      if (!texture[i]) texture[i] = std::uint16_t(i * 2654435761u >> 16);
    s.texture = ruDraw::CreateObject(kSprite, kSprite, 2);
    bench::CopyIn(ruDraw::Objects[s.texture].surface, texture.data(), kSprite, kSprite);
    ruDraw::MakeTunnel(kSprite, kSprite, 640, 480, -1, -1, -1, 0, 0, 0);
    s.sdlSprite = bench::Sdl565From(s.pixels.data(), kSprite, kSprite);
    s.sdlDest = bench::NewSdl565(kScreenW, kScreenH);
    s.ok = SameAsReference(s, OursRotate, "DrawRotate") &&
           SameAsReference(s, OursRotateZoom, "DrawRotateZoom") &&
           SameAsReference(s, OursTunnel, "DrawTunnel") &&
           SameAsReference(s, OursBlur, "ScreenBlur");
    return s;
  }();
  return scene;
}

template <class Op>
void Run(benchmark::State& state, std::int64_t pixels, Op op) {
  bench::Run(state, GetScene(), "a fast walk differs from its reference", pixels, op);
}

void BM_DrawRotate_256(benchmark::State& st) { Run(st, 362 * 362, OursRotate); }
void BM_DrawRotateZoom_256(benchmark::State& st) { Run(st, 543 * 543, OursRotateZoom); }
void BM_DrawTunnel_640x480(benchmark::State& st) { Run(st, 640 * 480, OursTunnel); }
void BM_ScreenBlur_640x480(benchmark::State& st) { Run(st, 640 * 480, OursBlur); }
BENCHMARK(BM_DrawRotate_256);
BENCHMARK(BM_DrawRotateZoom_256);
BENCHMARK(BM_DrawTunnel_640x480);
BENCHMARK(BM_ScreenBlur_640x480);

#ifdef RU_HAVE_SDL2_GFX
// rotozoomSurface makes a new 32-bit surface per call; its area is the
// items. The keyed blit converts it onto the 5-6-5 surface.
void RotozoomBlit(benchmark::State& state, double zoom) {
  Scene& s = GetScene();
  if (!s.ok) {
    state.SkipWithError("a fast walk differs from its reference");
    return;
  }
  std::int64_t pixels = 0;
  for (auto _ : state) {
    SDL_Surface* turned = rotozoomSurface(s.sdlSprite, 30, zoom, SMOOTHING_OFF);
    SDL_SetSurfaceBlendMode(turned, SDL_BLENDMODE_NONE);
    SDL_SetColorKey(turned, SDL_TRUE, 0);
    SDL_Rect at{0, 0, turned->w, turned->h};
    SDL_BlitSurface(turned, nullptr, s.sdlDest, &at);
    pixels += std::int64_t(turned->w) * turned->h;
    SDL_FreeSurface(turned);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(pixels);
}
void BM_SDLgfx_RotozoomBlit_256(benchmark::State& st) { RotozoomBlit(st, 1.0); }
void BM_SDLgfx_RotozoomBlit_256_Zoom15(benchmark::State& st) { RotozoomBlit(st, 1.5); }
BENCHMARK(BM_SDLgfx_RotozoomBlit_256);
BENCHMARK(BM_SDLgfx_RotozoomBlit_256_Zoom15);
#endif

}  // namespace

// The library calls a game's hooks; the benchmark has no game.
void GameInit() {}
void PlayScene() {}
void ResultScene() {}

BENCHMARK_MAIN();
