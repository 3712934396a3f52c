#include "files/MetafileDib.h"

#include <algorithm>
#include <limits>

#include "core/BmpCodec.h"
#include "core/Error.h"
#include "files/MetafileDevice.h"
#include "files/MetafileGdi.h"
#include "files/MetafileRecord.h"

namespace kroma {

namespace {

constexpr std::uint32_t kCoreHeaderSize = 12, kInfoHeaderSize = 40;
constexpr std::uint32_t kBiBitfields = 3, kBiAlphaBitfields = 6;
constexpr std::size_t kFileHeaderSize = 14;

struct TInfoLayout {
  std::uint32_t headerSize = 0;
  bool core = false;
  int bits = 0;
  std::uint64_t tableCount = 0;
  std::size_t maskBytes = 0;  // masks after a 40-byte header
};

TInfoLayout ReadInfo(std::span<const std::uint8_t> info) {
  const TRecordData d(info);
  TInfoLayout l;
  l.headerSize = d.U32(0);
  if (l.headerSize == kCoreHeaderSize) {
    l.core = true;
    l.bits = d.U16(10);
    l.tableCount = l.bits <= 8 ? std::uint64_t{1} << l.bits : 0;
  } else if (l.headerSize >= kInfoHeaderSize && l.headerSize <= info.size()) {
    l.bits = d.U16(14);
    const std::uint32_t compression = d.U32(16), used = d.U32(32);
    if (l.headerSize == kInfoHeaderSize) l.maskBytes = compression == kBiBitfields ? 12 : compression == kBiAlphaBitfields ? 16 : 0;
    l.tableCount = used != 0 ? used : (l.bits <= 8 ? std::uint64_t{1} << l.bits : 0);
  } else {
    throw TBadRecord{};
  }
  return l;
}

std::size_t EntrySize(const TInfoLayout& l, std::uint32_t usage) {
  return l.core ? 3 : (usage == gdi::kDibPalColors ? 2 : 4);
}

void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

int SaturateInt(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

TDibParts SplitPackedDib(std::span<const std::uint8_t> dib, std::uint32_t usage) {
  const TInfoLayout l = ReadInfo(dib);
  const std::uint64_t size = l.headerSize + l.maskBytes + l.tableCount * EntrySize(l, usage);
  if (size > dib.size()) throw TBadRecord{};
  return {dib.first(static_cast<std::size_t>(size)), dib.subspan(static_cast<std::size_t>(size))};
}

std::int32_t DibHeight(std::span<const std::uint8_t> info) {
  const TRecordData d(info);
  return d.U32(0) == kCoreHeaderSize ? d.U16(6) : d.I32(8);
}

TBitmap DecodeDib(TDibParts dib, std::uint32_t usage, const std::vector<TColor>& palette, std::int32_t rows) {
  const TInfoLayout l = ReadInfo(dib.info);
  const std::size_t fixed = l.headerSize + l.maskBytes;
  if (fixed > dib.info.size()) throw TBadRecord{};

  std::vector<std::uint8_t> file(kFileHeaderSize, 0);
  file[0] = 'B';
  file[1] = 'M';
  file.insert(file.end(), dib.info.begin(), dib.info.begin() + static_cast<std::ptrdiff_t>(fixed));
  if (rows > 0 && !l.core) {
    const std::int32_t height = DibHeight(dib.info);
    if (rows < (height < 0 ? -static_cast<std::int64_t>(height) : height))
      Put32(file, kFileHeaderSize + 8, static_cast<std::uint32_t>(height < 0 ? -rows : rows));
  }
  if (usage == gdi::kDibPalColors && !l.core) {
    // Palette indices become the colours they stand for.
    if (l.bits <= 8) {
      const TRecordData table(dib.info.subspan(fixed));
      table.Need(0, l.tableCount, 2);
      for (std::uint64_t i = 0; i < l.tableCount; ++i) {
        const std::uint16_t index = table.U16(static_cast<std::size_t>(2 * i));
        const TColor c = index < palette.size() ? palette[index] : clBlack;
        file.insert(file.end(), {GetBValue(c), GetGValue(c), GetRValue(c), 0});
      }
    }
  } else {
    file.insert(file.end(), dib.info.begin() + static_cast<std::ptrdiff_t>(fixed), dib.info.end());
  }
  const std::size_t pixelOffset = file.size();
  file.insert(file.end(), dib.bits.begin(), dib.bits.end());
  if (file.size() > std::numeric_limits<std::uint32_t>::max()) throw TBadRecord{};
  Put32(file, 2, static_cast<std::uint32_t>(file.size()));
  Put32(file, 10, static_cast<std::uint32_t>(pixelOffset));
  TBitmap out;
  try {
    ReadBmp(file, out);
  } catch (const Error&) {
    throw TBadRecord{};
  }
  return out;
}

TRect DibSourceRect(const TBitmap& dib, bool bottomUp, int x, int y, int width, int height) {
  const std::int64_t top = bottomUp ? std::int64_t{dib.Height()} - y - height : y;
  return {x, SaturateInt(top), SaturateInt(std::int64_t{x} + width), SaturateInt(top + height)};
}

void CopyDib(TMetafileDevice& device, TDibParts dib, std::uint32_t usage, const TDibCopy& copy) {
  const bool bottomUp = DibHeight(dib.info) > 0;
  const TBitmap bitmap = DecodeDib(dib, usage, device.PaletteColors(), copy.rows);
  std::int64_t y = copy.srcY;
  if (copy.rows > 0 && bottomUp && copy.fromBottom) y -= copy.firstRow;
  const TRect src = copy.fromBottom ? DibSourceRect(bitmap, bottomUp, copy.srcX, SaturateInt(y), copy.srcWidth, copy.srcHeight)
                                    : TRect{copy.srcX, copy.srcY, SaturateInt(std::int64_t{copy.srcX} + copy.srcWidth),
                                            SaturateInt(std::int64_t{copy.srcY} + copy.srcHeight)};
  device.Blit(copy.destA, copy.destB, &bitmap, src, copy.rop);
}

}  // namespace kroma
