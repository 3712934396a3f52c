#pragma once
// One line of text laid out: glyphs at whole-pixel pen positions along the
// baseline, bars, and the rotation by the font's escapement. Used by the
// text layer; callers hold the font engine lock.
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "core/FontMetrics.h"
#include "core/TextGeometry.h"

namespace kroma {

struct TGlyphPlace {
  unsigned glyph = 0;    // 0 is the face's missing-character glyph
  std::int64_t penX = 0;  // pixels from the start of the cell
};

struct TLineLayout {
  TScaledFont font;
  std::vector<TGlyphPlace> glyphs;
  std::int64_t advance = 0;    // width of the cell
  std::vector<TTextBar> bars;  // underline and strike-out, as the style asks
  double cosA = 1, sinA = 0;   // escapement, counter-clockwise on screen

  int Height() const { return font.ascent + font.descent; }
  // Canvas position (y down, relative to the origin) of a point of the
  // unrotated cell.
  std::pair<double, double> CellToCanvas(double u, double v) const;
  // Places glyph contours (y up from the pen on the baseline) on the canvas.
  TAffine GlyphTransform(std::int64_t penX) const;
  // A bar as a closed rectangle contour in canvas coordinates.
  TOutlineContour BarContour(const TTextBar& bar) const;
};

TLineLayout LayOutLine(const TFont& font, std::string_view utf8);

}  // namespace kroma
