// The ripples: pixels pushed down their columns by a sawtooth or by random
// offsets, rows from the bottom up, in place.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/Bitmap.h"
#include "core/Random.h"
#include "effects/FilterSupport.h"
#include "effects/PaintFX.h"
#include "effects/PaintWarpSupport.h"

namespace kroma {
namespace {

// The ripple height limited to 0 .. height div 2 (a negative one is 0).
int RippleHeight(const TBitmap& bitmap, int height) { return std::clamp(height, 0, bitmap.Height() / 2); }

// Rows height - a - 1 down to 0; pixel x of row y goes to row y + offset,
// where offset(x) gives the offsets 0 .. a of the row's pixels in turn,
// starting with 0 (and is called once after every pixel). Rows below y have
// moved already and only to rows below themselves, so row y is still
// unchanged when it is read: no copy is needed.
template <typename NextOffset>
void Ripple(TBitmap& bitmap, int a, NextOffset nextOffset) {
  detail::Ensure24Bit(bitmap);
  const int width = bitmap.Width(), height = bitmap.Height();
  std::vector<std::uint8_t*> rows(static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) rows[static_cast<std::size_t>(y)] = bitmap.ScanLine(y);
  for (int y = height - a - 1; y >= 0; --y) {
    const std::uint8_t* in = rows[static_cast<std::size_t>(y)];
    int o = 0;
    for (int x = 0; x < width; ++x) {
      if (o != 0) std::memcpy(rows[static_cast<std::size_t>(y + o)] + std::int64_t{x} * 3, in + std::int64_t{x} * 3, 3);
      o = nextOffset(o);
    }
  }
}

}  // namespace

void TkelPaintFX::RippleTooth(TBitmap& bitmap, int height) {
  if (bitmap.Empty()) return;
  const int a = RippleHeight(bitmap, height);
  if (a == 0) return;  // every offset is 0
  Ripple(bitmap, a, [a](int o) { return o + 1 > a ? 0 : o + 1; });
}

void TkelPaintFX::RippleRandom(TBitmap& bitmap, int height) {
  Randomize();
  detail::RippleFromGenerator(bitmap, height);
}

void detail::RippleFromGenerator(TBitmap& bitmap, int height) {
  if (bitmap.Empty()) return;
  const int a = RippleHeight(bitmap, height);
  // Random(a) after every pixel, also with a = 0 (which draws 0 each time):
  // the generator moves on by one draw per pixel visited.
  Ripple(bitmap, a, [a](int) { return Random(a); });
}

}  // namespace kroma
