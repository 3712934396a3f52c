#pragma once
// Rasterises placed glyph contours into a text mask with FreeType's
// rasterisers. Used by the text layer; callers hold the font engine lock.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/Text.h"

namespace kroma {

// How much FreeType is handed at once: its spans and outlines count in 16
// bits. Outlines within these limits go to FreeType with their curves;
// larger ones are flattened near the mask, clipped and drawn in tiles.
struct TRasterLimits {
  std::int64_t maxTile = 4096;       // pixels on a side
  std::size_t maxPoints = 32000;     // outline points
};

// Adds the coverage of closed contours (canvas pixels, y down, nonzero
// winding) to the mask, saturating at 255. Anti-aliased, or with `mono`
// FreeType's aliased rasteriser (0 or 255). Only the part inside
// mask.Bounds is computed: contours far larger than the mask cost about as
// much as the mask.
void AddCoverage(const std::vector<TOutlineContour>& contours, TTextMask& mask, bool mono,
                 const TRasterLimits& limits = {});

}  // namespace kroma
