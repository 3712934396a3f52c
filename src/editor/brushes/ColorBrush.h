#pragma once
// The per-pixel work of the colour brushes: one mode applied inside the
// circle of a brush on a 24-bit bitmap. The brush steps (ColorBrushes.cpp)
// call it on the image itself; it touches only the brush's square.
#include "core/Types.h"

namespace kroma {

class TBitmap;

// The modes, in the order of the Color Brushes menu.
enum TColorBrushMode : int {
  cbBlue,           // keep blue only
  cbGreen,          // keep green only
  cbRed,            // keep red only
  cbNotBlue,        // drop blue
  cbNotGreen,       // drop green
  cbNotRed,         // drop red
  cbHalfBlue,       // blue * 9 div 10
  cbHalfGreen,      // green * 9 div 10
  cbHalfRed,        // red * 9 div 10
  cbDarker,         // each channel rnd(v * 10 / 11)
  cbBurning,        // each channel rnd(v * 11 / 10) mod 256
  cbGray,           // all channels rnd((B + G + R) / 3)
  cbRollMix,        // blue <- green <- red <- blue
  cbSmooth,         // four-neighbour average, in place in scan order
};

// The brush radius for a pen width: the width, but at least 5.
int ColorBrushRadius(int penWidth);

// Applies `mode` to the 2r x 2r square whose top-left corner is
// (at.x - r, at.y - r) and writes back the pixels inside the circle
// inscribed in it (the canvas's ellipse of the box (0, 0, 2r - 1, 2r - 1)),
// except those that came out exactly white. The square's pixels outside
// the bitmap count as white (smoothing reads them); they are never
// written. Returns the rectangle of the bitmap that may have changed.
// Needs pf24bit.
TRect PaintColorBrush(TBitmap& bitmap, TPoint at, TColorBrushMode mode, int r);

}  // namespace kroma
