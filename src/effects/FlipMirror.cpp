#include "effects/FlipMirror.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/Bitmap.h"
#include "effects/FilterSupport.h"

namespace kroma {

void FxFlipDown(TBitmap& bitmap) {
  detail::Ensure24Bit(bitmap);
  if (bitmap.Empty()) return;
  const int height = bitmap.Height();
  const std::size_t n = detail::RowBytes(bitmap);
  std::vector<std::uint8_t> spare(n);
  for (int y = 0; y < height / 2; ++y) {
    std::uint8_t* top = bitmap.ScanLine(y);
    std::uint8_t* bottom = bitmap.ScanLine(height - 1 - y);
    std::memcpy(spare.data(), top, n);
    std::memcpy(top, bottom, n);
    std::memcpy(bottom, spare.data(), n);
  }
}

void FxFlipRight(TBitmap& bitmap) {
  detail::Ensure24Bit(bitmap);
  const int width = bitmap.Width();
  if (width == 0) return;
  detail::ForEachRowBand(bitmap, width, [&](int y0, int y1) {
    for (int y = y0; y < y1; ++y) {
      std::uint8_t* left = bitmap.ScanLine(y);
      std::uint8_t* right = left + (width - 1) * 3;
      for (; left < right; left += 3, right -= 3) std::swap_ranges(left, left + 3, right);
    }
  });
}

// Row y is copied over row height - 1 - y for y = 0 .. height / 2. The
// last of those steps copies the middle row onto itself (odd heights) or
// a row onto its own fresh copy (even heights), so it is left out; the
// same holds for the columns of FxMirrorRight.
void FxMirrorDown(TBitmap& bitmap) {
  detail::Ensure24Bit(bitmap);
  if (bitmap.Empty()) return;
  const int height = bitmap.Height();
  const std::size_t n = detail::RowBytes(bitmap);
  for (int y = 0; y < height / 2; ++y) std::memcpy(bitmap.ScanLine(height - 1 - y), bitmap.ScanLine(y), n);
}

void FxMirrorRight(TBitmap& bitmap) {
  detail::Ensure24Bit(bitmap);
  const int width = bitmap.Width();
  detail::ForEachRowBand(bitmap, width, [&](int y0, int y1) {
    for (int y = y0; y < y1; ++y) {
      std::uint8_t* row = bitmap.ScanLine(y);
      for (int x = 0; x < width / 2; ++x) std::memcpy(row + (width - 1 - x) * 3, row + x * 3, 3);
    }
  });
}

}  // namespace kroma
