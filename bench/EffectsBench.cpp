// In-process timings of the filters on a 4000 x 3000 photo-like image
// (smooth gradients plus noise). Filters that change their input run on
// the same image again each iteration: their cost does not depend on it.
// The fisheye factor is not 0.55: 0.55 * 4000 = 2200 exactly, and pixel
// (1320, 1760) from the centre lies exactly on the lens edge (an error).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "core/Bitmap.h"
#include "effects/FlipMirror.h"
#include "effects/MaskBlend.h"
#include "effects/PixelHelpers.h"
#include "effects/Resample.h"
#include "effects/ResampleFilters.h"
#include "effects/SmoothFilters.h"
#include "effects/ToneFilters.h"
#include "effects/Warps.h"

namespace {

using kroma::TBitmap;

const TBitmap& Photo() {
  static const TBitmap photo = [] {
    constexpr int kWidth = 4000, kHeight = 3000;
    TBitmap b(kWidth, kHeight);
    std::mt19937 rng(7);
    for (int y = 0; y < kHeight; ++y) {
      std::uint8_t* p = b.ScanLine(y);
      for (int x = 0; x < kWidth; ++x)
        for (int c = 0; c < 3; ++c) {
          double smooth = 128 + 70 * std::sin(x / 410.0 + c) + 40 * std::cos(y / 270.0 - 2 * c);
          int noise = static_cast<int>(rng() % 25) - 12;
          *p++ = kroma::ClampByte(static_cast<int>(smooth) + noise);
        }
    }
    return b;
  }();
  return photo;
}

template <typename Filter>
void InPlace(benchmark::State& state, Filter filter) {
  TBitmap image = Photo();
  for (auto _ : state) {
    filter(image);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * image.Width() * image.Height() * 3);
}

template <typename Filter>
void FromSource(benchmark::State& state, Filter filter) {
  const TBitmap& source = Photo();
  TBitmap dest = source;
  for (auto _ : state) {
    filter(source, dest);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * dest.Width() * dest.Height() * 3);
}

// What a per-byte filter is measured against: one copy of the pixels from
// one buffer to another, both already in memory.
void BM_CopyPixels(benchmark::State& state) {
  const TBitmap& photo = Photo();
  const auto bytes = static_cast<std::size_t>(photo.Stride()) * static_cast<std::size_t>(photo.Height());
  std::vector<std::uint8_t> from(bytes, 1), to(bytes, 2);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}

void BM_Invert(benchmark::State& s) { InPlace(s, kroma::FxInvert); }
void BM_GrayScale(benchmark::State& s) { InPlace(s, kroma::FxGrayScale); }
void BM_Lighter(benchmark::State& s) { InPlace(s, [](TBitmap& b) { kroma::FxLighter(b, 64); }); }
void BM_Darker(benchmark::State& s) { InPlace(s, [](TBitmap& b) { kroma::FxDarker(b, 64); }); }
void BM_Contrast(benchmark::State& s) { InPlace(s, [](TBitmap& b) { kroma::FxContrast(b, 64); }); }
void BM_Saturation(benchmark::State& s) { InPlace(s, [](TBitmap& b) { kroma::FxSaturation(b, 400); }); }
void BM_AntiAlias(benchmark::State& s) { InPlace(s, kroma::FxAntiAlias); }
void BM_Emboss(benchmark::State& s) { InPlace(s, kroma::FxEmboss); }
void BM_BlurOnePass(benchmark::State& s) { InPlace(s, [](TBitmap& b) { kroma::FxBlur(b, 0); }); }
void BM_ConvolveRing(benchmark::State& s) { InPlace(s, [](TBitmap& b) { kroma::Convolve5x5(b, kroma::RingKernel); }); }
void BM_ConvolveSharpen(benchmark::State& s) {
  kroma::TKernel5x5 k{};
  k[12] = 9;
  k[7] = k[11] = k[13] = k[17] = -2;
  InPlace(s, [&k](TBitmap& b) { kroma::Convolve5x5(b, k); });
}
void BM_FlipDown(benchmark::State& s) { InPlace(s, kroma::FxFlipDown); }
void BM_FlipRight(benchmark::State& s) { InPlace(s, kroma::FxFlipRight); }
void BM_MirrorRight(benchmark::State& s) { InPlace(s, kroma::FxMirrorRight); }
void BM_Solarize(benchmark::State& s) {
  FromSource(s, [](const TBitmap& a, TBitmap& b) { kroma::FxSolarize(a, b, 128); });
}
void BM_Posterize(benchmark::State& s) {
  FromSource(s, [](const TBitmap& a, TBitmap& b) { kroma::FxPosterize(a, b, 64); });
}
void BM_FishEye(benchmark::State& s) {
  FromSource(s, [](const TBitmap& a, TBitmap& b) { kroma::FxFishEye(a, b, 0.5501); });
}
void BM_Twist(benchmark::State& s) { FromSource(s, [](const TBitmap& a, TBitmap& b) { kroma::FxTwist(a, b, 300); }); }
void BM_MaskBlend(benchmark::State& s) {
  const TBitmap& photo = Photo();
  TBitmap mask(photo.Width(), photo.Height(), kroma::pf8bit);
  for (int y = 0; y < mask.Height(); ++y)
    for (int x = 0; x < mask.Width(); ++x) mask.ScanLine(y)[x] = static_cast<std::uint8_t>(x + y);
  TBitmap back(photo.Width(), photo.Height()), dest;
  for (auto _ : s) {
    kroma::MaskBlend(back, photo, mask, 0, 1.0, dest);
    benchmark::ClobberMemory();
  }
}

// Resizes of the photo by a factor given in quarters: 1 is a quarter, 8 double.
template <typename Resize>
void ResizeBy(benchmark::State& s, Resize resize) {
  const TBitmap& photo = Photo();
  const auto quarters = static_cast<int>(s.range(0));
  for (auto _ : s) {
    TBitmap target(photo.Width() * quarters / 4, photo.Height() * quarters / 4);
    resize(photo, target);
    benchmark::DoNotOptimize(target.ScanLine(0));
  }
}
void BM_ResampleMitchell(benchmark::State& s) {
  ResizeBy(s, [](const TBitmap& a, TBitmap& b) { kroma::Resample(a, b, kroma::MitchellFilter, 2.0f); });
}
void BM_ResampleLanczos3(benchmark::State& s) {
  ResizeBy(s, [](const TBitmap& a, TBitmap& b) { kroma::Resample(a, b, kroma::Lanczos3Filter, 3.0f); });
}
void BM_SmoothResize(benchmark::State& s) {
  ResizeBy(s, [](const TBitmap& a, TBitmap& b) { kroma::SmoothResize(a, b); });
}

}  // namespace

