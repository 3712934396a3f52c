#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "TestImages.h"
#include "core/Types.h"
#include "effects/PaintFX.h"

namespace kroma {
namespace {

using testing::At;
using testing::Bgr;
using testing::Put;
using FX = TkelPaintFX;

TEST(PaintMosaic, BlocksFromTheTopLeftTakeTheirFirstPixel) {
  const TBitmap original = testing::Noise(100, 100);
  TBitmap b = original;
  FX::Mosaic(b, 15);
  // 7 x 7 blocks: six of 15 pixels and a last one of 10.
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) ASSERT_EQ(At(b, x, y), At(original, x / 15 * 15, y / 15 * 15)) << x << "," << y;
  EXPECT_NE(At(b, 89, 0), At(b, 90, 0));  // a block edge at 90 ...
  EXPECT_EQ(At(b, 90, 90), At(b, 99, 99));  // ... and the last block 10 wide and high
}

TEST(PaintMosaic, SizesUpToOneChangeNothingAndHugeSizesAreOneBlock) {
  const TBitmap original = testing::Noise(9, 5);
  for (int size : {1, 0, -3, INT_MIN}) {
    TBitmap b = original;
    FX::Mosaic(b, size);
    EXPECT_TRUE(SameImage(b, original)) << size;
  }
  TBitmap b = original;
  FX::Mosaic(b, INT_MAX);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 9; ++x) ASSERT_EQ(At(b, x, y), At(original, 0, 0));
}

// Size 5: e = 5, rows 0, 1 and 8 take pixel x's colour where x mod f = 0
// or x mod g = 1, with (f, g) = (5, 4), (1, 3) and (5, 3).
TEST(PaintTriangles, RowsRepeatColoursBetweenTheirAnchors) {
  TBitmap b(12, 9);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 12; ++x) Put(b, x, y, {x, y, 0});
  FX::Triangles(b, 2);  // sizes below 5 are 5
  auto column = [&](int y) {
    std::vector<int> xs;
    for (int x = 0; x < 12; ++x) xs.push_back(At(b, x, y)[0]);
    return xs;
  };
  EXPECT_EQ(column(0), (std::vector<int>{0, 1, 1, 1, 1, 5, 5, 5, 5, 9, 10, 10}));
  EXPECT_EQ(column(1), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(column(8), (std::vector<int>{0, 1, 1, 1, 4, 5, 5, 7, 7, 7, 10, 10}));
  for (int y = 0; y < 9; ++y) EXPECT_EQ(At(b, 3, y)[1], y);  // rows keep to themselves
}

// The tile is the image at half size by nearest pixel: tile pixel i is
// image pixel floor((i + 1/2) * 8 / 4) = 2 i + 1. Tile repeats it every 4
// pixels, Overlap every Round(8 / 3) = 3.
TEST(PaintTexturize, TheHalfSizeTileRepeatsAtItsStep) {
  struct Case {
    bool overlap;
    int step;
  } cases[] = {{false, 4}, {true, 3}};
  for (const Case& c : cases)
    for (bool transparent : {false, true}) {
      TBitmap original = testing::Noise(8, 9);
      original.Transparent = transparent;  // the tile still shows every pixel
      TBitmap b = original;
      if (c.overlap)
        FX::TexturizeOverlap(b, 100);  // b = min(4, 4, 100)
      else
        FX::TexturizeTile(b, 100);
      for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 8; ++x)
          ASSERT_EQ(At(b, x, y), At(original, 2 * (x % c.step) + 1, 2 * (y % c.step) + 1))
              << (c.overlap ? "overlap " : "tile ") << x << "," << y;
    }
}

TEST(PaintTexturize, NoTileOfAPixelOrMoreChangesNothing) {
  struct Case {
    int w, h, size;
  } cases[] = {{1, 9, 5}, {9, 1, 5}, {1, 1, 5}, {6, 6, 0}, {6, 6, -4}, {6, 6, INT_MIN}};
  for (const Case& c : cases)
    for (bool overlap : {false, true}) {
      const TBitmap original = testing::Noise(c.w, c.h);
      TBitmap b = original;
      overlap ? FX::TexturizeOverlap(b, c.size) : FX::TexturizeTile(b, c.size);
      EXPECT_TRUE(SameImage(b, original)) << c.w << "x" << c.h << " size " << c.size;
    }
}

TEST(PaintRotateRight, QuarterTurnClockwise) {
  // a b c
  // d e f
  TBitmap source = testing::GreyRow({1, 2, 3});
  source.SetHeight(2);
  for (int x = 0; x < 3; ++x) Put(source, x, 1, {4 + x, 4 + x, 4 + x});
  TBitmap target = testing::Noise(5, 5);
  FX::RotateRight(source, target);
  ASSERT_EQ(target.Width(), 2);
  ASSERT_EQ(target.Height(), 3);
  EXPECT_EQ(testing::RowValues(target, 0), (std::vector<int>{4, 1}));  // left column, bottom to top
  EXPECT_EQ(testing::RowValues(target, 1), (std::vector<int>{5, 2}));
  EXPECT_EQ(testing::RowValues(target, 2), (std::vector<int>{6, 3}));

  // Into itself, and four turns bring the picture back.
  const TBitmap original = testing::Noise(7, 4);
  TBitmap b = original;
  for (int i = 0; i < 4; ++i) FX::RotateRight(b, b);
  EXPECT_TRUE(SameImage(b, original));
}

}  // namespace
}  // namespace kroma
