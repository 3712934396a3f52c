// Scaffold: replaced by the rasteriser.
#include "core/Canvas.h"

#include "core/Error.h"

namespace kroma {

struct TCanvas::Impl {};

TCanvas::TCanvas(TBitmap& bitmap) : bitmap_(&bitmap) {}
TCanvas::~TCanvas() = default;

void TBrush::SetColor(TColor color) {
  color_ = color;
  if (style_ == bsClear) style_ = bsSolid;
}

TRect TCanvas::FillRect(const TRect&) { throw Error("not yet built"); }

}  // namespace kroma
