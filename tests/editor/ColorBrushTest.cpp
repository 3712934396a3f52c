#include <gtest/gtest.h>

#include "EditorFixture.h"
#include "core/Canvas.h"
#include "editor/Commands.h"
#include "editor/brushes/ColorBrush.h"

namespace kroma::test {
namespace {

using ColorBrushTest = EditorTest;

// A pen width of 1 gives radius 5: the brush at (10, 10) covers the
// 10 x 10 square from (5, 5) and, inside it, the 69 pixels of the circle
// inscribed in the box (0, 0, 9, 9): centre (9, 9), (dx^2 + dy^2) <= 20.25.
bool InBrushCircle(int x, int y) { return (x - 9) * (x - 9) + (y - 9) * (y - 9) <= 20; }

struct ModeCase {
  const char* command;
  TColor before;
  TColor after;
};

TEST_F(ColorBrushTest, EveryModeChangesExactlyTheCircle) {
  const ModeCase cases[] = {
      {"Blue1Click", RGB(200, 100, 50), RGB(0, 0, 50)},
      {"Green1Click", RGB(200, 100, 50), RGB(0, 100, 0)},
      {"Red1Click", RGB(200, 100, 50), RGB(200, 0, 0)},
      {"NotBlue1Click", RGB(200, 100, 50), RGB(200, 100, 0)},
      {"NotGreen1Click", RGB(200, 100, 50), RGB(200, 0, 50)},
      {"NotRed1Click", RGB(200, 100, 50), RGB(0, 100, 50)},
      {"N50Blue1Click", RGB(200, 100, 50), RGB(200, 100, 45)},
      {"N50Green1Click", RGB(200, 100, 50), RGB(200, 90, 50)},
      {"N50Red1Click", RGB(9, 1, 50), RGB(8, 1, 50)},
      {"N50Red1Click", RGB(1, 1, 50), RGB(0, 1, 50)},
      {"Darker1Click", RGB(200, 100, 50), RGB(182, 91, 45)},
      {"Darker1Click", RGB(5, 6, 0), RGB(5, 5, 0)},           // 5 is where darkening stops
      {"Lighter1Click", RGB(232, 233, 255), RGB(255, 0, 24)},  // 256 wraps; rnd(280.5) = 280
      {"Gray1Click", RGB(200, 100, 50), RGB(117, 117, 117)},
      {"Gray1Click", RGB(255, 255, 254), RGB(255, 255, 254)},  // came out white: not written
      {"Mix1Click", RGB(200, 100, 50), RGB(50, 200, 100)},
  };
  for (const ModeCase& c : cases) {
    SCOPED_TRACE(c.command);
    Image().SetSize(20, 20);
    Image().Fill(c.before);
    RunCommand(F(), c.command);
    Press(10, 10);
    Move(10, 10);
    Release(10, 10);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x)
        ASSERT_EQ(Image().GetPixel(x, y), InBrushCircle(x, y) ? c.after : c.before) << x << "," << y;
  }
}

// Smoothing runs in place in scan order: left and upper neighbours are
// already smoothed. One dark pixel in white: its upper and left neighbours
// take (3 * 255 + v) / 4 rounded half to even (191.5 -> 192, 192.5 -> 192).
TEST_F(ColorBrushTest, SmoothingUsesSmoothedNeighboursAndRoundsHalfToEven) {
  Image().SetSize(20, 20);
  Image().Fill(clWhite);
  Image().SetPixel(9, 9, RGB(0, 5, 1));
  RunCommand(F(), "Smooth1Click");
  Press(10, 10);
  Move(10, 10);
  EXPECT_EQ(Image().GetPixel(9, 8), RGB(191, 192, 192));
  EXPECT_EQ(Image().GetPixel(8, 9), RGB(191, 192, 192));
  EXPECT_EQ(Image().GetPixel(9, 9), RGB(223, 224, 224));  // (2 * 192 + 510) / 4 = 223.5 -> 224
}

// At the image's corner the square reaches outside: those pixels count as
// white neighbours and are never written.
TEST_F(ColorBrushTest, SmoothingAtTheCornerSeesWhiteOutside) {
  Image().SetSize(20, 20);
  Image().Fill(clBlack);
  RunCommand(F(), "Smooth1Click");
  Press(0, 0);
  Move(0, 0);
  EXPECT_EQ(Image().GetPixel(0, 0), RGB(96, 96, 96)) << "(191 + 0 + 191 + 0) / 4 = 95.5 -> 96";
  EXPECT_EQ(Image().GetPixel(5, 5), clBlack) << "outside the circle";
}

TEST_F(ColorBrushTest, ToneBrushesTakeTheWholeImageAsRangeAndRepeat) {
  Image().SetSize(30, 20);
  Image().Fill(RGB(200, 100, 50));
  F().FRangeRect = {3, 3, 4, 4};
  RunCommand(F(), "Darker1Click");
  Press(10, 10);
  EXPECT_EQ(F().FRangeRect, Image().BoundsRect());
  EXPECT_TRUE(SamePixels(F().clip, Image()));
  Move(10, 10);
  Move(10, 10);
  EXPECT_EQ(Image().GetPixel(9, 9), RGB(165, 83, 41)) << "darker twice: 200 -> 182 -> rnd(165.45) = 165";
}

// The range the press takes shares the image's rows; the brush's steps
// then write the image alone.
TEST_F(ColorBrushTest, TheWholeImageRangeKeepsThePressedImage) {
  Image().SetSize(300, 200);
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 300; ++x) Image().SetPixel(x, y, RGB(x % 256, y, 120));
  const TBitmap pressed = Image();
  F().clip.Transparent = true;
  RunCommand(F(), "Darker1Click");
  Press(150, 100);
  Move(152, 101);
  EXPECT_FALSE(F().clip.Transparent);
  EXPECT_EQ(F().clip.Canvas().CopyMode, cmSrcCopy);
  EXPECT_TRUE(SamePixels(F().clip, pressed)) << "the steps write the image, not the range";
  EXPECT_FALSE(SamePixels(Image(), pressed));
}

