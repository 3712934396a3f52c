// An active edge table over the window's rows: edges enter when the row
// reaches their top and leave at their bottom, so rows outside the window
// cost nothing however large the coordinates are.
#include "core/RasterPolygon.h"

#include <algorithm>
#include <cmath>

#include "core/Error.h"
#include "core/Numeric.h"

namespace kroma {

namespace {

struct Edge {
  double yTop, xTop, xLo, xHi, slope;  // x(y) = xTop + (y - yTop) * slope, kept within [xLo, xHi]
  int dir;                             // +1 going down, -1 going up
  std::int64_t rowFirst, rowEnd;       // rows whose sample lies in [yTop, yBottom)
};

struct Crossing {
  double x;
  int dir;
};

// First row whose sample y + offset is >= v, clamped to [lo, hi].
std::int64_t FirstRowAtOrAfter(double v, double offset, std::int64_t lo, std::int64_t hi) {
  double r = std::ceil(v - offset);
  if (r < static_cast<double>(lo)) return lo;
  if (r > static_cast<double>(hi)) return hi;
  return TruncToInt64(r);  // already a whole number in range
}

}  // namespace

TSpanSet ScanConvert(std::span<const std::vector<TPointF>> contours, TFillMode rule, TPointF sample,
                     const TRect& window) {
  TSpanSet out;
  if (window.IsEmpty()) return out;
  // Rows and columns outside the window are clamped one past it.
  const std::int64_t rowLo = std::int64_t{window.Top} - 1, rowHi = std::int64_t{window.Bottom} + 1;
  std::vector<Edge> edges;
  for (const std::vector<TPointF>& c : contours) {
    for (std::size_t i = 0; i < c.size(); ++i) {
      TPointF a = c[i], b = c[(i + 1) % c.size()];
      if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y))
        throw Error("A figure coordinate is not a finite number");
      if (a.y == b.y) continue;
      int dir = 1;
      if (b.y < a.y) {
        std::swap(a, b);
        dir = -1;
      }
      Edge e{a.y, a.x, std::min(a.x, b.x), std::max(a.x, b.x), (b.x - a.x) / (b.y - a.y), dir, 0, 0};
      e.rowFirst = FirstRowAtOrAfter(a.y, sample.y, rowLo, rowHi);
      e.rowEnd = FirstRowAtOrAfter(b.y, sample.y, rowLo, rowHi);
      if (e.rowFirst >= e.rowEnd || e.rowEnd <= window.Top || e.rowFirst >= window.Bottom) continue;
      edges.push_back(e);
    }
  }
  if (edges.empty()) return out;
  std::sort(edges.begin(), edges.end(), [](const Edge& p, const Edge& q) { return p.rowFirst < q.rowFirst; });
  std::int64_t rowStart = std::max<std::int64_t>(window.Top, edges.front().rowFirst);
  std::int64_t rowStop = window.Bottom;
  std::vector<const Edge*> active;
  std::vector<Crossing> crossings;
  std::size_t next = 0;
  const double colOffset = sample.x;
  for (std::int64_t row = rowStart; row < rowStop; ++row) {
    while (next < edges.size() && edges[next].rowFirst <= row) active.push_back(&edges[next++]);
    std::erase_if(active, [row](const Edge* e) { return e->rowEnd <= row; });
    if (active.empty()) {
      if (next == edges.size()) break;
      row = edges[next].rowFirst - 1;  // jump to the next edge's first row
      continue;
    }
    const double ys = static_cast<double>(row) + sample.y;
    crossings.clear();
    for (const Edge* e : active) {
      double x = std::clamp(e->xTop + (ys - e->yTop) * e->slope, e->xLo, e->xHi);
      crossings.push_back({x, e->dir});
    }
    std::sort(crossings.begin(), crossings.end(), [](const Crossing& p, const Crossing& q) { return p.x < q.x; });
    int winding = 0;
    for (std::size_t k = 0; k + 1 < crossings.size(); ++k) {
      winding = rule == fmAlternate ? (winding ^ 1) : winding + crossings[k].dir;
      if (winding == 0) continue;
      // Pixels whose sample x lies in [crossing k, crossing k + 1).
      std::int64_t x0 = FirstRowAtOrAfter(crossings[k].x, colOffset, window.Left, window.Right);
      std::int64_t x1 = FirstRowAtOrAfter(crossings[k + 1].x, colOffset, window.Left, window.Right);
      out.AppendSorted(static_cast<int>(row), static_cast<int>(x0), static_cast<int>(x1));
    }
  }
  return out;
}

TSpanSet ScanConvert(const std::vector<TPointF>& contour, TFillMode rule, TPointF sample, const TRect& window) {
  return ScanConvert(std::span<const std::vector<TPointF>>(&contour, 1), rule, sample, window);
}

}  // namespace kroma
