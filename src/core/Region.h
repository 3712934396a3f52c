#pragma once
// TRegion: a clip region built from rectangles, round rectangles, ellipses
// and polygons, combined with and, or, xor and difference. A region keeps
// its recipe and is turned into pixels only for a window (the bitmap it
// clips), so regions of any coordinate size cost what the window costs.
// Pixel membership follows the same rules as the filled figures of TCanvas.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "core/Spans.h"
#include "core/Types.h"

namespace kroma {

enum TFillMode { fmAlternate, fmWinding };
enum TRegionOp { rgnAnd, rgnOr, rgnXor, rgnDiff, rgnCopy };

class TRegion {
 public:
  TRegion();  // empty region
  static TRegion Rect(const TRect& r);
  static TRegion RoundRect(const TRect& r, int cornerWidth, int cornerHeight);
  static TRegion Ellipse(const TRect& r);
  static TRegion Polygon(std::span<const TPoint> points, TFillMode mode);
  // a op b (rgnCopy gives a).
  static TRegion Combine(const TRegion& a, const TRegion& b, TRegionOp op);

  // Moves the region; offsets add up (far beyond the int range a region
  // simply has no pixels in any window).
  void Offset(int dx, int dy);
  // The region's pixels inside the window.
  TSpanSet Rasterize(const TRect& window) const;
  bool Contains(int x, int y) const;

  struct Node;

 private:
  explicit TRegion(std::shared_ptr<const Node> node);
  std::shared_ptr<const Node> node_;
  std::int64_t dx_ = 0;
  std::int64_t dy_ = 0;
};

}  // namespace kroma
