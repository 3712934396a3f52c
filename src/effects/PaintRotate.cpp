// SmoothRotate: the target sampled bilinearly from the source turned about
// a centre, in double precision, in row bands on every core.
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "core/Bitmap.h"
#include "core/Numeric.h"
#include "effects/FilterSupport.h"
#include "effects/PaintFX.h"
#include "effects/PaintWarpSupport.h"
#include "effects/PixelHelpers.h"

namespace kroma {

void TkelPaintFX::SmoothRotate(const TBitmap& source, TBitmap& target, int cx, int cy, double angle) {
  if (source.Empty() || target.Empty()) return;
  TBitmap scratch;
  const TBitmap& src = detail::WarpSource(source, target, scratch);
  detail::Ensure24Bit(target);

  const double theta = -angle * std::numbers::pi / 180.0;
  const double sn = std::sin(theta), cs = std::cos(theta);
  // An angle that is no number (or infinite) puts every position off the
  // source: every target pixel keeps its value.
  if (!std::isfinite(sn) || !std::isfinite(cs)) return;

  const int sw = src.Width(), sh = src.Height();
  const int tw = target.Width();
  // Integer division truncating toward zero, as the offsets are defined.
  const double ox = (tw - sw) / 2, oy = (target.Height() - sh) / 2;
  const double centreX = cx, centreY = cy;

  // Per column: cs * u and sn * u with u = 2 (i - cx) + 1 (exact in double).
  std::vector<double> csU(static_cast<std::size_t>(tw)), snU(csU.size());
  for (int i = 0; i < tw; ++i) {
    const double u = 2.0 * (static_cast<double>(i) - centreX) + 1.0;
    csU[static_cast<std::size_t>(i)] = cs * u;
    snU[static_cast<std::size_t>(i)] = sn * u;
  }
  std::vector<const std::uint8_t*> rows(static_cast<std::size_t>(sh));
  for (int y = 0; y < sh; ++y) rows[static_cast<std::size_t>(y)] = src.ScanLine(y);
  const double width = sw, height = sh;

  detail::ForEachRowBand(target, std::int64_t{tw} * 16, [&](int y0, int y1) {
    for (int j = y0; j < y1; ++j) {
      const double w = 2.0 * (static_cast<double>(j) - centreY) + 1.0;
      const double snW = sn * w, csW = cs * w;
      std::uint8_t* out = nullptr;  // fetched once the row is written at all
      for (int i = 0; i < tw; ++i) {
        const auto column = static_cast<std::size_t>(i);
        const double sx = ((csU[column] - snW - 1.0) / 2.0 + centreX) - ox;
        const double sy = ((snU[column] + csW - 1.0) / 2.0 + centreY) - oy;
        // Coverage: the nearest source pixel must exist (this also turns
        // away positions that are no numbers or far outside).
        if (!(sx > -1.0 && sx < width && sy > -1.0 && sy < height)) continue;
        const int nearX = SaturateRound(sx), nearY = SaturateRound(sy);
        if (nearX < 0 || nearX >= sw || nearY < 0 || nearY >= sh) continue;
        // Interpolation uses the lower neighbour, so every sample is a
        // weighted mean of its four neighbours (fractions in [0, 1)).
        const int floorX = SaturateFloor(sx), floorY = SaturateFloor(sy);
        const double fx = sx - floorX, fy = sy - floorY;
        const int x0 = TrimInt(floorX, 0, sw - 1), x1 = TrimInt(floorX + 1, 0, sw - 1);
        const int y0r = TrimInt(floorY, 0, sh - 1), y1r = TrimInt(floorY + 1, 0, sh - 1);
        const std::uint8_t* p00 = rows[static_cast<std::size_t>(y0r)] + std::int64_t{x0} * 3;
        const std::uint8_t* p10 = rows[static_cast<std::size_t>(y0r)] + std::int64_t{x1} * 3;
        const std::uint8_t* p01 = rows[static_cast<std::size_t>(y1r)] + std::int64_t{x0} * 3;
        const std::uint8_t* p11 = rows[static_cast<std::size_t>(y1r)] + std::int64_t{x1} * 3;
        if (out == nullptr) out = target.ScanLine(j);
        std::uint8_t* q = out + std::int64_t{i} * 3;
        for (int c = 0; c < 3; ++c) {
          const double top = p00[c] + fx * (p10[c] - p00[c]);
          const double bottom = p01[c] + fx * (p11[c] - p01[c]);
          q[c] = ClampByte(SaturateRound(top + fy * (bottom - top)));
        }
      }
    }
  });
}

}  // namespace kroma
