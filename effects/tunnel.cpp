// tunnel.cpp - the tunnel map of texture coordinates, built once from a
// centre, a distance kind and a depth kind, and its drawing from a texture
// object turned and flown by two offsets.
#include <algorithm>
#include <cmath>

#include "effects/effect_frame.h"
#include "effects/effects_internal.h"
#include "platform/surface/blit.h"

namespace ruDraw {

using namespace fx;

namespace fx {
TunnelMap Tunnel;
TunnelEntry TunnelEntries[640 * 480];
}  // namespace fx

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr long long kMaxEntries = 640 * 480;
constexpr int kMaxTexture = 65536;  // u and v are 16-bit

double Distance(int kind, double adx, double ady, int centreX) {
  switch (kind) {
    case 0:
      return std::sqrt(adx * adx + ady * ady);
    case 1:
      return std::max(adx, ady);
    case 2:
      return (adx + ady) / 2;
    case 3:
      return std::min(adx, ady);
    case 4:
      return adx;
    case 5:
      return ady;
    default:
      return centreX;
  }
}

// The depth kind's divisor of base (kind 0: 32). The divisions are real
// ones: the integer reading would be 0 for every point within 9 pixels of
// the centre's row or column.
double DepthDivisor(int kind, double adx, double ady) {
  switch (kind) {
    case 1:
      return (ady + 1) / 10;
    case 2:
      return (adx + 1) / 10;
    case 3:
      return std::max(adx, ady);
    case 4:
      return (adx + ady) / 2;
    case 5:
      return std::min(adx, ady);
    default:
      return 32;
  }
}

// trunc(v) reduced into 0..size-1 (what adding or reducing by size until it
// fits gives); 0 for a value that is not finite.
WORD Wrap(double v, int size) {
  if (!std::isfinite(v)) return 0;
  double m = std::fmod(std::trunc(v), double(size));
  if (m < 0) m += size;
  return WORD(m);
}

// Where the centre is for map row i, moved by the motion at the row's start.
void MoveCentreForRow(int motion, int mapWidth, int* cx, int* cy) {
  switch (motion) {
    case 1:
      --*cy;
      break;
    case 2:
      *cx = mapWidth;
      break;
    case 3:
      *cx = std::max(*cx - 1, 0);
      break;
    case 4:
      *cx = std::min(*cx + 1, mapWidth);
      break;
    default:
      break;
  }
}

}  // namespace

int MakeTunnel(int textureWidth, int textureHeight, int mapWidth, int mapHeight, int centreX,
               int centreY, int viewDivisor, int motion, int distanceKind, int depthKind) {
  if (textureWidth < 1 || textureHeight < 1 || textureWidth > kMaxTexture ||
      textureHeight > kMaxTexture || mapWidth < 0 || mapHeight < 0 ||
      (long long)mapWidth * mapHeight > kMaxEntries)
    return 0;
  int cx = centreX == -1 ? mapWidth / 2 : centreX;
  int cy = centreY == -1 ? mapHeight / 2 : centreY;
  const int divisor = viewDivisor == -1 ? 8 : viewDivisor;
  if (motion == 1) cy = mapHeight;
  if (motion == 3) cx = mapWidth;
  if (motion == 4) cx = 0;
  const double g = kPi / std::max(divisor, 2) / 2;
  const double base = textureHeight / (2 * std::tan(g));
  const double uScale = textureWidth / (2 * kPi);
  for (int i = 0; i < mapHeight; ++i) {
    MoveCentreForRow(motion, mapWidth, &cx, &cy);
    for (int j = 0; j < mapWidth; ++j) {
      if (motion == 2) --cx;
      const double dx = double(j) - cx, dy = double(i) - cy;
      const double adx = std::fabs(dx), ady = std::fabs(dy);
      // A distance or depth divisor of 0 is taken as 1: the point one pixel
      // away gives a finite depth where the formula would divide by 0.
      double f = Distance(distanceKind, adx, ady, cx);
      if (f == 0) f = 1;
      double divisorOfBase = DepthDivisor(depthKind, adx, ady);
      if (divisorOfBase == 0) divisorOfBase = 1;
      const double e = std::fabs(base / divisorOfBase);
      const double v = e * (std::sqrt(double(cx) * cx + double(cy) * cy) - f) / f;
      const double u = uScale * std::atan2(dy, dx);
      TunnelEntries[i * mapWidth + j] = {Wrap(u, textureWidth), Wrap(v, textureHeight)};
    }
  }
  Tunnel = {textureWidth, textureHeight, mapWidth, mapHeight};
  return mapHeight;
}

