// Compiled once for every vector instruction set Highway knows on this
// processor family; HWY_DYNAMIC_DISPATCH picks the best at run time. The
// plain loops after each vector loop handle the last few pixels and are
// the formulas the vector code must match.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "effects/PixelKernels.cpp"
#include <hwy/foreach_target.h>  // must come before highway.h
#include <hwy/highway.h>

#include <algorithm>
#include <cstdint>

#include "effects/PixelKernels.h"

#ifndef KROMA_PIXEL_KERNELS_SCALAR
#define KROMA_PIXEL_KERNELS_SCALAR
namespace kroma::kernels::scalar {

inline std::uint8_t Gray(const std::uint8_t* p) {
  const int s = 30 * p[0] + 59 * p[1] + 11 * p[2];
  int q = s / 100;
  const int r = s % 100;
  if (r > 50 || (r == 50 && (q & 1))) ++q;
  return static_cast<std::uint8_t>(q);
}

// Amounts beyond this saturate every channel that differs from the grey:
// |trunc(a d / 255)| >= 256 for |d| >= 1. Clamping to it changes no result
// and keeps a * d exact in 32-bit integers and in single precision.
constexpr int kSaturationLimit = 255 * 256;

inline int SaturationAmount(int amount) { return std::clamp(amount, -kSaturationLimit, kSaturationLimit); }

inline void Saturate(std::uint8_t* p, int amount) {
  const int g = (p[0] + p[1] + p[2]) / 3;
  for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>(std::clamp(g + amount * (p[c] - g) / 255, 0, 255));
}

// threshold < sum / 3 exactly when sum > 3 threshold + 2; sums lie in
// 0 .. 765, so the limit is clamped to -1 .. 765.
inline int SolarizeLimit(int threshold) {
  return static_cast<int>(std::clamp<std::int64_t>(3 * std::int64_t{threshold} + 2, -1, 765));
}

}  // namespace kroma::kernels::scalar
#endif

HWY_BEFORE_NAMESPACE();
namespace kroma::kernels::HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

void MapBytesImpl(const std::uint8_t* src, std::uint8_t* dst, std::size_t count, const TByteTable& table) {
#if HWY_TARGET == HWY_SCALAR
  // One lane: no sixteen-byte lookups.
  for (std::size_t i = 0; i < count; ++i) dst[i] = table[src[i]];
#else
  // Sixteen lookups of sixteen entries: the high nibble picks the part of
  // the table, the low nibble the entry in it.
  const hn::ScalableTag<std::uint8_t> d;
  using V = hn::Vec<decltype(d)>;
  V parts[16];
  for (int h = 0; h < 16; ++h) parts[h] = hn::LoadDup128(d, table.data() + 16 * h);
  const V lowMask = hn::Set(d, 0x0F), highMask = hn::Set(d, 0xF0);
  const std::size_t n = hn::Lanes(d);
  std::size_t i = 0;
  for (; i + n <= count; i += n) {
    const V v = hn::LoadU(d, src + i);
    const V low = hn::And(v, lowMask), high = hn::And(v, highMask);
    V out = hn::TableLookupBytes(parts[0], low);
    for (int h = 1; h < 16; ++h)
      out = hn::IfThenElse(hn::Eq(high, hn::Set(d, static_cast<std::uint8_t>(h << 4))),
                           hn::TableLookupBytes(parts[h], low), out);
    hn::StoreU(out, d, dst + i);
  }
  for (; i < count; ++i) dst[i] = table[src[i]];
#endif
}

void GrayPixelsImpl(std::uint8_t* bgr, std::size_t pixels) {
  const hn::ScalableTag<std::uint16_t> d16;
  const hn::RebindToSigned<decltype(d16)> di16;
  const hn::Rebind<std::uint8_t, decltype(d16)> d8;
  const std::size_t n = hn::Lanes(d16);
  std::size_t i = 0;
  for (; i + n <= pixels; i += n) {
    std::uint8_t* p = bgr + 3 * i;
    hn::Vec<decltype(d8)> b, g, r;
    hn::LoadInterleaved3(d8, p, b, g, r);
    const auto s = hn::Add(hn::Add(hn::Mul(hn::PromoteTo(d16, b), hn::Set(d16, 30)),
                                   hn::Mul(hn::PromoteTo(d16, g), hn::Set(d16, 59))),
                           hn::Mul(hn::PromoteTo(d16, r), hn::Set(d16, 11)));
    // s / 100 for s <= 25500: (s * 41944) >> 22.
    const auto q = hn::ShiftRight<6>(hn::MulHigh(s, hn::Set(d16, 41944)));
    // Signed from here: every value is below 32768.
    const auto qs = hn::BitCast(di16, q);
    const auto rest = hn::BitCast(di16, hn::Sub(s, hn::Mul(q, hn::Set(d16, 100))));
    const auto odd = hn::Eq(hn::And(qs, hn::Set(di16, 1)), hn::Set(di16, 1));
    const auto up = hn::Or(hn::Gt(rest, hn::Set(di16, 50)), hn::And(hn::Eq(rest, hn::Set(di16, 50)), odd));
    const auto y = hn::DemoteTo(d8, hn::IfThenElse(up, hn::Add(qs, hn::Set(di16, 1)), qs));
    hn::StoreInterleaved3(y, y, y, d8, p);
  }
  for (; i < pixels; ++i) {
    std::uint8_t* p = bgr + 3 * i;
    p[0] = p[1] = p[2] = scalar::Gray(p);
  }
}

