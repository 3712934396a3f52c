#include "core/TextGeometry.h"

#include <algorithm>
#include <cmath>

#include "core/Numeric.h"

namespace kroma {
namespace {

using TPt = std::pair<double, double>;

TPt Mid(TPt a, TPt b) { return {(a.first + b.first) / 2, (a.second + b.second) / 2}; }

double SecondDifference(TPt a, TPt b, TPt c) {
  return std::hypot(a.first - 2 * b.first + c.first, a.second - 2 * b.second + c.second);
}

TPt QuadraticAt(TPt p0, TPt p1, TPt p2, double t) {
  double u = 1 - t;
  return {u * u * p0.first + 2 * u * t * p1.first + t * t * p2.first,
          u * u * p0.second + 2 * u * t * p1.second + t * t * p2.second};
}

TPt CubicAt(TPt p0, TPt p1, TPt p2, TPt p3, double t) {
  double u = 1 - t;
  double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
  return {a * p0.first + b * p1.first + c * p2.first + d * p3.first,
          a * p0.second + b * p1.second + c * p2.second + d * p3.second};
}

// Deep enough for any curve in the int range to reach a tenth of a pixel.
constexpr int kMaxSplits = 40;

class TNearFlattener {
 public:
  TNearFlattener(double tolerance, const TBoxD& window, TPolygonD& out)
      : tolerance_(tolerance), window_(window), out_(out) {}

  void Quadratic(TPt p0, TPt p1, TPt p2, int depth = 0) {
    if (depth >= kMaxSplits || !Reaches({p0, p1, p2}) || SecondDifference(p0, p1, p2) / 4 <= tolerance_) {
      out_.push_back(p2);
      return;
    }
    TPt a = Mid(p0, p1), b = Mid(p1, p2), m = Mid(a, b);
    Quadratic(p0, a, m, depth + 1);
    Quadratic(m, b, p2, depth + 1);
  }

  void Cubic(TPt p0, TPt p1, TPt p2, TPt p3, int depth = 0) {
    double flatness = std::max(SecondDifference(p0, p1, p2), SecondDifference(p1, p2, p3)) * 0.75;
    if (depth >= kMaxSplits || !Reaches({p0, p1, p2, p3}) || flatness <= tolerance_) {
      out_.push_back(p3);
      return;
    }
    TPt a = Mid(p0, p1), b = Mid(p1, p2), c = Mid(p2, p3);
    TPt ab = Mid(a, b), bc = Mid(b, c), m = Mid(ab, bc);
    Cubic(p0, a, ab, m, depth + 1);
    Cubic(m, bc, c, p3, depth + 1);
  }

 private:
  // A curve lies inside the hull of its control points: when that misses
  // the window, its chord (inside the same hull) covers the window alike.
  bool Reaches(std::initializer_list<TPt> points) const {
    TBoxD box;
    for (const TPt& p : points) box.Add(p.first, p.second);
    return box.Intersects(window_);
  }

