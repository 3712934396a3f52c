#pragma once
// Geometry the shape tools share: turning a point about a centre and
// pulling it towards the centre, both in polar form with the result
// rounded to whole pixels (ties to even). The spiral, the star and the
// symmetric brush build their figures from these two.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/Types.h"

namespace kroma {

// `point` turned about `centre` by `angle` radians (positive angles turn
// clockwise on the screen, where y grows downwards).
TPoint rotate(TPoint centre, TPoint point, double angle);
// `point` moved along its ray from `centre` so that its distance from the
// centre is multiplied by `factor`.
TPoint reducevector(TPoint centre, TPoint point, double factor);

// Coordinates worked out in 64 bits, brought back into the int range
// (the canvas clips whatever lies outside the image).
constexpr int ClampToInt(std::int64_t v) {
  return static_cast<int>(
      std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Accepted ranges of the shape options. The option commands keep the
// fields inside them; the tools clamp again before they loop, so a value
// set any other way can neither hang nor overflow a tool.
inline constexpr int kMinShapeCount = 1, kMaxShapeCount = 25;
inline constexpr int kMinStarPoints = 3, kMaxStarPoints = 12;
inline constexpr int kMinSpiralTurns = 1, kMaxSpiralTurns = 50;
inline constexpr int kMinSpiroTurns = 1, kMaxSpiroTurns = 100;
inline constexpr int kMinLineTolerance = 5, kMaxLineTolerance = 50;
inline constexpr double kMinSpiralFactor = 0.1;  // up to, not including, 1
inline constexpr double kDefaultSpiralFactor = 0.99;

}  // namespace kroma
