#pragma once
// Standard palettes and row conversions between the pixel formats and
// 24-bit blue-green-red rows.
#include <array>
#include <cstdint>
#include <vector>

#include "core/Bitmap.h"
#include "core/Types.h"

namespace kroma {

// The 20 fixed system colours (entries 0..9 and 246..255 of the halftone
// palette).
const std::array<TColor, 20>& SystemColors20();
// Black and white; the 16 VGA colours; the 256-colour halftone palette
// (system colours, a 6x6x6 cube and a grey ramp).
const std::vector<TColor>& StandardPalette(TPixelFormat pf);

// Maps colours to the nearest palette entry (smallest squared distance,
// first entry on a tie). Exact for colours in the palette; other colours
// use a cache per cell of 32 x 32 x 32.
class TNearestColor {
 public:
  explicit TNearestColor(const std::vector<TColor>& palette);
  std::uint8_t Index(std::uint8_t r, std::uint8_t g, std::uint8_t b);

 private:
  std::uint8_t Search(int r, int g, int b) const;
  std::vector<TColor> palette_;
  std::vector<std::int16_t> cache_;      // per cell; -1 = not yet computed
  std::vector<std::uint8_t> hasExact_;   // per cell: a palette entry lies in it
};

// Row conversions. `width` pixels; dst/src 24-bit rows are blue, green, red.
void RowToBgr24(const std::uint8_t* src, TPixelFormat pf, const std::vector<TColor>& palette, int width,
                std::uint8_t* dst);
void RowFromBgr24(const std::uint8_t* src, TPixelFormat pf, TNearestColor* mapper, int width, std::uint8_t* dst);

}  // namespace kroma
