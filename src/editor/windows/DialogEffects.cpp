#include "editor/windows/DialogEffects.h"

#include <algorithm>
#include <array>

#include "effects/PaintFX.h"

namespace kroma {
namespace {

using FX = TkelPaintFX;
using Bars = TDialogBarValues;
using Clipboard = std::optional<TBitmap>;

// A routine that writes a target of the image's size, which becomes the image.
template <typename Routine>
bool ToTarget(TBitmap& image, Routine routine) {
  TBitmap target(image.Width(), image.Height());
  routine(static_cast<const TBitmap&>(image), target);
  image = std::move(target);
  return true;
}

// Entries that read the position as a byte take its low 8 bits.
int LowByte(int position) { return position & 0xFF; }

#define KROMA_EFFECT(body) [](TBitmap& b, const Bars& v, const Clipboard& clip) -> bool { \
  (void)v;                                                                                  \
  (void)clip;                                                                               \
  body;                                                                                     \
  return true;                                                                              \
}

#define KROMA_TARGET(call) [](TBitmap& b, const Bars& v, const Clipboard&) -> bool { \
  return ToTarget(b, [&](const TBitmap& s, TBitmap& t) { call; });                   \
}

const std::array<TDialogEffect, 57> kEffects = {{
    {0, "Contrast", 100, 0, 0, kNoBars, KROMA_EFFECT(FX::Contrast(b, v.EBar))},
    {1, "Saturation", 255, 0, 0, kNoBars, KROMA_EFFECT(FX::Saturation(b, v.EBar))},
    {2, "Brightness", 100, 0, 0, kNoBars, KROMA_EFFECT(FX::Lightness(b, v.EBar))},
    {3, "Blur/Gaussian Blur", 20, 0, 0, kNoBars, KROMA_EFFECT(FX::GaussianBlur(b, v.EBar))},
    {4, "Blur/Split Blur", 30, 0, 0, kNoBars, KROMA_EFFECT(FX::SplitBlur(b, v.EBar))},
    {5, "Noise/Color", 200, 0, 0, kNoBars, KROMA_EFFECT(FX::AddColorNoise(b, v.EBar))},
    {6, "Noise/Mono", 200, 0, 0, kNoBars, KROMA_EFFECT(FX::AddMonoNoise(b, v.EBar))},
    {7, "Smooth", 20, 0, 0, kNoBars, KROMA_EFFECT((void)b)},
    {8, "Seamless", 50, 10, 10, kNoBars, KROMA_EFFECT(FX::SeamlessEdges(b, LowByte(v.EBar)))},
    {9, "Mosaic", 30, 2, 15, kNoBars, KROMA_EFFECT(FX::Mosaic(b, v.EBar))},
    {10, "Twist", 50, 1, 10, kNoBars, KROMA_TARGET(FX::Twist(s, t, v.EBar))},
    {11, "Fisheye", 100, 55, 60, kNoBars, KROMA_TARGET(FX::FishEye(s, t, v.EBar / 100.0))},
    {12, "Wave/Normal", 200, 1, 15, kNoBars, KROMA_EFFECT(FX::Wave(b, v.EBar, 0, 0))},
    {13, "Wave/Extra", 200, 1, 15, kNoBars, KROMA_EFFECT(FX::Wave(b, v.EBar, 1, 0))},
    {14, "Wave/Inference", 10, 1, 1, kExtraBar, KROMA_EFFECT(FX::Wave(b, v.ExtraBar, 2, v.EBar))},
    {15, "Rotate", 360, 0, 0, kRotationBars, KROMA_TARGET(FX::SmoothRotate(s, t, v.CxBar, v.CyBar, v.EBar))},
    {16, "Split Light", 10, 1, 1, kNoBars, KROMA_EFFECT(SplitLight(b, v.EBar))},
    {17, "Wings/Deep", 400, 1, 1, kExtraBar, KROMA_TARGET(FX::Marble(s, t, v.EBar, v.ExtraBar))},
    {18, "Wings/Down", 400, 1, 1, kExtraBar, KROMA_TARGET(FX::Marble2(s, t, v.EBar, v.ExtraBar))},
    {19, "Wings/Up", 400, 1, 1, kExtraBar, KROMA_TARGET(FX::Marble3(s, t, v.EBar, v.ExtraBar))},
    {20, "Wings/Fold", 400, 1, 1, kExtraBar, KROMA_TARGET(FX::Marble4(s, t, v.EBar, v.ExtraBar))},
    {21, "Wings/Touche", 400, 1, 1, kExtraBar, KROMA_TARGET(FX::Marble5(s, t, v.EBar, v.ExtraBar))},
    {22, "Wings/Flyer", 400, 1, 1, kExtraBar, KROMA_TARGET(FX::Marble6(s, t, v.EBar, v.ExtraBar))},
    {23, "Wings/Flipover", 400, 1, 1, kExtraBar, KROMA_TARGET(FX::Marble7(s, t, v.EBar, v.ExtraBar))},
    {24, "Wings/Wavy", 400, 1, 1, kExtraBar, KROMA_TARGET(FX::Marble8(s, t, v.EBar, v.ExtraBar))},
    {25, "Emboss", 100, 0, 0, kNoBars, KROMA_EFFECT(FX::Emboss(b))},
    {26, "Colors/Red", 255, 0, 128, kExtraBar, KROMA_EFFECT(FX::FilterRed(b, v.ExtraBar, v.EBar))},
    {27, "Colors/Green", 255, 0, 128, kExtraBar, KROMA_EFFECT(FX::FilterGreen(b, v.ExtraBar, v.EBar))},
    {28, "Colors/Blue", 255, 0, 128, kExtraBar, KROMA_EFFECT(FX::FilterBlue(b, v.ExtraBar, v.EBar))},
    {29, "Colors/XRed", 255, 0, 128, kExtraBar, KROMA_EFFECT(FX::FilterXRed(b, v.ExtraBar, v.EBar))},
    {30, "Colors/XGreen", 255, 0, 128, kExtraBar, KROMA_EFFECT(FX::FilterXGreen(b, v.ExtraBar, v.EBar))},
    {31, "Colors/XBlue", 255, 0, 128, kExtraBar, KROMA_EFFECT(FX::FilterXBlue(b, v.ExtraBar, v.EBar))},
    {32, "Squeeze/Horizontal", 255, 0, 0, kNoBars, KROMA_TARGET(FX::Squeeze(s, t, 7, v.EBar))},
    {33, "Squeeze/Top", 255, 0, 0, kNoBars, KROMA_TARGET(FX::Squeeze(s, t, 8, v.EBar))},
    {34, "Squeeze/Bottom", 255, 0, 0, kNoBars, KROMA_TARGET(FX::Squeeze(s, t, 9, v.EBar))},
    {35, "Squeeze/Diamond", 255, 0, 0, kNoBars, KROMA_TARGET(FX::Squeeze(s, t, 10, v.EBar))},
    {36, "Squeeze/Waste", 255, 0, 0, kNoBars, KROMA_TARGET(FX::Squeeze(s, t, 11, v.EBar))},
    {37, "Squeeze/Round", 255, 0, 0, kNoBars, KROMA_TARGET(FX::Squeeze(s, t, 12, v.EBar))},
    {38, "Squeeze/Double Round", 255, 0, 0, kNoBars, KROMA_TARGET(FX::Squeeze(s, t, 13, v.EBar))},
    {39, "Split/Round", 255, 0, 0, kNoBars, KROMA_TARGET(FX::SplitMorph(s, t, 14, v.EBar))},
    {40, "Split/Waste", 255, 0, 0, kNoBars, KROMA_TARGET(FX::SplitMorph(s, t, 15, v.EBar))},
    {41, "Shear", 100, 0, 0, kNoBars, KROMA_EFFECT(ShearRows(b, v.EBar))},
    // The dialog first moves extrabar up to 10 when it is lower.
    {42, "Plasma", 100, 1, 1, kExtraBar,
     [](TBitmap& b, const Bars& v, const Clipboard&) -> bool {
       const TBitmap source = b;
       const TBitmap map = b;
       FX::Plasma(source, map, std::max(v.ExtraBar, 10), v.EBar, b);
       return true;
     }},
    {43, "MandelBrot", 100, 0, 0, kExtraBar,
     KROMA_EFFECT(FX::MandelJulia(b, 16, true, 1.5, 0.75, v.ExtraBar * 0.009 - 1.5, v.EBar * 0.028 - 2.25))},
    {44, "Julia", 100, 0, 0, kExtraBar,
     KROMA_EFFECT(FX::MandelJulia(b, 16, false, 1.5, 0.75, v.ExtraBar * 0.009 - 1.5, v.EBar * 0.028 - 2.25))},
    {45, "Triangles", 127, 5, 19, kNoBars, KROMA_EFFECT(FX::Triangles(b, v.EBar))},
    {46, "Ripple/Tooth", 100, 3, 3, kNoBars, KROMA_EFFECT(FX::RippleTooth(b, v.EBar))},
    {47, "Ripple/Triangle", 100, 3, 3, kNoBars, KROMA_EFFECT(FX::RippleTooth(b, v.EBar))},
    {48, "Ripple/Random", 100, 3, 3, kNoBars, KROMA_EFFECT(FX::RippleRandom(b, v.EBar))},
    {49, "Texturize/Tile", 100, 3, 3, kNoBars, KROMA_EFFECT(FX::TexturizeTile(b, v.EBar))},
    {50, "Texturize/Overlap", 100, 3, 3, kNoBars, KROMA_EFFECT(FX::TexturizeOverlap(b, v.EBar))},
    {51, "Map", 100, 1, 1, kNoBars, KROMA_EFFECT(FX::HeightMap(b, v.EBar))},
    // Only with a bitmap of the image's size on the clipboard.
    {52, "Blend", 100, 0, 0, kNoBars,
     [](TBitmap& b, const Bars& v, const Clipboard& clip) -> bool {
       if (!clip || clip->Width() != b.Width() || clip->Height() != b.Height()) return false;
       TBitmap second = *clip;
       second.SetPixelFormat(pf24bit);
       return ToTarget(b, [&](const TBitmap& s, TBitmap& t) { FX::Blend(s, second, v.EBar / 100.0, t); });
     }},
    {53, "Solarize", 255, 0, 1, kNoBars, KROMA_TARGET(FX::Solarize(s, t, v.EBar))},
    {54, "Posterize", 255, 1, 1, kNoBars, KROMA_TARGET(FX::Posterize(s, t, v.EBar))},
    {55, "Buttonize", 50, 3, 5, kExtraBar, KROMA_EFFECT(FX::Buttonize(b, LowByte(v.EBar), v.ExtraBar))},
    {56, "btnOval", 50, 3, 5, kExtraBar,
     [](TBitmap& b, const Bars& v, const Clipboard&) -> bool {
       FX::ButtonRound(b, LowByte(v.EBar), v.ExtraBar);
       FX::ButtonOval(b, clWhite);
       return true;
     }},
}};

#undef KROMA_EFFECT
#undef KROMA_TARGET

}  // namespace

std::span<const TDialogEffect> DialogEffects() { return kEffects; }

}  // namespace kroma
