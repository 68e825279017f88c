// Surfaces of the software display: formats and padded pitch, locking,
// blits with clipping and keys, fills, scaling, presentation, loss, faults
// and capabilities.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/display_fake_backend.h"
#include "platform/surface/display.h"
#include "platform/gdi/gdi.h"

using namespace platform;

namespace {

class DisplayTest : public ::testing::Test {
 protected:
  void SetUp() override { Open(16); }
  void TearDown() override {
    ClearDisplayFaults();
    SetDisplayCapsForTests(nullptr, nullptr, false);
    for (Surface* s : made_) s->Release();
    if (display_) display_->Release();
    display_test::RemoveFakeBackend();
  }
  void Open(int depth) {
    for (Surface* s : made_) s->Release();
    made_.clear();
    if (display_) display_->Release();
    backend_ = display_test::InstallFakeBackend(depth);
    ASSERT_EQ(CreateDisplay(nullptr, &display_), DD_OK);
  }
  Surface* Make(DWORD w, DWORD h, DWORD caps = DDSCAPS_OFFSCREENPLAIN) {
    SurfaceDesc desc{DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT, w, h, caps};
    Surface* s = nullptr;
    EXPECT_EQ(display_->CreateSurface(desc, &s), DD_OK);
    if (s) made_.push_back(s);
    return s;
  }
  static DWORD Get(Surface* s, int x, int y) {
    void* bits;
    LONG pitch;
    EXPECT_EQ(s->Lock(&bits, &pitch, DDLOCK_WAIT), DD_OK);
    const int bpp = int(s->Format().bitCount / 8);
    DWORD v = 0;
    std::memcpy(&v, static_cast<BYTE*>(bits) + y * pitch + x * bpp, bpp);
    s->Unlock();
    return v;
  }
  static void Put(Surface* s, int x, int y, DWORD v) {
    void* bits;
    LONG pitch;
    ASSERT_EQ(s->Lock(&bits, &pitch, 0), DD_OK);
    std::memcpy(static_cast<BYTE*>(bits) + y * pitch + x * int(s->Format().bitCount / 8), &v,
                s->Format().bitCount / 8);
    s->Unlock();
  }
  // Fills every pixel with a value from its position (never 0).
  static void Pattern(Surface* s) {
    for (DWORD y = 0; y < s->Height(); ++y)
      for (DWORD x = 0; x < s->Width(); ++x) Put(s, int(x), int(y), 0x100 + y * 64 + x);
  }
  display_test::FakeBackend* backend_ = nullptr;
  Display* display_ = nullptr;
  std::vector<Surface*> made_;
};

TEST_F(DisplayTest, FormatsFollowTheDisplayDepth) {
  const struct {
    int depth;
    PixelFormat format;
  } cases[] = {{16, {16, 0xF800, 0x07E0, 0x001F}},
               {15, {16, 0x7C00, 0x03E0, 0x001F}},
               {24, {24, 0xFF0000, 0xFF00, 0xFF}},
               {32, {32, 0xFF0000, 0xFF00, 0xFF}}};
  for (const auto& c : cases) {
    Open(c.depth);
    Surface* s = Make(33, 5);
    PixelFormat f;
    ASSERT_EQ(s->GetPixelFormat(&f), DD_OK);
    EXPECT_EQ(f.bitCount, c.format.bitCount) << c.depth;
    EXPECT_EQ(f.redMask, c.format.redMask) << c.depth;
    EXPECT_EQ(f.greenMask, c.format.greenMask) << c.depth;
    EXPECT_EQ(f.blueMask, c.format.blueMask) << c.depth;
    void* bits;
    LONG pitch;
    ASSERT_EQ(s->Lock(&bits, &pitch, 0), DD_OK);
    EXPECT_GT(pitch, LONG(33 * f.bitCount / 8)) << "rows are padded";
    EXPECT_EQ(pitch % 16, 0);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(bits) % 16, 0u);
    EXPECT_EQ(s->Lock(&bits, &pitch, 0), DDERR_SURFACEBUSY);
    EXPECT_EQ(s->Unlock(), DD_OK);
    EXPECT_EQ(s->Unlock(), DDERR_NOTLOCKED);
  }
}

