// The "Wings" scatter warps: every source pixel lands on a target position
// that a row term and a column term push away from it.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/Bitmap.h"
#include "core/Numeric.h"
#include "effects/PaintFX.h"
#include "effects/PaintWarpSupport.h"

namespace kroma {
namespace {

// What a formula adds to the y and to the x coordinate.
struct Terms {
  float y, x;
};
// The terms of row y, from ry = (y mod s) / t, and of column x, from
// rx = (x mod s) / t. Every formula of the family is
//   ty = Round(|(y + row.y) + column.y|), tx = Round(|(x + row.x) + column.x|);
// a difference a - b is written as a + (-b), which gives the same bits.
using TermFn = Terms (*)(float r, float t);

enum class Order { Forward, Backward };

void Scatter(const TBitmap& source, TBitmap& target, int scale, double turbulence, TermFn rowTerms, TermFn columnTerms,
             Order order) {
  TBitmap scratch;
  const TBitmap& src = detail::WarpSource(source, target, scratch);
  target = src;
  const float t = detail::ToFloat(turbulence);
  if (scale < 1 || t == 0.0f || !std::isfinite(t) || src.Empty()) return;

  const int width = src.Width(), height = src.Height();
  std::vector<Terms> rowTerm(static_cast<std::size_t>(height)), columnTerm(static_cast<std::size_t>(width));
  for (int y = 0; y < height; ++y)
    rowTerm[static_cast<std::size_t>(y)] = rowTerms(static_cast<float>(y % scale) / t, t);
  for (int x = 0; x < width; ++x)
    columnTerm[static_cast<std::size_t>(x)] = columnTerms(static_cast<float>(x % scale) / t, t);
  std::vector<const std::uint8_t*> in(static_cast<std::size_t>(height));
  std::vector<std::uint8_t*> out(in.size());
  for (int y = 0; y < height; ++y) {
    in[static_cast<std::size_t>(y)] = src.ScanLine(y);
    out[static_cast<std::size_t>(y)] = target.ScanLine(y);
  }
  const auto fw = static_cast<float>(width), fh = static_cast<float>(height);

  // One source pixel; positions that are no numbers, infinite or past the
  // image land nowhere.
  auto land = [&](int x, int y, float baseY, float rowX) {
    const Terms& column = columnTerm[static_cast<std::size_t>(x)];
    const float vy = std::fabs(baseY + column.y);
    const float vx = std::fabs((static_cast<float>(x) + rowX) + column.x);
    if (!(vy < fh) || !(vx < fw)) return;
    const int ty = SaturateRound(vy), tx = SaturateRound(vx);
    if (ty >= height || tx >= width) return;
    std::memcpy(out[static_cast<std::size_t>(ty)] + std::int64_t{tx} * 3,
                in[static_cast<std::size_t>(y)] + std::int64_t{x} * 3, 3);
  };
  // Later sources overwrite earlier ones, so the order is part of the result.
  if (order == Order::Forward) {
    for (int y = 0; y < height; ++y) {
      const Terms& row = rowTerm[static_cast<std::size_t>(y)];
      const float baseY = static_cast<float>(y) + row.y;
      for (int x = 0; x < width; ++x) land(x, y, baseY, row.x);
    }
  } else {
    for (int y = height - 1; y >= 0; --y) {
      const Terms& row = rowTerm[static_cast<std::size_t>(y)];
      const float baseY = static_cast<float>(y) + row.y;
      for (int x = width - 1; x >= 0; --x) land(x, y, baseY, row.x);
    }
  }
}

// t cos r, t sin r and their negatives, the same for both coordinates
// unless named otherwise.
Terms PlusCos(float r, float t) { return {t * std::cos(r), t * std::cos(r)}; }
Terms MinusSin(float r, float t) { return {-(t * std::sin(r)), -(t * std::sin(r))}; }
Terms PlusSin(float r, float t) { return {t * std::sin(r), t * std::sin(r)}; }
Terms MinusCos(float r, float t) { return {-(t * std::cos(r)), -(t * std::cos(r))}; }
// +t cos r for y, -t cos r for x (Down); the other way round (Up).
Terms CosDown(float r, float t) { return {t * std::cos(r), -(t * std::cos(r))}; }
Terms SinDown(float r, float t) { return {t * std::sin(r), -(t * std::sin(r))}; }
Terms CosUp(float r, float t) { return {-(t * std::cos(r)), t * std::cos(r)}; }
Terms SinUp(float r, float t) { return {-(t * std::sin(r)), t * std::sin(r)}; }
// - tan(r) / t and - tan(r) / t^2.
Terms MinusTan(float r, float t) { return {-(std::tan(r) / t), -(std::tan(r) / t)}; }
Terms MinusTanSquare(float r, float t) { return {-(std::tan(r) / (t * t)), -(std::tan(r) / (t * t))}; }
// t sin(r) cos(1.5 r) and - t sin(2 r) cos(r).
Terms WavyRow(float r, float t) {
  const float v = t * std::sin(r) * std::cos(1.5f * r);
  return {v, v};
}
Terms WavyColumn(float r, float t) {
  const float v = -(t * std::sin(2.0f * r) * std::cos(r));
  return {v, v};
}

}  // namespace

void TkelPaintFX::Marble(const TBitmap& source, TBitmap& target, int scale, double turbulence) {
  Scatter(source, target, scale, turbulence, PlusCos, MinusSin, Order::Forward);
}

void TkelPaintFX::Marble2(const TBitmap& source, TBitmap& target, int scale, double turbulence) {
  Scatter(source, target, scale, turbulence, CosDown, SinDown, Order::Forward);
}

void TkelPaintFX::Marble3(const TBitmap& source, TBitmap& target, int scale, double turbulence) {
  Scatter(source, target, scale, turbulence, CosUp, SinUp, Order::Forward);
}

void TkelPaintFX::Marble4(const TBitmap& source, TBitmap& target, int scale, double turbulence) {
  Scatter(source, target, scale, turbulence, PlusSin, MinusCos, Order::Forward);
}

void TkelPaintFX::Marble5(const TBitmap& source, TBitmap& target, int scale, double turbulence) {
  Scatter(source, target, scale, turbulence, PlusCos, MinusSin, Order::Backward);
}

void TkelPaintFX::Marble6(const TBitmap& source, TBitmap& target, int scale, double turbulence) {
  Scatter(source, target, scale, turbulence, PlusCos, MinusTan, Order::Forward);
}

void TkelPaintFX::Marble7(const TBitmap& source, TBitmap& target, int scale, double turbulence) {
  Scatter(source, target, scale, turbulence, PlusSin, MinusTanSquare, Order::Forward);
}

void TkelPaintFX::Marble8(const TBitmap& source, TBitmap& target, int scale, double turbulence) {
  Scatter(source, target, scale, turbulence, WavyRow, WavyColumn, Order::Forward);
}

}  // namespace kroma
