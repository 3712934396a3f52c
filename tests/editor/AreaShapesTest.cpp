#include <climits>
#include <functional>

#include "EditorFixture.h"
#include "core/Canvas.h"
#include "editor/Commands.h"

namespace kroma::test {
namespace {

using AreaShapesTest = EditorTest;

TBitmap WhiteImage() {
  TBitmap b(256, 256);
  b.Fill(clWhite);
  return b;
}

void SolidBrush(TKromaF& f, TColor color) {
  f.Canvas().Brush.SetColor(color);
  f.Canvas().Brush.SetStyle(bsSolid);
}

// The release draws FShapeCount - 1 copies inside the figure, inset by
// ((end - start) div 2) div n per step; a drag towards the upper left
// gives the same copies. In pmNotXor the outer figure is the last rubber
// band and the copies are drawn in that mode too.
TEST_F(AreaShapesTest, ConcentricCopiesNestInsideTheFigure) {
  struct Case {
    int count;
    TPoint from, to;
    TPenMode mode;
    std::vector<TRect> rects;
  };
  const Case cases[] = {
      {1, {20, 20}, {100, 60}, pmCopy, {{20, 20, 100, 60}}},
      {2, {20, 20}, {100, 60}, pmCopy, {{20, 20, 100, 60}, {40, 30, 80, 50}}},
      {2, {100, 60}, {20, 20}, pmCopy, {{20, 20, 100, 60}, {40, 30, 80, 50}}},
      {3, {20, 20}, {100, 60}, pmCopy, {{20, 20, 100, 60}, {33, 26, 87, 54}, {46, 32, 74, 48}}},
      {2, {20, 20}, {100, 60}, pmNotXor, {{20, 20, 100, 60}, {40, 30, 80, 50}}},
  };
  for (const Case& c : cases) {
    Restart();
    F().FShapeCount = c.count;
    F().SetPenMode(c.mode);
    RunCommand(F(), "Rectangle1Click");
    Press(c.from.x, c.from.y);
    Move(60, 40);
    Move(c.to.x, c.to.y);
    Release(c.to.x, c.to.y);
    TBitmap expected = WhiteImage();
    expected.Canvas().Pen.Mode = c.mode;
    for (const TRect& r : c.rects) expected.Canvas().Rectangle(r);
    EXPECT_TRUE(SamePixels(Image(), expected)) << c.count << " shapes, mode " << c.mode;
  }
}

// The alternate fill rule leaves the middle of {5/2} and {9/4} empty (an
// even number of edges around it) and fills that of {7/3}; even counts,
// and any count with Options > Polygon ticked, are filled polygons.
TEST_F(AreaShapesTest, StarFillsByTheAlternateRule) {
  struct Case {
    int points;
    bool polygon;
    bool middleFilled;
  };
  const Case cases[] = {
      {5, false, false}, {9, false, false}, {7, false, true}, {6, false, true}, {5, true, true}, {3, false, true},
  };
  for (const Case& c : cases) {
    Restart();
    SolidBrush(F(), clYellow);
    RunCommand(F(), "StarPoints" + std::to_string(c.points) + "Click");
    if (c.polygon) RunCommand(F(), "Polygon1Click");
    RunCommand(F(), "Star1Click");
    Press(128, 128);
    Move(128, 80);
    Move(128, 48);
    Release(128, 48);  // the tip straight above the centre
    SCOPED_TRACE(::testing::Message() << c.points << " points, polygon " << c.polygon);
    EXPECT_EQ(Image().GetPixel(128, 128), c.middleFilled ? clYellow : clWhite);
    EXPECT_EQ(Image().GetPixel(128, 48), clBlack) << "a vertex at the release point";
    EXPECT_NE(Image().GetPixel(128, 100), clBlack) << "the rubber band is gone";
    EXPECT_GT(CountColor(Image(), clYellow), 1000);
  }
}

// Shapes > 2 draws a second star with its tip halfway to the centre; a
// hexagon's tips straight above the centre tell them apart.
TEST_F(AreaShapesTest, StarCountDrawsSmallerStars) {
  RunCommand(F(), "StarPoints6Click");
  F().FShapeCount = 2;
  RunCommand(F(), "Star1Click");
  Press(128, 128);
  Move(128, 48);
  Release(128, 48);
  EXPECT_EQ(Image().GetPixel(128, 48), clBlack);
  EXPECT_EQ(Image().GetPixel(128, 88), clBlack);
  EXPECT_EQ(Image().GetPixel(128, 68), clWhite);
  EXPECT_EQ(Image().GetPixel(128, 128), clWhite);
}

// Ten quadrilaterals turning inside the rectangle, steps of a tenth of the
// rectangle's size: the fifth runs from (70, 120) to (120, 70), the tenth
// lies on the right edge. A box smaller than 10 has zero steps, so every
// line lies on the box's edges.
TEST_F(AreaShapesTest, MazeDrawsTenTurningQuadrilaterals) {
  RunCommand(F(), "Maze1Click");
  Press(20, 20);
  Move(70, 70);
  Move(120, 120);
  Release(120, 120);
  EXPECT_EQ(Image().GetPixel(95, 95), clBlack) << "fifth line, (70, 120) to (120, 70)";
  EXPECT_EQ(Image().GetPixel(120, 60), clBlack) << "the tenth lies on the right edge";
  EXPECT_EQ(Image().GetPixel(50, 50), clWhite);
  EXPECT_EQ(Image().GetPixel(20, 50), clBlack) << "the rectangle";

  Restart();
  RunCommand(F(), "Maze1Click");
  Press(10, 10);
  Move(15, 15);
  Release(15, 15);
  TBitmap expected = WhiteImage();
  TCanvas& canvas = expected.Canvas();
  canvas.Rectangle(10, 10, 15, 15);
  const TPoint sides[] = {{10, 15}, {15, 15}, {15, 10}, {10, 10}, {10, 15}};
  for (int i = 0; i < 4; ++i) {
    canvas.MoveTo(sides[i].x, sides[i].y);
    canvas.LineTo(sides[i + 1].x, sides[i + 1].y);
  }
  EXPECT_TRUE(SamePixels(Image(), expected)) << "a small maze is its box's sides";
}

// A full-width band from the press row to the release row, snapped to the
// top within 10 pixels of it and to the bottom when the release is within
// 10 of it; dragged upwards it fills nothing. The pen style is solid
// afterwards.
TEST_F(AreaShapesTest, BarsFillAFullWidthBand) {
  struct Case {
    int y0, y1;
    int top, bottom;  // rows filled: [top, bottom)
  };
  const Case cases[] = {
      {30, 60, 30, 60}, {9, 60, 0, 60}, {10, 60, 10, 60}, {30, 246, 30, 246}, {30, 247, 30, 256}, {60, 30, 0, 0},
  };
  for (const Case& c : cases) {
    Restart();
    SolidBrush(F(), clBlue);
    F().Canvas().Pen.Style = psDash;
    RunCommand(F(), "Bar1Click");
    Press(40, c.y0);
    Move(90, c.y1 + 7);
    Move(100, c.y1);
    Release(100, c.y1);
    SCOPED_TRACE(::testing::Message() << c.y0 << " to " << c.y1);
    EXPECT_EQ(CountColor(Image(), clBlue), 256 * (c.bottom - c.top));
    EXPECT_EQ(CountColor(Image(), clWhite), 256 * (256 - (c.bottom - c.top))) << "the dotted band is gone";
    if (c.bottom > c.top) {
      EXPECT_EQ(Image().GetPixel(0, c.top), clBlue);
      EXPECT_EQ(Image().GetPixel(255, c.bottom - 1), clBlue);
    }
    EXPECT_EQ(F().Canvas().Pen.Style, psSolid);
  }
}

// Bands along all four edges, as thick as the drag is high (top and
// bottom) and wide (left and right); towards the upper left nothing.
TEST_F(AreaShapesTest, BorderFillsTheFourEdges) {
  SolidBrush(F(), clBlue);
  RunCommand(F(), "Border1Click");
  Press(10, 10);
  Move(25, 25);
  int dots = 0;
  for (int x = 10; x < 25; ++x) dots += Image().GetPixel(x, 10) == clBlack;
  EXPECT_TRUE(dots >= 6 && dots <= 9) << dots << " of 15: the band's top edge is dotted, 3 on and 3 off";
  Move(30, 20);
  Release(30, 20);
  TBitmap expected = WhiteImage();
  expected.Canvas().Brush.SetColor(clBlue);
  expected.Canvas().FillRect({0, 0, 256, 10});
  expected.Canvas().FillRect({0, 246, 256, 256});
  expected.Canvas().FillRect({0, 0, 20, 256});
  expected.Canvas().FillRect({236, 0, 256, 256});
  EXPECT_TRUE(SamePixels(Image(), expected));

  Press(30, 20);
  Move(10, 10);
  Release(10, 10);
  EXPECT_TRUE(SamePixels(Image(), expected)) << "a drag towards the upper left adds nothing";
}

// Without Alt the area of the colour under the pointer, stopped by any
// other colour; with Alt everything up to the pen colour. A clear brush
// fills nothing, and a release outside the image reads no pixel.
TEST_F(AreaShapesTest, FloodFillInBothModes) {
  struct Case {
    TShiftState shift;
    TBrushStyle brush;
    TPoint at;
    int red;
  };
  const Case cases[] = {
      {0, bsSolid, {30, 30}, 38 * 19},      // the upper part, above the green line
      {ssAlt, bsSolid, {30, 30}, 38 * 38},  // all inside the blue frame, the green line too
      {0, bsClear, {30, 30}, 0},           {0, bsSolid, {-1, 30}, 0},
      {ssAlt, bsSolid, {256, 256}, 0},     {0, bsSolid, {INT_MIN, INT_MAX}, 0},
  };
  for (const Case& c : cases) {
    Restart();
    TCanvas& canvas = F().Canvas();
    canvas.Pen.Color = clBlue;
    canvas.Rectangle(20, 20, 60, 60);
    canvas.Pen.Color = clGreen;
    canvas.MoveTo(21, 40);
    canvas.LineTo(59, 40);
    canvas.Pen.Color = clBlue;
    SolidBrush(F(), clRed);
    canvas.Brush.SetStyle(c.brush);
    RunCommand(F(), "Floodfill1Click");
    Press(c.at.x, c.at.y, c.shift);
    Release(c.at.x, c.at.y, c.shift);
    EXPECT_EQ(CountColor(Image(), clRed), c.red) << "shift " << c.shift << " at " << c.at.x << ", " << c.at.y;
    EXPECT_EQ(CountColor(Image(), clGreen), c.shift & ssAlt && c.red ? 0 : 38);
  }
}

}  // namespace
}  // namespace kroma::test
