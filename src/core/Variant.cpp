#include "core/Variant.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <ostream>
#include <system_error>

#include "core/Error.h"
#include "core/Numeric.h"

namespace kroma {
namespace {

const char* TypeName(TVarType t) {
  switch (t) {
    case varEmpty: return "Empty";
    case varNull: return "Null";
    case varInteger: return "Integer";
    case varInt64: return "Int64";
    case varDouble: return "Double";
    case varBoolean: return "Boolean";
    case varString: return "String";
  }
  return "?";
}

[[noreturn]] void CannotConvert(const Variant& v, const char* target) {
  std::string what = v.IsString() ? "the text '" + *v.AsString() + "'" : std::string("a value of type ") + TypeName(v.Type());
  throw Error("Could not convert " + what + " to " + target);
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Integer text: optional sign and digits only, within 64 bits.
std::optional<std::int64_t> ParseIntegerText(std::string_view s) {
  s = TrimBlanks(s);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty() || (s.front() == '-' && s.size() == 1)) return std::nullopt;
  std::int64_t v = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return v;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

std::optional<bool> ParseBoolText(std::string_view s) {
  s = TrimBlanks(s);
  if (EqualsNoCase(s, "true")) return true;
  if (EqualsNoCase(s, "false")) return false;
  return std::nullopt;
}

// An operand of arithmetic: exactly one of the two members is used.
struct Number {
  bool integral = true;
  std::int64_t i = 0;
  double d = 0;
  double AsDouble() const { return integral ? static_cast<double>(i) : d; }
};

Number ToNumber(const Variant& v) {
  switch (v.Type()) {
    case varEmpty: return {};
    case varInteger:
    case varInt64: return {true, v.ToInt64(), 0};
    case varBoolean: return {true, v.ToBool() ? -1 : 0, 0};
    case varDouble: return {false, 0, v.ToDouble()};
    case varString: return {false, 0, v.ToDouble()};
    case varNull: break;
  }
  CannotConvert(v, "a number");
}

Variant CheckedDouble(double r) {
  if (std::isnan(r)) throw Error("Invalid floating point operation");
  if (std::isinf(r)) throw Error("Floating point overflow");
  return Variant(r);
}

enum class Op { Add, Sub, Mul };

Variant Arithmetic(const Variant& a, const Variant& b, Op op) {
  if (a.IsNull() || b.IsNull()) return Variant::Null();
  Number x = ToNumber(a), y = ToNumber(b);
  if (x.integral && y.integral) {
    std::int64_t r = 0;
    bool overflow = false;
    switch (op) {
      case Op::Add: overflow = __builtin_add_overflow(x.i, y.i, &r); break;
      case Op::Sub: overflow = __builtin_sub_overflow(x.i, y.i, &r); break;
      case Op::Mul: overflow = __builtin_mul_overflow(x.i, y.i, &r); break;
    }
    if (!overflow) return Variant::FromInt64(r);
  }
  double p = x.AsDouble(), q = y.AsDouble();
  switch (op) {
    case Op::Add: return CheckedDouble(p + q);
    case Op::Sub: return CheckedDouble(p - q);
    case Op::Mul: return CheckedDouble(p * q);
  }
  return Variant::Null();
}

// A logic operand: a Boolean, or a 64-bit integer for bitwise work.
struct Logical {
  bool isBool = false;
  bool b = false;
  std::int64_t i = 0;
};

Logical ToLogical(const Variant& v) {
  if (v.Type() == varBoolean) return {true, v.ToBool(), 0};
  if (const std::string* s = v.AsString()) {
    if (auto b = ParseBoolText(*s)) return {true, *b, 0};
  }
  return {false, false, v.ToInt64()};
}

std::int64_t BitsOf(const Logical& l) { return l.isBool ? (l.b ? -1 : 0) : l.i; }

}  // namespace

Variant Variant::Null() {
  Variant v;
  v.value_ = NullTag{};
  return v;
}

Variant Variant::FromInt64(std::int64_t v) {
  if (v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max())
    return Variant(static_cast<int>(v));
  return Variant(static_cast<long long>(v));
}

TVarType Variant::Type() const { return static_cast<TVarType>(value_.index()); }

std::int64_t Variant::ToInt64() const {
  switch (Type()) {
    case varEmpty: return 0;
    case varInteger: return std::get<std::int32_t>(value_);
    case varInt64: return std::get<std::int64_t>(value_);
    case varBoolean: return std::get<bool>(value_) ? -1 : 0;
    case varDouble: return RoundToInt64(std::get<double>(value_), "the number");
    case varString: {
      const std::string& s = std::get<std::string>(value_);
      if (auto i = ParseIntegerText(s)) return *i;
      if (auto d = ParseNumber(s)) return RoundToInt64(*d, "the number '" + s + "'");
      break;
    }
    case varNull: break;
  }
  CannotConvert(*this, "an integer");
}

int Variant::ToInt() const {
  std::int64_t v = ToInt64();
  if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
    throw Error("The number " + std::to_string(v) + " is out of the integer range");
  return static_cast<int>(v);
}

double Variant::ToDouble() const {
  switch (Type()) {
    case varEmpty: return 0;
    case varInteger: return std::get<std::int32_t>(value_);
    case varInt64: return static_cast<double>(std::get<std::int64_t>(value_));
    case varBoolean: return std::get<bool>(value_) ? -1 : 0;
    case varDouble: return std::get<double>(value_);
    case varString:
      if (auto d = ParseNumber(std::get<std::string>(value_))) return *d;
      break;
    case varNull: break;
  }
  CannotConvert(*this, "a number");
}

bool Variant::ToBool() const {
  switch (Type()) {
    case varEmpty: return false;
    case varInteger: return std::get<std::int32_t>(value_) != 0;
    case varInt64: return std::get<std::int64_t>(value_) != 0;
    case varBoolean: return std::get<bool>(value_);
    case varDouble: return std::get<double>(value_) != 0;
    case varString: {
      const std::string& s = std::get<std::string>(value_);
      if (auto b = ParseBoolText(s)) return *b;
      if (auto d = ParseNumber(s)) return *d != 0;
      break;
    }
    case varNull: break;
  }
  CannotConvert(*this, "a Boolean");
}

std::string Variant::ToString() const {
  switch (Type()) {
    case varEmpty: return {};
    case varInteger: return std::to_string(std::get<std::int32_t>(value_));
    case varInt64: return std::to_string(std::get<std::int64_t>(value_));
    case varBoolean: return std::get<bool>(value_) ? "True" : "False";
    case varDouble: return FormatFloat(std::get<double>(value_));
    case varString: return std::get<std::string>(value_);
    case varNull: break;
  }
  CannotConvert(*this, "text");
}

bool operator==(const Variant& a, const Variant& b) {
  if (a.Type() == varDouble && b.Type() == varDouble) {
    double x = std::get<double>(a.value_), y = std::get<double>(b.value_);
    return x == y || (std::isnan(x) && std::isnan(y));
  }
  return a.value_ == b.value_;
}

std::ostream& operator<<(std::ostream& os, const Variant& v) {
  os << TypeName(v.Type());
  const char* quote = v.IsString() ? "'" : "";
  if (!v.IsEmpty() && !v.IsNull()) os << "(" << quote << v.ToString() << quote << ")";
  return os;
}

Variant VarAdd(const Variant& a, const Variant& b) {
  bool aText = a.IsString() || (a.IsEmpty() && b.IsString());
  bool bText = b.IsString() || (b.IsEmpty() && a.IsString());
  if (aText && bText) return Variant(a.ToString() + b.ToString());
  return Arithmetic(a, b, Op::Add);
}

Variant VarSub(const Variant& a, const Variant& b) { return Arithmetic(a, b, Op::Sub); }
Variant VarMul(const Variant& a, const Variant& b) { return Arithmetic(a, b, Op::Mul); }

Variant VarDiv(const Variant& a, const Variant& b) {
  if (a.IsNull() || b.IsNull()) return Variant::Null();
  double p = ToNumber(a).AsDouble(), q = ToNumber(b).AsDouble();
  if (q == 0) throw Error("Division by zero");
  return CheckedDouble(p / q);
}

Variant VarPow(const Variant& a, const Variant& b) {
  if (a.IsNull() || b.IsNull()) return Variant::Null();
  return CheckedDouble(std::pow(ToNumber(a).AsDouble(), ToNumber(b).AsDouble()));
}

Variant VarAnd(const Variant& a, const Variant& b) {
  if (a.IsNull() || b.IsNull()) return Variant::Null();
  Logical x = ToLogical(a), y = ToLogical(b);
  if (x.isBool && y.isBool) return Variant(x.b && y.b);
  return Variant::FromInt64(BitsOf(x) & BitsOf(y));
}

Variant VarOr(const Variant& a, const Variant& b) {
  if (a.IsNull() || b.IsNull()) return Variant::Null();
  Logical x = ToLogical(a), y = ToLogical(b);
  if (x.isBool && y.isBool) return Variant(x.b || y.b);
  return Variant::FromInt64(BitsOf(x) | BitsOf(y));
}

Variant VarNot(const Variant& a) {
  if (a.IsNull()) return Variant::Null();
  Logical x = ToLogical(a);
  if (x.isBool) return Variant(!x.b);
  return Variant::FromInt64(~x.i);
}

int VarCompare(const Variant& a, const Variant& b) {
  if (a.IsNull() || b.IsNull()) return (a.IsNull() ? 0 : 1) - (b.IsNull() ? 0 : 1);
  bool aText = a.IsString() || a.IsEmpty();
  bool bText = b.IsString() || b.IsEmpty();
  if ((a.IsString() || b.IsString()) && aText && bText) {
    int c = a.ToString().compare(b.ToString());
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
  }
  Number x = ToNumber(a), y = ToNumber(b);
  if (x.integral && y.integral) return x.i < y.i ? -1 : (x.i > y.i ? 1 : 0);
  double p = x.AsDouble(), q = y.AsDouble();
  if (std::isnan(p) || std::isnan(q)) throw Error("Cannot compare a value that is not a number");
  return p < q ? -1 : (p > q ? 1 : 0);
}

std::optional<double> ParseNumber(std::string_view text) {
  std::string_view s = TrimBlanks(text);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  // Check the shape ourselves: from_chars alone would take "inf", "nan"
  // and hexadecimal forms, and refuses a trailing ".".
  std::size_t i = 0, digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t expDigits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++expDigits;
    if (expDigits == 0) return std::nullopt;
  }
  if (i != s.size()) return std::nullopt;
  std::string clean(s);
  double v = 0;
  auto [end, ec] = std::from_chars(clean.data(), clean.data() + clean.size(), v, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    // Too small for a double reads as zero; too large is not a number we
    // can carry.
    std::size_t e = clean.find_first_of("eE");
    bool tiny = e != std::string::npos ? clean.find('-', e) != std::string::npos : clean.front() == '0';
    if (!tiny) return std::nullopt;
    v = 0;
  } else if (ec != std::errc() || end != clean.data() + clean.size()) {
    return std::nullopt;
  }
  return negative ? -v : v;
}

std::string FormatFloat(double v, int significantDigits) {
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
  if (v == 0) return "0";
  // Digits in scientific form d.ddde±x: the shortest that read back, or
  // the requested number of significant digits.
  char buf[64];
  auto [end, ec] = significantDigits > 0
                       ? std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, std::min(significantDigits, 17) - 1)
                       : std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
  std::string sci(buf, end);
  bool negative = sci.front() == '-';
  if (negative) sci.erase(0, 1);
  std::size_t ePos = sci.find('e');
  int exponent = std::stoi(sci.substr(ePos + 1));
  std::string digits;
  for (std::size_t i = 0; i < ePos; ++i)
    if (sci[i] != '.') digits += sci[i];
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string out = negative ? "-" : "";
  int plainLimit = significantDigits > 0 ? significantDigits : 15;
  if (exponent >= -5 && exponent < plainLimit) {
    std::size_t intDigits = static_cast<std::size_t>(exponent + 1);
    if (exponent < 0) {
      out.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
    } else if (digits.size() <= intDigits) {
      out.append(digits).append(intDigits - digits.size(), '0');
    } else {
      out.append(digits, 0, intDigits).append(".").append(digits, intDigits);
    }
  } else {
    out.append(digits, 0, 1);
    if (digits.size() > 1) out.append(".").append(digits, 1);
    out.append("E").append(std::to_string(exponent));
  }
  return out;
}

}  // namespace kroma
