#include <gtest/gtest.h>

#include <cmath>

#include "TestImages.h"
#include "core/Error.h"
#include "effects/FilterThreads.h"
#include "effects/MaskBlend.h"

namespace kroma {
namespace {

using testing::At;
using testing::Bgr;

TBitmap Mask(int width, int height, std::initializer_list<int> bytes) {
  TBitmap m(width, height, pf8bit);
  auto it = bytes.begin();
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) m.ScanLine(y)[x] = static_cast<std::uint8_t>(*it++);
  return m;
}

TEST(MaskBlend, MaskBytesWeighTheImage) {
  TBitmap back(4, 1), fore(4, 1);
  for (int x = 0; x < 4; ++x) {
    testing::Put(back, x, 0, {0, 100, 250});
    testing::Put(fore, x, 0, {255, 101, 0});
  }
  const TBitmap mask = Mask(4, 1, {0, 255, 128, 64});
  TBitmap dst;
  MaskBlend(back, fore, mask, 0, 1.0, dst);
  EXPECT_EQ(dst.PixelFormat(), pf24bit);
  EXPECT_EQ(At(dst, 0, 0), (Bgr{0, 100, 250}));
  EXPECT_EQ(At(dst, 1, 0), (Bgr{255, 101, 0}));
  // b = 128 / 255: 127.999..., 100.50196..., 124.50980...
  EXPECT_EQ(At(dst, 2, 0), (Bgr{128, 101, 125}));
  // b = 64 / 255: 64, 100.25, 187.25
  EXPECT_EQ(At(dst, 3, 0), (Bgr{64, 100, 187}));
}

TEST(MaskBlend, OffsetAndFactorClampOutsideTheBlend) {
  TBitmap back(1, 1), fore(1, 1);
  testing::Put(back, 0, 0, {0, 200, 100});
  testing::Put(fore, 0, 0, {200, 0, 100});
  TBitmap dst;
  MaskBlend(back, fore, Mask(1, 1, {255}), 255, 1.0, dst);  // b = 2: 2 * image - background
  EXPECT_EQ(At(dst, 0, 0), (Bgr{255, 0, 100}));
  MaskBlend(back, fore, Mask(1, 1, {0}), 0, 1e308, dst);  // b = 0 whatever the factor
  EXPECT_EQ(At(dst, 0, 0), (Bgr{0, 200, 100}));
  EXPECT_THROW(MaskBlend(back, fore, Mask(1, 1, {0}), 0, std::nan(""), dst), Error);
  EXPECT_EQ(At(dst, 0, 0), (Bgr{0, 200, 100}));
}

TEST(MaskBlend, SizesThatDoNotMatch) {
  const TBitmap back = testing::Noise(3, 3), fore = testing::Noise(5, 2, 4);
  TBitmap dst;
  // Image and mask differ: the result is the background.
  MaskBlend(back, fore, Mask(2, 2, {255, 255, 255, 255}), 0, 1.0, dst);
  EXPECT_TRUE(SameImage(dst, back));
  // Image larger than the background one way, smaller the other: only
  // the shared 3 x 2 area takes the image.
  MaskBlend(back, fore, Mask(5, 2, {255, 255, 255, 255, 255, 255, 255, 255, 255, 255}), 0, 1.0, dst);
  EXPECT_EQ(dst.Width(), 3);
  EXPECT_EQ(At(dst, 2, 1), At(fore, 2, 1));
  EXPECT_EQ(At(dst, 2, 2), At(back, 2, 2));
}

TEST(MaskBlend, DestinationMayBeAnInput) {
  const TBitmap back = testing::Noise(4, 4), fore = testing::Noise(4, 4, 8);
  TBitmap mask(4, 4, pf8bit);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) mask.ScanLine(y)[x] = static_cast<std::uint8_t>(x * 80);
  TBitmap expected;
  MaskBlend(back, fore, mask, 0, 1.0, expected);
  TBitmap a = back, b = fore;
  MaskBlend(a, fore, mask, 0, 1.0, a);
  MaskBlend(back, b, mask, 0, 1.0, b);
  EXPECT_TRUE(SameImage(a, expected));
  EXPECT_TRUE(SameImage(b, expected));
}

// The destination starts as a copy of the background that shares its rows;
// the threads that blend a shorter image copy the rows they write, also
// the band that reaches past the image, and leave the background alone.
TEST(MaskBlend, AShorterImageOverASharedBackgroundOnSeveralThreads) {
  testing::TThreadCountScope restoreThreads;
  SetFilterThreadCount(3);
  const TBitmap back = testing::Noise(300, 1000, 5);
  const TBitmap pristine = testing::Noise(300, 1000, 5);
  const TBitmap fore = testing::Noise(300, 501, 6);
  TBitmap mask(300, 501, pf8bit);
  for (int y = 0; y < 501; ++y)
    for (int x = 0; x < 300; ++x) mask.ScanLine(y)[x] = static_cast<std::uint8_t>(255);
  TBitmap dst;
  ASSERT_NO_THROW(MaskBlend(back, fore, mask, 0, 1.0, dst));
  EXPECT_TRUE(SameImage(back, pristine));
  EXPECT_EQ(At(dst, 7, 500), At(fore, 7, 500));
  EXPECT_EQ(At(dst, 7, 501), At(back, 7, 501));
}

}  // namespace
}  // namespace kroma
