// A scanline fill: each run is widened to its full extent, remembered, and
// the rows above and below are scanned along it for runs still to do. A
// bit per pixel records what is taken, so every pixel is taken once.
#include "core/RasterFlood.h"

#include <cstring>
#include <vector>

namespace kroma {

namespace {

std::uint32_t Packed(const std::uint8_t* p) { return p[0] | (p[1] << 8) | (std::uint32_t{p[2]} << 16); }

class Visited {
 public:
  Visited(int width, int height)
      : width_(width), bits_((static_cast<std::size_t>(width) * static_cast<std::size_t>(height) + 63) / 64) {}
  bool Test(int x, int y) const {
    std::size_t i = Index(x, y);
    return (bits_[i >> 6] >> (i & 63)) & 1;
  }
  void SetRun(int y, int x0, int x1) {
    for (int x = x0; x < x1; ++x) {
      std::size_t i = Index(x, y);
      bits_[i >> 6] |= std::uint64_t{1} << (i & 63);
    }
  }

 private:
  std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x); }
  int width_;
  std::vector<std::uint64_t> bits_;
};

}  // namespace

TSpanSet FloodArea(const TBitmap& bitmap, int x, int y, TColor color, bool matchColor) {
  const int width = bitmap.Width(), height = bitmap.Height();
  if (x < 0 || y < 0 || x >= width || y >= height) return {};
  const TColor plain = ColorToRGB(color);
  const std::uint32_t key = static_cast<std::uint32_t>(GetBValue(plain)) | (GetGValue(plain) << 8) |
                            (static_cast<std::uint32_t>(GetRValue(plain)) << 16);
  auto qualifies = [&](const std::uint8_t* row, int px) { return (Packed(row + std::int64_t{px} * 3) == key) == matchColor; };
  if (!qualifies(bitmap.ScanLine(y), x)) return {};

  Visited visited(width, height);
  std::vector<TSpan> runs;
  struct Seed {
    int x, y;
  };
  std::vector<Seed> stack{{x, y}};
  while (!stack.empty()) {
    const Seed s = stack.back();
    stack.pop_back();
    if (visited.Test(s.x, s.y)) continue;
    const std::uint8_t* row = bitmap.ScanLine(s.y);
    int x0 = s.x, x1 = s.x + 1;
    while (x0 > 0 && qualifies(row, x0 - 1) && !visited.Test(x0 - 1, s.y)) --x0;
    while (x1 < width && qualifies(row, x1) && !visited.Test(x1, s.y)) ++x1;
    visited.SetRun(s.y, x0, x1);
    runs.push_back({s.y, x0, x1});
    for (int ny : {s.y - 1, s.y + 1}) {
      if (ny < 0 || ny >= height) continue;
      const std::uint8_t* nrow = bitmap.ScanLine(ny);
      bool inRun = false;
      for (int nx = x0; nx < x1; ++nx) {
        bool open = qualifies(nrow, nx) && !visited.Test(nx, ny);
        if (open && !inRun) stack.push_back({nx, ny});
        inRun = open;
      }
    }
  }
  return TSpanSet::FromUnsorted(std::move(runs));
}

}  // namespace kroma
