#pragma once
// Checked conversions from floating point to integers. NaN, infinities and
// values outside the target range are an error (kroma::Error), never
// undefined behaviour. "Round" is ties-to-even; "Trunc" cuts toward zero.
#include <cstdint>
#include <string_view>

namespace kroma {

// Round to nearest, ties to even. Throws Error naming `what` when the value
// is not finite or does not fit.
int RoundToInt(double v, std::string_view what = "number");
std::int64_t RoundToInt64(double v, std::string_view what = "number");
// Cut toward zero, with the same checks.
int TruncToInt(double v, std::string_view what = "number");
std::int64_t TruncToInt64(double v, std::string_view what = "number");

// Non-throwing forms for geometry: NaN gives 0, other values saturate to
// the int range. Used where a coordinate only has to stay finite and
// ordered (clipping takes care of the rest).
int SaturateRound(double v);
int SaturateTrunc(double v);
int SaturateFloor(double v);
int SaturateCeil(double v);

// Integer division rounding toward zero, as the arithmetic of the program
// says "div"; division by zero throws Error.
int Div(int a, int b);
int Mod(int a, int b);

// a * b / c computed in 64 bits and rounded half away from zero, as a
// classic MulDiv does; c == 0 gives -1.
int MulDiv(int a, int b, int c);

// Clamp to 0..255.
constexpr std::uint8_t ClampToByte(int v) {
  return static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

}  // namespace kroma
