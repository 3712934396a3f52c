#include "script/GfxEffects.h"

#include <array>
#include <string>

#include "core/Bitmap.h"
#include "core/Error.h"
#include "core/Variant.h"
#include "effects/FlipMirror.h"
#include "effects/SmoothFilters.h"
#include "effects/ToneFilters.h"
#include "effects/Warps.h"
#include "parsers/StringHelpers.h"
#include "script/ScriptValues.h"

namespace kroma {
namespace {

struct TEffectArgs {
  TBitmap& image;
  const Variant* value;
  const std::atomic<bool>* cancel;
  std::string_view name;

  const Variant& Given() const {
    if (!value) throw Error("the effect \"" + std::string(name) + "\" needs a Value");
    return *value;
  }
  int Int() const { return ScriptInt(Given()); }
  double Real() const { return ScriptReal(Given()); }
};

// Filters that read a source and write a destination get a copy of the
// image as their source.
template <typename Filter>
void FromCopy(TBitmap& image, Filter filter) {
  const TBitmap source = image;
  filter(source, image);
}

struct TEffect {
  std::string_view Name;
  void (*Run)(const TEffectArgs&);
};

constexpr std::array kEffects = {
    TEffect{"invert", [](const TEffectArgs& a) { FxInvert(a.image); }},
    TEffect{"grayscale", [](const TEffectArgs& a) { FxGrayScale(a.image); }},
    TEffect{"antialias", [](const TEffectArgs& a) { FxAntiAlias(a.image); }},
    TEffect{"lighter", [](const TEffectArgs& a) { FxLighter(a.image, a.Int()); }},
    TEffect{"darker", [](const TEffectArgs& a) { FxDarker(a.image, a.Int()); }},
    TEffect{"contrast", [](const TEffectArgs& a) { FxContrast(a.image, a.Int()); }},
    TEffect{"soft", [](const TEffectArgs& a) { (void)a.Int(); }},  // the value is checked, nothing else happens
    TEffect{"saturation", [](const TEffectArgs& a) { FxSaturation(a.image, a.Int()); }},
    TEffect{"emboss", [](const TEffectArgs& a) { FxEmboss(a.image); }},
    TEffect{"blur", [](const TEffectArgs& a) { FxBlur(a.image, a.Int(), a.cancel); }},
    TEffect{"flipdown", [](const TEffectArgs& a) { FxFlipDown(a.image); }},
    TEffect{"flipright", [](const TEffectArgs& a) { FxFlipRight(a.image); }},
    TEffect{"mirrordown", [](const TEffectArgs& a) { FxMirrorDown(a.image); }},
    TEffect{"mirrorright", [](const TEffectArgs& a) { FxMirrorRight(a.image); }},
    TEffect{"fisheye",
            [](const TEffectArgs& a) {
              double factor = a.Real();
              FromCopy(a.image, [&](const TBitmap& s, TBitmap& d) { FxFishEye(s, d, factor); });
            }},
    TEffect{"solarize",
            [](const TEffectArgs& a) {
              int threshold = a.Int();
              FromCopy(a.image, [&](const TBitmap& s, TBitmap& d) { FxSolarize(s, d, threshold); });
            }},
    TEffect{"posterize",
            [](const TEffectArgs& a) {
              int step = a.Int();
              FromCopy(a.image, [&](const TBitmap& s, TBitmap& d) { FxPosterize(s, d, step); });
            }},
    TEffect{"twist",
            [](const TEffectArgs& a) {
              int amount = a.Int();
              FromCopy(a.image, [&](const TBitmap& s, TBitmap& d) { FxTwist(s, d, amount); });
            }},
};

const TEffect* FindEffect(std::string_view name) {
  std::string lower = ToLowerAscii(name);
  for (const TEffect& e : kEffects)
    if (e.Name == lower) return &e;
  return nullptr;
}

}  // namespace

void RunGfxEffect(TBitmap& image, std::string_view name, const Variant* value, const std::atomic<bool>* cancel) {
  image.SetPixelFormat(pf24bit);
  if (const TEffect* effect = FindEffect(name)) effect->Run({image, value, cancel, name});
}

}  // namespace kroma
