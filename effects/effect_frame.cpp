// effect_frame.cpp - the readiness guard, the choice between reference and
// fast row loops, and the row walk of the row effects.
#include "effects/effect_frame.h"

#include "platform/surface/blit.h"

namespace ruDraw::fx {

bool Ready(int objectNo) {
  return EffectTablesReady() && BackBuffer && BackBuffer->Format().bitCount == 16 &&
         HasSurface(objectNo) && Objects[objectNo].surface->Format().bitCount == 16;
}

FastLayout CurrentLayout() {
  if (BlueMask != 0x001F || GreenShift != 5) return kNoFastLayout;
  if (RedMask == 0xF800 && GreenMask == 0x07E0) return k565;
  if (RedMask == 0x7C00 && GreenMask == 0x03E0) return k555;
  return kNoFastLayout;
}

RowLoop ChooseRow(RowEffect effect) {
  if (platform::blit::FastPathsEnabled()) {
    if (RowLoop fast = FastRow(effect, CurrentLayout())) return fast;
  }
  return ReferenceRow(effect);
}

int RunRows(RowLoop loop, const RowParams& p, int x, int y, int objectNo, int left, int top,
            int right, int bottom) {
  if (!Ready(objectNo)) return 0;
  return WithObjectAtPoint(x, y, objectNo, left, top, right, bottom, [&](const LockedArea& a) {
    for (int r = 0; r < a.height; ++r) loop(Row(a.dest, r), Row(a.source, r), a.width, p);
  });
}

}  // namespace ruDraw::fx
