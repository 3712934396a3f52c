#include "effects/MaskBlend.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "core/Bitmap.h"
#include "core/Error.h"
#include "core/Numeric.h"
#include "effects/FilterSupport.h"
#include "effects/PixelHelpers.h"

namespace kroma {

void MaskBlend(const TBitmap& background, const TBitmap& image, const TBitmap& mask, int offset, double factor,
               TBitmap& dest) {
  if (!std::isfinite(factor)) throw Error("Mask blend: the factor must be a finite number");
  // Private copies of whatever the destination is about to overwrite.
  TBitmap imageCopy, maskCopy;
  const TBitmap& img = &image == &dest ? (imageCopy = image) : image;
  const TBitmap& msk = &mask == &dest ? (maskCopy = mask) : mask;
  if (&background != &dest) dest = background;
  if (img.Width() != msk.Width() || img.Height() != msk.Height()) return;
  detail::Ensure24Bit(dest);

  TBitmap imageScratch, maskScratch;
  const TBitmap& fore = detail::View24Bit(img, imageScratch);
  const TBitmap* mask8 = &msk;
  if (msk.PixelFormat() != pf8bit) {
    maskScratch = msk;
    maskScratch.SetPixelFormat(pf8bit);
    mask8 = &maskScratch;
  }
  // Weights of the image (b) and of the background (1 - b) per mask byte.
  std::array<double, 256> imageWeight{}, backWeight{};
  for (int m = 0; m < 256; ++m) {
    const double b = factor * static_cast<double>(std::int64_t{offset} + m) / 255.0;
    imageWeight[static_cast<std::size_t>(m)] = b;
    backWeight[static_cast<std::size_t>(m)] = 1.0 - b;
  }
  const int width = std::min(dest.Width(), fore.Width());
  const int height = std::min(dest.Height(), fore.Height());
  detail::RunRowBands(detail::PlanRowBands(height, width, dest.RowsPerBand()), [&](int y0, int y1) {
    for (int y = y0; y < y1; ++y) {
      std::uint8_t* d = dest.ScanLine(y);
      const std::uint8_t* f = fore.ScanLine(y);
      const std::uint8_t* m = mask8->ScanLine(y);
      for (int x = 0; x < width; ++x, d += 3, f += 3) {
        const double b = imageWeight[m[x]], a = backWeight[m[x]];
        for (int c = 0; c < 3; ++c) d[c] = ClampByte(SaturateRound(a * d[c] + b * f[c]));
      }
    }
  });
}

}  // namespace kroma
