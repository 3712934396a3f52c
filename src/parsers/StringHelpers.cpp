#include "parsers/StringHelpers.h"

namespace kroma {
namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

template <class Find>
std::string Replace(std::string_view s, std::string_view from, std::string_view to, Find find) {
  if (from.empty()) return std::string(s);
  std::string out;
  std::size_t pos = 0;
  for (std::size_t hit = find(s, from, 0); hit != std::string_view::npos; hit = find(s, from, pos)) {
    out.append(s.substr(pos, hit - pos)).append(to);
    pos = hit + from.size();
  }
  return out.append(s.substr(pos));
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

std::size_t FindNoCase(std::string_view s, std::string_view sub, std::size_t from) {
  if (sub.empty() || sub.size() > s.size()) return std::string_view::npos;
  for (std::size_t i = from; i + sub.size() <= s.size(); ++i)
    if (EqualsNoCase(s.substr(i, sub.size()), sub)) return i;
  return std::string_view::npos;
}

std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to) {
  return Replace(s, from, to, [](std::string_view t, std::string_view f, std::size_t p) { return t.find(f, p); });
}

std::string ReplaceAllNoCase(std::string_view s, std::string_view from, std::string_view to) {
  return Replace(s, from, to, FindNoCase);
}

}  // namespace kroma
