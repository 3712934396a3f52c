#include <array>

#include "EditorFixture.h"
#include "core/Canvas.h"
#include "editor/Commands.h"

namespace kroma::test {
namespace {

using PolyToolsTest = EditorTest;

// Clicks (press and release at one point), the pointer moving to each.
void ClickAll(TKromaF& f, std::initializer_list<TPoint> points) {
  for (TPoint p : points) {
    f.mypaintMouseMove(0, p.x, p.y);
    f.mypaintMouseDown(mbLeft, ssLeft, p.x, p.y);
    f.mypaintMouseUp(mbLeft, 0, p.x, p.y);
  }
}

// Right press: three or more vertices close into a polygon filled with the
// brush; with two there is no polygon, and the side drawn stays. Either
// way the band to the pointer goes.
TEST_F(PolyToolsTest, RightPressClosesAPolygonOfThreeOrMoreVertices) {
  RunCommand(F(), "Polygon2Click");
  F().Canvas().Brush.SetColor(clYellow);
  ClickAll(F(), {{20, 20}, {120, 20}});
  Move(70, 90, 0);
  Press(70, 90, 0, mbRight);
  EXPECT_FALSE(F().FMouseDown);
  EXPECT_EQ(F().FPolyCount, 0);
  EXPECT_EQ(CountColor(Image(), clBlack), 100) << "the side from (20, 20) to (120, 20) alone";
  EXPECT_EQ(CountColor(Image(), clYellow), 0);

  ClickAll(F(), {{20, 20}, {120, 20}, {70, 90}});
  Move(200, 200, 0);
  Press(200, 200, 0, mbRight);
  TBitmap expected(256, 256);
  expected.Fill(clWhite);
  expected.Canvas().Brush.SetColor(clYellow);
  const std::array<TPoint, 3> triangle{TPoint{20, 20}, TPoint{120, 20}, TPoint{70, 90}};
  expected.Canvas().Polygon(triangle);
  EXPECT_TRUE(SamePixels(Image(), expected));
}

// A side may be dragged instead of clicked: its release point is a vertex,
// and the next band starts there.
TEST_F(PolyToolsTest, DraggedSidesGiveTheirEndsAsVertices) {
  RunCommand(F(), "Polygon2Click");
  Drag({20, 20}, {120, 20});
  EXPECT_EQ(F().FPolyCount, 2);
  Move(150, 60, 0);
  EXPECT_EQ(Image().GetPixel(135, 40), clBlack) << "the band runs from the side's end";
  EXPECT_EQ(Image().GetPixel(85, 40), clWhite);
  Drag({120, 20}, {70, 90});
  ASSERT_EQ(F().FPolyCount, 3);
  EXPECT_EQ(F().FPolyPoints[1], (TPoint{120, 20}));
  EXPECT_EQ(F().FPolyPoints[2], (TPoint{70, 90}));
}

// The sides of a clicked polyline are bands until the right press draws
// them in the user's pen mode; on a coloured image that shows.
TEST_F(PolyToolsTest, PolylineEndsInThePenColour) {
  Image().Fill(clNavy);
  F().Canvas().Pen.Color = clRed;
  RunCommand(F(), "PolyLine1Click");
  ClickAll(F(), {{20, 20}, {120, 20}, {120, 100}});
  EXPECT_NE(Image().GetPixel(60, 20), clRed) << "a band inverts what it crosses";
  Press(120, 100, 0, mbRight);
  EXPECT_EQ(Image().GetPixel(60, 20), clRed);
  EXPECT_EQ(Image().GetPixel(120, 60), clRed);
  EXPECT_EQ(CountColor(Image(), clRed), 100 + 80);
}

// Choosing another tool ends the open gesture: its band goes, and the new
// tool's moves need a button again.
TEST_F(PolyToolsTest, ChoosingAnotherToolEndsTheGesture) {
  RunCommand(F(), "PolyLine1Click");
  ClickAll(F(), {{20, 20}, {120, 20}});
  Move(120, 100, 0);
  RunCommand(F(), "Rectangle1Click");
  EXPECT_FALSE(F().FMouseDown);
  Move(200, 200, 0);
  EXPECT_EQ(CountColor(Image(), clBlack), 100) << "the side stays, the band and no rectangle";
  EXPECT_EQ(F().FPolyCount, 0);
}

}  // namespace
}  // namespace kroma::test
