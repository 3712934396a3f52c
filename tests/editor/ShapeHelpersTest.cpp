#include <gtest/gtest.h>

#include <climits>
#include <numbers>

#include "editor/ShapeHelpers.h"

namespace kroma::test {
namespace {

constexpr double kQuarter = std::numbers::pi / 2;

// Angles grow clockwise on the screen (y points down); a point straight
// above or below the centre still turns by a clean quarter.
TEST(ShapeHelpersTest, RotateTurnsAboutTheCentre) {
  struct Case {
    TPoint centre, point;
    double angle;
    TPoint expected;
  };
  const Case cases[] = {
      {{0, 0}, {10, 0}, kQuarter, {0, 10}},
      {{0, 0}, {10, 0}, -kQuarter, {0, -10}},
      {{50, 50}, {50, 40}, kQuarter, {60, 50}},  // straight above
      {{50, 50}, {50, 60}, kQuarter, {40, 50}},  // straight below
      {{50, 50}, {50, 40}, -kQuarter, {40, 50}},
      {{20, 30}, {23, 34}, std::numbers::pi, {17, 26}},
      {{7, 7}, {7, 7}, 1.0, {7, 7}},  // the centre stays
  };
  for (const Case& c : cases)
    EXPECT_EQ(rotate(c.centre, c.point, c.angle), c.expected)
        << "(" << c.point.x << ", " << c.point.y << ") by " << c.angle;
}

// Halves round to even: 2.5 -> 2, 3.5 -> 4, -2.5 -> -2.
TEST(ShapeHelpersTest, ReducevectorScalesTheDistanceAndRoundsHalvesToEven) {
  struct Case {
    TPoint centre, point;
    double factor;
    TPoint expected;
  };
  const Case cases[] = {
      {{0, 0}, {5, 0}, 0.5, {2, 0}},       {{0, 0}, {7, 0}, 0.5, {4, 0}},       {{0, 0}, {-5, 0}, 0.5, {-2, 0}},
      {{10, 10}, {10, 30}, 0.5, {10, 20}}, {{10, 10}, {40, 50}, 0.2, {16, 18}}, {{10, 10}, {40, 50}, 1.0, {40, 50}},
      {{10, 10}, {40, 50}, 0.0, {10, 10}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(reducevector(c.centre, c.point, c.factor), c.expected)
        << "(" << c.point.x << ", " << c.point.y << ") by " << c.factor;
}

// Points at the ends of the int range neither overflow nor wrap: results
// that leave the range stay at its edges.
TEST(ShapeHelpersTest, ExtremePointsSaturate) {
  const TPoint low{INT_MIN, INT_MIN}, high{INT_MAX, INT_MAX};
  EXPECT_EQ(rotate(low, high, std::numbers::pi), low);
  EXPECT_EQ(reducevector(low, high, 3.0), high);
  EXPECT_EQ(reducevector(high, TPoint{INT_MAX, INT_MIN}, 2.0), (TPoint{INT_MAX, INT_MIN}));
}

}  // namespace
}  // namespace kroma::test
