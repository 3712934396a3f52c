#pragma once
// The colour list "colorlist" beside the image: named colour swatches.
// Each entry is text "name=RRGGBB" (red first, as web colours are
// written). A click sets the brush colour, a Shift-click the pen colour,
// both through the colour panel; the status bar names the colour under
// the pointer.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/Types.h"
#include "editor/Mouse.h"

namespace kroma {

class TKromaF;

struct TNamedColor {
  std::string Name;
  TColor Color = clBlack;
};

// The list's entries, in their order.
std::span<const std::string_view> ColorListEntries();
// One entry read: the name before the first '=', the colour from the six
// hexadecimal digits after it. Anything else is an error.
TNamedColor ParseColorEntry(std::string_view entry);
// All entries read, in their order.
const std::vector<TNamedColor>& ColorList();

// Pointer over item `index`: status panel 3 names it. An index that is no
// item (the pointer below the last swatch: -1) changes nothing.
void colorlistMouseMove(TKromaF& f, int index);
// Release with item `selected` selected (-1 for none, which does
// nothing): with Shift the colour panel's first colour and the pen take
// it, else its second colour and the brush; status panel 3 names it.
void colorlistMouseUp(TKromaF& f, int selected, TShiftState shift);

}  // namespace kroma