TEST_F(DisplayTest, SurfaceRequestsAreChecked) {
  Surface* s = nullptr;
  EXPECT_NE(display_->CreateSurface({DDSD_CAPS, 10, 10, DDSCAPS_OFFSCREENPLAIN}, &s), DD_OK);
  EXPECT_NE(display_->CreateSurface({7, 0, 10, DDSCAPS_OFFSCREENPLAIN}, &s), DD_OK);
  EXPECT_NE(display_->CreateSurface({7, 100000, 100000, DDSCAPS_OFFSCREENPLAIN}, &s), DD_OK);
  EXPECT_EQ(s, nullptr);
  Surface* primary = Make(0, 0, DDSCAPS_PRIMARYSURFACE);
  SurfaceDesc desc;
  primary->GetSurfaceDesc(&desc);
  EXPECT_EQ(desc.width, 800u);
  EXPECT_EQ(desc.height, 600u);
}

TEST_F(DisplayTest, BltFastClipsToBothSurfacesAndKeys) {
  Surface* src = Make(8, 8);
  Surface* dst = Make(10, 10);
  Pattern(src);
  // Left/top clipping: (-3, -2) shows source (3, 2) at (0, 0).
  EXPECT_EQ(dst->BltFast(-3, -2, src, nullptr, 0), DD_OK);
  EXPECT_EQ(Get(dst, 0, 0), Get(src, 3, 2));
  EXPECT_EQ(Get(dst, 4, 5), Get(src, 7, 7));
  EXPECT_EQ(Get(dst, 5, 0), 0u);
  // Right/bottom clipping and a source rectangle reaching outside the source.
  RECT outside{-2, -2, 20, 20};
  EXPECT_EQ(dst->BltFast(6, 6, src, &outside, 0), DD_OK);
  EXPECT_EQ(Get(dst, 8, 8), Get(src, 0, 0));
  EXPECT_EQ(Get(dst, 9, 9), Get(src, 1, 1));
  // Empty, inverted and far-away rectangles do nothing.
  RECT empty{2, 2, 2, 5}, inverted{5, 5, 2, 2};
  EXPECT_EQ(dst->BltFast(0, 0, src, &empty, 0), DD_OK);
  EXPECT_EQ(dst->BltFast(0, 0, src, &inverted, 0), DD_OK);
  EXPECT_EQ(dst->BltFast(1 << 20, 5, src, nullptr, 0), DD_OK);
  // Colour key: the key pixel leaves the destination alone, only with the flag.
  Put(dst, 1, 1, 0x1234);
  Put(src, 1, 1, 0xBEEF);
  ColorKey key{0xABCDBEEF, 0xABCDBEEF};  // compared on 16 bits
  src->SetColorKey(DDCKEY_SRCBLT, &key);
  RECT one{1, 1, 3, 2};
  EXPECT_EQ(dst->BltFast(1, 1, src, &one, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT), DD_OK);
  EXPECT_EQ(Get(dst, 1, 1), 0x1234u);
  EXPECT_EQ(Get(dst, 2, 1), Get(src, 2, 1));
  EXPECT_EQ(dst->BltFast(1, 1, src, &one, DDBLTFAST_WAIT), DD_OK);
  EXPECT_EQ(Get(dst, 1, 1), 0xBEEFu);
  ColorKey back;
  EXPECT_EQ(src->GetColorKey(DDCKEY_SRCBLT, &back), DD_OK);
  EXPECT_EQ(back.low, 0xABCDBEEFu);
}

