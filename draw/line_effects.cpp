// line_effects.cpp - object drawing line by line: waves, scrolling waves,
// wavy tiling, tiling, repeated and interlaced lines, shaking and the
// accordion. Each line goes through the clipped copy of Draw / DrawNoKey;
// the effects advance their phases by FrameTime.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "draw/draw.h"
#include "draw/locked_frame.h"
#include "system/system.h"

namespace ruDraw {

float WavePhase = 0;
int WaveSign = 1;
float WaveScrollPhase = 0, WaveScroll = 0;
float WaveTilePhase = 0, WaveTileScroll = 0;
float TileX = 0, TileY = 0;
float AccordionPhase = 0;

namespace {

constexpr double kTwoPi = 6.283185307179586;
using I64 = long long;

// v held to the int range: a position beyond it lies off every surface.
int Clamp(I64 v) { return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : int(v); }

// A float position or phase as a whole number; 0 when it is not finite.
I64 Whole(float v) { return std::isfinite(v) && std::fabs(v) < 1e15f ? I64(v) : 0; }

// A phase or position that a huge speed or frame time sent past +-1e9 (or
// to infinity) is brought back by its remainder, so that it stays usable
// as a whole number; ordinary values are left exactly as they are.
void Tame(float& value, double period) {
  if (std::isfinite(value) && std::fabs(value) <= 1e9f) return;
  value = std::isfinite(value) && period > 0 ? float(std::fmod(double(value), period)) : 0.0f;
}

// Whole degrees of a phase (reduced modulo 360 only when huge).
I64 PhaseDegrees(float phase) {
  if (std::isfinite(phase) && std::fabs(phase) > 1e9f) return I64(std::fmod(double(phase), 360.0));
  return Whole(phase);
}

// Horizontal offset of line `row` of a wave: amplitude x cos of the row's
// angle in degrees (rows grouped by divisor) plus the phase.
I64 WaveOffset(int amplitude, int divisor, I64 row, float phase) {
  const I64 degrees = (divisor != 0 ? row / divisor : row) + PhaseDegrees(phase);
  return I64(amplitude * std::cos(double(degrees) * kTwoPi / 360));
}

// Advances a phase in degrees, wrapping once at 360.
void AdvanceDegrees(float& phase, float speed) {
  phase += ruSystem::FrameTime * speed;
  if (phase >= 360) phase -= 360;
  Tame(phase, 360);
}

// Moves a scroll position back by speed and wraps it by the height: up
// when below 0, then down when at or past the height (a tiny negative
// position rounds up to the height itself and must come back to 0).
// A long frame (a message box, a dragged window) may move it by more than
// the height: whole heights go first, so rows never leave the rectangle.
void AdvanceScroll(float& scroll, float speed, I64 height) {
  scroll -= ruSystem::FrameTime * speed;
  if (scroll < -height || scroll >= 2.0f * height) scroll = std::fmod(scroll, float(height));
  if (scroll < 0) scroll += float(height);
  if (scroll >= float(height)) scroll -= float(height);
  Tame(scroll, double(height));
}

// Keeps a tiling offset within one tile left of (or above) 0, so the
// tiles always cover the screen; whole tiles go first after a long frame.
void WrapTileOffset(float& offset, I64 size) {
  if (offset < -2.0f * size || offset > float(size)) offset = std::fmod(offset, float(size));
  if (offset < -size) offset += float(size);
  if (offset > 0) offset -= float(size);
}

bool EmptyRect(int left, int top, int right, int bottom) {
  return right <= left || bottom <= top;
}

// rand() mod n for n >= 1, also for n beyond int's range.
int RandomBelow(I64 n) { return int(std::rand() % n); }

// The back-buffer rows [*top, *bottom) that object drawing can reach: the
// clip window on the back buffer. Rows of a line effect that land outside
// draw nothing, so the loops skip them (a huge rectangle cannot run long).
void VisibleRows(I64* top, I64* bottom) {
  const RECT clip = EffectiveClip();
  *top = clip.top;
  *bottom = std::max(clip.bottom, clip.top);
}

// Cuts a row loop [first, end) to the rows whose back-buffer row (destFirst
// for `first`, one lower per row) is visible.
void KeepVisible(I64 destFirst, I64& first, I64& end) {
  I64 top, bottom;
  VisibleRows(&top, &bottom);
  const I64 origin = first;  // the row that lands on destFirst
  first = std::max(first, origin + (top - destFirst));
  end = std::min(end, origin + (bottom - destFirst));
  if (end < first) end = first;
}

}  // namespace

void DrawWave(int x, int y, int amplitude, int divisor, float speed, int objectNo, int left,
              int top, int right, int bottom, int alternate) {
  // Rows that cannot be seen still turn the alternating sign, each once.
  const I64 rows = std::max<I64>(0, I64(bottom) - top);
  I64 first = top, end = bottom;
  KeepVisible(y, first, end);
  const I64 before = std::clamp<I64>(first - top, 0, rows);
  const I64 after = rows - before - (end - first);
  if (alternate && (before & 1)) WaveSign = -WaveSign;
  for (I64 r = first; r < end; ++r) {
    I64 offset = WaveOffset(amplitude, divisor, r, WavePhase);
    if (alternate) {
      offset *= WaveSign;
      WaveSign = -WaveSign;
    }
    Draw(Clamp(x + offset), Clamp(y + r - top), objectNo, left, int(r), right, int(r + 1));
  }
  if (alternate && (after & 1)) WaveSign = -WaveSign;
  AdvanceDegrees(WavePhase, speed);
}

void DrawWaveScroll(int x, int y, int amplitude, int divisor, float speed, float scrollSpeed,
                    int objectNo, int left, int top, int right, int bottom) {
  if (EmptyRect(left, top, right, bottom)) return;
  I64 first = top, end = bottom;
  KeepVisible(I64(y) + top, first, end);
  for (I64 r = first; r < end; ++r) {
    const I64 offset = WaveOffset(amplitude, divisor, r, WaveScrollPhase);
    I64 s = Whole(WaveScroll) + r;
    if (s >= bottom) s = top + (s - bottom) + 1;
    Draw(Clamp(x + offset), Clamp(y + r), objectNo, left, Clamp(s), right, Clamp(s + 1));
  }
  AdvanceDegrees(WaveScrollPhase, speed);
  AdvanceScroll(WaveScroll, scrollSpeed, I64(bottom) - top);
}

void DrawWaveTile(int firstLine, int lastLine, int amplitude, int divisor, float speed,
                  float scrollSpeed, int objectNo, int left, int top, int right, int bottom) {
  if (EmptyRect(left, top, right, bottom)) return;
  const I64 w = I64(right) - left;
  const I64 h = I64(bottom) - top;
  const I64 columns = ScreenWidth / w + 2;
  // Lines more than one above the visible rows or below them draw nothing
  // (a one-line copy there is cut away whole): skip them.
  I64 visibleTop, visibleBottom;
  VisibleRows(&visibleTop, &visibleBottom);
  const I64 first = std::max<I64>(0, visibleTop - 1 - firstLine);
  const I64 end = std::min<I64>(I64(lastLine) - firstLine, visibleBottom + 1 - firstLine);
  for (I64 line = first; line < end; ++line) {
    I64 s = line % h + Whole(WaveTileScroll);
    if (s > h - 1) s -= h;
    const I64 offset = WaveOffset(amplitude, divisor, line, WaveTilePhase);
    for (I64 k = 0; k < columns; ++k)
      Draw(Clamp(w * k + offset - amplitude), Clamp(firstLine + line), objectNo, left,
           Clamp(top + s), right, Clamp(top + s + 1));
  }
  AdvanceDegrees(WaveTilePhase, speed);
  AdvanceScroll(WaveTileScroll, scrollSpeed, h);
}

void DrawTile(float speedX, float speedY, int objectNo, int left, int top, int right,
              int bottom) {
  if (EmptyRect(left, top, right, bottom)) return;
  const I64 w = I64(right) - left;
  const I64 h = I64(bottom) - top;
  for (I64 i = 0; i < ScreenHeight / h + 2; ++i)
    for (I64 j = 0; j < ScreenWidth / w + 2; ++j)
      Draw(Clamp(w * j + Whole(TileX)), Clamp(h * i + Whole(TileY)), objectNo, left, top, right,
           bottom);
  TileX += ruSystem::FrameTime * speedX;
  TileY += ruSystem::FrameTime * speedY;
  WrapTileOffset(TileX, w);
  WrapTileOffset(TileY, h);
  Tame(TileX, double(w));
  Tame(TileY, double(h));
}

void DrawLineRepeat(int x, int y, int step, int objectNo, int left, int top, int right,
                    int bottom) {
  if (step < 1) return;
  I64 visibleTop, lowest;
  VisibleRows(&visibleTop, &lowest);
  // Blocks of `step` lines wholly above the visible rows are skipped;
  // lines below them only get lower, so the loop stops there.
  const I64 skip = std::max<I64>(0, (visibleTop - y - step + 1) / step);
  for (I64 r0 = I64(top) + skip * step; r0 < bottom; r0 += step)
    for (I64 r = std::max(r0, I64(top) + visibleTop - y); r < r0 + step; ++r) {
      if (y + r - top >= lowest) return;
      Draw(x, int(y + r - top), objectNo, left, int(r0), right, int(r0 + 1));
    }
}

void DrawInterlace(int x, int y, int step, int objectNo, int left, int top, int right,
                   int bottom) {
  I64 visibleTop, visibleBottom;
  VisibleRows(&visibleTop, &visibleBottom);
  // Rows past the visible ones end the loop; rows above them are skipped.
  const I64 end = std::min<I64>(bottom, I64(top) + visibleBottom - y);
  const I64 firstVisible = I64(top) + visibleTop - y;
  if (step > 0) {
    I64 r = I64(top) + step;
    if (r < firstVisible) r += (firstVisible - r) / step * step;
    for (; r < end; r += step) Draw(x, int(y + r - top), objectNo, left, int(r), right, int(r + 1));
  } else if (step < 0) {
    const I64 spread = -I64(step);
    const I64 base = std::max<I64>(top, firstVisible - spread);
    for (I64 r = base + RandomBelow(spread) + 1; r < end; r += RandomBelow(spread) + 1)
      Draw(x, Clamp(y + r - top), objectNo, left, int(r), right, int(r + 1));
  }
}

void DrawShake(int x, int y, int amount, int objectNo, int left, int top, int right,
               int bottom) {
  if (amount <= 0) {
    Draw(x, y, objectNo, left, top, right, bottom);
    return;
  }
  I64 first = top, end = bottom;
  KeepVisible(y, first, end);
  for (I64 r = first; r < end; ++r)
    Draw(Clamp(x + I64(RandomBelow(2LL * amount)) - amount), int(y + r - top), objectNo, left,
         int(r), right, int(r + 1));
}

void DrawAccordion(int x, int y, int forward, float speed, int objectNo, int left, int top,
                   int right, int bottom) {
  const I64 h = I64(bottom) - top;
  // One line has no fold to spread it over (the fold's period is h - 1).
  if (right <= left || h < 2) return;
  // Source rows past the object's surface and back-buffer rows outside the
  // visible ones draw nothing: the loops keep to the others.
  const I64 rows = std::min<I64>(h, HasSurface(objectNo) ? I64(Objects[objectNo].surface->Height()) : 0);
  I64 visibleTop, visibleBottom;
  VisibleRows(&visibleTop, &visibleBottom);
  const I64 half = h / 2;
  I64 start = 0;
  for (I64 i = 0; i < rows; ++i) {
    const double angle = double(float(i) + AccordionPhase);
    const I64 end = I64(double(half) + double(half) * std::cos(angle * kTwoPi / double(h - 1)));
    const I64 from = std::max(start, visibleTop - y), to = std::min(end, visibleBottom - 1 - y);
    for (I64 k = from; k <= to; ++k) DrawNoKey(x, int(y + k), objectNo, left, int(i), right, int(i + 1));
    start = end + 1;
  }
  if (forward) {
    AccordionPhase += speed * ruSystem::FrameTime;
    if (AccordionPhase >= float(h)) AccordionPhase -= float(h);
  } else {
    AccordionPhase -= speed * ruSystem::FrameTime;
    if (AccordionPhase < 0) AccordionPhase += float(h);
  }
  Tame(AccordionPhase, double(h));
}

}  // namespace ruDraw
