// Measuring text and turning it into outlines.
#include "core/Text.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/FontFace.h"
#include "core/Numeric.h"
#include "core/TextLayout.h"
#include "core/TextOutline.h"

namespace kroma {
namespace {

int SaturateInt(std::int64_t v) {
  return static_cast<int>(
      std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

int TextAdvance(const TFont& font, std::string_view utf8) {
  auto lock = LockFontEngine();
  return SaturateInt(LayOutLine(font, utf8).advance);
}

std::vector<TPoint> TextCellPolygon(const TFont& font, std::string_view utf8) {
  auto lock = LockFontEngine();
  TLineLayout line = LayOutLine(font, utf8);
  double w = static_cast<double>(line.advance), h = line.Height();
  std::vector<TPoint> corners;
  for (auto [u, v] : {std::pair{0.0, 0.0}, {w, 0.0}, {w, h}, {0.0, h}}) {
    auto [x, y] = line.CellToCanvas(u, v);
    corners.push_back({SaturateRound(x), SaturateRound(y)});
  }
  return corners;
}

std::optional<TGlyphOutline> GlyphOutline(const TFont& font, char32_t code) {
  auto lock = LockFontEngine();
  TScaledFont f = ScaleFont(font);
  unsigned glyph = GlyphIndex(*f.face, code);
  if (glyph == 0) return std::nullopt;
  TGlyphOutline outline;
  outline.contours = LoadGlyphContours(f, glyph, TGlyphLoad::Exact);
  if (outline.contours.empty()) return std::nullopt;
  outline.advance = GlyphAdvanceExact(f, glyph);
  return outline;
}

std::vector<std::vector<std::pair<double, double>>> TextPathContours(const TFont& font, std::string_view utf8) {
  auto lock = LockFontEngine();
  TLineLayout line = LayOutLine(font, utf8);
  // 8 pieces per quadratic and 12 per cubic, more as the curves grow.
  int factor = std::clamp(static_cast<int>(std::ceil(std::sqrt(line.font.em / 256.0))), 1, 8);
  std::vector<TPolygonD> paths;
  auto add = [&](const TOutlineContour& c) {
    TPolygonD p = FlattenFixed(c, 8 * factor, 12 * factor);
    if (p.size() >= 3) paths.push_back(std::move(p));
  };
  for (const TGlyphPlace& g : line.glyphs) {
    std::vector<TOutlineContour> contours = LoadGlyphContours(line.font, g.glyph, TGlyphLoad::Exact);
    TransformContours(contours, line.GlyphTransform(g.penX));
    for (const TOutlineContour& c : contours) add(c);
  }
  for (const TTextBar& bar : line.bars) add(line.BarContour(bar));
  return paths;
}

}  // namespace kroma
