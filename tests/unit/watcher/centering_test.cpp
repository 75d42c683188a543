// CenterWindow's placement arithmetic: centring, truncation toward zero, and the
// screen clamps, each axis on its own.
#include "watcher/core/centering.h"

#include <gtest/gtest.h>

namespace {

struct Placed {
  int x;
  int y;
};

Placed Place(CenterBox window, CenterBox over, int screenWidth, int screenHeight) {
  Placed placed = {-9999, -9999};
  CenterPosition(&window, &over, screenWidth, screenHeight, &placed.x, &placed.y);
  return placed;
}

TEST(CenterPositionTest, CentresOverTheDesktopAndOverAnOwner) {
  Placed onScreen = Place({80, 80, 260, 160}, {0, 0, 1024, 768}, 1024, 768);
  EXPECT_EQ(382, onScreen.x);
  EXPECT_EQ(304, onScreen.y);

  // The window's own position plays no part; the owner's offset does.
  Placed overOwner = Place({0, 0, 200, 100}, {100, 50, 400, 300}, 1024, 768);
  EXPECT_EQ(200, overOwner.x);
  EXPECT_EQ(150, overOwner.y);
}

TEST(CenterCoordinateTest, DivisionTruncatesTowardZero) {
  // A positive odd gap drops the half pixel.
  EXPECT_EQ(125, CenterCoordinate(100, 51, 0, 1024));
  // A negative odd gap rounds up toward zero, not down: -3 / 2 is -1 and -1 / 2 is 0.
  EXPECT_EQ(99, CenterCoordinate(100, 10, 13, 1024));
  EXPECT_EQ(100, CenterCoordinate(100, 50, 51, 1024));
}

TEST(CenterCoordinateTest, ClampsToTheScreenEdges) {
  // Would start left of the screen.
  EXPECT_EQ(0, CenterCoordinate(-100, 50, 100, 1024));
  EXPECT_EQ(0, CenterCoordinate(0, 10, 12, 1024));  // -1 exactly
  // Would end right of the screen: moved so its far edge is the screen's.
  EXPECT_EQ(824, CenterCoordinate(950, 100, 200, 1024));
  // Ending exactly on the screen edge is inside; one pixel further is clamped back.
  EXPECT_EQ(824, CenterCoordinate(774, 300, 200, 1024));
  EXPECT_EQ(824, CenterCoordinate(775, 300, 200, 1024));
  EXPECT_EQ(823, CenterCoordinate(773, 300, 200, 1024));
}

TEST(CenterCoordinateTest, LargerThanTheScreenEndsNegativeOnTheFarClamp) {
  // Starts inside, so only the far clamp applies, and it leaves a negative position.
  EXPECT_EQ(-76, CenterCoordinate(200, 1000, 1100, 1024));
  // Starts left of the screen: the near clamp wins and the far one is not tested.
  EXPECT_EQ(0, CenterCoordinate(0, 1024, 1200, 1024));
}

TEST(CenterPositionTest, EachAxisIsClampedOnItsOwn) {
  // Left clamp horizontally, still centred vertically.
  Placed leftEdge = Place({0, 0, 300, 100}, {-200, 200, 100, 300}, 1024, 768);
  EXPECT_EQ(0, leftEdge.x);
  EXPECT_EQ(300, leftEdge.y);

  // Centred horizontally, bottom clamp vertically.
  Placed bottomEdge = Place({0, 0, 100, 200}, {400, 700, 200, 100}, 1024, 768);
  EXPECT_EQ(450, bottomEdge.x);
  EXPECT_EQ(568, bottomEdge.y);

  // Right clamp horizontally and top clamp vertically together.
  Placed corner = Place({0, 0, 200, 200}, {1000, -300, 100, 100}, 1024, 768);
  EXPECT_EQ(824, corner.x);
  EXPECT_EQ(0, corner.y);
}

}  // namespace
