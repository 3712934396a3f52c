// Channel filters and colour keys of the paint effects component.
#include <array>
#include <cstdint>

#include "core/Bitmap.h"
#include "core/Types.h"
#include "effects/FilterSupport.h"
#include "effects/PaintFX.h"

namespace kroma {
namespace {

// Byte offsets of the channels in a 24-bit pixel.
constexpr int kBlue = 0, kGreen = 1, kRed = 2;

// Tests channel `channel` of every pixel against the open interval
// (low, high): 255 inside, 0 outside. With clearOthers the two other
// channels become 0, else they stay.
void ChannelFilter(TBitmap& bitmap, int low, int high, int channel, bool clearOthers) {
  detail::Ensure24Bit(bitmap);
  std::array<std::uint8_t, 256> pass{};
  for (int v = 0; v < 256; ++v) pass[static_cast<std::size_t>(v)] = low < v && v < high ? 255 : 0;
  const int width = bitmap.Width();
  detail::ForEachRowBand(bitmap, width, [&](int y0, int y1) {
    for (int y = y0; y < y1; ++y) {
      std::uint8_t* p = bitmap.ScanLine(y);
      if (clearOthers) {
        for (int x = 0; x < width; ++x, p += 3) {
          const std::uint8_t v = pass[p[channel]];
          p[0] = p[1] = p[2] = 0;
          p[channel] = v;
        }
      } else {
        for (int x = 0; x < width; ++x, p += 3) p[channel] = pass[p[channel]];
      }
    }
  });
}

// Blackens the pixels that equal the colour (keepMatches false) or those
// that do not (true), then makes black the bitmap's transparent colour.
void ColorKey(TBitmap& bitmap, TColor color, bool keepMatches) {
  detail::Ensure24Bit(bitmap);
  const TColor rgb = ColorToRGB(color);
  const std::uint8_t r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
  const int width = bitmap.Width();
  detail::ForEachRowBand(bitmap, width, [&](int y0, int y1) {
    for (int y = y0; y < y1; ++y) {
      std::uint8_t* p = bitmap.ScanLine(y);
      for (int x = 0; x < width; ++x, p += 3) {
        const bool match = p[kBlue] == b && p[kGreen] == g && p[kRed] == r;
        if (match != keepMatches) p[0] = p[1] = p[2] = 0;
      }
    }
  });
  bitmap.Transparent = true;
  bitmap.SetTransparentColor(clBlack);
}

}  // namespace

void TkelPaintFX::FilterRed(TBitmap& bitmap, int low, int high) { ChannelFilter(bitmap, low, high, kRed, true); }
void TkelPaintFX::FilterGreen(TBitmap& bitmap, int low, int high) { ChannelFilter(bitmap, low, high, kGreen, true); }
void TkelPaintFX::FilterBlue(TBitmap& bitmap, int low, int high) { ChannelFilter(bitmap, low, high, kBlue, true); }
void TkelPaintFX::FilterXRed(TBitmap& bitmap, int low, int high) { ChannelFilter(bitmap, low, high, kRed, false); }
void TkelPaintFX::FilterXGreen(TBitmap& bitmap, int low, int high) { ChannelFilter(bitmap, low, high, kGreen, false); }
void TkelPaintFX::FilterXBlue(TBitmap& bitmap, int low, int high) { ChannelFilter(bitmap, low, high, kBlue, false); }

void TkelPaintFX::KeepColor(TBitmap& bitmap, TColor color) { ColorKey(bitmap, color, true); }
void TkelPaintFX::DropColor(TBitmap& bitmap, TColor color) { ColorKey(bitmap, color, false); }

}  // namespace kroma
