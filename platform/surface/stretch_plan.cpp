// stretch_plan.cpp - which part of a scaled copy is visible: the columns and
// rows whose destination lies on the destination surface and whose source
// pixel lies on the source surface.
#include <algorithm>

#include "platform/surface/blit.h"

namespace platform::blit {

namespace {

using I64 = std::int64_t;

// Smallest i >= 0 with floor(i * num / den) >= target (num, den > 0).
I64 FirstReaching(I64 target, I64 num, I64 den) {
  if (target <= 0) return 0;
  return (target * den + num - 1) / num;
}

// The visible offsets [first, end) along one axis.
struct Range {
  I64 first, end;
};
Range Visible(I64 to, I64 toSize, I64 destSize, I64 from, I64 fromSize, I64 sourceSize) {
  return {std::max({I64(0), -to, FirstReaching(-from, fromSize, toSize)}),
          std::min({toSize, destSize - to, FirstReaching(sourceSize - from, fromSize, toSize)})};
}

}  // namespace

bool PlanStretch(const Placement& to, int destWidth, int destHeight, const Placement& from,
                 int sourceWidth, int sourceHeight, StretchJob* job) {
  const Range x = Visible(to.x, to.width, destWidth, from.x, from.width, sourceWidth);
  const Range y = Visible(to.y, to.height, destHeight, from.y, from.height, sourceHeight);
  if (x.end <= x.first || y.end <= y.first) return false;
  *job = StretchJob{};
  job->dx0 = int(to.x + x.first);
  job->dy0 = int(to.y + y.first);
  job->w = int(x.end - x.first);
  job->h = int(y.end - y.first);
  job->i0 = int(x.first);
  job->j0 = int(y.first);
  job->dw = int(to.width);
  job->dh = int(to.height);
  job->sx0 = int(from.x);
  job->sy0 = int(from.y);
  job->sw = int(from.width);
  job->sh = int(from.height);
  return true;
}

}  // namespace platform::blit
