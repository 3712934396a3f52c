// Tone and colour effects of the paint effects component: noise, the
// routines that are plain filters under another name, and the blend of two
// images.
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/Bitmap.h"
#include "core/Error.h"
#include "core/Numeric.h"
#include "core/Random.h"
#include "effects/FilterSupport.h"
#include "effects/PaintFX.h"
#include "effects/PaintSupport.h"
#include "effects/PixelHelpers.h"
#include "effects/SmoothFilters.h"
#include "effects/ToneFilters.h"

namespace kroma {
namespace {

// Adds draw() - amount div 2 to every byte, row by row and byte by byte, so
// that the draws follow the pixels in order (blue, green, red). The order of
// the draws makes this single-threaded.
template <typename Draw>
void AddNoise(TBitmap& bitmap, int amount, Draw draw) {
  detail::Ensure24Bit(bitmap);
  if (amount <= 1) return;
  const std::int64_t half = amount / 2;
  const int width = bitmap.Width();
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::uint8_t* p = bitmap.ScanLine(y);
    for (int x = 0; x < width; ++x, p += 3) draw(p, half);
  }
}

}  // namespace

void TkelPaintFX::AddColorNoise(TBitmap& bitmap, int amount) {
  AddNoise(bitmap, amount, [amount](std::uint8_t* p, std::int64_t half) {
    for (int c = 0; c < 3; ++c) p[c] = ClampByte(Random(amount) + p[c] - half);
  });
}

void TkelPaintFX::AddMonoNoise(TBitmap& bitmap, int amount) {
  AddNoise(bitmap, amount, [amount](std::uint8_t* p, std::int64_t half) {
    const std::int64_t n = Random(amount) - half;
    for (int c = 0; c < 3; ++c) p[c] = ClampByte(p[c] + n);
  });
}

void TkelPaintFX::AntiAlias(TBitmap& bitmap) { FxAntiAlias(bitmap); }

void TkelPaintFX::AntiAliasRect(TBitmap& bitmap, int x1, int y1, int x2, int y2) {
  FxAntiAliasRect(bitmap, x1, y1, x2, y2);
}

void TkelPaintFX::Contrast(TBitmap& bitmap, int amount) { FxContrast(bitmap, amount); }
void TkelPaintFX::Lightness(TBitmap& bitmap, int amount) { FxLighter(bitmap, amount); }
void TkelPaintFX::Darkness(TBitmap& bitmap, int amount) { FxDarker(bitmap, amount); }
void TkelPaintFX::Saturation(TBitmap& bitmap, int amount) { FxSaturation(bitmap, amount); }
void TkelPaintFX::GaussianBlur(TBitmap& bitmap, int passes) { FxBlur(bitmap, passes); }
void TkelPaintFX::SplitBlur(TBitmap& bitmap, int distance) { FxSplitBlur(bitmap, distance); }
void TkelPaintFX::Emboss(TBitmap& bitmap) { FxEmboss(bitmap); }

void TkelPaintFX::Solarize(const TBitmap& source, TBitmap& target, int threshold) {
  FxSolarize(source, target, threshold);
}

void TkelPaintFX::Posterize(const TBitmap& source, TBitmap& target, int step) { FxPosterize(source, target, step); }

void TkelPaintFX::Blend(const TBitmap& source, const TBitmap& second, double factor, TBitmap& target) {
  if (second.Width() != source.Width() || second.Height() != source.Height())
    throw Error("Blend: the two images differ in size");
  if (!std::isfinite(factor)) throw Error("Blend: the factor is not a finite number");
  // Copies (which share their rows) keep both inputs intact when the target
  // is one of them.
  TBitmap firstCopy = source, otherCopy = second;
  firstCopy.SetPixelFormat(pf24bit);
  otherCopy.SetPixelFormat(pf24bit);
  const TBitmap& first = firstCopy;
  const TBitmap& other = otherCopy;
  detail::ShapeTarget(target, first.Width(), first.Height());
  if (target.Empty()) return;

  // Every result is one of 256 x 256 byte pairs: (1 - f) a + f b, rounded
  // half to even and clamped (a factor outside 0 .. 1 can leave the byte
  // range), looked up as table[a * 256 + b].
  std::array<double, 256> fromFirst{}, fromOther{};
  for (int v = 0; v < 256; ++v) {
    fromFirst[static_cast<std::size_t>(v)] = (1.0 - factor) * v;
    fromOther[static_cast<std::size_t>(v)] = factor * v;
  }
  std::vector<std::uint8_t> table(256 * 256);
  for (std::size_t a = 0; a < 256; ++a)
    for (std::size_t b = 0; b < 256; ++b) table[a * 256 + b] = ClampByte(SaturateRound(fromFirst[a] + fromOther[b]));

  const std::size_t n = detail::RowBytes(target);
  detail::ForEachRowBand(target, target.Width(), [&](int y0, int y1) {
    for (int y = y0; y < y1; ++y) {
      std::uint8_t* d = target.ScanLine(y);
      const std::uint8_t* a = first.ScanLine(y);
      const std::uint8_t* b = other.ScanLine(y);
      for (std::size_t i = 0; i < n; ++i) d[i] = table[std::size_t{a[i]} * 256 + b[i]];
    }
  });
}

}  // namespace kroma
