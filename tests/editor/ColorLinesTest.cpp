#include <gtest/gtest.h>

#include <limits>

#include "EditorFixture.h"
#include "core/Bitmap.h"
#include "editor/ColorLines.h"

namespace kroma::test {
namespace {

TEST(MixColors, AveragesEachChannelDownward) {
  EXPECT_EQ(MixColors(RGB(255, 0, 10), RGB(0, 255, 21)), RGB(127, 127, 15));
  EXPECT_EQ(MixColors(clBtnFace, clBtnFace), ColorToRGB(clBtnFace)) << "system colours are resolved first";
}

// Black at x = 2 to RGB(100, 0, 0) at x = 6: five pixels, each one step
// (25) further than the last, the first already one step in; the pixels
// just outside are smoothed with their four neighbours (shr 2).
TEST(InterpolateRow, RampsWithOneStepLeadAndSmoothedEnds) {
  for (bool reversed : {false, true}) {
    TBitmap b(12, 3);
    if (reversed)
      InterpolateRow(b, 1, 6, clBlack, 2, RGB(100, 0, 0), true);
    else
      InterpolateRow(b, 1, 2, clBlack, 6, RGB(100, 0, 0), true);
    SCOPED_TRACE(reversed ? "ends given right to left" : "ends given left to right");
    for (int i = 0; i < 5; ++i) EXPECT_EQ(b.GetPixel(2 + i, 1), RGB(25 * (i + 1), 0, 0)) << "x=" << 2 + i;
    EXPECT_EQ(b.GetPixel(1, 1), RGB(197, 191, 191));  // (3 * 255 + 25) >> 2, (3 * 255 + 0) >> 2
    EXPECT_EQ(b.GetPixel(7, 1), RGB(222, 191, 191));  // (3 * 255 + 125) >> 2
    EXPECT_EQ(b.GetPixel(2, 0), clWhite);
  }
}

TEST(InterpolateRow, OvershootClampsAndEqualEndsGiveTheColour) {
  TBitmap b(8, 1);
  InterpolateRow(b, 0, 0, RGB(0, 250, 7), 1, RGB(0, 255, 7), false);
  EXPECT_EQ(b.GetPixel(0, 0), RGB(0, 255, 7));
  EXPECT_EQ(b.GetPixel(1, 0), RGB(0, 255, 7)) << "260 clamps to 255";
  InterpolateRow(b, 0, 3, RGB(9, 8, 7), 3, RGB(200, 200, 200), false);
  EXPECT_EQ(b.GetPixel(3, 0), RGB(9, 8, 7)) << "a one-pixel ramp takes no step";
}

TEST(InterpolateRow, RowsOutsideDrawNothingAndColumnsClipAtTheTop) {
  TBitmap b(4, 4);
  const TBitmap before = b;
  InterpolateRow(b, -1, 0, clBlack, 3, clBlack, true);
  InterpolateRow(b, 4, 0, clBlack, 3, clBlack, true);
  InterpolateColumn(b, 4, 0, clBlack, 3, clBlack, true);
  EXPECT_TRUE(SamePixels(b, before));

  // Rows -3..2 of column 1: the steps before row 0 still count.
  InterpolateColumn(b, 1, -3, RGB(0, 0, 0), 2, RGB(250, 0, 0), false);
  EXPECT_EQ(b.GetPixel(1, 0), RGB(200, 0, 0));
  EXPECT_EQ(b.GetPixel(1, 1), RGB(250, 0, 0));
  EXPECT_EQ(b.GetPixel(1, 2), RGB(255, 0, 0));
  EXPECT_EQ(b.GetPixel(1, 3), clWhite);
}

TEST(InterpolateRow, EndsAcrossTheIntRangeFinishAtOnce) {
  TBitmap b(16, 3);
  InterpolateRow(b, 1, std::numeric_limits<int>::min(), clBlack, std::numeric_limits<int>::max(), clWhite, true);
  const TColor mid = b.GetPixel(8, 1);
  EXPECT_EQ(GetRValue(mid), GetBValue(mid));
  EXPECT_NEAR(GetRValue(mid), 127.5, 1.0) << "half-way along a black to white ramp";
}

TEST(SmoothPixel, NeedsAllFourNeighbours) {
  TBitmap b(3, 3, pf24bit);
  b.Fill(RGB(4, 8, 12));
  b.SetPixel(1, 1, clBlack);
  b.SetPixel(1, 0, RGB(0, 0, 3));
  SmoothPixel(b, 0, 1);
  EXPECT_EQ(b.GetPixel(0, 1), RGB(4, 8, 12));
  SmoothPixel(b, 1, 1);
  EXPECT_EQ(b.GetPixel(1, 1), RGB(3, 6, 9)) << "(0 + 3 * 4) >> 2 for red, (3 + 3 * 12) >> 2 for blue";
}

}  // namespace
}  // namespace kroma::test
