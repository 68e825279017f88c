// glow.cpp - glow rays: every visible pixel sends up to eight fading rays of
// its colour into the back buffer, with a flicker from RandomTable.
#include <algorithm>

#include "effects/effect_frame.h"
#include "effects/effects_internal.h"

namespace ruDraw {

using namespace fx;

namespace fx {
int GlowRandomPosition = 0;
}  // namespace fx

namespace {

// Adds a ray's strength to the pixel, each 5-bit channel capped at 31.
void Light(Pixel* p, const int strength[3]) {
  const Rgb5& c = RgbTable[*p];
  const int r = std::min(c.red + strength[0], 31), g = std::min(c.green + strength[1], 31),
            b = std::min(c.blue + strength[2], 31);
  *p = Pack5(r, g, b);
}

struct GlowWalk {
  int shift[3];
  unsigned directions;
  bool drawSource;

  // The rays of the pixel at (px, py) of the clipped area `a` whose screen
  // corner is (a.x, a.y), within the clip window `clip`.
  void Rays(const LockedArea& a, const RECT& clip, int px, int py, int strength[3]) const {
    const int sx = a.x + px, sy = a.y + py;
    for (int s = 0; s < 31; ++s) {
      for (int ch = 0; ch < 3; ++ch)
        if (strength[ch] > 0) --strength[ch];
      if (strength[0] == 0 && strength[1] == 0 && strength[2] == 0) return;
      const bool leftIn = sx - s >= clip.left, rightIn = sx + s < clip.right;
      if (sy - s - 1 >= clip.top) {
        Pixel* row = Row(a.dest, py - s - 1);
        if (directions & 0x40) Light(row + px, strength);
        if ((directions & 0x20) && leftIn) Light(row + px - s, strength);
        if ((directions & 0x80) && rightIn) Light(row + px + s, strength);
      }
      if (sy + s + 1 < clip.bottom) {
        Pixel* row = Row(a.dest, py + s + 1);
        if (directions & 0x02) Light(row + px, strength);
        if ((directions & 0x01) && leftIn) Light(row + px - s, strength);
        if ((directions & 0x04) && rightIn) Light(row + px + s, strength);
      }
      Pixel* row = Row(a.dest, py);
      if ((directions & 0x08) && leftIn) Light(row + px - s, strength);
      if ((directions & 0x10) && rightIn) Light(row + px + s, strength);
    }
  }

  void operator()(const LockedArea& a) const {
    const RECT clip = EffectiveClip();
    for (int py = 0; py < a.height; ++py) {
      const Pixel* s = Row(a.source, py);
      for (int px = 0; px < a.width; ++px) {
        const Pixel source = s[px];
        if (source == 0) continue;
        if (drawSource) Row(a.dest, py)[px] = source;
        const Rgb5& c = RgbTable[source];
        int strength[3] = {c.red >> shift[0], c.green >> shift[1], c.blue >> shift[2]};
        const int n = RandomTable[GlowRandomPosition];
        GlowRandomPosition = GlowRandomPosition >= 9999 ? 0 : GlowRandomPosition + 1;
        for (int& v : strength) v = v < n ? 0 : v - n;
        Rays(a, clip, px, py, strength);
      }
    }
  }
};

// A shift of 5 or more leaves nothing of a 5-bit channel; negative shifts
// are taken as 0.
int ChannelShift(int shift) { return shift < 0 ? 0 : shift > 5 ? 5 : shift; }

}  // namespace

int DrawGlow(int x, int y, int redShift, int greenShift, int blueShift, int directions,
             int drawSource, int objectNo, int left, int top, int right, int bottom) {
  if (!Ready(objectNo)) return 0;
  const GlowWalk walk{{ChannelShift(redShift), ChannelShift(greenShift), ChannelShift(blueShift)},
                      unsigned(directions) & 0xFFFF,
                      drawSource != 0};
  return WithObjectAtPoint(x, y, objectNo, left, top, right, bottom, walk);
}

}  // namespace ruDraw
