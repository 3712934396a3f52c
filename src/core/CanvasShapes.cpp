// Closed figures (rectangles, round rectangles, ellipses, arcs, chords,
// pies, polygons) and the brush-only FillRect and FrameRect.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/Canvas.h"
#include "core/CanvasImpl.h"
#include "core/CanvasPaint.h"
#include "core/Numeric.h"
#include "core/RasterCurve.h"
#include "core/RasterEllipse.h"
#include "core/RasterOutline.h"
#include "core/RasterPolygon.h"
#include "core/RasterStroke.h"

namespace kroma {

namespace {

TBox64 NormalBox(int x1, int y1, int x2, int y2) {
  return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

// The part of a box inside the window, as a rectangle of pixels.
TRect BoxInWindow(const TBox64& box, const TRect& window) {
  TRect r{static_cast<int>(std::clamp<std::int64_t>(box.left, window.Left, window.Right)),
          static_cast<int>(std::clamp<std::int64_t>(box.top, window.Top, window.Bottom)),
          static_cast<int>(std::clamp<std::int64_t>(box.right, window.Left, window.Right)),
          static_cast<int>(std::clamp<std::int64_t>(box.bottom, window.Top, window.Bottom))};
  return r.IsEmpty() ? TRect{} : r;
}

TSpanSet BoxSet(const TBox64& box, const TRect& window) {
  if (box.IsEmpty()) return {};
  return TSpanSet(BoxInWindow(box, window));
}

TRect GrownWindow(const TRect& w) { return {w.Left - 1, w.Top - 1, w.Right + 1, w.Bottom + 1}; }

TPointF PixelCentre(int x, int y) { return {x + 0.5, y + 0.5}; }

std::int64_t FloorPosition(double v) { return TruncToInt64(std::floor(v), "outline position"); }

// Adds ring pixels to the collector; with a dash pattern each pixel gets
// its position along the outline from `position(x, y)`.
template <class PositionFn>
void CollectRing(TOutlineCollector& out, const TSpanSet& ring, PositionFn position) {
  if (out.Solid()) {
    out.AddSolid(ring);
    return;
  }
  for (const TSpan& s : ring.Spans())
    for (int x = s.x0; x < s.x1; ++x) out.AddPixel(x, s.y, FloorPosition(position(x, s.y)));
}

void TakeOutline(const TCanvas& canvas, const TOutlineCollector& collector, TFigurePixels& figure) {
  figure.on = collector.On();
  if (!collector.Solid() && TCanvas::Impl::OpaqueGaps(canvas)) figure.gaps = collector.Gaps();
}

// How far a wide outline reaches outside and inside a box's edge.
struct PenReach {
  std::int64_t out, in;
};
PenReach ReachOf(const TCanvas& canvas, int width, bool insideFrameApplies) {
  if (insideFrameApplies && canvas.Pen.Style == psInsideFrame) return {0, width};
  return {width / 2, width - width / 2};
}

double Wrap(double v, double period) {
  if (!(period > 0)) return 0;
  double r = std::fmod(v, period);
  return r < 0 ? r + period : r;
}

// Steps along the major axis of the direction (dx, dy) from a to p.
double MajorDistance(TPointF a, TPointF p, double dx, double dy) {
  return std::abs(dx) >= std::abs(dy) ? std::abs(p.x - a.x) : std::abs(p.y - a.y);
}

enum class ArcKind { Arc, Chord, Pie };

}  // namespace

TRect TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  const TBox64 box = NormalBox(x1, y1, x2, y2);
  if (box.IsEmpty()) return {};
  const auto l = static_cast<double>(box.left), t = static_cast<double>(box.top);
  const auto r = static_cast<double>(box.right), b = static_cast<double>(box.bottom);
  if (Impl::PathFigure(*this, {{l, t}, {r, t}, {r, b}, {l, b}}, true)) return {};
  const TRect window = Impl::BeginDraw(*this);
  if (window.IsEmpty()) return {};
  TFigurePixels figure;
  figure.fill = BoxSet(box, window);
  if (Impl::PenVisible(*this)) {
    const int width = Impl::PenWidth(*this);
    const PenReach reach = ReachOf(*this, width, true);
    const TSpanSet ring = BoxSet(box.Grown(reach.out), window).Subtract(BoxSet(box.Grown(-reach.in), window));
    const TDashPattern dash = Impl::PenDash(*this);
    TOutlineCollector collector(dash);
    CollectRing(collector, ring, [&](int x, int y) { return BoxOutlinePosition(box, 0, 0, PixelCentre(x, y)); });
    TakeOutline(*this, collector, figure);
  }
  return Impl::PaintFigure(*this, std::move(figure));
}

TRect TCanvas::RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) {
  const TBox64 box = NormalBox(x1, y1, x2, y2);
  const TRect window = Impl::BeginDraw(*this);
  if (box.IsEmpty() || window.IsEmpty()) return {};
  const std::int64_t cw = std::clamp<std::int64_t>(cornerWidth, 0, box.Width());
  const std::int64_t ch = std::clamp<std::int64_t>(cornerHeight, 0, box.Height());
  const bool rounded = cw > 0 && ch > 0;
  TFigurePixels figure;
  figure.fill = RoundRectArea(box, cw, ch, window);
  if (Impl::PenVisible(*this)) {
    const int width = Impl::PenWidth(*this);
    TSpanSet ring;
    if (width == 1) {
      ring = InnerBorder(RoundRectArea(box, cw, ch, GrownWindow(window))).Clipped(window);
    } else {
      const PenReach reach = ReachOf(*this, width, true);
      auto corner = [&](std::int64_t size, std::int64_t d) { return rounded ? std::max<std::int64_t>(0, size + 2 * d) : 0; };
      ring = RoundRectArea(box.Grown(reach.out), corner(cw, reach.out), corner(ch, reach.out), window)
                 .Subtract(RoundRectArea(box.Grown(-reach.in), corner(cw, -reach.in), corner(ch, -reach.in), window));
    }
    const TDashPattern dash = Impl::PenDash(*this);
    TOutlineCollector collector(dash);
    CollectRing(collector, ring, [&](int x, int y) { return BoxOutlinePosition(box, cw, ch, PixelCentre(x, y)); });
    TakeOutline(*this, collector, figure);
  }
  return Impl::PaintFigure(*this, std::move(figure));
}

