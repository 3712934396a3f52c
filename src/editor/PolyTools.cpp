// The polygon and polyline: a vertex per click, a band from the last
// vertex to the pointer between clicks (moves run with no button held
// while the gesture is open), ended by a right press.
#include "editor/PolyTools.h"

#include <span>

#include "core/Canvas.h"
#include "editor/KromaF.h"
#include "editor/Modules.h"
#include "editor/RubberBands.h"
#include "editor/ToolSteps.h"

namespace kroma {
namespace {

bool IsPolyKey(const std::string& key) { return key == "polygon" || key == "polyline" || key == "polybezier"; }

std::span<const TPoint> Vertices(const TKromaF& f) {
  return {f.FPolyPoints.data(), static_cast<std::size_t>(f.FPolyCount)};
}

void AddVertex(TKromaF& f, TPoint p) {
  f.FPolyPoints[static_cast<std::size_t>(f.FPolyCount)] = p;
  if (f.FPolyCount < kMaxPolyPoints) ++f.FPolyCount;
}

// A click (press and release at one point) places one vertex. A dragged
// side is drawn at its release unless the pen mode is pmNotXor, and its
// release point is a vertex too, so the vertices follow the sides drawn.
// After 100 vertices the last slot takes each new one.
void PolyRelease(TKromaF& f, const TMouseEvent& e) {
  TCanvas& canvas = f.Canvas();
  const TPoint end{e.X, e.Y};
  canvas.MoveTo(f.FStartPoint.x, f.FStartPoint.y);
  if (f.DrawsFinalFigure()) canvas.LineTo(end.x, end.y);
  const bool first = f.FPolyCount == 0;
  if (first) AddVertex(f, f.FStartPoint);
  if (!first || end != f.FStartPoint) AddVertex(f, end);
  // The next side's band starts at the vertex just placed.
  f.FStartPoint = f.FLastPoint = end;
}

// Sides between consecutive vertices, one line each, as they were drawn.
void DrawSides(TCanvas& canvas, std::span<const TPoint> v) {
  for (std::size_t i = 1; i < v.size(); ++i) {
    canvas.MoveTo(v[i - 1].x, v[i - 1].y);
    canvas.LineTo(v[i].x, v[i].y);
  }
}

}  // namespace

void EndPolyFigure(TKromaF& f) {
  TCanvas& canvas = f.Canvas();
  const TPenMode mode = canvas.Pen.Mode;
  if (f.FMouseDown) RemoveBandLine(f, f.FLastPoint);
  canvas.Pen.Mode = mode;
  if (f.FToolKey == "polygon" && f.FPolyCount > 2) {
    // The polygon's outline takes the place of the sides; in pmNotXor the
    // sides must go first, or the outline would draw them away.
    if (mode == pmNotXor) DrawSides(canvas, Vertices(f));
    canvas.Polygon(Vertices(f));
  } else if (f.FToolKey == "polyline" && mode != pmNotXor) {
    DrawSides(canvas, Vertices(f));
  }
  f.FPolyCount = 0;
  f.FMouseDown = false;
}

void DropPolyFigure(TKromaF& f) {
  if (!IsPolyKey(f.FToolKey)) return;
  if (f.FMouseDown && f.FToolKey != "polybezier") {
    const TPenMode mode = f.Canvas().Pen.Mode;
    RemoveBandLine(f, f.FLastPoint);
    f.Canvas().Pen.Mode = mode;
  }
  f.FMouseDown = false;
  f.FPolyCount = 0;
  f.FBezierLock1 = f.FBezierLock2 = false;
}

void RegisterPolyTools(TToolStepRegistry& steps) {
  steps.Register("polygon", {.Move = LineBand, .Release = PolyRelease});
  steps.Register("polyline", {.Move = LineBand, .Release = PolyRelease});
}

}  // namespace kroma
