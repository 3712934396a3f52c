#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <vector>

#include "TestImages.h"
#include "effects/FilterThreads.h"
#include "effects/PaintFX.h"

namespace kroma {
namespace {

using testing::At;
using testing::Bgr;

TBitmap UniformBlue(int width, int height, int blue) {
  TBitmap map = testing::Noise(width, height, 11);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) map.ScanLine(y)[x * 3] = static_cast<std::uint8_t>(blue);
  return map;
}

TEST(PaintPlasma, UniformMapShiftsThePictureByOneOffset) {
  // a = 10, b = 5, blue 255: 255 / 10 = 25.5 rad = 8 pi + 0.3673, so
  // dx = Round(-5 sin) = Round(-1.795) = -2, dy = Round(5 cos) = Round(4.667) = 5.
  const TBitmap src = testing::Noise(12, 10);
  const TBitmap initial = testing::Noise(12, 10, 2);
  TBitmap dst = initial;
  TkelPaintFX::Plasma(src, UniformBlue(12, 10, 255), 10.0, 5.0, dst);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool inside = x - 2 >= 0 && y + 5 < 10;
      EXPECT_EQ(At(dst, x, y), inside ? At(src, x - 2, y + 5) : At(initial, x, y)) << x << "," << y;
    }
}

TEST(PaintPlasma, TurbulenceAndAmountHaveFloors) {
  // a = max(a, 10) and b = max(b, 5); numbers that are none count as below.
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  const TBitmap src = testing::Noise(16, 12), map = testing::Noise(16, 12, 5);
  const TBitmap initial = testing::Noise(16, 12, 2);
  TBitmap floor = initial;
  TkelPaintFX::Plasma(src, map, 10.0, 5.0, floor);
  struct Case {
    double a, b;
  } same[] = {{1.0, 1.0}, {-1e300, 0.0}, {nan, nan}, {9.99, -inf}, {-inf, 4.0}};
  for (const Case& c : same) {
    TBitmap dst = initial;
    TkelPaintFX::Plasma(src, map, c.a, c.b, dst);
    EXPECT_TRUE(SameImage(dst, floor)) << c.a << " " << c.b;
  }
  TBitmap above = initial;
  TkelPaintFX::Plasma(src, map, 10.5, 5.0, above);
  EXPECT_FALSE(SameImage(above, floor));
  // An infinite amount, or an offset beyond the picture, reaches no pixel.
  for (const Case& c : {Case{10.0, inf}, Case{10.0, 1e300}, Case{inf, 40.0}}) {
    TBitmap dst = initial;
    TkelPaintFX::Plasma(src, map, c.a, c.b, dst);
    EXPECT_TRUE(SameImage(dst, initial)) << c.a << " " << c.b;
  }
}

TEST(PaintPlasma, CopiesOfTheTargetThreadsAndSizes) {
  testing::TThreadCountScope restoreThreads;
  const TBitmap src = testing::Noise(300, 260);
  const TBitmap map = testing::Noise(300, 260, 3);
  TBitmap reference = testing::Noise(300, 260, 4);
  SetFilterThreadCount(1);
  TkelPaintFX::Plasma(src, map, 12.0, 9.0, reference);
  SetFilterThreadCount(3);
  TBitmap threaded = testing::Noise(300, 260, 4);
  TkelPaintFX::Plasma(src, map, 12.0, 9.0, threaded);
  EXPECT_TRUE(SameImage(threaded, reference));
  // The dialog's way: the source and the map are the target itself.
  TBitmap self = src;
  TkelPaintFX::Plasma(self, self, 12.0, 9.0, self);
  TBitmap separate = src;
  TkelPaintFX::Plasma(src, src, 12.0, 9.0, separate);
  EXPECT_TRUE(SameImage(self, separate));
  EXPECT_FALSE(SameImage(self, src));
  // A map or a target of another size: nothing happens.
  TBitmap dst = testing::Noise(300, 260, 4);
  const TBitmap before = dst;
  TkelPaintFX::Plasma(src, testing::Noise(300, 259), 12.0, 9.0, dst);
  EXPECT_TRUE(SameImage(dst, before));
  TBitmap small = testing::Noise(30, 26);
  const TBitmap smallBefore = small;
  TkelPaintFX::Plasma(src, map, 12.0, 9.0, small);
  EXPECT_TRUE(SameImage(small, smallBefore));
}

TEST(PaintHeightMap, BrightPixelsRiseByHand) {
  // Amount 2: a pixel rises Round((B + G + R) / 3 / 255 * 2) rows: grey 10,
  // 20, 30 stay, 128 rises 1 (1.004), 255 rises 2; blue 255 alone (sum 255)
  // rises Round(0.667) = 1. Rows top down: the lower source wins.
  const std::vector<std::vector<Bgr>> columns = {
      {{10, 10, 10}, {20, 20, 20}, {255, 255, 255}, {128, 128, 128}, {30, 30, 30}},
      {{10, 10, 10}, {20, 20, 20}, {30, 30, 30}, {128, 128, 128}, {255, 255, 255}},
      {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {255, 0, 0}},
  };
  const std::vector<std::vector<Bgr>> expected = {
      {{255, 255, 255}, {20, 20, 20}, {128, 128, 128}, {128, 128, 128}, {30, 30, 30}},
      {{10, 10, 10}, {20, 20, 20}, {255, 255, 255}, {128, 128, 128}, {255, 255, 255}},
      {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {255, 0, 0}, {255, 0, 0}},
  };
  TBitmap b(3, 5);
  for (int x = 0; x < 3; ++x)
    for (int y = 0; y < 5; ++y)
      testing::Put(b, x, y, columns[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)]);
  TkelPaintFX::HeightMap(b, 2);
  for (int x = 0; x < 3; ++x)
    for (int y = 0; y < 5; ++y)
      EXPECT_EQ(At(b, x, y), expected[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)]) << x << "," << y;
}

TEST(PaintHeightMap, NoNegativeAndHugeAmountsChangeNothing) {
  // 0 and negative amounts move nothing; INT_MAX lifts every pixel that is
  // not black far above the picture (black pixels stay where they are).
  for (int amount : {0, -1, INT_MIN, INT_MAX}) {
    TBitmap b = testing::Noise(6, 9);
    const TBitmap before = b;
    TkelPaintFX::HeightMap(b, amount);
    EXPECT_TRUE(SameImage(b, before)) << amount;
  }
}

}  // namespace
}  // namespace kroma
