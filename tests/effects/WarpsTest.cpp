#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <numbers>

#include "TestImages.h"
#include "core/Error.h"
#include "effects/FilterThreads.h"
#include "effects/Warps.h"

namespace kroma {
namespace {

using testing::At;
using testing::Bgr;

TEST(FxPolarAngle, Quadrants) {
  constexpr float pi = std::numbers::pi_v<float>;
  struct Case {
    float dx, dy, angle;
  } cases[] = {{1, 0, 0},       {0, 1, pi / 2},  {0, -1, -pi / 2},           {0, 0, -pi / 2},
               {-1, 0, pi},     {1, 1, pi / 4},  {-1, -1, pi / 4 + pi},    {-1, 1, pi - pi / 4}};
  for (const Case& c : cases) EXPECT_NEAR(FxPolarAngle(c.dx, c.dy), c.angle, 1e-6f) << c.dx << "," << c.dy;
}

TEST(FxSampleBilinear, WeightsAndWrapAlongARow) {
  const TBitmap row = testing::GreyRow({0, 1, 4, 120});
  struct Case {
    float fx;
    int value;
  } cases[] = {
      {1.0f, 1},     {1.25f, 2},  // 1.75
      {0.5f, 0},     {1.5f, 2},   // halves to even: 0.5, 2.5
      {3.5f, 60},                 // right of the last column is column 0
      {4.0f, 0},     {6.0f, 4},   // past the end wraps by mod
      {-1.0f, 120},               // left of 0 wraps to the end
      {-0.5f, 0},                 // Trunc gives 0: weights 0.5 on columns 0 and 1
      {1e30f, 0},    {-std::numeric_limits<float>::infinity(), 0},
      {std::numeric_limits<float>::quiet_NaN(), 0},  // weights that are no numbers: every sum is NaN, byte 0
  };
  for (const Case& c : cases) {
    std::uint8_t bgr[3];
    FxSampleBilinear(row, c.fx, 0.0f, bgr);
    EXPECT_EQ(bgr[0], c.value) << c.fx;
  }
  std::uint8_t bgr[3];
  EXPECT_THROW(FxSampleBilinear(TBitmap(), 0, 0, bgr), Error);
}

TEST(FxFishEye, CentreStaysAndOrdinaryFactorsWork) {
  // In single precision m = 0.55 * 100 is exactly 55, and pixel (17, 6)
  // lies exactly 55 from the centre (50, 50): on the lens edge. Its
  // position is limited, so the factor still works.
  const TBitmap src = testing::Noise(100, 100);
  TBitmap dst(100, 100);
  FxFishEye(src, dst, 0.55);
  EXPECT_EQ(At(dst, 50, 50), At(src, 50, 50));
  EXPECT_FALSE(SameImage(dst, src));
  // Same bitmap as source and destination.
  TBitmap inPlace = src;
  FxFishEye(inPlace, inPlace, 0.55);
  EXPECT_TRUE(SameImage(inPlace, dst));
}

TEST(FxFishEye, FactorsWithoutALensThrowAndChangeNothing) {
  const TBitmap src = testing::Noise(4, 4);
  // 1e-300 is 0 in single precision; 1e300 has no single-precision value.
  for (double factor : {0.0, 1e-300, 1e300, std::nan(""), std::numeric_limits<double>::infinity()}) {
    TBitmap dst = testing::Noise(4, 4, 3);
    const TBitmap before = dst;
    EXPECT_THROW(FxFishEye(src, dst, factor), Error) << factor;
    EXPECT_TRUE(SameImage(dst, before)) << factor;
  }
  // 0.5 * width 4 = 2 = the distance of pixel (0, 2) from the centre (2, 2):
  // on the lens edge. There and near it positions are huge but finite:
  // sampled, not thrown.
  TBitmap dst(4, 4);
  for (double factor : {0.5, 0.5000001, 0.4999999, -0.3}) EXPECT_NO_THROW(FxFishEye(src, dst, factor)) << factor;
}

TEST(FxTwist, LargeAmountTurnsAQuarterAboutTheCentre) {
  const TBitmap src = testing::Noise(5, 5);
  TBitmap dst(5, 5);
  FxTwist(src, dst, INT_MAX);
  // (x, y) samples (cx - dy, cy + dx) about the centre (2, 2). Sources in
  // row or column 0 are left out: there a position a hair below zero takes
  // its weights from the negative-position rule.
  for (int y = 0; y < 4; ++y)
    for (int x = 1; x < 5; ++x) EXPECT_EQ(At(dst, x, y), At(src, 2 - (y - 2), 2 + (x - 2))) << x << "," << y;
  TBitmap before = dst;
  EXPECT_THROW(FxTwist(src, dst, 0), Error);
  EXPECT_TRUE(SameImage(dst, before));
}

TEST(Warps, ThreadCountDoesNotChangeTheResult) {
  testing::TThreadCountScope restoreThreads;
  const TBitmap src = testing::Noise(160, 120);
  TBitmap twist[2] = {TBitmap(160, 120), TBitmap(160, 120)};
  TBitmap fish[2] = {TBitmap(150, 130), TBitmap(150, 130)};  // another size than the source
  for (int i = 0; i < 2; ++i) {
    SetFilterThreadCount(i + 1);
    FxTwist(src, twist[i], 40);
    FxFishEye(src, fish[i], 0.8);
  }
  EXPECT_TRUE(SameImage(twist[0], twist[1]));
  EXPECT_TRUE(SameImage(fish[0], fish[1]));
}

}  // namespace
}  // namespace kroma
