#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "TestImages.h"
#include "effects/PaintFX.h"

namespace kroma {
namespace {

using testing::At;
using testing::Bgr;
using testing::Put;

TEST(PaintSplitLight, TableIsAQuarterSineRoundedToEven) {
  const std::uint8_t* t = SplitLightTable();
  // 255 sin(i / 255 pi / 2): 1.571, 3.142, 4.712, 180.87, 254.995.
  const int expected[][2] = {{0, 0}, {1, 2}, {2, 3}, {3, 5}, {128, 181}, {254, 255}, {255, 255}};
  for (const auto& e : expected) EXPECT_EQ(t[e[0]], e[1]) << e[0];
  for (int i = 1; i < 256; ++i) ASSERT_GE(t[i], t[i - 1]) << i;
}

TEST(PaintSplitLight, MapsEveryByteThroughTheTableTimesOver) {
  const std::uint8_t* t = SplitLightTable();
  const TBitmap original = testing::Noise(6, 3);
  TBitmap twice = original;
  SplitLight(twice, 2);
  for (int y = 0; y < 3; ++y)
    for (int i = 0; i < 18; ++i) ASSERT_EQ(twice.ScanLine(y)[i], t[t[original.ScanLine(y)[i]]]);

  for (int times : {0, -1, INT_MIN}) {
    TBitmap b = original;
    SplitLight(b, times);
    EXPECT_TRUE(SameImage(b, original)) << times;
  }
  // The repeated map settles: a huge count is the same as enough rounds.
  TBitmap many = original, huge = original;
  for (int i = 0; i < 300; ++i) SplitLight(many, 1);
  SplitLight(huge, INT_MAX);
  EXPECT_TRUE(SameImage(huge, many));
}

TBitmap Ramp(int w, int h) {
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) Put(b, x, y, {10 * y + x, 0, 0});
  return b;
}

// Channel 0 of row y, with -1 for white.
std::vector<int> Row(const TBitmap& b, int y) {
  std::vector<int> out;
  for (int x = 0; x < b.Width(); ++x) out.push_back(At(b, x, y) == Bgr{255, 255, 255} ? -1 : At(b, x, y)[0]);
  return out;
}

TEST(PaintShearRows, RowsSlideAndShrinkToFit) {
  // 4 x 4, amount 100: column Round(4 / 8 (y + x)); later pixels cover
  // earlier ones, halves round to even, and white shows where none lands.
  TBitmap b = Ramp(4, 4);
  ShearRows(b, 100);
  EXPECT_EQ(Row(b, 0), (std::vector<int>{1, 2, 3, -1}));
  EXPECT_EQ(Row(b, 1), (std::vector<int>{10, 11, 13, -1}));
  EXPECT_EQ(Row(b, 3), (std::vector<int>{-1, -1, 32, 33}));

  TBitmap same = Ramp(5, 3);
  ShearRows(same, 0);
  EXPECT_TRUE(SameImage(same, Ramp(5, 3)));
}

TEST(PaintShearRows, PixelsOffTheRowAreDroppedAndNoRoomChangesNothing) {
  // A tall column: the last row's pixel rounds to column 1 and is dropped.
  TBitmap tall = Ramp(1, 10);
  ShearRows(tall, 100);
  EXPECT_EQ(Row(tall, 0), (std::vector<int>{0}));
  EXPECT_EQ(Row(tall, 9), (std::vector<int>{-1}));

  // 4 x 2 at -100: scale 2, row 1 shifts by -1: columns -2, 0, 2, 4.
  TBitmap left = Ramp(4, 2);
  ShearRows(left, -100);
  EXPECT_EQ(Row(left, 1), (std::vector<int>{11, -1, 12, -1}));

  for (int amount : {-100, -300, INT_MIN}) {  // s H + W <= 0 on 2 x 2
    TBitmap b = Ramp(2, 2);
    ShearRows(b, amount);
    EXPECT_TRUE(SameImage(b, Ramp(2, 2))) << amount;
  }
}

}  // namespace
}  // namespace kroma
