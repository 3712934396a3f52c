#include "editor/ColorLines.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "core/Bitmap.h"
#include "core/Error.h"
#include "core/Numeric.h"

namespace kroma {
namespace {

// Blue, green, red: the byte order of a 24-bit pixel.
std::array<int, 3> Bgr(TColor c) {
  c = ColorToRGB(c);
  return {GetBValue(c), GetGValue(c), GetRValue(c)};
}

void Require24Bit(const TBitmap& bitmap) {
  if (bitmap.PixelFormat() != pf24bit) throw Error("Colour ramps need a 24-bit image");
}

// Ramps run their accumulators from the first end, so the pixels before
// the bitmap still take their steps. Up to this many are added one by
// one, as the ramp does; a ramp starting further out (only absurd
// coordinates do) jumps there by one multiplication.
constexpr std::int64_t kExactLeadIn = std::int64_t{1} << 22;

// Walks positions a..b (a <= b) of a ramp from c1 to c2 and hands each
// position inside [0, limit) with its pixel bytes to `put`.
template <typename Put>
void Ramp(std::int64_t a, std::int64_t b, TColor c1, TColor c2, std::int64_t limit, Put put) {
  const std::array<int, 3> from = Bgr(c1);
  const std::array<int, 3> to = Bgr(c2);
  const std::int64_t n = b - a;
  std::array<float, 3> step{};
  std::array<float, 3> acc{};
  for (int k = 0; k < 3; ++k) {
    step[k] = n == 0 ? 0.0f : static_cast<float>(static_cast<double>(to[k] - from[k]) / static_cast<double>(n));
    acc[k] = static_cast<float>(from[k]);
  }
  std::int64_t pos = a;
  if (pos < 0) {
    const std::int64_t leadIn = std::min<std::int64_t>(-pos, b - pos + 1);
    if (leadIn <= kExactLeadIn) {
      for (std::int64_t i = 0; i < leadIn; ++i)
        for (int k = 0; k < 3; ++k) acc[k] += step[k];
    } else {
      for (int k = 0; k < 3; ++k)
        acc[k] = static_cast<float>(from[k] + static_cast<double>(step[k]) * static_cast<double>(leadIn));
    }
    pos += leadIn;
  }
  const std::int64_t last = std::min(b, limit - 1);
  for (; pos <= last; ++pos) {
    std::array<std::uint8_t, 3> px{};
    for (int k = 0; k < 3; ++k) {
      acc[k] += step[k];
      px[k] = ClampToByte(RoundToInt(acc[k], "colour ramp"));
    }
    put(static_cast<int>(pos), px);
  }
}

}  // namespace

TColor MixColors(TColor c1, TColor c2) {
  c1 = ColorToRGB(c1);
  c2 = ColorToRGB(c2);
  return RGB((GetRValue(c1) + GetRValue(c2)) >> 1, (GetGValue(c1) + GetGValue(c2)) >> 1,
             (GetBValue(c1) + GetBValue(c2)) >> 1);
}

void SmoothPixel(TBitmap& bitmap, int x, int y) {
  Require24Bit(bitmap);
  if (x <= 0 || y <= 0 || x >= bitmap.Width() - 1 || y >= bitmap.Height() - 1) return;
  const std::uint8_t* above = bitmap.ScanLine(y - 1) + 3 * x;
  const std::uint8_t* below = bitmap.ScanLine(y + 1) + 3 * x;
  std::uint8_t* p = bitmap.ScanLine(y) + 3 * x;
  for (int k = 0; k < 3; ++k) p[k] = static_cast<std::uint8_t>((above[k] + p[k + 3] + below[k] + p[k - 3]) >> 2);
}

void InterpolateRow(TBitmap& bitmap, int row, int x1, TColor c1, int x2, TColor c2, bool smoothEnds) {
  Require24Bit(bitmap);
  if (row < 0 || row >= bitmap.Height()) return;
  std::int64_t a = x1;
  std::int64_t b = x2;
  if (b < a) std::swap(a, b);
  std::uint8_t* line = bitmap.ScanLine(row);
  Ramp(a, b, c1, c2, bitmap.Width(), [line](int x, const std::array<std::uint8_t, 3>& px) {
    std::copy(px.begin(), px.end(), line + 3 * static_cast<std::size_t>(x));
  });
  if (!smoothEnds) return;
  // SmoothPixel ignores positions outside the bitmap; keep them in int.
  if (a - 1 >= 0) SmoothPixel(bitmap, static_cast<int>(a - 1), row);
  if (b + 1 < bitmap.Width()) SmoothPixel(bitmap, static_cast<int>(b + 1), row);
}

void InterpolateColumn(TBitmap& bitmap, int column, int y1, TColor c1, int y2, TColor c2, bool smoothEnds) {
  Require24Bit(bitmap);
  if (column < 0 || column >= bitmap.Width()) return;
  std::int64_t a = y1;
  std::int64_t b = y2;
  if (b < a) std::swap(a, b);
  Ramp(a, b, c1, c2, bitmap.Height(), [&bitmap, column](int y, const std::array<std::uint8_t, 3>& px) {
    std::copy(px.begin(), px.end(), bitmap.ScanLine(y) + 3 * static_cast<std::size_t>(column));
  });
  if (!smoothEnds) return;
  if (a - 1 >= 0) SmoothPixel(bitmap, column, static_cast<int>(a - 1));
  if (b + 1 < bitmap.Height()) SmoothPixel(bitmap, column, static_cast<int>(b + 1));
}

}  // namespace kroma
