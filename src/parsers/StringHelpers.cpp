#include "parsers/StringHelpers.h"

#include <algorithm>
#include <functional>

#include "core/Error.h"

namespace kroma {
namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Boyer-Moore over texts already folded to lower case.
std::size_t FindFolded(std::string_view text, std::string_view sub, std::size_t from) {
  if (sub.empty() || from > text.size()) return std::string_view::npos;
  auto it = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(),
                        std::boyer_moore_searcher(sub.begin(), sub.end()));
  return it == text.end() ? std::string_view::npos : static_cast<std::size_t>(it - text.begin());
}

}  // namespace

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  return s;
}

std::string ToLowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = LowerAscii(c);
  return out;
}

std::string ToUpperAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = UpperAscii(c);
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

std::size_t FindNoCase(std::string_view s, std::string_view sub) {
  return FindFolded(ToLowerAscii(s), ToLowerAscii(sub), 0);
}

std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(s);
  std::string out;
  std::size_t pos = 0;
  for (std::size_t hit = s.find(from); hit != std::string_view::npos; hit = s.find(from, pos)) {
    out.append(s.substr(pos, hit - pos)).append(to);
    pos = hit + from.size();
  }
  return out.append(s.substr(pos));
}

std::string ReplaceAllNoCase(std::string_view s, std::string_view from, std::string_view to, std::size_t maxLength) {
  std::string text = ToLowerAscii(s), sub = ToLowerAscii(from);
  if (sub.empty()) return std::string(s);
  std::string out;
  std::size_t pos = 0;
  for (std::size_t hit = FindFolded(text, sub, 0); hit != std::string::npos; hit = FindFolded(text, sub, pos)) {
    if (out.size() + (hit - pos) + to.size() > maxLength) throw Error("The text is too long");
    out.append(s.substr(pos, hit - pos)).append(to);
    pos = hit + sub.size();
  }
  if (out.size() + (s.size() - pos) > maxLength) throw Error("The text is too long");
  return out.append(s.substr(pos));
}

}  // namespace kroma
