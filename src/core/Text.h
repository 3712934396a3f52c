#pragma once
// Text through FreeType, faces found through fontconfig. The canvas uses
// this to draw and measure text; the outline tools use GlyphOutline.
// Text is UTF-8. Sizes: a TFont of Size s has an em of s * 96 / 72 pixels.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Canvas.h"
#include "core/Types.h"

namespace kroma {

struct TFontMetrics {
  int Ascent = 0;           // pixels above the baseline
  int Descent = 0;          // pixels below the baseline
  int Height = 0;           // Ascent + Descent: the height of a text cell
  int InternalLeading = 0;  // Height - em
  int AveCharWidth = 0;
  std::string ResolvedFile;  // the font file that serves this TFont
};

TFontMetrics GetFontMetrics(const TFont& font);

// Width of the text cell of a single line (advance widths, unrotated).
int TextAdvance(const TFont& font, std::string_view utf8);

// Coverage of a line of text, rotated by the font's escapement about the
// origin (the top-left of the unrotated text cell), including underline
// and strike-out. Alpha is 0..255 (only 0 and 255 with fqNonAntialiased).
struct TTextMask {
  TRect Bounds;  // mask position relative to the origin; Width x Height
  std::vector<std::uint8_t> Alpha;  // row-major, Bounds.Width() per row
};
// Only the part of the mask inside `window` (relative to the origin) is
// rendered, so huge sizes cost no more than the window.
TTextMask RenderTextMask(const TFont& font, std::string_view utf8, const TRect& window);

// The four corners of the (rotated) text cell relative to the origin,
// clockwise from the top-left: what an opaque background covers.
std::vector<TPoint> TextCellPolygon(const TFont& font, std::string_view utf8);

// Glyph outlines: closed contours of lines, quadratic and cubic curves.
struct TOutlineSegment {
  enum Kind { Line, Quadratic, Cubic } kind = Line;
  double x1 = 0, y1 = 0;  // control point (Quadratic, Cubic)
  double x2 = 0, y2 = 0;  // second control point (Cubic)
  double x = 0, y = 0;    // end point
};
struct TOutlineContour {
  double startX = 0, startY = 0;
  std::vector<TOutlineSegment> segments;
};
struct TGlyphOutline {
  std::vector<TOutlineContour> contours;
  double advance = 0;
};
// The outline of one character in glyph coordinates of the font's size
// (pixels, y growing upwards from the baseline, as font outlines are);
// std::nullopt when the font has no outline for it (a space, a missing
// character).
std::optional<TGlyphOutline> GlyphOutline(const TFont& font, char32_t code);

// A line of text as closed contours in canvas coordinates relative to the
// origin (y down), flattened into polygons: what TextOut adds to a path.
std::vector<std::vector<std::pair<double, double>>> TextPathContours(const TFont& font, std::string_view utf8);

// Installed font families, sorted, without duplicates.
std::vector<std::string> FontFamilies();

// Converts text in the Windows-1252 code page (as older files and the
// character grid use) to UTF-8.
std::string AnsiToUtf8(std::string_view ansi);

}  // namespace kroma
