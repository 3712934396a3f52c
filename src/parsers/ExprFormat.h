#pragma once
// The "format" function of the expression language. The pattern is user
// text, so it is read here and never handed to a printf-style formatter.
//
// A pattern is literal text with at most one conversion
//   % [-] [width] [.precision] type     ("%%" is a literal "%")
// type d (decimal integer; precision = least digits), x (upper-case hex;
// negative values in 32-bit two's complement when they fit 32 bits),
// s (text; precision = most characters), f (fixed, precision default 2),
// n (fixed with "," thousands separators, default 2), e (d.ddd...E+ddd
// with precision significant digits, default 15) or g (general, precision
// significant digits, default shortest). Width pads with blanks, on the
// left or, with "-", on the right. Width and precision go up to 1000.
#include <optional>
#include <string>
#include <string_view>

#include "core/Variant.h"

namespace kroma {

// The pattern's last character chooses how the value is read: d or x as
// an integer, s as text, anything else as a floating-point number; an
// empty pattern gives the value as text. nullopt when the pattern is
// malformed, asks for another kind of value, or the value does not convert.
std::optional<std::string> FormatValue(const Variant& value, std::string_view pattern);

}  // namespace kroma
