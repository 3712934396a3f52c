#include "effects/Resample.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "core/Bitmap.h"
#include "core/Error.h"
#include "core/Numeric.h"
#include "effects/FilterSupport.h"
#include "effects/FilterThreads.h"
#include "effects/ResampleKernels.h"

namespace kroma {
namespace {

using kernels::TFlatContributors;

// Contributor entries and intermediate bytes beyond these are refused:
// such a resize (a picture of millions of pixels squeezed into a few) would
// take gigabytes for lists no picture needs.
constexpr double kMaxContributors = double{1 << 26};
constexpr double kMaxIntermediateBytes = double{1 << 30};

std::string SizeText(int w, int h) { return std::to_string(w) + " x " + std::to_string(h); }

float ScaleOf(int sourceSize, int targetSize) {
  if (sourceSize == 1 || targetSize == 1) return static_cast<float>(targetSize) / static_cast<float>(sourceSize);
  return static_cast<float>(targetSize - 1) / static_cast<float>(sourceSize - 1);
}

// The reach of a kernel around each target position, in source pixels.
float ReachOf(float scale, float support) { return scale >= 1.0f ? support : support / scale; }

int MirrorIndex(int j, int size) {
  if (j < 0) j = -j;
  if (j >= size) j = 2 * size - 1 - j;
  return std::clamp(j, 0, size - 1);
}

TFlatContributors Flatten(const std::vector<TContributorList>& lists) {
  TFlatContributors flat;
  flat.Start.reserve(lists.size() + 1);
  flat.Start.push_back(0);
  for (const TContributorList& list : lists) {
    for (const TContributor& c : list) {
      flat.Index.push_back(c.Index);
      flat.Weight.push_back(c.Weight);
    }
    flat.Start.push_back(static_cast<int>(flat.Index.size()));
  }
  return flat;
}

// Source rows the horizontal pass has produced, in blocks of rows that are
// computed together. A block lives in slot (block mod slots); with at least
// as many slots as one target row's contributors touch, each block is
// computed about once while the target rows advance.
class THorizontalRows {
 public:
  static constexpr int kBlockRows = 16;

  THorizontalRows(const TBitmap& source, const TFlatContributors& columns, int spanRows)
      : source_(source), columns_(columns), rowBytes_(static_cast<std::size_t>(columns.Size()) * 3) {
    slots_ = (spanRows + kBlockRows - 1) / kBlockRows + 1;
    const int blocks = (source.Height() + kBlockRows - 1) / kBlockRows;
    slots_ = std::min(slots_, blocks);
    tags_.assign(static_cast<std::size_t>(slots_), -1);
    data_.resize(static_cast<std::size_t>(slots_) * kBlockRows * rowBytes_);
  }

  const std::uint8_t* Row(int y) {
    const int block = y / kBlockRows;
    const auto slot = static_cast<std::size_t>(block % slots_);
    std::uint8_t* base = data_.data() + slot * kBlockRows * rowBytes_;
    if (tags_[slot] != block) {
      const int y0 = block * kBlockRows;
      const int count = std::min(kBlockRows, source_.Height() - y0);
      const std::uint8_t* in[kBlockRows];
      std::uint8_t* out[kBlockRows];
      for (int r = 0; r < count; ++r) {
        in[r] = source_.ScanLine(y0 + r);
        out[r] = base + static_cast<std::size_t>(r) * rowBytes_;
      }
      kernels::ResampleRowsHorizontal(in, out, count, source_.Width(), columns_, scratch_);
      tags_[slot] = block;
    }
    return base + static_cast<std::size_t>(y % kBlockRows) * rowBytes_;
  }

