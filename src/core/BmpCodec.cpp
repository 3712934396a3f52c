#include "core/BmpCodec.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>
#include <string>

#include "core/Bitmap.h"
#include "core/Error.h"
#include "core/FileIO.h"
#include "core/PixelFormats.h"

namespace kroma {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3;
constexpr std::uint32_t kPixelsPerMetre = 3780;  // 96 dpi

// Red, green and blue masks.
struct TMasks {
  std::uint32_t r = 0, g = 0, b = 0;
  friend bool operator==(const TMasks&, const TMasks&) = default;
};
constexpr TMasks kMasks555{0x7C00, 0x03E0, 0x001F};
constexpr TMasks kMasks565{0xF800, 0x07E0, 0x001F};
constexpr TMasks kMasksBgrx{0x00FF0000, 0x0000FF00, 0x000000FF};

[[noreturn]] void Fail(const std::string& why) { throw Error("Invalid BMP file: " + why); }

std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t Le32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
}
void Put16(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(std::uint8_t* p, std::uint32_t v) {
  Put16(p, v);
  Put16(p + 2, v >> 16);
}

// What the headers say, checked.
struct TBmpLayout {
  int width = 0;
  int height = 0;  // rows, positive
  bool topDown = false;
  int bits = 0;
  std::uint32_t compression = kBiRgb;
  TMasks masks;
  std::vector<TColor> palette;
  std::size_t pixelOffset = 0;
};

bool IsHeaderSizeKnown(std::uint32_t size) {
  return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

void CheckMasks(const TMasks& m, int bits) {
  const std::uint32_t pixelMask = bits == 32 ? 0xFFFFFFFFu : 0xFFFFu;
  for (std::uint32_t mask : {m.r, m.g, m.b}) {
    if (mask == 0) Fail("a colour mask is zero");
    if ((mask & ~pixelMask) != 0) Fail("a colour mask uses more bits than a pixel has");
    std::uint32_t low = mask >> std::countr_zero(mask);
    if ((low & (low + 1)) != 0) Fail("a colour mask is not one run of bits");
  }
  if ((m.r & m.g) != 0 || (m.r & m.b) != 0 || (m.g & m.b) != 0) Fail("the colour masks overlap");
}

TBmpLayout ReadLayout(std::span<const std::uint8_t> data) {
  if (data.size() < kFileHeaderSize + 4) Fail("the file is too short for its headers");
  if (data[0] != 'B' || data[1] != 'M') Fail("it does not start with \"BM\"");
  const std::uint32_t pixelOffset = Le32(&data[10]);
  const std::uint32_t headerSize = Le32(&data[14]);
  if (!IsHeaderSizeKnown(headerSize)) Fail("unsupported header size " + std::to_string(headerSize));
  if (data.size() < kFileHeaderSize + headerSize) Fail("the header is truncated");
  const std::uint8_t* h = &data[kFileHeaderSize];
  const bool core = headerSize == 12;

  TBmpLayout layout;
  std::int64_t height;
  std::uint32_t colorsUsed = 0;
  if (core) {
    layout.width = Le16(h + 4);
    height = Le16(h + 6);
    layout.bits = Le16(h + 10);
  } else {
    layout.width = static_cast<std::int32_t>(Le32(h + 4));
    height = static_cast<std::int32_t>(Le32(h + 8));
    layout.bits = Le16(h + 14);
    layout.compression = Le32(h + 16);
    colorsUsed = Le32(h + 32);
  }
  if (layout.width <= 0) Fail("the width must be positive, not " + std::to_string(layout.width));
  if (height == 0) Fail("the image has no rows");
  if (height == INT_MIN) Fail("the height is out of range");
  layout.topDown = height < 0;
  layout.height = static_cast<int>(height < 0 ? -height : height);

  const int b = layout.bits;
  const bool bitsKnown = core ? (b == 1 || b == 4 || b == 8 || b == 24)
                              : (b == 1 || b == 4 || b == 8 || b == 16 || b == 24 || b == 32);
  if (!bitsKnown) Fail("unsupported number of bits per pixel: " + std::to_string(b));
  switch (layout.compression) {
    case kBiRgb: break;
    case kBiRle8:
      if (b != 8) Fail("RLE8 compression needs 8 bits per pixel, not " + std::to_string(b));
      break;
    case kBiRle4:
      if (b != 4) Fail("RLE4 compression needs 4 bits per pixel, not " + std::to_string(b));
      break;
    case kBiBitfields:
      if (b != 16 && b != 32) Fail("bit-field pixels need 16 or 32 bits per pixel, not " + std::to_string(b));
      break;
    default: Fail("unsupported compression " + std::to_string(layout.compression));
  }
  const bool rle = layout.compression == kBiRle8 || layout.compression == kBiRle4;
  if (rle && layout.topDown) Fail("compressed images must be stored bottom-up");
  CheckImageSize(layout.width, layout.height);

  // Masks sit in the header from 52 bytes on, else right after it.
  std::size_t tablePos = kFileHeaderSize + headerSize;
  if (layout.compression == kBiBitfields) {
    const std::uint8_t* m = h + 40;
    if (headerSize == kInfoHeaderSize) {
      if (data.size() < tablePos + 12) Fail("the colour masks are truncated");
      m = &data[tablePos];
      tablePos += 12;
    }
    layout.masks = {Le32(m), Le32(m + 4), Le32(m + 8)};
    CheckMasks(layout.masks, b);
  } else if (b == 16) {
    layout.masks = kMasks555;
  } else if (b == 32) {
    layout.masks = kMasksBgrx;
  }

  if (b <= 8) {
    const std::uint32_t maxColors = 1u << b;
    if (colorsUsed > maxColors)
      Fail("the palette has " + std::to_string(colorsUsed) + " colours; " + std::to_string(b) +
           "-bit pixels allow at most " + std::to_string(maxColors));
    const std::uint32_t count = colorsUsed != 0 ? colorsUsed : maxColors;
    const std::size_t entrySize = core ? 3 : 4;
    if (data.size() - tablePos < count * entrySize) Fail("the palette runs past the end of the file");
    layout.palette.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint8_t* e = &data[tablePos + i * entrySize];
      layout.palette.push_back(RGB(e[2], e[1], e[0]));
    }
    tablePos += count * entrySize;
  }
  if (pixelOffset > data.size()) Fail("the pixel data offset lies past the end of the file");
  if (pixelOffset < tablePos) Fail("the pixel data offset points into the headers or the palette");
  layout.pixelOffset = pixelOffset;
  return layout;
}

TPixelFormat FormatFor(const TBmpLayout& layout) {
  switch (layout.bits) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16: return layout.masks == kMasks565 ? pf16bit : pf24bit;
    case 32: return layout.masks == kMasksBgrx ? pf32bit : pf24bit;
    default: return pf24bit;
  }
}

