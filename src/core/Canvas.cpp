// The canvas's state and the steps every drawing call shares; lines,
// polylines, Bézier curves and single pixels. The figures are in
// CanvasShapes.cpp, fills in CanvasFlood.cpp, copies in CanvasCopy.cpp,
// paths in CanvasPath.cpp and text in CanvasText.cpp.
#include "core/Canvas.h"

#include "core/CanvasImpl.h"
#include "core/CanvasPaint.h"
#include "core/Error.h"
#include "core/Numeric.h"
#include "core/RasterCurve.h"
#include "core/RasterLine.h"
#include "core/RasterStroke.h"

namespace kroma {

void TBrush::SetColor(TColor color) {
  color_ = color;
  if (style_ == bsClear) style_ = bsSolid;
}

void TBrush::SetBitmap(const TBitmap* pattern) {
  if (pattern == nullptr) {
    pattern_.reset();
    return;
  }
  if (pattern->Empty()) throw Error("The brush pattern bitmap is empty");
  auto copy = std::make_shared<TBitmap>(8, 8, pf24bit);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) copy->SetPixel(x, y, pattern->GetPixel(x % pattern->Width(), y % pattern->Height()));
  pattern_ = std::move(copy);
}

TCanvas::TCanvas(TBitmap& bitmap) : bitmap_(&bitmap), impl_(std::make_unique<Impl>()) {}
TCanvas::~TCanvas() = default;

// ---- shared steps -----------------------------------------------------

TRect TCanvas::Impl::BeginDraw(TCanvas& canvas) {
  TBitmap& bitmap = *canvas.bitmap_;
  if (bitmap.Empty()) return {};
  if (bitmap.PixelFormat() != pf24bit) bitmap.SetPixelFormat(pf24bit);
  TRect window = bitmap.BoundsRect();
  if (const TSpanSet* clip = Clip(canvas)) window = Intersect(window, clip->Bounds());
  return window;
}

const TSpanSet* TCanvas::Impl::Clip(TCanvas& canvas) {
  if (!canvas.clipRegion_) return nullptr;
  Impl& impl = *canvas.impl_;
  const TRect bounds = canvas.bitmap_->BoundsRect();
  if (!impl.clipCached || impl.clipCachedFor != bounds) {
    impl.clipSpans = canvas.clipRegion_->Rasterize(bounds);
    impl.clipCachedFor = bounds;
    impl.clipCached = true;
  }
  return &impl.clipSpans;
}

TSpanSet TCanvas::Impl::Clipped(TCanvas& canvas, TSpanSet set) {
  if (const TSpanSet* clip = Clip(canvas)) return set.Intersect(*clip);
  return set;
}

TRect TCanvas::Impl::Record(TCanvas& canvas, const TRect& changed) {
  canvas.changed_ = Union(canvas.changed_, changed);
  return changed;
}

TRect TCanvas::Impl::PaintFigure(TCanvas& canvas, TFigurePixels figure, bool penMode) {
  const TRect bounds = canvas.bitmap_->BoundsRect();
  auto inside = [&](TSpanSet set) {
    if (Union(bounds, set.Bounds()) != bounds) set = set.Clipped(bounds);
    return Clipped(canvas, std::move(set));
  };
  figure.on = inside(std::move(figure.on));
  figure.gaps = inside(std::move(figure.gaps)).Subtract(figure.on);
  figure.fill = inside(std::move(figure.fill)).Subtract(figure.on).Subtract(figure.gaps);
  const TPenMode mode = penMode ? canvas.Pen.Mode : pmCopy;
  const TPaint brush = BrushPaint(canvas.Brush);
  TBitmap& bitmap = *canvas.bitmap_;
  PaintSpans(bitmap, figure.fill, brush, mode);
  PaintSpans(bitmap, figure.gaps, SolidPaint(canvas.Brush.Color()), mode);
  PaintSpans(bitmap, figure.on, SolidPaint(canvas.Pen.Color), mode);
  TRect changed = Union(figure.on.Bounds(), figure.gaps.Bounds());
  if (brush.kind != TPaint::None) changed = Union(changed, figure.fill.Bounds());
  return Record(canvas, changed);
}

TDashPattern TCanvas::Impl::PenDash(const TCanvas& canvas) {
  if (PenWidth(canvas) > 1) return {};
  switch (canvas.Pen.Style) {
    case psDash: return {18, 6};
    case psDot: return {3, 3};
    case psDashDot: return {9, 6, 3, 6};
    case psDashDotDot: return {9, 3, 3, 3, 3, 3};
    default: return {};
  }
}

