#pragma once
// Resizing a bitmap's picture into another bitmap's size: the filtered
// two-pass resampler, the bilinear fixed-point resize the resize commands
// use, and the aspect-keeping resize built on it. Sources of any format are
// read as 24 bit; targets come out 24 bit.
#include <cstdint>
#include <vector>

#include "effects/ResampleFilters.h"

namespace kroma {

class TBitmap;

// The source pixels that feed one target column (or row), with their
// weights, in the order they are summed.
struct TContributor {
  int Index;
  float Weight;
};
using TContributorList = std::vector<TContributor>;

// The lists of all `targetSize` target positions from `sourceSize` source
// positions, for a kernel of the given support. The scale is
// (target - 1) / (source - 1), or target / source when either size is 1;
// below 1 the kernel widens by its inverse. Source indices that fall
// outside are mirrored at the border (-j, 2 * source - 1 - j) and then
// clamped to the nearest edge pixel, so every index is inside the source.
// Only weights that are not zero enter a list.
std::vector<TContributorList> ResampleContributors(int sourceSize, int targetSize, TResampleKernel filter,
                                                   float support);

// Fills the whole target (its size is the size wanted) from the source:
// a horizontal pass into a target-wide intermediate, then a vertical pass,
// each summing weight x channel in single precision and rounding (ties to
// even) after clamping to 0 .. 255. Throws Error "Source bitmap too small"
// for an empty source. Uses every filter thread; the result does not
// depend on their number or on the processor's vector instructions.
void Resample(const TBitmap& source, TBitmap& target, TResampleKernel filter, float support);

// The bilinear resize in 15-bit fixed point: the target keeps its size and
// receives the source's picture. The steps stop short of the source's last
// row and column, so the last target pixels interpolate towards them; a
// source one pixel wide (or high) repeats that pixel across. An empty
// source or target does nothing.
void SmoothResize(const TBitmap& source, TBitmap& target);

// The shape SmartResize gives a source: mode 0 fixes the width at `size`,
// mode 1 the height, mode 2 fits the picture into a size x size square.
enum class TSmartMode { FixWidth = 0, FixHeight = 1, Square = 2 };

struct TResizeShape {
  int Width, Height;
};
// The size SmartResize resamples a width x height picture to (before the
// square's padding), each side at least 1 pixel. Throws Error for a size
// below 1 or an empty source.
TResizeShape SmartResizeShape(int width, int height, TSmartMode mode, int size);

// Sizes the target from the source's aspect ratio (each side at least 1
// pixel) and fills it with SmoothResize; mode Square then pads the short
// side with white to size x size, the picture at the top-left. Throws Error
// for a size below 1 or an empty source.
void SmartResize(const TBitmap& source, TBitmap& target, TSmartMode mode, int size);

}  // namespace kroma