void SaturatePixelsImpl(std::uint8_t* bgr, std::size_t pixels, int amount) {
  amount = scalar::SaturationAmount(amount);
  // All in 16-bit lanes. With amount = 255 A + B (|B| < 255, both parts of
  // the sign of the amount), a d / 255 = A d + B d / 255 with both terms of
  // one sign, so trunc(a d / 255) = A d + trunc(B d / 255). |B d| fits 16
  // unsigned bits; A d saturates where it does not fit, and then so does
  // the result.
  const int partA = amount / 255, partB = amount - 255 * partA;
  const hn::ScalableTag<std::int16_t> d16;
  const hn::RebindToUnsigned<decltype(d16)> du16;
  const hn::Rebind<std::uint8_t, decltype(d16)> d8;
  const auto vA = hn::Set(d16, static_cast<std::int16_t>(partA));
  const auto vB = hn::Set(du16, static_cast<std::uint16_t>(partB < 0 ? -partB : partB));
  const auto zero = hn::Zero(d16);
  const auto most = hn::Set(d16, 32767), least = hn::Set(d16, -32768);
  const std::size_t n = hn::Lanes(d16);
  std::size_t i = 0;
  for (; i + n <= pixels; i += n) {
    std::uint8_t* p = bgr + 3 * i;
    hn::Vec<decltype(d8)> c8[3];
    hn::LoadInterleaved3(d8, p, c8[0], c8[1], c8[2]);
    hn::Vec<decltype(d16)> c[3];
    for (int k = 0; k < 3; ++k) c[k] = hn::PromoteTo(d16, c8[k]);
    // (B + G + R) / 3 for sums up to 765: (s * 43691) >> 17.
    const auto sum = hn::BitCast(du16, hn::Add(hn::Add(c[0], c[1]), c[2]));
    const auto grey = hn::BitCast(d16, hn::ShiftRight<1>(hn::MulHigh(sum, hn::Set(du16, 43691))));
    for (int k = 0; k < 3; ++k) {
      const auto d = hn::Sub(c[k], grey);
      // |B d| / 255 for |B d| <= 64770: (u * 32897) >> 23.
      const auto u = hn::Mul(hn::BitCast(du16, hn::Abs(d)), vB);
      const auto t = hn::BitCast(d16, hn::ShiftRight<7>(hn::MulHigh(u, hn::Set(du16, 32897))));
      const auto negative = partB >= 0 ? hn::Lt(d, zero) : hn::Gt(d, zero);
      const auto partial = hn::IfThenElse(negative, hn::Neg(t), t);
      const auto low = hn::Mul(vA, d), high = hn::MulHigh(vA, d);
      const auto overflow = hn::Ne(high, hn::ShiftRight<15>(low));
      const auto whole = hn::IfThenElse(overflow, hn::IfThenElse(hn::Lt(high, zero), least, most), low);
      c8[k] = hn::DemoteTo(d8, hn::SaturatedAdd(grey, hn::SaturatedAdd(whole, partial)));
    }
    hn::StoreInterleaved3(c8[0], c8[1], c8[2], d8, p);
  }
  for (; i < pixels; ++i) scalar::Saturate(bgr + 3 * i, amount);
}

void SolarizePixelsImpl(const std::uint8_t* src, std::uint8_t* dst, std::size_t pixels, int threshold) {
  const int limit = scalar::SolarizeLimit(threshold);
  const hn::ScalableTag<std::int16_t> d16;
  const hn::Rebind<std::uint8_t, decltype(d16)> d8;
  const auto lim = hn::Set(d16, static_cast<std::int16_t>(limit));
  const auto ones = hn::Set(d16, 0xFF);
  const std::size_t n = hn::Lanes(d16);
  std::size_t i = 0;
  for (; i + n <= pixels; i += n) {
    hn::Vec<decltype(d8)> b8, g8, r8;
    hn::LoadInterleaved3(d8, src + 3 * i, b8, g8, r8);
    const auto b = hn::PromoteTo(d16, b8), g = hn::PromoteTo(d16, g8), r = hn::PromoteTo(d16, r8);
    const auto invert = hn::Gt(hn::Add(hn::Add(b, g), r), lim);
    const auto flip = hn::IfThenElseZero(invert, ones);
    hn::StoreInterleaved3(hn::DemoteTo(d8, hn::Xor(b, flip)), hn::DemoteTo(d8, hn::Xor(g, flip)),
                          hn::DemoteTo(d8, hn::Xor(r, flip)), d8, dst + 3 * i);
  }
  for (; i < pixels; ++i) {
    const std::uint8_t* s = src + 3 * i;
    std::uint8_t* o = dst + 3 * i;
    const bool invert = s[0] + s[1] + s[2] > limit;
    for (int c = 0; c < 3; ++c) o[c] = invert ? static_cast<std::uint8_t>(255 - s[c]) : s[c];
  }
}

}  // namespace kroma::kernels::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace kroma::kernels {

HWY_EXPORT(MapBytesImpl);
HWY_EXPORT(GrayPixelsImpl);
HWY_EXPORT(SaturatePixelsImpl);
HWY_EXPORT(SolarizePixelsImpl);

void MapBytes(const std::uint8_t* src, std::uint8_t* dst, std::size_t count, const TByteTable& table) {
  HWY_DYNAMIC_DISPATCH(MapBytesImpl)(src, dst, count, table);
}

void GrayPixels(std::uint8_t* bgr, std::size_t pixels) { HWY_DYNAMIC_DISPATCH(GrayPixelsImpl)(bgr, pixels); }

void SaturatePixels(std::uint8_t* bgr, std::size_t pixels, int amount) {
  HWY_DYNAMIC_DISPATCH(SaturatePixelsImpl)(bgr, pixels, amount);
}

void SolarizePixels(const std::uint8_t* src, std::uint8_t* dst, std::size_t pixels, int threshold) {
  HWY_DYNAMIC_DISPATCH(SolarizePixelsImpl)(src, dst, pixels, threshold);
}

}  // namespace kroma::kernels
#endif
