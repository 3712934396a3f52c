// TFont sizes: points at 96 dots per inch.
#include "core/Canvas.h"
#include "core/Numeric.h"

namespace kroma {

int TFont::PixelHeight() const { return SaturateRound(Size * 96.0 / 72.0); }

// Whole points cannot give every pixel height (14 pixels lies between 10
// and 11 points); such heights land on the nearest point size.
void TFont::SetPixelHeight(int pixels) { Size = SaturateRound(pixels * 72.0 / 96.0); }

}  // namespace kroma