 private:
  const TBitmap& source_;
  const TFlatContributors& columns_;
  std::size_t rowBytes_;
  int slots_ = 1;
  std::vector<int> tags_;
  std::vector<std::uint8_t> data_;
  kernels::TResampleScratch scratch_;
};

// The bytes after a row's pixels, which a bitmap for overwriting leaves
// undefined.
void ClearPadding(const TBitmap& bitmap, std::uint8_t* row) {
  const std::size_t used = static_cast<std::size_t>(bitmap.Width()) * 3;
  std::memset(row + used, 0, static_cast<std::size_t>(bitmap.Stride()) - used);
}

// The most source rows one target row of [y0, y1) reaches.
int SpanOf(const TFlatContributors& rows, int y0, int y1) {
  int span = 1;
  for (int j = y0; j < y1; ++j) {
    const int from = rows.Start[static_cast<std::size_t>(j)], to = rows.Start[static_cast<std::size_t>(j) + 1];
    if (from == to) continue;
    const auto [lo, hi] = std::minmax_element(rows.Index.begin() + from, rows.Index.begin() + to);
    span = std::max(span, *hi - *lo + 1);
  }
  return span;
}

}  // namespace

std::vector<TContributorList> ResampleContributors(int sourceSize, int targetSize, TResampleKernel filter,
                                                   float support) {
  std::vector<TContributorList> lists(static_cast<std::size_t>(std::max(targetSize, 0)));
  if (sourceSize <= 0 || targetSize <= 0) return lists;
  const float scale = ScaleOf(sourceSize, targetSize);
  const float reach = ReachOf(scale, support);
  const bool enlarging = scale >= 1.0f;
  for (int i = 0; i < targetSize; ++i) {
    const float center = static_cast<float>(i) / scale;
    const int left = SaturateFloor(center - reach);
    const int right = SaturateCeil(center + reach);
    TContributorList& list = lists[static_cast<std::size_t>(i)];
    for (int j = left; j <= right; ++j) {
      const float offset = center - static_cast<float>(j);
      const float weight = enlarging ? filter(offset) : filter(offset * scale) * scale;
      if (weight == 0.0f) continue;
      list.push_back({MirrorIndex(j, sourceSize), weight});
    }
  }
  return lists;
}

void Resample(const TBitmap& source, TBitmap& target, TResampleKernel filter, float support) {
  const int sw = source.Width(), sh = source.Height();
  if (sw <= 0 || sh <= 0) throw Error("Source bitmap too small");
  const int dw = target.Width(), dh = target.Height();
  if (dw <= 0 || dh <= 0) {
    target.SetPixelFormat(pf24bit);
    return;
  }
  // Refuse before building anything: lists of about 2 reach + 1 entries
  // per target position, and target-wide rows for one target row's reach.
  const float xReach = ReachOf(ScaleOf(sw, dw), support), yReach = ReachOf(ScaleOf(sh, dh), support);
  const double entries = (2.0 * xReach + 3.0) * dw + (2.0 * yReach + 3.0) * dh;
  const double rowBytes = (2.0 * yReach + 3.0 + THorizontalRows::kBlockRows) * dw * 3.0;
  if (!(entries <= kMaxContributors) || !(rowBytes * FilterThreadCount() <= kMaxIntermediateBytes))
    throw Error("Resampling " + SizeText(sw, sh) + " pixels to " + SizeText(dw, dh) + " needs too much memory");

  TBitmap scratch;
  const TBitmap& src = detail::View24Bit(source, scratch);
  const TFlatContributors columns = Flatten(ResampleContributors(sw, dw, filter, support));
  const TFlatContributors rows = Flatten(ResampleContributors(sh, dh, filter, support));

  TBitmap result = TBitmap::ForOverwrite(dw, dh);
  const std::size_t values = static_cast<std::size_t>(dw) * 3;
  // Work per target row: its vertical terms and its share of the horizontal ones.
  const std::int64_t workPerRow =
      static_cast<std::int64_t>(values) * (1 + static_cast<std::int64_t>(rows.Index.size() + columns.Index.size()) / dh);
  detail::ForEachRowBand(result, workPerRow, [&](int y0, int y1) {
    THorizontalRows horizontal(src, columns, SpanOf(rows, y0, y1));
    std::vector<float> acc(values);
    for (int j = y0; j < y1; ++j) {
      const int from = rows.Start[static_cast<std::size_t>(j)], to = rows.Start[static_cast<std::size_t>(j) + 1];
      if (from == to) std::fill(acc.begin(), acc.end(), 0.0f);
      for (int k = from; k < to; ++k)
        kernels::WeightRow(acc.data(), horizontal.Row(rows.Index[static_cast<std::size_t>(k)]),
                           rows.Weight[static_cast<std::size_t>(k)], values, k == from);
      std::uint8_t* out = result.ScanLine(j);
      kernels::StoreClampedRow(acc.data(), out, values);
      ClearPadding(result, out);
    }
  });
  target.TakePixels(result);
}

void SmoothResize(const TBitmap& source, TBitmap& target) {
  const int sw = source.Width(), sh = source.Height();
  const int dw = target.Width(), dh = target.Height();
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
  TBitmap scratch;
  const TBitmap& src = detail::View24Bit(source, scratch);
  // 64-bit steps: (size - 1) * 32768 overflows 32 bits from 65537 pixels.
  const std::int64_t xstep = (std::int64_t{sw} - 1) * 32768 / dw;
  const std::int64_t ystep = (std::int64_t{sh} - 1) * 32768 / dh;
  // Per target column: the left source byte, the byte step to its right
  // neighbour (0 for a one-pixel-wide source) and the fraction.
  std::vector<std::int64_t> left(static_cast<std::size_t>(dw));
  std::vector<int> right(static_cast<std::size_t>(dw)), fraction(static_cast<std::size_t>(dw));
  for (int i = 0; i < dw; ++i) {
    const std::int64_t sx = i * xstep;
    left[static_cast<std::size_t>(i)] = (sx >> 15) * 3;
    right[static_cast<std::size_t>(i)] = sw > 1 ? 3 : 0;
    fraction[static_cast<std::size_t>(i)] = static_cast<int>(sx & 32767);
  }
  TBitmap result = TBitmap::ForOverwrite(dw, dh);
  detail::ForEachRowBand(result, std::int64_t{dw} * 12, [&](int y0, int y1) {
    for (int j = y0; j < y1; ++j) {
      const std::int64_t sy = j * ystep;
      const int top = static_cast<int>(sy >> 15);
      const int fy = static_cast<int>(sy & 32767);
      const std::uint8_t* t = src.ScanLine(top);
      const std::uint8_t* b = src.ScanLine(sh > 1 ? top + 1 : top);
      std::uint8_t* out = result.ScanLine(j);
      ClearPadding(result, out);
      for (int i = 0; i < dw; ++i, out += 3) {
        const auto u = static_cast<std::size_t>(i);
        const int fx = fraction[u];
        const int wTR = (fx * (32768 - fy)) >> 15;
        const int wTL = 32768 - fy - wTR;
        const int wBR = (fx * fy) >> 15;
        const int wBL = fy - wBR;
        const std::uint8_t* tl = t + left[u];
        const std::uint8_t* bl = b + left[u];
        const int step = right[u];
        for (int c = 0; c < 3; ++c)
          out[c] = static_cast<std::uint8_t>(
              (tl[c] * wTL + tl[step + c] * wTR + bl[c] * wBL + bl[step + c] * wBR) >> 15);
      }
    }
  });
  target.TakePixels(result);
}

TResizeShape SmartResizeShape(int width, int height, TSmartMode mode, int size) {
  if (size < 1) throw Error("A resize needs a size of at least 1 pixel, not " + std::to_string(size));
  if (width <= 0 || height <= 0) throw Error("Source bitmap too small");
  const double r = static_cast<double>(height) / width;
  auto fixWidth = [&] { return TResizeShape{size, std::max(1, SaturateRound(size * r))}; };
  auto fixHeight = [&] { return TResizeShape{std::max(1, SaturateRound(size / r)), size}; };
  switch (mode) {
    case TSmartMode::FixWidth: return fixWidth();
    case TSmartMode::FixHeight: return fixHeight();
    case TSmartMode::Square: break;
  }
  return r == 1.0 ? TResizeShape{size, size} : (r > 1.0 ? fixHeight() : fixWidth());
}

void SmartResize(const TBitmap& source, TBitmap& target, TSmartMode mode, int size) {
  const TResizeShape shape = SmartResizeShape(source.Width(), source.Height(), mode, size);
  TBitmap result(shape.Width, shape.Height);
  SmoothResize(source, result);
  if (mode == TSmartMode::Square) result.SetSize(size, size);
  target.TakePixels(result);
}

}  // namespace kroma
