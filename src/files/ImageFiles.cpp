#include "files/ImageFiles.h"

#include <span>

#include "core/Bitmap.h"
#include "core/BmpCodec.h"
#include "core/Error.h"
#include "core/FileIO.h"
#include "files/CodecSupport.h"
#include "files/GifCodec.h"
#include "files/GifReduction.h"
#include "files/IcoReader.h"
#include "files/IconWriter.h"
#include "files/JpegCodec.h"
#include "files/Metafile.h"
#include "files/PngCodec.h"
#include "files/TiffWriter.h"


namespace kroma {
namespace {

using TReader = void (*)(std::span<const std::uint8_t>, TBitmap&);

void ReadWmf(std::span<const std::uint8_t> data, TBitmap& target) { LoadMetafile(data, false, target); }
void ReadEmf(std::span<const std::uint8_t> data, TBitmap& target) { LoadMetafile(data, true, target); }

struct TOpenRow {
  const char* extension;
  TReader read;
};

constexpr TOpenRow kOpenTable[] = {
    {".GIF", ReadGif}, {".PNG", ReadPng}, {".JPG", ReadJpeg}, {".JPEG", ReadJpeg},
    {".WMF", ReadWmf}, {".EMF", ReadEmf}, {".BMP", ReadBmp},  {".ICO", ReadIco},
};

using TEncoder = std::vector<std::uint8_t> (*)(const TBitmap&, bool gifTransparent);

std::vector<std::uint8_t> EncodeIcon(const TBitmap& bitmap, bool) {
  if (bitmap.Width() != kIconSize || bitmap.Height() != kIconSize) throw Error("icons must be 32x32");
  return WriteIcon(BitmapToIcon(bitmap), 8);
}

struct TSaveRow {
  const char* extension;
  TEncoder encode;
};

const TSaveRow kSaveTable[] = {
    {".TIF", [](const TBitmap& b, bool) { return WriteTiff(b); }},
    {".PNG", [](const TBitmap& b, bool) { return WritePng(b); }},
    {".ICO", EncodeIcon},
    {".JPG", [](const TBitmap& b, bool) { return WriteJpeg(b, kJpegSaveQuality); }},
    {".JPEG", [](const TBitmap& b, bool) { return WriteJpeg(b, kJpegSaveQuality); }},
    {".GIF", EncodeGifForSave},
    {".BMP", [](const TBitmap& b, bool) { return WriteBmp(b); }},
};

template <class TRow, std::size_t N>
const TRow* Find(const TRow (&table)[N], const std::string& path) {
  const std::string ext = UpperExtension(path);
  for (const TRow& row : table)
    if (ext == row.extension) return &row;
  return nullptr;
}

std::string ExtensionText(const std::string& path) {
  const std::string ext = UpperExtension(path);
  return ext.empty() ? "no extension" : "the extension \"" + ext + "\"";
}

}  // namespace

bool CanLoadImageFile(const std::string& path) { return Find(kOpenTable, path) != nullptr; }
bool CanSaveImageFile(const std::string& path) { return Find(kSaveTable, path) != nullptr; }

void LoadImageFile(const std::string& path, TBitmap& target) {
  const TOpenRow* row = Find(kOpenTable, path);
  if (!row)
    throw Error("Cannot open \"" + path + "\": files with " + ExtensionText(path) +
                " are not images Kroma reads (it reads .bmp, .gif, .png, .jpg, .jpeg, .ico, .wmf and .emf)");
  const std::vector<std::uint8_t> data = ReadWholeFile(path);
  try {
    row->read(data, target);
  } catch (const Error& e) {
    throw Error("Cannot open \"" + path + "\": " + e.what());
  }
}

void SaveImageFile(const std::string& path, const TBitmap& bitmap, bool gifTransparent) {
  const TSaveRow* row = Find(kSaveTable, path);
  if (!row)
    throw Error("Cannot save \"" + path + "\": Kroma does not write files with " + ExtensionText(path) +
                " (it writes .bmp, .gif, .ico, .tif, .jpg, .jpeg and .png)");
  std::vector<std::uint8_t> bytes;
  try {
    bytes = row->encode(bitmap, gifTransparent);
  } catch (const Error& e) {
    throw Error("Cannot save \"" + path + "\": " + e.what());
  }
  WriteFileAtomic(path, bytes);
}

std::vector<std::uint8_t> EncodeGifForSave(const TBitmap& bitmap, bool transparent) {
  if (bitmap.Empty()) throw Error("An empty image cannot be saved as a GIF file");
  const TBitmap frame = CompactPalette(MakeGifFrame(bitmap, GifReductionSettings()));
  return WriteGif(frame, transparent ? frame.ScanLine(frame.Height() - 1)[0] : -1);
}

}  // namespace kroma
