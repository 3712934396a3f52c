#pragma once
// Byte-string helpers shared by the XML parser and the expression
// evaluator. Case folding is ASCII only: text is taken byte for byte, with
// no locale.
#include <cstddef>
#include <string>
#include <string_view>

namespace kroma {

// Removes blanks and control characters (bytes up to the space) at both ends.
std::string_view TrimBlanks(std::string_view s);

std::string ToLowerAscii(std::string_view s);
std::string ToUpperAscii(std::string_view s);
bool EqualsNoCase(std::string_view a, std::string_view b);

// Position of the first occurrence of `sub` in `s` ignoring ASCII case;
// npos when absent or when `sub` is empty. Linear time, so long hostile
// texts cannot stall a caller.
std::size_t FindNoCase(std::string_view s, std::string_view sub);

// Every non-overlapping occurrence of `from`, scanned left to right,
// replaced by `to`. An empty `from` changes nothing.
std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to);
// The same, ignoring ASCII case when matching; throws Error when the
// result would be longer than maxLength.
std::string ReplaceAllNoCase(std::string_view s, std::string_view from, std::string_view to, std::size_t maxLength);

}  // namespace kroma
