#pragma once
// A tool window as a model: its controls by component name ("EBar",
// "btnUse"), their values, and the handlers that run when the user moves a
// bar, ticks a box, types, picks a tree node, clicks or draws on a picture.
// The window on the screen (ui/ToolWindowView.h) shows these controls and
// turns its widgets' signals into the same calls; scripts reach them
// through app.window; tests call them directly. The model opens no window.
//
// The user's actions (Set, Click, Mouse) run the control's handler as the
// widget's signal would. The window's own code changes controls with the
// quiet setters (SetRange, SetCaption, ...), which run no handler; both
// tell the view which control to show again.
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/Bitmap.h"
#include "core/Variant.h"
#include "editor/Mouse.h"

namespace kroma {

enum class TControlKind { ScrollBar, CheckBox, Edit, Label, Tree, Button, Picture, MenuItem };

enum class TMousePhase { Down, Move, Up };

// A node of a tree control: a caption, the number the window knows it by
// (-1 for a plain group) and its parent's position in the list (-1 for a
// top-level node).
struct TTreeNode {
  std::string Caption;
  int ImageIndex = -1;
  int Parent = -1;
};

struct TToolControl {
  std::string Name;
  TControlKind Kind = TControlKind::Button;
  std::string Caption;  // buttons, check boxes, labels, menu items; a bar's label
  bool Enabled = true;
  bool Horizontal = true;  // scroll bars
  int Min = 0, Max = 100, Position = 0;
  bool Checked = false;
  std::string Text;              // edits and labels
  std::vector<TTreeNode> Nodes;  // trees
  int Selected = -1;             // trees: the selected node, -1 for none
  TBitmap Picture;               // pictures

  // Bars, boxes, edits and trees: after the value changed. Buttons and menu
  // items: the click. Pictures: mouse phases.
  std::function<void()> OnChange;
  std::function<void()> OnClick;
  std::function<void(TMousePhase, int x, int y, TMouseButton, TShiftState)> OnMouse;
};

class TToolWindow {
 public:
  TToolWindow(std::string className, std::string caption);
  virtual ~TToolWindow();
  TToolWindow(const TToolWindow&) = delete;
  TToolWindow& operator=(const TToolWindow&) = delete;

  const std::string& ClassName() const { return className_; }
  const std::string& Caption() const { return caption_; }
  bool Visible() const { return visible_; }
  // Shows the window (its view follows); Close runs OnClose first.
  void Show();
  void Close();

  // ---- Controls ----
  std::vector<std::string> ControlNames() const;
  const std::vector<std::unique_ptr<TToolControl>>& Controls() const { return controls_; }
  // Error naming the window and the control when there is none.
  TToolControl& Control(std::string_view name);
  const TToolControl& Control(std::string_view name) const;

  // ---- What the user does, and what a script asks ----
  // A bar's position, a box's state, an edit's or label's text, a button's
  // caption, a tree's selected path ("Blur/Split Blur", "" for none), a
  // picture's size as "W x H".
  Variant Get(std::string_view control) const;
  // As the user: a bar moves to the value (clamped to its range), a box is
  // ticked or cleared, an edit takes the text, a tree node is picked by its
  // path. The control's change handler runs when the value changed, and
  // for a tree always (a click on the selected node runs it again).
  void Set(std::string_view control, const Variant& value);
  // Buttons and menu items.
  void Click(std::string_view control);
  // Pictures.
  void Mouse(std::string_view control, TMousePhase phase, int x, int y, TMouseButton button, TShiftState shift);
  const TBitmap& Picture(std::string_view control) const;

  // ---- What the window's own code does (no handlers run) ----
  void SetRange(std::string_view bar, int min, int max, int position);
  void SetPositionQuietly(std::string_view bar, int position);
  void SetCaption(std::string_view control, std::string caption);
  void SetPicture(std::string_view picture, TBitmap bitmap);
  void SetEnabled(std::string_view control, bool enabled);
  // A tree node's path from the top ("Blur/Split Blur"), and back (-1).
  std::string NodePath(const TToolControl& tree, int node) const;
  int FindNode(const TToolControl& tree, std::string_view path) const;

  // ---- The view ----
  // Called with a control's name after it changed, and with "" when the
  // window was shown or closed.
  std::function<void(const std::string& control)> Changed;

 protected:
  TToolControl& Add(TToolControl control);
  // Runs before the window closes.
  virtual void OnClose() {}

 private:
  TToolControl& Expect(std::string_view name, std::initializer_list<TControlKind> kinds, const char* action);
  void Notify(const std::string& control);

  std::string className_;
  std::string caption_;
  bool visible_ = false;
  std::vector<std::unique_ptr<TToolControl>> controls_;
};

}  // namespace kroma
