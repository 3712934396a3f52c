#include "editor/ImageSize.h"

#include <cmath>
#include <string>

#include "core/Bitmap.h"
#include "core/Canvas.h"
#include "core/Error.h"
#include "core/Numeric.h"
#include "editor/KromaF.h"
#include "editor/WorkImage.h"

namespace kroma {

void ResizeCanvas(TKromaF& f, int width, int height) {
  CheckWorkImageFits(width, height);
  f.Canvas().Brush.SetColor(clWhite);
  f.gamma.SetSecondColor(clWhite);
  f.Image().SetSize(width, height);
  f.ResizeUndoSlots(width, height);
  f.FRangeRect = f.Image().BoundsRect();
  f.ImageReplaced();
}

void ReplaceWorkImage(TKromaF& f, const TBitmap& picture) {
  f.Image().TakePixels(picture);
  f.ImageReplaced();
}

void ShowImageSize(TKromaF& f) {
  f.SetStatus(3, "W=" + std::to_string(f.Image().Width()) + "  H=" + std::to_string(f.Image().Height()));
}

void SmoothResizeImage(TKromaF& f, const TBitmap& source, int width, int height) {
  CheckWorkImageFits(width, height);
  TBitmap resized(width, height);
  SmoothResize(source, resized);
  ReplaceWorkImage(f, resized);
  ShowImageSize(f);
}

void SmartResizeImage(TKromaF& f, int size, TSmartMode mode) {
  const TResizeShape shape = SmartResizeShape(f.Image().Width(), f.Image().Height(), mode, size);
  if (mode == TSmartMode::Square)
    CheckWorkImageFits(size, size);
  else
    CheckWorkImageFits(shape.Width, shape.Height);
  f.ClipWholeImage();
  f.clip.SetPixelFormat(pf24bit);
  TBitmap resized;
  SmartResize(f.clip, resized, mode, size);
  ReplaceWorkImage(f, resized);
  f.ResizeUndoSlots(resized.Width(), resized.Height());
  f.FRangeRect = f.Image().BoundsRect();
}

void ResampleImage(TKromaF& f, int width, int height, const TResampleFilter& filter) {
  CheckWorkImageFits(width, height);
  TBitmap resized(width, height);
  Resample(f.Image(), resized, filter.Filter, filter.Width);
  ReplaceWorkImage(f, resized);
  f.ResizeUndoSlots(width, height);
  f.FRangeRect = f.Image().BoundsRect();
  ShowImageSize(f);
}

void SpinResize(TKromaF& f, double factor) {
  const int width = std::max(1, SaturateRound(f.Image().Width() * factor));
  const int height = std::max(1, SaturateRound(f.Image().Height() * factor));
  CheckWorkImageFits(width, height);
  f.ClipWholeImage();
  f.clip.SetPixelFormat(pf24bit);
  SmoothResizeImage(f, f.clip, width, height);
}

}  // namespace kroma
