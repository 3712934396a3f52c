#include "editor/RubberBands.h"

#include "core/Canvas.h"
#include "editor/KromaF.h"

namespace kroma {

void LineBand(TKromaF& f, const TMouseEvent& e) {
  TCanvas& canvas = f.Canvas();
  f.RubberBand(e.X, e.Y, [&canvas](TPoint a, TPoint b) {
    canvas.MoveTo(a.x, a.y);
    canvas.LineTo(b.x, b.y);
  });
}

void RectangleBand(TKromaF& f, const TMouseEvent& e) {
  TCanvas& canvas = f.Canvas();
  f.RubberBand(e.X, e.Y, [&canvas](TPoint a, TPoint b) { canvas.Rectangle(a.x, a.y, b.x, b.y); });
}

void EllipseBand(TKromaF& f, const TMouseEvent& e) {
  TCanvas& canvas = f.Canvas();
  f.RubberBand(e.X, e.Y, [&canvas](TPoint a, TPoint b) { canvas.Ellipse(a.x, a.y, b.x, b.y); });
}

void RemoveBandLine(TKromaF& f, TPoint end) {
  TCanvas& canvas = f.Canvas();
  canvas.Pen.Mode = pmNotXor;
  canvas.MoveTo(f.FStartPoint.x, f.FStartPoint.y);
  canvas.LineTo(end.x, end.y);
  canvas.Pen.Mode = f.FSavedPenMode;
}

}  // namespace kroma
