#include <algorithm>
#include <cstdint>

#include "core/Bitmap.h"
#include "effects/FilterSupport.h"
#include "effects/SmoothFilters.h"

namespace kroma {

void FxAntiAliasRect(TBitmap& bitmap, int x1, int y1, int x2, int y2) {
  detail::Ensure24Bit(bitmap);
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  x1 = std::max(1, x1);
  y1 = std::max(1, y1);
  x2 = std::min(bitmap.Width() - 2, x2);
  y2 = std::min(bitmap.Height() - 2, y2);
  if (x1 > x2 || y1 > y2) return;
  // Sequential on purpose: "up" and "left" are the values this pass wrote.
  const int first = x1 * 3, last = x2 * 3 + 2;
  for (int y = y1; y <= y2; ++y) {
    const std::uint8_t* up = bitmap.ScanLine(y - 1);
    const std::uint8_t* down = bitmap.ScanLine(y + 1);
    std::uint8_t* row = bitmap.ScanLine(y);
    for (int i = first; i <= last; ++i)
      row[i] = static_cast<std::uint8_t>((up[i] + down[i] + row[i - 3] + row[i + 3]) >> 2);
  }
}

void FxAntiAlias(TBitmap& bitmap) { FxAntiAliasRect(bitmap, 0, 0, bitmap.Width(), bitmap.Height()); }

}  // namespace kroma
