// The plain line and freehand tools.
#include "core/Canvas.h"
#include "editor/KromaF.h"
#include "editor/Modules.h"
#include "editor/RubberBands.h"
#include "editor/ToolSteps.h"

namespace kroma {
namespace {

void LineRelease(TKromaF& f, const TMouseEvent& e) {
  TCanvas& canvas = f.Canvas();
  canvas.MoveTo(f.FStartPoint.x, f.FStartPoint.y);
  if (f.DrawsFinalFigure()) canvas.LineTo(e.X, e.Y);
}

// The press placed the pen at the press point, so the stroke starts there.
void FreehandMove(TKromaF& f, const TMouseEvent& e) { f.Canvas().LineTo(e.X, e.Y); }

}  // namespace

void RegisterLineTools(TToolStepRegistry& steps) {
  steps.Register("line", {.Move = LineBand, .Release = LineRelease});
  steps.Register("freehand", {.Move = FreehandMove});
}

}  // namespace kroma
