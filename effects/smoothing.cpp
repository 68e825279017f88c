// smoothing.cpp - box blur of the object, outline smoothing against the
// background, and displacement of the background by the object's red level.
#include <algorithm>
#include <cstdint>

#include "effects/effect_frame.h"
#include "platform/surface/blit.h"

namespace ruDraw {

using namespace fx;

namespace {

// The block of a blur: its size inside the clipped rectangle, and the first
// column (row) of the block of pixel x (y): the pixel itself, moved back so
// that the block ends inside the rectangle.
struct BlurBlock {
  int w, h;
  int FirstColumn(int x, int width) const { return x + w > width ? width - w : x; }
  int FirstRow(int y, int height) const { return y + h > height ? height - h : y; }
};

void BlurReference(const LockedArea& a, const BlurBlock& b) {
  const int count = b.w * b.h;
  for (int y = 0; y < a.height; ++y) {
    Pixel* d = Row(a.dest, y);
    const Pixel* s = Row(a.source, y);
    for (int x = 0; x < a.width; ++x) {
      if (s[x] == 0) continue;
      std::uint16_t sum[3] = {0, 0, 0};
      const int x0 = b.FirstColumn(x, a.width), y0 = b.FirstRow(y, a.height);
      for (int j = y0; j < y0 + b.h; ++j)
        for (int i = x0; i < x0 + b.w; ++i) {
          const Rgb5& c = RgbTable[Row(a.source, j)[i]];
          sum[0] = std::uint16_t(sum[0] + c.red);
          sum[1] = std::uint16_t(sum[1] + c.green);
          sum[2] = std::uint16_t(sum[2] + c.blue);
        }
      d[x] = Pack5(sum[0] / count, sum[1] / count, sum[2] / count);
    }
  }
}

}  // namespace

int DrawBlur(int x, int y, int size, int objectNo, int left, int top, int right, int bottom) {
  if (!Ready(objectNo)) return 0;
  const int n = std::clamp(size, 1, 45);
  return WithObjectAtPoint(x, y, objectNo, left, top, right, bottom, [&](const LockedArea& a) {
    if (a.width == 0 || a.height == 0) return;
    const BlurBlock b{std::min(n, a.width), std::min(n, a.height)};
    if (!platform::blit::FastPathsEnabled() || !BlurFast(a, b.w, b.h)) BlurReference(a, b);
  });
}

int DrawSmooth(int x, int y, int objectNo, int left, int top, int right, int bottom) {
  if (!Ready(objectNo)) return 0;
  return WithObjectAtPoint(x, y, objectNo, left, top, right, bottom, [](const LockedArea& a) {
    const int w = a.width, h = a.height;
    struct Offset {
      int dx, dy;
    };
    const Offset kNeighbours[4] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    for (int y = 0; y < h; ++y) {
      const Pixel* s = Row(a.source, y);
      for (int x = 0; x < w; ++x) {
        if (s[x] == 0) continue;
        const Rgb5& own = RgbTable[s[x]];
        int sum[3] = {own.red, own.green, own.blue}, count = 1;
        for (const Offset& o : kNeighbours) {
          const int nx = x + o.dx, ny = y + o.dy;
          if (nx < 0 || nx >= w || ny < 0 || ny >= h) continue;
          if (Row(a.source, ny)[nx] != 0) continue;
          const Rgb5& back = RgbTable[Row(a.dest, ny)[nx]];
          sum[0] += back.red, sum[1] += back.green, sum[2] += back.blue;
          ++count;
        }
        Row(a.dest, y)[x] =
            count < 2 ? s[x] : Pack5(sum[0] / count, sum[1] / count, sum[2] / count);
      }
    }
  });
}

int DrawRefract(int x, int y, float rate, int objectNo, int left, int top, int right, int bottom) {
  if (!Ready(objectNo)) return 0;
  const int k = RateToLevelCut(rate);
  return WithObjectAtPoint(x, y, objectNo, left, top, right, bottom, [k](const LockedArea& a) {
    for (int y = 0; y < a.height; ++y) {
      const Pixel* s = Row(a.source, y);
      Pixel* d = Row(a.dest, y);
      for (int x = 0; x < a.width; ++x) {
        if (s[x] == 0) continue;
        int v = RgbTable[s[x]].red - k;
        if (v < 1) v = 0;
        if (v >= a.height - y) v = 0;
        d[x] = Row(a.dest, y + v)[x];
      }
    }
  });
}

}  // namespace ruDraw
