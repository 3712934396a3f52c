#include "core/RasterLine.h"

#include <algorithm>
#include <cstdlib>

namespace kroma {

namespace {

__extension__ typedef __int128 I128;

I128 FloorDiv(I128 a, I128 b) {  // b > 0
  I128 q = a / b;
  return (a % b != 0 && a < 0) ? q - 1 : q;
}

// The line in major/minor coordinates, from its end with the smaller major
// coordinate: minor(m) = n0 + floor((2 dn (m - m0) + dm) / (2 dm)).
struct MajorLine {
  std::int64_t m0, n0, dm, dn;  // dm > 0, |dn| <= dm
  std::int64_t MinorAt(std::int64_t m) const {
    return n0 + static_cast<std::int64_t>(FloorDiv(I128{2} * dn * (m - m0) + dm, I128{2} * dm));
  }
};

// First m in [lo, hi] where pred holds (pred false then true), or hi + 1.
template <class Pred>
std::int64_t FirstTrue(std::int64_t lo, std::int64_t hi, Pred pred) {
  std::int64_t end = hi + 1;
  while (lo < end) {
    std::int64_t mid = lo + (end - lo) / 2;
    if (pred(mid)) end = mid;
    else lo = mid + 1;
  }
  return lo;
}

}  // namespace

std::int64_t LineSteps(TPoint a, TPoint b) {
  return std::max(std::llabs(std::int64_t{b.x} - a.x), std::llabs(std::int64_t{b.y} - a.y));
}

void RasterLine(TPoint a, TPoint b, const TRect& window, std::int64_t position0, TOutlineCollector& out) {
  const std::int64_t dx = std::int64_t{b.x} - a.x, dy = std::int64_t{b.y} - a.y;
  if ((dx == 0 && dy == 0) || window.IsEmpty()) return;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const std::int64_t am = xMajor ? a.x : a.y, an = xMajor ? a.y : a.x;
  const std::int64_t bm = xMajor ? b.x : b.y, bn = xMajor ? b.y : b.x;
  const std::int64_t mLo = xMajor ? window.Left : window.Top, mHi = (xMajor ? window.Right : window.Bottom) - 1;
  const std::int64_t nLo = xMajor ? window.Top : window.Left, nHi = (xMajor ? window.Bottom : window.Right) - 1;

  MajorLine line = am < bm ? MajorLine{am, an, bm - am, bn - an} : MajorLine{bm, bn, am - bm, an - bn};
  const std::int64_t mEnd = line.m0 + line.dm;
  // Leave out b's pixel: b has the largest or the smallest major coordinate.
  std::int64_t lo = bm == mEnd ? line.m0 : line.m0 + 1;
  std::int64_t hi = bm == mEnd ? mEnd - 1 : mEnd;
  lo = std::max(lo, mLo);
  hi = std::min(hi, mHi);
  if (lo > hi) return;
  // The minor coordinate is monotone in m: cut the range to the window's rows.
  if (line.dn >= 0) {
    lo = FirstTrue(lo, hi, [&](std::int64_t m) { return line.MinorAt(m) >= nLo; });
    hi = FirstTrue(lo, hi, [&](std::int64_t m) { return line.MinorAt(m) > nHi; }) - 1;
  } else {
    lo = FirstTrue(lo, hi, [&](std::int64_t m) { return line.MinorAt(m) <= nHi; });
    hi = FirstTrue(lo, hi, [&](std::int64_t m) { return line.MinorAt(m) < nLo; }) - 1;
  }
  if (lo > hi) return;

  // Step from lo with the remainder of the division kept exact.
  const std::int64_t twoDm = 2 * line.dm, twoDn = 2 * line.dn;
  const I128 num = I128{twoDn} * (lo - line.m0) + line.dm;
  std::int64_t n = line.n0 + static_cast<std::int64_t>(FloorDiv(num, twoDm));
  std::int64_t rem = static_cast<std::int64_t>(num - FloorDiv(num, twoDm) * twoDm);
  auto position = [&](std::int64_t m) { return position0 + std::llabs(m - am); };
  const int step = am <= lo ? 1 : -1;  // direction of positions along increasing m

  std::int64_t runStart = lo, runMinor = n;
  for (std::int64_t m = lo; m <= hi; ++m) {
    if (m > lo) {
      rem += twoDn;
      if (rem >= twoDm) {
        rem -= twoDm;
        ++n;
      } else if (rem < 0) {
        rem += twoDm;
        --n;
      }
    }
    if (xMajor) {
      if (n != runMinor) {
        out.AddRun(static_cast<int>(runMinor), static_cast<int>(runStart), static_cast<int>(m), position(runStart), step);
        runStart = m;
        runMinor = n;
      }
    } else {
      out.AddPixel(static_cast<int>(n), static_cast<int>(m), position(m));
    }
  }
  if (xMajor)
    out.AddRun(static_cast<int>(runMinor), static_cast<int>(runStart), static_cast<int>(hi + 1), position(runStart),
               step);
}

}  // namespace kroma