  double tolerance_;
  TBoxD window_;
  TPolygonD& out_;
};

// Keeps the part of the polygon on the inner side of one edge.
template <typename Inside, typename Cross>
TPolygonD ClipEdge(const TPolygonD& in, Inside inside, Cross cross) {
  TPolygonD out;
  if (in.empty()) return out;
  out.reserve(in.size() + 4);
  TPt prev = in.back();
  bool prevIn = inside(prev);
  for (const TPt& p : in) {
    bool pIn = inside(p);
    if (pIn != prevIn) out.push_back(cross(prev, p));
    if (pIn) out.push_back(p);
    prev = p;
    prevIn = pIn;
  }
  return out;
}

// The point where segment a-b crosses x = v (the caller knows it does).
TPt CrossX(TPt a, TPt b, double v) {
  double t = (v - a.first) / (b.first - a.first);
  return {v, a.second + t * (b.second - a.second)};
}
TPt CrossY(TPt a, TPt b, double v) {
  double t = (v - a.second) / (b.second - a.second);
  return {a.first + t * (b.first - a.first), v};
}

}  // namespace

void TransformContours(std::vector<TOutlineContour>& contours, const TAffine& m) {
  for (TOutlineContour& c : contours) {
    std::tie(c.startX, c.startY) = m(c.startX, c.startY);
    for (TOutlineSegment& s : c.segments) {
      std::tie(s.x, s.y) = m(s.x, s.y);
      if (s.kind != TOutlineSegment::Line) std::tie(s.x1, s.y1) = m(s.x1, s.y1);
      if (s.kind == TOutlineSegment::Cubic) std::tie(s.x2, s.y2) = m(s.x2, s.y2);
    }
  }
}

void TBoxD::Add(double x, double y) {
  if (empty) {
    left = right = x;
    top = bottom = y;
    empty = false;
    return;
  }
  left = std::min(left, x);
  right = std::max(right, x);
  top = std::min(top, y);
  bottom = std::max(bottom, y);
}

bool TBoxD::Intersects(const TBoxD& o) const {
  return !empty && !o.empty && left <= o.right && o.left <= right && top <= o.bottom && o.top <= bottom;
}

TBoxD ControlBox(const std::vector<TOutlineContour>& contours) {
  TBoxD box;
  for (const TOutlineContour& c : contours) {
    box.Add(c.startX, c.startY);
    for (const TOutlineSegment& s : c.segments) {
      box.Add(s.x, s.y);
      if (s.kind != TOutlineSegment::Line) box.Add(s.x1, s.y1);
      if (s.kind == TOutlineSegment::Cubic) box.Add(s.x2, s.y2);
    }
  }
  return box;
}

TRect PixelBounds(const TBoxD& box) {
  if (box.empty) return {};
  return {SaturateFloor(box.left), SaturateFloor(box.top), SaturateCeil(box.right), SaturateCeil(box.bottom)};
}

TPolygonD FlattenFixed(const TOutlineContour& contour, int quadraticPieces, int cubicPieces) {
  TPolygonD out;
  TPt p0{contour.startX, contour.startY};
  out.push_back(p0);
  for (const TOutlineSegment& s : contour.segments) {
    TPt end{s.x, s.y};
    if (s.kind == TOutlineSegment::Quadratic) {
      for (int k = 1; k < quadraticPieces; ++k)
        out.push_back(QuadraticAt(p0, {s.x1, s.y1}, end, static_cast<double>(k) / quadraticPieces));
    } else if (s.kind == TOutlineSegment::Cubic) {
      for (int k = 1; k < cubicPieces; ++k)
        out.push_back(CubicAt(p0, {s.x1, s.y1}, {s.x2, s.y2}, end, static_cast<double>(k) / cubicPieces));
    }
    out.push_back(end);
    p0 = end;
  }
  if (out.size() > 1 && out.back() == out.front()) out.pop_back();
  return out;
}

TPolygonD FlattenNear(const TOutlineContour& contour, double tolerance, const TBoxD& window) {
  TPolygonD out;
  TPt p0{contour.startX, contour.startY};
  out.push_back(p0);
  TNearFlattener flattener(tolerance, window, out);
  for (const TOutlineSegment& s : contour.segments) {
    TPt end{s.x, s.y};
    if (s.kind == TOutlineSegment::Quadratic) {
      flattener.Quadratic(p0, {s.x1, s.y1}, end);
    } else if (s.kind == TOutlineSegment::Cubic) {
      flattener.Cubic(p0, {s.x1, s.y1}, {s.x2, s.y2}, end);
    } else {
      out.push_back(end);
    }
    p0 = end;
  }
  if (out.size() > 1 && out.back() == out.front()) out.pop_back();
  return out;
}

TPolygonD ClipPolygon(const TPolygonD& polygon, const TBoxD& box) {
  if (box.empty) return {};
  TPolygonD p = ClipEdge(
      polygon, [&](TPt q) { return q.first >= box.left; }, [&](TPt a, TPt b) { return CrossX(a, b, box.left); });
  p = ClipEdge(
      p, [&](TPt q) { return q.first <= box.right; }, [&](TPt a, TPt b) { return CrossX(a, b, box.right); });
  p = ClipEdge(
      p, [&](TPt q) { return q.second >= box.top; }, [&](TPt a, TPt b) { return CrossY(a, b, box.top); });
  p = ClipEdge(
      p, [&](TPt q) { return q.second <= box.bottom; }, [&](TPt a, TPt b) { return CrossY(a, b, box.bottom); });
  return p;
}

}  // namespace kroma
