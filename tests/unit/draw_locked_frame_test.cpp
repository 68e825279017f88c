// draw_locked_frame_test.cpp - the clip-lock-walk frame of the software
// pixel operations: what WithObjectAtPoint clips, locks and hands over,
// and that it leaves nothing locked on any path.
#include <climits>

#include "draw/locked_frame.h"
#include "tests/support/draw_fixture.h"

namespace {

using drawtest::Code;

class LockedFrameTest : public drawtest::DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    object_ = PatternObject(20, 20);
  }
  // Both surfaces can be locked again: the frame left them unlocked.
  void ExpectUnlocked() {
    for (platform::Surface* s : {ruDraw::Objects[object_].surface, ruDraw::BackBuffer}) {
      void* bits = nullptr;
      LONG pitch = 0;
      ASSERT_EQ(s->Lock(&bits, &pitch, DDLOCK_WAIT), DD_OK);
      s->Unlock();
    }
  }
  int object_ = 0;
};

struct FrameCase {
  const char* name;
  int x, y, left, top, right, bottom;
  int lockFault;  // which lock fails (1: the object's, 2: the back buffer's), 0: none
  int result;
  bool walked;
  ruDraw::LockedArea area;  // x, y, left, top, width, height when walked
};

TEST_F(LockedFrameTest, ClipsLocksWalksAndAlwaysUnlocks) {
  const FrameCase cases[] = {
      // The clip window (10, 10)-(100, 100): bottom first, then the left
      // edge moves the source corner.
      {"cut at left and bottom", 5, 95, 2, 0, 20, 20, 0, 1, true, {{}, {}, 13, 5, 10, 95, 7, 0}},
      {"source cut to the object", 30, 30, -3, 0, 50, 4, 0, 1, true,
       {{}, {}, 20, 4, 33, 30, 0, 0}},
      {"zero width still locks", 30, 30, 4, 4, 4, 8, 0, 1, true, {{}, {}, 0, 4, 30, 30, 4, 4}},
      {"zero width meets a lock fault", 30, 30, 4, 4, 4, 8, 1, 0, false, {}},
      {"negative width locks nothing", 30, 30, 8, 0, 4, 8, 1, 1, false, {}},
      {"wholly right of the window", 101, 30, 0, 0, 4, 4, 1, 1, false, {}},
      {"the back buffer's lock fails", 30, 30, 0, 0, 4, 4, 2, 0, false, {}},
      {"extreme arguments", INT_MIN, INT_MAX, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 1, false,
       {}},
  };
  ruDraw::SetClipWindow(10, 10, 100, 100);
  for (const FrameCase& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.lockFault)
      platform::InjectDisplayFault(platform::DisplayOp::Lock, c.lockFault, DDERR_SURFACEBUSY);
    bool walked = false;
    ruDraw::LockedArea seen;
    const int result = ruDraw::WithObjectAtPoint(
        c.x, c.y, object_, c.left, c.top, c.right, c.bottom, [&](const ruDraw::LockedArea& a) {
          walked = true;
          seen = a;
          if (a.width > 0 && a.height > 0) a.dest.Set(0, 0, a.source.Get(0, 0));
        });
    platform::ClearDisplayFaults();  // a fault the frame did not reach
    EXPECT_EQ(result, c.result);
    ASSERT_EQ(walked, c.walked);
    if (walked) {
      EXPECT_EQ((std::vector<int>{seen.width, seen.height, seen.x, seen.y, seen.left, seen.top}),
                (std::vector<int>{c.area.width, c.area.height, c.area.x, c.area.y, c.area.left,
                                  c.area.top}));
      if (seen.width > 0) {
        EXPECT_EQ(drawtest::BackPixel(seen.x, seen.y), Code(seen.left, seen.top));
      }
    }
    ExpectUnlocked();
  }
}

TEST_F(LockedFrameTest, ObjectsWithoutASurfaceGiveZero) {
  for (int objectNo : {-1, 0x7FFFFFFF, ruDraw::kObjectCount, ruDraw::kObjectCount - 1}) {
    bool walked = false;
    EXPECT_EQ(ruDraw::WithObjectAtPoint(0, 0, objectNo, 0, 0, 4, 4,
                                        [&](const ruDraw::LockedArea&) { walked = true; }),
              0)
        << objectNo;
    EXPECT_FALSE(walked) << objectNo;
  }
}

}  // namespace
