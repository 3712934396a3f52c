// Flood fill: the area is collected first, then painted with the brush.
#include "core/Canvas.h"
#include "core/CanvasImpl.h"
#include "core/RasterFlood.h"

namespace kroma {

TRect TCanvas::FloodFill(int x, int y, TColor color, TFillStyle style) {
  const TRect window = Impl::BeginDraw(*this);
  if (!bitmap_->BoundsRect().Contains(x, y) || window.IsEmpty() || Brush.Style() == bsClear) return {};
  const bool surface = style == fsSurface;
  // Filling an area with its own colour would change nothing.
  if (surface && Brush.Style() == bsSolid && !Brush.HasBitmap() && ColorToRGB(Brush.Color()) == ColorToRGB(color))
    return {};
  TFigurePixels figure;
  figure.fill = FloodArea(*bitmap_, x, y, color, surface);
  return Impl::PaintFigure(*this, std::move(figure), false);
}

}  // namespace kroma
