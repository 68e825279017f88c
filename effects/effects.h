// effects.h - ruDraw's software pixel effects on 16-bit surfaces: blending,
// colour filters and smoothing, glow rays, rotation and distortion, effects
// on regions of the back buffer; and the lookup tables that screen set-up
// builds for them.
//
// Every effect draws a rectangle of a draw object (ObjectNo, source left,
// top, right, bottom; right and bottom exclusive) at (x, y) of the back
// buffer, clipped to the clip window. Source pixels of value 0 are
// transparent. Results: 1 when done (also when clipping left nothing), 0
// when a lock fails, the object number names no surface, or the display is
// not 16 bits per pixel (the tables are then empty).
#pragma once

#include <cstdint>

#include "platform/win_types.h"

namespace ruDraw {

// ---------------------------------------------------------------- tables
// The 5-bit red, green and blue of a 16-bit pixel (6-bit channels halved).
struct Rgb5 {
  BYTE red, green, blue;
};
extern Rgb5 RgbTable[65536];
// [ch][k][s][d]: (max(s - k, 0) + max(d - (31 - k), 0)) << Shift5(ch).
extern WORD FadeTable[3][32][32][32];
// [ch][k][s][d]: min(max(s - k, 0) + d, 31) << Shift5(ch).
extern WORD AddTable[3][32][32][32];
// [ch][a][b]: max(a - b, 0) << Shift5(ch).
extern WORD SubTable[3][32][32];
// [n]: n / 3 for n = r + g + b of three 5-bit values.
extern WORD GreyTable[94];
// rand() % 3, drawn in index order by screen set-up.
extern signed char RandomTable[10000];

// Builds the 16-bit tables from the pixel-format values, RandomTable last
// (it draws 10000 values from rand()); called by screen set-up on 16-bit
// displays. Any other depth empties them.
void BuildEffectTables(bool sixteenBit);
// True once the 16-bit tables are built for the current screen.
bool EffectTablesReady();

// ---------------------------------------------------------------- blending
// 50 % mix: ((s >> 1) & HalfMask) + ((d >> 1) & HalfMask).
int DrawHalf(int x, int y, int objectNo, int left, int top, int right, int bottom);
// Each channel: trunc(s * rate + d * (1 - rate)).
int DrawAlpha(int x, int y, float rate, int objectNo, int left, int top, int right, int bottom);
// DrawAlpha with a rate per channel.
int DrawAlphaRGB(int x, int y, float redRate, float greenRate, float blueRate, int objectNo,
                 int left, int top, int right, int bottom);
// Cross-fade by level 0 (destination) to 31 (source), 5-bit channels.
int DrawFade(int x, int y, int level, int objectNo, int left, int top, int right, int bottom);
// DrawFade with a level per channel.
int DrawFadeRGB(int x, int y, int redLevel, int greenLevel, int blueLevel, int objectNo, int left,
                int top, int right, int bottom);
// Rate mix whose source grows more opaque by 1/32 every `period` columns
// (rows when `vertical`) past `start`.
int DrawAlphaGradient(int x, int y, float redRate, float greenRate, float blueRate, int vertical,
                      WORD start, int period, int objectNo, int left, int top, int right,
                      int bottom);
// Level cross-fade whose level grows by one every `period` columns (rows).
int DrawFadeGradient(int x, int y, int redLevel, int greenLevel, int blueLevel, int vertical,
                     WORD start, int period, int objectNo, int left, int top, int right,
                     int bottom);
// Saturating addition of 5-bit channels.
int DrawAdd(int x, int y, int objectNo, int left, int top, int right, int bottom);
// Addition of the source lowered by trunc(31 - rate * 31).
int DrawAddRate(int x, int y, float rate, int objectNo, int left, int top, int right, int bottom);
// The source's red level subtracted from every channel of the destination.
int DrawSub(int x, int y, int objectNo, int left, int top, int right, int bottom);

// ---------------------------------------------------------------- filters
// The source with only the flagged channels kept.
int DrawMask(int x, int y, int red, int green, int blue, int objectNo, int left, int top, int right,
             int bottom);
// Each channel: trunc(channel * rate).
int DrawBright(int x, int y, float rate, int objectNo, int left, int top, int right, int bottom);
// DrawBright with a rate per channel.
int DrawBrightRGB(int x, int y, float redRate, float greenRate, float blueRate, int objectNo,
                  int left, int top, int right, int bottom);
// Each 5-bit channel lowered by 31 - level, not below 0.
int DrawDark(int x, int y, int level, int objectNo, int left, int top, int right, int bottom);
// DrawDark with a level per channel.
int DrawDarkRGB(int x, int y, int redLevel, int greenLevel, int blueLevel, int objectNo, int left,
                int top, int right, int bottom);
// The mean of the 5-bit channels in all three.
int DrawGrey(int x, int y, int objectNo, int left, int top, int right, int bottom);
// The average of a size x size block of the source (1 to 45).
int DrawBlur(int x, int y, int size, int objectNo, int left, int top, int right, int bottom);
// Edge pixels averaged with the background under their transparent neighbours.
int DrawSmooth(int x, int y, int objectNo, int left, int top, int right, int bottom);
// The background pulled up by the source's red level less trunc(31 - rate * 31).
int DrawRefract(int x, int y, float rate, int objectNo, int left, int top, int right, int bottom);

// ---------------------------------------------------------------- glow
// Up to eight fading rays of light from every visible pixel (directions:
// 0x01 down-left, 0x02 down, 0x04 down-right, 0x08 left, 0x10 right,
// 0x20 up-left, 0x40 up, 0x80 up-right), each channel's strength shifted
// right by its shift; the object itself drawn too when drawSource is set.
int DrawGlow(int x, int y, int redShift, int greenShift, int blueShift, int directions,
             int drawSource, int objectNo, int left, int top, int right, int bottom);

// ---------------------------------------------------------------- rotation
// The rotations draw the source rectangle centred in the destination
// rectangle (left, top, right, bottom) and turned by `angle` whole degrees
// (taken modulo 360) about its centre. The destination rectangle keeps its
// place; only the pixels inside the clip window are written. Destination
// pixels that map outside the source stay unchanged.
int DrawRotate(int left, int top, int right, int bottom, int angle, int objectNo, int sourceLeft,
               int sourceTop, int sourceRight, int sourceBottom);
// Every destination pixel maps into the source, repeated and mirrored.
int DrawRotateTile(int left, int top, int right, int bottom, int angle, int objectNo,
                   int sourceLeft, int sourceTop, int sourceRight, int sourceBottom);
// Enlarged by `zoom` (2 doubles the picture).
int DrawRotateZoom(int left, int top, int right, int bottom, int angle, float zoom, int objectNo,
                   int sourceLeft, int sourceTop, int sourceRight, int sourceBottom);
// DrawRotateZoom with the source repeated as tiles.
int DrawRotateZoomTile(int left, int top, int right, int bottom, int angle, float zoom,
                       int objectNo, int sourceLeft, int sourceTop, int sourceRight,
                       int sourceBottom);
// A tiled rotation whose x and y zooms grow by their steps from row to row
// (a floor in perspective), each 5-bit channel multiplied by its factor.
int DrawFloor(int left, int top, int right, int bottom, int angle, float xZoom, float xZoomStep,
              float yZoom, float yZoomStep, float redFactor, float greenFactor, float blueFactor,
              int objectNo, int sourceLeft, int sourceTop, int sourceRight, int sourceBottom);

// ---------------------------------------------------------------- distortion
// Every `step`-th pixel of the object moved down by a radial wave of
// `amplitude` and `frequency`, scaled and slanted; 0 is not transparent.
int DrawRipple(int x, int y, int amplitude, int frequency, int step, float scale, float slant,
               int objectNo, int left, int top, int right, int bottom);
// The object with column (kinds 0, 1) or row (2, 3) `position` repeated to
// the right, left, downward or upward edge of the screen.
int DrawSmear(int x, int y, int kind, WORD position, int objectNo, int left, int top, int right,
              int bottom);
// Fills the tunnel map (mapWidth x mapHeight, at most 640 x 480 entries) of
// texture coordinates; -1 takes a default for the centre and view divisor.
// Returns mapHeight, or 0 when nothing was built.
int MakeTunnel(int textureWidth, int textureHeight, int mapWidth, int mapHeight, int centreX,
               int centreY, int viewDivisor, int motion, int distanceKind, int depthKind);
// The tunnel map drawn at (x, y) from the object's texture, turned by
// uOffset and flown by vOffset. Ignores the clip window; stays inside the
// back buffer.
int DrawTunnel(int x, int y, int uOffset, int vOffset, int objectNo);

// ---------------------------------------------------------------- regions
// These change a region (x, y, width, height) of the back buffer in place;
// the region is cut to the back buffer. 1 when done, 0 when a lock fails or
// the display is not 16 bits per pixel.
// Rising flames: each inner pixel becomes the four-neighbour average or a
// copy of the pixel below it, as RandomTable says.
int ScreenFire(int x, int y, int width, int height);
// Flames whose averaged pixels lose one step in each flagged channel.
int ScreenFireFade(int redFade, int greenFade, int blueFade, int x, int y, int width, int height);
// Each inner pixel becomes the average of its four neighbours.
int ScreenBlur(int x, int y, int width, int height);
// ScreenBlur that also darkens each channel by its fade.
int ScreenBlurFade(int redFade, int greenFade, int blueFade, int x, int y, int width, int height);
// The region enlarged 2x or 4x to the right and downward from (x, y),
// through the work surface (object 0); `dotted` leaves gaps.
int ScreenZoom2(int x, int y, int width, int height, int dotted);
// ScreenZoom2 at four times the size.
int ScreenZoom4(int x, int y, int width, int height, int dotted);
// A disc of `radius` around the centre cut into cells of `cellSize`.
int ScreenMosaicCircle(int centreX, int centreY, int radius, int cellSize);
// Every 5-bit channel brightened by RandomTable's values shifted left.
int ScreenNoise(int shift, int x, int y, int width, int height);
// ScreenNoise with a weight per channel.
int ScreenNoiseRGB(int red, int green, int blue, int shift, int x, int y, int width, int height);

}  // namespace ruDraw
