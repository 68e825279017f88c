// draw_bench.cpp - the library's drawing against SDL2's blits on the same
// data, 16-bit 5-6-5: keyed 40x40 sprites (ruDraw::Draw), keyed and plain
// 640x480 copies (ruDraw::Draw, ruDraw::DrawNoKey), clearing the screen
// (ruDraw::ClearScreen) and a 320x240 object scaled twice over the screen
// (ruDraw::DrawStretchNoKey, and GDI's StretchBlt between the two surfaces'
// device contexts) against SDL_BlitScaled, on a screen opened headless with
// ruDraw::Screen.
// Each pair is first checked to produce the same pixels; each benchmark
// reports pixels per second as items.
//
// Run: draw_bench --benchmark_enable_random_interleaving=true
#include "bench_support.h"
#include "platform/gdi/gdi.h"
#include "system/system.h"

namespace {

using platform::Surface;

constexpr int kScreenW = 640, kScreenH = 480;
constexpr int kSprite = 40, kSpriteCount = 64, kDraws = 1000;
constexpr int kHalfW = kScreenW / 2, kHalfH = kScreenH / 2;

struct Position {
  int x, y, sprite;
};

// Both sides' surfaces, filled with the same pixels. Ours are draw objects.
struct Scene {
  Surface* back = nullptr;
  int big = 0;  // 640x480, keyed
  int half = 0;  // 320x240, scaled up twice
  std::vector<int> sprites;
  SDL_Surface* sdlBack = nullptr;
  SDL_Surface* sdlBig = nullptr;
  SDL_Surface* sdlHalf = nullptr;
  std::vector<SDL_Surface*> sdlSprites;
  std::vector<Position> positions;
  bool ok = false;
};

// Same pixels into a new draw object and into SDL's surface; both keyed to
// black.
int Load(SDL_Surface* theirs, const std::vector<std::uint16_t>& pixels) {
  const int object = ruDraw::CreateObject(theirs->w, theirs->h, 2);
  bench::CopyIn(ruDraw::Objects[object].surface, pixels.data(), theirs->w, theirs->h);
  bench::CopyIn(theirs, pixels.data(), theirs->w, theirs->h);
  ruDraw::SetObjectColorKey(object, RGB(0, 0, 0));
  SDL_SetColorKey(theirs, SDL_TRUE, 0);
  return object;
}

bool SameScreens(Surface* ours, SDL_Surface* theirs) {
  return bench::CopyOut(ours, kScreenW, kScreenH) == bench::CopyOut(theirs, kScreenW, kScreenH);
}

// ---- the operations, one per benchmark pair
void OursSprites(Scene& s) {
  for (const Position& p : s.positions)
    ruDraw::Draw(p.x, p.y, s.sprites[p.sprite], 0, 0, kSprite, kSprite);
}
void TheirSprites(Scene& s) {
  for (const Position& p : s.positions) {
    SDL_Rect at{p.x, p.y, kSprite, kSprite};
    SDL_BlitSurface(s.sdlSprites[p.sprite], nullptr, s.sdlBack, &at);
  }
}
void OursBig(Scene& s, bool keyed) {
  if (keyed)
    ruDraw::Draw(0, 0, s.big, 0, 0, kScreenW, kScreenH);
  else
    ruDraw::DrawNoKey(0, 0, s.big, 0, 0, kScreenW, kScreenH);
}
void TheirBig(Scene& s, bool keyed) {
  SDL_SetColorKey(s.sdlBig, keyed ? SDL_TRUE : SDL_FALSE, 0);
  SDL_Rect at{0, 0, kScreenW, kScreenH};
  SDL_BlitSurface(s.sdlBig, nullptr, s.sdlBack, &at);
}
void OursStretch(Scene& s) {
  ruDraw::DrawStretchNoKey(0, 0, s.half, 0, 0, kHalfW, kHalfH, kScreenW, kScreenH);
}
void OursGdiStretch(Scene& s) {
  platform::Surface* half = ruDraw::Objects[s.half].surface;
  platform::Dc *to = nullptr, *from = nullptr;
  if (s.back->GetDC(&to) != DD_OK) return;
  if (half->GetDC(&from) == DD_OK) {
    to->StretchBlt(0, 0, kScreenW, kScreenH, from, 0, 0, kHalfW, kHalfH, SRCCOPY);
    half->ReleaseDC(from);
  }
  s.back->ReleaseDC(to);
}
void TheirStretch(Scene& s) {
  SDL_Rect at{0, 0, kScreenW, kScreenH};
  SDL_BlitScaled(s.sdlHalf, nullptr, s.sdlBack, &at);
}
void OursClear(Scene&) { ruDraw::ClearScreen(); }
void TheirClear(Scene& s) { SDL_FillRect(s.sdlBack, nullptr, 0); }

// Starts both screens from the same non-zero picture.
void ResetScreens(Scene& s) {
  platform::BltFx fx{0x1234};
  s.back->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx);
  SDL_FillRect(s.sdlBack, nullptr, 0x1234);
}

bool Check(Scene& s, void (*ours)(Scene&), void (*theirs)(Scene&), const char* what) {
  ResetScreens(s);
  ours(s);
  theirs(s);
  if (SameScreens(s.back, s.sdlBack)) return true;
  std::fprintf(stderr, "draw_bench: %s differs between ours and SDL2\n", what);
  return false;
}

