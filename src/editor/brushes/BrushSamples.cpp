#include "editor/brushes/BrushSamples.h"

#include <algorithm>

#include "core/Bitmap.h"

namespace kroma {

TColor SampleNearest(const TBitmap& image, std::int64_t x, std::int64_t y) {
  if (image.Empty()) return clWhite;
  return image.GetPixel(static_cast<int>(std::clamp<std::int64_t>(x, 0, image.Width() - 1)),
                        static_cast<int>(std::clamp<std::int64_t>(y, 0, image.Height() - 1)));
}

}  // namespace kroma
