// bench_support.h - what the pixel benchmarks share: the headless 16-bit
// screen they draw on, 5-6-5 pixels copied into and out of our surfaces and
// SDL2's, seeded random keyed pixels, the check that the fast paths give the
// reference paths' pixels, and the timed loop over a checked scene.
#pragma once

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "draw/draw.h"
#include "platform/surface/blit.h"
#include "platform/surface/display.h"

namespace bench {

// Opens ruDraw's w x h screen on the headless backend at 16 bits (5-6-5);
// on failure says so on stderr under the program's name.
inline bool OpenHeadless565(int w, int h, const char* program) {
  setenv("RU_BACKEND", "headless", 1);
  setenv("RU_DEPTH", "16", 1);
  if (ruDraw::Screen(w, h, 1) == 1) return true;
  std::fprintf(stderr, "%s: ruDraw::Screen failed\n", program);
  return false;
}

// Random 5-6-5 pixels, about 30 % of them 0 (the key: transparent).
inline void FillRandom(std::mt19937& rng, std::uint16_t* pixels, size_t count) {
  std::uniform_int_distribution<int> value(1, 0xFFFF), percent(0, 99);
  for (size_t i = 0; i < count; ++i) pixels[i] = percent(rng) < 30 ? 0 : std::uint16_t(value(rng));
}

// w x h packed pixels into the top-left of a surface, row by row through its
// pitch.
inline void CopyIn(platform::Surface* s, const std::uint16_t* pixels, int w, int h) {
  void* bits;
  LONG pitch;
  s->Lock(&bits, &pitch, DDLOCK_WAIT);
  for (int y = 0; y < h; ++y)
    std::memcpy(static_cast<BYTE*>(bits) + y * pitch, pixels + size_t(y) * w, size_t(w) * 2);
  s->Unlock();
}
inline void CopyIn(SDL_Surface* s, const std::uint16_t* pixels, int w, int h) {
  for (int y = 0; y < h; ++y)
    std::memcpy(static_cast<BYTE*>(s->pixels) + y * s->pitch, pixels + size_t(y) * w,
                size_t(w) * 2);
}

// The top-left w x h pixels of a surface, packed.
inline std::vector<std::uint16_t> CopyOut(platform::Surface* s, int w, int h) {
  std::vector<std::uint16_t> out(size_t(w) * h);
  void* bits;
  LONG pitch;
  s->Lock(&bits, &pitch, DDLOCK_WAIT);
  for (int y = 0; y < h; ++y)
    std::memcpy(&out[size_t(y) * w], static_cast<BYTE*>(bits) + y * pitch, size_t(w) * 2);
  s->Unlock();
  return out;
}
inline std::vector<std::uint16_t> CopyOut(SDL_Surface* s, int w, int h) {
  std::vector<std::uint16_t> out(size_t(w) * h);
  for (int y = 0; y < h; ++y)
    std::memcpy(&out[size_t(y) * w], static_cast<BYTE*>(s->pixels) + y * s->pitch,
                size_t(w) * 2);
  return out;
}

// A new SDL2 5-6-5 surface, and one holding a copy of w x h packed pixels.
inline SDL_Surface* NewSdl565(int w, int h) {
  return SDL_CreateRGBSurfaceWithFormat(0, w, h, 16, SDL_PIXELFORMAT_RGB565);
}
inline SDL_Surface* Sdl565From(const std::uint16_t* pixels, int w, int h) {
  SDL_Surface* s = NewSdl565(w, h);
  CopyIn(s, pixels, w, h);
  return s;
}

// Runs `draw` once with the reference paths and once with the fast paths
// and tells whether the back buffer's top-left w x h pixels came out the
// same. The fast-paths setting is left as it was.
template <class Draw>
bool FastSameAsReference(Draw draw, int w, int h) {
  std::vector<std::uint16_t> result[2];
  const bool enabled = platform::blit::FastPathsEnabled();
  for (int fast = 0; fast < 2; ++fast) {
    platform::blit::SetFastPathsEnabled(fast != 0);
    draw();
    result[fast] = CopyOut(ruDraw::BackBuffer, w, h);
  }
  platform::blit::SetFastPathsEnabled(enabled);
  return result[0] == result[1];
}

// Times op(scene), `pixelsPerRun` items a call; skips with `whyNot` when the
// scene failed its checks.
template <class Scene, class Op>
void Run(benchmark::State& state, Scene& scene, const char* whyNot, std::int64_t pixelsPerRun,
         Op op) {
  if (!scene.ok) {
    state.SkipWithError(whyNot);
    return;
  }
  for (auto _ : state) {
    op(scene);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * pixelsPerRun);
}

}  // namespace bench
