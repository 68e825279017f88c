// filters.cpp - colour filter effects: channel mask, brightness, darkening
// and grey.
#include "effects/effect_frame.h"

namespace ruDraw {

using namespace fx;

int DrawMask(int x, int y, int red, int green, int blue, int objectNo, int left, int top, int right,
             int bottom) {
  RowParams p;
  if (red) p.mask |= RedMask;
  if (green) p.mask |= GreenMask;
  if (blue) p.mask |= BlueMask;
  return RunRows(ChooseRow(kMask), p, x, y, objectNo, left, top, right, bottom);
}

int DrawBright(int x, int y, float rate, int objectNo, int left, int top, int right, int bottom) {
  return DrawBrightRGB(x, y, rate, rate, rate, objectNo, left, top, right, bottom);
}

int DrawBrightRGB(int x, int y, float redRate, float greenRate, float blueRate, int objectNo,
                  int left, int top, int right, int bottom) {
  RowParams p;
  p.rate[0] = redRate;
  p.rate[1] = greenRate;
  p.rate[2] = blueRate;
  return RunRows(ChooseRow(kBright), p, x, y, objectNo, left, top, right, bottom);
}

int DrawDark(int x, int y, int level, int objectNo, int left, int top, int right, int bottom) {
  return DrawDarkRGB(x, y, level, level, level, objectNo, left, top, right, bottom);
}

int DrawDarkRGB(int x, int y, int redLevel, int greenLevel, int blueLevel, int objectNo, int left,
                int top, int right, int bottom) {
  RowParams p;
  p.level[0] = ClampLevel(redLevel);
  p.level[1] = ClampLevel(greenLevel);
  p.level[2] = ClampLevel(blueLevel);
  return RunRows(ChooseRow(kDark), p, x, y, objectNo, left, top, right, bottom);
}

int DrawGrey(int x, int y, int objectNo, int left, int top, int right, int bottom) {
  return RunRows(ChooseRow(kGrey), RowParams{}, x, y, objectNo, left, top, right, bottom);
}

}  // namespace ruDraw
