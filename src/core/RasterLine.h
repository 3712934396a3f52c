#pragma once
// Width-1 lines: one pixel per step of the major coordinate, computed in
// closed form so that a line of any length clips analytically and only its
// visible pixels are visited.
#include <cstdint>

#include "core/RasterOutline.h"
#include "core/Types.h"

namespace kroma {

// Adds the pixels of the line from a to b, end pixel left out, that lie in
// `window`. For |dx| >= |dy| there is one pixel per column, at row
// floor(yexact + 1/2) where yexact is the exact line at that column (halves
// go down, whichever way the line is drawn), likewise per row for steeper
// lines; so a line is the same pixel set in both directions apart from the
// end left out. The pixel k major steps from a sits at position
// `position0 + k` along the outline.
void RasterLine(TPoint a, TPoint b, const TRect& window, std::int64_t position0, TOutlineCollector& out);

// Major steps from a to b: max(|dx|, |dy|), the positions a line uses.
std::int64_t LineSteps(TPoint a, TPoint b);

}  // namespace kroma
