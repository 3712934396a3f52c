#include <gtest/gtest.h>

#include <atomic>
#include <climits>

#include "TestImages.h"
#include "core/Error.h"
#include "effects/SmoothFilters.h"

namespace kroma {
namespace {

using testing::At;
using testing::Bgr;

TBitmap Grey(int width, int height, std::initializer_list<int> values) {
  TBitmap b(width, height);
  auto it = values.begin();
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x, ++it) testing::Put(b, x, y, {*it, *it, *it});
  return b;
}

TEST(FxAntiAlias, AveragesInPlaceAndKeepsTheBorder) {
  // x = 1: (0 + 0 + 0 + 80) >> 2 = 20; x = 2 then sees the new 20 on its
  // left: (0 + 0 + 20 + 0) >> 2 = 5 (10 had it read the old 40).
  TBitmap b = Grey(4, 3, {9, 9, 9, 9,  //
                          0, 40, 80, 0,  //
                          9, 9, 9, 9});
  TBitmap top = Grey(4, 3, {0, 0, 0, 0,  //
                            0, 40, 80, 0,  //
                            0, 0, 0, 0});
  FxAntiAlias(top);
  EXPECT_EQ(testing::RowValues(top, 1), (std::vector<int>{0, 20, 5, 0}));
  // Corners in any order and beyond the image give the same rectangle.
  TBitmap whole = b;
  FxAntiAlias(whole);
  FxAntiAliasRect(b, 50, 40, -3, -7);
  EXPECT_TRUE(SameImage(b, whole));
  EXPECT_EQ(testing::RowValues(b, 0), (std::vector<int>{9, 9, 9, 9}));
  EXPECT_EQ(testing::ColumnValues(b, 3), (std::vector<int>{9, 0, 9}));
}

TEST(FxEmboss, ReadsThreeRightOneDownAndKeepsTheEdges) {
  TBitmap b = Grey(5, 2, {100, 200, 7, 8, 9,  //
                          0, 0, 0, 55, 255});
  FxEmboss(b);
  // x = 0: ((255 - 55) + 100) >> 1 = 150; x = 1: ((255 - 255) + 200) >> 1.
  EXPECT_EQ(testing::RowValues(b, 0), (std::vector<int>{150, 100, 7, 8, 9}));
  EXPECT_EQ(testing::RowValues(b, 1), (std::vector<int>{0, 0, 0, 55, 255}));
  for (auto [w, h] : {std::pair{3, 5}, {5, 1}, {1, 1}}) {
    TBitmap small = testing::Noise(w, h);
    const TBitmap before = small;
    FxEmboss(small);
    EXPECT_TRUE(SameImage(small, before)) << w << "x" << h;
  }
}

// The split blur as written: byte by byte, in place, top to bottom.
void NaiveSplitBlur(TBitmap& b, int d) {
  const int w = b.Width(), h = b.Height();
  for (int y = 0; y < h; ++y) {
    int up = y - d >= 0 ? y - d : y, down = y + d < h ? y + d : h - y;
    for (int x = 0; x < w; ++x) {
      int left = x - d >= 0 ? x - d : x, right = x + d < w ? x + d : w - x;
      for (int c = 0; c < 3; ++c) {
        int sum = b.ScanLine(up)[left * 3 + c] + b.ScanLine(down)[left * 3 + c] + b.ScanLine(up)[right * 3 + c] +
                  b.ScanLine(down)[right * 3 + c];
        b.ScanLine(y)[x * 3 + c] = static_cast<std::uint8_t>(sum >> 2);
      }
    }
  }
}

TEST(FxSplitBlur, MatchesTheInPlaceDefinition) {
  // Sizes where rows read themselves (y < d, or the bottom rule giving the
  // row's own index) and widths with and without an inner run.
  struct Case {
    int w, h, d;
  } cases[] = {{4, 4, 3}, {7, 5, 3}, {6, 6, 3}, {9, 13, 3}, {40, 8, 3}, {5, 9, 1}, {3, 3, 2}, {31, 17, 5}};
  for (const Case& c : cases) {
    TBitmap fast = testing::Noise(c.w, c.h, static_cast<unsigned>(c.w + 100 * c.h));
    TBitmap slow = fast;
    FxSplitBlur(fast, c.d);
    NaiveSplitBlur(slow, c.d);
    EXPECT_TRUE(SameImage(fast, slow)) << c.w << "x" << c.h << " d " << c.d;
  }
}

TEST(FxSplitBlur, DistanceLimits) {
  for (auto [w, h, d] : {std::tuple{5, 5, 0}, {3, 9, 3}, {9, 3, 3}, {1, 1, 1}, {1, 8, 3}}) {
    TBitmap b = testing::Noise(w, h);
    const TBitmap before = b;
    FxSplitBlur(b, d);
    EXPECT_TRUE(SameImage(b, before)) << w << "x" << h << " d " << d;
  }
  TBitmap b = testing::Noise(8, 8);
  const TBitmap before = b;
  EXPECT_THROW(FxSplitBlur(b, -3), Error);
  EXPECT_TRUE(SameImage(b, before));
}

TEST(FxBlur, RunsPassesPlusOneSplitBlurs) {
  const TBitmap src = testing::Noise(12, 10);
  for (int passes : {-1, 0, 2}) {
    TBitmap blurred = src, expected = src;
    FxBlur(blurred, passes);
    for (int i = 0; i <= passes; ++i) NaiveSplitBlur(expected, 3);
    EXPECT_TRUE(SameImage(blurred, expected)) << passes;
  }
}

TEST(FxBlur, HugePassCountEndsAtTheFixedPoint) {
  TBitmap b = testing::Noise(10, 9);
  FxBlur(b, INT64_MAX);
  const TBitmap settled = b;
  NaiveSplitBlur(b, 3);
  EXPECT_TRUE(SameImage(b, settled));
}

TEST(FxBlur, CancelLeavesTheImageUnchanged) {
  TBitmap b = testing::Noise(20, 20);
  const TBitmap before = b;
  std::atomic<bool> cancel{true};
  EXPECT_THROW(FxBlur(b, INT64_MAX, &cancel), Error);
  EXPECT_TRUE(SameImage(b, before));
  cancel = false;
  TBitmap plain = before;
  FxBlur(b, 4, &cancel);
  FxBlur(plain, 4);
  EXPECT_TRUE(SameImage(b, plain));
}

}  // namespace
}  // namespace kroma
