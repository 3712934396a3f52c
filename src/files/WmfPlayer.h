#pragma once
// WMF drawings: the placeable header (bounding box and units per inch) or
// the plain header, then the records, played onto a white bitmap of the
// drawing's size. A malformed file throws Error; records that do not fit
// their size, name objects that are not there or cannot be drawn are
// skipped.
#include <cstdint>
#include <span>

#include "core/Bitmap.h"

namespace kroma {

// Without a placeable header the drawing's size comes from its window
// extent, or is this when it sets none.
constexpr int kDefaultWmfWidth = 640, kDefaultWmfHeight = 480;

// Drawings of more than `maxPixels` pixels are refused with Error.
TBitmap PlayWmf(std::span<const std::uint8_t> data, std::int64_t maxPixels = kMaxPixels);

}  // namespace kroma
