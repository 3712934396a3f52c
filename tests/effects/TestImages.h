#pragma once
// Small fixtures for the filter tests.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <random>
#include <vector>

#include "core/Bitmap.h"
#include "effects/FilterThreads.h"

namespace kroma::testing {

using Bgr = std::array<int, 3>;

inline Bgr At(const TBitmap& b, int x, int y) {
  const std::uint8_t* p = b.ScanLine(y) + x * 3;
  return {p[0], p[1], p[2]};
}

inline void Put(TBitmap& b, int x, int y, Bgr v) {
  std::uint8_t* p = b.ScanLine(y) + x * 3;
  for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>(v[static_cast<std::size_t>(c)]);
}

// Deterministic noise in every byte.
inline TBitmap Noise(int width, int height, unsigned seed = 1) {
  TBitmap b(width, height);
  std::mt19937 rng(seed);
  for (int y = 0; y < height; ++y)
    for (int i = 0; i < width * 3; ++i) b.ScanLine(y)[i] = static_cast<std::uint8_t>(rng() & 0xFF);
  return b;
}

// One row of grey pixels with the given values.
inline TBitmap GreyRow(std::initializer_list<int> values) {
  TBitmap b(static_cast<int>(values.size()), 1);
  int x = 0;
  for (int v : values) Put(b, x++, 0, {v, v, v});
  return b;
}

// One column of grey pixels.
inline TBitmap GreyColumn(std::initializer_list<int> values) {
  TBitmap b(1, static_cast<int>(values.size()));
  int y = 0;
  for (int v : values) Put(b, 0, y++, {v, v, v});
  return b;
}

// Channel 0 of every pixel of row y (or column x) as a list.
inline std::vector<int> RowValues(const TBitmap& b, int y = 0) {
  std::vector<int> out;
  for (int x = 0; x < b.Width(); ++x) out.push_back(At(b, x, y)[0]);
  return out;
}
inline std::vector<int> ColumnValues(const TBitmap& b, int x = 0) {
  std::vector<int> out;
  for (int y = 0; y < b.Height(); ++y) out.push_back(At(b, x, y)[0]);
  return out;
}

// Restores the filters' thread count when a test that changes it ends.
struct TThreadCountScope {
  int saved = FilterThreadCount();
  ~TThreadCountScope() { SetFilterThreadCount(saved); }
};

}  // namespace kroma::testing
