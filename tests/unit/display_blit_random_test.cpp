// Seeded random blits: the fast loops at every vector level against the
// reference loops, bit for bit, padding included; and whole surface blit
// sequences with fast paths on and off.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "tests/support/display_fake_backend.h"
#include "platform/surface/blit.h"
#include "platform/surface/display.h"

using namespace platform;

namespace {

// A padded pixel buffer with random contents; about 30 % of the pixels are
// the key.
struct Buffer {
  int w, h, bpp;
  LONG pitch;
  std::vector<BYTE> bytes;
  Buffer(std::mt19937& rng, int width, int height, int bytesPerPixel, DWORD key)
      : w(width), h(height), bpp(bytesPerPixel), pitch(LONG((width + 3) * bytesPerPixel)),
        bytes(size_t(pitch) * height) {
    std::uniform_int_distribution<int> byte(0, 255), percent(0, 99);
    for (auto& b : bytes) b = BYTE(byte(rng));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (percent(rng) < 30) pixel::Store(Pixels().At(x, y), bpp, key);
  }
  pixel::Rows Pixels() { return {bytes.data(), pitch, bpp}; }
};

const blit::VectorLevel kLevels[] = {blit::VectorLevel::Portable, blit::VectorLevel::Sse2,
                                     blit::VectorLevel::Avx2, blit::VectorLevel::Avx512};

TEST(BlitRandom, FastLoopsMatchTheReference) {
  std::mt19937 rng(20240611);
  for (blit::VectorLevel level : kLevels) {
    blit::LimitVectorLevel(level);
    for (int round = 0; round < 300; ++round) {
      const int bpp = 2 + round % 3;
      const DWORD key = DWORD(rng()) & pixel::SizeMask(bpp);
      std::uniform_int_distribution<int> side(1, 90);
      Buffer source(rng, side(rng), side(rng), bpp, key);
      Buffer fast(rng, side(rng), side(rng), bpp, key);
      Buffer slow = fast;
      const int w = std::uniform_int_distribution<int>(1, std::min(source.w, fast.w))(rng);
      const int h = std::uniform_int_distribution<int>(1, std::min(source.h, fast.h))(rng);
      const int sx = std::uniform_int_distribution<int>(0, source.w - w)(rng);
      const int sy = std::uniform_int_distribution<int>(0, source.h - h)(rng);
      const int dx = std::uniform_int_distribution<int>(0, fast.w - w)(rng);
      const int dy = std::uniform_int_distribution<int>(0, fast.h - h)(rng);
      switch (round % 4) {
        case 0:
          blit::CopyKeyed(fast.Pixels(), dx, dy, source.Pixels(), sx, sy, w, h, key);
          blit::reference::CopyKeyed(slow.Pixels(), dx, dy, source.Pixels(), sx, sy, w, h, key);
          break;
        case 1:
          blit::Copy(fast.Pixels(), dx, dy, source.Pixels(), sx, sy, w, h);
          blit::reference::Copy(slow.Pixels(), dx, dy, source.Pixels(), sx, sy, w, h);
          break;
        case 2:
          blit::Fill(fast.Pixels(), dx, dy, w, h, key);
          blit::reference::Fill(slow.Pixels(), dx, dy, w, h, key);
          break;
        default: {
          blit::StretchJob job{dx, dy, w, h, 0, 0, w, h, sx, sy, 0, 0, round % 8 == 3, key};
          job.sw = std::uniform_int_distribution<int>(1, source.w - sx)(rng);
          job.sh = std::uniform_int_distribution<int>(1, source.h - sy)(rng);
          blit::Stretch(fast.Pixels(), source.Pixels(), job);
          blit::reference::Stretch(slow.Pixels(), source.Pixels(), job);
        }
      }
      ASSERT_EQ(fast.bytes, slow.bytes) << "level " << int(level) << " round " << round;
    }
  }
  blit::LimitVectorLevel(blit::VectorLevel::Avx512);
}

// Random blits and fills between surfaces, run twice from the same start:
// fast paths on, then off. Visible pixels must agree.
std::vector<DWORD> RunSequence(int depth, bool fast, unsigned seed) {
  blit::SetFastPathsEnabled(fast);
  display_test::InstallFakeBackend(depth);
  Display* display = nullptr;
  CreateDisplay(nullptr, &display);
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> side(1, 70), coordinate(-40, 110);
  std::vector<Surface*> surfaces;
  for (int i = 0; i < 4; ++i) {
    Surface* s = nullptr;
    display->CreateSurface({7, DWORD(side(rng)), DWORD(side(rng)), DDSCAPS_OFFSCREENPLAIN}, &s);
    void* bits;
    LONG pitch;
    s->Lock(&bits, &pitch, 0);
    for (LONG k = 0; k < pitch * LONG(s->Height()); ++k) static_cast<BYTE*>(bits)[k] = BYTE(rng() % 3);
    s->Unlock();
    ColorKey key{DWORD(rng() % 3) * 0x01010101u, 0};
    key.high = key.low;
    s->SetColorKey(DDCKEY_SRCBLT, &key);
    surfaces.push_back(s);
  }
  for (int op = 0; op < 400; ++op) {
    Surface* dest = surfaces[rng() % 4];
    Surface* source = surfaces[rng() % 4];
    RECT a{coordinate(rng), coordinate(rng), coordinate(rng), coordinate(rng)};
    RECT b{coordinate(rng), coordinate(rng), coordinate(rng), coordinate(rng)};
    switch (rng() % 5) {
      case 0: dest->BltFast(a.left, a.top, source, &b, DDBLTFAST_SRCCOLORKEY); break;
      case 1: dest->BltFast(a.left, a.top, source, rng() % 2 ? &b : nullptr, 0); break;
      case 2: dest->Blt(&a, source, &b, rng() % 2 ? DDBLT_KEYSRC : 0, nullptr); break;
      case 3: {
        BltFx fx{DWORD(rng())};
        dest->Blt(rng() % 2 ? &a : nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx);
        break;
      }
      default: dest->Blt(nullptr, source, nullptr, DDBLT_KEYSRC, nullptr);
    }
  }
  std::vector<DWORD> visible;
  for (Surface* s : surfaces) {
    void* bits;
    LONG pitch;
    s->Lock(&bits, &pitch, 0);
    const int bpp = int(s->Format().bitCount / 8);
    for (DWORD y = 0; y < s->Height(); ++y)
      for (DWORD x = 0; x < s->Width(); ++x)
        visible.push_back(pixel::Load(static_cast<BYTE*>(bits) + y * pitch + x * bpp, bpp));
    s->Unlock();
    s->Release();
  }
  display->Release();
  display_test::RemoveFakeBackend();
  blit::SetFastPathsEnabled(true);
  return visible;
}

TEST(BlitRandom, SurfaceSequencesAgreeWithFastPathsOff) {
  for (int depth : {16, 15, 24, 32})
    for (unsigned seed : {1u, 2u, 3u})
      EXPECT_EQ(RunSequence(depth, true, seed), RunSequence(depth, false, seed))
          << "depth " << depth << " seed " << seed;
}

}  // namespace
