// The displacement effects: Plasma moves pixels by offsets that a map's
// blue byte picks, HeightMap moves bright pixels up.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/Bitmap.h"
#include "core/Numeric.h"
#include "effects/FilterSupport.h"
#include "effects/PaintFX.h"
#include "effects/PaintWarpSupport.h"

namespace kroma {
namespace {

// An offset that is no number (or infinite) reaches no pixel.
constexpr std::int64_t kNowhere = std::int64_t{1} << 40;

std::int64_t Offset(float v) { return std::isfinite(v) ? SaturateRound(v) : kNowhere; }

}  // namespace

void TkelPaintFX::Plasma(const TBitmap& source, const TBitmap& map, double turbulence, double amount, TBitmap& target) {
  if (source.Empty() || map.Width() != source.Width() || map.Height() != source.Height() ||
      target.Width() != source.Width() || target.Height() != source.Height())
    return;
  // a >= 10 and b >= 5; a number that is none counts as below.
  const float a = detail::ToFloat(turbulence >= 10.0 ? turbulence : 10.0);
  const float b = detail::ToFloat(amount >= 5.0 ? amount : 5.0);
  std::array<std::int64_t, 256> dx{}, dy{};
  for (int v = 0; v < 256; ++v) {
    const float angle = static_cast<float>(v) / a;
    dx[static_cast<std::size_t>(v)] = Offset(-b * std::sin(angle));
    dy[static_cast<std::size_t>(v)] = Offset(b * std::cos(angle));
  }

  TBitmap sourceScratch, mapScratch;
  const TBitmap& src = detail::WarpSource(source, target, sourceScratch);
  const TBitmap& heights = detail::WarpSource(map, target, mapScratch);
  detail::Ensure24Bit(target);
  const int width = src.Width(), height = src.Height();
  std::vector<const std::uint8_t*> in(static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) in[static_cast<std::size_t>(y)] = src.ScanLine(y);

  // Every target pixel depends only on the source and the map, which no
  // band writes: the rows can go to several threads.
  detail::ForEachRowBand(target, std::int64_t{width} * 4, [&](int y0, int y1) {
    for (int y = y0; y < y1; ++y) {
      const std::uint8_t* blue = heights.ScanLine(y);
      std::uint8_t* out = nullptr;  // fetched once the row is written at all
      for (int x = 0; x < width; ++x) {
        const std::uint8_t v = blue[std::int64_t{x} * 3];
        const std::int64_t sx = x + dx[v], sy = y + dy[v];
        if (sx < 0 || sx >= width || sy < 0 || sy >= height) continue;
        if (out == nullptr) out = target.ScanLine(y);
        std::memcpy(out + std::int64_t{x} * 3, in[static_cast<std::size_t>(sy)] + sx * 3, 3);
      }
    }
  });
}

void TkelPaintFX::HeightMap(TBitmap& bitmap, int amount) {
  // Amount 0 moves nothing; a negative amount is taken as 0.
  if (amount <= 0 || bitmap.Empty()) return;
  detail::Ensure24Bit(bitmap);
  // Rows up for every channel sum: Round((B + G + R) / 3 / 255 * a).
  const auto a = static_cast<float>(amount);
  std::array<int, 766> rise{};
  for (int sum = 0; sum < 766; ++sum)
    rise[static_cast<std::size_t>(sum)] = SaturateRound(static_cast<float>(sum) / 3.0f / 255.0f * a);

  const TBitmap copy = bitmap;
  const int width = bitmap.Width(), height = bitmap.Height();
  std::vector<std::uint8_t*> out(static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) out[static_cast<std::size_t>(y)] = bitmap.ScanLine(y);
  // Top to bottom: where two pixels land on one, the lower source wins.
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* in = copy.ScanLine(y);
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* p = in + std::int64_t{x} * 3;
      const std::int64_t ty = std::int64_t{y} - rise[static_cast<std::size_t>(p[0] + p[1] + p[2])];
      if (ty >= 0) std::memcpy(out[static_cast<std::size_t>(ty)] + std::int64_t{x} * 3, p, 3);
    }
  }
}

}  // namespace kroma
