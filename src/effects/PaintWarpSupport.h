#pragma once
// Plumbing shared by the warps of TkelPaintFX (effects/PaintFX.h).
#include <cmath>
#include <cstdint>
#include <limits>

namespace kroma {

class TBitmap;

namespace detail {

// The source a source-to-target routine reads while it writes `target`:
// the source itself when it is a 24-bit bitmap other than the target,
// otherwise a 24-bit copy of it held in `scratch` (a copy shares the rows
// until the target writes them, so it is cheap).
const TBitmap& WarpSource(const TBitmap& source, const TBitmap& target, TBitmap& scratch);

// A double in single precision; values beyond its range give infinities
// (a plain conversion of those is undefined), NaN stays NaN.
inline float ToFloat(double v) {
  constexpr double kMax = std::numeric_limits<float>::max();
  if (v > kMax) return std::numeric_limits<float>::infinity();
  if (v < -kMax) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(v);
}

// Stretches `sourceCount` 24-bit pixels into `targetCount` pixels by the
// canvas's nearest-pixel rule (as StretchDraw with cmSrcCopy): target
// pixel i takes source pixel floor((i + 1/2) * sourceCount / targetCount).
// Nothing happens when either count is below 1. The rows must not overlap.
void StretchRow(const std::uint8_t* source, int sourceCount, std::uint8_t* target, int targetCount);

// RippleRandom without its reseed: the offsets come from the generator as
// it stands, so a given RandSeed always gives the same picture.
void RippleFromGenerator(TBitmap& bitmap, int height);

}  // namespace detail
}  // namespace kroma
