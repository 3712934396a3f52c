#include "EditorFixture.h"
#include "core/Canvas.h"

namespace kroma::test {
namespace {

using MouseTest = EditorTest;

TEST_F(MouseTest, RubberBandShowsOnlyTheCurrentLineAndStartsWithoutAMark) {
  Press(10, 10);
  Move(30, 10);  // removes the zero-size line first, which must change nothing
  EXPECT_EQ(CountColor(Image(), clBlack), 20);
  EXPECT_EQ(Image().GetPixel(29, 10), clBlack);
  EXPECT_EQ(view.Invalidated, (TRect{10, 10, 30, 11}));

  Move(10, 30);
  EXPECT_EQ(CountColor(Image(), clBlack), 20) << "the old line is gone, the new one drawn";
  EXPECT_EQ(Image().GetPixel(20, 10), clWhite);
  EXPECT_EQ(Image().GetPixel(10, 29), clBlack);
  EXPECT_EQ(F().Status(2), "x=10 y=30 w=0 h=20");
  EXPECT_EQ(F().Canvas().Pen.Mode, pmCopy) << "the user's pen mode is back after the move";
}

// The final line is drawn again with the user's pen mode over the last
// rubber-band copy, except in pmNotXor, where that copy is the result.
// On white, a pmNotXor red line is red; red drawn again with pmXor is black.
TEST_F(MouseTest, FinalLineFollowsTheUsersPenMode) {
  struct Case {
    TPenMode mode;
    TColor expected;
  };
  for (Case c : {Case{pmCopy, clRed}, Case{pmXor, clBlack}, Case{pmNotXor, clRed}}) {
    Restart();
    F().Canvas().Pen.Color = clRed;
    F().SetPenMode(c.mode);
    Press(10, 40);
    Move(50, 40);
    Move(60, 40);
    Release(60, 40);
    for (int x = 10; x < 60; ++x) ASSERT_EQ(Image().GetPixel(x, 40), c.expected) << "mode " << c.mode << " x " << x;
    EXPECT_EQ(CountColor(Image(), clWhite), 256 * 256 - 50);
    EXPECT_EQ(F().Canvas().Pen.Mode, c.mode);
    EXPECT_FALSE(F().FMouseDown);
  }
}

TEST_F(MouseTest, MiddleButtonDrawsLikeTheLeft) {
  F().mypaintMouseDown(mbMiddle, ssMiddle, 5, 5);
  F().mypaintMouseMove(ssMiddle, 5, 15);
  F().mypaintMouseUp(mbMiddle, 0, 5, 15);
  EXPECT_EQ(CountColor(Image(), clBlack), 10);
}

TEST_F(MouseTest, FreehandFollowsThePointerFromThePressPoint) {
  F().FToolKey = "freehand";
  Press(10, 10);
  Move(20, 10);
  Move(20, 20);
  Release(20, 20);
  EXPECT_EQ(Image().GetPixel(10, 10), clBlack);
  EXPECT_EQ(Image().GetPixel(20, 19), clBlack);
  EXPECT_EQ(Image().GetPixel(20, 20), clWhite) << "a line leaves out its end";
  EXPECT_EQ(CountColor(Image(), clBlack), 20);
}

TEST_F(MouseTest, StatusShowsThePointerAndWhileDraggingTheSize) {
  Move(5, 6, 0);
  EXPECT_EQ(view.Status[2], "x=5 y=6");
  Press(5, 6);
  Move(-3, 9);  // a drag outside the image still reports
  EXPECT_EQ(view.Status[2], "x=-3 y=9 w=8 h=3");
}

TEST_F(MouseTest, RightPressPushesNothingAndOnlyEndsPolyTools) {
  Image().SetPixel(0, 0, clRed);
  F().FToolKey = "polygon";
  F().FPolyPoints[0] = {10, 10};
  F().FPolyPoints[1] = {40, 10};
  F().FPolyPoints[2] = {10, 40};
  F().FPolyCount = 3;
  F().FMouseDown = true;
  Press(70, 80, 0, mbRight);
  EXPECT_EQ(F().FClonePoint, (TPoint{70, 80}));
  EXPECT_EQ(F().FPolyCount, 0);
  EXPECT_FALSE(F().FMouseDown);
  EXPECT_EQ(Image().GetPixel(10, 10), clBlack) << "the held polygon is closed and drawn";

  F().goUndoClick();  // had the right press pushed, this would show the red dot
  EXPECT_EQ(Image().GetPixel(0, 0), clWhite);
  EXPECT_EQ(Image().GetPixel(10, 10), clWhite);
}

TEST_F(MouseTest, RightPressEndsPolylineAndRestartsPolyBezier) {
  F().FToolKey = "polyline";
  F().FPolyCount = 4;
  F().FMouseDown = true;
  Press(1, 2, 0, mbRight);
  EXPECT_EQ(F().FPolyCount, 0);
  EXPECT_FALSE(F().FMouseDown);

  F().FToolKey = "polybezier";
  F().FMouseDown = true;
  F().FBezierLock1 = F().FBezierLock2 = true;
  Press(30, 31, 0, mbRight);
  EXPECT_TRUE(F().FMouseDown) << "without Alt the curve goes on from the new point";
  EXPECT_EQ(F().FStartPoint, (TPoint{30, 31}));
  EXPECT_FALSE(F().FBezierLock1 || F().FBezierLock2);
  Press(30, 31, ssAlt, mbRight);
  EXPECT_FALSE(F().FMouseDown);
}

TEST_F(MouseTest, CtrlShiftPressStartsAtTheClonePointAndMovesTheCursorThere) {
  Press(40, 50, 0, mbRight);
  Press(5, 5, ssCtrl | ssShift);
  ASSERT_EQ(desktop.Warps().size(), 1u);
  EXPECT_EQ(desktop.Warps()[0], (TPoint{40, 50}));
  EXPECT_EQ(F().FStartPoint, (TPoint{40, 50}));
  Move(60, 50);
  Release(60, 50);
  EXPECT_EQ(Image().GetPixel(40, 50), clBlack);
  EXPECT_EQ(Image().GetPixel(59, 50), clBlack);
  EXPECT_EQ(Image().GetPixel(5, 5), clWhite);
}

TEST_F(MouseTest, CtrlAltMovesAndReleasesAreIgnoredButTheGestureGoesOn) {
  Press(10, 10);
  Move(10, 10);
  std::string status = view.Status[2];
  Move(30, 30, ssLeft | ssCtrl | ssAlt);
  Release(30, 30, ssCtrl | ssAlt);
  EXPECT_EQ(CountColor(Image(), clBlack), 0);
  EXPECT_EQ(view.Status[2], status);
  EXPECT_EQ(F().FLastPoint, (TPoint{10, 10}));
  EXPECT_TRUE(F().FMouseDown);
  EXPECT_EQ(F().FMousePoint, (TPoint{30, 30})) << "the timer tools still see the pointer";

  Move(10, 20, 0);  // no button held: the press's gesture still draws
  EXPECT_EQ(CountColor(Image(), clBlack), 10);
}

}  // namespace
}  // namespace kroma::test
