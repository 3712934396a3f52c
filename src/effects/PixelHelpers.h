#pragma once
// Helpers shared by every filter: the byte clamp and the 5 x 5 convolution
// with its ring kernel. Other parts of the program (texture brushes, the
// blur commands, user filters) call these same functions.
#include <algorithm>
#include <array>
#include <cstdint>

#include "core/Numeric.h"

namespace kroma {

class TBitmap;

// Integer to byte: above 255 gives 255, below 0 gives 0. Takes 64-bit
// values so that sums built from large amounts clamp instead of wrapping.
constexpr std::uint8_t ClampByte(std::int64_t v) {
  return ClampToByte(static_cast<int>(std::clamp<std::int64_t>(v, -1, 256)));
}

// 25 coefficients, row by row from the top: K[j * 5 + i] weighs the pixel
// at (x + i - 2, y + j - 2).
using TKernel5x5 = std::array<int, 25>;

// The 16 pixels on the border of the 5 x 5 neighbourhood, each weight 1.
inline constexpr TKernel5x5 RingKernel = {
    1, 1, 1, 1, 1,  //
    1, 0, 0, 0, 1,  //
    1, 0, 0, 0, 1,  //
    1, 0, 0, 0, 1,  //
    1, 1, 1, 1, 1,  //
};

// In place, reading from a copy: each channel becomes the kernel-weighted
// sum of the neighbourhood (coordinates clamped into the image) divided by
// the sum of the coefficients (1 when that sum is 0), truncated toward
// zero and clamped to 0..255. Other pixel formats are converted to 24 bit.
void Convolve5x5(TBitmap& bitmap, const TKernel5x5& kernel);

}  // namespace kroma
