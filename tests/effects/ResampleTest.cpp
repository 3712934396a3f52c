#include "effects/Resample.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "core/Bitmap.h"
#include "core/Error.h"
#include "effects/FilterThreads.h"
#include "effects/ResampleFilters.h"
#include "TestImages.h"
#include "VectorTargets.h"

namespace kroma {
namespace {

using testing::At;
using testing::Bgr;
using testing::Noise;
using testing::Put;

std::uint8_t ClampRound(float sum) {
  if (sum > 255.0f) return 255;
  if (sum < 0.0f) return 0;
  return static_cast<std::uint8_t>(std::nearbyint(sum));
}

// The two passes written out pixel by pixel, as plainly as they read.
TBitmap ReferenceResample(const TBitmap& src, int dw, int dh, TResampleKernel filter, float support) {
  const auto columns = ResampleContributors(src.Width(), dw, filter, support);
  const auto rows = ResampleContributors(src.Height(), dh, filter, support);
  TBitmap mid(dw, src.Height());
  for (int y = 0; y < src.Height(); ++y)
    for (int i = 0; i < dw; ++i)
      for (int c = 0; c < 3; ++c) {
        float sum = 0.0f;
        for (const TContributor& k : columns[static_cast<std::size_t>(i)])
          sum += k.Weight * static_cast<float>(src.ScanLine(y)[k.Index * 3 + c]);
        mid.ScanLine(y)[i * 3 + c] = ClampRound(sum);
      }
  TBitmap out(dw, dh);
  for (int j = 0; j < dh; ++j)
    for (int i = 0; i < dw * 3; ++i) {
      float sum = 0.0f;
      for (const TContributor& k : rows[static_cast<std::size_t>(j)])
        sum += k.Weight * static_cast<float>(mid.ScanLine(k.Index)[i]);
      out.ScanLine(j)[i] = ClampRound(sum);
    }
  return out;
}

std::vector<int> Indices(const TContributorList& list) {
  std::vector<int> out;
  for (const TContributor& c : list) out.push_back(c.Index);
  return out;
}

TEST(Resample, MatchesThePlainPassesForEverySizeKernelThreadCountAndVectorSet) {
  struct Case {
    int sw, sh, dw, dh;
  } cases[] = {
      {7, 5, 13, 11},  {40, 30, 10, 8}, {33, 20, 66, 40}, {1, 1, 5, 3},  {2, 2, 1, 1},
      {100, 1, 25, 1}, {1000, 10, 37, 3}, {3, 17, 64, 2}, {2, 2, 4, 4},  {50, 41, 50, 41},
  };
  testing::TThreadCountScope threads;
  testing::ForEachVectorTarget([&] {
    for (const Case& c : cases) {
      const TBitmap src = Noise(c.sw, c.sh, static_cast<unsigned>(c.sw * 31 + c.dh));
      for (int f : {kMitchellFilterIndex, 5 /* Lanczos3 */, 0 /* Box */}) {
        const TResampleFilter& filter = ResampleFilters[f];
        const TBitmap expected = ReferenceResample(src, c.dw, c.dh, filter.Filter, filter.Width);
        for (int count : {1, 2}) {
          SetFilterThreadCount(count);
          TBitmap target(c.dw, c.dh);
          Resample(src, target, filter.Filter, filter.Width);
          SCOPED_TRACE(std::to_string(c.sw) + "x" + std::to_string(c.sh) + " -> " + std::to_string(c.dw) + "x" +
                       std::to_string(c.dh) + " " + filter.Name + " threads " + std::to_string(count));
          ASSERT_EQ(target.Width(), c.dw);
          ASSERT_EQ(target.Height(), c.dh);
          for (int y = 0; y < c.dh; ++y)
            ASSERT_EQ(0, std::memcmp(target.ScanLine(y), expected.ScanLine(y), static_cast<std::size_t>(c.dw) * 3))
                << "row " << y;
        }
      }
    }
  });
}

TEST(Resample, ContributorsMirrorAtTheBordersAndStayInside) {
  // Scale 1: Lanczos3 reaches two pixels out on either side.
  auto lists = ResampleContributors(10, 10, Lanczos3Filter, 3.0f);
  EXPECT_EQ(Indices(lists[0]), (std::vector<int>{2, 1, 0, 1, 2}));
  EXPECT_EQ(Indices(lists[9]), (std::vector<int>{7, 8, 9, 9, 8}));
  // A one-pixel source: mirrored indices still outside are clamped.
  for (const TContributorList& list : ResampleContributors(1, 4, MitchellFilter, 2.0f))
    for (const TContributor& c : list) EXPECT_EQ(c.Index, 0);
  // Reducing widens the reach by the inverse scale and scales the weights.
  lists = ResampleContributors(31, 11, MitchellFilter, 2.0f);  // scale 1/3
  float total = 0.0f;
  for (const TContributor& c : lists[5]) total += c.Weight;
  EXPECT_NEAR(total, 1.0f, 1e-5f);
  EXPECT_GE(lists[5].size(), 11u);
  // No zero weights: Mitchell is 0 at whole offsets of 2.
  for (const TContributorList& list : ResampleContributors(10, 10, MitchellFilter, 2.0f))
    for (const TContributor& c : list) EXPECT_NE(c.Weight, 0.0f);
}

TEST(Resample, UniformImagesStayUniform) {
  // Enlarging with kernels whose weights add up to 1 at every phase
  // (Lanczos3's do not); reducing sums a widened kernel at fractional
  // steps, which Mitchell keeps within rounding.
  struct Case {
    int dw, dh, filter;
  } cases[] = {{40, 30, kMitchellFilterIndex}, {80, 60, kMitchellFilterIndex}, {80, 60, 1 /* Triangle */},
               {80, 60, 4 /* B-Spline */},     {10, 8, kMitchellFilterIndex},  {1, 1, kMitchellFilterIndex}};
  for (int v : {0, 1, 128, 254, 255})
    for (const Case& c : cases) {
      TBitmap src(40, 30);
      src.Fill(RGB(static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v)));
      TBitmap target(c.dw, c.dh);
      Resample(src, target, ResampleFilters[c.filter].Filter, ResampleFilters[c.filter].Width);
      for (int y = 0; y < c.dh; ++y)
        for (int x = 0; x < c.dw; ++x)
          ASSERT_EQ(At(target, x, y), (Bgr{v, v, v})) << v << " " << c.dw << " " << ResampleFilters[c.filter].Name;
    }
}

TEST(Resample, RefusesAnEmptySourceAndAResizeBeyondMemory) {
  TBitmap empty, target(5, 5);
  target.Fill(clRed);
  try {
    Resample(empty, target, MitchellFilter, 2.0f);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Source bitmap too small");
  }
  // One column of 60000 pixels squeezed into one very wide row.
  TBitmap tall(1, 60000);
  TBitmap wide(30000, 1);
  wide.Fill(clRed);
  EXPECT_THROW(Resample(tall, wide, MitchellFilter, 2.0f), Error);
  EXPECT_EQ(wide.GetPixel(100, 0), clRed);
  // An empty target is left empty.
  TBitmap none(0, 3);
  Resample(tall, none, MitchellFilter, 2.0f);
  EXPECT_EQ(none.Width(), 0);
}

TEST(SmoothResize, TwoByTwoToFourByFourKeepsTheCornerAndInterpolates) {
  TBitmap src(2, 2);
  Put(src, 0, 0, {0, 0, 0});
  Put(src, 1, 0, {200, 200, 200});
  Put(src, 0, 1, {100, 100, 100});
  Put(src, 1, 1, {40, 40, 40});
  TBitmap target(4, 4);
  SmoothResize(src, target);
  EXPECT_EQ(At(target, 0, 0)[0], 0);
  EXPECT_EQ(At(target, 2, 0)[0], 100);  // half way to the right
  EXPECT_EQ(At(target, 0, 2)[0], 50);   // half way down
  // fx = fy = 3/4: weights 2048, 6144, 6144 and 18432 of 32768.
  EXPECT_EQ(At(target, 3, 3)[0], (200 * 6144 + 100 * 6144 + 40 * 18432) >> 15);
}

TEST(SmoothResize, DegenerateSizesStayInsideTheSource) {
  struct Case {
    int sw, sh, dw, dh;
  } cases[] = {{1, 1, 5, 5}, {1, 1, 1, 1}, {2, 2, 1, 1}, {100, 1, 7, 3}, {1, 100, 3, 7}, {1000, 10, 10, 1000},
               {3, 3, 2000, 1}};
  for (const Case& c : cases) {
    const TBitmap src = Noise(c.sw, c.sh, 7);
    TBitmap target(c.dw, c.dh);
    SmoothResize(src, target);
    ASSERT_EQ(target.Width(), c.dw);
    ASSERT_EQ(target.Height(), c.dh);
    // The first pixel always copies the source's first pixel.
    EXPECT_EQ(At(target, 0, 0), At(src, 0, 0)) << c.sw << "x" << c.sh;
    if (c.sw == 1 && c.sh == 1) {
      for (int y = 0; y < c.dh; ++y)
        for (int x = 0; x < c.dw; ++x) ASSERT_EQ(At(target, x, y), At(src, 0, 0));
    }
    // Resampling the same sizes runs as well.
    TBitmap filtered(c.dw, c.dh);
    Resample(src, filtered, MitchellFilter, 2.0f);
    EXPECT_EQ(filtered.Width(), c.dw);
  }
}

TEST(SmartResize, SizesFromTheAspectRatio) {
  struct Case {
    int sw, sh;
    TSmartMode mode;
    int size, w, h;
  } cases[] = {
      {100, 50, TSmartMode::Square, 32, 32, 32},   {200, 100, TSmartMode::FixHeight, 50, 100, 50},
      {200, 100, TSmartMode::FixWidth, 50, 50, 25}, {1000, 10, TSmartMode::FixWidth, 10, 10, 1},
      {10, 1000, TSmartMode::FixHeight, 10, 1, 10}, {1, 1, TSmartMode::Square, 3, 3, 3},
      {50, 100, TSmartMode::Square, 32, 32, 32},
  };
  for (const Case& c : cases) {
    TBitmap target;
    SmartResize(TBitmap(c.sw, c.sh), target, c.mode, c.size);
    EXPECT_EQ(target.Width(), c.w) << c.sw << "x" << c.sh;
    EXPECT_EQ(target.Height(), c.h) << c.sw << "x" << c.sh;
    EXPECT_EQ(target.PixelFormat(), pf24bit);
  }
  TBitmap target;
  EXPECT_THROW(SmartResize(TBitmap(5, 5), target, TSmartMode::Square, 0), Error);
  EXPECT_THROW(SmartResize(TBitmap(), target, TSmartMode::Square, 5), Error);
}

TEST(SmartResize, SquarePutsAWidePictureInTheTopRows) {
  TBitmap black(100, 50);
  black.Fill(clBlack);
  TBitmap icon;
  SmartResize(black, icon, TSmartMode::Square, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(icon.GetPixel(x, y), y < 16 ? clBlack : clWhite) << x << "," << y;
}

}  // namespace
}  // namespace kroma
