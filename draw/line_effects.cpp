// line_effects.cpp - object drawing line by line: waves, scrolling waves,
// wavy tiling, tiling, repeated and interlaced lines, shaking and the
// accordion. Each line goes through the clipped copy of Draw / DrawNoKey;
// the effects advance their phases by FrameTime.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "draw/draw.h"
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

// Horizontal offset of line `row` of a wave: amplitude x cos of the row's
// angle in degrees (rows grouped by divisor) plus the phase.
int WaveOffset(int amplitude, int divisor, long long row, float phase) {
  const long long degrees = (divisor != 0 ? row / divisor : row) + int(phase);
  return int(amplitude * std::cos(degrees * kTwoPi / 360));
}

// Advances a phase in degrees, wrapping once at 360.
void AdvanceDegrees(float& phase, float speed) {
  phase += ruSystem::FrameTime * speed;
  if (phase >= 360) phase -= 360;
}

// Moves a scroll position back by speed and wraps it by the height: up
// when below 0, then down when at or past the height (a tiny negative
// position rounds up to the height itself and must come back to 0).
// A long frame (a message box, a dragged window) may move it by more than
// the height: whole heights go first, so rows never leave the rectangle.
void AdvanceScroll(float& scroll, float speed, int height) {
  scroll -= ruSystem::FrameTime * speed;
  if (scroll < -height || scroll >= 2.0f * height) scroll = std::fmod(scroll, float(height));
  if (scroll < 0) scroll += float(height);
  if (scroll >= float(height)) scroll -= float(height);
}

// Keeps a tiling offset within one tile left of (or above) 0, so the
// tiles always cover the screen; whole tiles go first after a long frame.
void WrapTileOffset(float& offset, int size) {
  if (offset < -2.0f * size || offset > float(size)) offset = std::fmod(offset, float(size));
  if (offset < -size) offset += float(size);
  if (offset > 0) offset -= float(size);
}

bool EmptyRect(int left, int top, int right, int bottom) {
  return right <= left || bottom <= top;
}

// rand() mod n for n >= 1, also for n beyond int's range.
int RandomBelow(long long n) { return int(std::rand() % n); }

}  // namespace

void DrawWave(int x, int y, int amplitude, int divisor, float speed, int objectNo, int left,
              int top, int right, int bottom, int alternate) {
  for (int r = top; r < bottom; ++r) {
    int offset = WaveOffset(amplitude, divisor, r, WavePhase);
    if (alternate) {
      offset *= WaveSign;
      WaveSign = -WaveSign;
    }
    Draw(x + offset, y + r - top, objectNo, left, r, right, r + 1);
  }
  AdvanceDegrees(WavePhase, speed);
}

void DrawWaveScroll(int x, int y, int amplitude, int divisor, float speed, float scrollSpeed,
                    int objectNo, int left, int top, int right, int bottom) {
  if (EmptyRect(left, top, right, bottom)) return;
  for (int r = top; r < bottom; ++r) {
    const int offset = WaveOffset(amplitude, divisor, r, WaveScrollPhase);
    int s = int(WaveScroll) + r;
    if (s >= bottom) s = top + (s - bottom) + 1;
    Draw(x + offset, y + r, objectNo, left, s, right, s + 1);
  }
  AdvanceDegrees(WaveScrollPhase, speed);
  AdvanceScroll(WaveScroll, scrollSpeed, bottom - top);
}

