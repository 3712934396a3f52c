#pragma once
// Text through FreeType, faces found through fontconfig. The canvas uses
// this to draw and measure text; the outline tools use GlyphOutline.
// Text is UTF-8. Sizes: a TFont of Size s has an em of s * 96 / 72 pixels.
// Bytes that are not valid UTF-8 stand for U+FFFD; characters the face
// lacks are drawn and measured as its missing-character glyph. A negative
// size counts as its absolute value, the em is at least one pixel and at
// most 2^20 pixels. Unknown font names get the system's closest match; a
// system without any usable font makes every call throw Error.
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

// Width of the text cell of a single line (advance widths, unrotated):
// each character's advance rounded to whole pixels, no kerning.
int TextAdvance(const TFont& font, std::string_view utf8);

// Coverage of a line of text, rotated by the font's escapement about the
// origin (the top-left of the unrotated text cell), including underline
// and strike-out. Alpha is 0..255 (only 0 and 255 with fqNonAntialiased).
struct TTextMask {
  TRect Bounds;  // mask position relative to the origin; Width x Height
  std::vector<std::uint8_t> Alpha;  // row-major, Bounds.Width() per row
};
// Only the part of the mask inside `window` (relative to the origin) is
// rendered, so huge sizes cost no more than the window. A mask of more
// than kMaxPixels pixels is refused with Error.
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
  double advance = 0;  // unrounded, in pixels
};
// The outline of one character in glyph coordinates of the font's size
// (pixels, y growing upwards from the baseline, as font outlines are),
// unhinted, with synthetic bold or italic when the face lacks the style;
// std::nullopt when the font has no outline for it (a space, a missing
// character).
std::optional<TGlyphOutline> GlyphOutline(const TFont& font, char32_t code);

// A line of text as closed contours in canvas coordinates relative to the
// origin (y down), flattened into polygons: what TextOut adds to a path.
// Glyphs sit where RenderTextMask puts them; underline and strike-out are
// rectangles. Curves get a fixed number of pieces (8 per quadratic, 12 per
// cubic, up to 8 times more for large ems), so the result is repeatable.
// The closing point of a polygon is not repeated.
std::vector<std::vector<std::pair<double, double>>> TextPathContours(const TFont& font, std::string_view utf8);

// Installed font families, sorted, without duplicates.
std::vector<std::string> FontFamilies();

// Converts text in the Windows-1252 code page (as older files and the
// character grid use) to UTF-8. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 control
// characters of the same value.
std::string AnsiToUtf8(std::string_view ansi);

}  // namespace kroma
