#include "parsers/ExprFunctions.h"

#include <algorithm>
#include <cmath>

#include "core/Error.h"
#include "core/Numeric.h"
#include "parsers/ExprDates.h"
#include "parsers/ExprFormat.h"
#include "parsers/StringHelpers.h"

namespace kroma {
namespace {

Variant FiniteDouble(double v) {
  if (!std::isfinite(v)) throw Error("The result is not a finite number");
  return Variant(v);
}

std::string_view Prefix(std::string_view s, int n) {
  return n <= 0 ? std::string_view() : s.substr(0, static_cast<std::size_t>(n));
}

std::string_view Suffix(std::string_view s, int n) {
  if (n <= 0) return {};
  std::size_t count = std::min(s.size(), static_cast<std::size_t>(n));
  return s.substr(s.size() - count);
}

// Copy(s, from, count) with a 1-based start; a start before 1 counts as 1.
std::string_view Middle(std::string_view s, int from, int count) {
  std::size_t start = from < 1 ? 0 : static_cast<std::size_t>(from) - 1;
  if (count <= 0 || start >= s.size()) return {};
  return s.substr(start, static_cast<std::size_t>(count));
}

// An all-digit field of a yyyy-mm-dd text; 0 when it is not one.
int DateField(std::string_view s, std::size_t from, std::size_t count) {
  if (s.size() < from + count) return 0;
  int v = 0;
  for (char c : s.substr(from, count)) {
    if (c < '0' || c > '9') return 0;
    v = v * 10 + (c - '0');
  }
  return v;
}

Variant IntegerResult(double v) { return Variant::FromInt64(RoundToInt64(v, "the result")); }

// fix and trunc: the value with `digits` decimals (the pattern "%.<digits>f"
// read by our own formatter), or the value's text when that fails.
Variant FixedDecimals(const Variant& value, const Variant& digits) {
  try {
    if (auto text = FormatValue(Variant(value.ToDouble()), "%." + digits.ToString() + "f")) return Variant(*text);
  } catch (const Error&) {
  }
  return Variant(value.ToString());
}

}  // namespace

int SoundexCode(std::string_view s) {
  if (s.empty()) return 0;
  static constexpr char kDigits[] = "01230120022455012623010202";  // A..Z
  int code = static_cast<unsigned char>(ToUpperAscii(s.substr(0, 1))[0]);
  int weight = 26, last = 0;
  for (char c : s.substr(1)) {
    if (c < 'A' || c > 'z') continue;
    int digit = 0;
    if (c <= 'Z') digit = kDigits[c - 'A'] - '0';
    else if (c >= 'a') digit = kDigits[c - 'a'] - '0';
    if (digit == 0 || digit == last) continue;
    code += digit * weight;
    if (weight == 936) break;
    weight *= 6;
    last = digit;
  }
  return code;
}

bool LikeMatch(std::string_view value, std::string_view pattern) {
  std::string v = ToLowerAscii(value), p = ToLowerAscii(pattern);
  bool atStart = !p.empty() && p.front() == '%';
  bool atEnd = p.size() > (atStart ? 1u : 0u) && p.back() == '%';
  std::string_view inner(p);
  if (atStart) inner.remove_prefix(1);
  if (atEnd) inner.remove_suffix(1);
  if (inner.find('%') != std::string_view::npos) return false;  // "%" elsewhere never matches
  if (atStart && atEnd) return inner.empty() || FindNoCase(v, inner) != std::string::npos;
  if (atStart) return std::string_view(v).ends_with(inner);
  if (atEnd) return std::string_view(v).starts_with(inner);
  return v == p;
}

Variant ApplyOperator(const TToken& token, const Variant* a) {
  switch (token.code) {
    case ExprCode::And: return VarAnd(a[0], a[1]);
    case ExprCode::Or: return VarOr(a[0], a[1]);
    case ExprCode::Minus: return VarSub(a[0], a[1]);
    case ExprCode::Plus: return VarAdd(a[0], a[1]);
    case ExprCode::Multiply: return VarMul(a[0], a[1]);
    case ExprCode::Divide: return VarDiv(a[0], a[1]);
    case ExprCode::Power: return VarPow(a[0], a[1]);
    case ExprCode::Equal: return Variant(VarCompare(a[0], a[1]) == 0);
    case ExprCode::NotEqual: return Variant(VarCompare(a[0], a[1]) != 0);
    case ExprCode::Less: return Variant(VarCompare(a[0], a[1]) < 0);
    case ExprCode::LessEqual: return Variant(VarCompare(a[0], a[1]) <= 0);
    case ExprCode::Greater: return Variant(VarCompare(a[0], a[1]) > 0);
    case ExprCode::GreaterEqual: return Variant(VarCompare(a[0], a[1]) >= 0);
    case ExprCode::Not: return VarNot(a[0]);

    case ExprCode::If: return a[0].ToBool() ? a[1] : a[2];
    case ExprCode::Sin: return FiniteDouble(std::sin(a[0].ToDouble()));
    case ExprCode::Cos: return FiniteDouble(std::cos(a[0].ToDouble()));
    case ExprCode::Sqr: return VarMul(a[0], a[0]);
    case ExprCode::Sqrt: {
      double v = a[0].ToDouble();
      if (v < 0) throw Error("Square root of a negative number");
      return FiniteDouble(std::sqrt(v));
    }
    case ExprCode::Ceil: return IntegerResult(std::ceil(a[0].ToDouble()));
    case ExprCode::Floor: return IntegerResult(std::floor(a[0].ToDouble()));
    case ExprCode::Fix:
    case ExprCode::Trunc: return FixedDecimals(a[0], a[1]);
    case ExprCode::AsNumber:
    case ExprCode::IsNumeric: {
      std::optional<double> v;
      if (!a[0].IsNull()) v = ParseNumber(a[0].ToString());
      if (token.code == ExprCode::IsNumeric) return Variant(v.has_value());
      return Variant(v.value_or(0.0));
    }
    case ExprCode::Length: return Variant::FromInt64(static_cast<std::int64_t>(a[0].ToString().size()));
    case ExprCode::Lower: return Variant(ToLowerAscii(a[0].ToString()));
    case ExprCode::Upper: return Variant(ToUpperAscii(a[0].ToString()));
    case ExprCode::Trim: return Variant(TrimBlanks(a[0].ToString()));
    case ExprCode::Left: return Variant(Prefix(a[0].ToString(), a[1].ToInt()));
    case ExprCode::Right: return Variant(Suffix(a[0].ToString(), a[1].ToInt()));
    case ExprCode::Mid: return Variant(Middle(a[0].ToString(), a[1].ToInt(), a[2].ToInt()));
    case ExprCode::SubstrAfter:
    case ExprCode::SubstrBefore: {
      std::string s = a[0].ToString(), sub = a[1].ToString();
      std::size_t at = FindNoCase(s, sub);
      if (at == std::string::npos) return Variant("");
      return Variant(token.code == ExprCode::SubstrAfter ? s.substr(at + sub.size()) : s.substr(0, at));
    }
    case ExprCode::Replace: return Variant(ReplaceAllNoCase(a[0].ToString(), a[1].ToString(), a[2].ToString(), kMaxExprText));
    case ExprCode::Format: {
      if (auto text = FormatValue(a[0], a[1].ToString())) return Variant(*text);
      return Variant(a[0].ToString());
    }
    case ExprCode::Soundex: return Variant(SoundexCode(a[0].ToString()));
    case ExprCode::Like: return Variant(LikeMatch(a[0].ToString(), a[1].ToString()));
    case ExprCode::In:
      return Variant(FindNoCase(token.listText, std::string("[").append(a[0].ToString()).append("]")) !=
                     std::string::npos);
    case ExprCode::Year: return Variant(DateField(a[0].ToString(), 0, 4));
    case ExprCode::Month: return Variant(DateField(a[0].ToString(), 5, 2));
    case ExprCode::Day: return Variant(DateField(a[0].ToString(), 8, 2));
    case ExprCode::IsDate: return Variant(ISOToDate(a[0].ToString()).has_value());
    case ExprCode::DateAdd: {
      std::string date = a[2].ToString();
      std::optional<double> from = ISOToDate(date);
      std::optional<double> to = from ? DateAdd(a[0].ToString(), a[1].ToInt(), *from) : std::nullopt;
      return Variant(to ? DateToISO(*to).value_or(date) : date);
    }
    case ExprCode::Easter: {
      std::optional<double> d;
      try {
        d = EasterDate(a[0].ToInt());
      } catch (const Error&) {
      }
      return Variant(d ? DateToISO(*d).value_or("") : "");
    }
    case ExprCode::WeekNumber: {
      std::optional<double> d;
      try {
        d = ISOToDate(a[0].ToString());
      } catch (const Error&) {
      }
      return Variant(d ? WeekNumberOf(*d).value_or(0) : 0);
    }
    case ExprCode::None:
    case ExprCode::Literal:
    case ExprCode::Variable:
    case ExprCode::Assign: break;
  }
  throw Error("Not an operator: " + token.text);
}

}  // namespace kroma
