// effects_internal.h - state of the effects that tests may read or set.
#pragma once

#include "platform/win_types.h"

namespace ruDraw::fx {

// DrawGlow's position in RandomTable: 0 at program start, one step per
// visible source pixel, back to 0 after 9999.
extern int GlowRandomPosition;

// The region effects' positions in RandomTable: 0 at program start; past
// 9999 each restarts at rand() % 1000.
extern int FireRandomPosition, FireFadeRandomPosition;
extern int NoiseRandomPosition, NoiseRgbRandomPosition;
// The flame effects' run counters, kept from call to call.
extern int FireRun, FireFadeRun;

// The tunnel map as MakeTunnel left it.
struct TunnelMap {
  int textureWidth = 0, textureHeight = 0, width = 0, height = 0;
};
extern TunnelMap Tunnel;
// Entry (j, i) of the tunnel map: texture column u and row v.
struct TunnelEntry {
  WORD u, v;
};
extern TunnelEntry TunnelEntries[640 * 480];

}  // namespace ruDraw::fx
