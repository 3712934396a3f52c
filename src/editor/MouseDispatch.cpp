// The three mouse phases on the image: the common steps every key shares,
// in their fixed order, and the dispatch to the current key's step.
// Keys are looked up once per phase, so a step that rewrites the key (a
// stage machine moving on) is not followed by the new key's step in the
// same phase.
#include <cstdio>
#include <cstdlib>

#include "core/Canvas.h"
#include "editor/Desktop.h"
#include "editor/KromaF.h"
#include "editor/Modules.h"
#include "editor/PolyTools.h"
#include "editor/ToolSteps.h"

namespace kroma {
namespace {

// Shows the phase's drawing however the phase ends.
struct TFlushOnExit {
  TKromaF& editor;
  ~TFlushOnExit() { editor.FlushChanges(); }
};

std::string PointerText(int x, int y) {
  char text[64];
  std::snprintf(text, sizeof text, "x=%d y=%d", x, y);
  return text;
}

std::string DragText(int x, int y, TPoint start) {
  char text[96];
  long long w = std::llabs(static_cast<long long>(x) - start.x);
  long long h = std::llabs(static_cast<long long>(y) - start.y);
  std::snprintf(text, sizeof text, "x=%d y=%d w=%lld h=%lld", x, y, w, h);
  return text;
}

}  // namespace

void TKromaF::mypaintMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TFlushOnExit flush{*this};
  TCanvas& canvas = Canvas();
  FDownPenColor = canvas.Pen.Color;
  FDownBrushColor = canvas.Brush.Color();
  if (button == mbRight) {
    RightClick(x, y, shift);
    return;
  }
  if (Held(shift, ssCtrl | ssShift)) {
    x = FClonePoint.x;
    y = FClonePoint.y;
    Desktop.WarpCursor(FClonePoint);
  }
  PushImage();
  WidenImageTo24();
  canvas.MoveTo(x, y);
  FStartPoint = FLastPoint = {x, y};
  FLineDirection = "none";
  FMouseDown = true;
  FSavedPenMode = canvas.Pen.Mode;
  if (TMouseStep step = EditorToolSteps().Find(FToolKey).Press) step(*this, {button, shift, x, y});
  canvas.Pen.Mode = FSavedPenMode;
}

void TKromaF::mypaintMouseMove(TShiftState shift, int x, int y) {
  TFlushOnExit flush{*this};
  FMousePoint = {x, y};
  if (Held(shift, ssCtrl | ssAlt)) return;
  TCanvas& canvas = Canvas();
  FSavedPenMode = canvas.Pen.Mode;
  SetStatus(2, FMouseDown ? DragText(x, y, FStartPoint) : PointerText(x, y));
  if (FMouseDown)
    if (TMouseStep step = EditorToolSteps().Find(FToolKey).Move) step(*this, {mbLeft, shift, x, y});
  canvas.Pen.Mode = FSavedPenMode;
  FLastPoint = {x, y};
}

void TKromaF::mypaintMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TFlushOnExit flush{*this};
  if (Held(shift, ssCtrl | ssAlt) || button == mbRight) return;
  TCanvas& canvas = Canvas();
  FSavedPenMode = canvas.Pen.Mode;
  if (TMouseStep step = EditorToolSteps().Find(FToolKey).Release) step(*this, {button, shift, x, y});
  canvas.Pen.Mode = FSavedPenMode;
  if (FToolKey != "polygon" && FToolKey != "polyline" && FToolKey != "polybezier") FMouseDown = false;
}

void TKromaF::RightClick(int x, int y, TShiftState shift) {
  TCanvas& canvas = Canvas();
  if (FToolKey == "polygon" || FToolKey == "polyline") {
    EndPolyFigure(*this);
  } else if (FToolKey == "polybezier") {
    FBezierLock1 = FBezierLock2 = false;
    FStartPoint = FLastPoint = {x, y};
    if (shift & ssAlt) FMouseDown = false;
  }
  canvas.Pen.Mode = FSavedPenMode;
  FClonePoint = {x, y};
}

void TKromaF::Timer1Timer() {
  TFlushOnExit flush{*this};
  if (!FMouseDown) return;
  if (TTimerStep step = EditorToolSteps().Find(FToolKey).Timer) step(*this);
}

}  // namespace kroma
