#include "effects/ToneFilters.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/Bitmap.h"
#include "core/Error.h"
#include "core/Numeric.h"
#include "effects/FilterSupport.h"
#include "effects/PixelHelpers.h"

namespace kroma {
namespace {

using ToneTable = std::array<std::uint8_t, 256>;

// Runs the same table over every byte of every row.
void ApplyToneTable(TBitmap& bitmap, const ToneTable& table) {
  detail::Ensure24Bit(bitmap);
  const std::size_t n = detail::RowBytes(bitmap);
  detail::ForEachRowBand(bitmap, bitmap.Width(), [&](int y0, int y1) {
    for (int y = y0; y < y1; ++y) {
      std::uint8_t* row = bitmap.ScanLine(y);
      for (std::size_t i = 0; i < n; ++i) row[i] = table[row[i]];
    }
  });
}

template <typename Map>
ToneTable MakeToneTable(Map map) {
  ToneTable table{};
  for (int v = 0; v < 256; ++v) table[static_cast<std::size_t>(v)] = ClampByte(map(std::int64_t{v}));
  return table;
}

// The grey value for 30 B + 59 G + 11 R hundredths: the weights are
// decimal, so the sum is exact in hundredths and rounds half to even here.
struct GrayTables {
  std::array<std::uint16_t, 256> blue{}, green{}, red{};
  std::array<std::uint8_t, 25501> round{};
  GrayTables() {
    for (int v = 0; v < 256; ++v) {
      blue[static_cast<std::size_t>(v)] = static_cast<std::uint16_t>(30 * v);
      green[static_cast<std::size_t>(v)] = static_cast<std::uint16_t>(59 * v);
      red[static_cast<std::size_t>(v)] = static_cast<std::uint16_t>(11 * v);
    }
    for (int s = 0; s <= 25500; ++s) {
      int q = s / 100, r = s % 100;
      if (r > 50 || (r == 50 && (q & 1))) ++q;
      round[static_cast<std::size_t>(s)] = static_cast<std::uint8_t>(q);
    }
  }
};

void CheckSameSize(const TBitmap& source, const TBitmap& dest, const char* filter) {
  if (source.Width() != dest.Width() || source.Height() != dest.Height())
    throw Error(std::string(filter) + ": the source and destination images differ in size");
}

// Per pixel: the source row and destination row, `width` pixels.
template <typename PixelMap>
void MapPixels(const TBitmap& source, TBitmap& dest, PixelMap map) {
  TBitmap scratch;
  const TBitmap& src = detail::View24Bit(source, scratch);
  detail::Ensure24Bit(dest);
  const int width = dest.Width();
  detail::ForEachRowBand(dest, width, [&](int y0, int y1) {
    for (int y = y0; y < y1; ++y) {
      const std::uint8_t* s = src.ScanLine(y);
      std::uint8_t* d = dest.ScanLine(y);
      for (int x = 0; x < width; ++x, s += 3, d += 3) map(s, d);
    }
  });
}

}  // namespace

void FxInvert(TBitmap& bitmap) {
  detail::Ensure24Bit(bitmap);
  const std::size_t n = detail::RowBytes(bitmap);
  detail::ForEachRowBand(bitmap, bitmap.Width(), [&](int y0, int y1) {
    for (int y = y0; y < y1; ++y) {
      std::uint8_t* row = bitmap.ScanLine(y);
      for (std::size_t i = 0; i < n; ++i) row[i] = static_cast<std::uint8_t>(255 - row[i]);
    }
  });
}

void FxGrayScale(TBitmap& bitmap) {
  static const GrayTables tables;
  detail::Ensure24Bit(bitmap);
  const int width = bitmap.Width();
  detail::ForEachRowBand(bitmap, width, [&](int y0, int y1) {
    for (int y = y0; y < y1; ++y) {
      std::uint8_t* p = bitmap.ScanLine(y);
      for (int x = 0; x < width; ++x, p += 3) {
        int hundredths = tables.blue[p[0]] + tables.green[p[1]] + tables.red[p[2]];
        p[0] = p[1] = p[2] = tables.round[static_cast<std::size_t>(hundredths)];
      }
    }
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
  // a (v - g) / 255 for every difference v - g in -255 .. 255, and the
  // integer mean for every channel sum.
  std::array<std::int64_t, 511> spread{};
  for (int diff = -255; diff <= 255; ++diff)
    spread[static_cast<std::size_t>(diff + 255)] = std::int64_t{amount} * diff / 255;
  std::array<std::uint8_t, 766> mean{};
  for (int sum = 0; sum < 766; ++sum) mean[static_cast<std::size_t>(sum)] = static_cast<std::uint8_t>(sum / 3);
  detail::Ensure24Bit(bitmap);
  const int width = bitmap.Width();
  detail::ForEachRowBand(bitmap, width, [&](int y0, int y1) {
    for (int y = y0; y < y1; ++y) {
      std::uint8_t* p = bitmap.ScanLine(y);
      for (int x = 0; x < width; ++x, p += 3) {
        const int g = mean[static_cast<std::size_t>(p[0] + p[1] + p[2])];
        for (int c = 0; c < 3; ++c) p[c] = ClampByte(g + spread[static_cast<std::size_t>(p[c] - g + 255)]);
      }
    }
  });
}

void FxSolarize(const TBitmap& source, TBitmap& dest, int threshold) {
  CheckSameSize(source, dest, "Solarize");
  MapPixels(source, dest, [threshold](const std::uint8_t* s, std::uint8_t* d) {
    const bool invert = threshold < (s[0] + s[1] + s[2]) / 3;
    for (int c = 0; c < 3; ++c) d[c] = invert ? static_cast<std::uint8_t>(255 - s[c]) : s[c];
  });
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
  MapPixels(source, dest, [&table](const std::uint8_t* s, std::uint8_t* d) {
    d[0] = table[s[0]];
    d[1] = table[s[1]];
    d[2] = table[s[2]];
  });
}

}  // namespace kroma
