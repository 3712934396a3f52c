#pragma once
// The coordinate spaces of a metafile: world space (EMF transforms), page
// space (map mode, window and viewport) and the device the page lands on.
#include <optional>

#include "core/RasterGeometry.h"

namespace kroma {

// An affine transform as metafiles store it:
// x' = x m11 + y m21 + dx, y' = x m12 + y m22 + dy.
struct TXForm {
  double m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;

  TPointF Apply(TPointF p) const { return {p.x * m11 + p.y * m21 + dx, p.x * m12 + p.y * m22 + dy}; }
  // The linear part only, for lengths and directions.
  TPointF ApplyVector(TPointF v) const { return {v.x * m11 + v.y * m21, v.x * m12 + v.y * m22}; }
  // This transform followed by `next`.
  TXForm Then(const TXForm& next) const;
  // std::nullopt when the transform cannot be inverted.
  std::optional<TXForm> Inverse() const;
  bool AxisAligned() const { return m12 == 0 && m21 == 0; }
  bool Finite() const;
};

// The page: map mode, window and viewport (origins and extents).
struct TPageMapping {
  int mapMode = 1;  // text: one logical unit is one device pixel
  double windowOrgX = 0, windowOrgY = 0, windowExtX = 1, windowExtY = 1;
  double viewportOrgX = 0, viewportOrgY = 0, viewportExtX = 1, viewportExtY = 1;
};

// Page space to device space. The metric and English map modes use the
// device's resolution in pixels per millimetre and make y grow upwards;
// the isotropic mode keeps both scales at the smaller of the two.
TXForm PageToDevice(const TPageMapping& page, double pixelsPerMmX, double pixelsPerMmY);

}  // namespace kroma
