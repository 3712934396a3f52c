#pragma once
// The polygon scan converter: contours of double-precision points filled
// with the alternate or the winding rule, for the rows of a window only.
#include <span>
#include <vector>

#include "core/RasterGeometry.h"
#include "core/Region.h"
#include "core/Spans.h"
#include "core/Types.h"

namespace kroma {

// Pixels (x, y) of `window` whose sample point (x + sample.x, y + sample.y)
// lies inside the contours (each implicitly closed). A sample point exactly
// on an edge is inside when the edge is a left or a top edge, so figures
// sharing an edge share no pixel. Throws Error for coordinates that are not
// finite numbers.
TSpanSet ScanConvert(std::span<const std::vector<TPointF>> contours, TFillMode rule, TPointF sample,
                     const TRect& window);

// The same for one contour.
TSpanSet ScanConvert(const std::vector<TPointF>& contour, TFillMode rule, TPointF sample, const TRect& window);

}  // namespace kroma