namespace {

// The map's rows and columns that land on the back buffer.
struct TunnelRange {
  int colBegin, colEnd, rowBegin, rowEnd;
};

// The map's (0, 0) lands on the back buffer at (a.x, a.y).
void TunnelReference(const LockedArea& a, const TunnelRange& r, int uOffset, int vOffset) {
  const int tw = Tunnel.textureWidth, th = Tunnel.textureHeight;
  for (int i = r.rowBegin; i < r.rowEnd; ++i) {
    Pixel* d = Row(a.dest, a.y + i);
    for (int j = r.colBegin; j < r.colEnd; ++j) {
      const TunnelEntry& e = TunnelEntries[i * Tunnel.width + j];
      d[a.x + j] = Row(a.source, (e.v + vOffset) % th)[(e.u + uOffset) % tw];
    }
  }
}

// Map entries are below the texture size and the offsets reduced, so one
// conditional subtraction replaces each modulo.
void TunnelFast(const LockedArea& a, const TunnelRange& r, int uOffset, int vOffset) {
  const int tw = Tunnel.textureWidth, th = Tunnel.textureHeight;
  const BYTE* base = a.source.bits;
  const LONG pitch = a.source.pitch;
  for (int i = r.rowBegin; i < r.rowEnd; ++i) {
    Pixel* d = Row(a.dest, a.y + i);
    const TunnelEntry* e = &TunnelEntries[i * Tunnel.width];
    for (int j = r.colBegin; j < r.colEnd; ++j) {
      int u = e[j].u + uOffset, v = e[j].v + vOffset;
      u -= u >= tw ? tw : 0;
      v -= v >= th ? th : 0;
      d[a.x + j] = *reinterpret_cast<const Pixel*>(base + std::intptr_t(v) * pitch + 2 * u);
    }
  }
}

int Reduce(int offset, int size) {
  const int m = offset % size;
  return m < 0 ? m + size : m;
}

}  // namespace

int DrawTunnel(int x, int y, int uOffset, int vOffset, int objectNo) {
  if (!Ready(objectNo)) return 0;
  platform::Surface* texture = Objects[objectNo].surface;
  // A texture smaller than the map was built for would be read beyond it.
  if (Tunnel.width > 0 && Tunnel.height > 0 &&
      (int(texture->Width()) < Tunnel.textureWidth ||
       int(texture->Height()) < Tunnel.textureHeight))
    return 0;
  const long long backW = BackBuffer->Width(), backH = BackBuffer->Height();
  const TunnelRange r{int(std::clamp<long long>(-(long long)x, 0, Tunnel.width)),
                      int(std::clamp<long long>(backW - x, 0, Tunnel.width)),
                      int(std::clamp<long long>(-(long long)y, 0, Tunnel.height)),
                      int(std::clamp<long long>(backH - y, 0, Tunnel.height))};
  platform::pixel::Rows source, back;
  if (LockPair(texture, &source, &back) != DD_OK) return 0;
  if (r.colBegin < r.colEnd && r.rowBegin < r.rowEnd) {
    LockedArea a;
    a.source = source;
    a.dest = back;
    a.x = x, a.y = y;
    const int uo = Reduce(uOffset, Tunnel.textureWidth), vo = Reduce(vOffset, Tunnel.textureHeight);
    if (platform::blit::FastPathsEnabled())
      TunnelFast(a, r, uo, vo);
    else
      TunnelReference(a, r, uo, vo);
  }
  UnlockPair(texture);
  return 1;
}

}  // namespace ruDraw
