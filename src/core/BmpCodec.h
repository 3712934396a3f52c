#pragma once
// BMP files: read with 12, 40, 108 and 124-byte headers, 1/4/8/16/24/32
// bits, uncompressed, RLE4, RLE8 and bit fields, bottom-up or top-down; the
// image keeps the file's pixel format. Written in the bitmap's own format.
// A malformed file throws Error and leaves the target bitmap unchanged.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/Bitmap.h"

namespace kroma {

void ReadBmp(std::span<const std::uint8_t> data, TBitmap& target);
std::vector<std::uint8_t> WriteBmp(const TBitmap& bitmap);

void LoadBmpFile(const std::string& path, TBitmap& target);
// Written to a temporary file and renamed, so a failed save keeps the old file.
void SaveBmpFile(const std::string& path, const TBitmap& bitmap);

}  // namespace kroma