// One channel of a bit-field pixel widened to a byte; a table for channels
// of up to 16 bits. The mask is checked: non-zero, one run of bits.
class TChannel {
 public:
  explicit TChannel(std::uint32_t mask) : shift_(std::countr_zero(mask)), max_(mask >> shift_) {
    if (max_ <= 0xFFFF) {
      table_.resize(max_ + 1);
      for (std::uint32_t v = 0; v <= max_; ++v) table_[v] = ScaleToByte(v, max_);
    }
  }
  std::uint8_t operator()(std::uint32_t pixel) const {
    std::uint32_t v = (pixel >> shift_) & max_;
    return table_.empty() ? ScaleToByte(v, max_) : table_[v];
  }

 private:
  int shift_;
  std::uint32_t max_;
  std::vector<std::uint8_t> table_;
};

void DecodeUncompressed(std::span<const std::uint8_t> data, const TBmpLayout& layout, TBitmap& out) {
  const std::int64_t fileStride = ((static_cast<std::int64_t>(layout.width) * layout.bits + 31) / 32) * 4;
  if (static_cast<std::int64_t>(data.size() - layout.pixelOffset) / fileStride < layout.height)
    Fail("the pixel data is truncated");
  auto fileRow = [&](int i) { return &data[layout.pixelOffset + static_cast<std::size_t>(fileStride * i)]; };
  auto bitmapRow = [&](int i) { return out.ScanLine(layout.topDown ? i : layout.height - 1 - i); };
  const TPixelFormat pf = out.PixelFormat();
  if (BitsPerPixel(pf) == layout.bits) {
    const auto rowBytes = static_cast<std::size_t>((std::int64_t{layout.width} * layout.bits + 7) / 8);
    for (int i = 0; i < layout.height; ++i) {
      std::uint8_t* dst = bitmapRow(i);
      std::memcpy(dst, fileRow(i), rowBytes);
      ClearRowPadding(dst, layout.width, pf, out.Stride());
    }
    return;
  }
  // Bit fields of another layout, widened to 24-bit pixels.
  const TChannel red(layout.masks.r), green(layout.masks.g), blue(layout.masks.b);
  for (int i = 0; i < layout.height; ++i) {
    const std::uint8_t* src = fileRow(i);
    std::uint8_t* dst = bitmapRow(i);
    for (int x = 0; x < layout.width; ++x, dst += 3) {
      std::uint32_t v = layout.bits == 16 ? Le16(src + 2 * x) : Le32(src + 4 * x);
      dst[0] = blue(v);
      dst[1] = green(v);
      dst[2] = red(v);
    }
  }
}

