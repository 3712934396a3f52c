// Compiled once for every vector instruction set Highway knows on this
// processor family; HWY_DYNAMIC_DISPATCH picks the best at run time. The
// plain functions in `scalar` are the formulas: they finish the last few
// pixels of a run, and the vector loops repeat their every step.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "effects/WarpKernels.cpp"
#include <hwy/foreach_target.h>  // must come before highway.h
#include <hwy/highway.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "effects/WarpKernels.h"

#ifndef KROMA_WARP_KERNELS_SCALAR
#define KROMA_WARP_KERNELS_SCALAR
namespace kroma::kernels::scalar {

// Far enough that no ordinary position is touched, near enough that
// Trunc and the wrap arithmetic stay inside int.
constexpr float kPositionLimit = 1073741824.0f;  // 2^30
// Adding and taking away 2^23 rounds a float below 2^23 to an integer in
// the current rounding mode (ties to even), as nearbyint does.
constexpr float kRoundingBias = 8388608.0f;

// Columns left of 0 wrap to size - (-i mod size) - 1, columns past the
// last to i mod size.
inline int Wrap(int i, int size) {
  if (i < 0) return size - (-i) % size - 1;
  if (i > size - 1) return i % size;
  return i;
}

// The weights of the two neighbours along one axis follow the sign of the
// position; i is its truncation.
inline void Weights(float f, int i, float w[2]) {
  const float fi = static_cast<float>(i);  // exact: i is a truncated float
  if (f >= 0.0f) {
    w[1] = f - fi;
    w[0] = 1.0f - w[1];
  } else {
    w[0] = fi - f;
    w[1] = 1.0f - w[0];
  }
}

// Round half even of a weighted sum, clamped to a byte; 0 for NaN.
inline std::uint8_t SumToByte(float s) {
  if (!(s > 0.0f)) return 0;
  if (s >= 256.0f) return 255;
  return static_cast<std::uint8_t>(std::min(static_cast<int>((s + kRoundingBias) - kRoundingBias), 255));
}

// Sample i of the run: its neighbours and weights.
inline void LocateOne(const TSampleSource& src, TSampleRun& run, std::size_t i) {
  float fx = run.fx[i], fy = run.fy[i];
  // A position that is not a number reads pixel 0 with weights that are
  // not numbers either, so that every sum is NaN, which gives 0.
  const bool nan = std::isnan(fx) || std::isnan(fy);
  if (nan) fx = fy = 0.0f;
  fx = std::clamp(fx, -kPositionLimit, kPositionLimit);
  fy = std::clamp(fy, -kPositionLimit, kPositionLimit);
  int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  float wx[2], wy[2];
  Weights(fx, ix, wx);
  Weights(fy, iy, wy);
  ix = Wrap(ix, src.width);
  iy = Wrap(iy, src.height);
  const int below = iy + 1 >= src.height ? src.height - iy - 1 : iy + 1;
  const int next = ix + 1 >= src.width ? src.width - ix - 1 : ix + 1;
  const auto stride = static_cast<std::int32_t>(src.stride);
  run.p00[i] = iy * stride + ix * 3;
  run.p01[i] = below * stride + ix * 3;
  run.p10[i] = iy * stride + next * 3;
  run.p11[i] = below * stride + next * 3;
  // The weight products first: their rounding is part of the result.
  run.w00[i] = wx[0] * wy[0];
  run.w01[i] = wx[0] * wy[1];
  run.w10[i] = wx[1] * wy[0];
  run.w11[i] = wx[1] * wy[1];
  if (nan) run.w00[i] = run.w01[i] = run.w10[i] = run.w11[i] = std::numeric_limits<float>::quiet_NaN();
}

// The sum in the order (x0 y0, x0 y1, x1 y0, x1 y1), rounded to a byte.
inline void BlendOne(const TSampleSource& src, const TSampleRun& run, std::size_t i, std::uint8_t* bgr) {
  const std::uint8_t* p = src.pixels;
  for (int c = 0; c < 3; ++c) {
    float sum = 0.0f;
    sum += run.w00[i] * static_cast<float>(p[run.p00[i] + c]);
    sum += run.w01[i] * static_cast<float>(p[run.p01[i] + c]);
    sum += run.w10[i] * static_cast<float>(p[run.p10[i] + c]);
    sum += run.w11[i] * static_cast<float>(p[run.p11[i] + c]);
    bgr[c] = SumToByte(sum);
  }
}

inline void FishEyeOne(const TLens& lens, float dx, float dx2, float dy, float dy2, float* fx, float* fy) {
  const float r = std::sqrt(dx2 + dy2);
  if (r == 0.0f) {
    *fx = lens.mx;
    *fy = lens.my;
    return;
  }
  // A pixel exactly on the lens edge (r = m, as for factor 0.55 on a
  // 100-pixel image) maps infinitely far out along its own direction; near
  // the edge positions grow without bound. Both are limited to a finite
  // range, so ordinary factors never fail.
  const float q = 1.0f - r / lens.m;
  const float nr = q == 0.0f ? std::numeric_limits<float>::infinity() : (1.0f / q - 1.0f) * lens.half;
  const float px = lens.mx + dx * nr / r, py = lens.my + dy * nr / r;
  // 0 * infinity: the pixel lies on an axis through the centre.
  *fx = std::isnan(px) ? lens.mx : std::clamp(px, -kPositionLimit, kPositionLimit);
  *fy = std::isnan(py) ? lens.my : std::clamp(py, -kPositionLimit, kPositionLimit);
}

}  // namespace kroma::kernels::scalar
#endif

