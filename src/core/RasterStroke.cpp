#include "core/RasterStroke.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/Error.h"
#include "core/Numeric.h"

namespace kroma {

namespace {

struct Capsule {
  TPointF p, q;
  double ux = 0, uy = 0, length = 0;  // unit direction and length of p -> q
  std::int64_t rowFirst = 0, rowEnd = 0;
};

struct Interval {
  double lo, hi;
};

constexpr double kInf = std::numeric_limits<double>::infinity();

// Intersects [lo, hi] with {x : k * x + c >= 0}.
void KeepNonNegative(double k, double c, double& lo, double& hi) {
  if (k > 0) lo = std::max(lo, -c / k);
  else if (k < 0) hi = std::min(hi, -c / k);
  else if (c < 0) hi = -kInf;
}

// The closed interval where row y meets the capsule, or false.
bool CapsuleRow(const Capsule& c, double r, double y, Interval& out) {
  double lo = kInf, hi = -kInf;
  auto disc = [&](const TPointF& centre) {
    double dy = y - centre.y;
    if (std::abs(dy) > r) return;
    double h = std::sqrt(r * r - dy * dy);
    lo = std::min(lo, centre.x - h);
    hi = std::max(hi, centre.x + h);
  };
  disc(c.p);
  disc(c.q);
  if (c.length > 0) {
    // Points (x, y) with 0 <= (pt - p).u <= length and |(pt - p).n| <= r.
    double sLo = -kInf, sHi = kInf;
    const double ry = y - c.p.y;
    KeepNonNegative(c.ux, -c.p.x * c.ux + ry * c.uy, sLo, sHi);                   // along >= 0
    KeepNonNegative(-c.ux, c.p.x * c.ux - ry * c.uy + c.length, sLo, sHi);        // along <= length
    KeepNonNegative(c.uy, -c.p.x * c.uy - ry * c.ux + r, sLo, sHi);               // across <= r
    KeepNonNegative(-c.uy, c.p.x * c.uy + ry * c.ux + r, sLo, sHi);               // across >= -r
    if (sLo <= sHi) {
      lo = std::min(lo, sLo);
      hi = std::max(hi, sHi);
    }
  }
  if (lo > hi) return false;
  out = {lo, hi};
  return true;
}

std::int64_t Ceil(double v, std::int64_t lo, std::int64_t hi) {
  double r = std::ceil(v);
  if (r < static_cast<double>(lo)) return lo;
  if (r > static_cast<double>(hi)) return hi;
  return TruncToInt64(r);  // already a whole number in range
}

}  // namespace

TSpanSet StrokeFigures(std::span<const TFigureF> figures, int width, const TRect& window) {
  TSpanSet out;
  if (window.IsEmpty() || width <= 0) return out;
  const double r = width / 2.0;
  const double c = width % 2 == 0 ? 0.5 : 0.0;
  const std::int64_t rowLo = std::int64_t{window.Top} - 1, rowHi = std::int64_t{window.Bottom} + 1;
  std::vector<Capsule> capsules;
  auto add = [&](TPointF p, TPointF q) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(q.x) || !std::isfinite(q.y))
      throw Error("A figure coordinate is not a finite number");
    Capsule k{p, q};
    k.length = std::hypot(q.x - p.x, q.y - p.y);
    if (k.length > 0) {
      k.ux = (q.x - p.x) / k.length;
      k.uy = (q.y - p.y) / k.length;
    }
    // Rows whose sample lies in [top, bottom) of the capsule.
    k.rowFirst = Ceil(std::min(p.y, q.y) - r - c, rowLo, rowHi);
    k.rowEnd = Ceil(std::max(p.y, q.y) + r - c, rowLo, rowHi);
    if (k.rowFirst < k.rowEnd && k.rowEnd > window.Top && k.rowFirst < window.Bottom) capsules.push_back(k);
  };
  for (const TFigureF& f : figures) {
    const std::size_t n = f.points.size();
    if (n == 0) continue;
    for (std::size_t i = 0; i + 1 < n; ++i)
      if (!(f.points[i] == f.points[i + 1])) add(f.points[i], f.points[i + 1]);
    if (f.closed && n > 2 && !(f.points[n - 1] == f.points[0])) add(f.points[n - 1], f.points[0]);
  }
  if (capsules.empty()) return out;
  std::sort(capsules.begin(), capsules.end(), [](const Capsule& a, const Capsule& b) { return a.rowFirst < b.rowFirst; });

  std::vector<const Capsule*> active;
  std::vector<TSpan> row;
  std::size_t next = 0;
  for (std::int64_t y = std::max<std::int64_t>(window.Top, capsules.front().rowFirst); y < window.Bottom; ++y) {
    while (next < capsules.size() && capsules[next].rowFirst <= y) active.push_back(&capsules[next++]);
    std::erase_if(active, [y](const Capsule* k) { return k->rowEnd <= y; });
    if (active.empty()) {
      if (next == capsules.size()) break;
      y = capsules[next].rowFirst - 1;
      continue;
    }
    const double ys = static_cast<double>(y) + c;
    row.clear();
    for (const Capsule* k : active) {
      Interval iv;
      if (!CapsuleRow(*k, r, ys, iv)) continue;
      // Pixels whose sample x + c lies in [lo, hi).
      std::int64_t x0 = Ceil(iv.lo - c, window.Left, window.Right), x1 = Ceil(iv.hi - c, window.Left, window.Right);
      if (x0 < x1) row.push_back({static_cast<int>(y), static_cast<int>(x0), static_cast<int>(x1)});
    }
    TSpanSet merged = TSpanSet::FromUnsorted(row);
    for (const TSpan& s : merged.Spans()) out.AppendSorted(s.y, s.x0, s.x1);
  }
  return out;
}

}  // namespace kroma
