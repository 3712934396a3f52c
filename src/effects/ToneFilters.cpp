#include "effects/ToneFilters.h"

#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/Bitmap.h"
#include "core/Error.h"
#include "core/Numeric.h"
#include "effects/FilterSupport.h"
#include "effects/PixelHelpers.h"
#include "effects/PixelKernels.h"

namespace kroma {
namespace {

using ToneTable = kernels::TByteTable;

// Runs the same table over every byte of every row.
void ApplyToneTable(TBitmap& bitmap, const ToneTable& table) {
  detail::Ensure24Bit(bitmap);
  const std::size_t n = detail::RowBytes(bitmap);
  detail::ForEachRowBand(bitmap, bitmap.Width(), [&](int y0, int y1) {
    for (int y = y0; y < y1; ++y) {
      std::uint8_t* row = bitmap.ScanLine(y);
      kernels::MapBytes(row, row, n, table);
    }
  });
}

template <typename Map>
ToneTable MakeToneTable(Map map) {
  ToneTable table{};
  for (int v = 0; v < 256; ++v) table[static_cast<std::size_t>(v)] = ClampByte(map(std::int64_t{v}));
  return table;
}

void CheckSameSize(const TBitmap& source, const TBitmap& dest, const char* filter) {
  if (source.Width() != dest.Width() || source.Height() != dest.Height())
    throw Error(std::string(filter) + ": the source and destination images differ in size");
}

// Source rows to destination rows: rowMap(source row, destination row).
template <typename RowMap>
void MapRows(const TBitmap& source, TBitmap& dest, RowMap rowMap) {
  TBitmap scratch;
  const TBitmap& src = detail::View24Bit(source, scratch);
  detail::Ensure24Bit(dest);
  detail::ForEachRowBand(dest, dest.Width(), [&](int y0, int y1) {
    for (int y = y0; y < y1; ++y) rowMap(src.ScanLine(y), dest.ScanLine(y));
  });
}

}  // namespace

void FxInvert(TBitmap& bitmap) {
  ApplyToneTable(bitmap, MakeToneTable([](std::int64_t v) { return 255 - v; }));
}

void FxGrayScale(TBitmap& bitmap) {
  detail::Ensure24Bit(bitmap);
  const auto width = static_cast<std::size_t>(bitmap.Width());
  detail::ForEachRowBand(bitmap, bitmap.Width(), [&](int y0, int y1) {
    for (int y = y0; y < y1; ++y) kernels::GrayPixels(bitmap.ScanLine(y), width);
  });
}

void FxLighter(TBitmap& bitmap, int amount) {
  ApplyToneTable(bitmap, MakeToneTable([amount](std::int64_t v) { return v + amount * (255 - v) / 255; }));
}

void FxDarker(TBitmap& bitmap, int amount) {
  ApplyToneTable(bitmap, MakeToneTable([amount](std::int64_t v) { return v - amount * v / 255; }));
}

void FxContrast(TBitmap& bitmap, int amount) {
  ApplyToneTable(bitmap, MakeToneTable([amount](std::int64_t v) {
                   std::int64_t d = amount * std::llabs(127 - v) / 255;
                   return v >= 128 ? v + d : v - d;
                 }));
}

void FxSaturation(TBitmap& bitmap, int amount) {
  detail::Ensure24Bit(bitmap);
  const auto width = static_cast<std::size_t>(bitmap.Width());
  detail::ForEachRowBand(bitmap, bitmap.Width(), [&](int y0, int y1) {
    for (int y = y0; y < y1; ++y) kernels::SaturatePixels(bitmap.ScanLine(y), width, amount);
  });
}

void FxSolarize(const TBitmap& source, TBitmap& dest, int threshold) {
  CheckSameSize(source, dest, "Solarize");
  const auto width = static_cast<std::size_t>(dest.Width());
  MapRows(source, dest, [&](const std::uint8_t* s, std::uint8_t* d) { kernels::SolarizePixels(s, d, width, threshold); });
}

void FxPosterize(const TBitmap& source, TBitmap& dest, int step) {
  if (step == 0) throw Error("Posterize: the step must not be 0");
  CheckSameSize(source, dest, "Posterize");
  ToneTable table{};
  for (int v = 0; v < 256; ++v) {
    // |v / step| <= 255, so the rounded quotient always fits.
    std::int64_t levels = RoundToInt(static_cast<double>(v) / step, "posterize level");
    table[static_cast<std::size_t>(v)] = ClampByte(levels * step);
  }
  const std::size_t n = detail::RowBytes(dest);
  MapRows(source, dest, [&](const std::uint8_t* s, std::uint8_t* d) { kernels::MapBytes(s, d, n, table); });
}

}  // namespace kroma
