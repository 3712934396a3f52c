// The multi-click tools whose state is the tool key itself: Bézier
// ("bezier" -> "bezier1" -> "bezier2"), chord, arc and pie ("chord" ->
// "chord1" -> "chord2" -> "chord3"), skew rectangle and triangle. Rubber
// bands draw with pmNotXor; the last stage draws the final figure with the
// user's pen mode unless that is pmNotXor.
#include <array>
#include <cstdint>
#include <span>

#include "core/Canvas.h"
#include "editor/KromaF.h"
#include "editor/Modules.h"
#include "editor/RubberBands.h"
#include "editor/ShapeHelpers.h"
#include "editor/StageHints.h"
#include "editor/ToolSteps.h"

namespace kroma {
namespace {

// ---- Bézier ----

void DrawBezier(TKromaF& f) { f.Canvas().PolyBezier(f.FBezierPoints); }

void BezierMove(TKromaF& f, const TMouseEvent& e) {
  TPoint s = f.FStartPoint;
  f.Canvas().Pen.Mode = pmNotXor;
  f.FBezierPoints = {s, s, f.FLastPoint, f.FLastPoint};
  DrawBezier(f);
  f.FBezierPoints = {s, s, TPoint{e.X, e.Y}, TPoint{e.X, e.Y}};
  DrawBezier(f);
}

void BezierRelease(TKromaF& f, const TMouseEvent&) { EnterStage(f, "bezier1"); }

// Moves control point `i` to (x, y) under the rubber band.
void MoveControl(TKromaF& f, std::size_t i, int x, int y) {
  f.Canvas().Pen.Mode = pmNotXor;
  DrawBezier(f);
  f.FBezierPoints[i] = {x, y};
  DrawBezier(f);
}

void Control1Step(TKromaF& f, const TMouseEvent& e) { MoveControl(f, 1, e.X, e.Y); }
void Control2Step(TKromaF& f, const TMouseEvent& e) { MoveControl(f, 2, e.X, e.Y); }
void Bezier1Release(TKromaF& f, const TMouseEvent&) { EnterStage(f, "bezier2"); }

void Bezier2Release(TKromaF& f, const TMouseEvent& e) {
  f.FBezierPoints[2] = {e.X, e.Y};
  if (f.DrawsFinalFigure()) DrawBezier(f);
  EnterStage(f, "bezier");
}

// ---- Chord, arc and pie ----

enum class TArcFigure { Chord, Arc, Pie };

template <TArcFigure Figure>
struct ArcSteps {
  static constexpr const char* Key() {
    return Figure == TArcFigure::Chord ? "chord" : Figure == TArcFigure::Arc ? "arc" : "pie";
  }
  static void FirstRelease(TKromaF& f, const TMouseEvent& e) {
    f.FArcRect = {f.FStartPoint, TPoint{e.X, e.Y}};
    EnterStage(f, std::string(Key()) + "1");
  }
  static void SecondRelease(TKromaF& f, const TMouseEvent& e) {
    f.FArcStart = {e.X, e.Y};
    EnterStage(f, std::string(Key()) + "2");
  }
  static void ThirdRelease(TKromaF& f, const TMouseEvent& e) {
    f.FArcEnd = {e.X, e.Y};
    EnterStage(f, std::string(Key()) + "3");
    TCanvas& canvas = f.Canvas();
    const TPoint a = f.FArcRect[0], b = f.FArcRect[1];
    canvas.Pen.Mode = pmNotXor;
    canvas.Ellipse(a.x, a.y, b.x, b.y);  // removes the outline of the first drag
    canvas.Pen.Mode = f.FSavedPenMode;
    const TPoint s = f.FArcStart, t = f.FArcEnd;
    if (Figure == TArcFigure::Chord) canvas.Chord(a.x, a.y, b.x, b.y, s.x, s.y, t.x, t.y);
    if (Figure == TArcFigure::Arc) canvas.Arc(a.x, a.y, b.x, b.y, s.x, s.y, t.x, t.y);
    if (Figure == TArcFigure::Pie) canvas.Pie(a.x, a.y, b.x, b.y, s.x, s.y, t.x, t.y);
  }
  // The press after a finished figure starts the next one.
  static void Restart(TKromaF& f, const TMouseEvent&) { EnterStage(f, Key()); }

