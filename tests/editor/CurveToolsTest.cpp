#include <array>
#include <cmath>
#include <string>

#include "EditorFixture.h"
#include "core/Canvas.h"
#include "editor/Commands.h"

namespace kroma::test {
namespace {

using CurveToolsTest = EditorTest;

double DistanceTo(TPoint c, int x, int y) { return std::hypot(x - c.x, y - c.y); }

// Black pixels whose distance from `c` lies in [lo, hi].
int BlackInRing(const TBitmap& b, TPoint c, double lo, double hi) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      double d = DistanceTo(c, x, y);
      n += d >= lo && d <= hi && b.GetPixel(x, y) == clBlack;
    }
  return n;
}

TRect BlackBounds(const TBitmap& b) {
  TRect r{b.Width(), b.Height(), -1, -1};
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.GetPixel(x, y) == clBlack)
        r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x), std::max(r.Bottom, y)};
  return r;
}

// A diagonal drag starts horizontal (the tie) and changes axis only when
// one event moves further across the locked axis than the tolerance (5).
TEST_F(CurveToolsTest, StraightLineLocksToOneAxisAtATime) {
  struct Step {
    TPoint to;
    const char* direction;
  };
  RunCommand(F(), "LineStraight1Click");
  Press(50, 50);
  const Step steps[] = {
      {{53, 53}, "h"},  // tie: horizontal; 3 across stays within the tolerance
      {{56, 56}, "h"},
      {{58, 63}, "v"},  // 7 down in one event
      {{70, 64}, "h"},  // 12 across in one event
  };
  for (const Step& s : steps) {
    Move(s.to.x, s.to.y);
    EXPECT_EQ(F().FLineDirection, s.direction) << "at (" << s.to.x << ", " << s.to.y << ")";
  }
  Release(70, 64);
  // Horizontal moves keep the previous pointer row, vertical ones its column.
  EXPECT_EQ(Image().GetPixel(52, 50), clBlack);
  EXPECT_EQ(Image().GetPixel(56, 62), clBlack) << "the vertical run stays in column 56";
  EXPECT_EQ(Image().GetPixel(58, 62), clWhite);
  EXPECT_EQ(Image().GetPixel(69, 63), clBlack) << "the last run stays in row 63";
  EXPECT_EQ(CountColor(Image(), clBlack), 3 + 3 + 10 + 14);

  Press(50, 150);
  Move(51, 160);
  EXPECT_EQ(F().FLineDirection, "v") << "a steep first move starts vertical";
  EXPECT_EQ(Image().GetPixel(50, 159), clBlack);
}

// A spiral winds inwards from the release point about the press point:
// one turn with the factor 0.95 ends at about 50 * 0.95^36 = 7.9 pixels.
TEST_F(CurveToolsTest, SpiralWindsInwardsInTheChosenDirection) {
  const TPoint c{128, 128};
  auto draw = [&](const char* direction) {
    Restart();
    RunCommand(F(), "Spirals1Click");
    RunCommand(F(), "SpiralFactor095Click");
    RunCommand(F(), direction);
    RunCommand(F(), "Spiral1Click");
    Press(c.x, c.y);
    Move(160, 128);
    Move(178, 128);
    Release(178, 128);
  };
  for (const char* direction : {"SpiralRight1Click", "SpiralLeft1Click"}) {
    draw(direction);
    SCOPED_TRACE(direction);
    EXPECT_EQ(BlackInRing(Image(), c, 51, 1000), 0) << "nothing outside the start radius";
    EXPECT_EQ(BlackInRing(Image(), c, 0, 6.5), 0) << "nothing inside the last radius";
    EXPECT_GT(BlackInRing(Image(), c, 7, 51), 100);
    EXPECT_EQ(Image().GetPixel(170, 128), clWhite) << "the rubber band is gone";
    // The first steps from the release point go down for a right spiral,
    // up for a left one; no later turn comes back this far out.
    int below = 0, above = 0;
    for (int y = 0; y < 256; ++y)
      for (int x = 165; x < 180; ++x) {
        if (Image().GetPixel(x, y) != clBlack) continue;
        below += y > 130;
        above += y < 126;
      }
    if (std::string(direction) == "SpiralRight1Click") {
      EXPECT_GT(below, 5);
      EXPECT_EQ(above, 0);
    } else {
      EXPECT_GT(above, 5);
      EXPECT_EQ(below, 0);
    }
  }
}

TEST_F(CurveToolsTest, SpiralReleasedAtItsCentreDrawsNothing) {
  RunCommand(F(), "Spiral1Click");
  Press(50, 60);
  Release(50, 60);
  EXPECT_EQ(CountColor(Image(), clWhite), 256 * 256);
  EXPECT_EQ(F().FStartPoint, (TPoint{5000, 6000})) << "the press point stays in hundredths";
}

