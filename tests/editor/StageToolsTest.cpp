#include "EditorFixture.h"
#include "core/Canvas.h"
#include "editor/Commands.h"

namespace kroma::test {
namespace {

using StageToolsTest = EditorTest;

// A drag and two clicks make a chord, an arc or a pie, with the stage in
// status panel 3; the next press starts a new figure.
TEST_F(StageToolsTest, ArcFiguresTakeADragAndTwoClicks) {
  struct Case {
    const char* command;
    const char* key;
    const char* caption;
    TColor lowerMiddle;  // (60, 79), on the lower half of the outline
    TColor inside;       // (60, 45), above the middle row
  };
  // The radials from the right end of the middle row to its left end
  // take the upper half: the chord and the pie fill it, the arc is the
  // upper outline only.
  const Case cases[] = {
      {"Chord1Click", "chord", "Chord", clWhite, clYellow},
      {"Arc1Click", "arc", "Arc", clWhite, clWhite},
      {"Pie1Click", "pie", "Pie", clWhite, clYellow},
  };
  for (const Case& c : cases) {
    Restart();
    SCOPED_TRACE(c.key);
    const std::string key = c.key, caption = c.caption;
    RunCommand(F(), c.command);
    EXPECT_EQ(F().Status(3), caption + ": drag the bounding box");
    F().Canvas().Brush.SetColor(clYellow);
    Press(20, 20);
    Move(70, 90);
    Move(100, 80);
    Release(100, 80);
    EXPECT_EQ(F().FToolKey, key + "1");
    EXPECT_EQ(F().Status(3), caption + ": click the start point");
    EXPECT_EQ(Image().GetPixel(60, 79), clBlack) << "the ellipse of the drag shows";
    Press(100, 50);
    Release(100, 50);
    EXPECT_EQ(F().FToolKey, key + "2");
    EXPECT_EQ(F().Status(3), caption + ": click the end point");
    Press(20, 50);
    Release(20, 50);
    EXPECT_EQ(F().FToolKey, key + "3");
    EXPECT_EQ(Image().GetPixel(60, 79), c.lowerMiddle);
    EXPECT_EQ(Image().GetPixel(60, 20), clBlack);
    EXPECT_EQ(Image().GetPixel(60, 45), c.inside);

    Press(5, 5);
    EXPECT_EQ(F().FToolKey, key) << "the fourth press starts anew";
    EXPECT_EQ(F().Status(3), caption + ": drag the bounding box");
  }
  RunCommand(F(), "Rectangle1Click");
  EXPECT_EQ(F().Status(3), "") << "a tool without stages clears the hint";
}

TEST_F(StageToolsTest, BezierStagesEndWithTheFinalCurve) {
  RunCommand(F(), "Bezier1Click");
  Drag({10, 100}, {200, 100});
  EXPECT_EQ(F().FToolKey, "bezier1");
  EXPECT_EQ(Image().GetPixel(100, 100), clBlack) << "the first drag shows a straight curve";
  Drag({60, 20}, {60, 20});
  EXPECT_EQ(F().FToolKey, "bezier2");
  EXPECT_EQ(Image().GetPixel(100, 100), clWhite) << "control 1 lifted the curve";
  Drag({150, 20}, {150, 20});
  EXPECT_EQ(F().FToolKey, "bezier");
  EXPECT_EQ(F().FBezierPoints[1], (TPoint{60, 20}));
  EXPECT_EQ(F().FBezierPoints[2], (TPoint{150, 20}));
  EXPECT_GT(CountColor(Image(), clBlack), 150);
}

TEST_F(StageToolsTest, PolylineKeepsOneVertexPerClickUpToAHundred) {
  RunCommand(F(), "PolyLine1Click");
  Press(10, 10);
  Release(10, 10);
  EXPECT_EQ(F().FPolyCount, 1);
  EXPECT_TRUE(F().FMouseDown) << "the poly tools keep the gesture across releases";
  Move(30, 10, 0);
  EXPECT_EQ(Image().GetPixel(20, 10), clBlack) << "the next segment follows the pointer";
  for (int i = 0; i < 120; ++i) {
    Press(20 + i, 30);
    Release(20 + i, 30);
  }
  EXPECT_EQ(F().FPolyCount, 100);
  EXPECT_EQ(F().FPolyPoints[100], (TPoint{139, 30})) << "the last slot takes each further vertex";
  Press(0, 0, 0, mbRight);
  EXPECT_EQ(F().FPolyCount, 0);
  EXPECT_FALSE(F().FMouseDown);
}

TEST_F(StageToolsTest, SkewRectangleIsAParallelogram) {
  RunCommand(F(), "SkewRectangle1Click");
  Drag({20, 20}, {80, 20});
  EXPECT_EQ(F().FToolKey, "skewrect1");
  Drag({90, 60}, {90, 60});
  EXPECT_EQ(F().FToolKey, "skewrect2");
  EXPECT_EQ(F().FCorners[3], (TPoint{30, 60}));  // P2 + P0 - P1
  EXPECT_EQ(Image().GetPixel(25, 40), clBlack);  // on the side P3-P0
  Press(1, 1);
  EXPECT_EQ(F().FToolKey, "skewrect");
}

// Undo in the middle of a multi-click figure ends it: the next gesture
// starts a new figure, exactly as on a fresh image, instead of removing a
// rubber band that the undo already took away.
TEST_F(StageToolsTest, UndoEndsAFigureInProgress) {
  struct Case {
    const char* command;
    const char* key;
  };
  auto nextFigure = [this] {
    Move(30, 30, 0);
    Press(30, 30);
    Move(90, 60);
    Release(90, 60);
    Move(50, 100, 0);
    Press(50, 100);
    Release(50, 100);
    Move(110, 20, 0);
  };
  for (const Case& c : {Case{"Chord1Click", "chord"}, Case{"Bezier1Click", "bezier"},
                        Case{"Polygon2Click", "polygon"}, Case{"PolyLine1Click", "polyline"}}) {
    SCOPED_TRACE(c.key);
    Restart();
    RunCommand(F(), c.command);
    nextFigure();
    const TBitmap fresh = Image();

    Restart();
    RunCommand(F(), c.command);
    Press(20, 20);
    Move(70, 90);
    Release(70, 90);
    Move(100, 40, 0);
    RunCommand(F(), "goUndoClick");
    EXPECT_EQ(F().FToolKey, c.key);
    EXPECT_FALSE(F().FMouseDown);
    EXPECT_EQ(CountColor(Image(), clWhite), 256 * 256);
    nextFigure();
    EXPECT_TRUE(SamePixels(Image(), fresh));
    EXPECT_GT(CountColor(fresh, clBlack), 0) << "the figure shows";
  }
}

}  // namespace
}  // namespace kroma::test
