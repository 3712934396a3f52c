#pragma once
// The one rule for which pixels a range covers. A range is kept as it was
// dragged (its Right may lie left of its Left); every range command turns
// it into the pixels it covers here, so a range dragged up or left, a
// range reaching outside the image and an empty range are handled alike
// everywhere.
//
// Right and Bottom are exclusive, as for every rectangle of the program:
// the range (10, 10, 20, 20) covers 10 x 10 pixels, and Select All's
// (0, 0, W, H) covers the whole image and nothing past it.
#include "core/Types.h"

namespace kroma {

class TBitmap;

// The range normalised and clipped to a width x height image; an empty
// rectangle when it covers no pixel of the image.
TRect RangeArea(const TRect& range, int width, int height);
TRect RangeArea(const TRect& range, const TBitmap& image);
// The same, but an empty area is an error (kroma::Error) that tells the
// user to select a range first.
TRect RequireRangeArea(const TRect& range, const TBitmap& image);

}  // namespace kroma