// A step reports only the brush's pixels for repainting, on any image.
TEST_F(ColorBrushTest, StepsReportTheirSquareOnly) {
  Image().SetSize(2000, 1500);
  Image().Fill(RGB(200, 100, 50));
  for (const char* command : {"Red1Click", "Darker1Click", "GradientBrush1Click"}) {
    SCOPED_TRACE(command);
    RunCommand(F(), command);
    Press(1000, 700);
    view.Invalidated = {};
    Move(1001, 701);
    EXPECT_FALSE(view.Invalidated.IsEmpty());
    EXPECT_EQ(Intersect(view.Invalidated, TRect{990, 690, 1012, 712}), view.Invalidated);
    Release(1001, 701);
  }
}

TEST_F(ColorBrushTest, WideBrushesAndFarPointsStayInTheImage) {
  Image().SetSize(20, 20);
  Image().Fill(RGB(10, 20, 30));
  F().Canvas().Pen.Width = 1 << 30;
  RunCommand(F(), "Smooth1Click");
  Press(10, 10);
  Move(10, 10);  // the circle covers the whole image
  Move(-2000000000, 2000000000);
  EXPECT_EQ(Image().Width(), 20);
  EXPECT_EQ(PaintColorBrush(Image(), {-100, -100}, cbRed, 5), TRect{}) << "a square off the image changes nothing";
}

// Ramps between the colours one pen width either side, on rows y .. y + 2.
TEST_F(ColorBrushTest, GradientBrushDrawsThreeRampsAndSmoothsTheirEnds) {
  Image().SetSize(20, 10);
  Image().Fill(clWhite);
  Image().SetPixel(7, 5, clBlack);
  Image().SetPixel(13, 5, RGB(60, 120, 240));
  F().Canvas().Pen.Width = 3;
  RunCommand(F(), "GradientBrush1Click");
  Press(10, 5);
  Move(10, 5);
  EXPECT_EQ(Image().GetPixel(7, 5), RGB(10, 20, 40));
  EXPECT_EQ(Image().GetPixel(10, 6), RGB(40, 80, 160));
  EXPECT_EQ(Image().GetPixel(13, 7), RGB(70, 140, 255)) << "280 clamps";
  EXPECT_EQ(Image().GetPixel(6, 5), RGB(193, 196, 201)) << "the smoothed pixel before the first ramp";
  EXPECT_EQ(Image().GetPixel(10, 8), clWhite);

  // With Alt the ramps run down columns x, x - 1, x - 2; samples off the
  // image take the nearest edge pixel.
  Image().Fill(clWhite);
  Image().SetPixel(3, 0, RGB(0, 0, 0));
  Image().SetPixel(3, 4, RGB(100, 100, 100));
  Move(3, 1, ssLeft | ssAlt);
  EXPECT_EQ(Image().GetPixel(3, 0), RGB(50, 50, 50)) << "rows -2 .. 4 from black: row 0 carries three steps";
  EXPECT_EQ(Image().GetPixel(1, 4), RGB(117, 117, 117));
  EXPECT_EQ(Image().GetPixel(0, 1), clWhite);
}

TEST_F(ColorBrushTest, MixBrushPaintsWithTheMixOfItsSamples) {
  Image().SetSize(40, 20);
  Image().Fill(clWhite);
  Image().SetPixel(5, 10, RGB(200, 0, 0));
  Image().SetPixel(15, 10, RGB(0, 100, 0));
  Image().SetPixel(10, 5, RGB(0, 0, 40));
  Image().SetPixel(10, 15, RGB(0, 0, 90));
  F().Canvas().Pen.Width = 5;
  RunCommand(F(), "MixBrush1Click");
  Press(10, 10);
  EXPECT_EQ(F().Canvas().Pen.Color, RGB(100, 50, 0));
  Move(30, 10);
  EXPECT_EQ(Image().GetPixel(20, 10), RGB(100, 50, 0));
  Release(30, 10);
  Press(10, 10, ssAlt);
  EXPECT_EQ(F().Canvas().Pen.Color, RGB(0, 0, 65)) << "with Alt the samples are above and below";
}

}  // namespace
}  // namespace kroma::test
