#include "parsers/ExprFormat.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "core/Error.h"

namespace kroma {
namespace {

constexpr int kMaxWidth = 1000;

enum class ValueKind { Integer, Text, Float };

struct Conversion {
  bool leftAlign = false;
  int width = 0;
  int precision = -1;  // none given
  char type = 0;
};

ValueKind KindOfType(char type) {
  if (type == 'd' || type == 'x') return ValueKind::Integer;
  if (type == 's') return ValueKind::Text;
  return ValueKind::Float;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Reads up to four digits of a width or precision; false beyond kMaxWidth.
bool ReadCount(std::string_view p, std::size_t& i, int& out) {
  int v = 0;
  std::size_t start = i;
  while (i < p.size() && p[i] >= '0' && p[i] <= '9') {
    v = v * 10 + (p[i] - '0');
    if (v > kMaxWidth) return false;
    ++i;
  }
  if (i > start) out = v;
  return true;
}

std::string FixedText(double v, int precision, bool thousands) {
  std::string buf(400 + static_cast<std::size_t>(precision), '\0');
  auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::fixed, precision);
  if (ec != std::errc()) throw Error("Number too long to format");
  std::string s(buf.data(), end);
  if (!thousands) return s;
  std::size_t digitsStart = s[0] == '-' ? 1 : 0;
  std::size_t point = s.find('.');
  std::size_t intEnd = point == std::string::npos ? s.size() : point;
  std::string grouped(s, 0, digitsStart);
  for (std::size_t i = digitsStart; i < intEnd; ++i) {
    if (i > digitsStart && (intEnd - i) % 3 == 0) grouped += ',';
    grouped += s[i];
  }
  return grouped.append(s, intEnd);
}

std::string ScientificText(double v, int significant) {
  if (significant < 1) significant = 1;
  if (significant > 18) significant = 18;
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, significant - 1);
  std::string s(buf, end);
  std::size_t e = s.find('e');
  int exponent = std::stoi(s.substr(e + 1));
  std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
  std::string out(s, 0, e);
  out.append("E").append(exponent < 0 ? "-" : "+");
  return out.append(digits.size() < 3 ? 3 - digits.size() : 0, '0').append(digits);
}

std::string IntegerText(std::int64_t v, char type, int precision) {
  std::string s;
  bool negative = false;
  if (type == 'x') {
    std::uint64_t bits = v >= INT32_MIN && v < 0 ? static_cast<std::uint32_t>(v) : static_cast<std::uint64_t>(v);
    char buf[32];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, bits, 16);
    s.assign(buf, end);
    for (char& c : s) c = c >= 'a' ? static_cast<char>(c - 'a' + 'A') : c;
  } else {
    negative = v < 0;
    std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    s = std::to_string(magnitude);
  }
  if (precision > 0 && s.size() < static_cast<std::size_t>(precision))
    s.insert(0, static_cast<std::size_t>(precision) - s.size(), '0');
  return negative ? "-" + s : s;
}

std::string Convert(const Variant& value, const Conversion& c) {
  switch (c.type) {
    case 'd':
    case 'x': return IntegerText(value.ToInt64(), c.type, c.precision);
    case 's': {
      std::string s = value.ToString();
      if (c.precision >= 0 && s.size() > static_cast<std::size_t>(c.precision)) s.resize(static_cast<std::size_t>(c.precision));
      return s;
    }
    default: break;
  }
  double v = value.ToDouble();
  if (!std::isfinite(v)) throw Error("Cannot format a value that is not a finite number");
  switch (c.type) {
    case 'f': return FixedText(v, c.precision < 0 ? 2 : c.precision, false);
    case 'n': return FixedText(v, c.precision < 0 ? 2 : c.precision, true);
    case 'e': return ScientificText(v, c.precision < 0 ? 15 : c.precision);
    case 'g': return FormatFloat(v, c.precision < 0 ? 0 : std::max(c.precision, 1));
    default: throw Error("Unknown format type");
  }
}

}  // namespace

std::optional<std::string> FormatValue(const Variant& value, std::string_view pattern) {
  try {
    if (pattern.empty()) return value.ToString();
    ValueKind kind = KindOfType(Lower(pattern.back()));
    std::string out;
    bool converted = false;
    for (std::size_t i = 0; i < pattern.size();) {
      if (pattern[i] != '%') {
        out += pattern[i++];
        continue;
      }
      ++i;
      if (i < pattern.size() && pattern[i] == '%') {
        out += pattern[i++];
        continue;
      }
      if (converted) return std::nullopt;  // one value, one conversion
      Conversion c;
      if (i < pattern.size() && pattern[i] == '-') c.leftAlign = true, ++i;
      if (!ReadCount(pattern, i, c.width)) return std::nullopt;
      if (i < pattern.size() && pattern[i] == '.') {
        c.precision = 0;
        if (!ReadCount(pattern, ++i, c.precision)) return std::nullopt;
      }
      if (i >= pattern.size()) return std::nullopt;
      c.type = Lower(pattern[i++]);
      if (std::string_view("dxsfneg").find(c.type) == std::string_view::npos || KindOfType(c.type) != kind)
        return std::nullopt;
      std::string text = Convert(value, c);
      std::size_t pad = text.size() < static_cast<std::size_t>(c.width) ? static_cast<std::size_t>(c.width) - text.size() : 0;
      out += c.leftAlign ? text + std::string(pad, ' ') : std::string(pad, ' ') + text;
      converted = true;
    }
    return out;
  } catch (const Error&) {
    return std::nullopt;
  }
}

}  // namespace kroma
