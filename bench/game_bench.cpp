// game_bench.cpp - one frame of the game's play scene with a full board:
// our library through the headless backend (BM_GameFrame) against the same
// picture drawn with SDL2 and SDL_ttf in software (BM_SDL_GameFrame): a
// cleared 640x480 16-bit screen, eleven outlined boxes, two mark blits per
// cell and 109 short strings rendered with an opaque background.
#include <SDL.h>
#include <SDL_ttf.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/headless/headless.h"
#include "game/game_state.h"
#include "ru.h"

// The game itself is linked in (it defines GameInit, PlayScene and
// ResultScene, which the library calls).

namespace {

namespace fs = std::filesystem;

// The game's bitmap as it ships in the source tree.
fs::path SourceBitmap() { return fs::path(__FILE__).parent_path().parent_path() / "game/bmp/block.bmp"; }

// Puts bmp/block.bmp beside this program, where "bmp\block.bmp" looks.
void InstallBitmap() {
  const fs::path dir = fs::read_symlink("/proc/self/exe").parent_path() / "bmp";
  std::error_code ec;
  fs::create_directories(dir, ec);
  fs::copy_file(SourceBitmap(), dir / "block.bmp", fs::copy_options::overwrite_existing, ec);
}

// Every cell taken, one mark of each player per cell, all judge records on.
void FillBoard() {
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      Board[r][c] = (r + c) % 2 + 1;
      MarkPool1[r * 3 + c] = Mark{280 + 40 * c, 200 + 40 * r, 1};
      MarkPool2[r * 3 + c] = Mark{280 + 40 * c, 200 + 40 * r, 1};
    }
  }
  for (int i = 0; i < kJudgePoolSize; ++i) ActivateJudge();
}

// The library started as WinMain starts it, without the frame loop.
bool StartLibrary() {
  static bool started = false;
  if (started) return true;
  InstallBitmap();
  platform::SetBackend(std::make_unique<platform::HeadlessBackend>(platform::HeadlessOptions{}));
  ruSystem::InitState();
  platform::Backend& backend = platform::GetBackend();
  platform::WindowSpec request;
  request.caption = "ピクノ";
  request.width = 646;
  request.height = 505;
  ruSystem::MainWindow = backend.CreateMainWindow(request);
  if (!ruSystem::MainWindow) return false;
  platform::SetWindowProc(ruSystem::MainWindow, ruSystem::WindowProc);
  GameInit();
  ruDraw::SetVSync(0);
  FillBoard();
  started = !ruSystem::IsError();
  return started;
}

void BM_GameFrame(benchmark::State& state) {
  if (!StartLibrary()) {
    state.SkipWithError("the library did not start (screen or bmp/block.bmp)");
    return;
  }
  for (auto _ : state) PlayScene();
}
BENCHMARK(BM_GameFrame)->Unit(benchmark::kMicrosecond);

// ---------------------------------------------------------------- SDL2 + SDL_ttf

const char* FindJapaneseFont() {
  static const char* const candidates[] = {
      "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
      "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf",
  };
  for (const char* path : candidates)
    if (fs::exists(path)) return path;
  return nullptr;
}

struct SdlScene {
  SDL_Surface* screen = nullptr;
  SDL_Surface* marks = nullptr;
  TTF_Font* font = nullptr;

  bool Open() {
    if (TTF_Init() != 0) return false;
    const char* fontPath = FindJapaneseFont();
    if (!fontPath) return false;
    font = TTF_OpenFont(fontPath, 12);
    screen = SDL_CreateRGBSurfaceWithFormat(0, 640, 480, 16, SDL_PIXELFORMAT_RGB565);
    SDL_Surface* loaded = SDL_LoadBMP(SourceBitmap().c_str());
    if (!font || !screen || !loaded) return false;
    marks = SDL_ConvertSurface(loaded, screen->format, 0);
    SDL_FreeSurface(loaded);
    if (!marks) return false;
    SDL_SetColorKey(marks, SDL_TRUE, SDL_MapRGB(marks->format, 0, 0, 0));
    return true;
  }
  ~SdlScene() {
    if (marks) SDL_FreeSurface(marks);
    if (screen) SDL_FreeSurface(screen);
    if (font) TTF_CloseFont(font);
    TTF_Quit();
  }

  // An outlined box as two fills: outline colour, then the inside.
  void Box(int left, int top, int right, int bottom, Uint32 fill, Uint32 line) {
    SDL_Rect outer{left, top, right - left, bottom - top};
    SDL_Rect inner{left + 1, top + 1, right - left - 2, bottom - top - 2};
    SDL_FillRect(screen, &outer, line);
    SDL_FillRect(screen, &inner, fill);
  }
  void Text(int x, int y, const char* text) {
    const SDL_Color white{255, 255, 255, 255}, blue{0, 0, 128, 255};
    SDL_Surface* s = TTF_RenderUTF8_Shaded(font, text, white, blue);
    if (!s) return;
    SDL_Rect at{x, y, 0, 0};
    SDL_BlitSurface(s, nullptr, screen, &at);
    SDL_FreeSurface(s);
  }
  void Frame() {
    const Uint32 black = SDL_MapRGB(screen->format, 0, 0, 0);
    const Uint32 red = SDL_MapRGB(screen->format, 255, 0, 0);
    const Uint32 green = SDL_MapRGB(screen->format, 0, 255, 0);
    const Uint32 yellow = SDL_MapRGB(screen->format, 255, 255, 0);
    SDL_FillRect(screen, nullptr, black);
    for (int c = 0; c < 3; ++c)
      for (int r = 0; r < 3; ++r)
        Box(280 + 40 * c, 200 + 40 * r, 320 + 40 * c, 240 + 40 * r, black, red);
    Box(320, 240, 360, 280, black, green);
    for (int cell = 0; cell < 9; ++cell) {
      const int x = 280 + 40 * (cell % 3), y = 200 + 40 * (cell / 3);
      for (int player = 0; player < 2; ++player) {
        SDL_Rect source{40 * player, 0, 40, 40}, at{x, y, 0, 0};
        SDL_BlitSurface(marks, &source, screen, &at);
      }
    }
    char text[32];
    for (int i = 0; i < 50; ++i) {
      std::snprintf(text, sizeof text, "pt1=%d", 1);
      Text(20, 20, text);
      std::snprintf(text, sizeof text, "pt2=%d", 1);
      Text(20, 50, text);
    }
    for (int cell = 0; cell < 9; ++cell) {
      std::snprintf(text, sizeof text, "%d", cell % 2 + 1);
      Text(300 + 30 * (cell % 3), 50 + 30 * (cell / 3), text);
    }
    Box(310, 230, 330, 250, yellow, red);
  }
};

void BM_SDL_GameFrame(benchmark::State& state) {
  SdlScene scene;
  if (!scene.Open()) {
    state.SkipWithError("SDL_ttf, the Japanese font or the bitmap is missing");
    return;
  }
  for (auto _ : state) {
    scene.Frame();
    benchmark::DoNotOptimize(scene.screen->pixels);
  }
}
BENCHMARK(BM_SDL_GameFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