Scene& GetScene() {
  static Scene scene = [] {
    Scene s;
    if (!bench::OpenHeadless565(kScreenW, kScreenH, "draw_bench")) return s;
    std::mt19937 rng(12345);
    s.back = ruDraw::BackBuffer;
    s.sdlBack = bench::NewSdl565(kScreenW, kScreenH);
    std::vector<std::uint16_t> pixels(kSprite * kSprite);
    for (int i = 0; i < kSpriteCount; ++i) {
      bench::FillRandom(rng, pixels.data(), pixels.size());
      s.sdlSprites.push_back(bench::NewSdl565(kSprite, kSprite));
      s.sprites.push_back(Load(s.sdlSprites.back(), pixels));
    }
    pixels.resize(kScreenW * kScreenH);
    bench::FillRandom(rng, pixels.data(), pixels.size());
    s.sdlBig = bench::NewSdl565(kScreenW, kScreenH);
    s.big = Load(s.sdlBig, pixels);
    pixels.resize(kHalfW * kHalfH);
    bench::FillRandom(rng, pixels.data(), pixels.size());
    s.sdlHalf = bench::NewSdl565(kHalfW, kHalfH);
    s.half = Load(s.sdlHalf, pixels);
    SDL_SetColorKey(s.sdlHalf, SDL_FALSE, 0);
    std::uniform_int_distribution<int> x(0, kScreenW - kSprite), y(0, kScreenH - kSprite),
        which(0, kSpriteCount - 1);
    for (int i = 0; i < kDraws; ++i) s.positions.push_back({x(rng), y(rng), which(rng)});
    s.ok = Check(s, OursSprites, TheirSprites, "40x40 keyed") &&
           Check(s, [](Scene& c) { OursBig(c, true); }, [](Scene& c) { TheirBig(c, true); },
                 "640x480 keyed") &&
           Check(s, [](Scene& c) { OursBig(c, false); }, [](Scene& c) { TheirBig(c, false); },
                 "640x480 plain") &&
           Check(s, OursClear, TheirClear, "clear") &&
           Check(s, OursStretch, TheirStretch, "320x240 scaled to 640x480") &&
           Check(s, OursGdiStretch, TheirStretch, "GDI 320x240 scaled to 640x480");
    return s;
  }();
  return scene;
}

template <class Op>
void Run(benchmark::State& state, Op op, std::int64_t pixelsPerRun) {
  bench::Run(state, GetScene(), "ours and SDL2 give different pixels", pixelsPerRun, op);
}

constexpr std::int64_t kSpritePixels = std::int64_t(kDraws) * kSprite * kSprite;
constexpr std::int64_t kScreenPixels = std::int64_t(kScreenW) * kScreenH;

void BM_Draw_Key_40x40(benchmark::State& st) { Run(st, OursSprites, kSpritePixels); }
void BM_SDL_BlitKey_40x40(benchmark::State& st) { Run(st, TheirSprites, kSpritePixels); }
void BM_Draw_Key_640x480(benchmark::State& st) {
  Run(st, [](Scene& s) { OursBig(s, true); }, kScreenPixels);
}
void BM_SDL_BlitKey_640x480(benchmark::State& st) {
  Run(st, [](Scene& s) { TheirBig(s, true); }, kScreenPixels);
}
void BM_DrawNoKey_640x480(benchmark::State& st) {
  Run(st, [](Scene& s) { OursBig(s, false); }, kScreenPixels);
}
void BM_SDL_Blit_640x480(benchmark::State& st) {
  Run(st, [](Scene& s) { TheirBig(s, false); }, kScreenPixels);
}
void BM_ClearScreen(benchmark::State& st) { Run(st, OursClear, kScreenPixels); }
void BM_SDL_FillRect_640x480(benchmark::State& st) { Run(st, TheirClear, kScreenPixels); }

void BM_DrawStretch_2x(benchmark::State& st) { Run(st, OursStretch, kScreenPixels); }
void BM_GdiStretchBlt_2x(benchmark::State& st) { Run(st, OursGdiStretch, kScreenPixels); }
void BM_SDL_BlitScaled_2x(benchmark::State& st) { Run(st, TheirStretch, kScreenPixels); }

BENCHMARK(BM_Draw_Key_40x40);
BENCHMARK(BM_SDL_BlitKey_40x40);
BENCHMARK(BM_Draw_Key_640x480);
BENCHMARK(BM_SDL_BlitKey_640x480);
BENCHMARK(BM_DrawNoKey_640x480);
BENCHMARK(BM_SDL_Blit_640x480);
BENCHMARK(BM_ClearScreen);
BENCHMARK(BM_SDL_FillRect_640x480);
BENCHMARK(BM_DrawStretch_2x);
BENCHMARK(BM_GdiStretchBlt_2x);
BENCHMARK(BM_SDL_BlitScaled_2x);

}  // namespace

// The library calls a game's hooks; the benchmark has no game.
void GameInit() {}
void PlayScene() {}
void ResultScene() {}

BENCHMARK_MAIN();