HWY_BEFORE_NAMESPACE();
namespace kroma::kernels::HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

void LocateSamplesImpl(const TSampleSource& src, TSampleRun& run) {
  const hn::ScalableTag<float> df;
  const hn::RebindToSigned<decltype(df)> di;
  using VF = hn::Vec<decltype(df)>;
  using VI = hn::Vec<decltype(di)>;
  const VF limit = hn::Set(df, scalar::kPositionLimit), negLimit = hn::Set(df, -scalar::kPositionLimit);
  const VF zero = hn::Zero(df), one = hn::Set(df, 1.0f);
  const VF notANumber = hn::Set(df, std::numeric_limits<float>::quiet_NaN());
  const VI lastColumn = hn::Set(di, src.width - 1), lastRow = hn::Set(di, src.height - 1);
  const VI oneI = hn::Set(di, 1), three = hn::Set(di, 3);
  const VI stride = hn::Set(di, static_cast<std::int32_t>(src.stride));
  const std::size_t n = hn::Lanes(df);
  HWY_ALIGN std::int32_t spill[HWY_MAX_BYTES / sizeof(std::int32_t)];
  // The two weights along one axis (Weights in scalar).
  auto weights = [&](VF f, VF fi, VF& w0, VF& w1) {
    const auto positive = hn::Ge(f, zero);
    const VF up = hn::Sub(f, fi), down = hn::Sub(fi, f);
    w1 = hn::IfThenElse(positive, up, hn::Sub(one, down));
    w0 = hn::IfThenElse(positive, hn::Sub(one, up), down);
  };
  // Positions outside the picture wrap (rare): those lanes one by one.
  auto wrap = [&](VI v, VI last, int size) {
    if (hn::AllFalse(di, hn::Or(hn::Lt(v, hn::Zero(di)), hn::Gt(v, last)))) return v;
    hn::Store(v, di, spill);
    for (std::size_t k = 0; k < n; ++k) spill[k] = scalar::Wrap(spill[k], size);
    return hn::Load(di, spill);
  };
  std::size_t i = 0;
  for (; i + n <= run.count; i += n) {
    VF x = hn::LoadU(df, run.fx + i), y = hn::LoadU(df, run.fy + i);
    const auto nan = hn::Or(hn::IsNaN(x), hn::IsNaN(y));
    x = hn::Min(hn::Max(hn::IfThenZeroElse(nan, x), negLimit), limit);
    y = hn::Min(hn::Max(hn::IfThenZeroElse(nan, y), negLimit), limit);
    VI ix = hn::ConvertTo(di, x), iy = hn::ConvertTo(di, y);
    VF wx0, wx1, wy0, wy1;
    weights(x, hn::ConvertTo(df, ix), wx0, wx1);
    weights(y, hn::ConvertTo(df, iy), wy0, wy1);
    ix = wrap(ix, lastColumn, src.width);
    iy = wrap(iy, lastRow, src.height);
    const VI below = hn::IfThenElse(hn::Gt(hn::Add(iy, oneI), lastRow), hn::Sub(lastRow, iy), hn::Add(iy, oneI));
    const VI next = hn::IfThenElse(hn::Gt(hn::Add(ix, oneI), lastColumn), hn::Sub(lastColumn, ix), hn::Add(ix, oneI));
    const VI row0 = hn::Mul(iy, stride), row1 = hn::Mul(below, stride);
    const VI col0 = hn::Mul(ix, three), col1 = hn::Mul(next, three);
    const VI p00 = hn::Add(row0, col0), p01 = hn::Add(row1, col0);
    hn::StoreU(p00, di, run.p00 + i);
    hn::StoreU(p01, di, run.p01 + i);
    hn::StoreU(hn::Add(row0, col1), di, run.p10 + i);
    hn::StoreU(hn::Add(row1, col1), di, run.p11 + i);
    hn::StoreU(hn::IfThenElse(nan, notANumber, hn::Mul(wx0, wy0)), df, run.w00 + i);
    hn::StoreU(hn::IfThenElse(nan, notANumber, hn::Mul(wx0, wy1)), df, run.w01 + i);
    hn::StoreU(hn::IfThenElse(nan, notANumber, hn::Mul(wx1, wy0)), df, run.w10 + i);
    hn::StoreU(hn::IfThenElse(nan, notANumber, hn::Mul(wx1, wy1)), df, run.w11 + i);
  }
  for (; i < run.count; ++i) scalar::LocateOne(src, run, i);
  for (std::size_t k = 0; k < run.count; ++k) {
    __builtin_prefetch(src.pixels + run.p00[k]);
    __builtin_prefetch(src.pixels + run.p01[k]);
  }
}

