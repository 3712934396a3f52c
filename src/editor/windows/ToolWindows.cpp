#include "editor/windows/ToolWindows.h"

#include "core/Error.h"
#include "editor/EditorView.h"
#include "editor/KromaF.h"
#include "editor/windows/ToolWindow.h"

namespace kroma {

void TToolWindowClasses::Add(TToolWindowClass windowClass) {
  if (windowClass.Name.empty() || !windowClass.Make) throw Error("A tool window class needs a name and a maker");
  if (Find(windowClass.Name)) throw Error("A second tool window class \"" + windowClass.Name + "\"");
  classes_.push_back(std::move(windowClass));
}

const TToolWindowClass* TToolWindowClasses::Find(std::string_view name) const {
  for (const TToolWindowClass& c : classes_)
    if (c.Name == name) return &c;
  return nullptr;
}

std::vector<std::string> TToolWindowClasses::Names() const {
  std::vector<std::string> names;
  for (const TToolWindowClass& c : classes_) names.push_back(c.Name);
  return names;
}

TToolWindows::TToolWindows(TKromaF& editor, const TToolWindowClasses& classes) : editor_(editor), classes_(classes) {}

TToolWindows::~TToolWindows() = default;

TToolWindow* TToolWindows::Made(std::string_view className) const {
  for (const auto& w : windows_)
    if (w->ClassName() == className) return w.get();
  return nullptr;
}

TToolWindow& TToolWindows::Get(std::string_view className) {
  if (TToolWindow* w = Made(className)) return *w;
  const TToolWindowClass* c = classes_.Find(className);
  if (!c) {
    std::string known;
    for (const std::string& n : classes_.Names()) known += (known.empty() ? "" : ", ") + n;
    throw Error("unknown window \"" + std::string(className) + "\"; the windows are " + known);
  }
  windows_.push_back(c->Make(editor_));
  TToolWindow& window = *windows_.back();
  editor_.View.ToolWindowMade(window);
  return window;
}

TToolWindow& TToolWindows::Open(std::string_view className) {
  TToolWindow& window = Get(className);
  const TToolWindowClass* c = classes_.Find(className);
  if (c && c->Open) c->Open(editor_, window);
  return window;
}

}  // namespace kroma
