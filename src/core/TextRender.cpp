// RenderTextMask: the coverage of one line of text inside a window.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/Bitmap.h"
#include "core/Error.h"
#include "core/FontFace.h"
#include "core/Text.h"
#include "core/TextLayout.h"
#include "core/TextOutline.h"
#include "core/TextRaster.h"

namespace kroma {
namespace {

// A distance from the pen, along either axis and at any rotation, that
// every glyph of the face stays within, so that glyphs far outside the
// window need not be loaded at all. The face's box is widened by an em for
// fonts whose box is not quite right.
double GlyphReach(const TScaledFont& f) {
  const FT_BBox& b = f.face->face->bbox;
  double extent = std::max({std::abs(b.xMin), std::abs(b.xMax), std::abs(b.yMin), std::abs(b.yMax)}) * f.scale;
  return extent * (1 + std::abs(f.italicShear)) * std::numbers::sqrt2 + f.boldStrength + f.em;
}

}  // namespace

TTextMask RenderTextMask(const TFont& font, std::string_view utf8, const TRect& window) {
  TTextMask mask;
  if (window.IsEmpty()) return mask;
  auto lock = LockFontEngine();
  TLineLayout line = LayOutLine(font, utf8);
  bool mono = font.Quality == fqNonAntialiased;
  TGlyphLoad load = line.font.em > kMaxHintedEm ? TGlyphLoad::Exact
                    : mono                      ? TGlyphLoad::HintedMono
                                                : TGlyphLoad::Hinted;

  TBoxD windowBox;
  windowBox.Add(window.Left, window.Top);
  windowBox.Add(window.Right, window.Bottom);
  double reach = GlyphReach(line.font);

  // First place every shape that reaches the window, to learn the mask's
  // size; then draw them.
  std::vector<std::vector<TOutlineContour>> shapes;
  TRect bounds{};
  auto keep = [&](std::vector<TOutlineContour> contours) {
    TRect r = Intersect(PixelBounds(ControlBox(contours)), window);
    if (r.IsEmpty()) return;
    bounds = Union(bounds, r);
    shapes.push_back(std::move(contours));
  };
  for (const TGlyphPlace& g : line.glyphs) {
    auto [ox, oy] = line.CellToCanvas(static_cast<double>(g.penX), line.font.ascent);
    TBoxD reachBox;
    reachBox.Add(ox - reach, oy - reach);
    reachBox.Add(ox + reach, oy + reach);
    if (!reachBox.Intersects(windowBox)) continue;
    std::vector<TOutlineContour> contours = LoadGlyphContours(line.font, g.glyph, load);
    TransformContours(contours, line.GlyphTransform(g.penX));
    keep(std::move(contours));
  }
  for (const TTextBar& bar : line.bars) keep({line.BarContour(bar)});
  if (bounds.IsEmpty()) return mask;
  if (bounds.Width() * bounds.Height() > kMaxPixels) throw Error("The text is too large to draw in one piece.");

  mask.Bounds = bounds;
  mask.Alpha.assign(static_cast<std::size_t>(bounds.Width() * bounds.Height()), 0);
  for (const auto& contours : shapes) AddCoverage(contours, mask, mono);
  return mask;
}

}  // namespace kroma