void BlendSamplesImpl(const TSampleSource& src, const TSampleRun& run, std::uint8_t* bgr) {
  const hn::ScalableTag<float> df;
  const hn::RebindToSigned<decltype(df)> di;
  const hn::Rebind<std::uint8_t, decltype(df)> d8;
  const auto zero = hn::Zero(df), bias = hn::Set(df, scalar::kRoundingBias), top = hn::Set(df, 255.0f);
  const auto byte = hn::Set(di, 0xFF);
  const auto* base = reinterpret_cast<const std::int32_t*>(src.pixels);
  const std::size_t n = hn::Lanes(df);
  std::size_t i = 0;
  for (; i + n <= run.count; i += n) {
    // Four bytes from each neighbour: its three channels and one more.
    const auto p00 = hn::GatherOffset(di, base, hn::LoadU(di, run.p00 + i));
    const auto p01 = hn::GatherOffset(di, base, hn::LoadU(di, run.p01 + i));
    const auto p10 = hn::GatherOffset(di, base, hn::LoadU(di, run.p10 + i));
    const auto p11 = hn::GatherOffset(di, base, hn::LoadU(di, run.p11 + i));
    const auto w00 = hn::LoadU(df, run.w00 + i), w01 = hn::LoadU(df, run.w01 + i);
    const auto w10 = hn::LoadU(df, run.w10 + i), w11 = hn::LoadU(df, run.w11 + i);
    hn::Vec<decltype(d8)> out[3];
    for (int c = 0; c < 3; ++c) {
      auto channel = [&](auto p) { return hn::ConvertTo(df, hn::And(hn::ShiftRightSame(p, 8 * c), byte)); };
      auto sum = hn::Add(zero, hn::Mul(w00, channel(p00)));
      sum = hn::Add(sum, hn::Mul(w01, channel(p01)));
      sum = hn::Add(sum, hn::Mul(w10, channel(p10)));
      sum = hn::Add(sum, hn::Mul(w11, channel(p11)));
      // Not above 0, or not a number: 0.
      const auto rounded = hn::Min(hn::Sub(hn::Add(sum, bias), bias), top);
      out[c] = hn::DemoteTo(d8, hn::IfThenElseZero(hn::RebindMask(di, hn::Gt(sum, zero)), hn::ConvertTo(di, rounded)));
    }
    hn::StoreInterleaved3(out[0], out[1], out[2], d8, bgr + 3 * i);
  }
  for (; i < run.count; ++i) scalar::BlendOne(src, run, i, bgr + 3 * i);
}

