#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <limits>

#include "TestImages.h"
#include "core/Error.h"
#include "core/Random.h"
#include "effects/PaintFX.h"
#include "effects/SmoothFilters.h"
#include "effects/ToneFilters.h"

namespace kroma {
namespace {

using testing::At;
using testing::Bgr;
using FX = TkelPaintFX;

TEST(PaintNoise, AmountsUpToOneChangeNothing) {
  for (int amount : {1, 0, -1, -40, INT_MIN}) {
    TBitmap color = testing::Noise(6, 4), mono = color;
    const TBitmap original = color;
    FX::AddColorNoise(color, amount);
    FX::AddMonoNoise(mono, amount);
    EXPECT_TRUE(SameImage(color, original)) << amount;
    EXPECT_TRUE(SameImage(mono, original)) << amount;
  }
}

// Colour noise draws once per byte in pixel order (blue, green, red); mono
// noise draws once per pixel and moves all three bytes by the same offset.
TEST(PaintNoise, DrawsPerByteOrPerPixelAroundHalfTheAmount) {
  const int amount = 41;  // offsets -20 .. 20
  TBitmap b = testing::Noise(5, 3);
  b.ScanLine(0)[0] = 0;  // low and high bytes show the clamp
  b.ScanLine(0)[1] = 255;
  const TBitmap original = b;

  RandSeed = 1234;
  FX::AddColorNoise(b, amount);
  RandSeed = 1234;
  for (int y = 0; y < 3; ++y)
    for (int i = 0; i < 15; ++i) {
      const int expected = std::clamp(original.ScanLine(y)[i] + Random(amount) - 20, 0, 255);
      ASSERT_EQ(b.ScanLine(y)[i], expected) << "row " << y << " byte " << i;
    }

  TBitmap mono = original;
  RandSeed = 99;
  FX::AddMonoNoise(mono, amount);
  RandSeed = 99;
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) {
      const int n = Random(amount) - 20;
      for (int c = 0; c < 3; ++c)
        ASSERT_EQ(At(mono, x, y)[c], std::clamp(At(original, x, y)[c] + n, 0, 255)) << x << "," << y;
    }
}

// The routines that are plain filters must be exactly those filters.
TEST(PaintTone, RoutinesMatchTheirPlainFilters) {
  using Step = std::function<void(TBitmap&)>;
  struct Case {
    const char* name;
    Step paint, plain;
  } cases[] = {
      {"AntiAlias", FX::AntiAlias, FxAntiAlias},
      {"AntiAliasRect", [](TBitmap& b) { FX::AntiAliasRect(b, 9, 7, 2, 1); },
       [](TBitmap& b) { FxAntiAliasRect(b, 9, 7, 2, 1); }},
      {"Contrast", [](TBitmap& b) { FX::Contrast(b, 60); }, [](TBitmap& b) { FxContrast(b, 60); }},
      {"Lightness", [](TBitmap& b) { FX::Lightness(b, 60); }, [](TBitmap& b) { FxLighter(b, 60); }},
      {"Lightness < 0", [](TBitmap& b) { FX::Lightness(b, -60); }, [](TBitmap& b) { FxLighter(b, -60); }},
      {"Darkness", [](TBitmap& b) { FX::Darkness(b, 60); }, [](TBitmap& b) { FxDarker(b, 60); }},
      {"Saturation", [](TBitmap& b) { FX::Saturation(b, 60); }, [](TBitmap& b) { FxSaturation(b, 60); }},
      {"GaussianBlur", [](TBitmap& b) { FX::GaussianBlur(b, 2); }, [](TBitmap& b) { FxBlur(b, 2); }},
      {"SplitBlur", [](TBitmap& b) { FX::SplitBlur(b, 2); }, [](TBitmap& b) { FxSplitBlur(b, 2); }},
      {"Emboss", FX::Emboss, FxEmboss},
      {"Solarize", [](TBitmap& b) { FX::Solarize(TBitmap(b), b, 90); },
       [](TBitmap& b) { FxSolarize(TBitmap(b), b, 90); }},
      {"Posterize", [](TBitmap& b) { FX::Posterize(TBitmap(b), b, 40); },
       [](TBitmap& b) { FxPosterize(TBitmap(b), b, 40); }},
  };
  for (const Case& c : cases) {
    TBitmap paint = testing::Noise(12, 9, 5), plain = paint;
    const TBitmap original = paint;
    c.paint(paint);
    c.plain(plain);
    EXPECT_TRUE(SameImage(paint, plain)) << c.name;
    EXPECT_FALSE(SameImage(paint, original)) << c.name << " changed nothing";
  }
}

TBitmap Uniform(int w, int h, int v) {
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) testing::Put(b, x, y, {v, v, v});
  return b;
}

TEST(PaintBlend, MixesPerChannelRoundingHalvesToEvenAndClamping) {
  struct Case {
    int a, b;
    double f;
    int out;
  } cases[] = {
      {10, 200, 0.0, 10}, {10, 200, 1.0, 200}, {1, 2, 0.5, 2},     // 1.5 -> 2
      {0, 1, 0.5, 0},                                              // 0.5 -> 0
      {2, 3, 0.5, 2},                                              // 2.5 -> 2
      {100, 200, 0.25, 125}, {100, 200, 2.0, 255},                 // 300
      {100, 200, -1.0, 0},                                         // 2 * 100 - 200 = 0
      {200, 100, -1.0, 255},                                       // 300
      {200, 100, 1e300, 0}, {0, 255, -1e300, 0},
  };
  for (const Case& c : cases) {
    TBitmap target(1, 1);
    FX::Blend(Uniform(3, 2, c.a), Uniform(3, 2, c.b), c.f, target);
    ASSERT_EQ(target.Width(), 3);
    ASSERT_EQ(target.Height(), 2);
    EXPECT_EQ(At(target, 2, 1), (Bgr{c.out, c.out, c.out})) << c.a << " " << c.b << " f " << c.f;
  }
}

TEST(PaintBlend, TargetMayBeOneOfTheInputs) {
  const TBitmap a = testing::Noise(5, 4, 1), b = testing::Noise(5, 4, 2);
  TBitmap expected;
  FX::Blend(a, b, 0.3, expected);
  TBitmap inPlace = a;
  FX::Blend(inPlace, b, 0.3, inPlace);
  EXPECT_TRUE(SameImage(inPlace, expected));
  inPlace = b;
  FX::Blend(a, inPlace, 0.3, inPlace);
  EXPECT_TRUE(SameImage(inPlace, expected));
}

TEST(PaintBlend, OtherSizeOrNonFiniteFactorIsAnErrorThatChangesNothing) {
  const TBitmap a = testing::Noise(5, 4, 1);
  TBitmap target = testing::Noise(2, 2, 3);
  const TBitmap before = target;
  EXPECT_THROW(FX::Blend(a, testing::Noise(4, 5), 0.5, target), Error);
  for (double f : {std::nan(""), std::numeric_limits<double>::infinity()})
    EXPECT_THROW(FX::Blend(a, testing::Noise(5, 4), f, target), Error);
  EXPECT_TRUE(SameImage(target, before));
}

}  // namespace
}  // namespace kroma
