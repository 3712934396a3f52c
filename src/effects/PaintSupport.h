#pragma once
// Shared steps of the paint effects component's source-to-target routines.
#include <utility>

#include "core/Bitmap.h"

namespace kroma::detail {

// Makes the target a 24-bit width x height bitmap (pixels left for the
// caller to write), keeping its transparency settings. An empty size is
// made afresh: resizing to no columns but some rows is not done in place.
inline void ShapeTarget(TBitmap& target, int width, int height) {
  target.SetPixelFormat(pf24bit);
  if (width > 0 && height > 0) {
    target.SetSize(width, height);
    return;
  }
  TBitmap empty(width, height);
  empty.Transparent = target.Transparent;
  if (target.TransparentMode() == tmFixed) empty.SetTransparentColor(target.TransparentColor());
  target = std::move(empty);
}

}  // namespace kroma::detail