// RLE8 and RLE4: runs and escapes, bottom row first. `out` starts zeroed:
// pixels the stream never sets keep index 0. Some writers let the last run
// of a row cover the row's padding (up to its 32-bit boundary); those
// pixels are dropped. A run past the padding is an error.
void DecodeRle(std::span<const std::uint8_t> stream, bool four, TBitmap& out) {
  const int w = out.Width(), h = out.Height();
  const std::int64_t padded = RowStride(w, out.PixelFormat()) * (four ? 2 : 1);
  int x = 0, y = 0;  // y counts rows from the bottom
  auto put = [&](std::uint8_t* row, unsigned index) {
    if (x >= w) {
      ++x;
      return;
    }
    if (four) {
      std::uint8_t& byte = row[x >> 1];
      byte = (x & 1) ? static_cast<std::uint8_t>((byte & 0xF0) | index)
                     : static_cast<std::uint8_t>((byte & 0x0F) | (index << 4));
    } else {
      row[x] = static_cast<std::uint8_t>(index);
    }
    ++x;
  };
  auto checkRun = [&](unsigned count) {
    if (y >= h) Fail("the compressed data runs past the last row");
    if (count > padded - x) Fail("a compressed run goes past the end of a row");
  };
  const std::size_t n = stream.size();
  std::size_t pos = 0;
  for (;;) {
    if (n - pos < 2) Fail("the compressed data ends before its end marker");
    const unsigned count = stream[pos], value = stream[pos + 1];
    pos += 2;
    if (count > 0) {
      checkRun(count);
      std::uint8_t* row = out.ScanLine(h - 1 - y);
      for (unsigned k = 0; k < count; ++k) put(row, four ? ((k & 1) ? (value & 15) : (value >> 4)) : value);
      continue;
    }
    switch (value) {
      case 0:  // end of line
        if (y >= h) Fail("the compressed data runs past the last row");
        x = 0;
        ++y;
        break;
      case 1:  // end of image
        return;
      case 2: {  // delta: right and up
        if (n - pos < 2) Fail("the compressed data ends before its end marker");
        const int dx = stream[pos], dy = stream[pos + 1];
        pos += 2;
        if (dx > w - x || dy > h - y) Fail("a compressed delta moves past the image");
        x += dx;
        y += dy;
        break;
      }
      default: {  // literal pixels, padded to an even number of bytes
        const std::size_t bytes = four ? (value + 1) / 2 : value;
        if (n - pos < bytes) Fail("the compressed data ends before its end marker");
        checkRun(value);
        std::uint8_t* row = out.ScanLine(h - 1 - y);
        for (unsigned k = 0; k < value; ++k) {
          unsigned byte = stream[pos + (four ? k / 2 : k)];
          put(row, four ? ((k & 1) ? (byte & 15) : (byte >> 4)) : byte);
        }
        pos += std::min(n - pos, (bytes + 1) & ~std::size_t{1});
        break;
      }
    }
  }
}

}  // namespace

