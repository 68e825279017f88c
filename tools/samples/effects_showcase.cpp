// effects_showcase.cpp - every pixel effect on pictures made here: a
// photograph-like landscape, a sprite with transparent surroundings and a
// backdrop to mix with. Five pages (blending; colour filters and smoothing;
// glow rays; rotation and distortion; screen regions), each a grid of
// 150 x 136 tiles holding one effect and its call. The rotations turn and
// the tunnel flies from frame to frame; the mosaic follows the mouse.
// Right / Left turn the page; Esc asks to quit. tools/effect_pictures.py
// cuts the tiles of headless captures into docs/effects/.
// Headless: RU_BACKEND=headless RU_MAX_FRAMES=300 build/release/effects_showcase
#include <cmath>

#include "ru.h"

namespace {

constexpr int kPictureW = 128, kPictureH = 96;
constexpr int kTileW = 158, kTileH = 144, kTileX = 8, kTileY = 40;
constexpr int kPages = 5;

int Photo = 0, Sprite = 0, Backdrop = 0, Lens = 0;
int Page = 0;
int Frame = 0;  // counts the frames shown, for the moving effects

// 8-bit channels to a pixel of the screen's format (never 0: transparent).
DWORD Pixel(int r, int g, int b) {
  auto channel = [](int v, DWORD max, WORD shift) {
    v = v < 0 ? 0 : v > 255 ? 255 : v;
    return (DWORD(v) * max / 255) << shift;
  };
  DWORD p = channel(r, ruDraw::RedMax, ruDraw::RedShift) |
            channel(g, ruDraw::GreenMax, ruDraw::GreenShift) |
            channel(b, ruDraw::BlueMax, ruDraw::BlueShift);
  return p ? p : 1;
}

// A new object whose pixels come from `value(x, y)` (raw pixel values).
template <class F>
int MakePicture(F value) {
  const int no = ruDraw::CreateObject(kPictureW, kPictureH, 2);
  if (no == 0) return 0;
  platform::Surface* s = ruDraw::Objects[no].surface;
  void* bits = nullptr;
  LONG pitch = 0;
  if (s->Lock(&bits, &pitch, DDLOCK_WAIT) != DD_OK) return no;
  for (int y = 0; y < kPictureH; ++y) {
    auto* row = reinterpret_cast<WORD*>(static_cast<BYTE*>(bits) + y * pitch);
    for (int x = 0; x < kPictureW; ++x) row[x] = WORD(value(x, y));
  }
  s->Unlock();
  return no;
}

// Small repeatable texture noise, -n..n.
int Noise(int x, int y, int n) {
  unsigned h = unsigned(x) * 374761393u + unsigned(y) * 668265263u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return int((h >> 16) % unsigned(2 * n + 1)) - n;
}

// Sky, sun, hills and a lake.
DWORD Landscape(int x, int y) {
  const double sunX = x - 92.0, sunY = y - 26.0, sun = std::sqrt(sunX * sunX + sunY * sunY);
  const double hill = 58 + 10 * std::sin(x * 0.07) + 6 * std::sin(x * 0.19 + 1);
  if (y > 80) {  // the lake mirrors the sky, darker
    const int t = 96 - y;
    return Pixel(40 + t * 3 + Noise(x, y, 6), 80 + t * 4, 150 + t * 3 + Noise(x, y, 8));
  }
  if (y > hill) {
    const int shade = int((y - hill) * 4);
    return Pixel(40 + shade / 2 + Noise(x, y, 14), 140 - shade + Noise(x, y, 18),
                 50 + Noise(x, y, 10));
  }
  if (sun < 12) return Pixel(255, 230 - int(sun * 4), 90);
  const int glow = sun < 30 ? int((30 - sun) * 4) : 0;
  return Pixel(90 + y + glow, 150 + y / 2 + glow / 2, 235 - y);
}

// A star of saturated colours on transparent black.
DWORD Star(int x, int y) {
  const double dx = x - 64.0, dy = y - 48.0, r = std::sqrt(dx * dx + dy * dy);
  const double a = std::atan2(dy, dx);
  const double edge = 26 + 14 * std::cos(5 * a);
  if (r > edge) return 0;
  const double t = r / edge;
  return Pixel(255, int(220 * (1 - t)) + 30, int(160 * t));
}

// Checks of two tones with a coloured diagonal band.
DWORD Checks(int x, int y) {
  const bool dark = ((x / 16) + (y / 16)) % 2 != 0;
  const int band = (x + y) % 64 < 10 ? 80 : 0;
  return dark ? Pixel(60 + band, 60, 90) : Pixel(200, 190 + band / 2, 170 - band);
}

// A lens: red rising towards the centre of a disc (the refraction's map).
DWORD LensMap(int x, int y) {
  const double dx = x - 64.0, dy = y - 48.0, r = std::sqrt(dx * dx + dy * dy);
  if (r > 40) return 0;
  return Pixel(int(255 * (1 - r / 40)), 8, 8);
}

// One tile: the backdrop (or black), the effect, the caption under it.
template <class F>
void Tile(int index, const char* caption, bool backdrop, F effect) {
  const int x = kTileX + (index % 4) * kTileW + 11, y = kTileY + (index / 4) * kTileH + 4;
  if (backdrop) ruDraw::DrawNoKey(x, y, Backdrop, 0, 0, kPictureW, kPictureH);
  effect(x, y);
  ruDraw::Print(x, y + kPictureH + 6, caption);
}

void Title(const char* text) {
  ruDraw::SetFont(1, 20, 0, 1, 0, 0);
  ruDraw::SetTextColor(RGB(255, 255, 255), 0, 1);
  ruDraw::PutText(12, 10, text);
  ruDraw::ResetFont();
}

constexpr int W = kPictureW, H = kPictureH;

void BlendingPage() {
  using namespace ruDraw;
  Title("1. Blending");
  Tile(0, "DrawHalf", true, [](int x, int y) { DrawHalf(x, y, Photo, 0, 0, W, H); });
  Tile(1, "DrawAlpha 0.3", true, [](int x, int y) { DrawAlpha(x, y, 0.3f, Photo, 0, 0, W, H); });
  Tile(2, "DrawAlphaRGB .9 .5 .1", true,
       [](int x, int y) { DrawAlphaRGB(x, y, 0.9f, 0.5f, 0.1f, Photo, 0, 0, W, H); });
  Tile(3, "DrawFade 20", true, [](int x, int y) { DrawFade(x, y, 20, Photo, 0, 0, W, H); });
  Tile(4, "DrawFadeRGB 31 8 16", true,
       [](int x, int y) { DrawFadeRGB(x, y, 31, 8, 16, Photo, 0, 0, W, H); });
  Tile(5, "DrawAlphaGradient", true, [](int x, int y) {
    DrawAlphaGradient(x, y, 0, 0, 0, 0, 0, 4, Photo, 0, 0, W, H);
  });
  Tile(6, "DrawFadeGradient V", true,
       [](int x, int y) { DrawFadeGradient(x, y, 0, 0, 0, 1, 16, 2, Photo, 0, 0, W, H); });
  Tile(7, "DrawAdd", true, [](int x, int y) { DrawAdd(x, y, Sprite, 0, 0, W, H); });
  Tile(8, "DrawAddRate 0.5", true,
       [](int x, int y) { DrawAddRate(x, y, 0.5f, Sprite, 0, 0, W, H); });
  Tile(9, "DrawSub", true, [](int x, int y) { DrawSub(x, y, Lens, 0, 0, W, H); });
}

void FiltersPage() {
  using namespace ruDraw;
  Title("2. Colour filters and smoothing");
  Tile(0, "DrawMask 1 0 1", false,
       [](int x, int y) { DrawMask(x, y, 1, 0, 1, Photo, 0, 0, W, H); });
  Tile(1, "DrawBright 0.5", false,
       [](int x, int y) { DrawBright(x, y, 0.5f, Photo, 0, 0, W, H); });
  Tile(2, "DrawBrightRGB 1 .6 .2", false,
       [](int x, int y) { DrawBrightRGB(x, y, 1.0f, 0.6f, 0.2f, Photo, 0, 0, W, H); });
  Tile(3, "DrawDark 20", false, [](int x, int y) { DrawDark(x, y, 20, Photo, 0, 0, W, H); });
  Tile(4, "DrawDarkRGB 31 20 8", false,
       [](int x, int y) { DrawDarkRGB(x, y, 31, 20, 8, Photo, 0, 0, W, H); });
  Tile(5, "DrawGrey", false, [](int x, int y) { DrawGrey(x, y, Photo, 0, 0, W, H); });
  Tile(6, "DrawBlur 5", false, [](int x, int y) { DrawBlur(x, y, 5, Photo, 0, 0, W, H); });
  Tile(7, "DrawSmooth", true, [](int x, int y) { DrawSmooth(x, y, Sprite, 0, 0, W, H); });
  Tile(8, "Draw (unsmoothed)", true, [](int x, int y) { Draw(x, y, Sprite, 0, 0, W, H); });
  Tile(9, "DrawRefract 1.0", true,
       [](int x, int y) { DrawRefract(x, y, 1.0f, Lens, 0, 0, W, H); });
}

// Glow tiles keep their rays inside a clip window around the tile.
template <class F>
void GlowTile(int index, const char* caption, F effect) {
  const int x = kTileX + (index % 4) * kTileW, y = kTileY + (index / 4) * kTileH;
  ruDraw::SetClipWindow(x, y, x + kTileW - 4, y + kPictureH + 8);
  Tile(index, caption, false, effect);
  ruDraw::SetClipWindow(0, 0, 640, 480);
}

void GlowPage() {
  using namespace ruDraw;
  Title("3. Glow rays");
  GlowTile(0, "DrawGlow all rays",
           [](int x, int y) { DrawGlow(x, y, 2, 2, 2, 0xFF, 1, Sprite, 0, 0, W, H); });
  GlowTile(1, "DrawGlow up, no source",
           [](int x, int y) { DrawGlow(x, y, 1, 2, 3, 0x40, 0, Sprite, 0, 0, W, H); });
  GlowTile(2, "DrawGlow sideways",
           [](int x, int y) { DrawGlow(x, y, 2, 2, 1, 0x18, 1, Sprite, 0, 0, W, H); });
  GlowTile(3, "DrawGlow down, red",
           [](int x, int y) { DrawGlow(x, y, 1, 5, 5, 0x07, 1, Sprite, 0, 0, W, H); });
  GlowTile(4, "DrawGlow on the photo",
           [](int x, int y) { DrawGlow(x, y, 3, 3, 3, 0xFF, 1, Photo, 0, 0, W, H); });
}

// A tile's own clip window: the smears reach to its edges only.
template <class F>
void ClippedTile(int index, const char* caption, bool backdrop, F effect) {
  const int x = kTileX + (index % 4) * kTileW + 11, y = kTileY + (index / 4) * kTileH + 4;
  ruDraw::SetClipWindow(x, y, x + kPictureW, y + kPictureH);
  Tile(index, caption, backdrop, effect);
  ruDraw::SetClipWindow(0, 0, 640, 480);
}

void RotationPage() {
  using namespace ruDraw;
  Title("4. Rotation and distortion");
  const int turn = (30 + Frame * 3) % 360;
  Tile(0, "DrawRotate 30", true,
       [](int x, int y) { DrawRotate(x, y, x + W, y + H, 30, Photo, 0, 0, W, H); });
  Tile(1, "DrawRotateTile 20", false,
       [](int x, int y) { DrawRotateTile(x, y, x + W, y + H, 20, Photo, 0, 0, W, H); });
  Tile(2, "DrawRotateZoom 1.4", true, [turn](int x, int y) {
    DrawRotateZoom(x, y, x + W, y + H, turn, 1.4f, Sprite, 0, 0, W, H);
  });
  // The upward smear fills the screen above the tile: it sits in the top
  // row, right of the title.
  Tile(3, "DrawSmear up, row 60", true,
       [](int x, int y) { DrawSmear(x, y, 3, 60, Sprite, 0, 0, W, H); });
  Tile(4, "DrawRotateZoomTile .5", false,
       [](int x, int y) { DrawRotateZoomTile(x, y, x + W, y + H, 45, 0.5f, Photo, 0, 0, W, H); });
  Tile(5, "DrawFloor", false, [](int x, int y) {
    DrawFloor(x, y, x + W, y + H, 10, 0.15f, 0.012f, 0.15f, 0.012f, 0.6f, 0.8f, 1.0f, Backdrop,
              0, 0, W, H);
  });
  Tile(6, "DrawRipple 12 8", true,
       [](int x, int y) { DrawRipple(x, y - 8, 12, 8, 1, 1.0f, 0.0f, Photo, 0, 0, W, H); });
  ClippedTile(7, "DrawSmear right, col 50", true,
              [](int x, int y) { DrawSmear(x, y, 0, 50, Sprite, 0, 0, W, H); });
  Tile(8, "DrawTunnel (flying)", false, [](int x, int y) {
    MakeTunnel(W, H, W, H, -1, -1, -1, 0, 0, 0);
    DrawTunnel(x, y, Frame, Frame * 2, Backdrop);
  });
  Tile(9, "DrawTunnel square", false, [](int x, int y) {
    MakeTunnel(W, H, W, H, -1, -1, 6, 0, 1, 0);
    DrawTunnel(x, y, Frame * 2, Frame, Backdrop);
  });
}

void RegionPage() {
  using namespace ruDraw;
  Title("5. Screen regions");
  const auto photo = [](int x, int y) { DrawNoKey(x, y, Photo, 0, 0, W, H); };
  const auto text = [](int x, int y) {
    SetFont(1, 40, 0, 1, 0, 0);
    SetTextColor(RGB(255, 230, 120), 0, 1);
    PutText(x + 14, y + 50, "FIRE");
    ResetFont();
  };
  Tile(0, "ScreenFireFade 0 1 1 x20", false, [text](int x, int y) {
    text(x, y);
    for (int i = 0; i < 20; ++i) ScreenFireFade(0, 1, 1, x, y, W, H);
  });
  Tile(1, "ScreenFire x10", false, [photo](int x, int y) {
    photo(x, y);
    for (int i = 0; i < 10; ++i) ScreenFire(x, y, W, H);
  });
  Tile(2, "ScreenBlur x4", false, [photo](int x, int y) {
    photo(x, y);
    for (int i = 0; i < 4; ++i) ScreenBlur(x, y, W, H);
  });
  Tile(3, "ScreenBlurFade 1 1 0 x8", false, [photo](int x, int y) {
    photo(x, y);
    for (int i = 0; i < 8; ++i) ScreenBlurFade(1, 1, 0, x, y, W, H);
  });
  Tile(4, "ScreenZoom2", false, [photo](int x, int y) {
    photo(x, y);
    ScreenZoom2(x + 32, y + 24, 48, 36, 0);
  });
  Tile(5, "ScreenZoom2 dotted", false, [photo](int x, int y) {
    photo(x, y);
    ScreenZoom2(x + 32, y + 24, 48, 36, 1);
  });
  Tile(6, "ScreenZoom4 dotted", false, [photo](int x, int y) {
    photo(x, y);
    ScreenZoom4(x + 64, y + 24, 16, 18, 1);
  });
  Tile(7, "ScreenMosaicCircle 40 6", false, [photo](int x, int y) {
    photo(x, y);
    ScreenMosaicCircle(x + W / 2, y + H / 2, 40, 6);
  });
  Tile(8, "ScreenNoise 2", false, [photo](int x, int y) {
    photo(x, y);
    ScreenNoise(2, x, y, W, H);
  });
  Tile(9, "ScreenNoiseRGB 1 0 0 3", false, [photo](int x, int y) {
    photo(x, y);
    ScreenNoiseRGB(1, 0, 0, 3, x, y, W, H);
  });
  // Once the mouse has moved, a mosaic follows it over the whole page.
  if (ruSystem::MouseX || ruSystem::MouseY)
    ScreenMosaicCircle(ruSystem::MouseX, ruSystem::MouseY, 50, 8);
}

void TurnPage() {
  const int code = ruSystem::CheckKeyList(VK_RIGHT, VK_LEFT, 0);
  if (code == VK_RIGHT) Page = (Page + 1) % kPages;
  if (code == VK_LEFT) Page = (Page + kPages - 1) % kPages;
}

}  // namespace

void GameInit() {
  ruDraw::Screen(640, 480, 1);
  Photo = MakePicture(Landscape);
  Sprite = MakePicture(Star);
  Backdrop = MakePicture(Checks);
  Lens = MakePicture(LensMap);
  ruSystem::SceneNo = 1;
}

void PlayScene() {
  ruDraw::ClearScreen();
  TurnPage();
  switch (Page) {
    case 0: BlendingPage(); break;
    case 1: FiltersPage(); break;
    case 2: GlowPage(); break;
    case 3: RotationPage(); break;
    default: RegionPage(); break;
  }
  ++Frame;
  ruDraw::Printf(440, 460, "<- -> page %d/%d", Page + 1, kPages);
  ruDraw::Present();
}

void ResultScene() { ruSystem::SceneNo = 1; }
