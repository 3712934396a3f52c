#pragma once
// PNG files through libpng. Every PNG colour type and bit depth is read
// into a 24-bit image; transparency is blended over white. The image size
// is checked against the pixel budget before any pixel memory is taken.
// Written as 8-bit RGB, no alpha, default compression.
// A malformed file throws Error and leaves the target unchanged.
#include <cstdint>
#include <span>
#include <vector>

namespace kroma {

class TBitmap;

void ReadPng(std::span<const std::uint8_t> data, TBitmap& target);
// Throws Error for an empty bitmap.
std::vector<std::uint8_t> WritePng(const TBitmap& bitmap);

}  // namespace kroma
