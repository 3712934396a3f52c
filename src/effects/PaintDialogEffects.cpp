// Two effects of the effects dialog that belong to the main window: the
// split light tone curve and the row shear.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <vector>

#include "core/Bitmap.h"
#include "core/Numeric.h"
#include "effects/FilterSupport.h"
#include "effects/PaintFX.h"
#include "effects/PixelKernels.h"

namespace kroma {

const std::uint8_t* SplitLightTable() {
  static const kernels::TByteTable table = [] {
    kernels::TByteTable t{};
    for (int i = 0; i < 256; ++i)
      t[static_cast<std::size_t>(i)] =
          static_cast<std::uint8_t>(RoundToInt(255.0 * std::sin(i / 255.0 * std::numbers::pi / 2.0), "split light"));
    return t;
  }();
  return table.data();
}

void SplitLight(TBitmap& bitmap, int times) {
  detail::Ensure24Bit(bitmap);
  if (times < 1) return;
  // The table applied `times` times over, as one table. It never lowers a
  // byte, so repeating it settles within 256 rounds; once a round changes
  // nothing, no later one does.
  const std::uint8_t* once = SplitLightTable();
  kernels::TByteTable table{};
  for (int v = 0; v < 256; ++v) table[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(v);
  for (int round = 0; round < times; ++round) {
    kernels::TByteTable next{};
    for (std::size_t v = 0; v < 256; ++v) next[v] = once[table[v]];
    if (next == table) break;
    table = next;
  }
  const std::size_t n = detail::RowBytes(bitmap);
  detail::ForEachRowBand(bitmap, bitmap.Width(), [&](int y0, int y1) {
    for (int y = y0; y < y1; ++y) {
      std::uint8_t* row = bitmap.ScanLine(y);
      kernels::MapBytes(row, row, n, table);
    }
  });
}

// Single precision, as the geometric filters compute. Each pixel lands in
// its own row, so rows are independent; within a row later pixels cover
// earlier ones that land on the same column.
void ShearRows(TBitmap& bitmap, int amount) {
  detail::Ensure24Bit(bitmap);
  if (bitmap.Empty()) return;
  const int width = bitmap.Width(), height = bitmap.Height();
  const float s = static_cast<float>(amount) / 100.0f;
  const float denominator = s * static_cast<float>(height) + static_cast<float>(width);
  if (!(denominator > 0.0f)) return;
  const float scale = static_cast<float>(width) / denominator;
  const std::size_t rowBytes = detail::RowBytes(bitmap);
  detail::ForEachRowBand(bitmap, width, [&](int y0, int y1) {
    std::vector<std::uint8_t> out(rowBytes);
    for (int y = y0; y < y1; ++y) {
      std::fill(out.begin(), out.end(), std::uint8_t{255});
      // Round(s y) is a whole number; adding the column to it is exact
      // integer arithmetic before the sum becomes a real again.
      const double shift = std::nearbyint(s * static_cast<float>(y));
      std::uint8_t* row = bitmap.ScanLine(y);
      for (int x = 0; x < width; ++x) {
        const float position = scale * static_cast<float>(shift + x);
        const int column = SaturateRound(position);
        // Negative amounts move pixels left of the image, and a tall image
        // can round its last pixels one column past the right edge.
        if (column < 0 || column >= width) continue;
        std::memcpy(&out[std::size_t{3} * static_cast<std::size_t>(column)], row + std::size_t{3} * x, 3);
      }
      std::memcpy(row, out.data(), rowBytes);
    }
  });
}

}  // namespace kroma
