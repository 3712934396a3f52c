#include "files/MetafileSupport.h"

#include <algorithm>
#include <cmath>

#include "core/Bitmap.h"
#include "core/Error.h"
#include "core/Numeric.h"

namespace kroma {

void FailMetafile(const char* format, const std::string& why) {
  throw Error(std::string("Invalid ") + format + " file: " + why);
}

TDrawingSize CheckedDrawingSize(const char* format, double width, double height, std::int64_t maxPixels) {
  if (!std::isfinite(width) || !std::isfinite(height) || width <= 0 || height <= 0)
    FailMetafile(format, "the drawing has no size");
  // Beyond 2^31 the size is refused below, whatever it is exactly.
  constexpr double kLimit = 2147483648.0;
  const std::int64_t w = std::max<std::int64_t>(1, RoundToInt64(std::min(width, kLimit)));
  const std::int64_t h = std::max<std::int64_t>(1, RoundToInt64(std::min(height, kLimit)));
  CheckImageSize(w, h);
  if (w * h > maxPixels)
    throw Error("Image too large: " + std::to_string(w) + " x " + std::to_string(h) + " pixels exceeds the limit of " +
                std::to_string(maxPixels) + " pixels");
  return {static_cast<int>(w), static_cast<int>(h)};
}

}  // namespace kroma
