// text_bench.cpp - the game's per-frame quick output against SDL_ttf.
//
// BM_GamePrints runs the 109 ruDraw::Printf calls the game makes every
// frame (50 x "pt1=%d" at (20, 20), 50 x "pt2=%d" at (20, 50), the nine
// board digits at (300 + 30c, 50 + 30r)) on a headless 640x480 16-bit
// screen. BM_SDL_TTF_GamePrints formats the same strings and renders each
// with TTF_RenderUTF8_Shaded from the same font file at the same pixel
// size, blitting it onto an RGB565 surface. BM_OtherTextCalls runs the
// other text operations a frame may use (both faces, styles, turned text,
// boxes, measuring, the meter, the Font buffer). Ours report the heap
// allocations made per frame once warm.
//
// Run: text_bench --benchmark_enable_random_interleaving=true
#include <SDL.h>
#include <SDL_ttf.h>
#include <benchmark/benchmark.h>
#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

#include "draw/draw.h"
#include "platform/backend.h"
#include "platform/headless/headless.h"
#include "system/system.h"
#include "text/text.h"

// Every heap allocation in the process is counted.
static long allocations = 0;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

// The library's game hooks: this program runs no frame loop.
void GameInit() {}
void PlayScene() {}
void ResultScene() {}

namespace {

constexpr int kPrintsPerLine = 50;
constexpr int kBoard[3][3] = {{1, 0, 2}, {0, 1, 0}, {2, 0, 1}};
constexpr int kFontPixels = 12;

bool OpenScreen() {
  static bool open = [] {
    auto backend = std::make_unique<platform::HeadlessBackend>(platform::HeadlessOptions{});
    platform::HeadlessBackend* headless = backend.get();
    platform::SetBackend(std::move(backend));
    ruSystem::MainWindow = headless->CreateMainWindow(platform::WindowSpec{});
    return ruDraw::Screen(640, 480, 1) == 1;
  }();
  return open;
}

void OurFrame(int frame) {
  for (int i = 0; i < kPrintsPerLine; ++i) ruDraw::Printf(20, 20, "pt1=%d", frame % 7);
  for (int i = 0; i < kPrintsPerLine; ++i) ruDraw::Printf(20, 50, "pt2=%d", frame % 5);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) ruDraw::Printf(300 + 30 * c, 50 + 30 * r, "%d", kBoard[r][c]);
}

void BM_GamePrints(benchmark::State& state) {
  if (!OpenScreen()) {
    state.SkipWithError("no headless screen");
    return;
  }
  for (int warm = 0; warm < 8; ++warm) OurFrame(warm);
  const long before = allocations;
  int frame = 0;
  for (auto _ : state) OurFrame(++frame);
  state.counters["allocs_per_frame"] =
      benchmark::Counter(double(allocations - before) / double(state.iterations()));
  state.SetItemsProcessed(state.iterations() * 109);
}
BENCHMARK(BM_GamePrints);

// Every other text operation a frame may use: both faces, a face by name,
// styles, turned text, boxes, measuring, the meter and the Font buffer.
void OtherTextFrame(int frame) {
  ruDraw::SetFont(0, 24, 0, 1, 1, 1);
  ruDraw::SetTextColor(0xFFFFFF, 0x800000, frame & 1);
  ruDraw::PutText(10, 100, "日本語の表示テスト pt1=0");
  ruDraw::PutTextBox(10, 140, 300, 400, "折り返し wraps inside the box 中央", frame % 3);
  ruDraw::MeasureTextBox(10, 140, 200, 400, "折り返し wraps inside the box 中央");
  ruDraw::ResetFont();
  ruDraw::SetFont(1, 24, 90, 0, 0, 0);
  ruDraw::PutText(400, 400, "縦の文字");
  ruDraw::ResetFont();
  ruDraw::SetFontName("標準ゴシック", -16, 0, 0, 0, 0);
  ruDraw::PutText(10, 420, "名前で選んだ書体");
  ruDraw::ResetFont();
  ruDraw::SetBufferFont(1, 16);
  ruDraw::PutText(0, 0, "字");
  ruDraw::ResetBufferFont();
  ruDraw::PrintFps();
}

void BM_OtherTextCalls(benchmark::State& state) {
  if (!OpenScreen()) {
    state.SkipWithError("no headless screen");
    return;
  }
  for (int warm = 0; warm < 8; ++warm) OtherTextFrame(warm);
  const long before = allocations;
  int frame = 0;
  for (auto _ : state) OtherTextFrame(++frame);
  state.counters["allocs_per_frame"] =
      benchmark::Counter(double(allocations - before) / double(state.iterations()));
}
BENCHMARK(BM_OtherTextCalls);

// The file fontconfig gives for the standard sans face.
std::string GothicFile() {
  FcInit();
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("IPAGothic:lang=ja"));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  std::string file;
  FcChar8* path = nullptr;
  if (match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) file = (const char*)path;
  if (match) FcPatternDestroy(match);
  return file;
}

struct TtfScene {
  TTF_Font* font = nullptr;
  SDL_Surface* screen = nullptr;
  TtfScene() {
    if (TTF_Init() != 0) return;
    font = TTF_OpenFont(GothicFile().c_str(), kFontPixels);
    screen = SDL_CreateRGBSurfaceWithFormat(0, 640, 480, 16, SDL_PIXELFORMAT_RGB565);
  }
};

void TtfPrint(TtfScene& scene, int x, int y, const char* text) {
  static const SDL_Color kWhite{255, 255, 255, 255}, kDarkBlue{0, 0, 128, 255};
  SDL_Surface* line = TTF_RenderUTF8_Shaded(scene.font, text, kWhite, kDarkBlue);
  if (!line) return;
  SDL_Rect at{x, y, 0, 0};
  SDL_BlitSurface(line, nullptr, scene.screen, &at);
  SDL_FreeSurface(line);
}

void TtfFrame(TtfScene& scene, int frame) {
  char buf[256];
  for (int i = 0; i < kPrintsPerLine; ++i) {
    std::snprintf(buf, sizeof buf, "pt1=%d", frame % 7);
    TtfPrint(scene, 20, 20, buf);
  }
  for (int i = 0; i < kPrintsPerLine; ++i) {
    std::snprintf(buf, sizeof buf, "pt2=%d", frame % 5);
    TtfPrint(scene, 20, 50, buf);
  }
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      std::snprintf(buf, sizeof buf, "%d", kBoard[r][c]);
      TtfPrint(scene, 300 + 30 * c, 50 + 30 * r, buf);
    }
}

void BM_SDL_TTF_GamePrints(benchmark::State& state) {
  static TtfScene scene;
  if (!scene.font || !scene.screen) {
    state.SkipWithError("SDL_ttf could not open the font");
    return;
  }
  for (int warm = 0; warm < 8; ++warm) TtfFrame(scene, warm);
  int frame = 0;
  for (auto _ : state) TtfFrame(scene, ++frame);
  state.SetItemsProcessed(state.iterations() * 109);
}
BENCHMARK(BM_SDL_TTF_GamePrints);

}  // namespace

BENCHMARK_MAIN();
