// A scanline fill: each run is widened to its full extent, remembered, and
// the rows above and below are scanned along it for runs still to do. A
// row's maximal run of matching pixels is taken whole or not at all, so one
// bit per pixel (looked at once per run) says what is taken, and the row a
// run was reached from is scanned only beyond its parent run.
#include "core/RasterFlood.h"

#include <algorithm>
#include <vector>

namespace kroma {

namespace {

struct Seed {
  int x, y;
  int parentY, parentX0, parentX1;  // the run this seed was found from
};

}  // namespace

TSpanSet FloodArea(const TBitmap& bitmap, int x, int y, TColor color, bool matchColor) {
  const int width = bitmap.Width(), height = bitmap.Height();
  if (x < 0 || y < 0 || x >= width || y >= height) return {};
  const TColor plain = ColorToRGB(color);
  const std::uint8_t k0 = GetBValue(plain), k1 = GetGValue(plain), k2 = GetRValue(plain);
  auto qualifies = [&](const std::uint8_t* row, int px) {
    const std::uint8_t* p = row + std::int64_t{px} * 3;
    return (p[0] == k0 && p[1] == k1 && p[2] == k2) == matchColor;
  };
  if (!qualifies(bitmap.ScanLine(y), x)) return {};

  std::vector<std::uint64_t> taken((static_cast<std::size_t>(width) * static_cast<std::size_t>(height) + 63) / 64);
  auto bit = [width](int px, int py) { return static_cast<std::size_t>(py) * static_cast<std::size_t>(width) + static_cast<std::size_t>(px); };
  auto isTaken = [&](int px, int py) { std::size_t i = bit(px, py); return (taken[i >> 6] >> (i & 63)) & 1; };

  std::vector<TSpan> runs;
  std::vector<Seed> stack{{x, y, -1, 0, 0}};
  // Pushes a seed for every run of matching, untaken pixels of row ny within [from, to).
  auto scan = [&](int ny, int from, int to, int x0, int x1, int py) {
    const std::uint8_t* row = bitmap.ScanLine(ny);
    for (int nx = from; nx < to;) {
      if (!qualifies(row, nx)) {
        ++nx;
        continue;
      }
      if (!isTaken(nx, ny)) stack.push_back({nx, ny, py, x0, x1});
      while (nx < to && qualifies(row, nx)) ++nx;
    }
  };
  while (!stack.empty()) {
    const Seed s = stack.back();
    stack.pop_back();
    if (isTaken(s.x, s.y)) continue;
    const std::uint8_t* row = bitmap.ScanLine(s.y);
    int x0 = s.x, x1 = s.x + 1;
    while (x0 > 0 && qualifies(row, x0 - 1)) --x0;
    while (x1 < width && qualifies(row, x1)) ++x1;
    for (std::size_t i = bit(x0, s.y), end = bit(x1, s.y); i < end; ++i) taken[i >> 6] |= std::uint64_t{1} << (i & 63);
    runs.push_back({s.y, x0, x1});
    for (int ny : {s.y - 1, s.y + 1}) {
      if (ny < 0 || ny >= height) continue;
      if (ny == s.parentY) {  // the parent run itself is taken: look only beyond it
        scan(ny, x0, std::min(x1, s.parentX0), x0, x1, s.y);
        scan(ny, std::max(x0, s.parentX1), x1, x0, x1, s.y);
      } else {
        scan(ny, x0, x1, x0, x1, s.y);
      }
    }
  }
  return TSpanSet::FromUnsorted(std::move(runs));
}

}  // namespace kroma
