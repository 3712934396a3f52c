#pragma once
// PNG files. Read through libpng: every PNG colour type and bit depth into
// a 24-bit image, transparency blended over white, the image size checked
// against the pixel budget before any pixel memory is taken; a malformed
// file throws Error and leaves the target unchanged. Written by our own
// encoder (files/PngEncoder.cpp) as 8-bit RGB, no alpha, on all cores.
#include <cstdint>
#include <span>
#include <vector>

namespace kroma {

class TBitmap;

void ReadPng(std::span<const std::uint8_t> data, TBitmap& target);
// Throws Error for an empty bitmap.
std::vector<std::uint8_t> WritePng(const TBitmap& bitmap);

}  // namespace kroma
