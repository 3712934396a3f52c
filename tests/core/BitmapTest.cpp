#include <gtest/gtest.h>

#include "core/Bitmap.h"
#include "core/Error.h"

namespace kroma {
namespace {

TEST(Bitmap, NewBitmapIsWhite24Bit) {
  TBitmap b(3, 2);
  EXPECT_EQ(b.PixelFormat(), pf24bit);
  EXPECT_EQ(b.GetPixel(2, 1), clWhite);
  EXPECT_EQ(b.Stride(), 12);
}

}  // namespace
}  // namespace kroma
