#pragma once
// EMF drawings: the header's picture frame (in hundredths of a millimetre)
// sets the drawing's size at 96 dots per inch and is mapped onto a white
// bitmap of that size; then the records are played onto it. A malformed
// file throws Error; records that do not fit their size, name objects that
// are not there or cannot be drawn are skipped.
#include <cstdint>
#include <span>

#include "core/Bitmap.h"

namespace kroma {

// Drawings of more than `maxPixels` pixels are refused with Error.
TBitmap PlayEmf(std::span<const std::uint8_t> data, std::int64_t maxPixels = kMaxPixels);

}  // namespace kroma
