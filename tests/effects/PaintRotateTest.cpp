#include <gtest/gtest.h>

#include <climits>

#include "TestImages.h"
#include "effects/FilterSupport.h"
#include "effects/FilterThreads.h"
#include "effects/PaintFX.h"

namespace kroma {
namespace {

using testing::At;
using testing::Bgr;

TEST(PaintSmoothRotate, NoTurnReproducesTheSourceAboutAnyCentre) {
  const TBitmap src = testing::Noise(7, 5);
  struct Case {
    int cx, cy;
    double angle;
  } cases[] = {{0, 0, 0.0},   {3, 2, 0.0},    {-50, 80, -0.0}, {INT_MAX, INT_MIN, 0.0},
               {3, 2, 360.0}, {1, 4, -360.0},  // a full turn is not exact in double, but rounds back
               {6, 0, 720.0}};
  for (const Case& c : cases) {
    TBitmap dst = testing::Noise(7, 5, 9);
    TkelPaintFX::SmoothRotate(src, dst, c.cx, c.cy, c.angle);
    EXPECT_TRUE(SameImage(dst, src)) << c.cx << "," << c.cy << " " << c.angle;
  }
}

TEST(PaintSmoothRotate, QuarterTurnsAreExact) {
  // A 6 x 6 square about its centre (3, 3): 90 degrees turns it clockwise
  // on the screen, -90 the other way; every pixel stays on the picture.
  const TBitmap src = testing::Noise(6, 6);
  TBitmap cw(6, 6), ccw(6, 6);
  TkelPaintFX::SmoothRotate(src, cw, 3, 3, 90.0);
  TkelPaintFX::SmoothRotate(src, ccw, 3, 3, -90.0);
  for (int j = 0; j < 6; ++j)
    for (int i = 0; i < 6; ++i) {
      EXPECT_EQ(At(cw, i, j), At(src, j, 5 - i)) << i << "," << j;
      EXPECT_EQ(At(ccw, i, j), At(src, 5 - j, i)) << i << "," << j;
    }
}

TEST(PaintSmoothRotate, PixelsThatMapOffTheSourceKeepTheirContent) {
  const Bgr marker{1, 2, 3};
  // 8 x 4 turned 90 degrees about (4, 2): target (i, j) reads source
  // (j + 2, 5 - i), which exists only for columns 2 to 5.
  {
    const TBitmap src = testing::Noise(8, 4);
    TBitmap dst(8, 4);
    dst.Fill(RGB(3, 2, 1));
    TkelPaintFX::SmoothRotate(src, dst, 4, 2, 90.0);
    for (int j = 0; j < 4; ++j)
      for (int i = 0; i < 8; ++i)
        EXPECT_EQ(At(dst, i, j), i >= 2 && i <= 5 ? At(src, j + 2, 5 - i) : marker) << i << "," << j;
  }
  // 45 degrees of an 8 x 8 square about its centre: the corners fall off.
  {
    const TBitmap src = testing::Noise(8, 8);
    TBitmap dst(8, 8);
    dst.Fill(RGB(3, 2, 1));
    TkelPaintFX::SmoothRotate(src, dst, 4, 4, 45.0);
    for (auto [x, y] : {std::pair{0, 0}, {7, 0}, {0, 7}, {7, 7}}) EXPECT_EQ(At(dst, x, y), marker) << x << "," << y;
    EXPECT_NE(At(dst, 4, 4), marker);
  }
}

TEST(PaintSmoothRotate, SamplesStayBetweenTheirNeighbours) {
  // A step from 100 to 150 along x and along y: bilinear samples are means
  // of their neighbours, so nothing leaves 100 .. 150 (interpolating from
  // the nearest pixel toward its right neighbour would overshoot there).
  TBitmap src(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const int v = (x < 8) == (y < 8) ? 100 : 150;
      testing::Put(src, x, y, {v, v, v});
    }
  for (double angle : {1.0, 3.0, -7.0, 10.0, 33.3}) {
    TBitmap dst(16, 16);
    dst.Fill(RGB(125, 125, 125));
    TkelPaintFX::SmoothRotate(src, dst, 8, 8, angle);
    bool between = false;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const int v = At(dst, x, y)[0];
        EXPECT_TRUE(v >= 100 && v <= 150) << angle << ": " << x << "," << y << " = " << v;
        between = between || (v > 100 && v < 150 && v != 125);
      }
    EXPECT_TRUE(between) << angle;  // the samples do interpolate
  }
}

TEST(PaintSmoothRotate, SourceMayBeTheTarget) {
  const TBitmap src = testing::Noise(9, 7);
  TBitmap separate = src, inPlace = src;
  TkelPaintFX::SmoothRotate(src, separate, 4, 3, 27.0);
  TkelPaintFX::SmoothRotate(inPlace, inPlace, 4, 3, 27.0);
  EXPECT_TRUE(SameImage(inPlace, separate));
}

TEST(PaintSmoothRotate, ThreadCountDoesNotChangeTheResult) {
  testing::TThreadCountScope restoreThreads;
  const TBitmap src = testing::Noise(160, 400);
  TBitmap result[2] = {testing::Noise(160, 400, 5), testing::Noise(160, 400, 5)};
  const int counts[2] = {1, 3};
  for (int k = 0; k < 2; ++k) {
    SetFilterThreadCount(counts[k]);
    // The picture is large enough to be split into as many bands.
    ASSERT_EQ(detail::PlanRowBands(400, 160 * 16, result[k].RowsPerBand()).size(), static_cast<std::size_t>(counts[k]));
    TkelPaintFX::SmoothRotate(src, result[k], 70, 210, 33.3);
  }
  EXPECT_TRUE(SameImage(result[0], result[1]));
  EXPECT_FALSE(SameImage(result[0], src));
}

}  // namespace
}  // namespace kroma
