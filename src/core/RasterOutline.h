#pragma once
// Outlines of width 1: collecting their pixels with a position along the
// outline (for dash patterns), the border ring of an area, and the
// position of a ring pixel along the outline of a box figure.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "core/RasterGeometry.h"
#include "core/Spans.h"

namespace kroma {

// On/off lengths in pixels, starting with "on"; empty means solid.
class TDashPattern {
 public:
  TDashPattern() = default;
  TDashPattern(std::initializer_list<int> lengths);
  bool Solid() const { return period_ == 0; }
  // Whether the pixel at `position` along the outline is drawn.
  bool IsOn(std::int64_t position) const;

 private:
  int period_ = 0;
  std::array<bool, 32> on_{};
};

// Collects outline pixels; with a dash pattern they are split into the
// drawn ("on") pixels and the gaps. A pixel that is on anywhere is on.
class TOutlineCollector {
 public:
  explicit TOutlineCollector(const TDashPattern& dash) : dash_(dash) {}
  // Pixels x0 .. x1 - 1 of row y; pixel x sits at position
  // position0 + step * (x - x0) along the outline (step is +1 or -1).
  void AddRun(int y, int x0, int x1, std::int64_t position0, int step);
  void AddPixel(int x, int y, std::int64_t position) { AddRun(y, x, x + 1, position, 1); }
  // A whole set, all drawn (no position needed).
  void AddSolid(const TSpanSet& set);
  bool Solid() const { return dash_.Solid(); }
  TSpanSet On() const;
  TSpanSet Gaps() const;  // the gap pixels that are not also on

 private:
  const TDashPattern& dash_;
  std::vector<TSpan> on_, off_;
};

// The pixels of `area` that have a 4-neighbour outside it. Rows and columns
// at the edges of the area's window need the area one pixel beyond them.
TSpanSet InnerBorder(const TSpanSet& area);

// Position along the outline of a rectangle, round rectangle or ellipse
// in `box` with corner ellipses of cornerW x cornerH (0 for a rectangle,
// the box size for an ellipse), for the point p near its outline (a ring
// pixel's centre is (x + 1/2, y + 1/2)). The
// outline runs counter-clockwise (as seen on the screen) from the middle
// of the right side; straight parts count pixels, curved parts count
// steps of the major coordinate (rows where the curve is steeper than 45
// degrees, columns elsewhere), as width-1 lines do.
double BoxOutlinePosition(const TBox64& box, std::int64_t cornerW, std::int64_t cornerH, TPointF p);
// The length of that outline.
double BoxOutlineLength(const TBox64& box, std::int64_t cornerW, std::int64_t cornerH);

}  // namespace kroma
