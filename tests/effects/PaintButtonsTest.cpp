#include <gtest/gtest.h>

#include <climits>

#include "TestImages.h"
#include "core/Types.h"
#include "effects/PaintFX.h"
#include "effects/SmoothFilters.h"

namespace kroma {
namespace {

using testing::At;
using testing::Bgr;
using testing::Put;
using FX = TkelPaintFX;

TBitmap Uniform(int w, int h, int v) {
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) Put(b, x, y, {v, v, v});
  return b;
}

TEST(PaintSeamlessEdges, BottomRowBecomesTheTopRowAndTheCentreStays) {
  const TBitmap original = testing::Noise(40, 30);
  TBitmap b = original;
  FX::SeamlessEdges(b, 10);
  for (int x = 0; x < 40; ++x) ASSERT_EQ(At(b, x, 29), At(b, x, 0)) << x;
  for (int y = 10; y <= 19; ++y) ASSERT_EQ(At(b, 39, y), At(b, 0, y)) << y;  // right column = left column
  for (int y = 11; y <= 18; ++y)
    for (int x = 0; x <= 28; ++x) ASSERT_EQ(At(b, x, y), At(original, x, y)) << x << "," << y;
  EXPECT_FALSE(SameImage(b, original));
}

// Depth 2 on five rows: row 3 becomes the even mix of rows 3 and 1, halves
// rounding to even.
TEST(PaintSeamlessEdges, HalfWeightsRoundToEven) {
  TBitmap b = Uniform(10, 5, 0);
  const int top[] = {1, 1, 3, 5}, bottom[] = {2, 0, 0, 0}, mixed[] = {2, 0, 2, 2};
  for (int i = 0; i < 4; ++i) {
    Put(b, 2 + i, 1, {top[i], top[i], top[i]});
    Put(b, 2 + i, 3, {bottom[i], bottom[i], bottom[i]});
  }
  FX::SeamlessEdges(b, 2);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(At(b, 2 + i, 3)[0], mixed[i]) << top[i] << " and " << bottom[i];
}

// Depths beyond 255 or beyond the image act as the largest depth that
// fits; a depth of 0 or less changes nothing.
TEST(PaintBorders, DepthIsClampedToTheImage) {
  using Effect = void (*)(TBitmap&, int);
  struct Case {
    const char* name;
    Effect effect;
  } cases[] = {
      {"seamless", FX::SeamlessEdges},
      {"buttonize", [](TBitmap& b, int depth) { FX::Buttonize(b, depth, 90); }},
  };
  for (const Case& c : cases) {
    const TBitmap original = testing::Noise(7, 4);
    TBitmap fits = original;
    c.effect(fits, 3);  // height - 1
    for (int depth : {4, 300, INT_MAX}) {
      TBitmap b = original;
      c.effect(b, depth);
      EXPECT_TRUE(SameImage(b, fits)) << c.name << " depth " << depth;
    }
    for (int depth : {0, -1, INT_MIN}) {
      TBitmap b = original;
      c.effect(b, depth);
      EXPECT_TRUE(SameImage(b, original)) << c.name << " depth " << depth;
    }
    TBitmap big = testing::Noise(600, 600), clamped = big;
    c.effect(big, 1000);
    c.effect(clamped, 255);
    EXPECT_TRUE(SameImage(big, clamped)) << c.name;
  }
}

// Grey 100, depth 1, amount 51: lighten gives 100 + 51 * 155 / 255 = 131,
// darken 100 - 51 * 100 / 255 = 80; corner pixels are shaded twice.
TEST(PaintButtonize, LightensTopLeftDarkensBottomRightInOrder) {
  TBitmap b = Uniform(6, 6, 100);
  FX::Buttonize(b, 1, 51);
  struct Case {
    int x, y, v;
  } cases[] = {
      {2, 0, 131}, {0, 0, 155},  // 131 + 51 * 124 / 255
      {5, 0, 105},               // 131 - 51 * 131 / 255
      {2, 5, 80},  {0, 5, 115},  // 80 + 51 * 175 / 255
      {5, 5, 64},                // 80 - 51 * 80 / 255
      {0, 1, 131}, {1, 1, 155}, {0, 2, 131}, {1, 3, 131}, {5, 2, 80}, {4, 3, 80},
      {2, 2, 100}, {3, 3, 100},
  };
  for (const Case& c : cases) EXPECT_EQ(At(b, c.x, c.y), (Bgr{c.v, c.v, c.v})) << c.x << "," << c.y;
}

// Five rings of strength 100 on grey 128: the outer ring has blue byte 4 in
// the mask, so o = Trunc(4 / 5 * 100) = 80; its upper-left half lightens to
// 128 + 80 * 127 / 255 = 167, its lower-right half darkens to
// 128 - 80 * 128 / 255 = 88. The border pixels are not smoothed afterwards.
TEST(PaintButtonRound, OuterRingShadedMostAndTheCentreKept) {
  TBitmap b = Uniform(20, 20, 128);
  FX::ButtonRound(b, 5, 100);
  EXPECT_EQ(At(b, 10, 0)[0], 167);
  EXPECT_EQ(At(b, 0, 10)[0], 167);
  EXPECT_EQ(At(b, 10, 19)[0], 88);
  EXPECT_EQ(At(b, 19, 10)[0], 88);
  EXPECT_EQ(At(b, 10, 10)[0], 128);
  EXPECT_EQ(At(b, 0, 0)[0], 128);  // the corner lies outside every ring
}

// One ring has blue byte 0 in the mask, so its shade is 0: what remains is
// the smoothing of every interior pixel.
TEST(PaintButtonRound, ShadingIsFollowedBySmoothingTheInterior) {
  const TBitmap original = testing::Noise(11, 8);
  TBitmap b = original, smoothed = original;
  FX::ButtonRound(b, 1, 200);
  FxAntiAlias(smoothed);
  EXPECT_TRUE(SameImage(b, smoothed));
  EXPECT_FALSE(SameImage(b, original));
}

TEST(PaintButtonRound, NoRingsChangeNothing) {
  for (int rings : {0, -1, INT_MIN}) {
    const TBitmap original = testing::Noise(9, 7);
    TBitmap b = original;
    FX::ButtonRound(b, rings, 80);
    EXPECT_TRUE(SameImage(b, original)) << rings;
  }
}

// 6 x 4: rows 0 and 3 of the inscribed ellipse run from 1 to 4, rows 1 and
// 2 are full, so only the four corners lie outside.
TEST(PaintButtonOval, PaintsOnlyOutsideTheInscribedEllipse) {
  const TBitmap original = testing::Noise(6, 4);
  TBitmap b = original;
  FX::ButtonOval(b, clRed);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) {
      const bool corner = (x == 0 || x == 5) && (y == 0 || y == 3);
      EXPECT_EQ(At(b, x, y), corner ? (Bgr{0, 0, 255}) : At(original, x, y)) << x << "," << y;
    }
}

}  // namespace
}  // namespace kroma
