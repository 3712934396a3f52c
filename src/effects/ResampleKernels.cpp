// Compiled once for every vector instruction set Highway knows on this
// processor family; HWY_DYNAMIC_DISPATCH picks the best at run time.
//
// The horizontal pass puts one source row in each lane: the rows are
// turned into floats laid out column by column, so that every term of a
// sum is one broadcast weight times one plain vector load, and the terms
// are added in list order exactly as the single-row formula adds them.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "effects/ResampleKernels.cpp"
#include <hwy/foreach_target.h>  // must come before highway.h
#include <hwy/highway.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "effects/ResampleKernels.h"

#ifndef KROMA_RESAMPLE_KERNELS_SCALAR
#define KROMA_RESAMPLE_KERNELS_SCALAR
namespace kroma::kernels::scalar {

// Round to even of a value already clamped to 0 .. 255.
inline std::uint8_t ClampRound(float v) {
  const float c = std::min(std::max(v, 0.0f), 255.0f);
  return static_cast<std::uint8_t>(std::nearbyint(c));
}

}  // namespace kroma::kernels::scalar
#endif

HWY_BEFORE_NAMESPACE();
namespace kroma::kernels::HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// Adding and taking away 2^23 rounds a value of 0 .. 255 to even.
constexpr float kRoundingBias = 8388608.0f;

void ResampleRowsHorizontalImpl(const std::uint8_t* const* rows, std::uint8_t* const* out, int count,
                                int sourceWidth, const TFlatContributors& columns, TResampleScratch& scratch) {
  const hn::ScalableTag<float> df;
  const hn::RebindToSigned<decltype(df)> di;
  const hn::Rebind<std::uint8_t, decltype(df)> d8;
  const std::size_t n = hn::Lanes(df);
  const int targetWidth = columns.Size();
  const std::size_t sourceValues = static_cast<std::size_t>(sourceWidth) * 3;
  const std::size_t targetValues = static_cast<std::size_t>(targetWidth) * 3;
  scratch.Columns.resize(sourceValues * n);
  scratch.Results.resize(targetValues * n);
  float* columnsOf = scratch.Columns.data();
  std::uint8_t* results = scratch.Results.data();
  const auto zero = hn::Zero(df), top = hn::Set(df, 255.0f), bias = hn::Set(df, kRoundingBias);
  const int* start = columns.Start.data();
  const int* index = columns.Index.data();
  const float* weight = columns.Weight.data();

  for (int first = 0; first < count; first += static_cast<int>(n)) {
    const int lanes = std::min(static_cast<int>(n), count - first);
    // Value v of lane r at columnsOf[v * n + r]; spare lanes repeat the
    // last row and are not written out.
    for (std::size_t r = 0; r < n; ++r) {
      const std::uint8_t* src = rows[first + std::min(static_cast<int>(r), lanes - 1)];
      for (std::size_t v = 0; v < sourceValues; ++v) columnsOf[v * n + r] = static_cast<float>(src[v]);
    }
    for (int i = 0; i < targetWidth; ++i) {
      auto b = zero, g = zero, r = zero;
      for (int k = start[i]; k < start[i + 1]; ++k) {
        const auto w = hn::Set(df, weight[k]);
        const float* p = columnsOf + static_cast<std::size_t>(index[k]) * 3 * n;
        b = hn::Add(b, hn::Mul(w, hn::LoadU(df, p)));
        g = hn::Add(g, hn::Mul(w, hn::LoadU(df, p + n)));
        r = hn::Add(r, hn::Mul(w, hn::LoadU(df, p + 2 * n)));
      }
      std::uint8_t* o = results + static_cast<std::size_t>(i) * 3 * n;
      auto store = [&](auto sum, std::uint8_t* to) {
        const auto c = hn::Min(hn::Max(sum, zero), top);
        hn::StoreU(hn::DemoteTo(d8, hn::ConvertTo(di, hn::Sub(hn::Add(c, bias), bias))), d8, to);
      };
      store(b, o);
      store(g, o + n);
      store(r, o + 2 * n);
    }
    for (int lane = 0; lane < lanes; ++lane) {
      std::uint8_t* dst = out[first + lane];
      for (std::size_t v = 0; v < targetValues; ++v) dst[v] = results[v * n + static_cast<std::size_t>(lane)];
    }
  }
}

void WeightRowImpl(float* acc, const std::uint8_t* row, float weight, std::size_t count, bool first) {
  const hn::ScalableTag<float> df;
  const hn::RebindToSigned<decltype(df)> di;
  const hn::Rebind<std::uint8_t, decltype(df)> d8;
  const std::size_t n = hn::Lanes(df);
  const auto w = hn::Set(df, weight);
  std::size_t x = 0;
  if (first) {
    for (; x + n <= count; x += n)
      hn::StoreU(hn::Mul(w, hn::ConvertTo(df, hn::PromoteTo(di, hn::LoadU(d8, row + x)))), df, acc + x);
    for (; x < count; ++x) acc[x] = weight * static_cast<float>(row[x]);
  } else {
    for (; x + n <= count; x += n) {
      const auto term = hn::Mul(w, hn::ConvertTo(df, hn::PromoteTo(di, hn::LoadU(d8, row + x))));
      hn::StoreU(hn::Add(hn::LoadU(df, acc + x), term), df, acc + x);
    }
    for (; x < count; ++x) acc[x] = acc[x] + weight * static_cast<float>(row[x]);
  }
}

void StoreClampedRowImpl(const float* acc, std::uint8_t* out, std::size_t count) {
  const hn::ScalableTag<float> df;
  const hn::RebindToSigned<decltype(df)> di;
  const hn::Rebind<std::uint8_t, decltype(df)> d8;
  const std::size_t n = hn::Lanes(df);
  const auto zero = hn::Zero(df), top = hn::Set(df, 255.0f), bias = hn::Set(df, kRoundingBias);
  std::size_t x = 0;
  for (; x + n <= count; x += n) {
    const auto c = hn::Min(hn::Max(hn::LoadU(df, acc + x), zero), top);
    hn::StoreU(hn::DemoteTo(d8, hn::ConvertTo(di, hn::Sub(hn::Add(c, bias), bias))), d8, out + x);
  }
  for (; x < count; ++x) out[x] = scalar::ClampRound(acc[x]);
}

}  // namespace kroma::kernels::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace kroma::kernels {

HWY_EXPORT(ResampleRowsHorizontalImpl);
HWY_EXPORT(WeightRowImpl);
HWY_EXPORT(StoreClampedRowImpl);

void ResampleRowsHorizontal(const std::uint8_t* const* rows, std::uint8_t* const* out, int count, int sourceWidth,
                            const TFlatContributors& columns, TResampleScratch& scratch) {
  if (count <= 0 || columns.Size() <= 0) return;
  HWY_DYNAMIC_DISPATCH(ResampleRowsHorizontalImpl)(rows, out, count, sourceWidth, columns, scratch);
}

void WeightRow(float* acc, const std::uint8_t* row, float weight, std::size_t n, bool first) {
  HWY_DYNAMIC_DISPATCH(WeightRowImpl)(acc, row, weight, n, first);
}

void StoreClampedRow(const float* acc, std::uint8_t* out, std::size_t n) {
  HWY_DYNAMIC_DISPATCH(StoreClampedRowImpl)(acc, out, n);
}

}  // namespace kroma::kernels
#endif
