#pragma once
// Geometry of glyph contours: placing them, flattening curves into
// polygons, clipping polygons to a rectangle. Used by the text layer.
#include <utility>
#include <vector>

#include "core/Text.h"

namespace kroma {

using TPolygonD = std::vector<std::pair<double, double>>;

// x' = xx x + xy y + dx, y' = yx x + yy y + dy.
struct TAffine {
  double xx = 1, xy = 0, yx = 0, yy = 1, dx = 0, dy = 0;
  std::pair<double, double> operator()(double x, double y) const {
    return {xx * x + xy * y + dx, yx * x + yy * y + dy};
  }
};

void TransformContours(std::vector<TOutlineContour>& contours, const TAffine& m);

// A box in continuous coordinates; `empty` until something is added.
struct TBoxD {
  double left = 0, top = 0, right = 0, bottom = 0;
  bool empty = true;
  void Add(double x, double y);
  bool Intersects(const TBoxD& other) const;
};

// The box of all points, control points included (it holds the curves).
TBoxD ControlBox(const std::vector<TOutlineContour>& contours);

// The smallest pixel rectangle holding the box (saturated to the int
// range); empty for an empty box.
TRect PixelBounds(const TBoxD& box);

// A contour as a polygon with a fixed number of pieces per curve, so that
// the result depends on nothing but the input. The closing point is not
// repeated.
TPolygonD FlattenFixed(const TOutlineContour& contour, int quadraticPieces, int cubicPieces);

// A contour as a polygon whose pieces stay within `tolerance` of the
// curves wherever they may touch `window`; curves that cannot reach the
// window become single chords. The work depends on how much of the
// outline lies in the window, not on the outline's size.
TPolygonD FlattenNear(const TOutlineContour& contour, double tolerance, const TBoxD& window);

// The part of a polygon inside a box (Sutherland-Hodgman). Inside the box
// the clipped polygon covers exactly what the original covers, under
// either fill rule.
TPolygonD ClipPolygon(const TPolygonD& polygon, const TBoxD& box);

}  // namespace kroma
