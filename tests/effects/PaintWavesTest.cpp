#include <gtest/gtest.h>

#include <array>
#include <climits>

#include "TestImages.h"
#include "effects/PaintFX.h"

namespace kroma {
namespace {

using testing::At;

// Every pixel tells where it came from: blue = row, green = column.
TBitmap Numbered(int width, int height) {
  TBitmap b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) testing::Put(b, x, y, {y, x, 200});
  return b;
}

TEST(PaintWave, TooLowImagesBadAmountsAndModesChangeNothing) {
  struct Case {
    int height, amount, mode;
  } cases[] = {
      // lower than 3 * amount + 1 rows
      {3, 1, 0},
      {6, 2, 1},
      {15, 5, 2},
      // amounts below 1, and one whose 3 * amount + 1 rows no image has
      {40, 0, 0},
      {40, -3, 1},
      {40, INT_MIN, 2},
      {40, INT_MAX, 0},
      // no such mode
      {40, 2, 3},
      {40, 2, -1},
  };
  for (const Case& c : cases) {
    TBitmap b = testing::Noise(5, c.height);
    const TBitmap before = b;
    TkelPaintFX::Wave(b, c.amount, c.mode, 3);
    EXPECT_TRUE(SameImage(b, before)) << c.height << " " << c.amount << " " << c.mode;
  }
}

TEST(PaintWave, ColumnsMoveByTheOffsetOfThePreviousColumn) {
  // 5 x 8, amount 2: k = pi / 4, source rows 3 and 2 go down 2 rows plus
  // the offset of their column, which column x takes from x - 1:
  //   mode 0: Round(2 sin((x - 1) k))                 0, 0, 1, 2, 1
  //   mode 1: Round(2 sin((x - 1) k) cos((x - 1) k))  0, 0, 1, 0, -1
  //   mode 2: Round(2 sin((x - 1) k) sin(3 k (x - 1)))  0, 0, 1, -2, 1
  struct Case {
    int mode;
    std::array<int, 5> offset;
  } cases[] = {{0, {0, 0, 1, 2, 1}}, {1, {0, 0, 1, 0, -1}}, {2, {0, 0, 1, -2, 1}}};
  for (const Case& c : cases) {
    const TBitmap original = Numbered(5, 8);
    TBitmap b = original;
    TkelPaintFX::Wave(b, 2, c.mode, 3);
    TBitmap expected = original;
    for (int y : {3, 2})  // bottom up: the higher source row is written last
      for (int x = 0; x < 5; ++x)
        testing::Put(expected, x, y + 2 + c.offset[static_cast<std::size_t>(x)], At(original, x, y));
    EXPECT_TRUE(SameImage(b, expected)) << "mode " << c.mode;
  }
}

}  // namespace
}  // namespace kroma