namespace {

// The ring of an ellipse outline: width 1 the area's border pixels, wider
// the ring between the grown and the shrunk ellipse.
TSpanSet EllipseRing(const TBox64& box, int width, PenReach reach, const TRect& window) {
  if (width == 1) return InnerBorder(EllipseArea(box, GrownWindow(window))).Clipped(window);
  return EllipseArea(box.Grown(reach.out), window).Subtract(EllipseArea(box.Grown(-reach.in), window));
}

}  // namespace

TRect TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  const TBox64 box = NormalBox(x1, y1, x2, y2);
  if (box.IsEmpty()) return {};
  const TEllipseArc whole = MakeEllipseArc(box, {}, {});
  if (Impl::PathFigure(*this, FlattenEllipseArc(whole, {-0.5, -0.5}), true)) return {};
  const TRect window = Impl::BeginDraw(*this);
  if (window.IsEmpty()) return {};
  TFigurePixels figure;
  figure.fill = EllipseArea(box, window);
  if (Impl::PenVisible(*this)) {
    const int width = Impl::PenWidth(*this);
    const TSpanSet ring = EllipseRing(box, width, ReachOf(*this, width, true), window);
    const TDashPattern dash = Impl::PenDash(*this);
    TOutlineCollector collector(dash);
    CollectRing(collector, ring, [&](int x, int y) {
      return BoxOutlinePosition(box, box.Width(), box.Height(), PixelCentre(x, y));
    });
    TakeOutline(*this, collector, figure);
  }
  return Impl::PaintFigure(*this, std::move(figure));
}

