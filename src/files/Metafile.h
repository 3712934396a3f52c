#pragma once
// Metafile drawings (WMF and EMF) opened as images: the drawing is played
// onto a white bitmap of its own size (see WmfPlayer.h and EmfPlayer.h).
#include <cstdint>
#include <span>

namespace kroma {

class TBitmap;

// Sizes `target` to the drawing's size, white, and plays the records onto
// it; `enhanced` means EMF, otherwise WMF. A malformed file throws Error
// and leaves `target` unchanged; target's transparency settings stay.
void LoadMetafile(std::span<const std::uint8_t> data, bool enhanced, TBitmap& target);

}  // namespace kroma
