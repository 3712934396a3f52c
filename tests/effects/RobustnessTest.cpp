#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "TestImages.h"
#include "effects/FilterThreads.h"
#include "effects/FlipMirror.h"
#include "effects/MaskBlend.h"
#include "effects/PixelHelpers.h"
#include "effects/SmoothFilters.h"
#include "effects/ToneFilters.h"
#include "effects/Warps.h"

namespace kroma {
namespace {

struct NamedFilter {
  const char* name;
  std::function<void(TBitmap&)> apply;
};

// Every filter as an in-place step; the source-to-destination ones work
// from a copy, as their callers do.
std::vector<NamedFilter> AllFilters() {
  auto fromCopy = [](auto filter) {
    return [filter](TBitmap& b) {
      const TBitmap src = b;
      filter(src, b);
    };
  };
  return {
      {"invert", FxInvert},
      {"grayscale", FxGrayScale},
      {"antialias", FxAntiAlias},
      {"antialiasrect", [](TBitmap& b) { FxAntiAliasRect(b, -5, -5, 1 << 30, 1 << 30); }},
      {"lighter", [](TBitmap& b) { FxLighter(b, 90); }},
      {"darker", [](TBitmap& b) { FxDarker(b, 90); }},
      {"contrast", [](TBitmap& b) { FxContrast(b, 90); }},
      {"saturation", [](TBitmap& b) { FxSaturation(b, 400); }},
      {"emboss", FxEmboss},
      {"splitblur", [](TBitmap& b) { FxSplitBlur(b, 1); }},
      {"blur", [](TBitmap& b) { FxBlur(b, 2); }},
      {"flipdown", FxFlipDown},
      {"flipright", FxFlipRight},
      {"mirrordown", FxMirrorDown},
      {"mirrorright", FxMirrorRight},
      {"ring", [](TBitmap& b) { Convolve5x5(b, RingKernel); }},
      {"fisheye", fromCopy([](const TBitmap& s, TBitmap& d) { FxFishEye(s, d, 0.55); })},
      {"solarize", fromCopy([](const TBitmap& s, TBitmap& d) { FxSolarize(s, d, 100); })},
      {"posterize", fromCopy([](const TBitmap& s, TBitmap& d) { FxPosterize(s, d, 48); })},
      {"twist", fromCopy([](const TBitmap& s, TBitmap& d) { FxTwist(s, d, 7); })},
      {"maskblend", [](TBitmap& b) {
         TBitmap mask(b.Width(), b.Height(), pf8bit);
         const TBitmap fore = testing::Noise(b.Width(), b.Height(), 77);
         MaskBlend(TBitmap(b), fore, mask, 100, 1.0, b);
       }},
  };
}

// Thin and tiny images are where index arithmetic goes wrong; the
// sanitizers report any access outside the pixels.
TEST(AllFilters, ThinAndEmptyImagesStayInBounds) {
  for (auto [w, h] : {std::pair{1, 1}, {1, 7}, {7, 1}, {2, 2}, {4, 2}, {3, 5}, {0, 0}, {0, 3}})
    for (const NamedFilter& f : AllFilters()) {
      TBitmap b = testing::Noise(w, h);
      EXPECT_NO_THROW(f.apply(b)) << f.name << " " << w << "x" << h;
      EXPECT_EQ(b.Width(), w);
      EXPECT_EQ(b.Height(), h);
    }
}

TEST(AllFilters, OtherPixelFormatsAreConvertedFirst) {
  for (const NamedFilter& f : AllFilters()) {
    TBitmap b = testing::Noise(9, 6);
    b.SetPixelFormat(pf8bit);
    TBitmap expected = b;
    expected.SetPixelFormat(pf24bit);
    f.apply(b);
    f.apply(expected);
    EXPECT_TRUE(SameImage(b, expected)) << f.name;
  }
}

// The copies share their rows with the source until the filters write
// them, from several threads at once: the source must come through intact.
TEST(AllFilters, ThreadCountDoesNotChangeTheResult) {
  testing::TThreadCountScope restoreThreads;
  const TBitmap src = testing::Noise(521, 401);  // large enough for three bands of every filter
  const TBitmap pristine = testing::Noise(521, 401);  // the same pixels, shared with nothing
  for (const NamedFilter& f : AllFilters()) {
    TBitmap one = src, many = src;
    SetFilterThreadCount(1);
    f.apply(one);
    SetFilterThreadCount(3);
    f.apply(many);
    EXPECT_TRUE(SameImage(one, many)) << f.name;
    EXPECT_TRUE(SameImage(src, pristine)) << f.name << " wrote into rows its copy shared";
  }
}

}  // namespace
}  // namespace kroma
