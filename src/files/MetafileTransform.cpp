#include "files/MetafileTransform.h"

#include <algorithm>
#include <cmath>

#include "files/MetafileGdi.h"

namespace kroma {

TXForm TXForm::Then(const TXForm& n) const {
  return {m11 * n.m11 + m12 * n.m21,  m11 * n.m12 + m12 * n.m22,  m21 * n.m11 + m22 * n.m21,
          m21 * n.m12 + m22 * n.m22,  dx * n.m11 + dy * n.m21 + n.dx, dx * n.m12 + dy * n.m22 + n.dy};
}

std::optional<TXForm> TXForm::Inverse() const {
  const double det = m11 * m22 - m12 * m21;
  if (det == 0 || !std::isfinite(det)) return std::nullopt;
  TXForm r{m22 / det, -m12 / det, -m21 / det, m11 / det, 0, 0};
  r.dx = -(dx * r.m11 + dy * r.m21);
  r.dy = -(dx * r.m12 + dy * r.m22);
  if (!r.Finite()) return std::nullopt;
  return r;
}

bool TXForm::Finite() const {
  return std::isfinite(m11) && std::isfinite(m12) && std::isfinite(m21) && std::isfinite(m22) && std::isfinite(dx) &&
         std::isfinite(dy);
}

namespace {

// Millimetres per logical unit of the fixed-scale map modes.
double MillimetresPerUnit(int mapMode) {
  switch (mapMode) {
    case gdi::kMmLoMetric: return 0.1;
    case gdi::kMmHiMetric: return 0.01;
    case gdi::kMmLoEnglish: return 0.254;
    case gdi::kMmHiEnglish: return 0.0254;
    case gdi::kMmTwips: return 25.4 / 1440;
    default: return 0;
  }
}

}  // namespace

TXForm PageToDevice(const TPageMapping& page, double pixelsPerMmX, double pixelsPerMmY) {
  double sx = 1, sy = 1;
  if (const double mm = MillimetresPerUnit(page.mapMode); mm > 0) {
    sx = mm * pixelsPerMmX;
    sy = -mm * pixelsPerMmY;
  } else if (page.mapMode == gdi::kMmIsotropic || page.mapMode == gdi::kMmAnisotropic) {
    sx = page.viewportExtX / page.windowExtX;
    sy = page.viewportExtY / page.windowExtY;
    if (page.mapMode == gdi::kMmIsotropic) {
      const double m = std::min(std::abs(sx), std::abs(sy));
      sx = std::copysign(m, sx);
      sy = std::copysign(m, sy);
    }
  }
  return {sx, 0, 0, sy, page.viewportOrgX - page.windowOrgX * sx, page.viewportOrgY - page.windowOrgY * sy};
}

}  // namespace kroma
