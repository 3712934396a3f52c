#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/Bitmap.h"
#include "effects/FilterSupport.h"
#include "effects/PixelHelpers.h"

namespace kroma {
namespace {

// A copy of the image with two replicated pixels on every side, so that the
// 5 x 5 neighbourhood of any pixel needs no clamping. Row(y)[3 * x + c] is
// valid for y in -2 .. height + 1 and x in -2 .. width + 1.
class PaddedCopy {
 public:
  explicit PaddedCopy(const TBitmap& image)
      : width_(image.Width()), height_(image.Height()), stride_((static_cast<std::size_t>(width_) + 4) * 3) {
    bytes_.resize(stride_ * (static_cast<std::size_t>(height_) + 4));
    detail::ForEachRowBand(height_ + 4, width_, [&](int y0, int y1) {
      for (int py = y0; py < y1; ++py) {
        const std::uint8_t* src = image.ScanLine(std::clamp(py - 2, 0, height_ - 1));
        std::uint8_t* dst = bytes_.data() + stride_ * static_cast<std::size_t>(py);
        std::memcpy(dst + 6, src, static_cast<std::size_t>(width_) * 3);
        const std::uint8_t* last = src + (static_cast<std::size_t>(width_) - 1) * 3;
        for (int k = 0; k < 2; ++k) {
          std::memcpy(dst + 3 * k, src, 3);
          std::memcpy(dst + 6 + (static_cast<std::size_t>(width_) + k) * 3, last, 3);
        }
      }
    });
  }
  const std::uint8_t* Row(int y) const { return bytes_.data() + stride_ * static_cast<std::size_t>(y + 2) + 6; }
  std::size_t Stride() const { return stride_; }

 private:
  int width_;
  int height_;
  std::size_t stride_;
  std::vector<std::uint8_t> bytes_;
};

// Ring = the 5 x 5 box minus the 3 x 3 box. Column sums over five and
// three rows are kept as running sums down each band; per pixel only the
// horizontal window sums remain.
void ConvolveRing(const PaddedCopy& work, TBitmap& out) {
  const int width = out.Width();
  const std::size_t n = work.Stride();  // column sums cover the padding too
  detail::ForEachRowBand(out.Height(), std::int64_t{width} * 16, [&](int y0, int y1) {
    std::vector<int> sum5(n, 0), sum3(n, 0);
    for (int j = -2; j <= 2; ++j) {
      const std::uint8_t* row = work.Row(y0 + j) - 6;
      for (std::size_t i = 0; i < n; ++i) sum5[i] += row[i];
      if (j >= -1 && j <= 1)
        for (std::size_t i = 0; i < n; ++i) sum3[i] += row[i];
    }
    for (int y = y0; y < y1; ++y) {
      std::uint8_t* dst = out.ScanLine(y);
      const int* s5 = sum5.data() + 6;
      const int* s3 = sum3.data() + 6;
      for (int i = 0; i < width * 3; ++i) {
        int box5 = s5[i - 6] + s5[i - 3] + s5[i] + s5[i + 3] + s5[i + 6];
        int box3 = s3[i - 3] + s3[i] + s3[i + 3];
        dst[i] = static_cast<std::uint8_t>((box5 - box3) >> 4);  // 16 samples, never negative
      }
      if (y + 1 < y1) {
        const std::uint8_t* add5 = work.Row(y + 3) - 6;
        const std::uint8_t* sub5 = work.Row(y - 2) - 6;
        const std::uint8_t* add3 = work.Row(y + 2) - 6;
        const std::uint8_t* sub3 = work.Row(y - 1) - 6;
        for (std::size_t i = 0; i < n; ++i) {
          sum5[i] += add5[i] - sub5[i];
          sum3[i] += add3[i] - sub3[i];
        }
      }
    }
  });
}

// Any kernel: one multiply-add sweep along the row per non-zero
// coefficient. Acc is 32 bit when no sum can overflow it, else 64 bit.
template <typename Acc>
void ConvolveGeneral(const PaddedCopy& work, TBitmap& out, const TKernel5x5& kernel, std::int64_t divisor) {
  const int width = out.Width();
  const std::size_t n = static_cast<std::size_t>(width) * 3;
  const Acc d = static_cast<Acc>(divisor);  // |divisor| <= sum of |coefficients|, so it fits
  detail::ForEachRowBand(out.Height(), std::int64_t{width} * 75, [&](int y0, int y1) {
    std::vector<Acc> acc(n);
    for (int y = y0; y < y1; ++y) {
      std::fill(acc.begin(), acc.end(), Acc{0});
      for (int j = 0; j < 5; ++j) {
        const std::uint8_t* row = work.Row(y + j - 2);
        for (int i = 0; i < 5; ++i) {
          const Acc k = kernel[static_cast<std::size_t>(j * 5 + i)];
          if (k == 0) continue;
          const std::uint8_t* src = row + (i - 2) * 3;
          for (std::size_t b = 0; b < n; ++b) acc[b] += k * src[b];
        }
      }
      std::uint8_t* dst = out.ScanLine(y);
      for (std::size_t b = 0; b < n; ++b) dst[b] = ClampByte(acc[b] / d);
    }
  });
}

}  // namespace

void Convolve5x5(TBitmap& bitmap, const TKernel5x5& kernel) {
  detail::Ensure24Bit(bitmap);
  if (bitmap.Empty()) return;
  std::int64_t divisor = 0;
  std::int64_t magnitude = 0;
  for (int k : kernel) {
    divisor += k;
    magnitude += std::llabs(k);
  }
  if (divisor == 0) divisor = 1;
  const PaddedCopy work(bitmap);
  if (kernel == RingKernel) {
    ConvolveRing(work, bitmap);
  } else if (magnitude * 255 <= INT32_MAX) {
    ConvolveGeneral<std::int32_t>(work, bitmap, kernel, divisor);
  } else {
    ConvolveGeneral<std::int64_t>(work, bitmap, kernel, divisor);
  }
}

}  // namespace kroma
