#pragma once
// Wide pens: the union of discs of diameter `width` swept along polylines,
// that is the union of round-capped segments (capsules). Each capsule is
// convex, so it meets a row in one interval; the rows' intervals of all
// capsules merged give the nonzero fill of their outlines.
#include <span>

#include "core/RasterGeometry.h"
#include "core/Spans.h"
#include "core/Types.h"

namespace kroma {

// Pixels of the window whose sample point (x + c, y + c) lies in a capsule
// of radius width / 2 around a segment of the figures (closed figures
// include their closing segment); c = 1/2 for even widths, 0 for odd ones,
// so a horizontal stroke of width w covers exactly w rows. Sample points on
// a capsule's left or top boundary are inside, on its right or bottom
// boundary outside. A figure whose points all coincide draws nothing.
// Throws Error for coordinates that are not finite.
TSpanSet StrokeFigures(std::span<const TFigureF> figures, int width, const TRect& window);

}  // namespace kroma
