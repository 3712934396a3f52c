#include "editor/brushes/ColorBrush.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/Bitmap.h"
#include "core/Error.h"
#include "core/Numeric.h"
#include "core/RasterEllipse.h"

namespace kroma {
namespace {

using Table = std::array<std::uint8_t, 256>;

// rnd(v * num / den) for every byte v; the product is exact before the
// division, so halves stay halves (255 * 11 / 10 = 280.5 rounds to 280).
Table MakeTable(int num, int den, bool wrap) {
  Table t{};
  for (int v = 0; v < 256; ++v) {
    int n = RoundToInt(static_cast<double>(v * num) / den, "brush table");
    t[static_cast<std::size_t>(v)] = wrap ? static_cast<std::uint8_t>(n & 0xFF) : ClampToByte(n);
  }
  return t;
}

const Table& DarkerTable() {
  static const Table t = MakeTable(10, 11, false);
  return t;
}

// Burning wraps: 233 and more turn dark.
const Table& BurningTable() {
  static const Table t = MakeTable(11, 10, true);
  return t;
}

// n / 4 rounded to nearest, ties to even.
std::uint8_t QuarterRounded(int n) {
  int q = n >> 2;
  int rem = n & 3;
  if (rem > 2 || (rem == 2 && (q & 1))) ++q;
  return static_cast<std::uint8_t>(q);
}

// The modes that change one pixel from its own bytes (blue, green, red).
void ApplyPixelMode(TColorBrushMode mode, std::uint8_t* p) {
  switch (mode) {
    case cbBlue: p[1] = p[2] = 0; break;
    case cbGreen: p[0] = p[2] = 0; break;
    case cbRed: p[0] = p[1] = 0; break;
    case cbNotBlue: p[0] = 0; break;
    case cbNotGreen: p[1] = 0; break;
    case cbNotRed: p[2] = 0; break;
    case cbHalfBlue: p[0] = static_cast<std::uint8_t>(p[0] * 9 / 10); break;
    case cbHalfGreen: p[1] = static_cast<std::uint8_t>(p[1] * 9 / 10); break;
    case cbHalfRed: p[2] = static_cast<std::uint8_t>(p[2] * 9 / 10); break;
    case cbDarker:
      for (int k = 0; k < 3; ++k) p[k] = DarkerTable()[p[k]];
      break;
    case cbBurning:
      for (int k = 0; k < 3; ++k) p[k] = BurningTable()[p[k]];
      break;
    case cbGray: {
      // A sum of three bytes over 3 never ends in exactly one half.
      const int sum = p[0] + p[1] + p[2];
      p[0] = p[1] = p[2] = static_cast<std::uint8_t>((sum + 1) / 3);
      break;
    }
    case cbRollMix: {
      const std::uint8_t b = p[0];
      p[0] = p[1];
      p[1] = p[2];
      p[2] = b;
      break;
    }
    case cbSmooth: break;
  }
}

}  // namespace

int ColorBrushRadius(int penWidth) { return std::max(penWidth, 5); }

TRect PaintColorBrush(TBitmap& bitmap, TPoint at, TColorBrushMode mode, int r) {
  if (bitmap.PixelFormat() != pf24bit) throw Error("The colour brushes need a 24-bit image");
  if (mode < cbBlue || mode > cbSmooth) throw Error("Unknown colour brush mode " + std::to_string(mode));
  r = std::max(r, 1);
  // The brush square, in 64 bits: centres and radii may be any int.
  const TBox64 square{std::int64_t{at.x} - r, std::int64_t{at.y} - r, std::int64_t{at.x} + r,
                      std::int64_t{at.y} + r};
  // Smoothing reads one pixel around the image (white there); pixels
  // further out stay white and never reach the image.
  const std::int64_t margin = mode == cbSmooth ? 1 : 0;
  const std::int64_t left = std::max(square.left, -margin);
  const std::int64_t top = std::max(square.top, -margin);
  const std::int64_t right = std::min(square.right, bitmap.Width() + margin);
  const std::int64_t bottom = std::min(square.bottom, bitmap.Height() + margin);
  if (right <= left || bottom <= top) return {};
  const int w = static_cast<int>(right - left);
  const int h = static_cast<int>(bottom - top);

  // The work area: the image's pixels, white outside it.
  const std::size_t rowBytes = static_cast<std::size_t>(w) * 3;
  std::vector<std::uint8_t> work(rowBytes * static_cast<std::size_t>(h), 255);
  const int x0 = static_cast<int>(std::max<std::int64_t>(left, 0));
  const int x1 = static_cast<int>(std::min<std::int64_t>(right, bitmap.Width()));
  const int y0 = static_cast<int>(std::max<std::int64_t>(top, 0));
  const int y1 = static_cast<int>(std::min<std::int64_t>(bottom, bitmap.Height()));
  const auto at3 = [&](std::int64_t x, std::int64_t y) {
    return work.data() + static_cast<std::size_t>(y - top) * rowBytes + static_cast<std::size_t>(x - left) * 3;
  };
  for (int y = y0; y < y1; ++y)
    std::memcpy(at3(x0, y), bitmap.ScanLine(y) + 3 * static_cast<std::size_t>(x0),
                3 * static_cast<std::size_t>(x1 - x0));

  if (mode == cbSmooth) {
    static constexpr std::uint8_t kWhite[3] = {255, 255, 255};
    const auto read = [&](std::int64_t x, std::int64_t y) -> const std::uint8_t* {
      return (x < left || x >= right || y < top || y >= bottom) ? kWhite : at3(x, y);
    };
    for (std::int64_t y = top; y < bottom; ++y) {
      if (y - 1 < square.top || y + 1 >= square.bottom) continue;
      for (std::int64_t x = left; x < right; ++x) {
        if (x - 1 < square.left || x + 1 >= square.right) continue;
        const std::uint8_t* l = read(x - 1, y);
        const std::uint8_t* rr = read(x + 1, y);
        const std::uint8_t* a = read(x, y - 1);
        const std::uint8_t* b = read(x, y + 1);
        std::uint8_t* p = at3(x, y);
        for (int k = 0; k < 3; ++k) p[k] = QuarterRounded(l[k] + rr[k] + a[k] + b[k]);
      }
    }
  } else {
    for (std::size_t i = 0; i < work.size(); i += 3) ApplyPixelMode(mode, work.data() + i);
  }

  // Write back inside the circle; a pixel that came out white stays.
  const TBox64 circle{0, 0, 2 * std::int64_t{r} - 1, 2 * std::int64_t{r} - 1};
  TRect changed{};
  for (int y = y0; y < y1; ++y) {
    std::int64_t c0 = 0, c1 = 0;
    if (!EllipseRow(circle, y - square.top, c0, c1)) continue;
    const int from = static_cast<int>(std::max<std::int64_t>(x0, square.left + c0));
    const int to = static_cast<int>(std::min<std::int64_t>(x1, square.left + c1));
    if (from >= to) continue;
    std::uint8_t* dst = bitmap.ScanLine(y) + 3 * static_cast<std::size_t>(from);
    const std::uint8_t* src = at3(from, y);
    for (int x = from; x < to; ++x, dst += 3, src += 3)
      if (!(src[0] == 255 && src[1] == 255 && src[2] == 255)) std::memcpy(dst, src, 3);
    changed = Union(changed, TRect{from, y, to, y + 1});
  }
  return changed;
}

}  // namespace kroma
