#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

#include "core/Bitmap.h"
#include "effects/FilterSupport.h"
#include "effects/PixelHelpers.h"

namespace kroma {
namespace {

using detail::RowBand;

// A row with two replicated pixels on each side, so that the 5 x 5
// neighbourhood needs no column clamping: Padded + 3 * x + c is valid for
// x in -2 .. width + 1.
class PaddedRow {
 public:
  static std::size_t Bytes(int width) { return (static_cast<std::size_t>(width) + 4) * 3; }
  static void Fill(const std::uint8_t* row, int width, std::uint8_t* out) {
    const std::uint8_t* last = row + (static_cast<std::size_t>(width) - 1) * 3;
    for (int k = 0; k < 2; ++k) {
      std::memcpy(out + 3 * k, row, 3);
      std::memcpy(out + 6 + (static_cast<std::size_t>(width) + k) * 3, last, 3);
    }
    std::memcpy(out + 6, row, static_cast<std::size_t>(width) * 3);
  }
};

// The convolution works in place without copying the image: each band
// keeps the original rows it still needs in a small window. Rows of
// neighbouring bands (which other threads overwrite) are copied before the
// threads start.
class EdgeRows {
 public:
  EdgeRows(const TBitmap& image, const std::vector<RowBand>& bands) : width_(image.Width()) {
    const int height = image.Height();
    for (const RowBand& band : bands)
      for (int r : {band.y0 - 2, band.y0 - 1, band.y1, band.y1 + 1}) {
        const int c = std::clamp(r, 0, height - 1);
        if ((c >= band.y0 && c < band.y1) || rows_.count(c)) continue;
        std::vector<std::uint8_t>& copy = rows_[c];
        copy.resize(PaddedRow::Bytes(width_));
        PaddedRow::Fill(image.ScanLine(c), width_, copy.data());
      }
  }
  const std::uint8_t* Find(int c) const { return rows_.at(c).data(); }

 private:
  int width_;
  std::map<int, std::vector<std::uint8_t>> rows_;
};

// The original, padded rows around the band's current row. Row(r) must be
// asked for first before the band overwrites row r; the window then keeps
// it while the next seven rows are asked for. r may lie outside the image
// (clamped). The returned row holds pixel x at [3 * x] for x in -2 .. width + 1.
class BandWindow {
 public:
  BandWindow(const TBitmap& image, RowBand band, const EdgeRows& edges)
      : image_(image), band_(band), edges_(edges), bytes_(PaddedRow::Bytes(image.Width())),
        slots_(bytes_ * kSlots) {
    tags_.fill(kNone);
  }

  const std::uint8_t* Row(int r) {
    const std::size_t slot = static_cast<std::size_t>(r & (kSlots - 1));
    std::uint8_t* p = slots_.data() + slot * bytes_;
    if (tags_[slot] != r) {
      const int c = std::clamp(r, 0, image_.Height() - 1);
      if (c >= band_.y0 && c < band_.y1)
        PaddedRow::Fill(image_.ScanLine(c), image_.Width(), p);
      else
        std::memcpy(p, edges_.Find(c), bytes_);
      tags_[slot] = r;
    }
    return p + 6;
  }

 private:
  static constexpr int kSlots = 8;
  static constexpr int kNone = -1000000;  // no row: real tags are >= -2
  const TBitmap& image_;
  RowBand band_;
  const EdgeRows& edges_;
  std::size_t bytes_;
  std::vector<std::uint8_t> slots_;
  std::array<int, kSlots> tags_{};
};

// Ring = the 5 x 5 box minus the 3 x 3 box. Column sums over five and
// three rows are kept as running sums down each band; per pixel only the
// horizontal window sums remain. A 5 x 5 box of bytes is at most 6375, so
// 16-bit sums suffice (and vectorize twice as wide as int).
void ConvolveRing(TBitmap& image, RowBand band, const EdgeRows& edges) {
  BandWindow window(image, band, edges);
  const int rowBytes = image.Width() * 3;
  const std::size_t n = PaddedRow::Bytes(image.Width());  // the sums cover the padding too
  std::vector<std::uint16_t> sum5(n, 0), sum3(n, 0);
  auto add = [n](std::vector<std::uint16_t>& sum, const std::uint8_t* row, int sign) {
    row -= 6;
    for (std::size_t i = 0; i < n; ++i) sum[i] = static_cast<std::uint16_t>(sum[i] + sign * row[i]);
  };
  for (int j = -2; j <= 2; ++j) {
    const std::uint8_t* row = window.Row(band.y0 + j);
    add(sum5, row, 1);
    if (j >= -1 && j <= 1) add(sum3, row, 1);
  }
  for (int y = band.y0; y < band.y1; ++y) {
    // The row never overlaps the sums; saying so lets the loop vectorize.
    std::uint8_t* __restrict dst = image.ScanLine(y);
    const std::uint16_t* s5 = sum5.data() + 6;
    const std::uint16_t* s3 = sum3.data() + 6;
    for (int i = 0; i < rowBytes; ++i) {
      auto box5 = static_cast<std::uint16_t>(s5[i - 6] + s5[i - 3] + s5[i] + s5[i + 3] + s5[i + 6]);
      auto box3 = static_cast<std::uint16_t>(s3[i - 3] + s3[i] + s3[i + 3]);
      dst[i] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(box5 - box3) >> 4);  // 16 samples
    }
    if (y + 1 < band.y1) {
      add(sum5, window.Row(y + 3), 1);
      add(sum5, window.Row(y - 2), -1);
      add(sum3, window.Row(y + 2), 1);
      add(sum3, window.Row(y - 1), -1);
    }
  }
}

// Any kernel: one multiply-add sweep along the row per non-zero
// coefficient. Acc is 32 bit when no sum can overflow it, else 64 bit.
template <typename Acc>
void ConvolveGeneral(TBitmap& image, RowBand band, const EdgeRows& edges, const TKernel5x5& kernel, Acc divisor) {
  BandWindow window(image, band, edges);
  const std::size_t n = static_cast<std::size_t>(image.Width()) * 3;
  std::vector<Acc> acc(n);
  for (int y = band.y0; y < band.y1; ++y) {
    std::fill(acc.begin(), acc.end(), Acc{0});
    for (int j = 0; j < 5; ++j) {
      const std::uint8_t* row = window.Row(y + j - 2);
      for (int i = 0; i < 5; ++i) {
        const Acc k = kernel[static_cast<std::size_t>(j * 5 + i)];
        if (k == 0) continue;
        const std::uint8_t* src = row + (i - 2) * 3;
        for (std::size_t b = 0; b < n; ++b) acc[b] += k * src[b];
      }
    }
    std::uint8_t* dst = image.ScanLine(y);
    for (std::size_t b = 0; b < n; ++b) dst[b] = ClampByte(acc[b] / divisor);
  }
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
  const bool ring = kernel == RingKernel;
  const bool narrow = magnitude * 255 <= INT32_MAX;  // then |divisor| fits too
  const auto bands = detail::PlanRowBands(bitmap.Height(), std::int64_t{bitmap.Width()} * (ring ? 16 : 75), bitmap.RowsPerBand());
  const EdgeRows edges(bitmap, bands);
  detail::RunRowBands(bands, [&](int y0, int y1) {
    const RowBand band{y0, y1};
    if (ring)
      ConvolveRing(bitmap, band, edges);
    else if (narrow)
      ConvolveGeneral<std::int32_t>(bitmap, band, edges, kernel, static_cast<std::int32_t>(divisor));
    else
      ConvolveGeneral<std::int64_t>(bitmap, band, edges, kernel, divisor);
  });
}

}  // namespace kroma
