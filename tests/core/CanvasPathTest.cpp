#include <gtest/gtest.h>

#include <string>

#include "core/Canvas.h"

#include "ImageTestUtil.h"

namespace kroma {
namespace {

using namespace testutil;

TEST(CanvasPath, FiguresAreRecordedNotDrawnThenFilled) {
  TBitmap b(10, 8);
  TCanvas& c = b.Canvas();
  c.Brush.SetColor(clRed);
  c.BeginPath();
  EXPECT_TRUE(c.Rectangle(1, 1, 9, 7).IsEmpty());
  EXPECT_TRUE(c.Rectangle(3, 3, 6, 5).IsEmpty());
  c.MoveTo(0, 0);
  EXPECT_TRUE(c.LineTo(2, 0).IsEmpty());
  c.EndPath();
  EXPECT_EQ(ToText(b)[1], "..........");  // nothing drawn yet
  EXPECT_EQ(c.FillPath(), Rect(1, 1, 9, 7));  // alternate: the inner rectangle is a hole
  EXPECT_EQ(ToText(b), (std::vector<std::string>{
                           "..........",
                           ".oooooooo.",
                           ".oooooooo.",
                           ".oo...ooo.",
                           ".oo...ooo.",
                           ".oooooooo.",
                           ".oooooooo.",
                           "..........",
                       }));
  EXPECT_TRUE(c.StrokePath().IsEmpty());  // the path was used up
}

TEST(CanvasPath, WindingRuleAndClosedFigures) {
  const TPoint star[] = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
  for (TFillMode mode : {fmAlternate, fmWinding}) {
    TBitmap b(21, 20);
    TCanvas& c = b.Canvas();
    c.Brush.SetColor(clRed);
    c.PolyFillMode = mode;
    c.BeginPath();
    c.MoveTo(star[0].x, star[0].y);
    for (int i = 1; i < 5; ++i) c.LineTo(star[i].x, star[i].y);
    c.CloseFigure();
    EXPECT_EQ(c.PenPos(), star[0]);
    c.EndPath();
    c.StrokeAndFillPath();
    EXPECT_EQ(b.GetPixel(10, 11), mode == fmWinding ? clRed : clWhite);
    EXPECT_EQ(b.GetPixel(10, 4), clRed);
    EXPECT_EQ(b.GetPixel(8, 7), clBlack);   // the closing edge (4,19) -> (10,0) is stroked too
    EXPECT_EQ(b.GetPixel(7, 10), clBlack);
  }
}

TEST(CanvasPath, AbortedPathsAndPathsWithoutFigures) {
  TBitmap b(6, 6);
  TCanvas& c = b.Canvas();
  c.BeginPath();
  c.Rectangle(0, 0, 5, 5);
  c.AbortPath();
  EXPECT_TRUE(c.FillPath().IsEmpty());
  EXPECT_EQ(c.Rectangle(0, 0, 5, 5), Rect(0, 0, 5, 5));  // drawing again after the abort
  c.BeginPath();
  EXPECT_TRUE(c.StrokePath().IsEmpty());  // ends the empty path
  EXPECT_EQ(c.Rectangle(1, 1, 2, 2), Rect(1, 1, 2, 2));
}

TEST(CanvasPath, EllipseFigureIsTheEllipseToWithinItsRing) {
  TBitmap path(40, 30), direct(40, 30);
  path.Canvas().Pen.Style = psClear;
  path.Canvas().Brush.SetColor(clBlack);
  path.Canvas().BeginPath();
  path.Canvas().Ellipse(2, 3, 37, 28);
  path.Canvas().EndPath();
  path.Canvas().FillPath();
  direct.Canvas().Brush.SetColor(clRed);  // black outline, red fill
  direct.Canvas().Ellipse(2, 3, 37, 28);
  int differing = 0, outline = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) outline += direct.GetPixel(x, y) == clBlack;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const bool inPath = path.GetPixel(x, y) == clBlack, inEllipse = direct.GetPixel(x, y) != clWhite;
      if (inPath == inEllipse) continue;
      ++differing;
      bool nearOutline = false;  // a difference may only sit on or next to the outline
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) nearOutline |= direct.GetPixel(x + dx, y + dy) == clBlack;
      EXPECT_TRUE(nearOutline) << x << "," << y;
    }
  EXPECT_LT(differing, outline / 4);  // a shift by half a pixel would differ along whole sides
}

}  // namespace
}  // namespace kroma
