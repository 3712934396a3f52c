#include <cstdint>

#include "core/Bitmap.h"
#include "effects/FilterSupport.h"
#include "effects/SmoothFilters.h"

namespace kroma {

void FxEmboss(TBitmap& bitmap) {
  detail::Ensure24Bit(bitmap);
  const int width = bitmap.Width(), height = bitmap.Height();
  if (width < 4 || height < 2) return;
  // Row y reads only itself and the row below, which is still unchanged
  // when row y is written, so each row is one independent sweep.
  const int n = (width - 3) * 3;
  for (int y = 0; y + 1 < height; ++y) {
    std::uint8_t* row = bitmap.ScanLine(y);
    const std::uint8_t* below = bitmap.ScanLine(y + 1) + 9;
    for (int i = 0; i < n; ++i) row[i] = static_cast<std::uint8_t>(((255 - below[i]) + row[i]) >> 1);
  }
}

}  // namespace kroma
