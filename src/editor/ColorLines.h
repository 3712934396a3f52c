#pragma once
// Colour helpers that tools and brushes share: the channel average of two
// colours, colour ramps along one row or column of a 24-bit bitmap, and
// the four-neighbour smoothing of one pixel. The gradient brush draws its
// ramps with them, the ornament shapes their spans.
#include "core/Types.h"

namespace kroma {

class TBitmap;

// Each of red, green and blue is (a + b) shr 1 of the two colours'
// channels (system colours resolved first).
TColor MixColors(TColor c1, TColor c2);

// A ramp on `row` from colour c1 at x1 to c2 at x2 (the ends may come in
// either order; the colours keep theirs). Single-precision accumulators
// start at c1 and take one step (c2 - c1) / (x2 - x1) before every pixel,
// so the first pixel already carries one step; each value is rounded
// (ties to even) and clamped to 0..255. Pixels outside the bitmap are
// skipped; a row outside it draws nothing. With smoothEnds the pixels just
// before and after the ramp are smoothed (SmoothPixel). Needs pf24bit.
void InterpolateRow(TBitmap& bitmap, int row, int x1, TColor c1, int x2, TColor c2, bool smoothEnds);
// The same down a column, from c1 at y1 to c2 at y2.
void InterpolateColumn(TBitmap& bitmap, int column, int y1, TColor c1, int y2, TColor c2, bool smoothEnds);

// Pixel (x, y) becomes (above + right + below + left) shr 2 per channel;
// nothing happens unless all four neighbours lie inside the bitmap.
// Needs pf24bit.
void SmoothPixel(TBitmap& bitmap, int x, int y);

}  // namespace kroma
