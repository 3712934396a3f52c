#pragma once
// Device-independent bitmaps as metafile records carry them: the bitmap
// info (header and colour table) and the pixel bits, decoded with the BMP
// reader. A DIB that cannot be decoded throws TBadRecord.
#include <cstdint>
#include <span>
#include <vector>

#include "core/Bitmap.h"
#include "core/RasterGeometry.h"
#include "core/Types.h"

namespace kroma {

struct TDibParts {
  std::span<const std::uint8_t> info;
  std::span<const std::uint8_t> bits;
};

// Splits a DIB whose bits follow its info directly (as WMF records hold
// it). `usage` says whether the colour table holds colours or palette
// indices (gdi::kDibRgbColors, gdi::kDibPalColors).
TDibParts SplitPackedDib(std::span<const std::uint8_t> dib, std::uint32_t usage);

// The DIB's rows: positive for bottom-up, negative for top-down.
std::int32_t DibHeight(std::span<const std::uint8_t> info);

// Decodes a DIB. Palette-index colour tables take their colours from
// `palette`. With `rows` > 0 only that many rows are stored in `bits` (the
// lowest of a bottom-up DIB, the top ones of a top-down DIB).
TBitmap DecodeDib(TDibParts dib, std::uint32_t usage, const std::vector<TColor>& palette, std::int32_t rows = 0);

// The source rectangle of a DIB copy, given from the bottom-left corner
// of bottom-up DIBs and from the top-left of top-down ones.
TRect DibSourceRect(const TBitmap& dib, bool bottomUp, int x, int y, int width, int height);

class TMetafileDevice;

// A copy of a DIB's rectangle into a logical rectangle.
struct TDibCopy {
  TPointF destA, destB;  // opposite corners
  int srcX = 0, srcY = 0, srcWidth = 0, srcHeight = 0;
  std::uint32_t rop = 0;
  // Whether the source's y counts from the bottom of a bottom-up DIB (the
  // DIB calls) or from the top as the picture shows (the DC copies).
  bool fromBottom = false;
  // SetDIBitsToDevice: only `rows` rows from row `firstRow` (counted from
  // the bottom) are stored; 0 for all.
  std::int32_t rows = 0, firstRow = 0;
};
// Decodes the DIB and copies it on the device; throws TBadRecord when it
// cannot be decoded.
void CopyDib(TMetafileDevice& device, TDibParts dib, std::uint32_t usage, const TDibCopy& copy);

}  // namespace kroma
