// The tool window model: the user's actions run the handlers as widgets
// would, the window's own changes run none, and every mistake names the
// window and the control.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Error.h"
#include "editor/windows/ToolWindow.h"

namespace kroma {
namespace {

class TTestWindow : public TToolWindow {
 public:
  TTestWindow() : TToolWindow("TTestF", "Test") {
    TToolControl bar;
    bar.Name = "Bar1";
    bar.Kind = TControlKind::ScrollBar;
    bar.Min = 1;
    bar.Max = 10;
    bar.Position = 1;
    Add(std::move(bar)).OnChange = [this] { log.push_back("bar " + std::to_string(Control("Bar1").Position)); };
    TToolControl box;
    box.Name = "Check1";
    box.Kind = TControlKind::CheckBox;
    Add(std::move(box)).OnChange = [this] { log.push_back("check"); };
    TToolControl tree;
    tree.Name = "Tree1";
    tree.Kind = TControlKind::Tree;
    tree.Nodes = {{"Blur", -1, -1}, {"Soft", 3, 0}, {"Hard", 4, 0}, {"Plain", 5, -1}};
    Add(std::move(tree)).OnChange = [this] { log.push_back("tree " + std::to_string(Control("Tree1").Selected)); };
    TToolControl button;
    button.Name = "btnGo";
    button.Kind = TControlKind::Button;
    button.Caption = "Go";
    Add(std::move(button)).OnClick = [this] { log.push_back("go"); };
    TToolControl picture;
    picture.Name = "Image1";
    picture.Kind = TControlKind::Picture;
    Add(std::move(picture)).OnMouse = [this](TMousePhase phase, int x, int y, TMouseButton, TShiftState) {
      log.push_back("mouse " + std::to_string(static_cast<int>(phase)) + " " + std::to_string(x) + "," + std::to_string(y));
    };
  }
  std::vector<std::string> log;
};

TEST(ToolWindow, TheUsersActionsRunTheHandlersOnce) {
  TTestWindow w;
  std::vector<std::string> shown;
  w.Changed = [&](const std::string& c) { shown.push_back(c); };

  w.Set("Bar1", Variant(7));
  w.Set("Bar1", Variant(7));   // no change, no handler
  w.Set("Bar1", Variant(99));  // clamped to the range
  EXPECT_EQ(w.Get("Bar1").ToInt(), 10);
  w.Click("Check1");
  EXPECT_TRUE(w.Get("Check1").ToBool());
  w.Set("Tree1", Variant("Blur/Hard"));
  w.Set("Tree1", Variant("Blur/Hard"));  // a click on the selected node is a click again
  EXPECT_EQ(w.Get("Tree1").ToString(), "Blur/Hard");
  w.Click("btnGo");
  w.Mouse("Image1", TMousePhase::Move, 3, 4, mbLeft, 0);
  EXPECT_EQ(w.log, (std::vector<std::string>{"bar 7", "bar 10", "check", "tree 2", "tree 2", "go", "mouse 1 3,4"}));

  // The window's own changes run no handler but are shown.
  w.log.clear();
  shown.clear();
  w.SetRange("Bar1", 2, 5, 4);
  w.SetCaption("btnGo", "Again");
  EXPECT_TRUE(w.log.empty());
  EXPECT_EQ(shown, (std::vector<std::string>{"Bar1", "btnGo"}));
  EXPECT_EQ(w.Get("btnGo").ToString(), "Again");
  w.Show();
  EXPECT_TRUE(w.Visible());
  w.Close();
  EXPECT_FALSE(w.Visible());
}

TEST(ToolWindow, MistakesNameTheWindowAndTheControl) {
  TTestWindow w;
  struct Case {
    std::function<void()> action;
    std::string message;
  } cases[] = {
      {[&] { w.Set("Nope", Variant(1)); }, "TTestF has no control \"Nope\""},
      {[&] { w.Click("Bar1"); }, "TTestF: Bar1 is a scroll bar, which cannot be clicked"},
      {[&] { w.Set("btnGo", Variant(1)); }, "TTestF: btnGo is a button, which cannot be set"},
      {[&] { w.Set("Tree1", Variant("Blur/Nope")); }, "TTestF: Tree1 has no node \"Blur/Nope\""},
      {[&] { w.Picture("Bar1"); }, "TTestF: Bar1 is not a picture"},
      {[&] { w.Mouse("btnGo", TMousePhase::Down, 0, 0, mbLeft, 0); }, "TTestF: btnGo is a button, which cannot be drawn on"},
  };
  for (const Case& c : cases) {
    try {
      c.action();
      ADD_FAILURE() << "no error for: " << c.message;
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
  }
  EXPECT_TRUE(w.log.empty());
  w.SetEnabled("btnGo", false);
  EXPECT_THROW(w.Click("btnGo"), Error);
}

}  // namespace
}  // namespace kroma