  static void Register(TToolStepRegistry& steps) {
    std::string key = Key();
    steps.Register(key, {.Move = EllipseBand, .Release = FirstRelease});
    steps.Register(key + "1", {.Release = SecondRelease});
    steps.Register(key + "2", {.Release = ThirdRelease});
    steps.Register(key + "3", {.Press = Restart});
  }
};

// ---- Skew rectangle and triangle ----

void Outline(TCanvas& canvas, std::span<const TPoint> corners) {
  canvas.MoveTo(corners[0].x, corners[0].y);
  for (std::size_t i = 1; i < corners.size(); ++i) canvas.LineTo(corners[i].x, corners[i].y);
  canvas.LineTo(corners[0].x, corners[0].y);
}

void DrawSkewRect(TKromaF& f) { Outline(f.Canvas(), f.FCorners); }
void DrawTriangle(TKromaF& f) { Outline(f.Canvas(), std::span<const TPoint>(f.FCorners.data(), 3)); }

// The first side, drawn at release unless the pen mode is pmNotXor.
void FirstSide(TKromaF& f, const TMouseEvent& e) {
  TCanvas& canvas = f.Canvas();
  canvas.MoveTo(f.FStartPoint.x, f.FStartPoint.y);
  if (f.DrawsFinalFigure()) canvas.LineTo(e.X, e.Y);
}

void SkewRectRelease(TKromaF& f, const TMouseEvent& e) {
  FirstSide(f, e);
  TPoint p1{e.X, e.Y};
  f.FCorners = {f.FStartPoint, p1, p1, f.FStartPoint};
  EnterStage(f, "skewrect1");
}

void SkewRect1Move(TKromaF& f, const TMouseEvent& e) {
  f.Canvas().Pen.Mode = pmNotXor;
  DrawSkewRect(f);
  auto& p = f.FCorners;
  p[2] = {e.X, e.Y};
  // P3 := P2 + P0 - P1, kept in the int range for corners far outside.
  p[3] = {ClampToInt(std::int64_t{p[2].x} + p[0].x - p[1].x), ClampToInt(std::int64_t{p[2].y} + p[0].y - p[1].y)};
  DrawSkewRect(f);
}

void SkewRect1Release(TKromaF& f, const TMouseEvent&) {
  if (f.DrawsFinalFigure()) DrawSkewRect(f);
  EnterStage(f, "skewrect2");
}

void TriangleRelease(TKromaF& f, const TMouseEvent& e) {
  FirstSide(f, e);
  TPoint p1{e.X, e.Y};
  f.FCorners = {f.FStartPoint, p1, p1, TPoint{}};
  EnterStage(f, "triangle1");
}

void Triangle1Move(TKromaF& f, const TMouseEvent& e) {
  f.Canvas().Pen.Mode = pmNotXor;
  DrawTriangle(f);
  f.FCorners[2] = {e.X, e.Y};
  DrawTriangle(f);
}

void Triangle1Release(TKromaF& f, const TMouseEvent&) {
  if (f.DrawsFinalFigure()) DrawTriangle(f);
  EnterStage(f, "triangle2");
}

// The second drag starts from the first side: the outline's first draw-away
// (P2 still on P1) has to find exactly what is on the image. In pmNotXor
// the first side is still the band line, which gives way to the outline;
// then the degenerate outline is shown, so the first move removes it.
template <void (*Draw)(TKromaF&)>
void OutlinePress(TKromaF& f, const TMouseEvent&) {
  TCanvas& canvas = f.Canvas();
  canvas.Pen.Mode = pmNotXor;
  if (!f.DrawsFinalFigure()) {
    canvas.MoveTo(f.FCorners[0].x, f.FCorners[0].y);
    canvas.LineTo(f.FCorners[1].x, f.FCorners[1].y);
  }
  Draw(f);
}

void SkewRectRestart(TKromaF& f, const TMouseEvent&) { EnterStage(f, "skewrect"); }
void TriangleRestart(TKromaF& f, const TMouseEvent&) { EnterStage(f, "triangle"); }

}  // namespace

void RegisterStageTools(TToolStepRegistry& steps) {
  steps.Register("bezier", {.Move = BezierMove, .Release = BezierRelease});
  steps.Register("bezier1", {.Press = Control1Step, .Move = Control1Step, .Release = Bezier1Release});
  steps.Register("bezier2", {.Press = Control2Step, .Move = Control2Step, .Release = Bezier2Release});
  ArcSteps<TArcFigure::Chord>::Register(steps);
  ArcSteps<TArcFigure::Arc>::Register(steps);
  ArcSteps<TArcFigure::Pie>::Register(steps);
  steps.Register("skewrect", {.Move = LineBand, .Release = SkewRectRelease});
  steps.Register("skewrect1",
                 {.Press = OutlinePress<DrawSkewRect>, .Move = SkewRect1Move, .Release = SkewRect1Release});
  steps.Register("skewrect2", {.Press = SkewRectRestart});
  steps.Register("triangle", {.Move = LineBand, .Release = TriangleRelease});
  steps.Register("triangle1",
                 {.Press = OutlinePress<DrawTriangle>, .Move = Triangle1Move, .Release = Triangle1Release});
  steps.Register("triangle2", {.Press = TriangleRestart});
}

}  // namespace kroma
