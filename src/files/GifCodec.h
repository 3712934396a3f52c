#pragma once
// GIF files through giflib. Reading takes the first image only, record by
// record (later frames are never read), onto the logical screen: the
// frame at its offset, transparent pixels and the uncovered area white,
// 24-bit. Writing takes a palette image (1, 4 or 8 bits per pixel) and
// writes one LZW-compressed frame with one colour table.
// A malformed file throws Error and leaves the target unchanged.
#include <cstdint>
#include <span>
#include <vector>

namespace kroma {

class TBitmap;

void ReadGif(std::span<const std::uint8_t> data, TBitmap& target);

// `indexed` must have a palette format; a transparentIndex of 0 .. 255 adds
// a graphic control extension that marks that index transparent (-1: none).
// Throws Error for an empty or non-palette bitmap.
std::vector<std::uint8_t> WriteGif(const TBitmap& indexed, int transparentIndex = -1);

// The colour-map optimisation before a save: an 8-bit copy whose palette
// keeps only the entries some pixel uses, in their old order.
TBitmap CompactPalette(const TBitmap& indexed);

// The palette index of every pixel of row y of a palette bitmap.
void RowIndices(const TBitmap& indexed, int y, std::uint8_t* out);

}  // namespace kroma
