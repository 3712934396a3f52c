// The lens and the swirl of the effects dialog and the effect brushes are
// the plain warps themselves.
#include "effects/PaintFX.h"
#include "effects/Warps.h"

namespace kroma {

void TkelPaintFX::FishEye(const TBitmap& source, TBitmap& target, double factor) { FxFishEye(source, target, factor); }

void TkelPaintFX::Twist(const TBitmap& source, TBitmap& target, int amount) { FxTwist(source, target, amount); }

}  // namespace kroma
