#pragma once
// Our own TIFF writer: uncompressed, one strip, little-endian, no reading
// side. 24 and 32-bit (and 16-bit) images are written as RGB, palette
// images (1, 4 and 8 bits) with a colour map; every column is kept. Sides
// up to 65535 are SHORT fields, larger ones LONG.
#include <cstdint>
#include <string>
#include <vector>

namespace kroma {

class TBitmap;

// Throws Error for an empty bitmap.
std::vector<std::uint8_t> WriteTiff(const TBitmap& bitmap);
// Written to a temporary file and renamed, so a failed save keeps the old file.
void WriteTiffFile(const std::string& path, const TBitmap& bitmap);

}  // namespace kroma
