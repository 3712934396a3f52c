#pragma once
// Blends an image over a background through an 8-bit mask.

namespace kroma {

class TBitmap;

// The destination becomes the background; then, when the image and the
// mask have the same size, each pixel with mask byte m gets
// b = factor * (offset + m) / 255 and per channel
// Round((1 - b) * background + b * image), clamped to 0..255. With offset 0
// and factor 1, mask 0 shows the background and 255 the image. The mask's
// bytes are read in 8-bit form (another format is converted to it as a
// bitmap conversion does); only the area the background and the image
// share is blended. A factor that is not finite is an Error and changes
// nothing. The destination may be any of the other three.
void MaskBlend(const TBitmap& background, const TBitmap& image, const TBitmap& mask, int offset, double factor,
               TBitmap& dest);

}  // namespace kroma
