#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

#include "core/Bitmap.h"
#include "core/PixelFormats.h"

namespace kroma {
namespace {

// Straightforward nearest search to compare against.
int BruteNearest(const std::vector<TColor>& palette, int r, int g, int b) {
  int best = 0;
  long bestDist = -1;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    long dr = r - GetRValue(palette[i]), dg = g - GetGValue(palette[i]), db = b - GetBValue(palette[i]);
    long d = dr * dr + dg * dg + db * db;
    if (bestDist < 0 || d < bestDist) {
      bestDist = d;
      best = static_cast<int>(i);
    }
  }
  return best;
}

TEST(PixelFormats, StandardPalettes) {
  EXPECT_EQ(StandardPalette(pf1bit), (std::vector<TColor>{clBlack, clWhite}));
  EXPECT_EQ(StandardPalette(pf4bit).size(), 16u);
  const std::vector<TColor>& halftone = StandardPalette(pf8bit);
  ASSERT_EQ(halftone.size(), 256u);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(halftone[static_cast<std::size_t>(i)], SystemColors20()[static_cast<std::size_t>(i)]);
    EXPECT_EQ(halftone[static_cast<std::size_t>(246 + i)], SystemColors20()[static_cast<std::size_t>(10 + i)]);
  }
  EXPECT_TRUE(StandardPalette(pf24bit).empty());
}

// The cached lookup must give exactly the nearest entry (first on a tie),
// whatever cell a colour falls in.
TEST(PixelFormats, NearestColorIsExact) {
  std::mt19937 rng(3);
  std::vector<TColor> random;
  for (int i = 0; i < 40; ++i) random.push_back(static_cast<TColor>(rng() & 0xFFFFFF));
  random.push_back(random[5]);  // a duplicate: the first one wins
  const std::vector<TColor>* palettes[] = {&StandardPalette(pf1bit), &StandardPalette(pf4bit), &StandardPalette(pf8bit),
                                           &random};
  for (const auto* palette : palettes) {
    SCOPED_TRACE(palette->size());
    TNearestColor mapper(*palette);
    int mismatches = 0;
    for (int i = 0; i < 20000; ++i) {
      int r = static_cast<int>(rng() & 255), g = static_cast<int>(rng() & 255), b = static_cast<int>(rng() & 255);
      int want = BruteNearest(*palette, r, g, b);
      mismatches += mapper.Index(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                                 static_cast<std::uint8_t>(b)) != want;
      mismatches += NearestIndex(*palette, RGB(r, g, b)) != want;
    }
    EXPECT_EQ(mismatches, 0);
  }
}

TEST(PixelFormats, NearestColorTiesGoToTheFirstEntry) {
  const std::vector<TColor> palette = {RGB(0, 0, 0), RGB(2, 0, 0), RGB(2, 0, 0)};
  TNearestColor mapper(palette);
  EXPECT_EQ(mapper.Index(1, 0, 0), 0);
  EXPECT_EQ(mapper.Index(2, 0, 0), 1);
  EXPECT_EQ(NearestIndex(palette, RGB(1, 0, 0)), 0);
  EXPECT_EQ(NearestIndex(palette, RGB(9, 9, 9)), 1);
}

TEST(PixelFormats, ScaleToByteRoundsToNearest) {
  for (int bits = 1; bits <= 16; ++bits) {
    std::uint32_t max = (1u << bits) - 1;
    for (std::uint32_t v = 0; v <= max; ++v)
      ASSERT_EQ(ScaleToByte(v, max), static_cast<int>(std::lrint(v * 255.0 / max))) << v << "/" << max;
  }
  EXPECT_EQ(ScaleToByte(0xFFFFFFFFu, 0xFFFFFFFFu), 255);
  EXPECT_EQ(ScaleToByte(0x80000000u, 0xFFFFFFFFu), 128);
}

// 24 -> 16 -> 24 lands on the 5-6-5 level nearest to each channel.
TEST(PixelFormats, SixteenBitTakesTheNearestLevel) {
  std::vector<std::uint8_t> bgr(256 * 3), packed(256 * 2), back(256 * 3);
  for (int v = 0; v < 256; ++v) bgr[3 * v] = bgr[3 * v + 1] = bgr[3 * v + 2] = static_cast<std::uint8_t>(v);
  RowFromBgr24(bgr.data(), pf16bit, nullptr, 256, packed.data());
  RowToBgr24(packed.data(), pf16bit, {}, 256, back.data());
  for (int v = 0; v < 256; ++v) {
    for (int channel = 0; channel < 3; ++channel) {
      std::uint32_t max = channel == 1 ? 63 : 31;
      int best = 255;
      for (std::uint32_t q = 0; q <= max; ++q) best = std::min(best, std::abs(ScaleToByte(q, max) - v));
      EXPECT_EQ(std::abs(back[static_cast<std::size_t>(3 * v + channel)] - v), best) << v << " channel " << channel;
    }
  }
}

}  // namespace
}  // namespace kroma
