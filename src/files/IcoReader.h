#pragma once
// ".ico" files: the largest image of the file (the deepest colour on a
// tie), drawn on white as the icon would be drawn: transparent pixels show
// the white, inverting pixels invert it, alpha blends over it. Images may
// be device-independent bitmaps of 1, 4, 8, 24 or 32 bits with their mask,
// or PNG. The result is 24-bit.
// A malformed file throws Error and leaves the target unchanged.
#include <cstdint>
#include <span>

namespace kroma {

class TBitmap;

void ReadIco(std::span<const std::uint8_t> data, TBitmap& target);

}  // namespace kroma
