#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstring>
#include <vector>

#include "TestImages.h"
#include "core/Canvas.h"
#include "effects/PaintFX.h"

namespace kroma {
namespace {

using testing::At;
using testing::Bgr;

// Row y of `src` as a bitmap of its own, drawn into (left, y, right, y + 1)
// of `expected` by the canvas: the reference for one stretched row.
void StretchWithCanvas(const TBitmap& src, int y, int left, int right, TBitmap& expected) {
  TBitmap row(src.Width(), 1);
  std::memcpy(row.ScanLine(0), src.ScanLine(y), static_cast<std::size_t>(src.Width()) * 3);
  expected.Canvas().StretchDraw(Rect(left, y, right, y + 1), row);
}

TEST(PaintSqueeze, RowsGoIntoSpansStretchedAsTheCanvasDoes) {
  // 20 pixels wide, amount 8 (below width div 2). Spans [left, right) by
  // style for the rows of a 5-row image, then of a one-row image (whose
  // y / (h - 1) is taken as 0):
  //   8: m = Round(8 (4 - y) / 5) = 6, 5, 3, 2, 0     9: m = Round(8 y / 5) = 0, 2, 3, 5, 6
  //  10: Round(8 |cos(y pi / 4)|) = 8, 6, 0, 6, 8    11: Round(8 |sin(y pi / 4)|) = 0, 6, 8, 6, 0
  //  12: 11's m about the centre 10                   13: Round(8 |sin(2 pi y / 4)|) = 0, 8, 0, 8, 0
  using Spans = std::vector<std::array<int, 2>>;
  struct Case {
    int style, height;
    Spans spans;
  } cases[] = {
      {7, 5, {{8, 12}, {8, 12}, {8, 12}, {8, 12}, {8, 12}}},
      {8, 5, {{6, 14}, {5, 15}, {3, 17}, {2, 18}, {0, 20}}},
      {9, 5, {{0, 20}, {2, 18}, {3, 17}, {5, 15}, {6, 14}}},
      {10, 5, {{8, 12}, {6, 14}, {0, 20}, {6, 14}, {8, 12}}},
      {11, 5, {{0, 20}, {6, 14}, {8, 12}, {6, 14}, {0, 20}}},
      {12, 5, {{10, 10}, {4, 16}, {2, 18}, {4, 16}, {10, 10}}},  // nothing on the first and last rows
      {13, 5, {{10, 10}, {2, 18}, {10, 10}, {2, 18}, {10, 10}}},
      {7, 1, {{8, 12}}},
      {8, 1, {{0, 20}}},
      {9, 1, {{0, 20}}},
      {10, 1, {{8, 12}}},
      {11, 1, {{0, 20}}},
      {12, 1, {{10, 10}}},
      {13, 1, {{10, 10}}},
  };
  for (const Case& c : cases) {
    const TBitmap src = testing::Noise(20, c.height);
    TBitmap dst(20, c.height);
    dst.Fill(clBlack);
    TBitmap expected = dst;
    for (int y = 0; y < c.height; ++y) {
      const auto& [left, right] = c.spans[static_cast<std::size_t>(y)];
      StretchWithCanvas(src, y, left, right, expected);
    }
    TkelPaintFX::Squeeze(src, dst, c.style, 8);
    EXPECT_TRUE(SameImage(dst, expected)) << "style " << c.style << ", height " << c.height;
  }
}

TEST(PaintSqueeze, AmountIsLimitedToZeroAndHalfTheWidth) {
  const TBitmap src = testing::Noise(9, 4);
  // No amount (or a negative one): style 7 copies every row unchanged.
  for (int amount : {0, -1, INT_MIN}) {
    TBitmap dst = testing::Noise(9, 4, 2);
    TkelPaintFX::Squeeze(src, dst, 7, amount);
    EXPECT_TRUE(SameImage(dst, src)) << amount;
  }
  // Past width div 2 = 4 the amount stays 4: style 7 squeezes each row
  // into column 4 alone.
  TBitmap four = testing::Noise(9, 4, 2), huge = four;
  TkelPaintFX::Squeeze(src, four, 7, 4);
  TkelPaintFX::Squeeze(src, huge, 7, INT_MAX);
  EXPECT_TRUE(SameImage(huge, four));
  EXPECT_EQ(At(huge, 4, 1), At(src, 4, 1));  // the middle of 9 source pixels
  EXPECT_EQ(At(huge, 3, 1), At(testing::Noise(9, 4, 2), 3, 1));
}

TEST(PaintSqueezeAndSplitMorph, OtherStylesOtherSizesAndTheSourceAsTarget) {
  const TBitmap src = testing::Noise(8, 6);
  const TBitmap initial = testing::Noise(8, 6, 4);
  struct Case {
    bool split;
    int style;
  } none[] = {{false, 6}, {false, 14}, {false, -7}, {true, 13}, {true, 16}, {true, INT_MIN}};
  for (const Case& c : none) {
    TBitmap dst = initial;
    (c.split ? TkelPaintFX::SplitMorph : TkelPaintFX::Squeeze)(src, dst, c.style, 3);
    EXPECT_TRUE(SameImage(dst, initial)) << c.style;
  }
  for (const Case& c : {Case{false, 11}, Case{true, 15}}) {
    auto fn = c.split ? TkelPaintFX::SplitMorph : TkelPaintFX::Squeeze;
    TBitmap other = testing::Noise(8, 5, 4);  // another size: left alone
    const TBitmap before = other;
    fn(src, other, c.style, 3);
    EXPECT_TRUE(SameImage(other, before)) << c.style;
    TBitmap separate = src, inPlace = src;
    fn(src, separate, c.style, 3);
    fn(inPlace, inPlace, c.style, 3);
    EXPECT_TRUE(SameImage(inPlace, separate)) << c.style;
  }
}

TEST(PaintSplitMorph, NoAmountCopies) {
  const TBitmap src = testing::Noise(8, 3);
  for (int style : {14, 15})
    for (int amount : {0, -4, INT_MIN}) {
      TBitmap dst = testing::Noise(8, 3, 6);
      TkelPaintFX::SplitMorph(src, dst, style, amount);
      EXPECT_TRUE(SameImage(dst, src)) << style << " " << amount;
    }
}

TEST(PaintSplitMorph, HalvesGoToTheEdgesByHand) {
  // 8 wide: the halves are pixels 0..3 and 4..7. Amount 2 stretches each
  // half into 2 pixels (source pixels 1, 3 and 5, 7 by the nearest-pixel
  // rule) at 0..1 and at 8 - 2 - 1 = 5..6; pixels 2..4 and 7 stay. Amount
  // 100 is limited to 4: the left half lands unchanged, the right half at
  // 3..6, over the left half's last pixel.
  const TBitmap src = testing::Noise(8, 3);
  const TBitmap initial = testing::Noise(8, 3, 6);
  auto s = [&](int x, int y) { return At(src, x, y); };
  auto t = [&](int x, int y) { return At(initial, x, y); };
  auto squeezed = [&](int y) {
    return std::vector<Bgr>{s(1, y), s(3, y), t(2, y), t(3, y), t(4, y), s(5, y), s(7, y), t(7, y)};
  };
  auto full = [&](int y) {
    return std::vector<Bgr>{s(0, y), s(1, y), s(2, y), s(4, y), s(5, y), s(6, y), s(7, y), t(7, y)};
  };
  auto untouched = [&](int y) {
    std::vector<Bgr> row;
    for (int x = 0; x < 8; ++x) row.push_back(t(x, y));
    return row;
  };
  // Style 14 takes m = Round(a |sin(y pi / 2)|): 0, a, 0 on the three rows;
  // style 15 the cosine: a, 0, a.
  struct Case {
    int style, amount;
    std::vector<std::vector<Bgr>> rows;
  } cases[] = {
      {14, 2, {untouched(0), squeezed(1), untouched(2)}},
      {15, 2, {squeezed(0), untouched(1), squeezed(2)}},
      {14, 100, {untouched(0), full(1), untouched(2)}},
  };
  for (const Case& c : cases) {
    TBitmap dst = initial;
    TkelPaintFX::SplitMorph(src, dst, c.style, c.amount);
    for (int y = 0; y < 3; ++y) {
      std::vector<Bgr> row;
      for (int x = 0; x < 8; ++x) row.push_back(At(dst, x, y));
      EXPECT_EQ(row, c.rows[static_cast<std::size_t>(y)]) << c.style << " " << c.amount << " row " << y;
    }
  }
}

TEST(PaintSplitMorph, OneRowImageUsesZeroForTheRowFraction) {
  // y / (h - 1) is 0 on a one-row image: sin 0 = 0 writes nothing (14),
  // cos 0 = 1 stretches with the whole amount (15).
  const TBitmap src = testing::Noise(8, 1);
  const TBitmap initial = testing::Noise(8, 1, 6);
  TBitmap round = initial, waste = initial;
  TkelPaintFX::SplitMorph(src, round, 14, 2);
  TkelPaintFX::SplitMorph(src, waste, 15, 2);
  EXPECT_TRUE(SameImage(round, initial));
  EXPECT_EQ(At(waste, 0, 0), At(src, 1, 0));
  EXPECT_EQ(At(waste, 6, 0), At(src, 7, 0));
  EXPECT_EQ(At(waste, 2, 0), At(initial, 2, 0));
}

}  // namespace
}  // namespace kroma
