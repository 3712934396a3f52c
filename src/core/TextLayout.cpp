#include "core/TextLayout.h"

#include <cmath>
#include <numbers>

#include "core/Canvas.h"
#include "core/FontFace.h"
#include "core/TextEncoding.h"

namespace kroma {
namespace {

// Cosine and sine of an escapement in tenths of a degree; right angles are
// exact so that upright and quarter-turned text stays on the pixel grid.
std::pair<double, double> Rotation(int escapement) {
  int e = escapement % 3600;
  if (e < 0) e += 3600;
  switch (e) {
    case 0: return {1, 0};
    case 900: return {0, 1};
    case 1800: return {-1, 0};
    case 2700: return {0, -1};
    default: {
      double a = e * std::numbers::pi / 1800;
      return {std::cos(a), std::sin(a)};
    }
  }
}

}  // namespace

std::pair<double, double> TLineLayout::CellToCanvas(double u, double v) const {
  return {u * cosA + v * sinA, -u * sinA + v * cosA};
}

TAffine TLineLayout::GlyphTransform(std::int64_t penX) const {
  auto [ox, oy] = CellToCanvas(static_cast<double>(penX), font.ascent);
  return {cosA, -sinA, -sinA, -cosA, ox, oy};
}

TOutlineContour TLineLayout::BarContour(const TTextBar& bar) const {
  double right = static_cast<double>(advance);
  double top = bar.top, bottom = bar.top + bar.thickness;
  // Counter-clockwise on screen, as glyph outlines come out.
  auto [x0, y0] = CellToCanvas(0, top);
  TOutlineContour c;
  c.startX = x0;
  c.startY = y0;
  for (auto [u, v] : {std::pair{0.0, bottom}, {right, bottom}, {right, top}, {0.0, top}}) {
    auto [x, y] = CellToCanvas(u, v);
    c.segments.push_back({TOutlineSegment::Line, 0, 0, 0, 0, x, y});
  }
  return c;
}

TLineLayout LayOutLine(const TFont& font, std::string_view utf8) {
  TLineLayout line;
  line.font = ScaleFont(font);
  std::tie(line.cosA, line.sinA) = Rotation(font.Escapement);
  std::u32string text = DecodeUtf8(utf8);
  line.glyphs.reserve(text.size());
  for (char32_t code : text) {
    unsigned glyph = GlyphIndex(*line.font.face, code);
    line.glyphs.push_back({glyph, line.advance});
    line.advance += GlyphAdvance(line.font, glyph);
  }
  if (line.advance > 0) {
    if (font.Style & fsUnderline) line.bars.push_back(line.font.underline);
    if (font.Style & fsStrikeOut) line.bars.push_back(line.font.strikeOut);
  }
  return line;
}

}  // namespace kroma