void FishEyePositionsImpl(const TLens& lens, float dy, float dy2, const float* dx, const float* dx2, std::size_t count,
                          float* fx, float* fy) {
  const hn::ScalableTag<float> df;
  const auto mx = hn::Set(df, lens.mx), my = hn::Set(df, lens.my), m = hn::Set(df, lens.m);
  const auto half = hn::Set(df, lens.half), vdy = hn::Set(df, dy), vdy2 = hn::Set(df, dy2);
  const auto zero = hn::Zero(df), one = hn::Set(df, 1.0f);
  const auto far = hn::Set(df, std::numeric_limits<float>::infinity());
  const auto limit = hn::Set(df, scalar::kPositionLimit), negLimit = hn::Set(df, -scalar::kPositionLimit);
  const std::size_t n = hn::Lanes(df);
  std::size_t i = 0;
  for (; i + n <= count; i += n) {
    const auto vdx = hn::LoadU(df, dx + i);
    const auto r = hn::Sqrt(hn::Add(hn::LoadU(df, dx2 + i), vdy2));
    const auto q = hn::Sub(one, hn::Div(r, m));
    const auto nr = hn::IfThenElse(hn::Eq(q, zero), far, hn::Mul(hn::Sub(hn::Div(one, q), one), half));
    const auto px = hn::Add(mx, hn::Div(hn::Mul(vdx, nr), r));
    const auto py = hn::Add(my, hn::Div(hn::Mul(vdy, nr), r));
    const auto centre = hn::Eq(r, zero);
    const auto x = hn::IfThenElse(hn::IsNaN(px), mx, hn::Min(hn::Max(px, negLimit), limit));
    const auto y = hn::IfThenElse(hn::IsNaN(py), my, hn::Min(hn::Max(py, negLimit), limit));
    hn::StoreU(hn::IfThenElse(centre, mx, x), df, fx + i);
    hn::StoreU(hn::IfThenElse(centre, my, y), df, fy + i);
  }
  for (; i < count; ++i) scalar::FishEyeOne(lens, dx[i], dx2[i], dy, dy2, fx + i, fy + i);
}

void TwistDistancesImpl(float dy, float dy2, const float* dx, const float* dx2, float amount, std::size_t count,
                        float* r, float* slope, float* turn) {
  const hn::ScalableTag<float> df;
  const auto vdy = hn::Set(df, dy), vdy2 = hn::Set(df, dy2), a = hn::Set(df, amount);
  const std::size_t n = hn::Lanes(df);
  std::size_t i = 0;
  for (; i + n <= count; i += n) {
    const auto distance = hn::Sqrt(hn::Add(hn::LoadU(df, dx2 + i), vdy2));
    hn::StoreU(distance, df, r + i);
    hn::StoreU(hn::Div(vdy, hn::LoadU(df, dx + i)), df, slope + i);
    hn::StoreU(hn::Div(distance, a), df, turn + i);
  }
  for (; i < count; ++i) {
    r[i] = std::sqrt(dx2[i] + dy2);
    slope[i] = dy / dx[i];
    turn[i] = r[i] / amount;
  }
}

}  // namespace kroma::kernels::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace kroma::kernels {

HWY_EXPORT(LocateSamplesImpl);
HWY_EXPORT(BlendSamplesImpl);
HWY_EXPORT(FishEyePositionsImpl);
HWY_EXPORT(TwistDistancesImpl);

void LocateSamples(const TSampleSource& source, TSampleRun& run) { HWY_DYNAMIC_DISPATCH(LocateSamplesImpl)(source, run); }

void BlendSamples(const TSampleSource& source, const TSampleRun& run, std::uint8_t* bgr) {
  HWY_DYNAMIC_DISPATCH(BlendSamplesImpl)(source, run, bgr);
}

void FishEyePositions(const TLens& lens, float dy, float dy2, const float* dx, const float* dx2, std::size_t count,
                      float* fx, float* fy) {
  HWY_DYNAMIC_DISPATCH(FishEyePositionsImpl)(lens, dy, dy2, dx, dx2, count, fx, fy);
}

void TwistDistances(float dy, float dy2, const float* dx, const float* dx2, float amount, std::size_t count, float* r,
                    float* slope, float* turn) {
  HWY_DYNAMIC_DISPATCH(TwistDistancesImpl)(dy, dy2, dx, dx2, amount, count, r, slope, turn);
}

}  // namespace kroma::kernels
#endif
