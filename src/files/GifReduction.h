#pragma once
// The colour reduction that turns a picture into a GIF frame of at most 256
// colours: one palette mode and one dithering method, chosen program-wide.
// The GIF saves and split-save pieces use the current settings; the GIF
// Optimizer window changes them for the rest of the run.
#include <vector>

#include "core/Types.h"

namespace kroma {

class TBitmap;

enum class TGifPaletteMode {
  None,              // the picture's own colours; more than 256 is an error
  Windows20,         // the 20 static system colours
  Windows256,        // the 256-colour halftone palette
  WindowsGray,       // greys 0, 128, 192, 255
  Monochrome,        // black and white by luminance
  GrayScale,         // 256 greys by luminance
  Netscape,          // the 6 x 6 x 6 web cube
  Optimized,         // an octree palette of 2^reductionBits colours
  OptimizedWindows,  // system colours at 0..9 and 246..255, octree colours between
};

enum class TGifDither {
  FloydSteinberg,
  NearestColor,  // no diffusion
  Stucki,
  Burkes,
  Sierra,
  JarvisJudiceNinke,
  StevensonArce,
};

struct TGifReduction {
  TGifPaletteMode palette = TGifPaletteMode::Netscape;
  TGifDither dither = TGifDither::NearestColor;
  int reductionBits = 8;  // 3 .. 8, for TGifPaletteMode::Optimized
  friend bool operator==(const TGifReduction&, const TGifReduction&) = default;
};

// The settings every GIF save uses; they start as TGifReduction{} and last
// for the run (they are not saved).
TGifReduction GifReductionSettings();
// Throws Error (and keeps the old settings) for reduction bits outside 3 .. 8.
void SetGifReductionSettings(const TGifReduction& settings);

// Reduces a picture of any pixel format to an 8-bit palette image, whatever
// its format (a palette picture is reduced like any other).
// TGifPaletteMode::None throws Error when it has more than 256 colours.
TBitmap ReduceColors(const TBitmap& picture, const TGifReduction& settings);

// The frame a GIF save writes: palette pictures (1, 4, 8 bits) are taken
// over as they are, others go through ReduceColors.
TBitmap MakeGifFrame(const TBitmap& picture, const TGifReduction& settings);

// The fixed palette of a mode (empty for None, Optimized and
// OptimizedWindows, whose palettes come from the picture).
std::vector<TColor> FixedGifPalette(TGifPaletteMode mode);

}  // namespace kroma
