// The vector loops of the per-pixel filters against the plain formulas,
// with every instruction set, over every input that can tell them apart:
// every byte, every weighted sum, every (grey, channel) pair, every
// channel sum, and runs of every length so that the tail loops run too.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "VectorTargets.h"
#include "effects/PixelKernels.h"

namespace kroma {
namespace {

using kernels::TByteTable;

std::uint8_t ClampToByte64(std::int64_t v) { return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

std::uint8_t GrayOf(const std::uint8_t* p) {
  const int hundredths = 30 * p[0] + 59 * p[1] + 11 * p[2];
  int q = hundredths / 100;
  const int r = hundredths % 100;
  if (r > 50 || (r == 50 && q % 2 == 1)) ++q;
  return static_cast<std::uint8_t>(q);
}

std::uint8_t Saturated(int grey, int v, int amount) {
  return ClampToByte64(grey + std::int64_t{amount} * (v - grey) / 255);
}

TEST(PixelKernels, MapBytesLooksUpEveryByteAtEveryLength) {
  testing::ForEachVectorTarget([&] {
    TByteTable table;
    for (int v = 0; v < 256; ++v) table[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(v * 151 + 7);
    std::vector<std::uint8_t> src(1000);
    for (std::size_t i = 0; i < src.size(); ++i) src[i] = static_cast<std::uint8_t>(i * 73 + i / 256);
    for (std::size_t length : {0, 1, 15, 16, 17, 63, 64, 65, 127, 200, 256, 999, 1000})
      for (std::size_t offset : {0, 1, 3}) {
        if (offset + length > src.size()) continue;
        std::vector<std::uint8_t> dst(src.size(), 0xAB);
        kernels::MapBytes(src.data() + offset, dst.data() + offset, length, table);
        std::vector<std::uint8_t> inPlace = src;
        kernels::MapBytes(inPlace.data() + offset, inPlace.data() + offset, length, table);
        for (std::size_t i = 0; i < src.size(); ++i) {
          const bool mapped = i >= offset && i < offset + length;
          ASSERT_EQ(dst[i], mapped ? table[src[i]] : 0xAB) << "length " << length << " offset " << offset << " at " << i;
          ASSERT_EQ(inPlace[i], mapped ? table[src[i]] : src[i]) << "in place, length " << length << " at " << i;
        }
      }
  });
}

// The grey of a pixel depends on its weighted sum 30 B + 59 G + 11 R:
// one pixel for every sum that occurs, then pseudo-random ones.
TEST(PixelKernels, GrayMatchesTheFormulaForEverySum) {
  std::vector<std::uint8_t> pixels;
  std::vector<bool> seen(25501, false);
  for (int r = 0; r < 256; ++r)
    for (int g = 0; g < 256; ++g)
      for (int b = 0; b < 256; ++b) {
        const int sum = 30 * b + 59 * g + 11 * r;
        if (seen[static_cast<std::size_t>(sum)]) continue;
        seen[static_cast<std::size_t>(sum)] = true;
        pixels.insert(pixels.end(), {static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(r)});
      }
  std::uint32_t state = 12345;
  for (int i = 0; i < 3 * 100000; ++i) {
    state = state * 1103515245u + 12345u;
    pixels.push_back(static_cast<std::uint8_t>(state >> 24));
  }
  const std::size_t count = pixels.size() / 3;
  testing::ForEachVectorTarget([&] {
    std::vector<std::uint8_t> out = pixels;
    kernels::GrayPixels(out.data(), count);
    for (std::size_t i = 0; i < count; ++i) {
      const std::uint8_t y = GrayOf(&pixels[3 * i]);
      ASSERT_TRUE(out[3 * i] == y && out[3 * i + 1] == y && out[3 * i + 2] == y)
          << "pixel " << int(pixels[3 * i]) << "," << int(pixels[3 * i + 1]) << "," << int(pixels[3 * i + 2])
          << " gave " << int(out[3 * i]) << " " << int(out[3 * i + 1]) << " " << int(out[3 * i + 2]) << ", expected "
          << int(y);
    }
  });
}

// The result of a channel depends on the amount, the pixel's grey and the
// channel only: one pixel for every possible (grey, channel) pair, for
// amounts around every edge of the arithmetic.
TEST(PixelKernels, SaturationMatchesTheFormulaForEveryGreyAndChannel) {
  testing::ForEachVectorTarget([&] {
    std::vector<std::uint8_t> pixels;
    for (int grey = 0; grey < 256; ++grey)
      for (int v = 0; v < 256; ++v) {
        const int rest = 3 * grey - v;  // the other two channels' sum
        if (rest < 0 || rest > 510) continue;
        const int g = rest < 255 ? rest : 255;
        pixels.insert(pixels.end(), {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(g),
                                     static_cast<std::uint8_t>(rest - g)});
      }
    const std::size_t count = pixels.size() / 3;
    for (int amount : {INT_MIN, -1000000, -65281, -65280, -65279, -32769, -32768, -1000, -400, -256, -255, -254, -129,
                       -128, -1, 0, 1, 2, 127, 128, 129, 254, 255, 256, 300, 400, 511, 1000, 32640, 32767, 32768,
                       65279, 65280, 65281, 1000000, INT_MAX}) {
      std::vector<std::uint8_t> out = pixels;
      kernels::SaturatePixels(out.data(), count, amount);
      for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* p = &pixels[3 * i];
        const int grey = (p[0] + p[1] + p[2]) / 3;
        for (int c = 0; c < 3; ++c)
          ASSERT_EQ(out[3 * i + c], Saturated(grey, p[c], amount))
              << "amount " << amount << " pixel " << int(p[0]) << "," << int(p[1]) << "," << int(p[2]) << " channel "
              << c;
      }
    }
  });
}

// Whether a pixel inverts depends on its channel sum: pixels of every sum,
// with their channels spread, for thresholds around the sums' edges.
TEST(PixelKernels, SolarizeMatchesTheFormula) {
  testing::ForEachVectorTarget([&] {
    std::vector<std::uint8_t> pixels;
    for (int b = 0; b < 256; ++b)
      for (int g = 0; g < 256; ++g)
        for (int r : {0, 255})
          pixels.insert(pixels.end(), {static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(r)});
    const std::size_t count = pixels.size() / 3;
    for (int threshold : {INT_MIN, -1, 0, 1, 127, 128, 254, 255, 256, INT_MAX}) {
      std::vector<std::uint8_t> out(pixels.size());
      kernels::SolarizePixels(pixels.data(), out.data(), count, threshold);
      std::vector<std::uint8_t> inPlace = pixels;
      kernels::SolarizePixels(inPlace.data(), inPlace.data(), count, threshold);
      for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* s = &pixels[3 * i];
        const bool invert = threshold < (s[0] + s[1] + s[2]) / 3;
        for (int c = 0; c < 3; ++c) {
          ASSERT_EQ(out[3 * i + c], invert ? 255 - s[c] : s[c]) << "threshold " << threshold << " pixel " << i;
          ASSERT_EQ(inPlace[3 * i + c], out[3 * i + c]) << "in place, threshold " << threshold << " pixel " << i;
        }
      }
    }
  });
}

}  // namespace
}  // namespace kroma
