// Lines, curves, closed figures, paths, pixels and flood fills of the
// metafile device. Figures whose mapping keeps rectangles upright go to the
// canvas's own figures; under a rotating or shearing world transform (and
// inside paths, which record only lines and curves) ellipses and their
// parts are traced as polygons.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/Canvas.h"
#include "core/Numeric.h"
#include "core/RasterCurve.h"
#include "files/MetafileDeviceState.h"

namespace kroma {

namespace {

// Most points a traced ellipse part gets.
constexpr int kMaxArcPoints = 2048;

// The point of the ellipse in the box centred on c with semi-axes rx, ry
// at parameter t, counter-clockwise as seen with y growing downwards.
TPointF EllipsePoint(TPointF c, double rx, double ry, double t) {
  return {c.x + rx * std::cos(t), c.y - ry * std::sin(t)};
}

// Parameter of the point where the radial from c through p meets the
// ellipse; a radial through c itself points to the right.
double RadialParameter(TPointF c, double rx, double ry, TPointF p) {
  const double dx = p.x - c.x, dy = p.y - c.y;
  if ((dx == 0 && dy == 0) || rx == 0 || ry == 0) return 0;
  return std::atan2(-dy / ry, dx / rx);
}

}  // namespace

// ---- lines --------------------------------------------------------------

void TMetafileDevice::MoveTo(TPointF p) {
  S().position = p;
  const TPoint d = Device(p);
  canvas_->MoveTo(d.x, d.y);
}

void TMetafileDevice::LineTo(TPointF p) {
  const TPoint from = Device(S().position), to = Device(p);
  S().position = p;
  DrawFigure(false, [&] {
    canvas_->SetPenPos(from);
    canvas_->LineTo(to.x, to.y);
  });
}

void TMetafileDevice::Polyline(std::span<const TPointF> points) {
  if (points.size() < 2) return;
  const std::vector<TPoint> d = Device(points);
  DrawFigure(false, [&] { canvas_->Polyline(d); });
}

void TMetafileDevice::PolylineTo(std::span<const TPointF> points) {
  if (points.empty()) return;
  if (inPath_) {
    for (TPointF p : points) LineTo(p);
    return;
  }
  std::vector<TPoint> d{Device(S().position)};
  for (TPointF p : points) d.push_back(Device(p));
  S().position = points.back();
  DrawFigure(false, [&] { canvas_->Polyline(d); });
}

void TMetafileDevice::PolyBezier(std::span<const TPointF> points) {
  if (points.size() < 4) return;
  const std::vector<TPoint> d = Device(points);
  DrawFigure(false, [&] { canvas_->PolyBezier(d); });
}

void TMetafileDevice::PolyBezierTo(std::span<const TPointF> points) {
  const std::size_t used = points.size() / 3 * 3;
  if (used == 0) return;
  if (inPath_) {
    // The curve continues the path's current figure.
    const TXForm& m = Full();
    std::vector<TPointF> flat;
    TPointF p0 = m.Apply(S().position);
    for (std::size_t i = 0; i < used; i += 3) {
      const TPointF p1 = m.Apply(points[i]), p2 = m.Apply(points[i + 1]), p3 = m.Apply(points[i + 2]);
      FlattenBezier(p0, p1, p2, p3, flat);
      p0 = p3;
    }
    TPoint from = Device(S().position);
    for (TPointF f : flat) {
      const TPoint to{SaturateRound(f.x), SaturateRound(f.y)};
      canvas_->SetPenPos(from);
      canvas_->LineTo(to.x, to.y);
      from = to;
    }
    S().position = points[used - 1];
    return;
  }
  std::vector<TPoint> d{Device(S().position)};
  for (std::size_t i = 0; i < used; ++i) d.push_back(Device(points[i]));
  S().position = points[used - 1];
  DrawFigure(false, [&] { canvas_->PolyBezier(d); });
}

void TMetafileDevice::PolyPolyline(std::span<const TPointF> points, std::span<const std::uint32_t> counts) {
  std::size_t at = 0;
  for (std::uint32_t n : counts) {
    if (n > points.size() - at) return;
    Polyline(points.subspan(at, n));
    at += n;
  }
}

// ---- polygons -------------------------------------------------------------

void TMetafileDevice::PolyPolygonDevice(const std::vector<std::vector<TPoint>>& polygons) {
  if (inPath_) {
    for (const auto& p : polygons) canvas_->Polygon(p);
    return;
  }
  if (polygons.size() == 1 && S().polyFillMode == gdi::kAlternate) {
    DrawFigure(true, [&] { canvas_->Polygon(polygons[0]); });
    return;
  }
  // Several figures filled together, or the winding rule: through a path.
  DrawFigure(true, [&] {
    canvas_->BeginPath();
    for (const auto& p : polygons) canvas_->Polygon(p);
    canvas_->EndPath();
    canvas_->StrokeAndFillPath();
  });
}

void TMetafileDevice::Polygon(std::span<const TPointF> points) {
  if (points.size() < 2) return;
  PolyPolygonDevice({Device(points)});
}

void TMetafileDevice::PolyPolygon(std::span<const TPointF> points, std::span<const std::uint32_t> counts) {
  std::vector<std::vector<TPoint>> polygons;
  std::size_t at = 0;
  for (std::uint32_t n : counts) {
    if (n > points.size() - at) break;
    if (n >= 2) polygons.push_back(Device(points.subspan(at, n)));
    at += n;
  }
  if (!polygons.empty()) PolyPolygonDevice(polygons);
}

// ---- boxes --------------------------------------------------------------

void TMetafileDevice::Rectangle(TPointF a, TPointF b) {
  if (!Full().AxisAligned()) {
    const TPointF corners[] = {a, {b.x, a.y}, b, {a.x, b.y}};
    PolyPolygonDevice({Device(corners)});
    return;
  }
  const TPoint p = Device(a), q = Device(b);
  TRect box = TRect{p.x, p.y, q.x, q.y}.Normalized();
  // Without an outline the system leaves out the last column and row.
  if ((S().pen.style & gdi::kPsStyleMask) == gdi::kPsNull && !inPath_) {
    box.Right = box.Right == box.Left ? box.Right : box.Right - 1;
    box.Bottom = box.Bottom == box.Top ? box.Bottom : box.Bottom - 1;
  }
  DrawFigure(true, [&] { canvas_->Rectangle(box); });
}

void TMetafileDevice::Ellipse(TPointF a, TPointF b) {
  if (!Full().AxisAligned()) {
    const std::vector<TPointF> points = ArcPoints(a, b, a, a, true);
    if (!points.empty()) PolyPolygonDevice({Device(points)});
    return;
  }
  const TPoint p = Device(a), q = Device(b);
  DrawFigure(true, [&] { canvas_->Ellipse(p.x, p.y, q.x, q.y); });
}

void TMetafileDevice::RoundRect(TPointF a, TPointF b, TPointF corner) {
  if (Full().AxisAligned() && !inPath_) {
    const TPoint p = Device(a), q = Device(b);
    const int cw = SaturateRound(std::abs(corner.x) * ScaleX()), ch = SaturateRound(std::abs(corner.y) * ScaleY());
    DrawFigure(true, [&] { canvas_->RoundRect(p.x, p.y, q.x, q.y, cw, ch); });
    return;
  }
  // Four quarter ellipses joined by the straight sides.
  const double left = std::min(a.x, b.x), right = std::max(a.x, b.x), top = std::min(a.y, b.y),
               bottom = std::max(a.y, b.y);
  const double rx = std::min(std::abs(corner.x), right - left) / 2, ry = std::min(std::abs(corner.y), bottom - top) / 2;
  const TPointF centres[] = {{right - rx, top + ry}, {left + rx, top + ry}, {left + rx, bottom - ry},
                             {right - rx, bottom - ry}};
  const int steps = std::clamp(SaturateCeil(std::max(rx * ScaleX(), ry * ScaleY())), 2, kMaxArcPoints / 4);
  std::vector<TPointF> points;
  for (int q = 0; q < 4; ++q)
    for (int i = 0; i <= steps; ++i)
      points.push_back(EllipsePoint(centres[q], rx, ry, (q + static_cast<double>(i) / steps) * std::numbers::pi / 2));
  PolyPolygonDevice({Device(points)});
}

std::vector<TPointF> TMetafileDevice::ArcPoints(TPointF a, TPointF b, TPointF start, TPointF end, bool whole) {
  const TPointF c{(a.x + b.x) / 2, (a.y + b.y) / 2};
  const double rx = std::abs(b.x - a.x) / 2, ry = std::abs(b.y - a.y) / 2;
  if (!(rx > 0 && ry > 0) || !std::isfinite(rx) || !std::isfinite(ry)) return {};
  const double ts = RadialParameter(c, rx, ry, start), te = RadialParameter(c, rx, ry, end);
  constexpr double kTurn = 2 * std::numbers::pi;
  double sweep = kTurn;
  if (!whole) {
    sweep = std::fmod(te - ts, kTurn);
    if (sweep <= 0) sweep += kTurn;
  }
  // The part runs counter-clockwise on the bitmap: reversed when the mapping
  // mirrors, and again for the clockwise arc direction.
  const TXForm& m = Full();
  const bool mirrored = m.m11 * m.m22 - m.m12 * m.m21 < 0;
  if (mirrored != (S().arcDirection == gdi::kArcClockwise)) sweep -= kTurn;
  if (whole) sweep = kTurn;
  const double radius = std::max(rx * ScaleX(), ry * ScaleY());
  const int n = std::clamp(SaturateCeil(std::abs(sweep) * radius / 2), 8, kMaxArcPoints);
  std::vector<TPointF> points;
  points.reserve(n + 1);
  for (int i = 0; i <= n; ++i) points.push_back(EllipsePoint(c, rx, ry, ts + sweep * i / n));
  if (whole) points.pop_back();
  return points;
}

void TMetafileDevice::ArcFigure(TArcKind kind, TPointF a, TPointF b, TPointF start, TPointF end) {
  if (Full().AxisAligned() && !inPath_) {
    const TPoint p = Device(a), q = Device(b);
    TPoint s = Device(start), e = Device(end);
    if (S().arcDirection == gdi::kArcClockwise) std::swap(s, e);
    DrawFigure(kind != TArcKind::Arc, [&] {
      switch (kind) {
        case TArcKind::Arc: canvas_->Arc(p.x, p.y, q.x, q.y, s.x, s.y, e.x, e.y); break;
        case TArcKind::Chord: canvas_->Chord(p.x, p.y, q.x, q.y, s.x, s.y, e.x, e.y); break;
        case TArcKind::Pie: canvas_->Pie(p.x, p.y, q.x, q.y, s.x, s.y, e.x, e.y); break;
      }
    });
    return;
  }
  std::vector<TPointF> points = ArcPoints(a, b, start, end, false);
  if (points.empty()) return;
  if (kind == TArcKind::Arc) {
    Polyline(points);
    return;
  }
  if (kind == TArcKind::Pie) points.insert(points.begin(), TPointF{(a.x + b.x) / 2, (a.y + b.y) / 2});
  PolyPolygonDevice({Device(points)});
}

void TMetafileDevice::ArcTo(TPointF a, TPointF b, TPointF start, TPointF end) {
  const std::vector<TPointF> points = ArcPoints(a, b, start, end, false);
  if (!points.empty()) PolylineTo(points);
}

void TMetafileDevice::AngleArc(TPointF centre, double radius, double startDegrees, double sweepDegrees) {
  if (!std::isfinite(radius) || !std::isfinite(startDegrees) || !std::isfinite(sweepDegrees)) return;
  const double t0 = startDegrees * std::numbers::pi / 180;
  const double sweep = std::clamp(sweepDegrees, -360.0, 360.0) * std::numbers::pi / 180;
  const int n = std::clamp(SaturateCeil(std::abs(sweep) * std::abs(radius) * std::max(ScaleX(), ScaleY()) / 2), 1,
                           kMaxArcPoints);
  std::vector<TPointF> points;
  for (int i = 0; i <= n; ++i) points.push_back(EllipsePoint(centre, radius, radius, t0 + sweep * i / n));
  PolylineTo(points);
}

// ---- pixels and fills ---------------------------------------------------

void TMetafileDevice::SetPixel(TPointF p, std::uint32_t color) {
  ApplyClip();
  const TPoint d = Device(p);
  canvas_->SetPixel(d.x, d.y, ResolveColor(color));
}

void TMetafileDevice::FloodFill(TPointF p, std::uint32_t color, int mode) {
  ApplyClip();
  ApplyBrush(S().brush);
  const TPoint d = Device(p);
  canvas_->FloodFill(d.x, d.y, ResolveColor(color), mode == gdi::kFloodSurface ? fsSurface : fsBorder);
}

// ---- paths --------------------------------------------------------------

void TMetafileDevice::BeginPath() {
  canvas_->BeginPath();
  inPath_ = true;
}

void TMetafileDevice::EndPath() {
  canvas_->EndPath();
  inPath_ = false;
}

void TMetafileDevice::CloseFigure() {
  canvas_->CloseFigure();
  // The current position goes back to the figure's start.
  if (const auto inverse = Full().Inverse()) {
    const TPoint p = canvas_->PenPos();
    S().position = inverse->Apply({static_cast<double>(p.x), static_cast<double>(p.y)});
  }
}

void TMetafileDevice::AbortPath() {
  canvas_->AbortPath();
  inPath_ = false;
}

void TMetafileDevice::StrokePath() {
  inPath_ = false;
  DrawFigure(false, [&] { canvas_->StrokePath(); });
}

void TMetafileDevice::FillPath() {
  inPath_ = false;
  DrawFigure(false, [&] { canvas_->FillPath(); });
}

void TMetafileDevice::StrokeAndFillPath() {
  inPath_ = false;
  DrawFigure(false, [&] { canvas_->StrokeAndFillPath(); });
}

}  // namespace kroma
