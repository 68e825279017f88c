// surface_blit.cpp - BltFast and Blt on software surfaces: rectangle
// clipping against both surfaces, overlap handling, colour fills and the
// presentation blit onto the primary surface. The pixel loops are blit*.cpp.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/backend.h"
#include "platform/surface/display_internal.h"

namespace platform {

namespace {

using I64 = std::int64_t;

// Coordinates beyond this are refused rather than risk overflow in scaling.
constexpr I64 kMaxCoordinate = I64(1) << 24;

using Area = BlitArea;

Area WholeOr(const RECT* rect, DWORD width, DWORD height) {
  if (!rect) return {0, 0, I64(width), I64(height)};
  return {rect->left, rect->top, rect->right, rect->bottom};
}

bool Sane(const Area& a) {
  return std::max({std::abs(a.left), std::abs(a.top), std::abs(a.right), std::abs(a.bottom)}) <=
         kMaxCoordinate;
}

Area Intersect(const Area& a, I64 width, I64 height) {
  return {std::max<I64>(a.left, 0), std::max<I64>(a.top, 0), std::min<I64>(a.right, width),
          std::min<I64>(a.bottom, height)};
}

bool Overlaps(const Area& a, const Area& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// A copy of `area` of `rows` in a buffer of its own, for blits whose source
// and destination overlap on one surface.
struct Snapshot {
  std::vector<BYTE> bytes;
  pixel::Rows pixels;
  Snapshot(const pixel::Rows& rows, const Area& area) {
    const size_t rowBytes = size_t(area.Width()) * rows.bytesPerPixel;
    bytes.resize(rowBytes * size_t(area.Height()));
    for (I64 y = 0; y < area.Height(); ++y)
      std::memcpy(bytes.data() + y * rowBytes, rows.At(int(area.left), int(area.top + y)),
                  rowBytes);
    pixels = {bytes.data(), LONG(rowBytes), rows.bytesPerPixel};
  }
};

}  // namespace

HRESULT SoftSurface::BltFast(int x, int y, Surface* sourceSurface, const RECT* sourceRect,
                             DWORD flags) {
  auto* source = static_cast<SoftSurface*>(sourceSurface);
  if (!source) return DDERR_INVALIDPARAMS;
  if (lost_ || source->lost_) return DDERR_SURFACELOST;
  if (IsPrimary()) return Present(source, sourceRect);
  if (!source->bits_ || source->bytesPerPixel_ != bytesPerPixel_) return DDERR_UNSUPPORTED;
  Area s = WholeOr(sourceRect, source->width_, source->height_);
  I64 dx = x, dy = y;
  if (!Sane(s) || std::abs(dx) > kMaxCoordinate || std::abs(dy) > kMaxCoordinate)
    return DDERR_INVALIDRECT;
  // Clip to the source, moving the destination point along.
  if (s.left < 0) dx -= s.left, s.left = 0;
  if (s.top < 0) dy -= s.top, s.top = 0;
  s.right = std::min<I64>(s.right, source->width_);
  s.bottom = std::min<I64>(s.bottom, source->height_);
  // Clip to the destination.
  if (dx < 0) s.left -= dx, dx = 0;
  if (dy < 0) s.top -= dy, dy = 0;
  s.right = std::min<I64>(s.right, s.left + I64(width_) - dx);
  s.bottom = std::min<I64>(s.bottom, s.top + I64(height_) - dy);
  if (s.Empty()) return DD_OK;

  CopyArea(source, s, dx, dy, (flags & DDBLTFAST_SRCCOLORKEY) != 0);
  return DD_OK;
}

void SoftSurface::CopyArea(SoftSurface* source, const Area& s, I64 dx, I64 dy, bool keyed) {
  pixel::Rows from = source->Rows();
  I64 sx = s.left, sy = s.top;
  std::optional<Snapshot> snapshot;
  if (source == this && Overlaps(s, Area{dx, dy, dx + s.Width(), dy + s.Height()})) {
    snapshot.emplace(from, s);
    from = snapshot->pixels;
    sx = sy = 0;
  }
  // Whole rows between surfaces of one pitch: one run over rows and padding.
  const bool wholeRows = !keyed && !snapshot && s.left == 0 && dx == 0 && s.Width() == width_ &&
                         source->width_ == width_ && source->pitch_ == pitch_;
  if (wholeRows) {
    std::memcpy(Rows().At(0, int(dy)), from.At(0, int(sy)), size_t(pitch_) * size_t(s.Height()));
    return;
  }
  if (keyed && source->hasKey_)
    blit::CopyKeyed(Rows(), int(dx), int(dy), from, int(sx), int(sy), int(s.Width()),
                    int(s.Height()), source->MaskedKey());
  else
    blit::Copy(Rows(), int(dx), int(dy), from, int(sx), int(sy), int(s.Width()), int(s.Height()));
}

HRESULT SoftSurface::Blt(const RECT* destRect, Surface* sourceSurface, const RECT* sourceRect,
                         DWORD flags, const BltFx* fx) {
  if (flags & DDBLT_COLORFILL) {
    if (!fx) return DDERR_INVALIDPARAMS;
    if (lost_) return DDERR_SURFACELOST;
    return Fill(destRect, fx->fillColor);
  }
  auto* source = static_cast<SoftSurface*>(sourceSurface);
  if (!source) return DDERR_INVALIDPARAMS;
  if (lost_ || source->lost_) return DDERR_SURFACELOST;
  if (IsPrimary()) return Present(source, sourceRect);
  if (!source->bits_ || source->bytesPerPixel_ != bytesPerPixel_) return DDERR_UNSUPPORTED;
  const Area d = WholeOr(destRect, width_, height_);
  const Area s = WholeOr(sourceRect, source->width_, source->height_);
  if (!Sane(d) || !Sane(s)) return DDERR_INVALIDRECT;
  if (d.Empty() || s.Empty()) return DD_OK;

  blit::StretchJob job;
  if (!blit::PlanStretch({d.left, d.top, d.Width(), d.Height()}, int(width_), int(height_),
                         {s.left, s.top, s.Width(), s.Height()}, int(source->width_),
                         int(source->height_), &job))
    return DD_OK;
  if (s.Width() == d.Width() && s.Height() == d.Height()) {
    CopyArea(source, Area{s.left + job.i0, s.top + job.j0, s.left + job.i0 + job.w,
                          s.top + job.j0 + job.h},
             job.dx0, job.dy0, (flags & DDBLT_KEYSRC) != 0);
    return DD_OK;
  }
  job.keyed = (flags & DDBLT_KEYSRC) && source->hasKey_;
  job.key = source->MaskedKey();

  pixel::Rows from = source->Rows();
  std::optional<Snapshot> snapshot;
  if (source == this) {
    // Read from a copy of the whole source so overlapping areas stay right.
    snapshot.emplace(from, Area{0, 0, I64(width_), I64(height_)});
    from = snapshot->pixels;
  }
  blit::Stretch(Rows(), from, job);
  return DD_OK;
}

HRESULT SoftSurface::Fill(const RECT* destRect, DWORD value) {
  if (IsPrimary()) return DD_OK;
  const Area d = Intersect(WholeOr(destRect, width_, height_), width_, height_);
  if (d.Empty()) return DD_OK;
  value &= pixel::SizeMask(bytesPerPixel_);
  if (d.left == 0 && d.right == width_ && pitch_ % bytesPerPixel_ == 0) {
    // Whole rows: fill rows and padding as one run of pixels.
    blit::Fill(Rows(), 0, int(d.top), int(pitch_ / bytesPerPixel_ * d.Height()), 1, value);
    return DD_OK;
  }
  blit::Fill(Rows(), int(d.left), int(d.top), int(d.Width()), int(d.Height()), value);
  return DD_OK;
}

HRESULT SoftSurface::Present(SoftSurface* back, const RECT* sourceRect) {
  const Area s = Intersect(WholeOr(sourceRect, back->width_, back->height_), back->width_,
                           back->height_);
  if (s.Empty()) return DD_OK;
  GetBackend().PresentFrame(*back, RECT{LONG(s.left), LONG(s.top), LONG(s.right), LONG(s.bottom)});
  return DD_OK;
}

}  // namespace platform
