#pragma once
// JPEG files through libjpeg(-turbo). Grey, colour and CMYK files are read
// into a 24-bit image; the size is checked against the pixel budget before
// any pixel memory is taken. Written as baseline colour or grey JPEG at a
// quality of 1 to 100.
// A malformed or truncated file throws Error and leaves the target unchanged.
#include <cstdint>
#include <span>
#include <vector>

namespace kroma {

class TBitmap;

// The quality the program saves with.
constexpr int kJpegSaveQuality = 25;

void ReadJpeg(std::span<const std::uint8_t> data, TBitmap& target);
// Throws Error for an empty bitmap or a quality outside 1 .. 100.
std::vector<std::uint8_t> WriteJpeg(const TBitmap& bitmap, int quality, bool grayscale = false);

}  // namespace kroma