void ReadBmp(std::span<const std::uint8_t> data, TBitmap& target) {
  const TBmpLayout layout = ReadLayout(data);
  TBitmap decoded(layout.width, layout.height, FormatFor(layout), layout.palette);
  if (layout.compression == kBiRle8 || layout.compression == kBiRle4)
    DecodeRle(data.subspan(layout.pixelOffset), layout.compression == kBiRle4, decoded);
  else
    DecodeUncompressed(data, layout, decoded);
  decoded.Transparent = target.Transparent;
  decoded.SetTransparentMode(target.TransparentMode());
  if (target.TransparentMode() == tmFixed) decoded.SetTransparentColor(target.TransparentColor());
  target = std::move(decoded);
}

std::vector<std::uint8_t> WriteBmp(const TBitmap& bitmap) {
  if (bitmap.Empty()) throw Error("An empty image cannot be saved as a BMP file");
  const TPixelFormat pf = bitmap.PixelFormat();
  const int bits = BitsPerPixel(pf);
  const std::vector<TColor>& palette = bitmap.Palette();
  const std::size_t maskBytes = pf == pf16bit ? 12 : 0;
  const std::size_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + maskBytes + 4 * palette.size();
  const auto stride = static_cast<std::size_t>(bitmap.Stride());
  const std::size_t imageSize = stride * static_cast<std::size_t>(bitmap.Height());
  // At most 2^28 pixels of 4 bytes: the sizes fit the 32-bit fields.
  const std::size_t fileSize = pixelOffset + imageSize;

  std::vector<std::uint8_t> out(fileSize, 0);
  std::uint8_t* p = out.data();
  p[0] = 'B';
  p[1] = 'M';
  Put32(p + 2, static_cast<std::uint32_t>(fileSize));
  Put32(p + 10, static_cast<std::uint32_t>(pixelOffset));
  std::uint8_t* h = p + kFileHeaderSize;
  Put32(h, kInfoHeaderSize);
  Put32(h + 4, static_cast<std::uint32_t>(bitmap.Width()));
  Put32(h + 8, static_cast<std::uint32_t>(bitmap.Height()));
  Put16(h + 12, 1);
  Put16(h + 14, static_cast<std::uint32_t>(bits));
  Put32(h + 16, pf == pf16bit ? kBiBitfields : kBiRgb);
  Put32(h + 20, static_cast<std::uint32_t>(imageSize));
  Put32(h + 24, kPixelsPerMetre);
  Put32(h + 28, kPixelsPerMetre);
  Put32(h + 32, static_cast<std::uint32_t>(palette.size()));
  std::uint8_t* table = h + kInfoHeaderSize;
  if (pf == pf16bit) {
    Put32(table, kMasks565.r);
    Put32(table + 4, kMasks565.g);
    Put32(table + 8, kMasks565.b);
    table += 12;
  }
  for (TColor c : palette) {
    table[0] = GetBValue(c);
    table[1] = GetGValue(c);
    table[2] = GetRValue(c);
    table += 4;
  }
  const std::size_t rowBytes = (static_cast<std::size_t>(bitmap.Width()) * static_cast<std::size_t>(bits) + 7) / 8;
  for (int i = 0; i < bitmap.Height(); ++i) {
    std::uint8_t* dst = p + pixelOffset + stride * static_cast<std::size_t>(i);
    std::memcpy(dst, bitmap.ScanLine(bitmap.Height() - 1 - i), rowBytes);
    ClearRowPadding(dst, bitmap.Width(), pf, bitmap.Stride());
  }
  return out;
}

void LoadBmpFile(const std::string& path, TBitmap& target) {
  const std::vector<std::uint8_t> data = ReadWholeFile(path);
  try {
    ReadBmp(data, target);
  } catch (const Error& e) {
    throw Error("Cannot open \"" + path + "\": " + e.what());
  }
}

void SaveBmpFile(const std::string& path, const TBitmap& bitmap) { WriteFileAtomic(path, WriteBmp(bitmap)); }

}  // namespace kroma
