#include "files/TiffWriter.h"

#include "core/Bitmap.h"
#include "core/Error.h"
#include "core/FileIO.h"
#include "files/CodecSupport.h"

namespace kroma {
namespace {

enum TFieldType : std::uint16_t { kAscii = 2, kShort = 3, kLong = 4, kRational = 5 };

constexpr char kSoftware[10] = {'Z', 'e', 'f', 't', 'a', ' ', 's', 'o', 'f', 't'};
constexpr std::uint32_t kResolutionNumerator = 877, kResolutionDenominator = 10;

struct TEntry {
  std::uint16_t tag;
  std::uint16_t type;
  std::uint32_t count;
  std::uint32_t value;  // the value when it fits, else its offset
};

// A side as SHORT when it fits, else LONG.
TEntry SideEntry(std::uint16_t tag, int side) {
  const auto v = static_cast<std::uint32_t>(side);
  return {tag, v <= 0xFFFF ? std::uint16_t{kShort} : std::uint16_t{kLong}, 1, v};
}

void WriteIfd(TLeWriter& w, const std::vector<TEntry>& entries) {
  const auto ifdOffset = static_cast<std::uint32_t>(w.Size());
  w.U16(static_cast<std::uint32_t>(entries.size()));
  for (const TEntry& e : entries) {
    w.U16(e.tag);
    w.U16(e.type);
    w.U32(e.count);
    if (e.type == kShort && e.count == 1) {
      w.U16(e.value);
      w.U16(0);
    } else {
      w.U32(e.value);
    }
  }
  w.U32(0);  // no next IFD
  w.PatchU32(4, ifdOffset);
}

void WriteHeader(TLeWriter& w) {
  w.U8('I');
  w.U8('I');
  w.U16(42);
  w.U32(8);  // replaced by the IFD offset at the end
}

void WriteResolution(TLeWriter& w) {
  w.U32(kResolutionNumerator);
  w.U32(kResolutionDenominator);
}

std::vector<std::uint8_t> WriteRgb(const TBitmap& bitmap) {
  const int w = bitmap.Width(), h = bitmap.Height();
  const std::uint32_t rowBytes = 3 * static_cast<std::uint32_t>(w);
  std::vector<std::uint8_t> out;
  out.reserve(40 + static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(h) + 186);
  TLeWriter f(out);
  WriteHeader(f);
  const auto xRes = static_cast<std::uint32_t>(f.Size());
  WriteResolution(f);
  const auto yRes = static_cast<std::uint32_t>(f.Size());
  WriteResolution(f);
  const auto bitsPerSample = static_cast<std::uint32_t>(f.Size());
  for (int i = 0; i < 3; ++i) f.U16(8);
  const auto software = static_cast<std::uint32_t>(f.Size());
  f.Bytes(reinterpret_cast<const std::uint8_t*>(kSoftware), sizeof kSoftware);
  const auto strip = static_cast<std::uint32_t>(f.Size());
  const TBitmap converted = bitmap.PixelFormat() == pf24bit ? TBitmap() : To24Bit(bitmap);
  const TBitmap& source = bitmap.PixelFormat() == pf24bit ? bitmap : converted;
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* p = source.ScanLine(y);
    for (int x = 0; x < w; ++x, p += 3) {
      f.U8(p[2]);
      f.U8(p[1]);
      f.U8(p[0]);
    }
  }
  const std::uint32_t stripBytes = rowBytes * static_cast<std::uint32_t>(h);
  WriteIfd(f, {{254, kLong, 1, 0},
               SideEntry(256, w),
               SideEntry(257, h),
               {258, kShort, 3, bitsPerSample},
               {259, kShort, 1, 1},
               {262, kShort, 1, 2},
               {273, kLong, 1, strip},
               {277, kShort, 1, 3},
               {278, kLong, 1, static_cast<std::uint32_t>(h)},
               {279, kLong, 1, stripBytes},
               {282, kRational, 1, xRes},
               {283, kRational, 1, yRes},
               {284, kShort, 1, 1},
               {296, kShort, 1, 2},
               {305, kAscii, sizeof kSoftware, software}});
  return out;
}

std::vector<std::uint8_t> WritePalette(const TBitmap& bitmap) {
  const int w = bitmap.Width(), h = bitmap.Height();
  const int bits = BitsPerPixel(bitmap.PixelFormat());
  const std::size_t entries = std::size_t{1} << bits;
  const auto rowBytes = static_cast<std::uint32_t>((static_cast<std::int64_t>(w) * bits + 7) / 8);
  std::vector<std::uint8_t> out;
  TLeWriter f(out);
  WriteHeader(f);
  // The colour map: all reds, all greens, all blues, each 8-bit component
  // in the high byte; entries the palette lacks are black.
  const std::vector<TColor>& palette = bitmap.Palette();
  const auto colorMap = static_cast<std::uint32_t>(f.Size());
  for (auto channel : {GetRValue, GetGValue, GetBValue})
    for (std::size_t i = 0; i < entries; ++i) f.U16(i < palette.size() ? std::uint32_t{channel(palette[i])} << 8 : 0);
  const auto xRes = static_cast<std::uint32_t>(f.Size());
  WriteResolution(f);
  const auto yRes = static_cast<std::uint32_t>(f.Size());
  WriteResolution(f);
  const auto software = static_cast<std::uint32_t>(f.Size());
  f.Bytes(reinterpret_cast<const std::uint8_t*>(kSoftware), sizeof kSoftware);
  const auto strip = static_cast<std::uint32_t>(f.Size());
  for (int y = 0; y < h; ++y) {
    // Stored rows are already packed this way, left pixel in the high bits;
    // the bits past the last pixel are cleared.
    const std::size_t at = f.Size();
    f.Bytes(bitmap.ScanLine(y), rowBytes);
    const auto spare = static_cast<int>(std::int64_t{rowBytes} * 8 - std::int64_t{w} * bits);
    if (spare > 0) out[at + rowBytes - 1] &= static_cast<std::uint8_t>(0xFF << spare);
  }
  const std::uint32_t stripBytes = rowBytes * static_cast<std::uint32_t>(h);
  WriteIfd(f, {{254, kLong, 1, 0},
               SideEntry(256, w),
               SideEntry(257, h),
               {258, kShort, 1, static_cast<std::uint32_t>(bits)},
               {259, kShort, 1, 1},
               {262, kShort, 1, 3},
               {273, kLong, 1, strip},
               {277, kShort, 1, 1},
               {278, kLong, 1, static_cast<std::uint32_t>(h)},
               {279, kLong, 1, stripBytes},
               {282, kRational, 1, xRes},
               {283, kRational, 1, yRes},
               {296, kShort, 1, 2},
               {305, kAscii, sizeof kSoftware, software},
               {320, kShort, static_cast<std::uint32_t>(3 * entries), colorMap}});
  return out;
}

}  // namespace

std::vector<std::uint8_t> WriteTiff(const TBitmap& bitmap) {
  if (bitmap.Empty()) throw Error("An empty image cannot be saved as a TIFF file");
  return IsPaletteFormat(bitmap.PixelFormat()) ? WritePalette(bitmap) : WriteRgb(bitmap);
}

void WriteTiffFile(const std::string& path, const TBitmap& bitmap) { WriteFileAtomic(path, WriteTiff(bitmap)); }

}  // namespace kroma
