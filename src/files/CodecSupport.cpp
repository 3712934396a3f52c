#include "files/CodecSupport.h"

#include <filesystem>
#include <utility>

#include "core/Bitmap.h"
#include "core/PixelFormats.h"

namespace kroma {

void AdoptDecoded(TBitmap& target, TBitmap&& decoded) {
  decoded.Transparent = target.Transparent;
  decoded.SetTransparentMode(target.TransparentMode());
  if (target.TransparentMode() == tmFixed) decoded.SetTransparentColor(target.TransparentColor());
  target = std::move(decoded);
}

TBitmap To24Bit(const TBitmap& bitmap) {
  if (bitmap.PixelFormat() == pf24bit) return bitmap;
  TBitmap out(bitmap.Width(), bitmap.Height(), pf24bit, {});
  for (int y = 0; y < bitmap.Height(); ++y)
    RowToBgr24(bitmap.ScanLine(y), bitmap.PixelFormat(), bitmap.Palette(), bitmap.Width(), out.ScanLine(y));
  return out;
}

std::string UpperExtension(const std::string& path) {
  std::string ext = std::filesystem::path(path).filename().extension().string();
  for (char& c : ext)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return ext;
}

}  // namespace kroma
