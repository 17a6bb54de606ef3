// Where the panel opens: centred on its owner, pulled inside the work area.
#include "panel/centring.h"

#include <gtest/gtest.h>

namespace {

constexpr ScreenRect kArea = {0, 0, 1280, 1000};

TEST(CentrePanel, CentresOnTheOwnerWithHalvesTruncated) {
  const ScreenRect owner = {100, 50, 901, 651};  // odd sums: 1001 / 2 = 500, 701 / 2 = 350
  const ScreenPoint p = CentrePanel(&owner, kArea, 301, 101);
  EXPECT_EQ(p.x, 500 - 150);
  EXPECT_EQ(p.y, 350 - 50);
}

TEST(CentrePanel, CentresOnTheWorkAreaWithoutAnOwner) {
  const ScreenRect area = {10, 20, 1010, 820};
  const ScreenPoint p = CentrePanel(nullptr, area, 400, 200);
  EXPECT_EQ(p.x, 510 - 200);
  EXPECT_EQ(p.y, 420 - 100);
}

TEST(CentrePanel, NegativeCoordinatesTruncateTowardZero) {
  // An owner on a screen left of the primary one: (-801 + -100) / 2 is -450, not -451.
  const ScreenRect area = {-1280, 0, 0, 1000};
  const ScreenRect owner = {-801, 100, -100, 601};
  const ScreenPoint p = CentrePanel(&owner, area, 201, 101);
  EXPECT_EQ(p.x, -450 - 100);
  EXPECT_EQ(p.y, 350 - 50);
}

TEST(CentrePanel, StaysInsideTheWorkAreaOnEverySide) {
  const ScreenRect nearTopLeft = {-300, -200, 100, 100};
  ScreenPoint p = CentrePanel(&nearTopLeft, kArea, 400, 200);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);

  const ScreenRect nearBottomRight = {1200, 950, 1600, 1250};
  p = CentrePanel(&nearBottomRight, kArea, 400, 200);
  EXPECT_EQ(p.x, 1280 - 400);
  EXPECT_EQ(p.y, 1000 - 200);
}

TEST(CentrePanel, APanelLargerThanTheAreaKeepsItsLeftAndTopEdgesInside) {
  // Centred far to the right and below, the panel would otherwise be pushed past
  // the left and top edges by the right and bottom ones.
  const ScreenRect area = {0, 0, 300, 200};
  const ScreenRect owner = {500, 400, 700, 600};
  ScreenPoint p = CentrePanel(&owner, area, 500, 300);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);

  const ScreenRect left = {-700, -600, -500, -400};
  p = CentrePanel(&left, area, 500, 300);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);
}

}  // namespace
