// display.cpp - the display object: driver enumeration, capabilities,
// cooperative level and modes, surface and clipper creation, the vertical
// blank, and the test hooks for faults and capabilities.
//
// Capabilities. One driver is listed, "Primary Display Driver", a software
// driver: its driver caps lack DDCAPS_3D (so the library's HardwareDevice
// stays 0) and its emulation caps carry DDCAPS_BLTSTRETCH (so CanStretch is
// 1 and stretched drawing goes through Blt). Tests can replace both records
// and list a second, hardware driver (3D + texture) with
// SetDisplayCapsForTests, so that both stretch paths are reachable.
#include <algorithm>
#include <vector>

#include "platform/backend.h"
#include "platform/surface/display_internal.h"

namespace platform {

namespace {

struct PendingFault {
  DisplayOp op;
  int remaining;
  HRESULT result;
};

// Display module state: pending injected faults and the capability records
// tests substituted.
struct DisplayState {
  std::vector<PendingFault> faults;
  bool capsReplaced = false;
  DisplayCaps driverCaps, emulationCaps;
  bool hardwareListed = false;
} state;

constexpr int kHardwareDriverId = 1;

DisplayCaps BuiltInDriverCaps(int driverId) {
  if (driverId == kHardwareDriverId) return {DDCAPS_3D | DDCAPS_BLTSTRETCH, DDSCAPS_TEXTURE};
  return {0, 0};
}
DisplayCaps BuiltInEmulationCaps() { return {DDCAPS_BLTSTRETCH, 0}; }

class ClipperImpl final : public Clipper {
 public:
  HRESULT SetHWnd(DWORD, HWND window) override {
    if (HRESULT fault = TakeDisplayFault(DisplayOp::SetHWnd)) return fault;
    window_ = window;
    return DD_OK;
  }
  void Release() override { delete this; }

 private:
  HWND window_ = nullptr;
};

class DisplayImpl final : public Display {
 public:
  explicit DisplayImpl(int driverId) : driverId_(driverId) {}

  HRESULT GetCaps(DisplayCaps* driver, DisplayCaps* emulation) override {
    if (driver) *driver = state.capsReplaced ? state.driverCaps : BuiltInDriverCaps(driverId_);
    if (emulation) *emulation = state.capsReplaced ? state.emulationCaps : BuiltInEmulationCaps();
    return DD_OK;
  }

  HRESULT SetCooperativeLevel(HWND, DWORD flags) override {
    if (HRESULT fault = TakeDisplayFault(DisplayOp::SetCooperativeLevel)) return fault;
    const DWORD exclusive = DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN;
    if (!(flags & DDSCL_NORMAL) && (flags & exclusive) != exclusive) return DDERR_INVALIDPARAMS;
    exclusive_ = (flags & exclusive) == exclusive;
    return DD_OK;
  }

  HRESULT SetDisplayMode(int width, int height, int bitsPerPixel) override {
    if (HRESULT fault = TakeDisplayFault(DisplayOp::SetDisplayMode)) return fault;
    if (!exclusive_) return DDERR_NOEXCLUSIVEMODE;
    if (!GetBackend().SetDisplayMode(width, height, bitsPerPixel)) return DDERR_INVALIDMODE;
    modeSet_ = true;
    return DD_OK;
  }

  HRESULT RestoreDisplayMode() override {
    if (modeSet_) GetBackend().RestoreDisplayMode();
    modeSet_ = false;
    return DD_OK;
  }

  HRESULT CreateSurface(const SurfaceDesc& desc, Surface** surface) override {
    *surface = nullptr;
    if (HRESULT fault = TakeDisplayFault(DisplayOp::CreateSurface)) return fault;
    DWORD width = desc.width, height = desc.height;
    if (desc.caps & DDSCAPS_PRIMARYSURFACE) {
      width = DWORD(std::max(1, GetBackend().GetSystemMetrics(SM_CXSCREEN)));
      height = DWORD(std::max(1, GetBackend().GetSystemMetrics(SM_CYSCREEN)));
    } else if ((desc.flags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT)) {
      return DDERR_INVALIDPARAMS;
    }
    SoftSurface* made = nullptr;
    const HRESULT result = SoftSurface::Create(width, height, desc.caps, CurrentDisplayFormat(), &made);
    *surface = made;
    return result;
  }

  HRESULT CreateClipper(DWORD, Clipper** clipper) override {
    *clipper = nullptr;
    if (HRESULT fault = TakeDisplayFault(DisplayOp::CreateClipper)) return fault;
    *clipper = new ClipperImpl();
    return DD_OK;
  }

  HRESULT WaitForVerticalBlank(DWORD) override {
    GetBackend().WaitVerticalBlank();
    return DD_OK;
  }

  HRESULT FlipToGDISurface() override { return DD_OK; }
  void Release() override { delete this; }

 private:
  int driverId_;
  bool exclusive_ = false;
  bool modeSet_ = false;
};

}  // namespace

PixelFormat PixelFormatForDepth(int bitsPerPixel) {
  switch (bitsPerPixel) {
    case 15: return {16, 0x7C00, 0x03E0, 0x001F};
    case 16: return {16, 0xF800, 0x07E0, 0x001F};
    case 24: return {24, 0xFF0000, 0x00FF00, 0x0000FF};
    case 32: return {32, 0xFF0000, 0x00FF00, 0x0000FF};
    default: return {DWORD(std::max(bitsPerPixel, 0)), 0, 0, 0};
  }
}

PixelFormat CurrentDisplayFormat() {
  const Backend& backend = GetBackend();
  const int bits = backend.DisplayBitsPerPixel();
  return PixelFormatForDepth(bits == 16 && backend.Display555() ? 15 : bits);
}

std::vector<DriverInfo> EnumerateDisplayDrivers() {
  std::vector<DriverInfo> drivers{{0, "Primary Display Driver", "display"}};
  if (state.hardwareListed)
    drivers.push_back({kHardwareDriverId, "Hardware Display Driver", "hardware"});
  return drivers;
}

HRESULT CreateDisplay(const DriverInfo* driver, Display** display) {
  *display = nullptr;
  if (HRESULT fault = TakeDisplayFault(DisplayOp::Create)) return fault;
  const int id = driver ? driver->id : 0;
  if (id != 0 && !(id == kHardwareDriverId && state.hardwareListed)) return DDERR_INVALIDPARAMS;
  *display = new DisplayImpl(id);
  return DD_OK;
}

HRESULT TakeDisplayFault(DisplayOp op) {
  HRESULT result = DD_OK;
  for (auto it = state.faults.begin(); it != state.faults.end();) {
    if (it->op == op && --it->remaining == 0) {
      if (result == DD_OK) result = it->result;
      it = state.faults.erase(it);
    } else {
      ++it;
    }
  }
  return result;
}

void InjectDisplayFault(DisplayOp op, int nth, HRESULT result) {
  if (nth <= 0) return ClearDisplayFaults();
  state.faults.push_back({op, nth, result});
}

void ClearDisplayFaults() { state.faults.clear(); }

void SetDisplayCapsForTests(const DisplayCaps* driver, const DisplayCaps* emulation,
                            bool hardwareDriverListed) {
  state.capsReplaced = driver || emulation;
  state.driverCaps = driver ? *driver : BuiltInDriverCaps(0);
  state.emulationCaps = emulation ? *emulation : BuiltInEmulationCaps();
  state.hardwareListed = hardwareDriverListed;
}

}  // namespace platform
