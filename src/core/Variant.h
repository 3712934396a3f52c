#pragma once
// Variant: the tagged value that carries script arguments, XML attribute
// values and expression results. One type, one set of rules, everywhere.
//
// Kinds: Empty (never assigned), Null (no value / failed result), Integer
// (32-bit signed), Int64, Double, Boolean, String (bytes, no encoding).
//
// Conversions (each throws kroma::Error with a message for the user when
// the value cannot be converted; Null never converts):
//   ToInt     Empty 0; Boolean True -1, False 0; Int64 must fit 32 bits;
//             Double rounds to nearest, ties to even; String: integer text
//             is read exactly, other number text is read as a Double and
//             rounded. NaN, infinities and out-of-range values fail.
//   ToInt64   the same with a 64-bit range.
//   ToDouble  Empty 0; Boolean -1 / 0; integers exactly (Int64 beyond 2^53
//             to the nearest double); String as number text.
//   ToBool    Empty False; numbers: not zero; String: "true" / "false" in
//             any case, else number text that is not zero.
//   ToString  Empty ""; Integer and Int64 in decimal; Boolean "True" /
//             "False"; Double with FormatFloat (below).
// Number text (ParseNumber) is read the same in every locale: optional
// blanks, an optional sign, digits with an optional "." fraction ("5."
// and ".5" both read), an optional exponent (e or E, optional sign,
// digits), optional blanks. No thousands separators, hex, "inf" or "nan".
// Float text (FormatFloat) is the shortest digit string that reads back as
// the same double, with "." as the decimal point: plain notation when the
// decimal exponent is from -5 to 14 ("0.00001", "123456789012345",
// "0.1"), else one digit, the other digits after ".", "E" and the exponent
// ("1E15", "1.5E-7", "-2.5E100"). Zero of either sign is "0"; NaN is
// "NAN", infinities "INF" and "-INF".
//
// Arithmetic (VarAdd, VarSub, VarMul, VarDiv, VarPow):
//   - Null in either operand gives Null.
//   - VarAdd of two Strings (an Empty counts as "") concatenates.
//   - Otherwise each operand becomes a number: Empty 0, Boolean -1 / 0
//     (as Integer), String read as a Double (error when it is not number
//     text), Integer / Int64 / Double as they are.
//   - Two integers are added, subtracted or multiplied exactly in 64 bits:
//     a result that fits 32 bits is an Integer, else an Int64; a result
//     beyond 64 bits is computed in Double instead.
//   - Any Double operand makes the operation Double.
//   - VarDiv always divides as Double; VarPow always raises as Double.
//   - Division by zero (also 0 / 0) is an error; so is any Double result
//     that is not finite (overflow, a square root of a negative by "^").
// Logic (VarAnd, VarOr, VarNot): two Booleans (a String "true"/"false"
// counts as a Boolean) combine logically into a Boolean. Anything else is
// bitwise on 64-bit integers (Boolean -1 / 0, Empty 0, Doubles and number
// text rounded as by ToInt64) and gives an Integer, or an Int64 when the
// result needs it. Null in an operand gives Null.
// Comparison (VarCompare, VarEquals):
//   - Null equals Null and is less than every other value.
//   - Two Strings (or a String and Empty) compare byte by byte, case
//     sensitive.
//   - A String against a number or Boolean is read as a number first
//     (error when it is not number text).
//   - Numbers (Empty 0, Boolean -1 / 0) compare by value: two integers
//     exactly, otherwise as Doubles; NaN is an error.
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace kroma {

enum TVarType { varEmpty, varNull, varInteger, varInt64, varDouble, varBoolean, varString };

class Variant {
 public:
  Variant() = default;  // Empty
  Variant(int v) : value_(std::int32_t{v}) {}
  Variant(long v) : value_(std::int64_t{v}) {}
  Variant(long long v) : value_(static_cast<std::int64_t>(v)) {}
  Variant(double v) : value_(v) {}
  Variant(bool v) : value_(v) {}
  Variant(std::string v) : value_(std::move(v)) {}
  Variant(std::string_view v) : value_(std::string(v)) {}
  Variant(const char* v) : value_(std::string(v)) {}

  static Variant Null();
  // The smallest integer kind that holds v: Integer when it fits 32 bits.
  static Variant FromInt64(std::int64_t v);

  TVarType Type() const;
  bool IsEmpty() const { return Type() == varEmpty; }
  bool IsNull() const { return Type() == varNull; }
  bool IsString() const { return Type() == varString; }
  bool IsIntegral() const { return Type() == varInteger || Type() == varInt64; }
  bool IsNumeric() const { return IsIntegral() || Type() == varDouble; }

  int ToInt() const;
  std::int64_t ToInt64() const;
  double ToDouble() const;
  bool ToBool() const;
  std::string ToString() const;

  // The stored string without conversion; nullptr for other kinds.
  const std::string* AsString() const { return std::get_if<std::string>(&value_); }

  // Identity: same kind and same value (NaN equals NaN). Not the
  // comparison of the rules above; that is VarEquals.
  friend bool operator==(const Variant& a, const Variant& b);

 private:
  struct NullTag {
    friend bool operator==(NullTag, NullTag) { return true; }
  };
  std::variant<std::monostate, NullTag, std::int32_t, std::int64_t, double, bool, std::string> value_;
};

// For test output and diagnostics: kind and value, as Integer(5).
std::ostream& operator<<(std::ostream& os, const Variant& v);

Variant VarAdd(const Variant& a, const Variant& b);
Variant VarSub(const Variant& a, const Variant& b);
Variant VarMul(const Variant& a, const Variant& b);
Variant VarDiv(const Variant& a, const Variant& b);
Variant VarPow(const Variant& a, const Variant& b);
Variant VarAnd(const Variant& a, const Variant& b);
Variant VarOr(const Variant& a, const Variant& b);
Variant VarNot(const Variant& a);

// -1, 0 or 1 by the comparison rules; throws Error when not comparable.
int VarCompare(const Variant& a, const Variant& b);
inline bool VarEquals(const Variant& a, const Variant& b) { return VarCompare(a, b) == 0; }

// Number text as described above; nullopt when the text is not a number
// or is beyond the double range.
std::optional<double> ParseNumber(std::string_view text);
// Float text as described above. With significantDigits > 0 the value is
// first rounded to that many significant digits (at most 17), and plain
// notation is used for decimal exponents from -5 to significantDigits - 1.
std::string FormatFloat(double v, int significantDigits = 0);

}  // namespace kroma