void TCanvas::Impl::PolylineOutline(const TCanvas& canvas, std::span<const TPolyline> lines, const TRect& window,
                                    TFigurePixels& out) {
  if (!PenVisible(canvas)) return;
  const int width = PenWidth(canvas);
  if (width > 1) {
    std::vector<TFigureF> figures;
    for (const TPolyline& line : lines) {
      TFigureF f;
      for (TPoint p : line.points) f.points.push_back({static_cast<double>(p.x), static_cast<double>(p.y)});
      f.closed = line.closed;
      figures.push_back(std::move(f));
    }
    out.on = out.on.Union(StrokeFigures(figures, width, window));
    return;
  }
  const TDashPattern dash = PenDash(canvas);
  TOutlineCollector collector(dash);
  std::int64_t position = 0;
  for (const TPolyline& line : lines) {
    const std::vector<TPoint>& pts = line.points;
    const std::size_t n = pts.size();
    const std::size_t segments = line.closed && n > 2 ? n : (n == 0 ? 0 : n - 1);
    for (std::size_t k = 0; k < segments; ++k) {
      TPoint a = pts[k], b = pts[(k + 1) % n];
      RasterLine(a, b, window, position, collector);
      position += LineSteps(a, b);
    }
  }
  out.on = out.on.Union(collector.On());
  if (!dash.Solid() && OpaqueGaps(canvas)) out.gaps = out.gaps.Union(collector.Gaps());
}

void TCanvas::Impl::FigureOutline(const TCanvas& canvas, std::span<const TFigureF> figures, const TRect& window,
                                  TFigurePixels& out) {
  if (!PenVisible(canvas)) return;
  if (PenWidth(canvas) > 1) {
    out.on = out.on.Union(StrokeFigures(figures, PenWidth(canvas), window));
    return;
  }
  std::vector<TPolyline> lines;
  for (const TFigureF& f : figures) {
    TPolyline line;
    for (TPointF p : f.points) {
      TPoint q{SaturateRound(p.x), SaturateRound(p.y)};
      if (line.points.empty() || !(line.points.back() == q)) line.points.push_back(q);
    }
    line.closed = f.closed;
    lines.push_back(std::move(line));
  }
  PolylineOutline(canvas, lines, window, out);
}

// ---- clip region --------------------------------------------------------

void TCanvas::SetClipRegion(std::optional<TRegion> region) {
  clipRegion_ = std::move(region);
  impl_->clipCached = false;
}

// ---- lines --------------------------------------------------------------

TRect TCanvas::MoveTo(int x, int y) {
  Impl::PathMoveTo(*this, {x, y});
  penPos_ = {x, y};
  return {};
}

TRect TCanvas::LineTo(int x, int y) {
  const TPoint from = penPos_, to{x, y};
  penPos_ = to;
  if (Impl::PathLineTo(*this, from, to)) return {};
  const TRect window = Impl::BeginDraw(*this);
  if (from == to || window.IsEmpty()) return {};
  TFigurePixels figure;
  const TPolyline line{{from, to}, false};
  Impl::PolylineOutline(*this, std::span(&line, 1), window, figure);
  return Impl::PaintFigure(*this, std::move(figure));
}

TRect TCanvas::Polyline(std::span<const TPoint> points) {
  const TPolyline line{{points.begin(), points.end()}, false};
  std::vector<TPointF> asDouble;
  for (TPoint p : points) asDouble.push_back({static_cast<double>(p.x), static_cast<double>(p.y)});
  if (Impl::PathFigure(*this, std::move(asDouble), false)) return {};
  const TRect window = Impl::BeginDraw(*this);
  if (window.IsEmpty() || points.size() < 2) return {};
  TFigurePixels figure;
  Impl::PolylineOutline(*this, std::span(&line, 1), window, figure);
  return Impl::PaintFigure(*this, std::move(figure));
}

TRect TCanvas::PolyBezier(std::span<const TPoint> points) {
  if (points.size() < 4) return {};
  const std::size_t segments = (points.size() - 1) / 3;
  auto f = [&](std::size_t i) { return TPointF{static_cast<double>(points[i].x), static_cast<double>(points[i].y)}; };
  TFigureF curve;
  curve.points.push_back(f(0));
  for (std::size_t s = 0; s < segments; ++s)
    FlattenBezier(f(3 * s), f(3 * s + 1), f(3 * s + 2), f(3 * s + 3), curve.points);
  if (Impl::PathFigure(*this, curve.points, false)) return {};
  const TRect window = Impl::BeginDraw(*this);
  if (window.IsEmpty()) return {};
  TFigurePixels figure;
  Impl::FigureOutline(*this, std::span(&curve, 1), window, figure);
  return Impl::PaintFigure(*this, std::move(figure));
}

// ---- pixels -------------------------------------------------------------

TColor TCanvas::Pixel(int x, int y) const { return bitmap_->GetPixel(x, y); }

TRect TCanvas::SetPixel(int x, int y, TColor color) {
  const TRect window = Impl::BeginDraw(*this);
  if (!window.Contains(x, y)) return {};
  if (const TSpanSet* clip = Impl::Clip(*this); clip && !clip->Contains(x, y)) return {};
  bitmap_->SetPixel(x, y, color);
  return Impl::Record(*this, {x, y, x + 1, y + 1});
}

}  // namespace kroma
