#include <gtest/gtest.h>

#include <climits>

#include "TestImages.h"
#include "core/Types.h"
#include "effects/PaintFX.h"

namespace kroma {
namespace {

using testing::At;
using testing::Bgr;
using testing::Put;
using FX = TkelPaintFX;

// Pixels (B, G, R) = (v, 255 - v, v / 2 + 1) for the channel values that
// sit on and next to the bounds.
TBitmap Probe() {
  const int values[] = {0, 1, 99, 100, 101, 102, 128, 254, 255};
  TBitmap b(9, 1);
  for (int x = 0; x < 9; ++x) Put(b, x, 0, {values[x], 255 - values[x], values[x] / 2 + 1});
  return b;
}

TEST(PaintChannelFilters, BoundsAreExclusiveAndOtherChannelsClearOrStay) {
  using Filter = void (*)(TBitmap&, int, int);
  struct Case {
    const char* name;
    Filter filter;
    int channel;
    bool clears;
  } cases[] = {
      {"Red", FX::FilterRed, 2, true},      {"Green", FX::FilterGreen, 1, true},
      {"Blue", FX::FilterBlue, 0, true},    {"XRed", FX::FilterXRed, 2, false},
      {"XGreen", FX::FilterXGreen, 1, false}, {"XBlue", FX::FilterXBlue, 0, false},
  };
  struct Bounds {
    int low, high;
  } bounds[] = {{0, 255}, {100, 101}, {99, 102}, {-5, 1000}, {INT_MIN, INT_MAX}, {200, 50}};
  for (const Case& c : cases)
    for (const Bounds& bd : bounds) {
      const TBitmap original = Probe();
      TBitmap b = original;
      c.filter(b, bd.low, bd.high);
      for (int x = 0; x < 9; ++x) {
        const Bgr in = At(original, x, 0), out = At(b, x, 0);
        const int v = in[static_cast<std::size_t>(c.channel)];
        const int expected = bd.low < v && v < bd.high ? 255 : 0;
        for (int ch = 0; ch < 3; ++ch) {
          const int want = ch == c.channel ? expected : (c.clears ? 0 : in[static_cast<std::size_t>(ch)]);
          EXPECT_EQ(out[static_cast<std::size_t>(ch)], want)
              << c.name << " (" << bd.low << ", " << bd.high << ") pixel " << x << " channel " << ch;
        }
      }
    }
}

TEST(PaintChannelFilters, RedFromZeroTo255PassesOnlyInnerValues) {
  TBitmap b = testing::GreyRow({0, 1, 254, 255});
  FX::FilterRed(b, 0, 255);
  EXPECT_EQ(At(b, 0, 0), (Bgr{0, 0, 0}));
  EXPECT_EQ(At(b, 1, 0), (Bgr{0, 0, 255}));
  EXPECT_EQ(At(b, 2, 0), (Bgr{0, 0, 255}));
  EXPECT_EQ(At(b, 3, 0), (Bgr{0, 0, 0}));
  TBitmap none = testing::Noise(16, 16);
  FX::FilterRed(none, 100, 101);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(At(none, x, y), (Bgr{0, 0, 0}));
}

TEST(PaintColorKeys, KeepOrDropTheColourAndMakeBlackTransparent) {
  // (B, G, R): white, off-white in each channel, a colour and white again.
  const Bgr pixels[] = {{255, 255, 255}, {254, 255, 255}, {255, 254, 255}, {255, 255, 254}, {10, 20, 30}, {255, 255, 255}};
  TBitmap original(6, 1);
  for (int x = 0; x < 6; ++x) Put(original, x, 0, pixels[x]);
  for (bool keep : {true, false}) {
    TBitmap b = original;
    if (keep)
      FX::KeepColor(b, clWhite);
    else
      FX::DropColor(b, clWhite);
    for (int x = 0; x < 6; ++x) {
      const bool white = pixels[x] == (Bgr{255, 255, 255});
      EXPECT_EQ(At(b, x, 0), white == keep ? pixels[x] : (Bgr{0, 0, 0})) << (keep ? "keep " : "drop ") << x;
    }
    EXPECT_TRUE(b.Transparent);
    EXPECT_EQ(b.TransparentMode(), tmFixed);
    EXPECT_EQ(b.TransparentColor(), clBlack);
  }
  // The colour is 0x00BBGGRR: red is its low byte and the pixel's byte 2.
  TBitmap c = original;
  FX::KeepColor(c, RGB(30, 20, 10));
  EXPECT_EQ(At(c, 4, 0), (Bgr{10, 20, 30}));
  EXPECT_EQ(At(c, 0, 0), (Bgr{0, 0, 0}));
}

}  // namespace
}  // namespace kroma
