// display.h - what the drawing code expects of the display: a display
// object, surfaces and a clipper, with DirectDraw's results and flags.
//
// Surfaces are software pixel buffers in the display's format: 16-bit 5-6-5
// (default), 16-bit 5-5-5, 24- or 32-bit. A surface's pitch (bytes per row)
// may be larger than width x bytes per pixel: always step rows by the pitch.
// Every operation returns DD_OK (0) on success or a DDERR_* code.
#pragma once

#include <string>
#include <vector>

#include "platform/win_types.h"

namespace platform {

class Dc;
class Clipper;

// Bit count and channel masks (GetPixelFormat).
struct PixelFormat {
  DWORD bitCount = 0;  // 16, 24 or 32
  DWORD redMask = 0, greenMask = 0, blueMask = 0;
};
// The format of a display of `bitsPerPixel` (15 means 16-bit 5-5-5).
PixelFormat PixelFormatForDepth(int bitsPerPixel);

// A surface request or description (DDSURFACEDESC's fields that matter).
struct SurfaceDesc {
  DWORD flags = 0;   // DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT
  DWORD width = 0, height = 0;
  DWORD caps = 0;    // DDSCAPS_*
};

struct ColorKey {
  DWORD low = 0, high = 0;  // one raw pixel value: low == high
};

struct BltFx {
  DWORD fillColor = 0;  // raw pixel value for DDBLT_COLORFILL
};

// Capability bits (DDCAPS): dwCaps and the surface capabilities.
struct DisplayCaps {
  DWORD caps = 0;         // DDCAPS_3D, DDCAPS_BLTSTRETCH, ...
  DWORD surfaceCaps = 0;  // DDSCAPS_TEXTURE, ...
};

// A display surface.
class Surface {
 public:
  virtual ~Surface() = default;
  // Size in pixels and format; valid even while lost.
  virtual DWORD Width() const = 0;
  virtual DWORD Height() const = 0;
  virtual const PixelFormat& Format() const = 0;
  // The capabilities the surface was created with.
  virtual DWORD Caps() const = 0;

  // Whole-surface lock: memory address and pitch in bytes. Flags DDLOCK_WAIT
  // or 0. DDERR_SURFACELOST while lost; DDERR_SURFACEBUSY if locked twice.
  virtual HRESULT Lock(void** bits, LONG* pitch, DWORD flags) = 0;
  // Ends the lock; the changes are seen by later blits.
  virtual HRESULT Unlock() = 0;

  // Copies `source`'s rectangle to (x, y) unscaled; DDBLTFAST_SRCCOLORKEY
  // skips the source's key colour. The rectangle is clipped to both
  // surfaces. Either surface lost: DDERR_SURFACELOST.
  virtual HRESULT BltFast(int x, int y, Surface* source, const RECT* sourceRect,
                          DWORD flags) = 0;
  // Scaled copy of source rectangle to destination rectangle (nullptr: the
  // whole surface); DDBLT_KEYSRC keys; DDBLT_COLORFILL fills `dest` with
  // fx->fillColor (source unused). Rectangles are clipped to the surfaces.
  // A blit onto the primary surface presents the frame in the window.
  virtual HRESULT Blt(const RECT* dest, Surface* source, const RECT* sourceRect,
                      DWORD flags, const BltFx* fx) = 0;

  // Source colour key (DDCKEY_SRCBLT), raw pixel values.
  virtual HRESULT SetColorKey(DWORD flags, const ColorKey* key) = 0;
  virtual HRESULT GetColorKey(DWORD flags, ColorKey* key) const = 0;
  virtual HRESULT GetPixelFormat(PixelFormat* format) const = 0;
  virtual HRESULT GetSurfaceDesc(SurfaceDesc* desc) const = 0;

  // A GDI device context drawing into the surface's pixels; one at a time.
  virtual HRESULT GetDC(Dc** dc) = 0;
  virtual HRESULT ReleaseDC(Dc* dc) = 0;

  // DD_OK, or DDERR_SURFACELOST after the display took the memory back.
  virtual HRESULT IsLost() const = 0;
  // Makes a lost surface usable again; its pixels are undefined (zero).
  virtual HRESULT Restore() = 0;
  // The clipper for blits onto the primary surface (window mode).
  virtual HRESULT SetClipper(Clipper* clipper) = 0;
  // Frees the surface; the pointer is invalid afterwards.
  virtual void Release() = 0;
};

class Clipper {
 public:
  virtual ~Clipper() = default;
  // Binds the clipper to the window whose client area it clips to.
  virtual HRESULT SetHWnd(DWORD flags, HWND window) = 0;
  virtual void Release() = 0;
};

// A display driver that enumeration reports.
struct DriverInfo {
  int id = 0;
  std::string description, name;
};

// The display object (DirectDraw).
class Display {
 public:
  virtual ~Display() = default;
  // Driver and emulation (HEL) capabilities.
  virtual HRESULT GetCaps(DisplayCaps* driver, DisplayCaps* emulation) = 0;
  // DDSCL_NORMAL for a window, EXCLUSIVE|FULLSCREEN for full screen.
  virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
  // Full-screen mode; fails outside exclusive mode or for a depth the
  // display refuses.
  virtual HRESULT SetDisplayMode(int width, int height, int bitsPerPixel) = 0;
  virtual HRESULT RestoreDisplayMode() = 0;
  // Primary (DDSCAPS_PRIMARYSURFACE, the display's size) or off-screen plain
  // surfaces of the given size, in the display's pixel format.
  virtual HRESULT CreateSurface(const SurfaceDesc& desc, Surface** surface) = 0;
  virtual HRESULT CreateClipper(DWORD flags, Clipper** clipper) = 0;
  // Returns at the start of the next vertical blank.
  virtual HRESULT WaitForVerticalBlank(DWORD flags) = 0;
  // Makes the desktop visible for a message box in full-screen mode.
  virtual HRESULT FlipToGDISurface() = 0;
  virtual void Release() = 0;
};

// The drivers DirectDrawEnumerateA would report, in order.
std::vector<DriverInfo> EnumerateDisplayDrivers();
// DirectDrawCreate: the given driver, or the primary display for nullptr.
HRESULT CreateDisplay(const DriverInfo* driver, Display** display);

// ---- test hooks
// Marks every surface of every display lost (as a mode switch would).
void MakeAllSurfacesLost();
// Display operations a test can make fail.
enum class DisplayOp {
  Create, SetCooperativeLevel, SetDisplayMode, CreateSurface, CreateClipper,
  SetHWnd, SetClipper, GetPixelFormat, Lock, GetDC
};
// The `nth` (1-based) call of `op` from now returns `result`; 0 clears all.
void InjectDisplayFault(DisplayOp op, int nth, HRESULT result);
void ClearDisplayFaults();
// Replaces the capabilities drivers report (nullptr: the built-in ones).
void SetDisplayCapsForTests(const DisplayCaps* driver, const DisplayCaps* emulation,
                            bool hardwareDriverListed);

}  // namespace platform
