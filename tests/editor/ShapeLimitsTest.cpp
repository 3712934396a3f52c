#include <climits>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "EditorFixture.h"
#include "core/Canvas.h"
#include "editor/Commands.h"
#include "editor/ToolKeys.h"

namespace kroma::test {
namespace {

using ShapeLimitsTest = EditorTest;

// An option outside its accepted range (set by a script, say) draws what
// the nearest accepted value draws, so no tool loops without bound; a pen
// width of 0 or less draws as 1.
TEST_F(ShapeLimitsTest, OutOfRangeOptionsDrawAsTheNearestAcceptedValue) {
  struct Case {
    const char* command;
    std::function<void(TKromaF&)> outside, nearest;
  };
  const Case cases[] = {
      {"Spiral1Click", [](TKromaF& f) { f.FSpiralTurns = INT_MAX; }, [](TKromaF& f) { f.FSpiralTurns = 50; }},
      {"Spiral1Click", [](TKromaF& f) { f.FSpiralFactor = NAN; }, [](TKromaF& f) { f.FSpiralFactor = 0.99; }},
      {"SpiroGraph1Click", [](TKromaF& f) { f.FSpiroTurns = INT_MAX; }, [](TKromaF& f) { f.FSpiroTurns = 100; }},
      {"Rectangle1Click", [](TKromaF& f) { f.FShapeCount = INT_MAX; }, [](TKromaF& f) { f.FShapeCount = 25; }},
      {"Star1Click", [](TKromaF& f) { f.FShapeCount = INT_MIN; }, [](TKromaF& f) { f.FShapeCount = 1; }},
      {"Star1Click", [](TKromaF& f) { f.FStarPoints = INT_MAX; }, [](TKromaF& f) { f.FStarPoints = 12; }},
      {"LineStraight1Click", [](TKromaF& f) { f.FLineTolerance = -1; }, [](TKromaF& f) { f.FLineTolerance = 5; }},
      {"Ellipse1Click", [](TKromaF& f) { f.Canvas().Pen.Width = 0; }, [](TKromaF& f) { f.Canvas().Pen.Width = 1; }},
      {"Maze1Click", [](TKromaF& f) { f.Canvas().Pen.Width = -7; }, [](TKromaF& f) { f.Canvas().Pen.Width = 1; }},
  };
  auto draw = [this](const Case& c, const std::function<void(TKromaF&)>& option) {
    Restart();
    RunCommand(F(), c.command);
    option(F());
    Press(150, 128);
    Move(170, 140);
    Move(200, 150);
    Release(200, 150);
    return Image();
  };
  for (const Case& c : cases) {
    const TBitmap outside = draw(c, c.outside);
    const TBitmap nearest = draw(c, c.nearest);
    EXPECT_TRUE(SamePixels(outside, nearest)) << c.command;
    EXPECT_GT(CountColor(outside, clBlack), 20) << c.command;
  }
}

// Gestures across the whole int range neither overflow nor take long:
// every tool of the Lines and 2D Shapes menus, every stage. The bands
// reach the whole image, the flood fill has nothing to start from, the
// spirograph's radii are too large.
TEST_F(ShapeLimitsTest, GesturesAtTheEndsOfTheIntRange) {
  for (const TToolKeyInfo& info : ToolKeys()) {
    if (info.Path.empty() || (info.Family != TToolFamily::Lines && info.Family != TToolFamily::AreaShapes)) continue;
    const std::string key(info.Key);
    SCOPED_TRACE(key);
    Restart();
    prompts.ClearLog();
    RunCommand(F(), info.Command);
    F().FShapeCount = 25;
    F().Canvas().Brush.SetColor(clYellow);
    for (int stage = 0; stage < 3; ++stage) {
      Press(INT_MIN, INT_MIN);
      Move(0, INT_MAX);
      Move(INT_MAX, INT_MAX, ssLeft | ssCtrl | ssShift);
      Release(INT_MAX, INT_MAX);
    }
    Press(INT_MAX, INT_MIN, ssAlt, mbRight);
    EXPECT_FALSE(F().FMouseDown);
    if (key == "bars" || key == "border") {
      EXPECT_EQ(CountColor(Image(), clYellow), 256 * 256);
    } else if (key == "floodfill") {
      EXPECT_EQ(CountColor(Image(), clWhite), 256 * 256);
    } else if (key == "spiro") {
      EXPECT_EQ(prompts.Messages(), std::vector<std::string>(3, "sum of radi to large"));
    }
  }
}

}  // namespace
}  // namespace kroma::test
