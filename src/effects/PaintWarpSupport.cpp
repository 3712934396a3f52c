#include "effects/PaintWarpSupport.h"

#include <cstring>

#include "core/Bitmap.h"

namespace kroma::detail {

const TBitmap& WarpSource(const TBitmap& source, const TBitmap& target, TBitmap& scratch) {
  if (&source != &target && source.PixelFormat() == pf24bit) return source;
  scratch = source;
  scratch.SetPixelFormat(pf24bit);
  return scratch;
}

void StretchRow(const std::uint8_t* source, int sourceCount, std::uint8_t* target, int targetCount) {
  if (sourceCount < 1 || targetCount < 1) return;
  if (sourceCount == targetCount) {
    std::memcpy(target, source, static_cast<std::size_t>(targetCount) * 3);
    return;
  }
  const std::int64_t m = sourceCount, n = targetCount;
  for (std::int64_t i = 0; i < n; ++i) {
    const std::int64_t j = (2 * i + 1) * m / (2 * n);
    std::memcpy(target + i * 3, source + j * 3, 3);
  }
}

}  // namespace kroma::detail
