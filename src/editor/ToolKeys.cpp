#include "editor/ToolKeys.h"

#include <array>

namespace kroma {
namespace {

using F = TToolFamily;

constexpr std::array kKeys = {
    // Lines and curves.
    TToolKeyInfo{"line", F::Lines, "Line1Click", "@shapes/Lines/Line"},
    TToolKeyInfo{"sline", F::Lines, "LineStraight1Click", "@shapes/Lines/Line Straight"},
    TToolKeyInfo{"freehand", F::Lines, "Freehand1Click", "@shapes/Lines/Freehand"},
    TToolKeyInfo{"bezier", F::Lines, "Bezier1Click", "@shapes/Lines/Bezier"},
    TToolKeyInfo{"bezier1", F::Lines, "Bezier1Click", ""},
    TToolKeyInfo{"bezier2", F::Lines, "Bezier1Click", ""},
    TToolKeyInfo{"arc", F::Lines, "Arc1Click", "@shapes/Lines/Arc"},
    TToolKeyInfo{"arc1", F::Lines, "Arc1Click", ""},
    TToolKeyInfo{"arc2", F::Lines, "Arc1Click", ""},
    TToolKeyInfo{"arc3", F::Lines, "Arc1Click", ""},
    TToolKeyInfo{"spiral", F::Lines, "Spiral1Click", "@shapes/Lines/Spiral"},
    TToolKeyInfo{"spiro", F::Lines, "SpiroGraph1Click", "@shapes/Lines/SpiroGraph"},
    TToolKeyInfo{"polyline", F::Lines, "PolyLine1Click", "@shapes/Lines/PolyLine"},
    TToolKeyInfo{"polybezier", F::Lines, "PolyBezier1Click", "@shapes/Lines/PolyBezier"},
    // Area shapes.
    TToolKeyInfo{"rectangle", F::AreaShapes, "Rectangle1Click", "@shapes/2D Shapes/Rectangle"},
    TToolKeyInfo{"roundrect", F::AreaShapes, "RoundRect1Click", "@shapes/2D Shapes/Round Rect"},
    TToolKeyInfo{"ellipse", F::AreaShapes, "Ellipse1Click", "@shapes/2D Shapes/Ellipse"},
    TToolKeyInfo{"chord", F::AreaShapes, "Chord1Click", "@shapes/2D Shapes/Chord"},
    TToolKeyInfo{"chord1", F::AreaShapes, "Chord1Click", ""},
    TToolKeyInfo{"chord2", F::AreaShapes, "Chord1Click", ""},
    TToolKeyInfo{"chord3", F::AreaShapes, "Chord1Click", ""},
    TToolKeyInfo{"pie", F::AreaShapes, "Pie1Click", "@shapes/2D Shapes/Pie"},
    TToolKeyInfo{"pie1", F::AreaShapes, "Pie1Click", ""},
    TToolKeyInfo{"pie2", F::AreaShapes, "Pie1Click", ""},
    TToolKeyInfo{"pie3", F::AreaShapes, "Pie1Click", ""},
    TToolKeyInfo{"skewrect", F::AreaShapes, "SkewRectangle1Click", "@shapes/2D Shapes/Skew Rectangle"},
    TToolKeyInfo{"skewrect1", F::AreaShapes, "SkewRectangle1Click", ""},
    TToolKeyInfo{"skewrect2", F::AreaShapes, "SkewRectangle1Click", ""},
    TToolKeyInfo{"triangle", F::AreaShapes, "Triangle1Click", "@shapes/2D Shapes/Triangle"},
    TToolKeyInfo{"triangle1", F::AreaShapes, "Triangle1Click", ""},
    TToolKeyInfo{"triangle2", F::AreaShapes, "Triangle1Click", ""},
    TToolKeyInfo{"star", F::AreaShapes, "Star1Click", "@shapes/2D Shapes/Star"},
    TToolKeyInfo{"polygon", F::AreaShapes, "Polygon2Click", "@shapes/2D Shapes/Polygon"},
    TToolKeyInfo{"maze", F::AreaShapes, "Maze1Click", "@shapes/2D Shapes/Maze"},
    TToolKeyInfo{"bars", F::AreaShapes, "Bar1Click", "@shapes/2D Shapes/Bar"},
    TToolKeyInfo{"border", F::AreaShapes, "Border1Click", "@shapes/2D Shapes/Border"},
    TToolKeyInfo{"floodfill", F::AreaShapes, "Floodfill1Click", "@toolbar/Floodfill"},
    // Solid shapes and ornaments.
    TToolKeyInfo{"intercolumn", F::SolidShapes, "Column1Click", "@shapes/2D Shapes/Column"},
    TToolKeyInfo{"cube", F::SolidShapes, "Cube1Click", "@shapes/3D Shapes/Cube"},
    TToolKeyInfo{"cube1", F::SolidShapes, "Cube1Click", ""},
    TToolKeyInfo{"cube2", F::SolidShapes, "Cube1Click", ""},
    TToolKeyInfo{"globe", F::SolidShapes, "Globe1Click", "@shapes/3D Shapes/Globe"},
    TToolKeyInfo{"cone", F::SolidShapes, "Cone1Click", "@shapes/3D Shapes/Cone"},
    TToolKeyInfo{"interprect", F::SolidShapes, "InterpolatedRect1Click", "@shapes/Ornaments/Interpolated Rect"},
    TToolKeyInfo{"intersphere", F::SolidShapes, "Sphere1Click", "@shapes/Ornaments/Sphere"},
    TToolKeyInfo{"multisphere", F::SolidShapes, "MultiSphere1Click", "@shapes/Ornaments/Multi Sphere"},
    TToolKeyInfo{"dropletsphere", F::SolidShapes, "DropletSphere1Click", "@shapes/Ornaments/Droplet Sphere"},
    TToolKeyInfo{"wavesphere", F::SolidShapes, "WaveSphere1Click", "@shapes/Ornaments/Wave Sphere"},
    TToolKeyInfo{"risingwavesphere", F::SolidShapes, "RisingWaveSphere1Click",
                 "@shapes/Ornaments/Rising Wave Sphere"},
    TToolKeyInfo{"waveline", F::SolidShapes, "WaveLine1Click", "@shapes/Ornaments/Wave Line"},
    TToolKeyInfo{"colorwaveline", F::SolidShapes, "ColorWaveLine1Click", "@shapes/Ornaments/Color Wave Line"},
    TToolKeyInfo{"borderwaveline", F::SolidShapes, "BorderWaveLine1Click", "@shapes/Ornaments/Border Wave Line"},
    TToolKeyInfo{"fastwaveline", F::SolidShapes, "FastWaveLine1Click", "@shapes/Ornaments/Fast Wave Line"},
    TToolKeyInfo{"decoline", F::SolidShapes, "DecoLine1Click", "@shapes/Ornaments/Deco Line"},
    TToolKeyInfo{"decosphere", F::SolidShapes, "DecoSphere1Click", "@shapes/Ornaments/Deco Sphere"},
    TToolKeyInfo{"decofastsphere", F::SolidShapes, "DecoFastSphere1Click", "@shapes/Ornaments/Deco Fast Sphere"},
    TToolKeyInfo{"decospeedsphere", F::SolidShapes, "DecoSpeedSphere1Click", "@shapes/Ornaments/Deco Speed Sphere"},
    TToolKeyInfo{"decobar", F::SolidShapes, "DecoBar1Click", "@shapes/Ornaments/Deco Bar"},
    TToolKeyInfo{"decooval", F::SolidShapes, "DecoOval1Click", "@shapes/Ornaments/Deco Oval"},
    // Colour pick.
    TToolKeyInfo{"paintpick", F::PickBrush, "ToolButton5Click", "@toolbar/Pick Brush"},
    // Colour brushes.
    TToolKeyInfo{"bluebrush", F::ColorBrushes, "Blue1Click", "@shapes/Color Brushes/Blue"},
    TToolKeyInfo{"greenbrush", F::ColorBrushes, "Green1Click", "@shapes/Color Brushes/Green"},
    TToolKeyInfo{"redbrush", F::ColorBrushes, "Red1Click", "@shapes/Color Brushes/Red"},
    TToolKeyInfo{"notbluebrush", F::ColorBrushes, "NotBlue1Click", "@shapes/Color Brushes/Not Blue"},
    TToolKeyInfo{"notgreenbrush", F::ColorBrushes, "NotGreen1Click", "@shapes/Color Brushes/Not Green"},
    TToolKeyInfo{"notredbrush", F::ColorBrushes, "NotRed1Click", "@shapes/Color Brushes/Not Red"},
    TToolKeyInfo{"halfbluebrush", F::ColorBrushes, "N50Blue1Click", "@shapes/Color Brushes/90% Blue"},
    TToolKeyInfo{"halfgreenbrush", F::ColorBrushes, "N50Green1Click", "@shapes/Color Brushes/90% Green"},
    TToolKeyInfo{"halfredbrush", F::ColorBrushes, "N50Red1Click", "@shapes/Color Brushes/90% Red"},
    TToolKeyInfo{"darkerbrush", F::ColorBrushes, "Darker1Click", "@shapes/Color Brushes/Darker"},
    TToolKeyInfo{"lighterbrush", F::ColorBrushes, "Lighter1Click", "@shapes/Color Brushes/Burning"},
    TToolKeyInfo{"graybrush", F::ColorBrushes, "Gray1Click", "@shapes/Color Brushes/Gray"},
    TToolKeyInfo{"rollmixbrush", F::ColorBrushes, "Mix1Click", "@shapes/Color Brushes/Mix"},
    TToolKeyInfo{"smoothbrush", F::ColorBrushes, "Smooth1Click", "@shapes/Color Brushes/Smooth"},
    TToolKeyInfo{"gradientbrush", F::ColorBrushes, "GradientBrush1Click", "@shapes/Ornaments/Gradient Brush"},
    TToolKeyInfo{"mixbrush", F::ColorBrushes, "MixBrush1Click", "@shapes/Ornaments/Mix Brush"},
    // Effect, morph and zoom brushes.
    TToolKeyInfo{"brightnessbrush", F::EffectBrushes, "BrightBrushClick", "@shapes/Effect Brushes/Brightness"},
    TToolKeyInfo{"contrastbrush", F::EffectBrushes, "Contrastbr1Click", "@shapes/Effect Brushes/Contrast"},
    TToolKeyInfo{"saturationbrush", F::EffectBrushes, "SaturationbrClick", "@shapes/Effect Brushes/Saturation"},
    TToolKeyInfo{"fisheyebrush", F::EffectBrushes, "Fisheye1Click", "@shapes/Effect Brushes/Fisheye Float"},
    TToolKeyInfo{"fisheyefixbrush", F::EffectBrushes, "FisheyeFixed1Click", "@shapes/Effect Brushes/Fisheye Fixed"},
    TToolKeyInfo{"twistbrush", F::EffectBrushes, "Twist1Click", "@shapes/Effect Brushes/Twist"},
    TToolKeyInfo{"rotatebrush", F::EffectBrushes, "rotBrush1Click", "@shapes/Effect Brushes/Rotate"},
    TToolKeyInfo{"rimplebrush", F::EffectBrushes, "Rimple1Click", "@shapes/Effect Brushes/Rimple"},
    TToolKeyInfo{"mbVerBox", F::EffectBrushes, "StretchVertBox1Click",
                 "@shapes/Morph Brushes/Stretch/Stretch Vert Box"},
    TToolKeyInfo{"mbHorBox", F::EffectBrushes, "StretchHorBox1Click", "@shapes/Morph Brushes/Stretch/Stretch Hor Box"},
    TToolKeyInfo{"mbVerOval", F::EffectBrushes, "StretchVertOval1Click",
                 "@shapes/Morph Brushes/Stretch/Stretch Vert Oval"},
    TToolKeyInfo{"mbHorOval", F::EffectBrushes, "StretchHorOval1Click",
                 "@shapes/Morph Brushes/Stretch/Stretch Hor Oval"},
    TToolKeyInfo{"mbHor", F::EffectBrushes, "SqueezeHor1Click", "@shapes/Morph Brushes/Squeeze/Squeeze Hor"},
    TToolKeyInfo{"mbTop", F::EffectBrushes, "SqueezeTop1Click", "@shapes/Morph Brushes/Squeeze/Squeeze Top"},
    TToolKeyInfo{"mbBottom", F::EffectBrushes, "SqueezeBottom1Click", "@shapes/Morph Brushes/Squeeze/Squeeze Bottom"},
    TToolKeyInfo{"mbDiamond", F::EffectBrushes, "SqueezeDiamond1Click",
                 "@shapes/Morph Brushes/Squeeze/Squeeze Diamond"},
    TToolKeyInfo{"mbWaste", F::EffectBrushes, "SqueezeWaste1Click", "@shapes/Morph Brushes/Squeeze/Squeeze Waste"},
    TToolKeyInfo{"mbRound", F::EffectBrushes, "SqueezeRound1Click", "@shapes/Morph Brushes/Squeeze/Squeeze Round"},
    TToolKeyInfo{"mbRound2", F::EffectBrushes, "SqueezeRound21Click", "@shapes/Morph Brushes/Squeeze/Squeeze Round 2"},
    TToolKeyInfo{"mbSplitRound", F::EffectBrushes, "SplitRound1Click", "@shapes/Morph Brushes/Split/Split Round"},
    TToolKeyInfo{"mbSplitWaste", F::EffectBrushes, "SplitWaste1Click", "@shapes/Morph Brushes/Split/Split Waste"},
    TToolKeyInfo{"zoombrush", F::EffectBrushes, "plasmabrClick", "@shapes/Zoom In"},
    TToolKeyInfo{"zoomkeepbrush", F::EffectBrushes, "ZoomKeep1Click", "@shapes/Zoom In Keep"},
    // Texture brushes.
    TToolKeyInfo{"texlines", F::TextureBrushes, "Lines2Click", "@shapes/Texture Brushes/Lines"},
    TToolKeyInfo{"blurlines", F::TextureBrushes, "LinesBlur1Click", "@shapes/Texture Brushes/Lines Blur"},
    TToolKeyInfo{"texovals", F::TextureBrushes, "Ovals2Click", "@shapes/Texture Brushes/Ovals"},
    TToolKeyInfo{"blurovals", F::TextureBrushes, "OvalsBlur1Click", "@shapes/Texture Brushes/Ovals Blur"},
    TToolKeyInfo{"texrects", F::TextureBrushes, "Rects1Click", "@shapes/Texture Brushes/Rects"},
    TToolKeyInfo{"blurrects", F::TextureBrushes, "RectsBlur1Click", "@shapes/Texture Brushes/Rects Blur"},
    TToolKeyInfo{"texcurves", F::TextureBrushes, "Curves1Click", "@shapes/Texture Brushes/Curves"},
    TToolKeyInfo{"blurcurves", F::TextureBrushes, "CurvesBlur1Click", "@shapes/Texture Brushes/Curves Blur"},
    TToolKeyInfo{"texpoly", F::TextureBrushes, "Poly1Click", "@shapes/Texture Brushes/Poly"},
    TToolKeyInfo{"blurpoly", F::TextureBrushes, "PolyBlur1Click", "@shapes/Texture Brushes/Poly Blur"},
    // Mirrors, airbrush, spray, blocks and clone.
    TToolKeyInfo{"hmirror", F::PaintBrushes, "hMirror1Click", "@shapes/Mirrors/hMirror"},
    TToolKeyInfo{"vmirror", F::PaintBrushes, "vMirror1Click", "@shapes/Mirrors/vMirror"},
    TToolKeyInfo{"cmirror", F::PaintBrushes, "cMirror1Click", "@shapes/Mirrors/cMirror"},
    TToolKeyInfo{"mirror4", F::PaintBrushes, "Mirror41Click", "@shapes/Mirrors/Mirror4"},
    TToolKeyInfo{"sym", F::PaintBrushes, "Sym1Click", "@shapes/Mirrors/Symmetric"},
    TToolKeyInfo{"airbrush", F::PaintBrushes, "AirBrush1Click", "@shapes/AirBrush"},
    TToolKeyInfo{"spray", F::PaintBrushes, "Spray1Click", "@shapes/Spray"},
    TToolKeyInfo{"blocks", F::PaintBrushes, "Blocks1Click", "@shapes/Blocks"},
    TToolKeyInfo{"cloneall", F::PaintBrushes, "AllColors1Click", "@shapes/Clone/All Colors"},
    TToolKeyInfo{"clonenottarget", F::PaintBrushes, "NotTargetColor1Click", "@shapes/Clone/Not Target Color"},
    // Paste brushes: "paste" and "pastemask" come from the Copy Selection
    // button with the mode chosen in its drop-down.
    TToolKeyInfo{"paste", F::PasteBrushes, "selectcopyClick", ""},
    TToolKeyInfo{"pastemask", F::PasteBrushes, "selectcopyClick", ""},
    TToolKeyInfo{"pastecolor", F::PasteBrushes, "PasteBrush1Click", "@copymodes/Paste Brush"},
    TToolKeyInfo{"pastecolorx", F::PasteBrushes, "PasteExcludeBrush1Click", "@copymodes/Paste Exclude Brush"},
    // Range.
    TToolKeyInfo{"rangemove", F::Range, "Move1Click", "&Range/Move"},
    TToolKeyInfo{"rangesmear", F::Range, "Smear1Click", "&Range/Smear"},
    TToolKeyInfo{"snapshot", F::Range, "ToolButton2Click", "@toolbar/Select Range"},
    TToolKeyInfo{"transcopy", F::Range, "Copy4Click", "&Range/Copy Transparent/&Copy"},
};

}  // namespace

std::span<const TToolKeyInfo> ToolKeys() { return kKeys; }

const TToolKeyInfo* FindToolKey(std::string_view key) {
  for (const TToolKeyInfo& k : kKeys)
    if (k.Key == key) return &k;
  return nullptr;
}

std::string_view FirstStageKey(std::string_view key) {
  std::string_view base = key;
  while (!base.empty() && base.back() >= '0' && base.back() <= '9') base.remove_suffix(1);
  const TToolKeyInfo* stage = FindToolKey(key);
  const TToolKeyInfo* first = base.size() < key.size() ? FindToolKey(base) : nullptr;
  return stage && first && stage->Command == first->Command ? first->Key : key;
}

}  // namespace kroma
