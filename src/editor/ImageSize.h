#pragma once
// The work image's size as a whole: the canvas cut or extended, the
// picture resampled into a new size, the image exchanged with the
// clipboard. The Resize menu, the size spin button, the drag in the scroll
// box and the automation object share these.
#include "core/Types.h"
#include "effects/ResampleFilters.h"
#include "effects/Resample.h"

namespace kroma {

class TKromaF;
class TBitmap;

// The image cut or extended with white at the right and bottom to
// width x height; undo slots take the size; the range is the whole image.
// Throws Error (image unchanged) for a size the program does not accept.
void ResizeCanvas(TKromaF& f, int width, int height);

// The work image := the picture's size and pixels (it keeps its
// transparency settings), shown whole. The undo slots are not touched.
void ReplaceWorkImage(TKromaF& f, const TBitmap& picture);

// The work image resampled bilinearly to width x height from `source`,
// and the size shown in status panel 3. Throws Error (image unchanged)
// for a size the program does not accept.
void SmoothResizeImage(TKromaF& f, const TBitmap& source, int width, int height);

// The Smart commands: the whole image resized to `size` by SmartResize;
// undo slots take the new size and the range is the whole image.
void SmartResizeImage(TKromaF& f, int size, TSmartMode mode);

// The work image resampled with a kernel of the resampling table to
// width x height; undo slots take the size and the range is the whole
// image.
void ResampleImage(TKromaF& f, int width, int height, const TResampleFilter& filter);

// The spin button: the image scaled by `factor` (1.25 up, 0.7 down), each
// side rounded to even and at least 1 pixel.
void SpinResize(TKromaF& f, double factor);

// "W=%d  H=%d" of the image, as the resize commands show it.
void ShowImageSize(TKromaF& f);

}  // namespace kroma