// The spirograph needs a square image (halves compared after div 2), a
// sum of radii within half the width and both radii at least 5. After a
// message nothing is drawn, and the rubber band is gone too.
TEST_F(CurveToolsTest, SpirographChecksItsImageAndRadii) {
  struct Case {
    int width, height;
    TPoint start, end;    // the centre of a 256 image is (128, 128)
    const char* message;  // nullptr: drawn
  };
  const Case cases[] = {
      {300, 302, {190, 151}, {220, 151}, "image must be square for spirographs"},
      {300, 301, {190, 150}, {220, 150}, nullptr},
      {256, 256, {188, 128}, {188, 196}, nullptr},  // 60 + 68 = 128
      {256, 256, {188, 128}, {188, 197}, "sum of radi to large"},
      {256, 256, {132, 128}, {132, 148}, "both radi must be >5"},  // R1 = 4
      {256, 256, {168, 128}, {172, 128}, "both radi must be >5"},  // R2 = 4
      {256, 256, {133, 128}, {133, 133}, nullptr},                 // 5 and 5
  };
  for (const Case& c : cases) {
    Restart();
    prompts.ClearLog();
    Image().SetSize(c.width, c.height);
    Image().Fill(clWhite);
    RunCommand(F(), "SpiroGraph1Click");
    Press(c.start.x, c.start.y);
    Move((c.start.x + c.end.x) / 2, (c.start.y + c.end.y) / 2);
    Move(c.end.x, c.end.y);
    Release(c.end.x, c.end.y);
    SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << " to (" << c.end.x << ", " << c.end.y << ")");
    if (c.message) {
      EXPECT_EQ(prompts.Messages(), std::vector<std::string>{c.message});
      EXPECT_EQ(CountColor(Image(), clWhite), c.width * c.height);
    } else {
      EXPECT_TRUE(prompts.Messages().empty());
      EXPECT_GT(CountColor(Image(), clBlack), 20);
    }
  }
}

// The figure is centred on the image, whatever the press point: the press
// point only gives the fixed radius. With radii 60 and 20 about (128, 128)
// the two circles line up pointing right and pointing left, so the figure
// reaches from 48 to 208 and is symmetric about the middle row.
TEST_F(CurveToolsTest, SpirographIsCentredOnTheImage) {
  RunCommand(F(), "SpiroGraph1Click");
  Press(188, 128);
  Move(208, 128);
  Release(208, 128);
  const TRect box = BlackBounds(Image());
  EXPECT_EQ(box.Left, 48);
  EXPECT_EQ(box.Right, 208);
  EXPECT_NEAR(box.Top + box.Bottom, 256, 1);
  EXPECT_EQ(Image().GetPixel(208, 128), clBlack) << "the figure starts at centre + R1 + R2";
  EXPECT_EQ(Image().GetPixel(48, 128), clBlack);
}

// Poly-Bézier segments stay on the image as pmNotXor curves; each press
// starts the next one, and a locked control point carries over to it.
TEST_F(CurveToolsTest, PolyBezierDrawsSegmentsWithLockableControls) {
  TBitmap expected(256, 256);
  expected.Fill(clWhite);
  TCanvas& reference = expected.Canvas();
  reference.Pen.Mode = pmNotXor;
  auto curve = [&reference](TPoint a, TPoint b, TPoint c, TPoint d) {
    const std::array points{a, b, c, d};
    reference.PolyBezier(points);
  };

  RunCommand(F(), "PolyBezier1Click");
  Press(20, 20);
  Move(40, 50);
  Move(60, 60, ssLeft | ssCtrl);  // control 1 locks here
  Move(100, 80);
  Release(100, 80);
  EXPECT_TRUE(F().FMouseDown) << "the gesture stays open across releases";
  curve({20, 20}, {60, 60}, {100, 20}, {100, 80});
  EXPECT_TRUE(SamePixels(Image(), expected));

  Press(100, 80);
  Move(120, 90, 0);  // moves without the button draw too
  Move(150, 100, 0);
  curve({100, 80}, {60, 60}, {150, 80}, {150, 100});
  EXPECT_TRUE(SamePixels(Image(), expected)) << "the locked control serves the next segment, and nothing else shows";

  Press(200, 200, ssAlt, mbRight);
  EXPECT_FALSE(F().FMouseDown) << "Alt with the right button ends the gesture";
  EXPECT_FALSE(F().FBezierLock1);
  Move(10, 200, 0);
  EXPECT_TRUE(SamePixels(Image(), expected));
}

// A right press without Alt clears the locks and restarts the segment at
// its own point; the gesture goes on.
TEST_F(CurveToolsTest, PolyBezierRightPressRestartsTheSegment) {
  RunCommand(F(), "PolyBezier1Click");
  Press(20, 20);
  Move(50, 50, ssLeft | ssShift);
  EXPECT_TRUE(F().FBezierLock2);
  Release(50, 50);
  Press(100, 100, 0, mbRight);
  EXPECT_TRUE(F().FMouseDown);
  EXPECT_FALSE(F().FBezierLock2);
  EXPECT_EQ(F().FStartPoint, (TPoint{100, 100}));
  const TBitmap before = Image();
  Move(140, 100, 0);
  EXPECT_EQ(F().FBezierPoints[2], (TPoint{140, 100})) << "control 2 follows the pointer again";
  EXPECT_EQ(Image().GetPixel(120, 100), clBlack);
  EXPECT_EQ(before.GetPixel(120, 100), clWhite);
}

}  // namespace
}  // namespace kroma::test
