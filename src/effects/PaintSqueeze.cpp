// Squeeze and SplitMorph: every source row stretched (nearest pixel) into a
// span of its target row whose ends follow the row's position.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "core/Bitmap.h"
#include "core/Numeric.h"
#include "effects/FilterSupport.h"
#include "effects/PaintFX.h"
#include "effects/PaintWarpSupport.h"

namespace kroma {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;

bool SameSize(const TBitmap& a, const TBitmap& b) { return a.Width() == b.Width() && a.Height() == b.Height(); }

// y / (h - 1) as a real; 0 for a one-row image, whose divisor is 0.
float RowFraction(int y, int height) {
  return height > 1 ? static_cast<float>(y) / static_cast<float>(height - 1) : 0.0f;
}

// Round(a |v|), limited to 0 .. a (single precision does not hold every a).
int Reach(int a, float v) { return TrimInt(SaturateRound(static_cast<float>(a) * std::fabs(v)), 0, a); }

struct Span {
  int left, right;
};

// The target span of row y for styles 7 to 13; a is already limited to
// 0 .. width div 2, so every span lies inside the row.
Span SqueezeSpan(int style, int a, int y, int width, int height) {
  const int centre = width / 2;
  int m = 0;
  switch (style) {
    case 7:
      return {a, width - a};
    case 8:
      m = TrimInt(SaturateRound(static_cast<float>(std::int64_t{a} * (height - y - 1)) / static_cast<float>(height)), 0,
                  a);
      return {m, width - m};
    case 9:
      m = TrimInt(SaturateRound(static_cast<float>(std::int64_t{a} * y) / static_cast<float>(height)), 0, a);
      return {m, width - m};
    case 10:
      m = Reach(a, std::cos(RowFraction(y, height) * kPi));
      return {m, width - m};
    case 11:
      m = Reach(a, std::sin(RowFraction(y, height) * kPi));
      return {m, width - m};
    case 12:
      m = Reach(a, std::sin(RowFraction(y, height) * kPi));
      return {centre - m, centre + m};
    default: {  // 13: 2 pi y / (h - 1), 0 on a one-row image
      const float angle = height > 1 ? 2.0f * kPi * static_cast<float>(y) / static_cast<float>(height - 1) : 0.0f;
      m = Reach(a, std::sin(angle));
      return {centre - m, centre + m};
    }
  }
}

}  // namespace

void TkelPaintFX::Squeeze(const TBitmap& source, TBitmap& target, int style, int amount) {
  if (style < 7 || style > 13 || source.Empty() || !SameSize(source, target)) return;
  TBitmap scratch;
  const TBitmap& src = detail::WarpSource(source, target, scratch);
  detail::Ensure24Bit(target);
  const int width = src.Width(), height = src.Height();
  const int a = std::clamp(amount, 0, width / 2);  // a negative amount squeezes nothing
  for (int y = 0; y < height; ++y) {
    const Span span = SqueezeSpan(style, a, y, width, height);
    if (span.right <= span.left) continue;
    detail::StretchRow(src.ScanLine(y), width, target.ScanLine(y) + std::int64_t{span.left} * 3,
                       span.right - span.left);
  }
}

void TkelPaintFX::SplitMorph(const TBitmap& source, TBitmap& target, int style, int amount) {
  if ((style != 14 && style != 15) || source.Empty() || !SameSize(source, target)) return;
  TBitmap scratch;
  const TBitmap& src = detail::WarpSource(source, target, scratch);
  if (amount <= 0) {  // a negative amount is taken as 0
    target = src;
    return;
  }
  detail::Ensure24Bit(target);
  const int width = src.Width(), height = src.Height();
  const int half = width / 2;
  const int a = std::min(amount, half);
  for (int y = 0; y < height; ++y) {
    const float angle = RowFraction(y, height) * kPi;
    const int m = Reach(a, style == 14 ? std::sin(angle) : std::cos(angle));
    if (m < 1) continue;
    const std::uint8_t* in = src.ScanLine(y);
    std::uint8_t* out = target.ScanLine(y);
    // The left half into (0, m), then the right half into (width - m - 1,
    // width - 1): the last column keeps its content.
    detail::StretchRow(in, half, out, m);
    detail::StretchRow(in + std::int64_t{half} * 3, half, out + std::int64_t{width - m - 1} * 3, m);
  }
}

}  // namespace kroma
