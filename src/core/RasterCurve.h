#pragma once
// Curves turned into straight pieces, and the angular parts of ellipses
// (the sector between two radials, the side of a chord) as polygons for
// the scan converter.
#include <cstdint>
#include <vector>

#include "core/RasterGeometry.h"
#include "core/Spans.h"
#include "core/Types.h"

namespace kroma {

// Most pieces one Bézier segment is cut into.
constexpr int kMaxBezierPieces = 1024;

// Number of straight pieces for the cubic segment p0..p3: it depends only
// on the control polygon, from its largest second difference d, as
// ceil(sqrt(3 d)) (which keeps the pieces within a quarter pixel of the
// curve), between 1 and kMaxBezierPieces.
int BezierPieces(TPointF p0, TPointF p1, TPointF p2, TPointF p3);
// Appends the end points of those pieces (p3 last, p0 not repeated).
void FlattenBezier(TPointF p0, TPointF p1, TPointF p2, TPointF p3, std::vector<TPointF>& out);

// The ellipse of `box` with its part between two radials. Coordinates are
// continuous: the box's corners are points, pixel (x, y) covers
// [x, x + 1) x [y, y + 1) and is sampled at its centre.
struct TEllipseArc {
  TBox64 box;
  TPointF centre;
  double a = 0, b = 0;       // semi-axes
  bool whole = true;         // the radials coincide: the whole ellipse
  // Directions of the radials from the centre, doubled to stay integers.
  std::int64_t sx = 1, sy = 0, ex = 1, ey = 0;
  TPointF start, end;        // where the radials meet the ellipse
};
// The radials run from the centre through (x3, y3) (start) and (x4, y4)
// (end); the part runs counter-clockwise, as seen on the screen, from the
// start. A radial through the centre itself points to the right.
TEllipseArc MakeEllipseArc(const TBox64& box, TPoint p3, TPoint p4);

// Pixels of the window whose centre lies in the sector swept from the
// start radial to the end radial (all of the window when whole).
TSpanSet SectorArea(const TEllipseArc& arc, const TRect& window);
// Pixels of the window whose centre lies on the chord's side of the line
// from the arc's end point to its start point (all when whole).
TSpanSet ChordSide(const TEllipseArc& arc, const TRect& window);

// Points of the arc from start to end, counter-clockwise (the whole
// ellipse from angle 0 when whole), close enough to the curve for a
// stroke; `shift` is added to every point.
std::vector<TPointF> FlattenEllipseArc(const TEllipseArc& arc, TPointF shift = {});

// Position along the width-1 outline of the ellipse (see BoxOutlinePosition)
// of the arc's start point.
double ArcStartPosition(const TEllipseArc& arc);

}  // namespace kroma
