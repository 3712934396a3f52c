#pragma once
// TRegion: a clip region built from rectangles, round rectangles, ellipses
// and polygons, combined with and, or, xor and difference. A region keeps
// its recipe and is turned into pixels only for a window (the bitmap it
// clips), so regions of any coordinate size cost what the window costs.
// Pixel membership follows the same rules as the filled figures of TCanvas.
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

  void Offset(int dx, int dy);
  // The region's pixels inside the window.
  TSpanSet Rasterize(const TRect& window) const;
  bool Contains(int x, int y) const;

  struct Node;

 private:
  explicit TRegion(std::shared_ptr<const Node> node);
  std::shared_ptr<const Node> node_;
  int dx_ = 0;
  int dy_ = 0;
};

}  // namespace kroma
