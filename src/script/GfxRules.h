#pragma once
// The drawing object's rules that need no editor: colour text, the font
// style words, the rotated ellipse's Bézier points and the rotated text's
// font.
#include <array>
#include <string_view>

#include "core/Canvas.h"
#include "core/Types.h"

namespace kroma {

// "#RRGGBB" (hexadecimal digits in either case, red first) as a colour;
// any other text, including seven characters that are not all hexadecimal,
// gives black. Never fails.
TColor HtmlToColor(std::string_view text);

// "" clears bold, italic, underline and strike-out. Otherwise each of
// "bold", "italic" and "underline" sets its style when the value contains
// it (case-sensitive) and clears it when not; strike-out stays.
TFontStyles ApplyFontStyle(TFontStyles current, std::string_view value);

// The closed 25-point poly-Bézier of an ellipse with centre (x, y),
// semi-axes a (along x) and b (along y), turned by `angle` radians: eight
// 45-degree arcs from the point at angle 0, counter-clockwise in the
// ellipse's own frame. Coordinates round ties to even; a point beyond the
// integer range is an Error.
std::array<TPoint, 25> RotatedEllipsePoints(double x, double y, double a, double b, double angle);

// The font rotated text is written with: the face, colour, bold, italic
// and underline of `font`, no strike-out, `angle` degrees as the
// escapement (tenths of a degree, rounded), and its text cell as high as
// `font`'s em, so it comes out slightly smaller than straight text of the
// same size. Face names keep at most 31 characters.
TFont RotatedTextFont(const TFont& font, double angle);

}  // namespace kroma
