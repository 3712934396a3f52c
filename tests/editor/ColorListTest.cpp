#include <gtest/gtest.h>

#include <set>

#include "EditorFixture.h"
#include "core/Canvas.h"
#include "core/Error.h"
#include "editor/ColorList.h"
#include "editor/Commands.h"

namespace kroma::test {
namespace {

using ColorListTest = EditorTest;

int IndexOf(const std::string& name) {
  const auto& list = ColorList();
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i].Name == name) return static_cast<int>(i);
  return -1;
}

TEST(ColorList, EntriesReadRedFirst) {
  const auto& list = ColorList();
  ASSERT_EQ(list.size(), 139u);
  EXPECT_EQ(list.front().Name, "azure");
  EXPECT_EQ(list.back().Name, "black");
  EXPECT_EQ(list[static_cast<std::size_t>(IndexOf("orange"))].Color, 0x0000A5FF);
  // Equal colours keep their own names.
  EXPECT_NE(IndexOf("aqua"), IndexOf("cyan"));
  EXPECT_EQ(list[static_cast<std::size_t>(IndexOf("aqua"))].Color,
            list[static_cast<std::size_t>(IndexOf("cyan"))].Color);
  std::set<std::string> names;
  for (const TNamedColor& c : list) names.insert(c.Name);
  EXPECT_EQ(names.size(), list.size());
}

TEST(ColorList, MalformedEntriesAreErrors) {
  EXPECT_EQ(ParseColorEntry("x=0a0B0c").Color, RGB(0x0A, 0x0B, 0x0C));
  for (const char* bad : {"", "red", "red=", "red=FF00", "red=FF00001", "red=GG0000", "=FF0000"})
    EXPECT_THROW(ParseColorEntry(bad), Error) << bad;
}

TEST_F(ColorListTest, ClickSetsTheBrushShiftClickThePen) {
  F().Canvas().Pen.Color = clGreen;  // the panel's first colour is still black
  colorlistMouseUp(F(), IndexOf("orange"), 0);
  EXPECT_EQ(F().gamma.SecondColor(), 0x0000A5FF);
  EXPECT_EQ(F().Canvas().Brush.Color(), 0x0000A5FF);
  EXPECT_EQ(F().FAirBrushColor, 0x0000A5FF);
  EXPECT_EQ(F().Canvas().Pen.Color, clBlack) << "every panel change puts the pen back to the first colour";
  EXPECT_EQ(view.Status[3], "orange");

  colorlistMouseUp(F(), IndexOf("red"), ssShift);
  EXPECT_EQ(F().gamma.FirstColor(), 0x000000FF);
  EXPECT_EQ(F().Canvas().Pen.Color, 0x000000FF);
  EXPECT_EQ(F().Canvas().Brush.Color(), 0x0000A5FF) << "re-set from the panel's second colour";
  EXPECT_EQ(view.Status[3], "red");

  colorlistMouseUp(F(), -1, 0);
  EXPECT_EQ(F().gamma.FirstColor(), 0x000000FF) << "no selection: nothing";
}

TEST_F(ColorListTest, PointerNamesOnlyExistingItems) {
  colorlistMouseMove(F(), IndexOf("teal"));
  EXPECT_EQ(view.Status[3], "teal");
  colorlistMouseMove(F(), -1);
  colorlistMouseMove(F(), 139);
  EXPECT_EQ(view.Status[3], "teal");
}

TEST_F(ColorListTest, PickBrushTakesThePixelOrTheMixAndEnds) {
  Image().SetPixel(40, 30, RGB(1, 2, 3));
  Image().SetPixel(35, 30, RGB(100, 0, 50));
  Image().SetPixel(45, 30, RGB(0, 200, 51));
  RunCommand(F(), "ToolButton5Click");
  EXPECT_EQ(F().FToolKey, "paintpick");
  Press(40, 30);
  Release(40, 30);
  EXPECT_EQ(F().Canvas().Brush.Color(), RGB(1, 2, 3));
  EXPECT_EQ(F().gamma.SecondColor(), RGB(1, 2, 3));
  EXPECT_EQ(F().FToolKey, "");

  RunCommand(F(), "ToolButton5Click");
  Press(40, 30);
  Release(40, 30, ssAlt);
  EXPECT_EQ(F().gamma.SecondColor(), RGB(50, 100, 50));

  // Off the image nothing is picked and the tool stays. With Alt at the
  // edge, a neighbour past it is the nearest pixel inside.
  RunCommand(F(), "ToolButton5Click");
  Press(300, -20);
  Release(300, -20);
  EXPECT_EQ(F().gamma.SecondColor(), RGB(50, 100, 50));
  EXPECT_EQ(F().FToolKey, "paintpick");
  Image().SetPixel(255, 0, RGB(9, 9, 9));
  Image().SetPixel(248, 0, RGB(1, 1, 1));
  Press(253, 0);
  Release(253, 0, ssAlt);  // (248, 0) and (258, 0), which is past the edge
  EXPECT_EQ(F().gamma.SecondColor(), RGB(5, 5, 5));
  EXPECT_EQ(F().FToolKey, "");
}

}  // namespace
}  // namespace kroma::test
