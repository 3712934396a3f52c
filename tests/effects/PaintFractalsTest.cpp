#include <gtest/gtest.h>

#include <climits>

#include "TestImages.h"
#include "core/Types.h"
#include "effects/PaintFX.h"

namespace kroma {
namespace {

using testing::At;
using testing::Bgr;
using FX = TkelPaintFX;

Bgr ToBgr(TColor c) { return {GetBValue(c), GetGValue(c), GetRValue(c)}; }

TEST(PaintVgaColor, SixteenStandardColoursAndWhiteBeyond) {
  EXPECT_EQ(VgaColor(0), clBlack);
  EXPECT_EQ(VgaColor(1), RGB(0, 0, 128));
  EXPECT_EQ(VgaColor(2), RGB(0, 128, 0));
  EXPECT_EQ(VgaColor(3), RGB(0, 255, 255));
  EXPECT_EQ(VgaColor(6), RGB(128, 0, 0));
  EXPECT_EQ(VgaColor(11), RGB(128, 128, 0));
  EXPECT_EQ(VgaColor(13), RGB(0, 128, 128));
  EXPECT_EQ(VgaColor(14), RGB(255, 255, 0));
  for (int i : {15, 16, -1, INT_MAX, INT_MIN}) EXPECT_EQ(VgaColor(i), clWhite) << i;
}

// A 1 x 1 image shows the point (x0, y0).
Bgr PointColor(bool mandelbrot, double re, double im, int depth = 16) {
  TBitmap b(1, 1);
  FX::MandelJulia(b, depth, mandelbrot, im + 1, re + 1, im, re);
  return At(b, 0, 0);
}

TEST(PaintMandelJulia, EscapeStepPicksThePaletteColour) {
  struct Case {
    bool mandelbrot;
    double re, im;
    TColor color;
  } cases[] = {
      {true, 0, 0, clBlack},   // never escapes
      {true, 1, 0, clGreen},   // stops with j = 3
      {true, 2, 2, clNavy},    // j = 2
      {true, -2, 0, clNavy},   // j = 2
      {false, 1, 0, clGreen},  // z from 1 under z^2 + i: j = 3
      {false, 2, 0, clBlack},  // |z|^2 = 4 at once: j = 1, palette[0]
  };
  for (const Case& c : cases)
    EXPECT_EQ(PointColor(c.mandelbrot, c.re, c.im), ToBgr(c.color))
        << (c.mandelbrot ? "mandelbrot " : "julia ") << c.re << "," << c.im;
}

TEST(PaintMandelJulia, RowsRunFromY0AndColumnsFromX0) {
  // x from 0 by 1, y from 0 by 2: (1, 0) is k = (1, 0), (0, 1) is k = (0, 2).
  TBitmap b(2, 2);
  FX::MandelJulia(b, 16, true, 4, 2, 0, 0);
  EXPECT_EQ(At(b, 0, 0), ToBgr(clBlack));
  EXPECT_EQ(At(b, 1, 0), ToBgr(clGreen));
  EXPECT_EQ(At(b, 0, 1), ToBgr(clNavy));
}

// c = 0.2589 escapes at step 32: beyond a depth of 31 it is black, at
// depth 32 its index Round(31 / 2) = 16 is past the palette and gives white.
TEST(PaintMandelJulia, IndexSixteenIsWhiteAndDepthsBelowSixteenAreSixteen) {
  EXPECT_EQ(PointColor(true, 0.2589, 0, 31), ToBgr(clBlack));
  EXPECT_EQ(PointColor(true, 0.2589, 0, 32), ToBgr(clWhite));

  TBitmap sixteen(24, 16), low(24, 16);
  FX::MandelJulia(sixteen, 16, true, 1.5, 0.75, -1.5, -2.25);
  for (int depth : {0, -5, 15, INT_MIN}) {
    FX::MandelJulia(low, depth, true, 1.5, 0.75, -1.5, -2.25);
    EXPECT_TRUE(SameImage(low, sixteen)) << depth;
  }
}

}  // namespace
}  // namespace kroma
