#include "editor/ColorPanel.h"

#include "core/Canvas.h"
#include "editor/KromaF.h"

namespace kroma {

void TColorPanel::SetFirstColor(TColor color) {
  first_ = color;
  Changed();
}

void TColorPanel::SetSecondColor(TColor color) {
  second_ = color;
  Changed();
}

void TColorPanel::Changed() {
  for (const auto& listener : listeners_) listener();
}

// Every change of either colour sets both: so a change meant for the
// brush also puts the pen back to the panel's first colour.
void TKromaF::gammaChange() {
  Canvas().Pen.Color = gamma.FirstColor();
  Canvas().Brush.SetColor(gamma.SecondColor());
  FAirBrushColor = gamma.SecondColor();
}

}  // namespace kroma
