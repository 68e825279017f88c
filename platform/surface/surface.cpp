// surface.cpp - software surfaces: storage with padded rows, lock, colour
// keys, device contexts, loss and restore. Blits live in surface_blit.cpp.
#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/surface/display_internal.h"
#include "platform/gdi/gdi.h"

namespace platform {

namespace {
// Every live surface, so that a simulated mode switch can reach them all.
std::vector<SoftSurface*> liveSurfaces;

// Largest side and pixel count a surface may have: the bitmap bounds, as
// nothing larger can be loaded into one.
constexpr DWORD kMaxSurfaceSide = DWORD(kMaxBitmapSide);
constexpr std::uint64_t kMaxSurfacePixels = std::uint64_t(kMaxBitmapPixels);
}  // namespace

SoftSurface::SoftSurface(DWORD width, DWORD height, DWORD caps, const PixelFormat& format)
    : width_(width), height_(height), caps_(caps), format_(format),
      bytesPerPixel_(int(format.bitCount / 8)) {}

HRESULT SoftSurface::Create(DWORD width, DWORD height, DWORD caps, const PixelFormat& format,
                            SoftSurface** out) {
  *out = nullptr;
  if (format.bitCount != 16 && format.bitCount != 24 && format.bitCount != 32)
    return DDERR_UNSUPPORTED;
  if (width == 0 || height == 0 || width > kMaxSurfaceSide || height > kMaxSurfaceSide ||
      std::uint64_t(width) * height > kMaxSurfacePixels)
    return DDERR_INVALIDPARAMS;
  auto* surface = new (std::nothrow) SoftSurface(width, height, caps, format);
  if (!surface) return DDERR_OUTOFMEMORY;
  if (!surface->IsPrimary()) {
    const LONG rowBytes = LONG(width) * surface->bytesPerPixel_;
    surface->pitch_ = ((rowBytes + 15) & ~15) + 16;
    const size_t bytes = size_t(surface->pitch_) * height;
    surface->storage_.reset(static_cast<BYTE*>(std::aligned_alloc(64, (bytes + 63) & ~size_t(63))));
    if (!surface->storage_) {
      delete surface;
      return DDERR_OUTOFMEMORY;
    }
    surface->bits_ = surface->storage_.get();
    std::memset(surface->bits_, 0, bytes);
  }
  liveSurfaces.push_back(surface);
  *out = surface;
  return DD_OK;
}

SoftSurface::~SoftSurface() {
  liveSurfaces.erase(std::remove(liveSurfaces.begin(), liveSurfaces.end(), this),
                     liveSurfaces.end());
}

void SoftSurface::Release() { delete this; }

HRESULT SoftSurface::Lock(void** bits, LONG* pitch, DWORD) {
  if (HRESULT fault = TakeDisplayFault(DisplayOp::Lock)) return fault;
  if (lost_) return DDERR_SURFACELOST;
  if (locked_) return DDERR_SURFACEBUSY;
  if (!bits_) return DDERR_UNSUPPORTED;
  locked_ = true;
  *bits = bits_;
  *pitch = pitch_;
  return DD_OK;
}

HRESULT SoftSurface::Unlock() {
  if (!locked_) return DDERR_NOTLOCKED;
  locked_ = false;
  return DD_OK;
}

HRESULT SoftSurface::SetColorKey(DWORD flags, const ColorKey* key) {
  if (!(flags & DDCKEY_SRCBLT)) return DDERR_UNSUPPORTED;
  if (!key) {
    hasKey_ = false;
    return DD_OK;
  }
  key_ = *key;
  hasKey_ = true;
  return DD_OK;
}

HRESULT SoftSurface::GetColorKey(DWORD flags, ColorKey* key) const {
  if (!(flags & DDCKEY_SRCBLT)) return DDERR_UNSUPPORTED;
  if (!hasKey_) return DDERR_NOCOLORKEY;
  *key = key_;
  return DD_OK;
}

HRESULT SoftSurface::GetPixelFormat(PixelFormat* format) const {
  if (HRESULT fault = TakeDisplayFault(DisplayOp::GetPixelFormat)) return fault;
  *format = format_;
  return DD_OK;
}

HRESULT SoftSurface::GetSurfaceDesc(SurfaceDesc* desc) const {
  desc->flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
  desc->width = width_;
  desc->height = height_;
  desc->caps = caps_;
  return DD_OK;
}

HRESULT SoftSurface::GetDC(Dc** dc) {
  *dc = nullptr;
  if (HRESULT fault = TakeDisplayFault(DisplayOp::GetDC)) return fault;
  if (lost_) return DDERR_SURFACELOST;
  if (dc_) return DDERR_DCALREADYCREATED;
  if (!bits_) return DDERR_UNSUPPORTED;
  dc_.emplace(DcTarget{bits_, pitch_, int(width_), int(height_), format_});
  *dc = &*dc_;
  return DD_OK;
}

HRESULT SoftSurface::ReleaseDC(Dc* dc) {
  if (!dc || !dc_ || dc != &*dc_) return DDERR_INVALIDPARAMS;
  dc_.reset();
  return DD_OK;
}

HRESULT SoftSurface::IsLost() const { return lost_ ? DDERR_SURFACELOST : DD_OK; }

HRESULT SoftSurface::Restore() {
  if (!lost_) return DD_OK;
  lost_ = false;
  if (bits_) std::memset(bits_, 0, size_t(pitch_) * height_);
  return DD_OK;
}

HRESULT SoftSurface::SetClipper(Clipper* clipper) {
  if (HRESULT fault = TakeDisplayFault(DisplayOp::SetClipper)) return fault;
  clipper_ = clipper;
  return DD_OK;
}

void MakeAllSurfacesLost() {
  for (SoftSurface* surface : liveSurfaces) surface->MarkLost();
}

}  // namespace platform
