#pragma once
// What the canvas's source files share: the path under construction, the
// cached clip pixels, and the steps every drawing call goes through
// (prepare the bitmap, find the window, clip, paint, record the change).
#include <span>
#include <vector>

#include "core/Canvas.h"
#include "core/RasterGeometry.h"
#include "core/RasterOutline.h"
#include "core/Spans.h"

namespace kroma {

// The pixel sets of one figure, restricted to the drawing window.
struct TFigurePixels {
  TSpanSet fill;  // painted with the brush
  TSpanSet on;    // outline pixels painted with the pen
  TSpanSet gaps;  // gaps of a dashed outline painted with the brush colour
};

// A polyline through pixels; a closed one returns to its first point.
struct TPolyline {
  std::vector<TPoint> points;
  bool closed = false;
};

struct TCanvas::Impl {
  // Path under construction (between BeginPath and EndPath) or ended.
  bool inPath = false;
  bool figureOpen = false;  // the last figure takes further LineTo points
  std::vector<TFigureF> path;

  // The clip region's pixels for the bitmap's bounds, made when needed.
  bool clipCached = false;
  TRect clipCachedFor{};
  TSpanSet clipSpans;

  // Makes the bitmap 24-bit and returns the window drawing may reach: the
  // bitmap's bounds, narrowed to the clip region's bounds.
  static TRect BeginDraw(TCanvas& canvas);
  // The clip region's pixels, or nullptr without a clip region.
  static const TSpanSet* Clip(TCanvas& canvas);
  // Restricts a set to the clip region.
  static TSpanSet Clipped(TCanvas& canvas, TSpanSet set);
  // Clips the figure, makes its parts disjoint (outline over gaps over
  // fill) and paints them with the pen mode when `penMode`, else pmCopy.
  static TRect PaintFigure(TCanvas& canvas, TFigurePixels figure, bool penMode = true);
  // Adds a changed rectangle to Changed() and returns it.
  static TRect Record(TCanvas& canvas, const TRect& changed);

  // The pen's dash pattern (solid for wide pens and solid styles).
  static TDashPattern PenDash(const TCanvas& canvas);
  static int PenWidth(const TCanvas& canvas) { return canvas.Pen.Width < 1 ? 1 : canvas.Pen.Width; }
  static bool PenVisible(const TCanvas& canvas) { return canvas.Pen.Style != psClear; }
  // Whether gaps of a dashed outline are painted (a bsSolid brush).
  static bool OpaqueGaps(const TCanvas& canvas) { return canvas.Brush.Style() == bsSolid; }

  // Outline pixels of polylines through integer points drawn with the pen
  // (width 1: Bresenham lines with the dash pattern running along them in
  // order; wider: a stroke). A width-1 polyline that is not closed leaves
  // out its last point.
  static void PolylineOutline(const TCanvas& canvas, std::span<const TPolyline> lines, const TRect& window,
                              TFigurePixels& out);
  // Outline pixels of figures of double-precision points (paths): width 1
  // draws them through the points rounded to pixels; wider pens stroke
  // them as they are.
  static void FigureOutline(const TCanvas& canvas, std::span<const TFigureF> figures, const TRect& window,
                            TFigurePixels& out);

  // Path recording; each returns true when a path is being recorded.
  static bool PathMoveTo(TCanvas& canvas, TPoint p);
  static bool PathLineTo(TCanvas& canvas, TPoint from, TPoint to);
  static bool PathFigure(TCanvas& canvas, std::vector<TPointF> points, bool closed);
};

}  // namespace kroma
