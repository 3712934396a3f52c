#include "core/Numeric.h"

#include <cmath>
#include <limits>
#include <string>

#include "core/Error.h"

namespace kroma {
namespace {

[[noreturn]] void Fail(double v, std::string_view what) {
  std::string text = std::isnan(v) ? "not a number" : (std::isinf(v) ? "infinite" : "out of range");
  throw Error(std::string(what) + " is " + text);
}

// Bounds as doubles that are exactly representable: the int64 range is
// [-2^63, 2^63), the int range [-2^31, 2^31 - 1].
constexpr double kInt64Lo = -9223372036854775808.0;
constexpr double kInt64Hi = 9223372036854775808.0;

}  // namespace

std::int64_t RoundToInt64(double v, std::string_view what) {
  if (!std::isfinite(v)) Fail(v, what);
  double r = std::nearbyint(v);
  if (r < kInt64Lo || r >= kInt64Hi) Fail(v, what);
  return static_cast<std::int64_t>(r);
}

std::int64_t TruncToInt64(double v, std::string_view what) {
  if (!std::isfinite(v)) Fail(v, what);
  double r = std::trunc(v);
  if (r < kInt64Lo || r >= kInt64Hi) Fail(v, what);
  return static_cast<std::int64_t>(r);
}

int RoundToInt(double v, std::string_view what) {
  if (!std::isfinite(v)) Fail(v, what);
  double r = std::nearbyint(v);
  if (r < std::numeric_limits<int>::min() || r > std::numeric_limits<int>::max()) Fail(v, what);
  return static_cast<int>(r);
}

int TruncToInt(double v, std::string_view what) {
  if (!std::isfinite(v)) Fail(v, what);
  double r = std::trunc(v);
  if (r < std::numeric_limits<int>::min() || r > std::numeric_limits<int>::max()) Fail(v, what);
  return static_cast<int>(r);
}

namespace {
int Saturate(double r) {
  if (std::isnan(r)) return 0;
  if (r <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  if (r >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  return static_cast<int>(r);
}
}  // namespace

int SaturateRound(double v) { return Saturate(std::nearbyint(v)); }
int SaturateTrunc(double v) { return Saturate(std::trunc(v)); }
int SaturateFloor(double v) { return Saturate(std::floor(v)); }
int SaturateCeil(double v) { return Saturate(std::ceil(v)); }

int Div(int a, int b) {
  if (b == 0) throw Error("Division by zero");
  if (b == -1) return static_cast<int>(-static_cast<std::int64_t>(a));  // wraps like the machine for INT_MIN
  return a / b;
}

int Mod(int a, int b) {
  if (b == 0) throw Error("Division by zero");
  if (b == -1) return 0;
  return a % b;
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  std::int64_t p = static_cast<std::int64_t>(a) * b;
  std::int64_t q = p / c;
  std::int64_t rem = p % c;
  // Round half away from zero.
  if (2 * (rem < 0 ? -rem : rem) >= (c < 0 ? -static_cast<std::int64_t>(c) : c)) q += ((p < 0) != (c < 0)) ? -1 : 1;
  if (q > std::numeric_limits<int>::max() || q < std::numeric_limits<int>::min()) return -1;
  return static_cast<int>(q);
}

}  // namespace kroma
