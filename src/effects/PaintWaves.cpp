// Wave: the rows pushed down by a per-column offset that follows a sine.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <vector>

#include "core/Bitmap.h"
#include "core/Numeric.h"
#include "effects/FilterSupport.h"
#include "effects/PaintFX.h"

namespace kroma {

void TkelPaintFX::Wave(TBitmap& bitmap, int amount, int mode, int inference) {
  if (amount < 1 || mode < 0 || mode > 2 || bitmap.Empty()) return;
  const std::int64_t a = amount, height = bitmap.Height();
  // Source rows height - 2a - 1 down to a; an image lower than 3a + 1 rows
  // has none.
  const std::int64_t first = height - 2 * a - 1;
  if (first < a) return;
  detail::Ensure24Bit(bitmap);
  const int width = bitmap.Width();

  // The offset of every column: 0 for column 0, and for column x the value
  // computed after pixel x - 1. |offset| <= a keeps every write inside (the
  // limit also covers an amount that single precision does not hold exactly).
  const float fa = static_cast<float>(amount);
  const float k = (std::numbers::pi_v<float> / 2.0f) / fa;
  const float n = static_cast<float>(inference);
  std::vector<int> offset(static_cast<std::size_t>(width), 0);
  for (int x = 1; x < width; ++x) {
    const float xk = static_cast<float>(x - 1) * k;
    float v = fa * std::sin(xk);
    if (mode == 1) v = v * std::cos(xk);
    if (mode == 2) v = v * std::sin(n * k * static_cast<float>(x - 1));
    offset[static_cast<std::size_t>(x)] = TrimInt(SaturateRound(v), -amount, amount);
  }

  const TBitmap copy = bitmap;
  std::vector<std::uint8_t*> rows(static_cast<std::size_t>(height));
  for (int y = amount; y < height; ++y) rows[static_cast<std::size_t>(y)] = bitmap.ScanLine(y);  // rows written
  // Bottom up: where two source rows land on one pixel the higher one wins.
  for (auto y = static_cast<int>(first); y >= amount; --y) {
    const std::uint8_t* in = copy.ScanLine(y);
    const std::int64_t down = y + a;
    for (int x = 0; x < width; ++x) {
      std::uint8_t* out = rows[static_cast<std::size_t>(down + offset[static_cast<std::size_t>(x)])];
      std::memcpy(out + std::int64_t{x} * 3, in + std::int64_t{x} * 3, 3);
    }
  }
}

}  // namespace kroma
