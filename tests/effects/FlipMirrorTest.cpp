#include <gtest/gtest.h>

#include <vector>

#include "TestImages.h"
#include "effects/FlipMirror.h"

namespace kroma {
namespace {

using Values = std::vector<int>;

TEST(FlipMirror, RowsAndColumnsOfOddAndEvenLength) {
  struct Case {
    void (*filter)(TBitmap&);
    bool alongRow;
    Values in, out;
  } cases[] = {
      {FxMirrorRight, true, {1, 2, 3, 4}, {1, 2, 2, 1}},
      {FxMirrorRight, true, {1, 2, 3, 4, 5}, {1, 2, 3, 2, 1}},
      {FxMirrorRight, true, {7}, {7}},
      {FxMirrorDown, false, {1, 2, 3, 4}, {1, 2, 2, 1}},
      {FxMirrorDown, false, {1, 2, 3, 4, 5}, {1, 2, 3, 2, 1}},
      {FxMirrorDown, false, {1, 2}, {1, 1}},
      {FxFlipRight, true, {1, 2, 3, 4}, {4, 3, 2, 1}},
      {FxFlipRight, true, {1, 2, 3, 4, 5}, {5, 4, 3, 2, 1}},
      {FxFlipDown, false, {1, 2, 3, 4, 5}, {5, 4, 3, 2, 1}},
      {FxFlipDown, false, {7}, {7}},
  };
  for (const Case& c : cases) {
    TBitmap b(c.alongRow ? static_cast<int>(c.in.size()) : 1, c.alongRow ? 1 : static_cast<int>(c.in.size()));
    for (std::size_t i = 0; i < c.in.size(); ++i) {
      int v = c.in[i];
      testing::Put(b, c.alongRow ? static_cast<int>(i) : 0, c.alongRow ? 0 : static_cast<int>(i), {v, v + 1, v + 2});
    }
    c.filter(b);
    EXPECT_EQ(c.alongRow ? testing::RowValues(b) : testing::ColumnValues(b), c.out);
    // The three bytes of a pixel move together.
    testing::Bgr last = testing::At(b, b.Width() - 1, b.Height() - 1);
    EXPECT_EQ(last[2], last[0] + 2);
  }
}

TEST(FlipMirror, FlipsTwiceRestoreWholeImages) {
  const TBitmap src = testing::Noise(5, 4);
  for (void (*flip)(TBitmap&) : {FxFlipDown, FxFlipRight}) {
    TBitmap b = src;
    flip(b);
    EXPECT_FALSE(SameImage(b, src));
    flip(b);
    EXPECT_TRUE(SameImage(b, src));
  }
}

}  // namespace
}  // namespace kroma
