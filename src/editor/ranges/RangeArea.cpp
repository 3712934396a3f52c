#include "editor/ranges/RangeArea.h"

#include "core/Bitmap.h"
#include "core/Error.h"

namespace kroma {

TRect RangeArea(const TRect& range, int width, int height) {
  return Intersect(range.Normalized(), TRect{0, 0, width, height});
}

TRect RangeArea(const TRect& range, const TBitmap& image) {
  return RangeArea(range, image.Width(), image.Height());
}

TRect RequireRangeArea(const TRect& range, const TBitmap& image) {
  TRect area = RangeArea(range, image);
  if (area.IsEmpty())
    throw Error("No selection: the range covers no pixel of the image. Drag a range with Select Range first.");
  return area;
}

}  // namespace kroma
