// wipes.cpp - opening and closing the visible part of the screen by moving
// the clip window's edges a step per frame, in nine patterns. Object
// drawing and the pixel effects keep to the clip window, so a wipe needs no
// pixel work of its own. The frame loop cancels a running wipe when the
// scene changes (ruSystem::WipeState, ruSystem::SavedClipWindow).
#include <climits>
#include <cstdlib>

#include "draw/draw.h"
#include "system/system.h"

namespace ruDraw {

int WipeClose = 0;
int WipePattern = 0;
float WipeSpeed = 0.0f;
int WipeWidth = 0;
int WipeOpened = 0;
int WipeClosed = 0;

namespace {

using ruSystem::SavedClipWindow;
using ruSystem::WipeState;

// One step's edge move: s + 1 pixels with s = FrameTime x WipeSpeed
// truncated, bounded so that no speed can overflow an edge.
long long StepLength() {
  const float s = ruSystem::FrameTime * WipeSpeed;
  constexpr float kLimit = 1 << 24;
  if (!(s > -kLimit)) return s != s ? 1 : 1 - (1 << 24);  // NaN moves by 1
  if (s >= kLimit) return 1 + (1 << 24);
  return (long long)(s) + 1;
}

// Moves an edge, saturating at the range of an edge.
void Move(LONG& edge, long long by) {
  long long v = (long long)(edge) + by;
  if (v > INT_MAX) v = INT_MAX;
  if (v < INT_MIN) v = INT_MIN;
  edge = LONG(v);
}

// Wide arithmetic cut back to an edge's range.
LONG Edge(long long v) { return LONG(v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : v); }

// The saved window's centre and the slit of patterns 8 and 9 around it.
struct Centre {
  LONG cx, cy;
  LONG slitLeft, slitRight, slitTop, slitBottom;
};

Centre SavedCentre() {
  const RECT& s = SavedClipWindow;
  const long long cx = s.left + ((long long)(s.right) - s.left) / 2;
  const long long cy = s.top + ((long long)(s.bottom) - s.top) / 2;
  const long long h = WipeWidth / 2;
  return {Edge(cx), Edge(cy), Edge(cx - h), Edge(cx + h), Edge(cy - h), Edge(cy + h)};
}

// The pattern's starting clip window for an opening.
void CollapseForOpening(int pattern) {
  RECT& c = ClipWindow;
  const RECT& s = SavedClipWindow;
  const Centre m = SavedCentre();
  switch (pattern) {
    case 1: c.top = s.bottom; break;
    case 2: c.bottom = s.top; break;
    case 3: c.left = s.right; break;
    case 4: c.right = s.left; break;
    case 5: c.top = c.bottom = m.cy; break;
    case 6: c.left = c.right = m.cx; break;
    case 7: c.left = c.right = m.cx, c.top = c.bottom = m.cy; break;
    case 8: c.left = m.slitLeft, c.right = m.slitRight, c.top = c.bottom = m.cy; break;
    case 9: c.left = c.right = m.cx, c.top = m.slitTop, c.bottom = m.slitBottom; break;
    default: break;  // no pattern: nothing moves
  }
}

// Both edges of an axis outward by d; both saved once either arrives.
void OpenAxis(LONG& low, LONG& high, LONG savedLow, LONG savedHigh, long long d) {
  Move(low, -d);
  Move(high, d);
  if (low <= savedLow || high >= savedHigh) low = savedLow, high = savedHigh;
}

// A top or left edge moved outward (up or left) by d; true, with the edge
// on its saved value, once it arrives there.
bool OpenLow(LONG& edge, LONG saved, long long d) {
  Move(edge, -d);
  if (edge > saved) return false;
  edge = saved;
  return true;
}
// A bottom or right edge moved outward (down or right) by d.
bool OpenHigh(LONG& edge, LONG saved, long long d) {
  Move(edge, d);
  if (edge < saved) return false;
  edge = saved;
  return true;
}

bool AtSaved(const RECT& c, const RECT& s) {
  return c.left == s.left && c.top == s.top && c.right == s.right && c.bottom == s.bottom;
}

// One opening step; true when the opening has finished.
bool OpenStep(long long d) {
  RECT& c = ClipWindow;
  const RECT& s = SavedClipWindow;
  switch (WipePattern) {
    case 1: return OpenLow(c.top, s.top, d);
    case 2: return OpenHigh(c.bottom, s.bottom, d);
    case 3: return OpenLow(c.left, s.left, d);
    case 4: return OpenHigh(c.right, s.right, d);
    case 5: OpenAxis(c.top, c.bottom, s.top, s.bottom, d); return c.top == s.top;
    case 6: OpenAxis(c.left, c.right, s.left, s.right, d); return c.left == s.left;
    case 7:
      OpenAxis(c.left, c.right, s.left, s.right, d);
      OpenAxis(c.top, c.bottom, s.top, s.bottom, d);
      return AtSaved(c, s);
    case 8:  // the slit grows to full height, then widens
      if (c.top != s.top || c.bottom != s.bottom) OpenAxis(c.top, c.bottom, s.top, s.bottom, d);
      else OpenAxis(c.left, c.right, s.left, s.right, d);
      return AtSaved(c, s);
    case 9:  // the slit grows to full width, then opens vertically
      if (c.left != s.left || c.right != s.right) OpenAxis(c.left, c.right, s.left, s.right, d);
      else OpenAxis(c.top, c.bottom, s.top, s.bottom, d);
      return AtSaved(c, s);
    default: return false;
  }
}

// Narrows an axis by d towards the slit [low, high]; once either edge
// reaches it, both stand on it.
void NarrowToSlit(LONG& low, LONG& high, LONG slitLow, LONG slitHigh, long long d) {
  Move(low, d);
  Move(high, -d);
  if (low >= slitLow || high <= slitHigh) low = slitLow, high = slitHigh;
}

// One closing step; true when the visible band has closed.
bool CloseStep(long long d) {
  RECT& c = ClipWindow;
  const RECT& s = SavedClipWindow;
  const Centre m = SavedCentre();
  switch (WipePattern) {
    case 1: Move(c.top, d); return c.top >= c.bottom;
    case 2: Move(c.bottom, -d); return c.bottom <= s.top;
    case 3: Move(c.left, d); return c.left >= s.right;
    case 4: Move(c.right, -d); return c.right <= s.left;
    case 5: Move(c.top, d), Move(c.bottom, -d); return c.top >= c.bottom;
    case 6: Move(c.left, d), Move(c.right, -d); return c.left >= c.right;
    case 7:
      Move(c.left, d), Move(c.right, -d), Move(c.top, d), Move(c.bottom, -d);
      if (c.left >= c.right) c.left = c.right = m.cx;
      if (c.top >= c.bottom) c.top = c.bottom = m.cy;
      return c.left == c.right && c.top == c.bottom;
    case 8:  // narrows to a vertical slit, then the slit closes
      if (c.left != m.slitLeft && c.right != m.slitRight)
        NarrowToSlit(c.left, c.right, m.slitLeft, m.slitRight, d);
      else
        Move(c.top, d), Move(c.bottom, -d);
      return c.top >= c.bottom;
    case 9:  // narrows to a horizontal slit, then the slit closes
      if (c.top != m.slitTop && c.bottom != m.slitBottom)
        NarrowToSlit(c.top, c.bottom, m.slitTop, m.slitBottom, d);
      else
        Move(c.left, d), Move(c.right, -d);
      return c.left >= c.right;
    default: return false;
  }
}

}  // namespace

int SetWipe(int close, int pattern, float speed, int width) {
  if (WipeState > 0) return 0;
  if (WipeState == -1) ClipWindow = SavedClipWindow;  // a closing left it collapsed
  SavedClipWindow = ClipWindow;
  if (pattern == 0) pattern = std::rand() % 9 + 1;
  WipeOpened = WipeClosed = 0;
  WipeClose = close;
  WipePattern = pattern;
  WipeSpeed = speed;
  WipeWidth = width;
  if (close != 0) {
    WipeState = 2;  // a closing starts from the full window
  } else {
    WipeState = 1;
    CollapseForOpening(pattern);
  }
  return 1;
}

int Wipe() {
  if (WipeState < 1) return 0;
  const long long d = StepLength();
  if (WipeClose == 0) {
    if (OpenStep(d)) WipeState = 0, WipeOpened = 1;
  } else if (CloseStep(d)) {
    WipeState = -1, WipeClosed = 1;
  }
  return 1;
}

void CloseWipe() {
  SavedClipWindow = ClipWindow;
  ClipWindow.right = ClipWindow.left;
  ClipWindow.bottom = ClipWindow.top;
  WipeState = -1;
}

}  // namespace ruDraw
