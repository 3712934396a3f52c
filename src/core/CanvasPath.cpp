// Paths: figures recorded between BeginPath and EndPath as double-precision
// contours, then stroked with the pen, filled with the brush, or both.
#include "core/Canvas.h"
#include "core/CanvasImpl.h"
#include "core/Numeric.h"
#include "core/RasterPolygon.h"

namespace kroma {

bool TCanvas::Impl::PathMoveTo(TCanvas& canvas, TPoint p) {
  Impl& impl = *canvas.impl_;
  if (!impl.inPath) return false;
  impl.path.push_back({{{static_cast<double>(p.x), static_cast<double>(p.y)}}, false});
  impl.figureOpen = true;
  return true;
}

bool TCanvas::Impl::PathLineTo(TCanvas& canvas, TPoint from, TPoint to) {
  Impl& impl = *canvas.impl_;
  if (!impl.inPath) return false;
  if (!impl.figureOpen || impl.path.empty()) {
    impl.path.push_back({{{static_cast<double>(from.x), static_cast<double>(from.y)}}, false});
    impl.figureOpen = true;
  }
  impl.path.back().points.push_back({static_cast<double>(to.x), static_cast<double>(to.y)});
  return true;
}

bool TCanvas::Impl::PathFigure(TCanvas& canvas, std::vector<TPointF> points, bool closed) {
  Impl& impl = *canvas.impl_;
  if (!impl.inPath) return false;
  if (!points.empty()) {
    impl.path.push_back({std::move(points), closed});
    impl.figureOpen = !closed;
  }
  return true;
}

void TCanvas::BeginPath() {
  impl_->inPath = true;
  impl_->figureOpen = false;
  impl_->path.clear();
}

void TCanvas::EndPath() { impl_->inPath = false; }

void TCanvas::CloseFigure() {
  Impl& impl = *impl_;
  if (!impl.inPath || !impl.figureOpen || impl.path.empty()) return;
  TFigureF& f = impl.path.back();
  f.closed = true;
  impl.figureOpen = false;
  penPos_ = {SaturateRound(f.points.front().x), SaturateRound(f.points.front().y)};
}

void TCanvas::AbortPath() {
  impl_->inPath = false;
  impl_->figureOpen = false;
  impl_->path.clear();
}

namespace {

// Takes the recorded path (ending it if still open); it is used once.
std::vector<TFigureF> TakePath(TCanvas::Impl& impl) {
  impl.inPath = false;
  impl.figureOpen = false;
  return std::move(impl.path);
}

TRect DrawPath(TCanvas& canvas, TCanvas::Impl& impl, bool stroke, bool fill) {
  const std::vector<TFigureF> figures = TakePath(impl);
  impl.path.clear();
  const TRect window = TCanvas::Impl::BeginDraw(canvas);
  if (window.IsEmpty() || figures.empty()) return {};
  TFigurePixels pixels;
  if (fill) {
    std::vector<std::vector<TPointF>> contours;
    for (const TFigureF& f : figures) contours.push_back(f.points);
    pixels.fill = ScanConvert(contours, canvas.PolyFillMode, {0, 0}, window);
  }
  if (stroke) TCanvas::Impl::FigureOutline(canvas, figures, window, pixels);
  return TCanvas::Impl::PaintFigure(canvas, std::move(pixels));
}

}  // namespace

TRect TCanvas::StrokePath() { return DrawPath(*this, *impl_, true, false); }
TRect TCanvas::FillPath() { return DrawPath(*this, *impl_, false, true); }
TRect TCanvas::StrokeAndFillPath() { return DrawPath(*this, *impl_, true, true); }

}  // namespace kroma
