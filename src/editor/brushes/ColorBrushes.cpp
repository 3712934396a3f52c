// The colour brushes: the channel and tone brushes, the mix brush and the
// gradient brush. Every move step works on the brush's own rectangle of
// the image; none copies or redraws the whole image.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/Canvas.h"
#include "editor/ColorLines.h"
#include "editor/KromaF.h"
#include "editor/Modules.h"
#include "editor/ToolSteps.h"
#include "editor/brushes/BrushSamples.h"
#include "editor/brushes/ColorBrush.h"

namespace kroma {
namespace {

int Saturated(std::int64_t v) {
  return static_cast<int>(
      std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// One step of a colour brush at the pointer, on the image in place.
template <TColorBrushMode Mode>
void ColorBrushMove(TKromaF& f, const TMouseEvent& e) {
  TBitmap& image = f.Image();
  image.SetPixelFormat(pf24bit);
  f.ImageChanged(PaintColorBrush(image, {e.X, e.Y}, Mode, ColorBrushRadius(f.Canvas().Pen.Width)));
}

// The tone brushes start from ClipWholeImage: the range becomes the whole
// image and clip a copy of it. Their steps then work on the image in
// place, which gives the pixels that editing clip and copying it back
// would give, at the cost of the brush square only.
void ToneBrushPress(TKromaF& f, const TMouseEvent&) { f.ClipWholeImage(); }

// ---- Mix brush ----

void MixBrushPress(TKromaF& f, const TMouseEvent& e) {
  TCanvas& canvas = f.Canvas();
  const std::int64_t w = canvas.Pen.Width;
  const TBitmap& image = f.Image();
  TColor a, b;
  if (e.Shift & ssAlt) {
    a = SampleNearest(image, e.X, e.Y - w);
    b = SampleNearest(image, e.X, e.Y + w);
  } else {
    a = SampleNearest(image, e.X - w, e.Y);
    b = SampleNearest(image, e.X + w, e.Y);
  }
  canvas.Pen.Color = MixColors(a, b);
}

void MixBrushMove(TKromaF& f, const TMouseEvent& e) { f.Canvas().LineTo(e.X, e.Y); }

// ---- Gradient brush ----

void GradientBrushPress(TKromaF& f, const TMouseEvent&) { f.Image().SetPixelFormat(pf24bit); }

// Three short ramps across the pointer between the colours found a pen
// width to either side: rows y, y + 1, y + 2, or with Alt columns x,
// x - 1, x - 2. The colours are sampled once, before the first ramp.
void GradientBrushMove(TKromaF& f, const TMouseEvent& e) {
  TBitmap& image = f.Image();
  image.SetPixelFormat(pf24bit);
  const std::int64_t w = f.Canvas().Pen.Width;
  const std::int64_t x = e.X, y = e.Y;
  if (e.Shift & ssAlt) {
    const TColor c1 = SampleNearest(image, x, y - w);
    const TColor c2 = SampleNearest(image, x, y + w);
    for (std::int64_t column = x; column >= x - 2; --column) {
      if (column < 0 || column >= image.Width()) continue;
      InterpolateColumn(image, static_cast<int>(column), Saturated(y - w), c1, Saturated(y + w), c2, true);
    }
    f.ImageChanged({Saturated(x - 2), Saturated(y - w - 1), Saturated(x + 1), Saturated(y + w + 2)});
  } else {
    const TColor c1 = SampleNearest(image, x - w, y);
    const TColor c2 = SampleNearest(image, x + w, y);
    for (std::int64_t row = y; row <= y + 2; ++row) {
      if (row < 0 || row >= image.Height()) continue;
      InterpolateRow(image, static_cast<int>(row), Saturated(x - w), c1, Saturated(x + w), c2, true);
    }
    f.ImageChanged({Saturated(x - w - 1), Saturated(y), Saturated(x + w + 2), Saturated(y + 3)});
  }
}

// ---- Pick brush ----

// The release picks the brush colour under the pointer (with Alt the mix
// of the pixels 5 to the left and right, the nearest edge pixel for those
// past an edge) and ends the tool. A release off the image picks nothing
// and the tool stays, so the user can pick again.
void PickBrushRelease(TKromaF& f, const TMouseEvent& e) {
  const TBitmap& image = f.Image();
  const std::int64_t x = e.X, y = e.Y;
  if (x < 0 || y < 0 || x >= image.Width() || y >= image.Height()) return;
  const TColor color = (e.Shift & ssAlt) ? MixColors(SampleNearest(image, x - 5, y), SampleNearest(image, x + 5, y))
                                         : SampleNearest(image, x, y);
  f.Canvas().Brush.SetColor(color);
  f.gamma.SetSecondColor(color);
  f.FToolKey.clear();
}

}  // namespace

void RegisterColorBrushes(TToolStepRegistry& steps) {
  steps.Register("bluebrush", {.Move = ColorBrushMove<cbBlue>});
  steps.Register("greenbrush", {.Move = ColorBrushMove<cbGreen>});
  steps.Register("redbrush", {.Move = ColorBrushMove<cbRed>});
  steps.Register("notbluebrush", {.Move = ColorBrushMove<cbNotBlue>});
  steps.Register("notgreenbrush", {.Move = ColorBrushMove<cbNotGreen>});
  steps.Register("notredbrush", {.Move = ColorBrushMove<cbNotRed>});
  steps.Register("halfbluebrush", {.Move = ColorBrushMove<cbHalfBlue>});
  steps.Register("halfgreenbrush", {.Move = ColorBrushMove<cbHalfGreen>});
  steps.Register("halfredbrush", {.Move = ColorBrushMove<cbHalfRed>});
  steps.Register("darkerbrush", {.Press = ToneBrushPress, .Move = ColorBrushMove<cbDarker>});
  steps.Register("lighterbrush", {.Press = ToneBrushPress, .Move = ColorBrushMove<cbBurning>});
  steps.Register("graybrush", {.Press = ToneBrushPress, .Move = ColorBrushMove<cbGray>});
  steps.Register("rollmixbrush", {.Press = ToneBrushPress, .Move = ColorBrushMove<cbRollMix>});
  steps.Register("smoothbrush", {.Press = ToneBrushPress, .Move = ColorBrushMove<cbSmooth>});
  steps.Register("mixbrush", {.Press = MixBrushPress, .Move = MixBrushMove});
  steps.Register("gradientbrush", {.Press = GradientBrushPress, .Move = GradientBrushMove});
  steps.Register("paintpick", {.Release = PickBrushRelease});
}

}  // namespace kroma