#define KROMA_FX_BENCH(name) BENCHMARK(name)->Unit(benchmark::kMillisecond)->UseRealTime()
KROMA_FX_BENCH(BM_CopyPixels);
KROMA_FX_BENCH(BM_Invert);
KROMA_FX_BENCH(BM_GrayScale);
KROMA_FX_BENCH(BM_Lighter);
KROMA_FX_BENCH(BM_Darker);
KROMA_FX_BENCH(BM_Contrast);
KROMA_FX_BENCH(BM_Saturation);
KROMA_FX_BENCH(BM_AntiAlias);
KROMA_FX_BENCH(BM_Emboss);
KROMA_FX_BENCH(BM_BlurOnePass);
KROMA_FX_BENCH(BM_ConvolveRing);
KROMA_FX_BENCH(BM_ConvolveSharpen);
KROMA_FX_BENCH(BM_FlipDown);
KROMA_FX_BENCH(BM_FlipRight);
KROMA_FX_BENCH(BM_MirrorRight);
KROMA_FX_BENCH(BM_Solarize);
KROMA_FX_BENCH(BM_Posterize);
KROMA_FX_BENCH(BM_FishEye);
KROMA_FX_BENCH(BM_Twist);
KROMA_FX_BENCH(BM_MaskBlend);
KROMA_FX_BENCH(BM_ResampleMitchell)->Arg(1)->Arg(8);
KROMA_FX_BENCH(BM_ResampleLanczos3)->Arg(1)->Arg(8);
KROMA_FX_BENCH(BM_SmoothResize)->Arg(1)->Arg(8);
