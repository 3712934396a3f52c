#pragma once
// Opening and saving images by the file name's extension (never by the
// file's content).
//
// Open: .GIF, .PNG, .JPG/.JPEG, .WMF/.EMF, .BMP, .ICO (any letter case).
// BMP files keep their own pixel format; the others are read as 24-bit.
// An unknown extension or a malformed file throws Error and leaves the
// target as it was.
//
// Save: .TIF (our TIFF writer), .PNG (24-bit), .ICO (32 x 32 pictures
// only, 256 colours), .JPG/.JPEG (quality 25, colour, baseline), .GIF (the
// program-wide colour reduction, unused palette entries removed, optionally
// the bottom-left pixel's colour transparent), .BMP (the bitmap's own
// format). Every save writes a temporary file and renames it, so a failed
// save keeps the old file. An unknown extension throws Error and writes
// nothing.
#include <cstdint>
#include <string>
#include <vector>

namespace kroma {

class TBitmap;

void LoadImageFile(const std::string& path, TBitmap& target);
void SaveImageFile(const std::string& path, const TBitmap& bitmap, bool gifTransparent);

// True when LoadImageFile / SaveImageFile know the extension of `path`.
bool CanLoadImageFile(const std::string& path);
bool CanSaveImageFile(const std::string& path);

// The GIF bytes of a GIF save: frame of the current reduction settings,
// palette compacted, transparent index from the bottom-left pixel when
// asked.
std::vector<std::uint8_t> EncodeGifForSave(const TBitmap& bitmap, bool transparent);

}  // namespace kroma
