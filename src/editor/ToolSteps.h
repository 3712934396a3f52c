#pragma once
// The steps tool modules give their keys: what a key does at a press, a
// move (with the button down) and a release, after the common steps of
// the mouse phases have run, and at a timer tick. A key with no step for
// a phase runs only the common steps.
#include <map>
#include <string>
#include <string_view>

#include "editor/Mouse.h"

namespace kroma {

class TKromaF;

using TMouseStep = void (*)(TKromaF& editor, const TMouseEvent& e);
using TTimerStep = void (*)(TKromaF& editor);

struct TToolSteps {
  TMouseStep Press = nullptr;
  TMouseStep Move = nullptr;
  TMouseStep Release = nullptr;
  TTimerStep Timer = nullptr;
};

class TToolStepRegistry {
 public:
  // Adds the steps of one key. Throws Error for a key the mouse phases do
  // not know and for a phase that already has a step.
  void Register(std::string_view key, const TToolSteps& steps);
  // The steps of `key`; all empty when none were registered.
  const TToolSteps& Find(std::string_view key) const;

 private:
  std::map<std::string, TToolSteps, std::less<>> steps_;
};

}  // namespace kroma
