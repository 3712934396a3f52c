#include "editor/ShapeHelpers.h"

#include <cmath>

#include "core/Numeric.h"

namespace kroma {
namespace {

struct TPolar {
  double Radius;
  double Angle;
};

// Differences are taken in 64 bits, so points anywhere in the int range
// work. A point straight above or below the centre gets a tiny x offset of
// the right sign, so its angle is a clean quarter turn.
TPolar ToPolar(TPoint centre, TPoint point) {
  const double dx = static_cast<double>(std::int64_t{point.x} - centre.x);
  const double dy = static_cast<double>(std::int64_t{point.y} - centre.y);
  double d = dx;
  if (d >= 0 && d < 0.001) d = 0.001;
  if (d < 0 && d > -0.001) d = -0.001;
  return {std::sqrt(dx * dx + dy * dy), std::atan2(dy, d)};
}

TPoint FromPolar(TPoint centre, TPolar p) {
  return {SaturateRound(centre.x + p.Radius * std::cos(p.Angle)),
          SaturateRound(centre.y + p.Radius * std::sin(p.Angle))};
}

}  // namespace

TPoint rotate(TPoint centre, TPoint point, double angle) {
  TPolar p = ToPolar(centre, point);
  p.Angle += angle;
  return FromPolar(centre, p);
}

TPoint reducevector(TPoint centre, TPoint point, double factor) {
  TPolar p = ToPolar(centre, point);
  p.Radius *= factor;
  return FromPolar(centre, p);
}

}  // namespace kroma