void DrawWaveTile(int firstLine, int lastLine, int amplitude, int divisor, float speed,
                  float scrollSpeed, int objectNo, int left, int top, int right, int bottom) {
  if (EmptyRect(left, top, right, bottom)) return;
  const int w = right - left;
  const int h = bottom - top;
  const int columns = ScreenWidth / w + 2;
  // Lines more than one above the clip window's top or below its bottom
  // draw nothing (a one-line copy there is cut away whole): skip them.
  const long long first = std::max<long long>(0, (long long)ClipWindow.top - 1 - firstLine);
  const long long end = std::min<long long>((long long)lastLine - firstLine,
                                            (long long)ClipWindow.bottom + 1 - firstLine);
  for (long long line = first; line < end; ++line) {
    int s = int(line % h) + int(WaveTileScroll);
    if (s > h - 1) s -= h;
    const int offset = WaveOffset(amplitude, divisor, line, WaveTilePhase);
    for (int k = 0; k < columns; ++k)
      Draw(w * k + offset - amplitude, int(firstLine + line), objectNo, left, top + s, right,
           top + s + 1);
  }
  AdvanceDegrees(WaveTilePhase, speed);
  AdvanceScroll(WaveTileScroll, scrollSpeed, h);
}

void DrawTile(float speedX, float speedY, int objectNo, int left, int top, int right,
              int bottom) {
  if (EmptyRect(left, top, right, bottom)) return;
  const int w = right - left;
  const int h = bottom - top;
  for (int i = 0; i < ScreenHeight / h + 2; ++i)
    for (int j = 0; j < ScreenWidth / w + 2; ++j)
      Draw(w * j + int(TileX), h * i + int(TileY), objectNo, left, top, right, bottom);
  TileX += ruSystem::FrameTime * speedX;
  TileY += ruSystem::FrameTime * speedY;
  WrapTileOffset(TileX, w);
  WrapTileOffset(TileY, h);
}

void DrawLineRepeat(int x, int y, int step, int objectNo, int left, int top, int right,
                    int bottom) {
  if (step < 1) return;
  // Lines below the clip window's bottom draw nothing and only get lower:
  // a huge step stops there instead of running through all its repeats.
  const long long lowest = ClipWindow.bottom;
  for (long long r0 = top; r0 < bottom; r0 += step)
    for (long long r = r0; r < r0 + step; ++r) {
      if (y + r - top > lowest) return;
      Draw(x, int(y + r - top), objectNo, left, int(r0), right, int(r0 + 1));
    }
}

void DrawInterlace(int x, int y, int step, int objectNo, int left, int top, int right,
                   int bottom) {
  if (step > 0) {
    for (long long r = (long long)top + step; r < bottom; r += step)
      Draw(x, int(y + r - top), objectNo, left, int(r), right, int(r + 1));
  } else if (step < 0) {
    const long long spread = -(long long)step;
    for (long long r = top + RandomBelow(spread) + 1; r < bottom; r += RandomBelow(spread) + 1)
      Draw(x, int(y + r - top), objectNo, left, int(r), right, int(r + 1));
  }
}

void DrawShake(int x, int y, int amount, int objectNo, int left, int top, int right,
               int bottom) {
  if (amount <= 0) {
    Draw(x, y, objectNo, left, top, right, bottom);
    return;
  }
  for (int r = top; r < bottom; ++r)
    Draw(x + RandomBelow(2LL * amount) - amount, y + r - top, objectNo, left, r, right, r + 1);
}

void DrawAccordion(int x, int y, int forward, float speed, int objectNo, int left, int top,
                   int right, int bottom) {
  const int h = bottom - top;
  // One line has no fold to spread it over (the fold's period is h - 1).
  if (right <= left || h < 2) return;
  const int half = h / 2;
  int start = 0;
  for (int i = 0; i < h; ++i) {
    const float angle = float(i) + AccordionPhase;
    const int end = int(half + half * std::cos(angle * kTwoPi / (h - 1)));
    for (int k = start; k <= end; ++k) DrawNoKey(x, y + k, objectNo, left, i, right, i + 1);
    start = end + 1;
  }
  if (forward) {
    AccordionPhase += speed * ruSystem::FrameTime;
    if (AccordionPhase >= float(h)) AccordionPhase -= float(h);
  } else {
    AccordionPhase -= speed * ruSystem::FrameTime;
    if (AccordionPhase < 0) AccordionPhase += float(h);
  }
}

}  // namespace ruDraw
