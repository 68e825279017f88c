// screen.cpp - screen set-up and release: the display object, the primary
// surface and back buffer, the internal sprites, the pixel-format values and
// the sine table; then the start of sound, MIDI, fonts and joysticks.
#include <cmath>
#include <cstring>
#include <vector>

#include "draw/draw.h"
#include "draw/draw_internal.h"
#include "effects/effects.h"
#include "input/input.h"
#include "platform/backend.h"
#include "platform/surface/pixel.h"
#include "sound/sound.h"
#include "system/system.h"
#include "text/text.h"

namespace ruDraw {

// ---------------------------------------------------------------- module state
platform::Display* DirectDraw = nullptr;
platform::Surface* PrimarySurface = nullptr;
platform::Surface* BackBuffer = nullptr;
platform::Clipper* ScreenClipper = nullptr;
int ScreenWidth = 0, ScreenHeight = 0;
RECT ScreenRect = {0, 0, 0, 0};
int HardwareDevice = 0;
int CanStretch = 0;

DWORD RedMask = 0, GreenMask = 0, BlueMask = 0;
WORD RedShift = 0, GreenShift = 0, BlueShift = 0;
DWORD RedMax = 0, GreenMax = 0, BlueMax = 0;
WORD RedShift5 = 0, GreenShift5 = 0, BlueShift5 = 0;
DWORD HalfMask = 0;
DWORD WhiteColor = 0;

std::int32_t SineTable[450];

namespace {

constexpr const char* kTag = "ruDraw::Screen";

// The display object a driver enumeration is trying out, and its caps.
platform::Display* CheckDD = nullptr;
platform::DisplayCaps DriverCaps, HELCaps;

struct InternalSprite {
  const char* name;
  const char* failure;
};

// Each numbered step's failure: one report, its result (0) returned.
int Fail(const char* message, HRESULT code) { return ruSystem::Error(kTag, message, code); }

// DirectDrawEnumerateA: the callback for each driver until it returns FALSE.
void EnumerateDrivers(platform::Display** context) {
  const std::vector<platform::DriverInfo> drivers = platform::EnumerateDisplayDrivers();
  for (const platform::DriverInfo& driver : drivers) {
    if (!EnumCallback(&driver, driver.description.c_str(), driver.name.c_str(), context)) break;
  }
}

int SetDisplayModeWithFallbacks(int width, int height) {
  HRESULT result = DirectDraw->SetDisplayMode(width, height, ruSystem::ColorDepth);
  if (result != DD_OK && ruSystem::ColorDepthAlt1 != 0) {
    ruSystem::ColorDepth = ruSystem::ColorDepthAlt1;
    result = DirectDraw->SetDisplayMode(width, height, ruSystem::ColorDepth);
  }
  if (result != DD_OK && ruSystem::ColorDepthAlt2 != 0) {
    ruSystem::ColorDepth = ruSystem::ColorDepthAlt2;
    result = DirectDraw->SetDisplayMode(width, height, ruSystem::ColorDepth);
  }
  if (result != DD_OK) return Fail("解像度が変更できません", result);
  return 1;
}

int CreateClipperForWindow() {
  HRESULT result = DirectDraw->CreateClipper(0, &ScreenClipper);
  if (result != DD_OK) return Fail("クリップが生成できません", result);
  result = ScreenClipper->SetHWnd(0, ruSystem::MainWindow);
  if (result != DD_OK) return Fail("クリップにウィンドウハンドルを設定できません", result);
  result = PrimarySurface->SetClipper(ScreenClipper);
  if (result != DD_OK) return Fail("表画面をクリップできません", result);
  return 1;
}

int CreateInternalSprites(DWORD memoryCaps) {
  static const InternalSprite kSprites[4] = {
      {"内部用１", "Bufferスプライトが生成できません"},
      {"内部用２", "Screenスプライトが生成できません"},
      {"内部用３", "Fontスプライトが生成できません"},
      {"内部用４", "Fontバッファスプライトが生成できません"},
  };
  for (int n = 0; n < 4; ++n) {
    platform::SurfaceDesc desc;
    desc.flags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.width = DWORD(ScreenWidth);
    desc.height = DWORD(ScreenHeight);
    // The font sprites always live in system memory.
    desc.caps = n < 2 ? (memoryCaps | DDSCAPS_OFFSCREENPLAIN)
                      : (DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY);
    DrawObject& slot = Objects[n];
    const HRESULT result = DirectDraw->CreateSurface(desc, &slot.surface);
    if (result != DD_OK) {
      slot.surface = nullptr;
      return Fail(kSprites[n].failure, result);
    }
    SetSurfaceColorKey(slot.surface, 0);
    CopyObjectName(slot.name, kSprites[n].name);
    slot.packFlag = 0;
    slot.memoryKind = 2;
    slot.colorKey = 0;
    slot.width = std::int16_t(ScreenWidth);
    slot.height = std::int16_t(ScreenHeight);
  }
  return 1;
}

void DecideStretch() {
  platform::DisplayCaps hal, hel;
  DirectDraw->GetCaps(&hal, &hel);
  const DWORD caps = HardwareDevice == 1 ? hal.caps : hel.caps;
  CanStretch = (caps & DDCAPS_BLTSTRETCH) ? 1 : 0;
}

// Derives the per-channel values from the back buffer's pixel format. A
// format without a mask in some channel (a palette display) cannot be used.
int DerivePixelFormat() {
  platform::PixelFormat format;
  const HRESULT result = BackBuffer->GetPixelFormat(&format);
  if (result != DD_OK) return Fail("ピクセル情報が取得できません", result);
  if (format.redMask == 0 || format.greenMask == 0 || format.blueMask == 0)
    return Fail("ピクセル情報が取得できません", DDERR_UNSUPPORTED);
  const platform::pixel::Layout layout = platform::pixel::LayoutOf(format);
  const auto take = [](const platform::pixel::Channel& c, DWORD* mask, WORD* shift, DWORD* max,
                       WORD* shift5) {
    *mask = c.mask;
    *shift = c.shift;
    *max = c.max;
    *shift5 = c.Shift5();
  };
  take(layout.red, &RedMask, &RedShift, &RedMax, &RedShift5);
  take(layout.green, &GreenMask, &GreenShift, &GreenMax, &GreenShift5);
  take(layout.blue, &BlueMask, &BlueShift, &BlueMax, &BlueShift5);
  HalfMask = layout.HalfMask();
  WhiteColor = layout.White();
  return 1;
}

void BuildSineTable() {
  for (int i = 0; i < 450; ++i)
    SineTable[i] = std::int32_t(std::sin(i * 6.283185307179586 / 360) * 360);
}

void EmptyLoadableSlots() {
  for (int n = kFirstLoadedObject; n < kObjectCount; ++n) EmptySlot(Objects[n]);
}

void StartOtherModules() {
  ruSound::InitSound();
  ruSound::InitSoundSlots();
  ruSound::InitMidi();
  ruSystem::Reset();
  InitFont();
  ruSystem::InitJoystick();
  if (ruSystem::ClipCursorMode) ruSystem::ClipCursorToWindow();
}

}  // namespace

BOOL EnumCallback(const platform::DriverInfo* driver, const char* description,
                  const char* name, void* context) {
  HardwareDevice = 0;
  if (platform::CreateDisplay(driver, &CheckDD) < 0) return TRUE;
  DriverCaps = platform::DisplayCaps{};
  HELCaps = platform::DisplayCaps{};
  CheckDD->GetCaps(&DriverCaps, &HELCaps);
  auto** out = static_cast<platform::Display**>(context);
  if ((DriverCaps.caps & DDCAPS_3D) && (DriverCaps.surfaceCaps & DDSCAPS_TEXTURE)) {
    *out = CheckDD;
    HardwareDevice = 1;
    return FALSE;
  }
  *out = nullptr;
  CheckDD->Release();
  CheckDD = nullptr;
  return TRUE;
}

int Screen(int width, int height, int memory) {
  DirectDraw = nullptr;
  PrimarySurface = nullptr;
  BackBuffer = nullptr;
  ScreenClipper = nullptr;
  ruSystem::ErrorFlag = 0;

  if (width == -1) {
    width = ruSystem::DefaultWidth;
    height = ruSystem::DefaultHeight;
  }
  ScreenWidth = width;
  ScreenHeight = height;
  ClipWindow = RECT{0, 0, width, height};

  EnumerateDrivers(&DirectDraw);
  if (!DirectDraw) {
    const HRESULT result = platform::CreateDisplay(nullptr, &DirectDraw);
    if (result != DD_OK) {
      DirectDraw = nullptr;
      return Fail("DirectDrawが使用できません", result);
    }
  }

  DWORD memoryCaps = (memory == 1 || memory == 3) ? 0 : DDSCAPS_SYSTEMMEMORY;

  const DWORD level = ruSystem::FullScreen ? (DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT)
                                           : DDSCL_NORMAL;
  HRESULT result = DirectDraw->SetCooperativeLevel(ruSystem::MainWindow, level);
  if (result != DD_OK) return Fail("フルスクリーン化できません", result);

  if (ruSystem::FullScreen) {
    if (!SetDisplayModeWithFallbacks(width, height)) return 0;
  } else {
    ruSystem::ColorDepth = ruSystem::GetColorDepth();
  }

  platform::SurfaceDesc primary;
  primary.flags = DDSD_CAPS;
  primary.caps = memoryCaps | DDSCAPS_PRIMARYSURFACE;
  result = DirectDraw->CreateSurface(primary, &PrimarySurface);
  if (result != DD_OK) {
    PrimarySurface = nullptr;
    return Fail("表画面が生成できません", result);
  }

  platform::SurfaceDesc back;
  back.flags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
  back.width = DWORD(width);
  back.height = DWORD(height);
  back.caps = memoryCaps | DDSCAPS_OFFSCREENPLAIN;
  result = DirectDraw->CreateSurface(back, &BackBuffer);
  if (result != DD_OK) {
    BackBuffer = nullptr;
    return Fail("裏画面が生成できません", result);
  }

  if (!ruSystem::FullScreen && !CreateClipperForWindow()) return 0;

  if (memory == 3) memoryCaps = DDSCAPS_SYSTEMMEMORY;
  if (!CreateInternalSprites(memoryCaps)) return 0;

  DecideStretch();
  if (!DerivePixelFormat()) return 0;

  BuildSineTable();
  BuildEffectTables(ruSystem::GetColorDepth() == 16);

  EmptyLoadableSlots();

  OverlayPage = 0;
  OverlayBack = 0;
  ScreenRect = RECT{0, 0, width, height};
  ruSystem::ClientRect = RECT{ruSystem::WindowX, ruSystem::WindowY, ruSystem::WindowX + width,
                              ruSystem::WindowY + height};

  StartOtherModules();
  return 1;
}

void ExitScreen() {
  if (DirectDraw) {
    for (DrawObject& slot : Objects) {
      if (!slot.surface) continue;
      slot.surface->Release();
      EmptySlot(slot);
    }
    if (!ruSystem::FullScreen && ScreenClipper) {
      ScreenClipper->Release();
      ScreenClipper = nullptr;
    }
    if (PrimarySurface) PrimarySurface->Release();
    if (BackBuffer) BackBuffer->Release();
    PrimarySurface = nullptr;
    BackBuffer = nullptr;
    if (ruSystem::FullScreen) {
      DirectDraw->RestoreDisplayMode();
      DirectDraw->SetCooperativeLevel(ruSystem::MainWindow, DDSCL_NORMAL);
    }
    DirectDraw->Release();
    DirectDraw = nullptr;
  }
  if (ruSystem::FullScreen || ruSystem::DesktopMode)
    platform::GetBackend().MinimizeWindow(ruSystem::MainWindow);
}

}  // namespace ruDraw
