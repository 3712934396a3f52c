#include "files/IcoReader.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/Bitmap.h"
#include "core/BmpCodec.h"
#include "core/Error.h"
#include "core/PixelFormats.h"
#include "files/CodecSupport.h"
#include "files/PngCodec.h"

namespace kroma {
namespace {

[[noreturn]] void Fail(const std::string& why) { throw Error("Invalid icon file: " + why); }

struct TEntry {
  int width;   // from the directory; 0 means 256
  int height;
  int bits;
  std::uint32_t size;
  std::uint32_t offset;
};

std::vector<TEntry> ReadDirectory(std::span<const std::uint8_t> data) {
  if (data.size() < 6 || ReadLe16(&data[0]) != 0 || ReadLe16(&data[2]) != 1) Fail("the icon header is missing");
  const unsigned count = ReadLe16(&data[4]);
  if (count == 0) Fail("the file holds no image");
  if (data.size() < 6 + 16 * std::size_t{count}) Fail("the image directory is truncated");
  std::vector<TEntry> entries;
  for (unsigned i = 0; i < count; ++i) {
    const std::uint8_t* e = &data[6 + 16 * i];
    TEntry entry{e[0] ? e[0] : 256, e[1] ? e[1] : 256, ReadLe16(e + 6), ReadLe32(e + 8), ReadLe32(e + 12)};
    if (entry.offset > data.size() || entry.size > data.size() - entry.offset)
      Fail("image " + std::to_string(i + 1) + " lies outside the file");
    if (entry.size < 8) Fail("image " + std::to_string(i + 1) + " is too short");
    entries.push_back(entry);
  }
  return entries;
}

const TEntry& Largest(const std::vector<TEntry>& entries) {
  const TEntry* best = &entries[0];
  for (const TEntry& e : entries) {
    const std::int64_t area = std::int64_t{e.width} * e.height, bestArea = std::int64_t{best->width} * best->height;
    if (area > bestArea || (area == bestArea && e.bits > best->bits)) best = &e;
  }
  return *best;
}

// A device-independent bitmap with its mask: colour rows then mask rows,
// bottom row first, the header's height counting both.
TBitmap DecodeDib(std::span<const std::uint8_t> dib) {
  if (dib.size() < 40) Fail("the image header is truncated");
  const std::uint32_t headerSize = ReadLe32(&dib[0]);
  if (headerSize < 40 || headerSize > dib.size()) Fail("unsupported image header size " + std::to_string(headerSize));
  const auto width = static_cast<std::int32_t>(ReadLe32(&dib[4]));
  const auto doubleHeight = static_cast<std::int32_t>(ReadLe32(&dib[8]));
  const int bits = ReadLe16(&dib[14]);
  const std::uint32_t compression = ReadLe32(&dib[16]);
  const std::uint32_t colorsUsed = ReadLe32(&dib[32]);
  if (width <= 0 || doubleHeight <= 0 || doubleHeight % 2 != 0)
    Fail("the image size " + std::to_string(width) + " x " + std::to_string(doubleHeight) + " is not an icon's");
  if (compression != 0) Fail("compressed icon images are not supported");
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
    Fail("unsupported number of bits per pixel: " + std::to_string(bits));
  const int height = doubleHeight / 2;
  CheckImageSize(width, height);
  if (bits <= 8 && colorsUsed > (1u << bits)) Fail("the palette is larger than the pixels allow");
  const std::size_t tableBytes = bits <= 8 ? 4 * std::size_t{colorsUsed ? colorsUsed : 1u << bits} : 0;
  const std::size_t pixelOffset = std::size_t{headerSize} + tableBytes;

  // The colour rows as a BMP file of half the height, read by the BMP reader.
  std::vector<std::uint8_t> bmp(14 + dib.size());
  std::copy(dib.begin(), dib.end(), bmp.begin() + 14);
  bmp[0] = 'B';
  bmp[1] = 'M';
  TLeWriter(bmp).PatchU32(10, static_cast<std::uint32_t>(14 + pixelOffset));
  TLeWriter(bmp).PatchU32(14 + 8, static_cast<std::uint32_t>(height));
  TBitmap color;
  try {
    ReadBmp(bmp, color);
  } catch (const Error& e) {
    Fail(std::string(e.what()).substr(std::strlen("Invalid BMP file: ")));
  }

  const std::int64_t colorStride = ((std::int64_t{width} * bits + 31) / 32) * 4;
  const std::int64_t maskStride = ((std::int64_t{width} + 31) / 32) * 4;
  const std::int64_t maskOffset = static_cast<std::int64_t>(pixelOffset) + colorStride * height;
  const bool hasMask = static_cast<std::int64_t>(dib.size()) - maskOffset >= maskStride * height;
  bool hasAlpha = false;
  if (bits == 32)
    for (int y = 0; y < height && !hasAlpha; ++y)
      for (int x = 0; x < width && !hasAlpha; ++x) hasAlpha = color.ScanLine(y)[4 * x + 3] != 0;
  if (!hasMask && !hasAlpha) Fail("the transparency mask is truncated");

  // Drawn on white: alpha blends; otherwise (white AND mask) XOR colour.
  TBitmap out(width, height, pf24bit, {});
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * 3);
  for (int y = 0; y < height; ++y) {
    RowToBgr24(color.ScanLine(y), color.PixelFormat(), color.Palette(), width, rgb.data());
    std::uint8_t* d = out.ScanLine(y);
    const std::uint8_t* maskRow =
        hasMask ? &dib[static_cast<std::size_t>(maskOffset + maskStride * (height - 1 - y))] : nullptr;
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < 3; ++c) {
        const std::uint8_t v = rgb[static_cast<std::size_t>(3 * x + c)];
        std::uint8_t& dst = d[3 * x + c];
        if (hasAlpha) {
          const int a = color.ScanLine(y)[4 * x + 3];
          dst = static_cast<std::uint8_t>((v * a + 255 * (255 - a) + 127) / 255);
        } else {
          const bool transparent = (maskRow[x >> 3] >> (7 - (x & 7))) & 1;
          dst = static_cast<std::uint8_t>((transparent ? 0xFF : 0) ^ v);
        }
      }
  }
  return out;
}

}  // namespace

void ReadIco(std::span<const std::uint8_t> data, TBitmap& target) {
  const std::vector<TEntry> entries = ReadDirectory(data);
  const TEntry& entry = Largest(entries);
  const auto image = data.subspan(entry.offset, entry.size);
  static constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  TBitmap decoded;
  if (image.size() >= 8 && std::memcmp(image.data(), kPngSignature, 8) == 0)
    ReadPng(image, decoded);
  else
    decoded = DecodeDib(image);
  AdoptDecoded(target, std::move(decoded));
}

}  // namespace kroma
