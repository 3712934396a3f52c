#include "core/RasterEllipse.h"

#include <algorithm>
#include <cmath>

#include "core/Numeric.h"

namespace kroma {

namespace {

__extension__ typedef unsigned __int128 U128;

// A 256-bit unsigned product, enough for the ellipse test on 35-bit values.
struct U256 {
  U128 hi, lo;
};

U256 Multiply(U128 a, U128 b) {
  const U128 mask = ~std::uint64_t{0};
  U128 a0 = a & mask, a1 = a >> 64, b0 = b & mask, b1 = b >> 64;
  U128 p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
  U128 middle = (p00 >> 64) + (p01 & mask) + (p10 & mask);
  U256 r;
  r.lo = (p00 & mask) | (middle << 64);
  r.hi = p11 + (p01 >> 64) + (p10 >> 64) + (middle >> 64);
  return r;
}

bool LessOrEqual(const U256& a, const U256& b) { return a.hi != b.hi ? a.hi < b.hi : a.lo <= b.lo; }

U128 Square(std::int64_t v) {
  std::uint64_t u = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
  return static_cast<U128>(u) * u;
}

}  // namespace

bool EllipseRow(const TBox64& box, std::int64_t y, std::int64_t& x0, std::int64_t& x1) {
  if (box.IsEmpty() || y < box.top || y >= box.bottom) return false;
  const std::int64_t w = box.Width(), h = box.Height();
  const std::int64_t yy = 2 * y + 1 - (box.top + box.bottom);  // |yy| < h
  const U128 w2 = Square(w), h2 = Square(h);
  const U256 rhs = Multiply(w2, h2 - Square(yy));
  auto fits = [&](std::int64_t xx) { return LessOrEqual(Multiply(Square(xx), h2), rhs); };
  // Estimate the half width, then settle it exactly; X keeps the parity of w + 1.
  const std::int64_t parity = (w + 1) & 1;
  double estimate = static_cast<double>(w) *
                    std::sqrt(static_cast<double>(h - yy) * static_cast<double>(h + yy)) / static_cast<double>(h);
  std::int64_t xx = std::min<std::int64_t>(w, TruncToInt64(estimate, "ellipse size") + 2);
  if ((xx & 1) != parity) --xx;
  while (xx >= 0 && !fits(xx)) xx -= 2;
  if (xx < 0) return false;
  while (xx + 2 <= w && fits(xx + 2)) xx += 2;
  const std::int64_t sum = box.left + box.right - 1;
  x0 = (sum - xx) / 2;
  x1 = (sum + xx) / 2 + 1;
  return true;
}

bool RoundRectRow(const TBox64& box, std::int64_t cornerW, std::int64_t cornerH, std::int64_t y, std::int64_t& x0,
                  std::int64_t& x1) {
  if (box.IsEmpty() || y < box.top || y >= box.bottom) return false;
  const std::int64_t w = box.Width(), h = box.Height();
  const std::int64_t cw = std::clamp<std::int64_t>(cornerW, 0, w), ch = std::clamp<std::int64_t>(cornerH, 0, h);
  const std::int64_t half = ch / 2;
  std::int64_t cornerRow;
  if (cw > 0 && y - box.top < half) {
    cornerRow = y;
  } else if (cw > 0 && box.bottom - 1 - y < half) {
    cornerRow = y - (h - ch);
  } else {
    x0 = box.left;
    x1 = box.right;
    return true;
  }
  const TBox64 corner{box.left, box.top, box.left + cw, box.top + ch};
  if (!EllipseRow(corner, cornerRow, x0, x1)) return false;
  x1 += w - cw;
  return true;
}

namespace {

template <class RowFn>
TSpanSet RowsInWindow(const TBox64& box, const TRect& window, RowFn row) {
  TSpanSet out;
  std::int64_t y0 = std::max<std::int64_t>(box.top, window.Top), y1 = std::min<std::int64_t>(box.bottom, window.Bottom);
  for (std::int64_t y = y0; y < y1; ++y) {
    std::int64_t x0, x1;
    if (!row(y, x0, x1)) continue;
    x0 = std::max<std::int64_t>(x0, window.Left);
    x1 = std::min<std::int64_t>(x1, window.Right);
    out.AppendSorted(static_cast<int>(y), static_cast<int>(x0), static_cast<int>(x1));
  }
  return out;
}

}  // namespace

TSpanSet EllipseArea(const TBox64& box, const TRect& window) {
  return RowsInWindow(box, window, [&](std::int64_t y, std::int64_t& x0, std::int64_t& x1) {
    return EllipseRow(box, y, x0, x1);
  });
}

TSpanSet RoundRectArea(const TBox64& box, std::int64_t cornerW, std::int64_t cornerH, const TRect& window) {
  return RowsInWindow(box, window, [&](std::int64_t y, std::int64_t& x0, std::int64_t& x1) {
    return RoundRectRow(box, cornerW, cornerH, y, x0, x1);
  });
}

}  // namespace kroma
