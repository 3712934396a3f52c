#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "TestImages.h"
#include "core/Random.h"
#include "effects/PaintFX.h"
#include "effects/PaintWarpSupport.h"

namespace kroma {
namespace {

using testing::At;

// Blue = row, green = column of every pixel's origin.
TBitmap Numbered(int width, int height) {
  TBitmap b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) testing::Put(b, x, y, {y, x, 77});
  return b;
}

TEST(PaintRippleTooth, NoHeightChangesNothing) {
  for (int height : {0, -1, INT_MIN}) {
    TBitmap b = testing::Noise(5, 6);
    const TBitmap before = b;
    TkelPaintFX::RippleTooth(b, height);
    EXPECT_TRUE(SameImage(b, before)) << height;
  }
}

TEST(PaintRippleTooth, ColumnsFollowTheSawtoothByHand) {
  // 4 x 5: rows height - a - 1 down to 0 move down by the offset of their
  // column, 0, 1, ..., a, 0, ...; the rows a column leaves behind keep
  // their content. Row numbers of each column afterwards:
  struct Case {
    int height;
    std::vector<std::vector<int>> columns;
  } cases[] = {
      {1, {{0, 1, 2, 3, 4}, {0, 0, 1, 2, 3}, {0, 1, 2, 3, 4}, {0, 0, 1, 2, 3}}},
      {2, {{0, 1, 2, 3, 4}, {0, 0, 1, 2, 4}, {0, 1, 0, 1, 2}, {0, 1, 2, 3, 4}}},
      {100, {{0, 1, 2, 3, 4}, {0, 0, 1, 2, 4}, {0, 1, 0, 1, 2}, {0, 1, 2, 3, 4}}},  // a = height div 2 = 2
  };
  for (const Case& c : cases) {
    TBitmap b = Numbered(4, 5);
    TkelPaintFX::RippleTooth(b, c.height);
    for (int x = 0; x < 4; ++x) {
      std::vector<int> rows;
      for (int y = 0; y < 5; ++y) {
        EXPECT_EQ(At(b, x, y)[1], x);
        rows.push_back(At(b, x, y)[0]);
      }
      EXPECT_EQ(rows, c.columns[static_cast<std::size_t>(x)]) << "height " << c.height << ", column " << x;
    }
  }
}

// Every pixel comes from its own column, at most `a - 1` rows above it.
void ExpectRandomRipple(const TBitmap& b, int a) {
  bool moved = false;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const auto p = At(b, x, y);
      EXPECT_EQ(p[1], x);
      EXPECT_TRUE(p[0] <= y && y - p[0] < a) << x << "," << y << " from row " << p[0];
      moved = moved || p[0] != y;
    }
  EXPECT_TRUE(moved);
}

TEST(PaintRippleRandom, OffsetsStayBelowTheHeightInTheirColumn) {
  TBitmap b = Numbered(30, 20);
  TkelPaintFX::RippleRandom(b, 4);
  ExpectRandomRipple(b, 4);
  TBitmap clamped = Numbered(30, 20);
  TkelPaintFX::RippleRandom(clamped, INT_MAX);  // a = 20 div 2
  ExpectRandomRipple(clamped, 10);
  TBitmap none = Numbered(30, 20);
  TkelPaintFX::RippleRandom(none, -5);
  EXPECT_TRUE(SameImage(none, Numbered(30, 20)));
}

TEST(PaintRippleRandom, SameSeedSamePicture) {
  // After the reseed the offsets come from the generator: one draw per
  // pixel of rows height - a - 1 .. 0, so the same RandSeed repeats
  // the picture and leaves the generator in the same state.
  RandSeed = 12345;
  TBitmap first = Numbered(30, 20);
  detail::RippleFromGenerator(first, 4);
  const std::uint32_t after = RandSeed;
  RandSeed = 12345;
  TBitmap second = Numbered(30, 20);
  detail::RippleFromGenerator(second, 4);
  EXPECT_TRUE(SameImage(first, second));
  EXPECT_EQ(RandSeed, after);
  RandSeed = 12345;
  for (int i = 0; i < 30 * (20 - 4); ++i) Random(1);
  EXPECT_EQ(RandSeed, after);
  ExpectRandomRipple(first, 4);
  // The routine itself reseeds from the clock, whatever the seed was.
  RandSeed = 12345;
  TBitmap reseeded = Numbered(30, 20);
  TkelPaintFX::RippleRandom(reseeded, 4);
  EXPECT_FALSE(SameImage(reseeded, first));
}

}  // namespace
}  // namespace kroma
