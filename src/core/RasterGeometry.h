#pragma once
// Plain geometry shared by the rasterisers: double-precision points and
// figures, and boxes in 64-bit coordinates (grown boxes never overflow).
#include <cstdint>
#include <vector>

namespace kroma {

struct TPointF {
  double x = 0;
  double y = 0;
  friend constexpr bool operator==(const TPointF&, const TPointF&) = default;
};

// One figure of a path or a polyline; a closed figure joins its last point
// to its first.
struct TFigureF {
  std::vector<TPointF> points;
  bool closed = false;
};

// A box with left <= right and top <= bottom; right and bottom exclusive.
struct TBox64 {
  std::int64_t left = 0;
  std::int64_t top = 0;
  std::int64_t right = 0;
  std::int64_t bottom = 0;

  std::int64_t Width() const { return right - left; }
  std::int64_t Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  // Grown by d on every side (shrunk for negative d).
  TBox64 Grown(std::int64_t d) const { return {left - d, top - d, right + d, bottom + d}; }
};

}  // namespace kroma
