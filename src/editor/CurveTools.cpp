// The line and curve tools beyond the plain line and the stage machines:
// the axis-locked line, the spiral, the spirograph and the poly-Bézier.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "core/Canvas.h"
#include "core/Numeric.h"
#include "editor/KromaF.h"
#include "editor/Modules.h"
#include "editor/Prompts.h"
#include "editor/RubberBands.h"
#include "editor/ShapeHelpers.h"
#include "editor/ToolSteps.h"

namespace kroma {
namespace {

constexpr double kTenDegrees = std::numbers::pi / 18;

std::int64_t Distance(std::int64_t a, std::int64_t b) { return a > b ? a - b : b - a; }

// ---- Line Straight: one axis at a time ----

// The axis follows the drag; it switches when one event moves further
// across the locked axis than the tolerance.
void StraightLineMove(TKromaF& f, const TMouseEvent& e) {
  const std::int64_t tolerance = std::clamp(f.FLineTolerance, kMinLineTolerance, kMaxLineTolerance);
  std::string& direction = f.FLineDirection;
  if (direction == "none") direction = Distance(e.X, f.FStartPoint.x) < Distance(e.Y, f.FStartPoint.y) ? "v" : "h";
  if (direction == "h" && Distance(e.Y, f.FLastPoint.y) > tolerance) direction = "v";
  if (direction == "v" && Distance(e.X, f.FLastPoint.x) > tolerance) direction = "h";
  if (direction == "h")
    f.Canvas().LineTo(e.X, f.FLastPoint.y);
  else
    f.Canvas().LineTo(f.FLastPoint.x, e.Y);
}

// ---- Spiral: from the release point inwards around the press point ----

int Times100(int v) { return ClampToInt(std::int64_t{v} * 100); }

// Below 1, so the spiral winds inwards; anything else the option would
// not take gives its default.
double SpiralFactor(double factor) {
  return factor >= kMinSpiralFactor && factor < 1.0 ? factor : kDefaultSpiralFactor;
}

void SpiralRelease(TKromaF& f, const TMouseEvent& e) {
  RemoveBandLine(f, f.FLastPoint);
  // Hundredths of a pixel keep the small steps near the centre apart.
  TPoint p{Times100(e.X), Times100(e.Y)};
  f.FStartPoint = {Times100(f.FStartPoint.x), Times100(f.FStartPoint.y)};
  const int steps = std::clamp(f.FSpiralTurns, kMinSpiralTurns, kMaxSpiralTurns) * 36;
  const double factor = SpiralFactor(f.FSpiralFactor);
  const double turn = f.FSpiralDirection < 0 ? -kTenDegrees : kTenDegrees;
  TCanvas& canvas = f.Canvas();
  for (int i = 0; i < steps; ++i) {
    p = rotate(f.FStartPoint, p, turn);
    p = reducevector(f.FStartPoint, p, factor);
    canvas.LineTo(p.x / 100, p.y / 100);
  }
}

// ---- SpiroGraph: a circle rolling around the image's centre ----

double Hypot(TPoint a, TPoint b) {
  return std::hypot(static_cast<double>(std::int64_t{a.x} - b.x), static_cast<double>(std::int64_t{a.y} - b.y));
}

// The press point fixes the fixed circle's radius (its distance from the
// image centre), the drag the rolling circle's.
void DrawSpirograph(TKromaF& f, TPoint start, TPoint end) {
  const TPoint m{f.Image().Width() / 2, f.Image().Height() / 2};
  if (m.x != m.y) {
    f.Prompts.ShowMessage("image must be square for spirographs");
    return;
  }
  const std::int64_t r1 = RoundToInt64(Hypot(m, start), "spirograph radius");
  const std::int64_t r2 = RoundToInt64(Hypot(start, end), "spirograph radius");
  if (m.x < r1 + r2) {
    f.Prompts.ShowMessage("sum of radi to large");
    return;
  }
  if (r1 < 5 || r2 < 5) {
    f.Prompts.ShowMessage("both radi must be >5");
    return;
  }
  const double step2 = static_cast<double>(r2) / static_cast<double>(r1) * kTenDegrees;
  const int steps = std::clamp(f.FSpiroTurns, kMinSpiroTurns, kMaxSpiroTurns) * 36;
  TCanvas& canvas = f.Canvas();
  canvas.MoveTo(static_cast<int>(m.x + r1 + r2), m.y);
  double a1 = 0, a2 = 0;
  for (int i = 0; i < steps; ++i) {
    const double ux = r2 * std::cos(a1), uy = r2 * std::sin(a1);
    a1 += kTenDegrees;
    const double vx = r1 * std::cos(a2), vy = r1 * std::sin(a2);
    a2 += step2;
    canvas.LineTo(RoundToInt(m.x + vx + ux), RoundToInt(m.y + vy + uy));
  }
}

// The band's end is the last pointer position, which a release normally
// shares; a release elsewhere still leaves no band behind.
void SpiroRelease(TKromaF& f, const TMouseEvent& e) {
  RemoveBandLine(f, f.FLastPoint);
  DrawSpirograph(f, f.FStartPoint, {e.X, e.Y});
}

// ---- PolyBezier: one S-curve per press, control points lockable ----

// The control points of a segment from the press point to `end`, unless
// locked: (start.x, end.y) and (end.x, start.y).
void SetSegment(TKromaF& f, TPoint end) {
  auto& p = f.FBezierPoints;
  const TPoint s = f.FStartPoint;
  p[0] = s;
  p[3] = end;
  if (!f.FBezierLock1) p[1] = {s.x, end.y};
  if (!f.FBezierLock2) p[2] = {end.x, s.y};
}

// The press shows the segment as the first move will remove it: nothing
// without locks, the curve through the locked controls otherwise.
void PolyBezierPress(TKromaF& f, const TMouseEvent&) {
  f.Canvas().Pen.Mode = pmNotXor;
  SetSegment(f, f.FStartPoint);
  f.Canvas().PolyBezier(f.FBezierPoints);
}

void PolyBezierMove(TKromaF& f, const TMouseEvent& e) {
  TCanvas& canvas = f.Canvas();
  canvas.Pen.Mode = pmNotXor;
  SetSegment(f, f.FLastPoint);
  canvas.PolyBezier(f.FBezierPoints);
  const TPoint pointer{e.X, e.Y};
  if (e.Shift & ssCtrl) {
    f.FBezierLock1 = true;
    f.FBezierPoints[1] = pointer;
  }
  if (e.Shift & ssShift) {
    f.FBezierLock2 = true;
    f.FBezierPoints[2] = pointer;
  }
  SetSegment(f, pointer);
  canvas.PolyBezier(f.FBezierPoints);
  f.FLastPoint = pointer;
}

}  // namespace

void RegisterCurveTools(TToolStepRegistry& steps) {
  steps.Register("sline", {.Move = StraightLineMove});
  steps.Register("spiral", {.Move = LineBand, .Release = SpiralRelease});
  steps.Register("spiro", {.Move = LineBand, .Release = SpiroRelease});
  steps.Register("polybezier", {.Press = PolyBezierPress, .Move = PolyBezierMove});
}

}  // namespace kroma
