// The drag resize in the scroll box around the image.
#include <cmath>

#include "core/Bitmap.h"
#include "core/Numeric.h"
#include "editor/ImageSize.h"
#include "editor/KromaF.h"
#include "editor/WorkImage.h"

namespace kroma {

void TKromaF::ScrollBox1MouseDown(TShiftState shift) {
  if (!(shift & (ssCtrl | ssShift))) return;
  FDragResizeArmed = true;
  clip = FImage;
  clip.SetPixelFormat(pf24bit);
}

void TKromaF::ScrollBox1MouseMove(TShiftState shift, int x, int y) {
  if (!FDragResizeArmed || clip.Empty() || !(shift & (ssCtrl | ssShift))) return;
  // The pointer may go past the box's top-left corner: the image keeps at
  // least one pixel a side.
  const int width = std::max(1, SaturateRound(static_cast<double>(x) - 3));
  int height = std::max(1, SaturateRound(static_cast<double>(y) - 3));
  if (shift & ssShift) {
    const double ratio = static_cast<double>(clip.Height()) / clip.Width();
    height = std::max(1, SaturateRound(width * ratio));
  }
  if (width == FImage.Width() && height == FImage.Height()) return;
  try {
    CheckWorkImageFits(width, height);
  } catch (const std::exception&) {
    return;  // a size beyond memory: the image stays as the last move left it
  }
  SmoothResizeImage(*this, clip, width, height);
}

void TKromaF::ScrollBox1MouseUp() { FDragResizeArmed = false; }

}  // namespace kroma
