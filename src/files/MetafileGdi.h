#pragma once
// The numeric values metafile records use for modes, styles and flags,
// shared by the WMF and EMF players.
#include <cstdint>

namespace kroma::gdi {

// Map modes.
constexpr int kMmText = 1, kMmLoMetric = 2, kMmHiMetric = 3, kMmLoEnglish = 4, kMmHiEnglish = 5, kMmTwips = 6,
              kMmIsotropic = 7, kMmAnisotropic = 8;

// Background modes.
constexpr int kTransparent = 1, kOpaque = 2;

// Polygon fill modes.
constexpr int kAlternate = 1, kWinding = 2;

// Text alignment bits.
constexpr unsigned kTaUpdateCp = 1, kTaRight = 2, kTaCenter = 6, kTaHorizontalMask = 6, kTaBottom = 8,
                   kTaBaseline = 24, kTaVerticalMask = 24;

// ExtTextOut options.
constexpr unsigned kEtoOpaque = 2, kEtoClipped = 4, kEtoGlyphIndex = 0x10, kEtoPdy = 0x2000;

// Pen styles (low four bits) and the geometric pen type.
constexpr std::uint32_t kPsSolid = 0, kPsDash = 1, kPsDot = 2, kPsDashDot = 3, kPsDashDotDot = 4, kPsNull = 5,
                        kPsInsideFrame = 6, kPsUserStyle = 7, kPsAlternate = 8, kPsStyleMask = 0xF,
                        kPsGeometric = 0x10000;

// Brush styles and hatches (pattern brushes are told apart by their
// bitmap, not by their style).
constexpr std::uint32_t kBsSolid = 0, kBsNull = 1, kBsHatched = 2;
constexpr std::uint32_t kHsHorizontal = 0, kHsVertical = 1, kHsFDiagonal = 2, kHsBDiagonal = 3, kHsCross = 4,
                        kHsDiagCross = 5;

// Colour tables of device-independent bitmaps: RGB entries or palette indices.
constexpr std::uint32_t kDibRgbColors = 0, kDibPalColors = 1;

// Region combination modes.
constexpr int kRgnAnd = 1, kRgnOr = 2, kRgnXor = 3, kRgnDiff = 4, kRgnCopy = 5;

// Arc directions.
constexpr int kArcCounterClockwise = 1, kArcClockwise = 2;

// Flood fill modes.
constexpr int kFloodBorder = 0, kFloodSurface = 1;

// Stock objects, as EMF records name them (with the high bit set).
constexpr std::uint32_t kStockBit = 0x80000000u;
constexpr std::uint32_t kWhiteBrush = 0, kLtGrayBrush = 1, kGrayBrush = 2, kDkGrayBrush = 3, kBlackBrush = 4,
                        kNullBrush = 5, kWhitePen = 6, kBlackPen = 7, kNullPen = 8, kOemFixedFont = 10,
                        kDefaultPalette = 15, kDcBrush = 18, kDcPen = 19;

// Colour references: a high byte of 1 makes the low word a palette index;
// otherwise the low three bytes are red, green and blue.
constexpr std::uint32_t kPaletteIndexColor = 0x01;

// Font weight from which text is bold.
constexpr int kBoldWeight = 600;
constexpr int kNonAntialiasedQuality = 3;

}  // namespace kroma::gdi
