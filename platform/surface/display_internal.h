// display_internal.h - what the display files share inside platform/: the
// software surface, the fault hooks and the pixel format of the display.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>

#include "platform/surface/blit.h"
#include "platform/surface/display.h"
#include "platform/gdi/gdi.h"

namespace platform {

// The result an injected fault gives for this call of `op`, or DD_OK.
HRESULT TakeDisplayFault(DisplayOp op);
// The format surfaces get now, from the backend's display depth.
PixelFormat CurrentDisplayFormat();

// A rectangle in wide integers, so clipping arithmetic cannot overflow.
struct BlitArea {
  std::int64_t left, top, right, bottom;
  std::int64_t Width() const { return right - left; }
  std::int64_t Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
};

// A surface in main memory. Off-screen surfaces pad each row: the pitch is
// width x bytes per pixel rounded up to 16, plus 16 bytes, so code that
// ignores the pitch shows its fault; rows start 16-byte aligned. The primary
// surface holds no pixels: a blit onto it presents the source.
class SoftSurface final : public Surface {
 public:
  // Surfaces are made by Display::CreateSurface through Create.
  static HRESULT Create(DWORD width, DWORD height, DWORD caps, const PixelFormat& format,
                        SoftSurface** out);
  ~SoftSurface() override;

  DWORD Width() const override { return width_; }
  DWORD Height() const override { return height_; }
  const PixelFormat& Format() const override { return format_; }
  DWORD Caps() const override { return caps_; }
  HRESULT Lock(void** bits, LONG* pitch, DWORD flags) override;
  HRESULT Unlock() override;
  HRESULT BltFast(int x, int y, Surface* source, const RECT* sourceRect, DWORD flags) override;
  HRESULT Blt(const RECT* dest, Surface* source, const RECT* sourceRect, DWORD flags,
              const BltFx* fx) override;
  HRESULT SetColorKey(DWORD flags, const ColorKey* key) override;
  HRESULT GetColorKey(DWORD flags, ColorKey* key) const override;
  HRESULT GetPixelFormat(PixelFormat* format) const override;
  HRESULT GetSurfaceDesc(SurfaceDesc* desc) const override;
  HRESULT GetDC(Dc** dc) override;
  HRESULT ReleaseDC(Dc* dc) override;
  HRESULT IsLost() const override;
  HRESULT Restore() override;
  HRESULT SetClipper(Clipper* clipper) override;
  void Release() override;

  // Marks the surface lost (a mode switch took its memory).
  void MarkLost() { lost_ = true; }
  bool IsPrimary() const { return (caps_ & DDSCAPS_PRIMARYSURFACE) != 0; }
  // The rows, for blits (valid while not lost; primary: none).
  pixel::Rows Rows() const { return {bits_, pitch_, bytesPerPixel_}; }
  // The source key masked to the pixel size.
  DWORD MaskedKey() const { return key_.low & pixel::SizeMask(bytesPerPixel_); }

 private:
  SoftSurface(DWORD width, DWORD height, DWORD caps, const PixelFormat& format);
  HRESULT Present(SoftSurface* back, const RECT* sourceRect);
  HRESULT Fill(const RECT* dest, DWORD value);
  // Unscaled copy of the clipped source area `s` to (dx, dy).
  void CopyArea(SoftSurface* source, const BlitArea& s, std::int64_t dx, std::int64_t dy,
                bool keyed);

  struct FreeDeleter {
    void operator()(BYTE* p) const { std::free(p); }
  };
  DWORD width_, height_, caps_;
  PixelFormat format_;
  int bytesPerPixel_;
  LONG pitch_ = 0;
  std::unique_ptr<BYTE, FreeDeleter> storage_;
  BYTE* bits_ = nullptr;
  ColorKey key_{};
  bool hasKey_ = false;
  bool lost_ = false;
  bool locked_ = false;
  std::optional<Dc> dc_;  // held in place: GetDC in a frame allocates nothing
  Clipper* clipper_ = nullptr;
};

}  // namespace platform
