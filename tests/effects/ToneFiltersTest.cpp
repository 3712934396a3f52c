#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>

#include "TestImages.h"
#include "core/Error.h"
#include "effects/ToneFilters.h"

namespace kroma {
namespace {

using testing::At;
using testing::Bgr;

TBitmap OnePixel(Bgr v) {
  TBitmap b(1, 1);
  testing::Put(b, 0, 0, v);
  return b;
}

TEST(FxInvert, InvertsEveryByteAndTwiceRestores) {
  TBitmap b = testing::Noise(7, 3);
  const TBitmap original = b;
  FxInvert(b);
  EXPECT_EQ(At(b, 4, 2)[1], 255 - At(original, 4, 2)[1]);
  FxInvert(b);
  EXPECT_TRUE(SameImage(b, original));
}

TEST(FxGrayScale, BlueWeighsMostAndHalvesRoundToEven) {
  struct Case {
    Bgr in;
    int out;
  } cases[] = {
      {{200, 0, 0}, 60},  {{0, 0, 200}, 22},    {{0, 200, 0}, 118},   {{255, 255, 255}, 255},
      {{5, 0, 0}, 2},     // 1.5 -> 2
      {{15, 0, 0}, 4},    // 4.5 -> 4
      {{0, 150, 0}, 88},  // 88.5 -> 88
      {{0, 50, 0}, 30},   // 29.5 -> 30
  };
  for (const Case& c : cases) {
    TBitmap b = OnePixel(c.in);
    FxGrayScale(b);
    EXPECT_EQ(At(b, 0, 0), (Bgr{c.out, c.out, c.out})) << c.in[0] << "," << c.in[1] << "," << c.in[2];
  }
}

TEST(ToneCurves, ChannelValuesTruncateAndClamp) {
  using Curve = std::function<void(TBitmap&, int)>;
  struct Case {
    const char* name;
    Curve curve;
    int amount;
    int in, out;
  } cases[] = {
      {"lighter", FxLighter, 255, 0, 255},        {"lighter", FxLighter, 255, 200, 255},
      {"lighter", FxLighter, 0, 77, 77},          {"lighter", FxLighter, 100, 100, 160},  // 100 + 60.78
      {"lighter", FxLighter, -255, 100, 0},       {"lighter", FxLighter, INT_MAX, 1, 255},
      {"lighter", FxLighter, INT_MIN, 254, 0},    {"darker", FxDarker, 255, 255, 0},
      {"darker", FxDarker, 255, 1, 0},            {"darker", FxDarker, 0, 77, 77},
      {"darker", FxDarker, 100, 200, 122},        // 200 - 78.4
      {"darker", FxDarker, -255, 200, 255},       {"darker", FxDarker, INT_MIN, 3, 255},
      {"contrast", FxContrast, 255, 200, 255},    // 200 + 73
      {"contrast", FxContrast, 255, 50, 0},       // 50 - 77
      {"contrast", FxContrast, 100, 128, 128},    {"contrast", FxContrast, 100, 127, 127},
      {"contrast", FxContrast, -255, 200, 127},   {"contrast", FxContrast, -255, 50, 127},
      {"contrast", FxContrast, 100, 0, 0},        // 0 - 49
  };
  for (const Case& c : cases) {
    TBitmap b = OnePixel({c.in, c.in, c.in});
    c.curve(b, c.amount);
    EXPECT_EQ(At(b, 0, 0)[2], c.out) << c.name << " amount " << c.amount << " on " << c.in;
  }
}

TEST(FxSaturation, MovesAroundTheIntegerMean) {
  struct Case {
    int amount;
    Bgr in, out;
  } cases[] = {
      {0, {30, 60, 90}, {60, 60, 60}},
      {255, {30, 60, 90}, {30, 60, 90}},
      {510, {30, 60, 90}, {0, 60, 120}},
      {100, {30, 60, 91}, {49, 60, 72}},  // mean 60; -11.76 truncates to -11
      {INT_MAX, {0, 0, 255}, {0, 0, 255}},
  };
  for (const Case& c : cases) {
    TBitmap b = OnePixel(c.in);
    FxSaturation(b, c.amount);
    EXPECT_EQ(At(b, 0, 0), c.out) << "amount " << c.amount;
  }
}

TEST(FxSolarize, InvertsPixelsAboveTheThreshold) {
  TBitmap src(3, 1);
  testing::Put(src, 0, 0, {10, 20, 30});    // mean 20
  testing::Put(src, 1, 0, {21, 20, 20});    // mean 20 (61 / 3)
  testing::Put(src, 2, 0, {255, 255, 0});   // mean 170
  struct Case {
    int threshold;
    bool inverted[3];
  } cases[] = {{255, {false, false, false}}, {-1, {true, true, true}}, {20, {false, false, true}},
               {19, {true, true, true}}};
  for (const Case& c : cases) {
    TBitmap dst(3, 1);
    FxSolarize(src, dst, c.threshold);
    for (int x = 0; x < 3; ++x) {
      Bgr s = At(src, x, 0);
      Bgr expected = c.inverted[x] ? Bgr{255 - s[0], 255 - s[1], 255 - s[2]} : s;
      EXPECT_EQ(At(dst, x, 0), expected) << "threshold " << c.threshold << " x " << x;
    }
  }
}

TEST(FxPosterize, RoundsHalvesToEvenAndClampsAboveByte) {
  struct Case {
    int step, in, out;
  } cases[] = {
      {64, 31, 0},   {64, 32, 0},     // 0.5 -> 0
      {64, 96, 128},                  // 1.5 -> 2
      {64, 160, 128},                 // 2.5 -> 2
      {64, 255, 255},                 // 4 * 64 = 256 clamps, never wraps to 0
      {100, 255, 255}, {100, 250, 200}, {1, 173, 173},
      {-64, 96, 128},  {INT_MIN, 255, 0}, {INT_MAX, 200, 0},
  };
  for (const Case& c : cases) {
    TBitmap src = OnePixel({c.in, c.in, c.in});
    TBitmap dst(1, 1);
    FxPosterize(src, dst, c.step);
    EXPECT_EQ(At(dst, 0, 0)[1], c.out) << "step " << c.step << " on " << c.in;
  }
}

TEST(SourceToDestination, BadArgumentsThrowAndChangeNothing) {
  const TBitmap src = testing::Noise(4, 4);
  TBitmap dst = testing::Noise(4, 4, 9);
  const TBitmap before = dst;
  EXPECT_THROW(FxPosterize(src, dst, 0), Error);
  TBitmap small = testing::Noise(3, 4, 5);
  const TBitmap smallBefore = small;
  EXPECT_THROW(FxPosterize(src, small, 8), Error);
  EXPECT_THROW(FxSolarize(src, small, 8), Error);
  EXPECT_TRUE(SameImage(dst, before));
  EXPECT_TRUE(SameImage(small, smallBefore));
}

TEST(SourceToDestination, SameBitmapAsBoth) {
  TBitmap a = testing::Noise(5, 3);
  TBitmap expected(5, 3);
  FxPosterize(a, expected, 40);
  FxPosterize(a, a, 40);
  EXPECT_TRUE(SameImage(a, expected));
}

}  // namespace
}  // namespace kroma
