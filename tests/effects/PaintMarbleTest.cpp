#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "TestImages.h"
#include "effects/PaintFX.h"

namespace kroma {
namespace {

using testing::At;

using MarbleFn = void (*)(const TBitmap&, TBitmap&, int, double);

constexpr std::pair<const char*, MarbleFn> kFamily[] = {
    {"Marble", TkelPaintFX::Marble},   {"Marble2", TkelPaintFX::Marble2}, {"Marble3", TkelPaintFX::Marble3},
    {"Marble4", TkelPaintFX::Marble4}, {"Marble5", TkelPaintFX::Marble5}, {"Marble6", TkelPaintFX::Marble6},
    {"Marble7", TkelPaintFX::Marble7}, {"Marble8", TkelPaintFX::Marble8},
};

TEST(PaintMarble, DeepByHandAndTouchesReverseOrder) {
  // 4 x 4, scale 4, turbulence 2: ry = y / 2 and rx = x / 2, so row y adds
  // 2 cos(y / 2) = 2, 1.7552, 1.0806, 0.1415 and column x adds
  // -2 sin(x / 2) = 0, -0.9589, -1.6829, -1.9950 to both coordinates.
  // Source (x, y) lands on (x + row + column, y + row + column), rounded:
  //   row 0: (2,2) (2,1) (2,0) (3,0)     row 1: (2,3) (2,2) (2,1) (3,1)
  //   row 2: (1,3) (1,2) (1,1) (2,1)     row 3: (0,3) (0,2) (0,1) (1,1)
  // Later sources win: (2,2) ends with source (1,1), (2,1) with (3,2) and
  // (1,1) with (3,3). Target pixels nothing lands on keep the copy.
  const TBitmap src = testing::Noise(4, 4);
  struct Landing {
    int tx, ty, sx, sy;
  };
  const std::vector<Landing> common = {{2, 0, 2, 0}, {3, 0, 3, 0}, {0, 1, 2, 3}, {3, 1, 3, 1}, {1, 2, 1, 2},
                                       {0, 2, 1, 3}, {2, 3, 0, 1}, {1, 3, 0, 2}, {0, 3, 0, 3}};
  // Marble visits rows top down, pixels left to right; Marble5 the other
  // way round, so there the first source to land wins.
  struct Case {
    const char* name;
    MarbleFn fn;
    std::vector<Landing> contested;
  } cases[] = {{"Marble", TkelPaintFX::Marble, {{2, 2, 1, 1}, {2, 1, 3, 2}, {1, 1, 3, 3}}},
               {"Marble5", TkelPaintFX::Marble5, {{2, 2, 0, 0}, {2, 1, 1, 0}, {1, 1, 2, 2}}}};
  for (const Case& c : cases) {
    TBitmap dst = testing::Noise(4, 4, 8);
    c.fn(src, dst, 4, 2.0);
    TBitmap expected = src;
    for (const auto* landings : {&common, &c.contested})
      for (const Landing& l : *landings) testing::Put(expected, l.tx, l.ty, At(src, l.sx, l.sy));
    EXPECT_TRUE(SameImage(dst, expected)) << c.name;
  }
}

TEST(PaintMarble, EveryFormulaLandsWhereComputedByHand) {
  // 6 x 6, scale 6, turbulence 2. For source (1, 1) r = 0.5 on both axes:
  // 2 cos r = 1.7552, 2 sin r = 0.9589, tan(r) / 2 = 0.2732,
  // tan(r) / 4 = 0.1366; for source (5, 5) r = 2.5: 2 cos r = -1.6023,
  // 2 sin r = 1.1969, tan(r) / 2 = -0.3735; for (5, 2) ry = 1, rx = 2.5.
  // Each landing below is the last one on its target pixel.
  struct Case {
    MarbleFn fn;
    int sx, sy, tx, ty;
    const char* why;
  } cases[] = {
      {TkelPaintFX::Marble, 5, 5, 2, 2, "|5 - 1.6023 - 1.1969| = 2.20"},
      {TkelPaintFX::Marble2, 5, 2, 3, 4, "y |2 + 1.0806 + 1.1969| = 4.28, x |5 - 1.0806 - 1.1969| = 2.72"},
      {TkelPaintFX::Marble3, 1, 1, 4, 2, "y |1 - 1.7552 - 0.9589| = 1.71, x |1 + 1.7552 + 0.9589| = 3.71"},
      {TkelPaintFX::Marble4, 1, 1, 0, 0, "|1 + 0.9589 - 1.7552| = 0.20"},
      {TkelPaintFX::Marble5, 0, 0, 2, 2, "r = 0: |0 + 2 - 0| = 2, visited last"},
      {TkelPaintFX::Marble6, 5, 5, 4, 4, "|5 - 1.6023 + 0.3735| = 3.77"},
      {TkelPaintFX::Marble7, 1, 1, 2, 2, "|1 + 0.9589 - 0.1366| = 1.82"},
      {TkelPaintFX::Marble8, 1, 1, 0, 0, "|1 + 0.9589 cos 0.75 - 2 sin 1 cos 0.5| = |1 + 0.7016 - 1.4769| = 0.22"},
  };
  const TBitmap src = testing::Noise(6, 6);
  for (const Case& c : cases) {
    TBitmap dst(6, 6);
    c.fn(src, dst, 6, 2.0);
    EXPECT_EQ(At(dst, c.tx, c.ty), At(src, c.sx, c.sy)) << c.why;
  }
}

TEST(PaintMarble, ScaleOneMovesEveryPixelAlike) {
  // y mod 1 = 0: every r is 0, so sine and tangent terms vanish and
  // Marble is a shift by (t, t): a translation, every landing its own.
  const TBitmap src = testing::Noise(6, 5);
  TBitmap dst(6, 5);
  TkelPaintFX::Marble(src, dst, 1, 2.0);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x)
      EXPECT_EQ(At(dst, x, y), x >= 2 && y >= 2 ? At(src, x - 2, y - 2) : At(src, x, y)) << x << "," << y;
}

TEST(PaintMarble, NoScaleOrNoTurbulenceLeavesACopy) {
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  struct Case {
    int scale;
    double turbulence;
  } cases[] = {{0, 2.0},  {-5, 2.0}, {INT_MIN, 1.0}, {3, 0.0},   {3, -0.0},
               {3, nan},  {3, inf},  {3, -inf},      {3, 1e300},  // beyond single precision: infinite
               {3, 1e-50}};                                       // 0 in single precision
  const TBitmap src = testing::Noise(7, 6);
  for (const auto& [name, fn] : kFamily)
    for (const Case& c : cases) {
      TBitmap dst = testing::Noise(5, 4, 3);  // another size and content: the copy replaces it
      fn(src, dst, c.scale, c.turbulence);
      EXPECT_TRUE(SameImage(dst, src)) << name << " " << c.scale << " " << c.turbulence;
    }
}

TEST(PaintMarble, SourceMayBeTheTarget) {
  const TBitmap src = testing::Noise(9, 8);
  for (const auto& [name, fn] : kFamily) {
    TBitmap separate(9, 8), inPlace = src;
    fn(src, separate, 3, 1.5);
    fn(inPlace, inPlace, 3, 1.5);
    EXPECT_TRUE(SameImage(inPlace, separate)) << name;
    EXPECT_FALSE(SameImage(separate, src)) << name;
  }
}

}  // namespace
}  // namespace kroma
