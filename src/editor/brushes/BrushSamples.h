#pragma once
// Colour samples the brushes take around the pointer. A sample outside
// the image takes the nearest pixel inside it, so a brush at the edge
// works with the colours it can see.
#include <cstdint>

#include "core/Types.h"

namespace kroma {

class TBitmap;

// The pixel nearest to (x, y) inside the image (any 64-bit coordinates);
// white for an empty image.
TColor SampleNearest(const TBitmap& image, std::int64_t x, std::int64_t y);

}  // namespace kroma
