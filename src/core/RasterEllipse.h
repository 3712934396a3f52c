#pragma once
// Ellipses and round rectangles as exact pixel rows: one run per row,
// symmetric about both axes, computed for the window's rows only.
#include <cstdint>

#include "core/RasterGeometry.h"
#include "core/Spans.h"
#include "core/Types.h"

namespace kroma {

// The run [x0, x1) of row y of the ellipse inscribed in `box`: the pixels
// whose centres (x + 1/2, y + 1/2) lie in the ellipse or on it. With
// W, H the box size and X = 2x + 1 - (left + right), Y = 2y + 1 -
// (top + bottom), pixel (x, y) belongs to it exactly when
//   X^2 H^2 + Y^2 W^2 <= W^2 H^2,
// tested in exact integer arithmetic, so boxes of any 64-bit-safe size
// (the int range grown by any pen width) work. False for an empty row.
bool EllipseRow(const TBox64& box, std::int64_t y, std::int64_t& x0, std::int64_t& x1);

// The ellipse area clipped to the window.
TSpanSet EllipseArea(const TBox64& box, const TRect& window);

// A box whose corners are quarter ellipses of a cornerW x cornerH ellipse
// (each clamped to 0 .. box size): row by row the corner ellipse's run
// with the box's straight part inserted at its middle.
bool RoundRectRow(const TBox64& box, std::int64_t cornerW, std::int64_t cornerH, std::int64_t y, std::int64_t& x0,
                  std::int64_t& x1);
TSpanSet RoundRectArea(const TBox64& box, std::int64_t cornerW, std::int64_t cornerH, const TRect& window);

}  // namespace kroma
