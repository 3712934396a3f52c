// The outlined and filled figures of the 2D Shapes menu that need no
// stages: rectangles, rounded rectangles and ellipses with concentric
// copies, stars and regular polygons, the maze, bars, borders and the
// flood fill. (Chord, pie, skew rectangle and triangle are stage tools,
// editor/StageTools.cpp; the polygon is in editor/PolyTools.cpp.)
#include <algorithm>
#include <array>
#include <cstdint>
#include <numbers>
#include <span>

#include "core/Canvas.h"
#include "editor/KromaF.h"
#include "editor/Modules.h"
#include "editor/RubberBands.h"
#include "editor/ShapeHelpers.h"
#include "editor/ToolSteps.h"

namespace kroma {
namespace {

// ---- Rectangle, rounded rectangle, ellipse and their concentric copies ----

using TBoxFigure = void (*)(TKromaF& f, TPoint a, TPoint b);

void RectangleFigure(TKromaF& f, TPoint a, TPoint b) { f.Canvas().Rectangle(a.x, a.y, b.x, b.y); }
void EllipseFigure(TKromaF& f, TPoint a, TPoint b) { f.Canvas().Ellipse(a.x, a.y, b.x, b.y); }
void RoundRectFigure(TKromaF& f, TPoint a, TPoint b) {
  f.Canvas().RoundRect(a.x, a.y, b.x, b.y, f.FRounding, f.FRounding);
}

void RoundRectBand(TKromaF& f, const TMouseEvent& e) {
  f.RubberBand(e.X, e.Y, [&f](TPoint a, TPoint b) { RoundRectFigure(f, a, b); });
}

// The figure once more with the user's pen mode, then FShapeCount - 1
// copies, each inset by an equal step on every side. A drag towards the
// upper left gives negative steps, so the copies still nest inside.
template <TBoxFigure Figure>
void ConcentricRelease(TKromaF& f, const TMouseEvent& e) {
  const TPoint s = f.FStartPoint;
  const TPoint end{e.X, e.Y};
  if (f.DrawsFinalFigure()) Figure(f, s, end);
  const int n = std::clamp(f.FShapeCount, kMinShapeCount, kMaxShapeCount);
  if (n < 2) return;
  const std::int64_t sx = (std::int64_t{end.x} - s.x) / 2 / n;
  const std::int64_t sy = (std::int64_t{end.y} - s.y) / 2 / n;
  for (int v = 1; v < n; ++v)
    Figure(f, {ClampToInt(s.x + v * sx), ClampToInt(s.y + v * sy)},
           {ClampToInt(end.x - v * sx), ClampToInt(end.y - v * sy)});
}

template <TBoxFigure Figure>
TToolSteps ConcentricSteps(TMouseStep band) {
  return {.Move = band, .Release = ConcentricRelease<Figure>};
}

// ---- Star ----

// An odd count N joins every (N - 1) / 2-th vertex: the star polygons
// {5/2}, {7/3}, {9/4}, {11/5} (and for 3 a triangle). Even counts, and
// every count with Options > Polygon ticked, are regular polygons.
int StarStride(int points, bool polygon) { return polygon || points % 2 == 0 ? 1 : (points - 1) / 2; }

// One star about FStartPoint with a vertex at `tip`. Each vertex is turned
// from the previous, rounded one. The polygon fills by the alternate rule,
// so a star's inner part stays unfilled.
void DrawStar(TKromaF& f, TPoint tip) {
  const int n = std::clamp(f.FStarPoints, kMinStarPoints, kMaxStarPoints);
  const double step = 2 * StarStride(n, f.FPolygonChecked) * std::numbers::pi / n;
  std::array<TPoint, kMaxStarPoints> vertices{};
  vertices[0] = tip;
  for (std::size_t i = 1; i < static_cast<std::size_t>(n); ++i)
    vertices[i] = rotate(f.FStartPoint, vertices[i - 1], step);
  f.Canvas().Polygon(std::span<const TPoint>(vertices.data(), static_cast<std::size_t>(n)));
}

// FShapeCount stars, the outermost with a vertex at the release point, the
// others smaller by equal steps.
void StarRelease(TKromaF& f, const TMouseEvent& e) {
  RemoveBandLine(f, f.FLastPoint);
  const int n = std::clamp(f.FShapeCount, kMinShapeCount, kMaxShapeCount);
  for (int w = 1; w <= n; ++w) DrawStar(f, reducevector(f.FStartPoint, {e.X, e.Y}, static_cast<double>(w) / n));
}

// ---- Maze: ten quadrilaterals turning inside the rectangle ----

void MazeRelease(TKromaF& f, const TMouseEvent& e) {
  TCanvas& canvas = f.Canvas();
  const std::int64_t x0 = f.FStartPoint.x, y0 = f.FStartPoint.y, x1 = e.X, y1 = e.Y;
  if (f.DrawsFinalFigure()) canvas.Rectangle(f.FStartPoint.x, f.FStartPoint.y, e.X, e.Y);
  const std::int64_t sx = (x1 - x0) / 10, sy = (y1 - y0) / 10;
  auto line = [&canvas](std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by) {
    canvas.MoveTo(ClampToInt(ax), ClampToInt(ay));
    canvas.LineTo(ClampToInt(bx), ClampToInt(by));
  };
  for (std::int64_t i = 1; i <= 10; ++i) {
    line(x0 + i * sx, y1, x1, y1 - i * sy);
    line(x1, y1 - i * sy, x1 - i * sx, y0);
    line(x1 - i * sx, y0, x0, y0 + i * sy);
    line(x0, y0 + i * sy, x0 + i * sx, y1);
  }
}

// ---- Bars and borders: bands of the brush along the image's edges ----

void DottedRectangle(TCanvas& canvas, TPoint a, TPoint b) {
  canvas.Pen.Style = psDot;
  canvas.Rectangle(a.x, a.y, b.x, b.y);
  canvas.Pen.Style = psSolid;
}

void DottedBand(TKromaF& f, const TMouseEvent& e) {
  TCanvas& canvas = f.Canvas();
  f.RubberBand(e.X, e.Y, [&canvas](TPoint a, TPoint b) { DottedRectangle(canvas, a, b); });
}

// Draws the dotted band (up to the last pointer position) away; the pen
// style is solid afterwards, whatever it was before.
void RemoveDottedBand(TKromaF& f) {
  TCanvas& canvas = f.Canvas();
  canvas.Pen.Mode = pmNotXor;
  DottedRectangle(canvas, f.FStartPoint, f.FLastPoint);
  canvas.Pen.Mode = f.FSavedPenMode;
}

TRect Band(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
  return {ClampToInt(left), ClampToInt(top), ClampToInt(right), ClampToInt(bottom)};
}

// A band across the whole width from the press row to the release row,
// snapped to the top and bottom edges within 10 pixels. Dragged upwards
// it fills nothing.
void BarsRelease(TKromaF& f, const TMouseEvent& e) {
  RemoveDottedBand(f);
  const int w = f.Image().Width(), h = f.Image().Height();
  const int top = f.FStartPoint.y >= 10 ? f.FStartPoint.y : 0;
  const int bottom = std::int64_t{e.Y} > std::int64_t{h} - 10 ? h : e.Y;
  f.Canvas().FillRect({0, top, w, bottom});
}

// Bands along the four edges, as thick as the drag is high (top and
// bottom) and wide (left and right). Dragged towards the upper left they
// fill nothing.
void BorderRelease(TKromaF& f, const TMouseEvent& e) {
  RemoveDottedBand(f);
  const std::int64_t w = f.Image().Width(), h = f.Image().Height();
  const std::int64_t dx = std::int64_t{e.X} - f.FStartPoint.x;
  const std::int64_t dy = std::int64_t{e.Y} - f.FStartPoint.y;
  TCanvas& canvas = f.Canvas();
  canvas.FillRect(Band(0, 0, w, dy));
  canvas.FillRect(Band(0, h - dy, w, h));
  canvas.FillRect(Band(0, 0, dx, h));
  canvas.FillRect(Band(w - dx, 0, w, h));
}

// ---- Flood fill ----

// Without Alt the connected area of the colour under the pointer, with Alt
// everything up to a border of the pen colour; both with the brush. A
// release outside the image has no pixel to start from and fills nothing.
void FloodFillRelease(TKromaF& f, const TMouseEvent& e) {
  TCanvas& canvas = f.Canvas();
  if (!TRect{0, 0, f.Image().Width(), f.Image().Height()}.Contains(e.X, e.Y)) return;
  if (e.Shift & ssAlt)
    canvas.FloodFill(e.X, e.Y, canvas.Pen.Color, fsBorder);
  else
    canvas.FloodFill(e.X, e.Y, canvas.Pixel(e.X, e.Y), fsSurface);
}

}  // namespace

void RegisterAreaShapes(TToolStepRegistry& steps) {
  steps.Register("rectangle", ConcentricSteps<RectangleFigure>(RectangleBand));
  steps.Register("roundrect", ConcentricSteps<RoundRectFigure>(RoundRectBand));
  steps.Register("ellipse", ConcentricSteps<EllipseFigure>(EllipseBand));
  steps.Register("star", {.Move = LineBand, .Release = StarRelease});
  steps.Register("maze", {.Move = RectangleBand, .Release = MazeRelease});
  steps.Register("bars", {.Move = DottedBand, .Release = BarsRelease});
  steps.Register("border", {.Move = DottedBand, .Release = BorderRelease});
  steps.Register("floodfill", {.Release = FloodFillRelease});
}

}  // namespace kroma
