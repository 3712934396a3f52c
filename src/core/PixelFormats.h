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

// A channel value of 0..max scaled to 0..255, rounded to nearest (max > 0).
// Every widening of a channel (5-6-5 pixels, BMP bit masks) goes through it.
constexpr std::uint8_t ScaleToByte(std::uint32_t value, std::uint32_t max) {
  return static_cast<std::uint8_t>((std::uint64_t{value} * 510 + max) / (std::uint64_t{max} * 2));
}

// Index of the palette entry nearest to a colour (smallest squared
// distance, first entry on a tie); 0 for an empty palette. One lookup, no
// set-up: for single pixels.
std::uint8_t NearestIndex(const std::vector<TColor>& palette, TColor color);

// The same mapping for many pixels. Each cell of 16 x 16 x 16 colours keeps
// the few palette entries that can be nearest to any colour in it, so a
// lookup searches those only and still gives the exact answer.
class TNearestColor {
 public:
  explicit TNearestColor(const std::vector<TColor>& palette);
  std::uint8_t Index(std::uint8_t r, std::uint8_t g, std::uint8_t b);

 private:
  std::int32_t BuildCell(int cell);
  std::vector<TColor> palette_;
  std::vector<std::int32_t> cellStart_;  // per cell: offset in pool_, -1 = not yet built
  std::vector<std::uint16_t> pool_;      // per built cell: count, then palette indices
};

// Row conversions. `width` pixels; dst/src 24-bit rows are blue, green, red.
// Palette indices beyond the palette read as black. RowFromBgr24 maps 16-bit
// channels to the nearest 5 or 6-bit level and leaves the unused byte of
// 32-bit pixels 0.
void RowToBgr24(const std::uint8_t* src, TPixelFormat pf, const std::vector<TColor>& palette, int width,
                std::uint8_t* dst);
void RowFromBgr24(const std::uint8_t* src, TPixelFormat pf, TNearestColor* mapper, int width, std::uint8_t* dst);

// Clears the bits of a stored row that lie after its last pixel, so that
// rows compare and save the same whatever was there before.
void ClearRowPadding(std::uint8_t* row, int width, TPixelFormat pf, std::int64_t stride);

}  // namespace kroma
