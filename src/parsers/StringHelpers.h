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

// Position of the first occurrence of `sub` in `s` at or after `from`,
// ignoring ASCII case; npos when absent or when `sub` is empty.
std::size_t FindNoCase(std::string_view s, std::string_view sub, std::size_t from = 0);

// Every non-overlapping occurrence of `from`, scanned left to right,
// replaced by `to`. An empty `from` changes nothing.
std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to);
// The same, ignoring ASCII case when matching.
std::string ReplaceAllNoCase(std::string_view s, std::string_view from, std::string_view to);

}  // namespace kroma
