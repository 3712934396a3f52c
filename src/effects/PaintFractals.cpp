// The standard 16 colours and the Mandelbrot and Julia renderings of the
// paint effects component.
#include <algorithm>
#include <array>
#include <cstdint>

#include "core/Bitmap.h"
#include "core/Numeric.h"
#include "core/Types.h"
#include "effects/FilterSupport.h"
#include "effects/PaintFX.h"

namespace kroma {
namespace {

constexpr std::array<TColor, 15> kVgaColors = {
    clBlack, clNavy, clGreen, clAqua,  clRed,     clPurple, clMaroon, clSilver,
    clGray,  clBlue, clLime,  clOlive, clFuchsia, clTeal,   clYellow,
};

// The most steps an orbit is followed, so that the work per pixel stays
// bounded whatever depth is asked for.
constexpr int kMaxDepth = 1 << 16;

}  // namespace

TColor VgaColor(int index) {
  return index >= 0 && index < static_cast<int>(kVgaColors.size()) ? kVgaColors[static_cast<std::size_t>(index)]
                                                                   : clWhite;
}

void TkelPaintFX::MandelJulia(TBitmap& bitmap, int depth, bool mandelbrot, double y1, double x1, double y0, double x0) {
  detail::Ensure24Bit(bitmap);
  if (bitmap.Empty()) return;
  const int width = bitmap.Width(), height = bitmap.Height();
  const int n = std::clamp(depth, 16, kMaxDepth);
  const double dx = (x1 - x0) / width, dy = (y1 - y0) / height;
  const double stepsPerColor = n / 16.0;
  // Blue, green, red of every colour an orbit can get: index 0 .. 16 by its
  // escape step, 17 for an orbit that stays (black).
  std::array<std::array<std::uint8_t, 3>, 18> colors{};
  for (int i = 0; i < 18; ++i) {
    const TColor c = i == 17 ? VgaColor(0) : VgaColor(i);
    colors[static_cast<std::size_t>(i)] = {GetBValue(c), GetGValue(c), GetRValue(c)};
  }
  detail::ForEachRowBand(bitmap, std::int64_t{width} * 16, [&](int ya, int yb) {
    for (int y = ya; y < yb; ++y) {
      const double q = y0 + y * dy;
      std::uint8_t* p = bitmap.ScanLine(y);
      for (int x = 0; x < width; ++x, p += 3) {
        const double pr = x0 + x * dx;
        double kr = 0, ki = 1, zr = pr, zi = q;
        if (mandelbrot) {
          kr = pr;
          ki = q;
          zr = zi = 0;
        }
        // |z|^2 is tested one step late: it is taken before z moves on.
        int j = 0;
        double s = 0;
        while (j <= n && s < 4) {
          s = zr * zr + zi * zi;
          const double nextR = zr * zr - zi * zi + kr;
          zi = 2 * zr * zi + ki;
          zr = nextR;
          ++j;
        }
        // (j - 1) / (n / 16) lies in 0 .. 16 for j <= n.
        const int index = j <= n ? RoundToInt((j - 1) / stepsPerColor, "fractal colour") : 17;
        const auto& bgr = colors[static_cast<std::size_t>(index)];
        p[0] = bgr[0];
        p[1] = bgr[1];
        p[2] = bgr[2];
      }
    }
  });
}

}  // namespace kroma
