#pragma once
// BMP files: read with 12, 40, 52, 56, 108 and 124-byte headers,
// 1/4/8/16/24/32 bits, uncompressed, RLE4, RLE8 and bit fields, bottom-up
// or top-down; the image keeps the file's pixel format (16 and 32-bit files
// with other than the 5-6-5 and blue-green-red-unused layouts become
// pf24bit). Written in the bitmap's own format: 40-byte header, bottom-up,
// 96 dpi.
// A malformed file throws Error and leaves the target bitmap unchanged.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kroma {

class TBitmap;

// Replaces the pixels, size, format and palette of `target`; its
// transparency settings stay.
void ReadBmp(std::span<const std::uint8_t> data, TBitmap& target);
// Throws Error for an empty bitmap.
std::vector<std::uint8_t> WriteBmp(const TBitmap& bitmap);

void LoadBmpFile(const std::string& path, TBitmap& target);
// Written to a temporary file and renamed, so a failed save keeps the old file.
void SaveBmpFile(const std::string& path, const TBitmap& bitmap);

}  // namespace kroma
