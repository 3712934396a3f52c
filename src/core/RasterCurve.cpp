#include "core/RasterCurve.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "core/Numeric.h"
#include "core/RasterOutline.h"
#include "core/RasterPolygon.h"

namespace kroma {

int BezierPieces(TPointF p0, TPointF p1, TPointF p2, TPointF p3) {
  double d1 = std::hypot(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y);
  double d2 = std::hypot(p1.x - 2 * p2.x + p3.x, p1.y - 2 * p2.y + p3.y);
  double n = std::ceil(std::sqrt(3 * std::max(d1, d2)));
  if (!(n >= 1)) return 1;  // also catches NaN
  return n > kMaxBezierPieces ? kMaxBezierPieces : TruncToInt(n, "Bezier pieces");
}

void FlattenBezier(TPointF p0, TPointF p1, TPointF p2, TPointF p3, std::vector<TPointF>& out) {
  const int n = BezierPieces(p0, p1, p2, p3);
  for (int i = 1; i < n; ++i) {
    double t = static_cast<double>(i) / n, s = 1 - t;
    double b0 = s * s * s, b1 = 3 * s * s * t, b2 = 3 * s * t * t, b3 = t * t * t;
    out.push_back({b0 * p0.x + b1 * p1.x + b2 * p2.x + b3 * p3.x, b0 * p0.y + b1 * p1.y + b2 * p2.y + b3 * p3.y});
  }
  out.push_back(p3);
}

namespace {

__extension__ typedef __int128 I128;

TPointF OnEllipse(const TEllipseArc& arc, std::int64_t dx, std::int64_t dy) {
  double fx = static_cast<double>(dx), fy = static_cast<double>(dy);
  double t = 1 / std::sqrt((fx / arc.a) * (fx / arc.a) + (fy / arc.b) * (fy / arc.b));
  return {arc.centre.x + fx * t, arc.centre.y + fy * t};
}

// Angle counter-clockwise on the screen (y grows down).
double ScreenAngle(double dx, double dy) { return std::atan2(-dy, dx); }

double CcwFrom(double from, double angle) {
  double d = std::fmod(angle - from, 2 * std::numbers::pi);
  return d < 0 ? d + 2 * std::numbers::pi : d;
}

// Half the size of a square about the centre that holds the box and the
// window with room to spare.
double Reach(const TEllipseArc& arc, const TRect& window) {
  double r = std::max(arc.a, arc.b) + 2;
  for (double x : {static_cast<double>(window.Left), static_cast<double>(window.Right)})
    r = std::max(r, std::abs(x - arc.centre.x) + 2);
  for (double y : {static_cast<double>(window.Top), static_cast<double>(window.Bottom)})
    r = std::max(r, std::abs(y - arc.centre.y) + 2);
  return r;
}

// A point far out along a radial: the direction times a power of two, so
// that the point lies exactly on the radial, between 2r and 4r away in the
// larger coordinate.
TPointF FarAlong(const TEllipseArc& arc, std::int64_t dx, std::int64_t dy, double r) {
  double m = static_cast<double>(std::max(std::llabs(dx), std::llabs(dy)));
  double k = std::exp2(std::ceil(std::log2(2 * r / m)));
  return {arc.centre.x + static_cast<double>(dx) * k, arc.centre.y + static_cast<double>(dy) * k};
}

constexpr TPointF kPixelCentre{0.5, 0.5};

}  // namespace

TEllipseArc MakeEllipseArc(const TBox64& box, TPoint p3, TPoint p4) {
  TEllipseArc arc;
  arc.box = box;
  arc.centre = {(static_cast<double>(box.left) + static_cast<double>(box.right)) / 2,
                (static_cast<double>(box.top) + static_cast<double>(box.bottom)) / 2};
  arc.a = static_cast<double>(box.Width()) / 2;
  arc.b = static_cast<double>(box.Height()) / 2;
  const std::int64_t sumX = box.left + box.right, sumY = box.top + box.bottom;
  arc.sx = 2 * std::int64_t{p3.x} - sumX;
  arc.sy = 2 * std::int64_t{p3.y} - sumY;
  arc.ex = 2 * std::int64_t{p4.x} - sumX;
  arc.ey = 2 * std::int64_t{p4.y} - sumY;
  if (arc.sx == 0 && arc.sy == 0) arc.sx = 1;
  if (arc.ex == 0 && arc.ey == 0) arc.ex = 1;
  I128 cross = I128{arc.sx} * arc.ey - I128{arc.sy} * arc.ex;
  I128 dot = I128{arc.sx} * arc.ex + I128{arc.sy} * arc.ey;
  arc.whole = cross == 0 && dot > 0;
  if (arc.a > 0 && arc.b > 0) {
    arc.start = OnEllipse(arc, arc.sx, arc.sy);
    arc.end = OnEllipse(arc, arc.ex, arc.ey);
  }
  return arc;
}

TSpanSet SectorArea(const TEllipseArc& arc, const TRect& window) {
  if (arc.whole) return TSpanSet(window);
  const double r = Reach(arc, window);
  const double big = 4 * r;
  const double start = ScreenAngle(static_cast<double>(arc.sx), static_cast<double>(arc.sy));
  const double sweep = CcwFrom(start, ScreenAngle(static_cast<double>(arc.ex), static_cast<double>(arc.ey)));
  // Corners of a square of half size 4r, in counter-clockwise order from the start.
  std::array<std::pair<double, TPointF>, 4> corners;
  const std::array<TPointF, 4> offsets{TPointF{big, -big}, TPointF{-big, -big}, TPointF{-big, big}, TPointF{big, big}};
  for (std::size_t i = 0; i < 4; ++i)
    corners[i] = {CcwFrom(start, ScreenAngle(offsets[i].x, offsets[i].y)),
                  TPointF{arc.centre.x + offsets[i].x, arc.centre.y + offsets[i].y}};
  std::sort(corners.begin(), corners.end(), [](const auto& p, const auto& q) { return p.first < q.first; });
  std::vector<TPointF> wedge{arc.centre, FarAlong(arc, arc.sx, arc.sy, r)};
  for (const auto& [angle, point] : corners)
    if (angle > 0 && angle < sweep) wedge.push_back(point);
  wedge.push_back(FarAlong(arc, arc.ex, arc.ey, r));
  return ScanConvert(wedge, fmAlternate, kPixelCentre, window);
}

TSpanSet ChordSide(const TEllipseArc& arc, const TRect& window) {
  if (arc.whole) return TSpanSet(window);
  const double dx = arc.start.x - arc.end.x, dy = arc.start.y - arc.end.y;
  const double len = std::hypot(dx, dy);
  if (!(len > 0)) return {};
  const double k = 8 * Reach(arc, window);
  const double ux = dx / len * k, uy = dy / len * k;
  const double nx = uy, ny = -ux;  // towards the chord's side on the screen
  std::vector<TPointF> side{{arc.end.x - ux, arc.end.y - uy},
                            {arc.start.x + ux, arc.start.y + uy},
                            {arc.start.x + ux + nx, arc.start.y + uy + ny},
                            {arc.end.x - ux + nx, arc.end.y - uy + ny}};
  return ScanConvert(side, fmAlternate, kPixelCentre, window);
}

std::vector<TPointF> FlattenEllipseArc(const TEllipseArc& arc, TPointF shift) {
  std::vector<TPointF> pts;
  if (!(arc.a > 0 && arc.b > 0)) return pts;
  // Parametric angles: x = a cos t, y = -b sin t about the centre.
  auto param = [&](TPointF p) { return std::atan2(-(p.y - arc.centre.y) / arc.b, (p.x - arc.centre.x) / arc.a); };
  double t0 = arc.whole ? 0 : param(arc.start);
  double sweep = arc.whole ? 2 * std::numbers::pi : CcwFrom(t0, param(arc.end));
  // Pieces whose chords stay within a quarter pixel: a t^2 / 8 <= 1/4.
  double n = std::ceil(sweep * std::sqrt(std::max(arc.a, arc.b) / 2));
  const int pieces = SaturateTrunc(std::clamp(n, arc.whole ? 8.0 : 1.0, 4096.0));
  for (int i = 0; i <= pieces; ++i) {
    if (arc.whole && i == pieces) break;  // closed figure: do not repeat the first point
    double t = t0 + sweep * i / pieces;
    TPointF p{arc.centre.x + arc.a * std::cos(t), arc.centre.y - arc.b * std::sin(t)};
    if (!arc.whole && i == 0) p = arc.start;
    if (!arc.whole && i == pieces) p = arc.end;
    pts.push_back({p.x + shift.x, p.y + shift.y});
  }
  return pts;
}

double ArcStartPosition(const TEllipseArc& arc) {
  return arc.whole ? 0 : BoxOutlinePosition(arc.box, arc.box.Width(), arc.box.Height(), arc.start);
}

}  // namespace kroma
