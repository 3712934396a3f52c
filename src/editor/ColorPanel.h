#pragma once
// The colour panel "gamma" beside the image: a first colour (the pen's)
// and a second colour (the brush's). Setting either one, by a tool or by
// the person, stores it and tells every listener; the editor's listener
// (TKromaF::gammaChange) copies both to the canvas, and the panel's widget
// repaints.
#include <functional>
#include <vector>

#include "core/Types.h"

namespace kroma {

class TColorPanel {
 public:
  TColorPanel(TColor first, TColor second) : first_(first), second_(second) {}

  TColor FirstColor() const { return first_; }
  TColor SecondColor() const { return second_; }
  void SetFirstColor(TColor color);
  void SetSecondColor(TColor color);

  // Listeners run after every change, in the order they subscribed.
  void Subscribe(std::function<void()> listener) { listeners_.push_back(std::move(listener)); }

 private:
  void Changed();

  TColor first_;
  TColor second_;
  std::vector<std::function<void()>> listeners_;
};

}  // namespace kroma
