#pragma once
// Helpers shared by the canvas tests (SameImage is core's): finding what a
// call changed, and small images written as rows of text ('#' black, 'o' red,
// 'b' blue, '.' white, '?' anything else).
#include <string>
#include <vector>

#include "core/Bitmap.h"
#include "core/Types.h"

namespace kroma::testutil {

// The smallest rectangle holding every pixel that differs.
inline TRect DiffBounds(const TBitmap& a, const TBitmap& b) {
  TRect r;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.GetPixel(x, y) != b.GetPixel(x, y)) r = Union(r, {x, y, x + 1, y + 1});
  return r;
}

// True when `outer` holds all of `inner` (an empty inner is always held).
inline bool Holds(const TRect& outer, const TRect& inner) { return inner.IsEmpty() || Union(outer, inner) == outer; }

inline char PixelChar(TColor c) {
  return c == clBlack ? '#' : c == clRed ? 'o' : c == clBlue ? 'b' : c == clWhite ? '.' : '?';
}

inline std::vector<std::string> ToText(const TBitmap& b) {
  std::vector<std::string> rows;
  for (int y = 0; y < b.Height(); ++y) {
    std::string r;
    for (int x = 0; x < b.Width(); ++x) r += PixelChar(b.GetPixel(x, y));
    rows.push_back(r);
  }
  return rows;
}

inline TBitmap FromText(const std::vector<std::string>& rows) {
  TBitmap b(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      char ch = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
      b.SetPixel(x, y, ch == '#' ? clBlack : ch == 'o' ? clRed : ch == 'b' ? clBlue : clWhite);
    }
  return b;
}

}  // namespace kroma::testutil