TEST_F(DisplayTest, ThirtyTwoBitKeysCompareAllBits) {
  Open(32);
  Surface* src = Make(2, 1);
  Surface* dst = Make(2, 1);
  Put(src, 0, 0, 0x00FF0000);
  Put(src, 1, 0, 0x01FF0000);
  ColorKey key{0x00FF0000, 0x00FF0000};
  src->SetColorKey(DDCKEY_SRCBLT, &key);
  dst->BltFast(0, 0, src, nullptr, DDBLTFAST_SRCCOLORKEY);
  EXPECT_EQ(Get(dst, 0, 0), 0u);
  EXPECT_EQ(Get(dst, 1, 0), 0x01FF0000u);
}

TEST_F(DisplayTest, OverlappingCopyOnOneSurface) {
  Surface* s = Make(6, 6);
  Pattern(s);
  const DWORD topLeft = Get(s, 0, 0), inner = Get(s, 3, 3);
  RECT area{0, 0, 4, 4};
  EXPECT_EQ(s->BltFast(1, 1, s, &area, 0), DD_OK);
  EXPECT_EQ(Get(s, 1, 1), topLeft);
  EXPECT_EQ(Get(s, 4, 4), inner);
}

TEST_F(DisplayTest, FillsClipAndMaskTheValue) {
  Surface* s = Make(5, 4);
  BltFx fx{0x12345678};
  RECT r{-2, 1, 3, 100};
  EXPECT_EQ(s->Blt(&r, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
  EXPECT_EQ(Get(s, 0, 1), 0x5678u);
  EXPECT_EQ(Get(s, 2, 3), 0x5678u);
  EXPECT_EQ(Get(s, 3, 1), 0u);
  EXPECT_EQ(Get(s, 0, 0), 0u);
  EXPECT_EQ(s->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, nullptr), DDERR_INVALIDPARAMS);
}

// Fills of whole rows (the whole surface, or from a row down) reach the last
// row, whatever the padding of the pitch, at every depth.
TEST_F(DisplayTest, WholeRowFillsReachTheLastRow) {
  for (int depth : {16, 24, 32}) {
    Open(depth);
    Surface* s = Make(7, 5);
    Pattern(s);
    BltFx fx{0x00ABCDEF};
    const DWORD value = 0x00ABCDEF & (depth == 16 ? 0xFFFF : 0xFFFFFF);
    RECT lower{0, 3, 7, 5};
    ASSERT_EQ(s->Blt(&lower, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
    EXPECT_EQ(Get(s, 6, 4), value) << depth;
    EXPECT_NE(Get(s, 6, 2), value) << depth;
    ASSERT_EQ(s->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
    int unfilled = 0;
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x) unfilled += Get(s, x, y) != value;
    EXPECT_EQ(unfilled, 0) << depth;
  }
}

TEST_F(DisplayTest, BltScalesWithNearestNeighbourAndKey) {
  Surface* src = Make(2, 2);
  Surface* dst = Make(8, 8);
  Put(src, 0, 0, 1);
  Put(src, 1, 0, 2);
  Put(src, 0, 1, 3);
  Put(src, 1, 1, 4);
  RECT d{2, 2, 6, 6};
  EXPECT_EQ(dst->Blt(&d, src, nullptr, DDBLT_WAIT, nullptr), DD_OK);
  EXPECT_EQ(Get(dst, 2, 2), 1u);
  EXPECT_EQ(Get(dst, 3, 3), 1u);
  EXPECT_EQ(Get(dst, 4, 3), 2u);
  EXPECT_EQ(Get(dst, 5, 5), 4u);
  EXPECT_EQ(Get(dst, 6, 6), 0u);
  // Keyed, and partly outside the destination: the visible part keeps the
  // same mapping.
  ColorKey key{4, 4};
  src->SetColorKey(DDCKEY_SRCBLT, &key);
  Put(dst, 7, 7, 9);
  RECT off{2, 2, 10, 10};
  EXPECT_EQ(dst->Blt(&off, src, nullptr, DDBLT_KEYSRC | DDBLT_WAIT, nullptr), DD_OK);
  EXPECT_EQ(Get(dst, 4, 4), 1u);
  EXPECT_EQ(Get(dst, 7, 4), 2u);
  EXPECT_EQ(Get(dst, 7, 7), 9u);
  // A source rectangle half outside the source reads only inside it.
  RECT half{-2, 0, 2, 2};
  RECT whole{0, 0, 8, 4};
  EXPECT_EQ(dst->Blt(&whole, src, &half, DDBLT_WAIT, nullptr), DD_OK);
  EXPECT_EQ(Get(dst, 0, 0), 0u) << "columns reading outside the source stay";
  EXPECT_EQ(Get(dst, 4, 0), 1u);
  EXPECT_EQ(Get(dst, 6, 0), 2u);
  // Shrinking picks the first pixel of each group.
  Surface* small = Make(1, 1);
  EXPECT_EQ(small->Blt(nullptr, src, nullptr, 0, nullptr), DD_OK);
  EXPECT_EQ(Get(small, 0, 0), 1u);
}

TEST_F(DisplayTest, BltOntoThePrimaryPresents) {
  Surface* primary = Make(0, 0, DDSCAPS_PRIMARYSURFACE);
  Surface* back = Make(640, 480);
  RECT dest{10, 10, 650, 490}, src{0, 0, 640, 480};
  EXPECT_EQ(primary->Blt(&dest, back, &src, DDBLT_WAIT, nullptr), DD_OK);
  EXPECT_EQ(backend_->presented, 1);
  EXPECT_EQ(backend_->lastBack, back);
  EXPECT_EQ(backend_->lastSource.right, 640);
  EXPECT_EQ(backend_->lastSource.bottom, 480);
  display_->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN);
  EXPECT_EQ(backend_->vblanks, 1);
}

TEST_F(DisplayTest, LostSurfacesRefuseUntilRestored) {
  Surface* a = Make(4, 4);
  Surface* b = Make(4, 4);
  Surface* primary = Make(0, 0, DDSCAPS_PRIMARYSURFACE);
  Pattern(a);
  MakeAllSurfacesLost();
  void* bits;
  LONG pitch;
  Dc* dc;
  EXPECT_EQ(a->IsLost(), DDERR_SURFACELOST);
  EXPECT_EQ(a->Lock(&bits, &pitch, 0), DDERR_SURFACELOST);
  EXPECT_EQ(a->GetDC(&dc), DDERR_SURFACELOST);
  EXPECT_EQ(b->Restore(), DD_OK);
  EXPECT_EQ(b->BltFast(0, 0, a, nullptr, 0), DDERR_SURFACELOST);
  EXPECT_EQ(primary->Blt(nullptr, b, nullptr, 0, nullptr), DDERR_SURFACELOST);
  EXPECT_EQ(backend_->presented, 0);
  EXPECT_EQ(a->Restore(), DD_OK);
  EXPECT_EQ(a->IsLost(), DD_OK);
  EXPECT_EQ(Get(a, 3, 3), 0u) << "restored pixels are zero";
}

TEST_F(DisplayTest, OneDcAtATimeOverThePixels) {
  Surface* s = Make(4, 3);
  Dc* dc = nullptr;
  ASSERT_EQ(s->GetDC(&dc), DD_OK);
  Dc* second = nullptr;
  EXPECT_EQ(s->GetDC(&second), DDERR_DCALREADYCREATED);
  void* bits;
  LONG pitch;
  ASSERT_EQ(s->Lock(&bits, &pitch, 0), DD_OK);
  EXPECT_EQ(dc->Target().bits, bits);
  EXPECT_EQ(dc->Target().pitch, pitch);
  EXPECT_EQ(dc->Target().width, 4);
  EXPECT_EQ(dc->Target().format.greenMask, 0x07E0u);
  s->Unlock();
  EXPECT_EQ(s->ReleaseDC(dc), DD_OK);
  EXPECT_EQ(s->GetDC(&dc), DD_OK);
  EXPECT_EQ(s->ReleaseDC(dc), DD_OK);
}

TEST_F(DisplayTest, InjectedFaultsHitTheNthCall) {
  InjectDisplayFault(DisplayOp::CreateSurface, 2, DDERR_OUTOFMEMORY);
  SurfaceDesc desc{7, 4, 4, DDSCAPS_OFFSCREENPLAIN};
  Surface* s = nullptr;
  EXPECT_EQ(display_->CreateSurface(desc, &s), DD_OK);
  made_.push_back(s);
  EXPECT_EQ(display_->CreateSurface(desc, &s), DDERR_OUTOFMEMORY);
  EXPECT_EQ(s, nullptr);
  EXPECT_EQ(display_->CreateSurface(desc, &s), DD_OK);
  made_.push_back(s);
  InjectDisplayFault(DisplayOp::Lock, 1, DDERR_WASSTILLDRAWING);
  InjectDisplayFault(DisplayOp::GetPixelFormat, 1, DDERR_GENERIC);
  void* bits;
  LONG pitch;
  PixelFormat f;
  EXPECT_EQ(s->Lock(&bits, &pitch, 0), DDERR_WASSTILLDRAWING);
  EXPECT_EQ(s->Lock(&bits, &pitch, 0), DD_OK);
  s->Unlock();
  EXPECT_EQ(s->GetPixelFormat(&f), DDERR_GENERIC);
  InjectDisplayFault(DisplayOp::Create, 1, DDERR_GENERIC);
  ClearDisplayFaults();
  Display* other = nullptr;
  EXPECT_EQ(CreateDisplay(nullptr, &other), DD_OK);
  other->Release();
}

TEST_F(DisplayTest, CapabilitiesAndModes) {
  DisplayCaps driver, hel;
  display_->GetCaps(&driver, &hel);
  EXPECT_FALSE(driver.caps & DDCAPS_3D);
  EXPECT_TRUE(hel.caps & DDCAPS_BLTSTRETCH);
  ASSERT_EQ(EnumerateDisplayDrivers().size(), 1u);
  EXPECT_EQ(EnumerateDisplayDrivers()[0].description, "Primary Display Driver");

  SetDisplayCapsForTests(nullptr, nullptr, true);
  const auto drivers = EnumerateDisplayDrivers();
  ASSERT_EQ(drivers.size(), 2u);
  Display* hardware = nullptr;
  ASSERT_EQ(CreateDisplay(&drivers[1], &hardware), DD_OK);
  hardware->GetCaps(&driver, &hel);
  EXPECT_TRUE((driver.caps & DDCAPS_3D) && (driver.surfaceCaps & DDSCAPS_TEXTURE));
  hardware->Release();
  DisplayCaps none{};
  SetDisplayCapsForTests(&none, &none, false);
  display_->GetCaps(&driver, &hel);
  EXPECT_FALSE(hel.caps & DDCAPS_BLTSTRETCH);

  EXPECT_EQ(display_->SetDisplayMode(640, 480, 16), DDERR_NOEXCLUSIVEMODE);
  EXPECT_EQ(display_->SetCooperativeLevel(nullptr, 0x13), DD_OK);
  backend_->acceptModes = false;
  EXPECT_EQ(display_->SetDisplayMode(640, 480, 24), DDERR_INVALIDMODE);
  backend_->acceptModes = true;
  EXPECT_EQ(display_->SetDisplayMode(640, 480, 32), DD_OK);
  EXPECT_EQ(Make(2, 2)->Format().bitCount, 32u);
  EXPECT_EQ(display_->FlipToGDISurface(), DD_OK);
}

}  // namespace
