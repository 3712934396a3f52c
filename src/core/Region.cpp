// A region is a tree of shapes and combinations; rasterising walks it for
// one window, using the same rasterisers as the canvas's filled figures.
#include "core/Region.h"

#include <algorithm>
#include <limits>

#include "core/RasterEllipse.h"
#include "core/RasterGeometry.h"
#include "core/RasterPolygon.h"

namespace kroma {

struct TRegion::Node {
  enum Kind { Empty, Rect, RoundRect, Ellipse, Polygon, Combination };
  Kind kind = Empty;
  TRect rect{};  // normalised box of Rect, RoundRect, Ellipse
  int cornerW = 0, cornerH = 0;
  std::vector<TPointF> points;
  TFillMode mode = fmAlternate;
  std::shared_ptr<const TRegion> a, b;
  TRegionOp op = rgnCopy;
};

namespace {

constexpr std::int64_t kIntMin = std::numeric_limits<int>::min(), kIntMax = std::numeric_limits<int>::max();
// Offsets beyond this move every int coordinate out of the int range.
constexpr std::int64_t kFarAway = std::int64_t{1} << 34;

TBox64 BoxOf(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

}  // namespace

TRegion::TRegion() : node_(std::make_shared<Node>()) {}
TRegion::TRegion(std::shared_ptr<const Node> node) : node_(std::move(node)) {}

TRegion TRegion::Rect(const TRect& r) {
  auto n = std::make_shared<Node>();
  n->kind = Node::Rect;
  n->rect = r.Normalized();
  return TRegion(std::move(n));
}

TRegion TRegion::RoundRect(const TRect& r, int cornerWidth, int cornerHeight) {
  auto n = std::make_shared<Node>();
  n->kind = Node::RoundRect;
  n->rect = r.Normalized();
  n->cornerW = cornerWidth;
  n->cornerH = cornerHeight;
  return TRegion(std::move(n));
}

TRegion TRegion::Ellipse(const TRect& r) {
  auto n = std::make_shared<Node>();
  n->kind = Node::Ellipse;
  n->rect = r.Normalized();
  return TRegion(std::move(n));
}

TRegion TRegion::Polygon(std::span<const TPoint> points, TFillMode mode) {
  auto n = std::make_shared<Node>();
  n->kind = Node::Polygon;
  for (TPoint p : points) n->points.push_back({static_cast<double>(p.x), static_cast<double>(p.y)});
  n->mode = mode;
  return TRegion(std::move(n));
}

TRegion TRegion::Combine(const TRegion& a, const TRegion& b, TRegionOp op) {
  auto n = std::make_shared<Node>();
  n->kind = Node::Combination;
  n->a = std::make_shared<const TRegion>(a);
  n->b = std::make_shared<const TRegion>(b);
  n->op = op;
  return TRegion(std::move(n));
}

void TRegion::Offset(int dx, int dy) {
  dx_ = std::clamp(dx_ + dx, -kFarAway, kFarAway);
  dy_ = std::clamp(dy_ + dy, -kFarAway, kFarAway);
}

TSpanSet TRegion::Rasterize(const TRect& window) const {
  if (window.IsEmpty()) return {};
  // The window in the region's own coordinates, kept within the int range
  // (no shape reaches beyond it).
  auto shift = [](std::int64_t v, std::int64_t d) { return static_cast<int>(std::clamp(v - d, kIntMin, kIntMax)); };
  const TRect local{shift(window.Left, dx_), shift(window.Top, dy_), shift(window.Right, dx_), shift(window.Bottom, dy_)};
  if (local.IsEmpty()) return {};
  const Node& n = *node_;
  TSpanSet set;
  switch (n.kind) {
    case Node::Empty: break;
    case Node::Rect: set = TSpanSet(Intersect(n.rect, local)); break;
    case Node::RoundRect: set = RoundRectArea(BoxOf(n.rect), n.cornerW, n.cornerH, local); break;
    case Node::Ellipse: set = EllipseArea(BoxOf(n.rect), local); break;
    case Node::Polygon: set = ScanConvert(n.points, n.mode, {0, 0}, local); break;
    case Node::Combination: {
      TSpanSet a = n.a->Rasterize(local), b = n.b->Rasterize(local);
      switch (n.op) {
        case rgnAnd: set = a.Intersect(b); break;
        case rgnOr: set = a.Union(b); break;
        case rgnXor: set = a.Xor(b); break;
        case rgnDiff: set = a.Subtract(b); break;
        case rgnCopy: set = std::move(a); break;
      }
      break;
    }
  }
  if (dx_ == 0 && dy_ == 0) return set;
  TSpanSet moved;  // back into window coordinates, which hold every pixel
  for (const TSpan& s : set.Spans())
    moved.AppendSorted(static_cast<int>(s.y + dy_), static_cast<int>(s.x0 + dx_), static_cast<int>(s.x1 + dx_));
  return moved;
}

bool TRegion::Contains(int x, int y) const {
  if (x == kIntMax || y == kIntMax) return false;  // no region reaches past the last int
  return !Rasterize({x, y, x + 1, y + 1}).Empty();
}

}  // namespace kroma
