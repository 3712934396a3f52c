#pragma once
// TSpanSet: a set of pixels as horizontal runs, sorted by row and then by
// column, never overlapping or touching within a row. Every figure is
// turned into span sets (clipped to a window) before a single pixel is
// written, which is what keeps each pixel to one write per call.
#include <cstdint>
#include <vector>

#include "core/Types.h"

namespace kroma {

struct TSpan {
  int y;
  int x0;  // first pixel
  int x1;  // one past the last pixel
  friend constexpr bool operator==(const TSpan&, const TSpan&) = default;
};

class TSpanSet {
 public:
  TSpanSet() = default;
  // One run per row of the rectangle; throws Error for more rows than any
  // image has pixels (use window-sized rectangles).
  explicit TSpanSet(const TRect& r);

  const std::vector<TSpan>& Spans() const { return spans_; }
  bool Empty() const { return spans_.empty(); }
  TRect Bounds() const;
  bool Contains(int x, int y) const;
  std::int64_t PixelCount() const;

  // Builds from runs in any order, which may overlap.
  static TSpanSet FromUnsorted(std::vector<TSpan> runs);
  // Appends a run on a row at or after the last one; merges touching runs.
  // (Rows must be added in order and runs left to right within a row;
  // anything else throws Error.) Empty runs are ignored.
  void AppendSorted(int y, int x0, int x1);

  TSpanSet Union(const TSpanSet& other) const;
  TSpanSet Intersect(const TSpanSet& other) const;
  TSpanSet Subtract(const TSpanSet& other) const;
  TSpanSet Xor(const TSpanSet& other) const;
  TSpanSet Clipped(const TRect& window) const;
  // Moves every run; pixels moved beyond the int range are dropped.
  void Offset(int dx, int dy);

 private:
  std::vector<TSpan> spans_;
};

}  // namespace kroma
