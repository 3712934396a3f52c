#include "editor/windows/ToolWindow.h"

#include <algorithm>
#include <utility>

#include "core/Error.h"

namespace kroma {
namespace {

const char* KindName(TControlKind kind) {
  switch (kind) {
    case TControlKind::ScrollBar: return "scroll bar";
    case TControlKind::CheckBox: return "check box";
    case TControlKind::Edit: return "edit";
    case TControlKind::Label: return "label";
    case TControlKind::Tree: return "tree";
    case TControlKind::Button: return "button";
    case TControlKind::Picture: return "picture";
    case TControlKind::MenuItem: return "menu item";
  }
  return "control";
}

}  // namespace

TToolWindow::TToolWindow(std::string className, std::string caption)
    : className_(std::move(className)), caption_(std::move(caption)) {}

TToolWindow::~TToolWindow() = default;

void TToolWindow::Show() {
  visible_ = true;
  Notify("");
}

void TToolWindow::Close() {
  OnClose();
  visible_ = false;
  Notify("");
}

std::vector<std::string> TToolWindow::ControlNames() const {
  std::vector<std::string> names;
  for (const auto& c : controls_) names.push_back(c->Name);
  return names;
}

TToolControl& TToolWindow::Control(std::string_view name) {
  return const_cast<TToolControl&>(std::as_const(*this).Control(name));
}

const TToolControl& TToolWindow::Control(std::string_view name) const {
  for (const auto& c : controls_)
    if (c->Name == name) return *c;
  throw Error(className_ + " has no control \"" + std::string(name) + "\"");
}

TToolControl& TToolWindow::Add(TToolControl control) {
  for (const auto& c : controls_)
    if (c->Name == control.Name) throw Error(className_ + ": a second control named \"" + control.Name + "\"");
  controls_.push_back(std::make_unique<TToolControl>(std::move(control)));
  return *controls_.back();
}

TToolControl& TToolWindow::Expect(std::string_view name, std::initializer_list<TControlKind> kinds,
                                  const char* action) {
  TToolControl& c = Control(name);
  if (std::find(kinds.begin(), kinds.end(), c.Kind) == kinds.end())
    throw Error(className_ + ": " + c.Name + " is a " + KindName(c.Kind) + ", which cannot be " + action);
  return c;
}

void TToolWindow::Notify(const std::string& control) {
  if (Changed) Changed(control);
}

Variant TToolWindow::Get(std::string_view name) const {
  const TToolControl& c = Control(name);
  switch (c.Kind) {
    case TControlKind::ScrollBar: return Variant(c.Position);
    case TControlKind::CheckBox: return Variant(c.Checked);
    case TControlKind::Edit:
    case TControlKind::Label: return Variant(c.Text);
    case TControlKind::Tree: return Variant(c.Selected < 0 ? std::string() : NodePath(c, c.Selected));
    case TControlKind::Button:
    case TControlKind::MenuItem: return Variant(c.Caption);
    case TControlKind::Picture:
      return Variant(std::to_string(c.Picture.Width()) + " x " + std::to_string(c.Picture.Height()));
  }
  return {};
}

void TToolWindow::Set(std::string_view name, const Variant& value) {
  TToolControl& c =
      Expect(name, {TControlKind::ScrollBar, TControlKind::CheckBox, TControlKind::Edit, TControlKind::Tree}, "set");
  if (!c.Enabled) throw Error(className_ + ": " + c.Name + " is disabled");
  bool changed = false;
  switch (c.Kind) {
    case TControlKind::ScrollBar: {
      const int position = std::clamp(value.ToInt(), c.Min, c.Max);
      changed = position != c.Position;
      c.Position = position;
      break;
    }
    case TControlKind::CheckBox: {
      const bool checked = value.ToBool();
      changed = checked != c.Checked;
      c.Checked = checked;
      break;
    }
    case TControlKind::Edit: {
      std::string text = value.ToString();
      changed = text != c.Text;
      c.Text = std::move(text);
      break;
    }
    case TControlKind::Tree: {
      const std::string path = value.ToString();
      const int node = FindNode(c, path);
      if (node < 0) throw Error(className_ + ": " + c.Name + " has no node \"" + path + "\"");
      c.Selected = node;
      changed = true;  // a click on a node is always a click
      break;
    }
    default: break;
  }
  Notify(c.Name);
  if (changed && c.OnChange) c.OnChange();
}

void TToolWindow::Click(std::string_view name) {
  TToolControl& c = Expect(name, {TControlKind::Button, TControlKind::MenuItem, TControlKind::CheckBox}, "clicked");
  if (!c.Enabled) throw Error(className_ + ": " + c.Name + " is disabled");
  if (c.Kind == TControlKind::CheckBox) {
    Set(name, Variant(!c.Checked));
    return;
  }
  if (c.OnClick) c.OnClick();
}

void TToolWindow::Mouse(std::string_view name, TMousePhase phase, int x, int y, TMouseButton button,
                        TShiftState shift) {
  TToolControl& c = Expect(name, {TControlKind::Picture}, "drawn on");
  if (c.OnMouse) c.OnMouse(phase, x, y, button, shift);
}

const TBitmap& TToolWindow::Picture(std::string_view name) const {
  const TToolControl& c = Control(name);
  if (c.Kind != TControlKind::Picture) throw Error(className_ + ": " + c.Name + " is not a picture");
  return c.Picture;
}

void TToolWindow::SetRange(std::string_view bar, int min, int max, int position) {
  TToolControl& c = Expect(bar, {TControlKind::ScrollBar}, "given a range");
  c.Min = min;
  c.Max = std::max(min, max);
  c.Position = std::clamp(position, c.Min, c.Max);
  Notify(c.Name);
}

void TToolWindow::SetPositionQuietly(std::string_view bar, int position) {
  TToolControl& c = Expect(bar, {TControlKind::ScrollBar}, "moved");
  c.Position = std::clamp(position, c.Min, c.Max);
  Notify(c.Name);
}

void TToolWindow::SetCaption(std::string_view control, std::string caption) {
  TToolControl& c = Control(control);
  c.Caption = std::move(caption);
  if (c.Kind == TControlKind::Label) c.Text = c.Caption;
  Notify(c.Name);
}

void TToolWindow::SetPicture(std::string_view picture, TBitmap bitmap) {
  TToolControl& c = Expect(picture, {TControlKind::Picture}, "given a picture");
  c.Picture = std::move(bitmap);
  Notify(c.Name);
}

void TToolWindow::SetEnabled(std::string_view control, bool enabled) {
  TToolControl& c = Control(control);
  c.Enabled = enabled;
  Notify(c.Name);
}

std::string TToolWindow::NodePath(const TToolControl& tree, int node) const {
  std::string path;
  for (int n = node; n >= 0 && n < static_cast<int>(tree.Nodes.size());
       n = tree.Nodes[static_cast<std::size_t>(n)].Parent) {
    const std::string& caption = tree.Nodes[static_cast<std::size_t>(n)].Caption;
    path = path.empty() ? caption : caption + "/" + path;
  }
  return path;
}

int TToolWindow::FindNode(const TToolControl& tree, std::string_view path) const {
  for (int n = 0; n < static_cast<int>(tree.Nodes.size()); ++n)
    if (NodePath(tree, n) == path) return n;
  return -1;
}

}  // namespace kroma
