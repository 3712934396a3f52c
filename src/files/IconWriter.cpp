#include "files/IconWriter.h"

#include <algorithm>

#include "core/Error.h"
#include "core/FileIO.h"
#include "files/CodecSupport.h"

namespace kroma {
namespace {

TColor PixelColor(const std::uint8_t* p) { return RGB(p[2], p[1], p[0]); }

}  // namespace

TIcon BitmapToIcon(const TBitmap& picture) {
  TBitmap work(kIconSize, kIconSize, pf24bit);  // white
  if (!picture.Empty()) {
    const TBitmap source = To24Bit(picture);
    const int w = std::min(kIconSize, source.Width()), h = std::min(kIconSize, source.Height());
    for (int y = 0; y < h; ++y) std::copy_n(source.ScanLine(y), 3 * w, work.ScanLine(y));
  }
  const TColor transparent = PixelColor(work.ScanLine(kIconSize - 1));
  const TColor marker = transparent == kIconMarkerColor ? RGB(250, 249, 247) : kIconMarkerColor;
  TIcon icon{TBitmap(kIconSize, kIconSize, pf24bit, {}), std::vector<bool>(kIconSize * kIconSize)};
  for (int y = 0; y < kIconSize; ++y) {
    const std::uint8_t* s = work.ScanLine(y);
    std::uint8_t* d = icon.color.ScanLine(y);
    for (int x = 0; x < kIconSize; ++x, s += 3, d += 3) {
      const TColor c = PixelColor(s);
      if (c == transparent) {
        icon.mask[static_cast<std::size_t>(y * kIconSize + x)] = true;
      } else if (c != marker) {
        std::copy_n(s, 3, d);
      }  // the marker colour stays black
    }
  }
  return icon;
}

std::vector<std::uint8_t> WriteIcon(const TIcon& icon, int bitsPerPixel) {
  if (bitsPerPixel != 4 && bitsPerPixel != 8) throw Error("Icons are written with 4 or 8 bits per pixel");
  const int w = icon.color.Width(), h = icon.color.Height();
  if (w < 1 || h < 1 || w > 256 || h > 256 || icon.mask.size() != static_cast<std::size_t>(w * h))
    throw Error("An icon must be 1 to 256 pixels wide and high, with a mask of its size");
  TBitmap color = icon.color;
  color.SetPixelFormat(bitsPerPixel == 4 ? pf4bit : pf8bit);
  const std::vector<TColor>& palette = color.Palette();
  const std::size_t entries = std::size_t{1} << bitsPerPixel;
  const auto colorStride = static_cast<std::size_t>(((w * bitsPerPixel + 31) / 32) * 4);
  const auto maskStride = static_cast<std::size_t>(((w + 31) / 32) * 4);
  const std::size_t colorBytes = colorStride * static_cast<std::size_t>(h);
  const std::size_t maskBytes = maskStride * static_cast<std::size_t>(h);
  const std::size_t imageBytes = 40 + 4 * entries + colorBytes + maskBytes;

  std::vector<std::uint8_t> out;
  TLeWriter f(out);
  f.U16(0);  // reserved
  f.U16(1);  // icon
  f.U16(1);  // one image
  f.U8(w == 256 ? 0 : static_cast<std::uint32_t>(w));
  f.U8(h == 256 ? 0 : static_cast<std::uint32_t>(h));
  f.U16(static_cast<std::uint32_t>(bitsPerPixel));  // colour count byte, then 0
  f.U32(0);
  f.U32(static_cast<std::uint32_t>(imageBytes));
  f.U32(22);
  // Bitmap information header; the height counts colour and mask rows.
  f.U32(40);
  f.U32(static_cast<std::uint32_t>(w));
  f.U32(static_cast<std::uint32_t>(2 * h));
  f.U16(1);
  f.U16(static_cast<std::uint32_t>(bitsPerPixel));
  f.U32(0);
  f.U32(static_cast<std::uint32_t>(colorBytes));
  for (int i = 0; i < 4; ++i) f.U32(0);
  for (std::size_t i = 0; i < entries; ++i) {
    const TColor c = i < palette.size() ? palette[i] : clBlack;
    f.U8(GetBValue(c));
    f.U8(GetGValue(c));
    f.U8(GetRValue(c));
    f.U8(0);
  }
  const auto rowBytes = static_cast<std::size_t>((w * bitsPerPixel + 7) / 8);
  for (int y = h - 1; y >= 0; --y) {
    f.Bytes(color.ScanLine(y), rowBytes);
    for (std::size_t i = rowBytes; i < colorStride; ++i) f.U8(0);
  }
  for (int y = h - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(maskStride, 0);
    for (int x = 0; x < w; ++x)
      if (icon.Transparent(x, y)) row[static_cast<std::size_t>(x >> 3)] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
    f.Bytes(row.data(), row.size());
  }
  return out;
}

void SaveIconFile(const std::string& path, const TBitmap& picture, int bitsPerPixel) {
  WriteFileAtomic(path, WriteIcon(BitmapToIcon(picture), bitsPerPixel));
}

}  // namespace kroma