namespace {

void DrawArcFigure(const TCanvas& canvas, ArcKind kind, const TBox64& box, TPoint p3, TPoint p4, const TRect& window,
                   TFigurePixels& figure, bool penVisible, int width, const TDashPattern& dash) {
  const TEllipseArc arc = MakeEllipseArc(box, p3, p4);
  const TRect grown = GrownWindow(window);
  auto area = [&](const TRect& w) {
    TSpanSet ellipse = EllipseArea(box, w);
    if (arc.whole || kind == ArcKind::Arc) return ellipse;
    return ellipse.Intersect(kind == ArcKind::Chord ? ChordSide(arc, w) : SectorArea(arc, w));
  };
  if (kind != ArcKind::Arc) figure.fill = area(window);
  if (!penVisible) return;
  const PenReach reach = ReachOf(canvas, width, false);
  const double length = BoxOutlineLength(box, box.Width(), box.Height());
  const double startPos = ArcStartPosition(arc);
  auto arcPosition = [&](int x, int y) {
    return Wrap(BoxOutlinePosition(box, box.Width(), box.Height(), PixelCentre(x, y)) - startPos, length);
  };
  TOutlineCollector collector(dash);
  const TSpanSet ellipseRing = EllipseRing(box, width, reach, window);
  if (kind == ArcKind::Arc || arc.whole) {
    TSpanSet ring = arc.whole ? ellipseRing : ellipseRing.Intersect(SectorArea(arc, window));
    CollectRing(collector, ring, arcPosition);
  } else if (width > 1) {
    // The arc part of the ring, and the straight parts stroked.
    collector.AddSolid(ellipseRing.Intersect(SectorArea(arc, window)));
    TFigureF straight;
    auto toPixel = [](TPointF p) { return TPointF{p.x - 0.5, p.y - 0.5}; };
    straight.points.push_back(toPixel(arc.end));
    if (kind == ArcKind::Pie) straight.points.push_back(toPixel(arc.centre));
    straight.points.push_back(toPixel(arc.start));
    collector.AddSolid(StrokeFigures(std::span(&straight, 1), width, window));
  } else {
    // Width 1: the border of the area; pixels on the ellipse's own ring
    // take their position on the arc, the others on the straight parts.
    const TSpanSet border = InnerBorder(area(grown)).Clipped(window);
    const TSpanSet onArc = border.Intersect(ellipseRing);
    CollectRing(collector, onArc, arcPosition);
    const double arcLength = Wrap(BoxOutlinePosition(box, box.Width(), box.Height(), arc.end) - startPos, length);
    const double sx = static_cast<double>(arc.sx), sy = static_cast<double>(arc.sy);
    const double ex = static_cast<double>(arc.ex), ey = static_cast<double>(arc.ey);
    CollectRing(collector, border.Subtract(ellipseRing), [&](int x, int y) {
      const TPointF p = PixelCentre(x, y);
      if (kind == ArcKind::Chord)
        return arcLength + MajorDistance(arc.end, p, arc.start.x - arc.end.x, arc.start.y - arc.end.y);
      const double rx = p.x - arc.centre.x, ry = p.y - arc.centre.y;
      const double toEnd = std::abs(ex * ry - ey * rx) / std::hypot(ex, ey);
      const double toStart = std::abs(sx * ry - sy * rx) / std::hypot(sx, sy);
      if (toEnd <= toStart) return arcLength + MajorDistance(arc.end, p, ex, ey);
      return arcLength + MajorDistance(arc.end, arc.centre, ex, ey) + MajorDistance(arc.centre, p, sx, sy);
    });
  }
  TakeOutline(canvas, collector, figure);
}

}  // namespace

namespace {

TRect ArcFigure(TCanvas& canvas, ArcKind kind, int x1, int y1, int x2, int y2, TPoint p3, TPoint p4) {
  const TBox64 box = NormalBox(x1, y1, x2, y2);
  const TRect window = TCanvas::Impl::BeginDraw(canvas);
  if (box.IsEmpty() || window.IsEmpty()) return {};
  TFigurePixels figure;
  DrawArcFigure(canvas, kind, box, p3, p4, window, figure, TCanvas::Impl::PenVisible(canvas),
                TCanvas::Impl::PenWidth(canvas), TCanvas::Impl::PenDash(canvas));
  return TCanvas::Impl::PaintFigure(canvas, std::move(figure));
}

}  // namespace

TRect TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return ArcFigure(*this, ArcKind::Arc, x1, y1, x2, y2, {x3, y3}, {x4, y4});
}

TRect TCanvas::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return ArcFigure(*this, ArcKind::Chord, x1, y1, x2, y2, {x3, y3}, {x4, y4});
}

TRect TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return ArcFigure(*this, ArcKind::Pie, x1, y1, x2, y2, {x3, y3}, {x4, y4});
}

TRect TCanvas::Polygon(std::span<const TPoint> points) {
  std::vector<TPointF> contour;
  for (TPoint p : points) contour.push_back({static_cast<double>(p.x), static_cast<double>(p.y)});
  if (Impl::PathFigure(*this, contour, true)) return {};
  const TRect window = Impl::BeginDraw(*this);
  if (window.IsEmpty() || points.empty()) return {};
  TFigurePixels figure;
  figure.fill = ScanConvert(contour, fmAlternate, {0, 0}, window);
  const TPolyline outline{{points.begin(), points.end()}, true};
  Impl::PolylineOutline(*this, std::span(&outline, 1), window, figure);
  return Impl::PaintFigure(*this, std::move(figure));
}

TRect TCanvas::FillRect(const TRect& r) {
  const TRect window = Impl::BeginDraw(*this);
  const TRect area = Intersect(r, window);
  if (area.IsEmpty() || Brush.Style() == bsClear) return {};
  TFigurePixels figure;
  figure.fill = TSpanSet(area);
  return Impl::PaintFigure(*this, std::move(figure), false);
}

TRect TCanvas::FrameRect(const TRect& r) {
  const TRect window = Impl::BeginDraw(*this);
  if (r.IsEmpty() || window.IsEmpty() || Brush.Style() == bsClear) return {};
  const TBox64 box{r.Left, r.Top, r.Right, r.Bottom};
  const TSpanSet frame = Impl::Clipped(*this, BoxSet(box, window).Subtract(BoxSet(box.Grown(-1), window)));
  PaintSpans(*bitmap_, frame, SolidPaint(Brush.Color()), pmCopy);
  return Impl::Record(*this, frame.Bounds());
}

}  // namespace kroma
