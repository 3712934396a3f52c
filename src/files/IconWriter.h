#pragma once
// Icons from pictures: the colour of the bottom-left pixel becomes
// transparent, and the icon is written as a one-image ".ico" file with 16
// or 256 colours (the 16 VGA colours or the halftone palette, nearest
// colour) and a one-bit mask.
#include <cstdint>
#include <string>
#include <vector>

#include "core/Bitmap.h"
#include "core/Types.h"

namespace kroma {

constexpr int kIconSize = 32;
// Marks the picture's black pixels while black marks the transparent ones.
// A pixel of exactly this colour comes out black and opaque.
constexpr TColor kIconMarkerColor = RGB(250, 249, 248);

struct TIcon {
  TBitmap color;               // 24-bit; transparent pixels are black
  std::vector<bool> mask;      // row-major, top row first; true = transparent
  bool Transparent(int x, int y) const { return mask[static_cast<std::size_t>(y) * static_cast<std::size_t>(color.Width()) + static_cast<std::size_t>(x)]; }
};

// The picture drawn unscaled at (0, 0) on a white 32 x 32 icon (a larger
// one is cut at the right and bottom); its bottom-left colour is
// transparent. When that colour is the marker itself another marker is
// used, so that black pixels never turn transparent.
TIcon BitmapToIcon(const TBitmap& picture);

// The ".ico" file of an icon: bitsPerPixel 4 (16 colours, 766 bytes for
// 32 x 32) or 8 (256 colours, 2238 bytes).
std::vector<std::uint8_t> WriteIcon(const TIcon& icon, int bitsPerPixel);

// BitmapToIcon, then the file, written to a temporary name and renamed.
void SaveIconFile(const std::string& path, const TBitmap& picture, int bitsPerPixel);

}  // namespace kroma
