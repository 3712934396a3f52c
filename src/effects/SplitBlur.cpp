#include <cstdint>
#include <cstring>

#include "core/Bitmap.h"
#include "core/Error.h"
#include "effects/FilterSupport.h"
#include "effects/SmoothFilters.h"

namespace kroma {
namespace {

constexpr int kBlurDistance = 3;

// The four samples of a pixel, as byte offsets of the left and right
// columns; rows come as pointers.
inline std::uint8_t Average4(const std::uint8_t* upper, const std::uint8_t* lower, int left, int right) {
  return static_cast<std::uint8_t>((upper[left] + lower[left] + upper[right] + lower[right]) >> 2);
}

// One pass in place, top to bottom and left to right, exactly as if each
// byte were computed and stored in turn. Returns whether any byte changed.
// Needs 0 < d < width and d < height.
bool SplitBlurPass(TBitmap& bitmap, int d) {
  const int width = bitmap.Width(), height = bitmap.Height();
  unsigned changed = 0;
  for (int y = 0; y < height; ++y) {
    const int upperY = y - d >= 0 ? y - d : y;
    const int lowerY = y + d < height ? y + d : height - y;
    std::uint8_t* row = bitmap.ScanLine(y);
    const std::uint8_t* upper = bitmap.ScanLine(upperY);
    const std::uint8_t* lower = bitmap.ScanLine(lowerY);
    const bool readsOwnRow = upperY == y || lowerY == y;
    // Columns near the edges, or every column when this row reads itself
    // (then the order of the stores matters).
    auto edgePixel = [&](int x) {
      const int left = (x - d >= 0 ? x - d : x) * 3;
      const int right = (x + d < width ? x + d : width - x) * 3;
      for (int c = 0; c < 3; ++c) {
        std::uint8_t v = Average4(upper + c, lower + c, left, right);
        changed |= static_cast<unsigned>(row[x * 3 + c] ^ v);
        row[x * 3 + c] = v;
      }
    };
    if (readsOwnRow) {
      for (int x = 0; x < width; ++x) edgePixel(x);
      continue;
    }
    const int innerEnd = width - d;  // x + d < width for x < innerEnd
    for (int x = 0; x < d && x < width; ++x) edgePixel(x);
    // Columns d .. width - d - 1: left = x - d, right = x + d. The row does
    // not read itself here, so this sweep has no order dependence.
    if (innerEnd > d) {
      const int begin = d * 3, end = innerEnd * 3, offset = d * 3;
      for (int i = begin; i < end; ++i) {
        std::uint8_t v = static_cast<std::uint8_t>(
            (upper[i - offset] + lower[i - offset] + upper[i + offset] + lower[i + offset]) >> 2);
        changed |= static_cast<unsigned>(row[i] ^ v);
        row[i] = v;
      }
    }
    for (int x = innerEnd > d ? innerEnd : d; x < width; ++x) edgePixel(x);
  }
  return changed != 0;
}

bool Blurrable(const TBitmap& bitmap, int d) { return d > 0 && d < bitmap.Width() && d < bitmap.Height(); }

}  // namespace

void FxSplitBlur(TBitmap& bitmap, int distance) {
  if (distance < 0) throw Error("Blur: the distance must not be negative");
  detail::Ensure24Bit(bitmap);
  if (Blurrable(bitmap, distance)) SplitBlurPass(bitmap, distance);
}

void FxBlur(TBitmap& bitmap, std::int64_t passes, const std::atomic<bool>* cancel) {
  detail::Ensure24Bit(bitmap);
  if (passes < 0 || !Blurrable(bitmap, kBlurDistance)) return;
  const std::uint64_t count = static_cast<std::uint64_t>(passes) + 1;
  if (!cancel) {
    for (std::uint64_t i = 0; i < count; ++i)
      if (!SplitBlurPass(bitmap, kBlurDistance)) break;
    return;
  }
  TBitmap work(bitmap);
  for (std::uint64_t i = 0; i < count; ++i) {
    if (cancel->load(std::memory_order_relaxed)) throw Error("Blur cancelled");
    if (!SplitBlurPass(work, kBlurDistance)) break;
  }
  for (int y = 0; y < bitmap.Height(); ++y) std::memcpy(bitmap.ScanLine(y), work.ScanLine(y), detail::RowBytes(work));
}

}  // namespace kroma
