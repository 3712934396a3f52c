#pragma once
// The published error-diffusion weights. Offsets are relative to the pixel
// just mapped, dx along the scan direction (mirrored on right-to-left rows),
// dy rows below.
#include <span>

#include "files/GifReduction.h"

namespace kroma {

struct TDiffusionTap {
  int dx;
  int dy;
  int weight;
};

struct TDiffusionKernel {
  std::span<const TDiffusionTap> taps;
  int divisor;
  int rows;    // 1 + the largest dy
  int reach;   // the largest |dx|
};

// The kernel of a dithering method; NearestColor has no taps.
TDiffusionKernel DiffusionKernel(TGifDither method);

}  // namespace kroma
