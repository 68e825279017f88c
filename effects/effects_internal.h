// effects_internal.h - state of the effects that tests may read or set.
#pragma once

namespace ruDraw::fx {

// DrawGlow's position in RandomTable: 0 at program start, one step per
// visible source pixel, back to 0 after 9999.
extern int GlowRandomPosition;

}  // namespace ruDraw::fx
