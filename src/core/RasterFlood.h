#pragma once
// The 4-connected area a flood fill covers, collected as runs before any
// pixel is painted.
#include <cstdint>

#include "core/Bitmap.h"
#include "core/Spans.h"

namespace kroma {

// The 4-connected pixels of the 24-bit bitmap reachable from (x, y) whose
// colour equals `color` (matchColor true) or differs from it (false).
// Empty when the seed is outside the bitmap or does not qualify itself.
TSpanSet FloodArea(const TBitmap& bitmap, int x, int y, TColor color, bool matchColor);

}  // namespace kroma
