#include <gtest/gtest.h>

#include <algorithm>

#include "TestImages.h"
#include "effects/FilterThreads.h"
#include "effects/PixelHelpers.h"

namespace kroma {
namespace {

using testing::At;
using testing::Bgr;

TEST(ClampByte, LimitsToByteRange) {
  struct Case {
    std::int64_t in;
    int out;
  } cases[] = {{256, 255}, {-1, 0}, {128, 128}, {0, 0}, {255, 255}, {INT64_MAX, 255}, {INT64_MIN, 0}};
  for (const Case& c : cases) EXPECT_EQ(ClampByte(c.in), c.out) << c.in;
}

// The definition, pixel by pixel, for comparison with the fast paths.
TBitmap NaiveConvolve(const TBitmap& src, const TKernel5x5& k) {
  std::int64_t divisor = 0;
  for (int v : k) divisor += v;
  if (divisor == 0) divisor = 1;
  TBitmap out(src);
  for (int y = 0; y < src.Height(); ++y)
    for (int x = 0; x < src.Width(); ++x) {
      std::int64_t sum[3] = {0, 0, 0};
      for (int j = 0; j < 5; ++j)
        for (int i = 0; i < 5; ++i) {
          Bgr p = At(src, std::clamp(x + i - 2, 0, src.Width() - 1), std::clamp(y + j - 2, 0, src.Height() - 1));
          for (int c = 0; c < 3; ++c) sum[c] += std::int64_t{k[static_cast<std::size_t>(j * 5 + i)]} * p[static_cast<std::size_t>(c)];
        }
      testing::Put(out, x, y,
                   {ClampByte(sum[0] / divisor), ClampByte(sum[1] / divisor), ClampByte(sum[2] / divisor)});
    }
  return out;
}

TEST(Convolve5x5, RingKernelOnOnePixelKeepsIt) {
  TBitmap b(1, 1);
  testing::Put(b, 0, 0, {12, 200, 77});
  Convolve5x5(b, RingKernel);
  EXPECT_EQ(At(b, 0, 0), (Bgr{12, 200, 77}));
}

TEST(Convolve5x5, RingKernelClampsAtTheEdges) {
  // One row: the outer ring rows repeat it, the middle rows add only x - 2
  // and x + 2 (clamped). x = 0: (2 * (0+0+0+16+32) + 3 * (0+32)) / 16 = 12.
  TBitmap b = testing::GreyRow({0, 16, 32, 48, 64, 80});
  Convolve5x5(b, RingKernel);
  EXPECT_EQ(testing::RowValues(b), (std::vector<int>{12, 21, 32, 48, 59, 68}));
}

TEST(Convolve5x5, ZeroSumKernelDividesByOne) {
  TKernel5x5 k{};
  k[12] = 2;   // the pixel itself
  k[13] = -2;  // its right neighbour
  TBitmap b = testing::GreyRow({50, 20, 30});
  Convolve5x5(b, k);
  EXPECT_EQ(testing::RowValues(b), (std::vector<int>{60, 0, 0}));
}

TEST(Convolve5x5, FastPathsMatchTheDefinition) {
  TKernel5x5 sharpen{};
  sharpen[12] = 9;
  sharpen[7] = sharpen[11] = sharpen[13] = sharpen[17] = -2;
  TKernel5x5 huge{};  // sums overflow 32 bits
  huge[0] = 2000000000;
  huge[24] = -1999999999;
  huge[12] = 7;
  TKernel5x5 doubleRing;
  std::transform(RingKernel.begin(), RingKernel.end(), doubleRing.begin(), [](int v) { return 2 * v; });
  struct Size {
    int w, h;
  } sizes[] = {{1, 1}, {1, 6}, {6, 1}, {2, 3}, {9, 7}, {300, 240},
                // Wide and short: bands of one or two rows, whose neighbours
                // above and below belong to other bands or lie outside.
                {4100, 3}, {2100, 7}};
  testing::TThreadCountScope restoreThreads;
  for (int threads : {1, 2, 8}) {
    SetFilterThreadCount(threads);
    for (const TKernel5x5& k : {RingKernel, doubleRing, sharpen, huge})
      for (Size s : sizes) {
        TBitmap b = testing::Noise(s.w, s.h, static_cast<unsigned>(s.w * 31 + s.h));
        TBitmap expected = NaiveConvolve(b, k);
        Convolve5x5(b, k);
        EXPECT_TRUE(SameImage(b, expected)) << s.w << "x" << s.h << " threads " << threads;
      }
  }
}

}  // namespace
}  // namespace kroma
