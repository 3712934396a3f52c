#include "core/RasterOutline.h"

#include <algorithm>
#include <cmath>

#include "core/Error.h"

namespace kroma {

TDashPattern::TDashPattern(std::initializer_list<int> lengths) {
  bool on = true;
  for (int n : lengths) {
    for (int i = 0; i < n; ++i) {
      if (period_ == static_cast<int>(on_.size())) throw Error("Internal error: dash pattern too long");
      on_[static_cast<std::size_t>(period_++)] = on;
    }
    on = !on;
  }
}

bool TDashPattern::IsOn(std::int64_t position) const {
  if (period_ == 0) return true;
  std::int64_t k = position % period_;
  if (k < 0) k += period_;
  return on_[static_cast<std::size_t>(k)];
}

void TOutlineCollector::AddRun(int y, int x0, int x1, std::int64_t position0, int step) {
  if (x1 <= x0) return;
  if (dash_.Solid()) {
    on_.push_back({y, x0, x1});
    return;
  }
  int start = x0;
  bool state = dash_.IsOn(position0);
  for (int x = x0 + 1; x <= x1; ++x) {
    bool next = x < x1 && dash_.IsOn(position0 + std::int64_t{step} * (x - x0));
    if (x == x1 || next != state) {
      (state ? on_ : off_).push_back({y, start, x});
      start = x;
      state = next;
    }
  }
}

void TOutlineCollector::AddSolid(const TSpanSet& set) {
  on_.insert(on_.end(), set.Spans().begin(), set.Spans().end());
}

TSpanSet TOutlineCollector::On() const { return TSpanSet::FromUnsorted(on_); }

TSpanSet TOutlineCollector::Gaps() const { return TSpanSet::FromUnsorted(off_).Subtract(On()); }

TSpanSet InnerBorder(const TSpanSet& area) {
  // Interior pixels have all four neighbours in the area: inside their run
  // (not at its ends) and in the area one row up and one row down.
  TSpanSet shrunk;
  for (const TSpan& s : area.Spans()) shrunk.AppendSorted(s.y, s.x0 + 1, s.x1 - 1);
  TSpanSet up = area, down = area;
  up.Offset(0, 1);
  down.Offset(0, -1);
  return area.Subtract(shrunk.Intersect(up).Intersect(down));
}

namespace {

struct BoxOutline {
  double cx, cy;      // centre
  double halfW, halfH;
  double a, b;        // corner ellipse semi-axes
  double sx, sy;      // half lengths of the straight parts
  double x45, y45;    // where a corner's tangent is at 45 degrees, from the corner centre
  double quarter;     // outline length of one quadrant
};

BoxOutline MakeBoxOutline(const TBox64& box, std::int64_t cornerW, std::int64_t cornerH) {
  BoxOutline o{};
  const double w = static_cast<double>(box.Width()), h = static_cast<double>(box.Height());
  o.cx = (static_cast<double>(box.left) + static_cast<double>(box.right)) / 2;
  o.cy = (static_cast<double>(box.top) + static_cast<double>(box.bottom)) / 2;
  o.halfW = w / 2;
  o.halfH = h / 2;
  o.a = static_cast<double>(std::clamp<std::int64_t>(cornerW, 0, box.Width())) / 2;
  o.b = static_cast<double>(std::clamp<std::int64_t>(cornerH, 0, box.Height())) / 2;
  if (o.a == 0 || o.b == 0) o.a = o.b = 0;
  o.sx = o.halfW - o.a;
  o.sy = o.halfH - o.b;
  if (o.a > 0) {
    double d = std::hypot(o.a, o.b);
    o.x45 = o.a * o.a / d;
    o.y45 = o.b * o.b / d;
  }
  o.quarter = o.sy + o.x45 + o.y45 + o.sx;
  return o;
}

}  // namespace

double BoxOutlinePosition(const TBox64& box, std::int64_t cornerW, std::int64_t cornerH, TPointF p) {
  const BoxOutline o = MakeBoxOutline(box, cornerW, cornerH);
  if (o.quarter <= 0) return 0;
  const double px = p.x - o.cx, py = o.cy - p.y;  // y up from here on
  const double qx = std::abs(px), qy = std::abs(py);
  double m;  // position within the first quadrant, from the right middle
  if (o.a > 0 && qx > o.sx && qy > o.sy) {
    const double ex = qx - o.sx, ey = qy - o.sy;
    if (ey * o.a * o.a <= ex * o.b * o.b) {
      m = o.sy + std::min(ey, o.y45);  // steep: rows count
    } else {
      m = o.sy + o.y45 + (o.x45 - std::min(ex, o.x45));  // flat: columns count
    }
  } else if (o.halfW - qx <= o.halfH - qy) {
    m = std::min(qy, o.sy);
  } else {
    m = o.sy + o.x45 + o.y45 + (o.sx - std::min(qx, o.sx));
  }
  const double t = o.quarter;
  double pos;
  if (px >= 0 && py >= 0) pos = m;
  else if (px < 0 && py >= 0) pos = 2 * t - m;
  else if (px < 0) pos = 2 * t + m;
  else pos = 4 * t - m;
  return pos >= 4 * t ? pos - 4 * t : pos;
}

double BoxOutlineLength(const TBox64& box, std::int64_t cornerW, std::int64_t cornerH) {
  return 4 * MakeBoxOutline(box, cornerW, cornerH).quarter;
}

}  // namespace kroma
