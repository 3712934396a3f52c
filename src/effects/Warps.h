#pragma once
// Geometric filters from a source to a destination bitmap, computed in
// single precision. Every destination pixel is a bilinear sample of the
// source; positions outside the source wrap around. The destination may
// be the source itself; other pixel formats are converted to 24 bit.
#include <cstdint>

namespace kroma {

class TBitmap;

// The bilinear sample at (fx, fy) of a non-empty 24-bit source, written as
// blue, green, red to bgr. Weights follow the position's sign: for
// fx >= 0, wx1 = fx - Trunc(fx), else wx0 = Trunc(fx) - fx. Columns left
// of 0 wrap to width - (-ix mod width) - 1, columns past the last to
// ix mod width, and the right neighbour of the last column is column 0;
// rows alike. Positions are limited to +-2^30 first.
void FxSampleBilinear(const TBitmap& source, float fx, float fy, std::uint8_t* bgr);

// The angle of (dx, dy): arctan(dy / dx), plus pi when dx < 0; +-pi/2 on
// the vertical axis (-pi/2 for the origin).
float FxPolarAngle(float dx, float dy);

// Lens distortion about the source centre (width / 2, height / 2) with
// m = factor * destination width: a pixel at distance r is sampled at
// distance (1 / (1 - r / m) - 1) * m / 2 in the same direction, all in
// single precision. A factor of 0, or one whose m is not finite, is an
// Error and leaves the destination unchanged. A pixel on the lens edge
// (r = m) lies infinitely far out; it and the positions near it are
// limited to +-2^30.
void FxFishEye(const TBitmap& source, TBitmap& dest, double factor);

// Turns each pixel about the centre ((width - 1) / 2, (height - 1) / 2) by
// a quarter turn less one radian per `amount` pixels of distance. Amount 0
// is an Error and changes nothing.
void FxTwist(const TBitmap& source, TBitmap& dest, int amount);

}  // namespace kroma
