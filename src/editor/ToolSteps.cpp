#include "editor/ToolSteps.h"

#include "core/Error.h"
#include "editor/ToolKeys.h"

namespace kroma {
namespace {

template <typename T>
void Merge(T& into, T step, std::string_view key, const char* phase) {
  if (!step) return;
  if (into) throw Error("The tool key \"" + std::string(key) + "\" has two " + phase + " steps");
  into = step;
}

}  // namespace

void TToolStepRegistry::Register(std::string_view key, const TToolSteps& steps) {
  if (!FindToolKey(key)) throw Error("Unknown tool key \"" + std::string(key) + "\"");
  auto it = steps_.find(key);
  if (it == steps_.end()) it = steps_.emplace(std::string(key), TToolSteps{}).first;
  Merge(it->second.Press, steps.Press, key, "press");
  Merge(it->second.Move, steps.Move, key, "move");
  Merge(it->second.Release, steps.Release, key, "release");
  Merge(it->second.Timer, steps.Timer, key, "timer");
}

const TToolSteps& TToolStepRegistry::Find(std::string_view key) const {
  static const TToolSteps kNone;
  auto it = steps_.find(key);
  return it == steps_.end() ? kNone : it->second;
}

}  // namespace kroma
