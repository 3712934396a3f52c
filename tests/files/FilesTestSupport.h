#pragma once
// Helpers shared by the file tests: pictures, temporary folders, bytes.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/Bitmap.h"

namespace kroma::test {

using Bytes = std::vector<std::uint8_t>;

// A 24-bit picture whose every pixel differs from its neighbours.
inline TBitmap Pattern(int w, int h) {
  TBitmap b(w, h, pf24bit, {});
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = b.ScanLine(y) + 3 * x;
      p[0] = static_cast<std::uint8_t>(x * 37 + y * 11);
      p[1] = static_cast<std::uint8_t>(x * 5 + y * 71);
      p[2] = static_cast<std::uint8_t>(x * 13 ^ y * 29);
    }
  return b;
}

// Pixels compared as colours, any formats.
inline ::testing::AssertionResult SamePixels(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height())
    return ::testing::AssertionFailure() << "size " << a.Width() << "x" << a.Height() << " vs " << b.Width() << "x"
                                         << b.Height();
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.GetPixel(x, y) != b.GetPixel(x, y))
        return ::testing::AssertionFailure() << "pixel (" << x << "," << y << "): " << std::hex << a.GetPixel(x, y)
                                             << " vs " << b.GetPixel(x, y);
  return ::testing::AssertionSuccess();
}

// Mean absolute channel difference of two 24-bit pictures of one size.
inline double MeanError(const TBitmap& a, const TBitmap& b) {
  double sum = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < 3 * a.Width(); ++x) sum += std::abs(a.ScanLine(y)[x] - b.ScanLine(y)[x]);
  return sum / (3.0 * a.Width() * a.Height());
}

// A fresh folder, removed with everything in it at the end of the test.
class TempDir {
 public:
  TempDir() {
    path_ = std::filesystem::temp_directory_path() /
            ("kroma-files-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

inline std::uint32_t Le32At(const Bytes& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}
inline std::uint16_t Le16At(const Bytes& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

}  // namespace kroma::test
