// The routines that move pixels between the image, the work bitmap `clip`
// and the range. Every later range command, brush and tool that needs the
// range as a bitmap goes through them.
#include <cstring>

#include "core/Canvas.h"
#include "editor/KromaF.h"
#include "editor/ranges/RangeArea.h"

namespace kroma {
namespace {

// clip at the range's size, 24-bit and opaque; pixels kept where the size
// did not change (copyclip combines with them).
void SizeClip(TBitmap& clip, const TRect& area) {
  clip.SetPixelFormat(pf24bit);
  clip.SetSize(static_cast<int>(area.Width()), static_cast<int>(area.Height()));
  clip.Transparent = false;
}

}  // namespace

void TKromaF::setclip(TColor color) {
  TRect area = RequireRangeArea(FRangeRect, FImage);
  SizeClip(clip, area);
  TCanvas& c = clip.Canvas();
  c.Brush.SetColor(color);
  c.Brush.SetStyle(bsSolid);
  c.FillRect(clip.BoundsRect());
}

void TKromaF::copyclip() {
  TRect area = RequireRangeArea(FRangeRect, FImage);
  SizeClip(clip, area);
  TCanvas& c = clip.Canvas();
  c.CopyMode = FClipCopyMode;
  c.CopyRect(clip.BoundsRect(), FImage, area);
}

void TKromaF::pasteclip() {
  TRect area = RequireRangeArea(FRangeRect, FImage);
  Canvas().Draw(area.Left, area.Top, clip);
}

void TKromaF::clipmirror() {
  clip.SetPixelFormat(pf24bit);
  const int h = clip.Height();
  const std::size_t bytes = static_cast<std::size_t>(clip.Width()) * 3;
  for (int r = 0; r < h / 2; ++r) std::memcpy(clip.ScanLine(h - 1 - r), clip.ScanLine(r), bytes);
}

void TKromaF::ClipWholeImage() {
  FRangeRect = FImage.BoundsRect();
  FClipCopyMode = cmSrcCopy;
  if (FImage.PixelFormat() != pf24bit || FImage.Empty()) {
    setclip(clWhite);
    copyclip();
    return;
  }
  // A plain copy of the whole image over white is the image: clip shares
  // its rows (nothing is copied until one of them is written), takes the
  // image's size and pixels but keeps its own transparency colour, and its
  // canvas is left as setclip and copyclip leave it.
  clip.TakePixels(FImage);
  clip.Transparent = false;
  TCanvas& c = clip.Canvas();
  c.Brush.SetColor(clWhite);
  c.Brush.SetStyle(bsSolid);
  c.CopyMode = FClipCopyMode;
}

void TKromaF::CopyRectToClip(const TRect& rect) {
  TRect r = rect.Normalized();
  CheckImageSize(r.Width(), r.Height());
  clip.SetPixelFormat(FImage.PixelFormat());
  clip.SetSize(static_cast<int>(r.Width()), static_cast<int>(r.Height()));
  clip.Transparent = false;
  TCanvas& c = clip.Canvas();
  c.CopyMode = cmSrcCopy;
  c.CopyRect(clip.BoundsRect(), FImage, r);
}

}  // namespace kroma
