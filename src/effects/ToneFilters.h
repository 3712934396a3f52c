#pragma once
// Filters that map each pixel on its own: tone curves per channel, grey
// scale, solarize and posterize. Bitmaps in other formats are converted to
// 24 bit. Integer "/" in the formulas below truncates toward zero.

namespace kroma {

class TBitmap;

// Every channel v becomes 255 - v.
void FxInvert(TBitmap& bitmap);
// All three bytes become Round(0.30 B + 0.59 G + 0.11 R), ties to even,
// where B is byte 0 and R byte 2: blue has the larger weight, and stored
// images rely on exactly these weights.
void FxGrayScale(TBitmap& bitmap);
// v + a (255 - v) / 255, clamped.
void FxLighter(TBitmap& bitmap, int amount);
// v - a v / 255, clamped.
void FxDarker(TBitmap& bitmap, int amount);
// d = a |127 - v| / 255 pushes v away from the middle (v >= 128 up, else
// down); a negative amount pulls toward it. Clamped.
void FxContrast(TBitmap& bitmap, int amount);
// g = (B + G + R) / 3; each channel g + a (v - g) / 255, clamped. 255 keeps
// the pixel, 0 makes it grey, more saturates.
void FxSaturation(TBitmap& bitmap, int amount);

// Source to destination (same size, or Error before anything changes; the
// two may be the same bitmap): pixels brighter than the threshold, by
// (B + G + R) / 3, are inverted, the others copied.
void FxSolarize(const TBitmap& source, TBitmap& dest, int threshold);
// Each channel becomes s * Round(v / s), ties to even, clamped to 255 where
// that exceeds a byte. A step of 0 is an Error and changes nothing.
void FxPosterize(const TBitmap& source, TBitmap& dest, int step);

}  // namespace kroma
