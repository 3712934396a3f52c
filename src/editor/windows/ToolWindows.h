#pragma once
// The tool windows by class name ("TKromaEffectsF"). The classes are one
// table the modules fill (editor/Modules.h); each editor makes a window the
// first time it is asked for and keeps it while it lives, as the program
// keeps its windows from start to exit. A window is the same model in the
// window and in a batch run; the window's view follows it.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kroma {

class TKromaF;
class TToolWindow;

struct TToolWindowClass {
  std::string Name;
  std::function<std::unique_ptr<TToolWindow>(TKromaF&)> Make;
  // What the window's menu command does to open it, ending by showing it;
  // empty for a window that other windows open (the effects preview).
  std::function<void(TKromaF&, TToolWindow&)> Open;
};

class TToolWindowClasses {
 public:
  // Error for an empty or repeated name.
  void Add(TToolWindowClass windowClass);
  const TToolWindowClass* Find(std::string_view name) const;
  std::vector<std::string> Names() const;

 private:
  std::vector<TToolWindowClass> classes_;
};

class TToolWindows {
 public:
  TToolWindows(TKromaF& editor, const TToolWindowClasses& classes);
  ~TToolWindows();
  TToolWindows(const TToolWindows&) = delete;
  TToolWindows& operator=(const TToolWindows&) = delete;

  // The window, made on first use (the view is told). An unknown class is
  // an Error that names it and the known ones.
  TToolWindow& Get(std::string_view className);
  // As the window's menu command would open it; a window without one is
  // only returned.
  TToolWindow& Open(std::string_view className);
  // The window if it was made already.
  TToolWindow* Made(std::string_view className) const;

 private:
  TKromaF& editor_;
  const TToolWindowClasses& classes_;
  std::vector<std::unique_ptr<TToolWindow>> windows_;
};

}  // namespace kroma
