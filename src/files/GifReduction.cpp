#include "files/GifReduction.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include "core/Bitmap.h"
#include "core/Error.h"
#include "core/Numeric.h"
#include "core/PixelFormats.h"
#include "files/CodecSupport.h"
#include "files/DiffusionKernels.h"
#include "files/OctreePalette.h"

namespace kroma {
namespace {

std::mutex settingsMutex;
TGifReduction settings;

int Luminance(int r, int g, int b) { return 29 * b + 150 * g + 77 * r; }

// Colour mappings: Index() gives the palette entry of a colour. They are
// template arguments of the pixel loop, so no pixel pays for a call
// through a pointer.
struct TNetscapeMap {
  std::uint8_t Index(int r, int g, int b) const {
    return static_cast<std::uint8_t>(36 * ((r + 3) / 51) + 6 * ((g + 3) / 51) + (b + 3) / 51);
  }
};

struct TMonochromeMap {
  std::uint8_t Index(int r, int g, int b) const { return Luminance(r, g, b) >= 32513 ? 1 : 0; }
};

struct TGrayMap {
  std::uint8_t Index(int r, int g, int b) const { return static_cast<std::uint8_t>(Luminance(r, g, b) >> 8); }
};

// Nearest entry by the sum of absolute channel differences, the first entry
// on a tie. The answer is kept per cell of the top five bits of each
// channel, and every later colour of that cell takes it; each entry first
// claims the cell of its own colour.
class TNearestEntryMap {
 public:
  explicit TNearestEntryMap(const std::vector<TColor>& palette) : palette_(palette) {
    cache_.fill(-1);
    for (std::size_t i = 0; i < palette_.size(); ++i) {
      const TColor c = palette_[i];
      std::int16_t& cell = cache_[Cell(GetRValue(c), GetGValue(c), GetBValue(c))];
      if (cell < 0) cell = static_cast<std::int16_t>(i);
    }
  }
  std::uint8_t Index(int r, int g, int b) {
    std::int16_t& cell = cache_[Cell(r, g, b)];
    if (cell < 0) cell = static_cast<std::int16_t>(Search(r, g, b));
    return static_cast<std::uint8_t>(cell);
  }

 private:
  static std::size_t Cell(int r, int g, int b) {
    return (static_cast<std::size_t>(r >> 3) << 10) | (static_cast<std::size_t>(g >> 3) << 5) |
           static_cast<std::size_t>(b >> 3);
  }
  std::size_t Search(int r, int g, int b) const {
    std::size_t best = 0;
    int bestDistance = 1 << 30;
    for (std::size_t i = 0; i < palette_.size(); ++i) {
      const TColor c = palette_[i];
      const int d = std::abs(r - GetRValue(c)) + std::abs(g - GetGValue(c)) + std::abs(b - GetBValue(c));
      if (d < bestDistance) {
        bestDistance = d;
        best = i;
      }
    }
    return best;
  }
  const std::vector<TColor>& palette_;
  std::array<std::int16_t, 32 * 32 * 32> cache_;
};

// Maps every pixel; with a diffusion kernel, rows alternate left to right
// and right to left and each channel carries the error of the pixels
// already mapped.
template <class TMap>
void MapPixels(const TBitmap& source, TBitmap& out, TMap& map, const std::vector<TColor>& palette, TGifDither dither) {
  const int w = source.Width(), h = source.Height();
  const TDiffusionKernel kernel = DiffusionKernel(dither);
  if (kernel.taps.empty()) {
    for (int y = 0; y < h; ++y) {
      const std::uint8_t* s = source.ScanLine(y);
      std::uint8_t* d = out.ScanLine(y);
      for (int x = 0; x < w; ++x, s += 3) d[x] = map.Index(s[2], s[1], s[0]);
    }
    return;
  }
  std::array<int, 256> palR{}, palG{}, palB{};
  for (std::size_t i = 0; i < palette.size(); ++i) {
    palR[i] = GetRValue(palette[i]);
    palG[i] = GetGValue(palette[i]);
    palB[i] = GetBValue(palette[i]);
  }
  const int margin = kernel.reach;
  const std::size_t rowCells = 3 * (static_cast<std::size_t>(w) + 2 * static_cast<std::size_t>(margin));
  std::vector<std::int32_t> errors(rowCells * static_cast<std::size_t>(kernel.rows), 0);
  auto errorRow = [&](int y) { return errors.data() + rowCells * static_cast<std::size_t>(y % kernel.rows); };
  const int divisor = kernel.divisor, half = divisor / 2;
  for (int y = 0; y < h; ++y) {
    const bool forward = (y % 2) == 0;
    const int step = forward ? 1 : -1;
    const std::uint8_t* s = source.ScanLine(y);
    std::uint8_t* d = out.ScanLine(y);
    std::int32_t* below[4];
    for (int r = 0; r < kernel.rows; ++r) below[r] = errorRow(y + r) + 3 * margin;
    for (int i = 0; i < w; ++i) {
      const int x = forward ? i : w - 1 - i;
      const std::int32_t* acc = below[0] + 3 * x;
      // Integer division truncates toward zero, as the rounding asks.
      const int b = ClampToByte(s[3 * x] + (acc[0] + half) / divisor);
      const int g = ClampToByte(s[3 * x + 1] + (acc[1] + half) / divisor);
      const int r = ClampToByte(s[3 * x + 2] + (acc[2] + half) / divisor);
      const std::uint8_t index = map.Index(r, g, b);
      d[x] = index;
      const int eb = b - palB[index], eg = g - palG[index], er = r - palR[index];
      if ((eb | eg | er) == 0) continue;
      for (const TDiffusionTap& tap : kernel.taps) {
        std::int32_t* cell = below[tap.dy] + 3 * (x + step * tap.dx);
        cell[0] += eb * tap.weight;
        cell[1] += eg * tap.weight;
        cell[2] += er * tap.weight;
      }
    }
    std::fill(below[0] - 3 * margin, below[0] - 3 * margin + rowCells, 0);
  }
}

std::vector<TColor> Netscape216() {
  std::vector<TColor> p;
  p.reserve(216);
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) p.push_back(RGB(51 * r, 51 * g, 51 * b));
  return p;
}

// The picture's own colours in the order they first appear.
TBitmap ExactColors(const TBitmap& source) {
  std::unordered_map<std::uint32_t, std::uint8_t> index;
  std::vector<TColor> palette;
  TBitmap out(source.Width(), source.Height(), pf8bit, {clBlack});
  for (int y = 0; y < source.Height(); ++y) {
    const std::uint8_t* s = source.ScanLine(y);
    std::uint8_t* d = out.ScanLine(y);
    for (int x = 0; x < source.Width(); ++x, s += 3) {
      const std::uint32_t key = std::uint32_t{s[0]} | (std::uint32_t{s[1]} << 8) | (std::uint32_t{s[2]} << 16);
      auto [it, added] = index.try_emplace(key, static_cast<std::uint8_t>(palette.size()));
      if (added) {
        if (palette.size() == 256)
          throw Error("Color table overflow: the picture has more than 256 colours; choose a palette that reduces them");
        palette.push_back(RGB(s[2], s[1], s[0]));
      }
      d[x] = it->second;
    }
  }
  if (!palette.empty()) out.SetPalette(std::move(palette));
  return out;
}

std::vector<TColor> OptimizedWindowsPalette(const TBitmap& source) {
  TOctreePalette octree(236);
  octree.AddPicture(source);
  const std::vector<TColor> picked = octree.Palette();
  const auto& system = SystemColors20();
  std::vector<TColor> p(system.begin(), system.begin() + 10);
  p.insert(p.end(), picked.begin(), picked.end());
  p.insert(p.end(), system.begin() + 10, system.end());
  return p;
}

}  // namespace

TGifReduction GifReductionSettings() {
  std::lock_guard lock(settingsMutex);
  return settings;
}

void SetGifReductionSettings(const TGifReduction& value) {
  if (value.reductionBits < 3 || value.reductionBits > 8)
    throw Error("The optimised GIF palette takes 3 to 8 bits (8 to 256 colours), not " +
                std::to_string(value.reductionBits));
  std::lock_guard lock(settingsMutex);
  settings = value;
}

std::vector<TColor> FixedGifPalette(TGifPaletteMode mode) {
  switch (mode) {
    case TGifPaletteMode::Windows20: return {SystemColors20().begin(), SystemColors20().end()};
    case TGifPaletteMode::Windows256: return StandardPalette(pf8bit);
    case TGifPaletteMode::WindowsGray: return {RGB(0, 0, 0), RGB(128, 128, 128), RGB(192, 192, 192), RGB(255, 255, 255)};
    case TGifPaletteMode::Monochrome: return {clBlack, clWhite};
    case TGifPaletteMode::GrayScale: {
      std::vector<TColor> p;
      for (int i = 0; i < 256; ++i) p.push_back(RGB(i, i, i));
      return p;
    }
    case TGifPaletteMode::Netscape: return Netscape216();
    default: return {};
  }
}

TBitmap ReduceColors(const TBitmap& picture, const TGifReduction& how) {
  if (how.reductionBits < 3 || how.reductionBits > 8)
    throw Error("The optimised GIF palette takes 3 to 8 bits, not " + std::to_string(how.reductionBits));
  const TBitmap converted = picture.PixelFormat() == pf24bit ? TBitmap() : To24Bit(picture);
  const TBitmap& source = picture.PixelFormat() == pf24bit ? picture : converted;
  if (how.palette == TGifPaletteMode::None) return ExactColors(source);

  std::vector<TColor> palette;
  if (how.palette == TGifPaletteMode::Optimized) {
    TOctreePalette octree(1 << how.reductionBits);
    octree.AddPicture(source);
    palette = octree.Palette();
  } else if (how.palette == TGifPaletteMode::OptimizedWindows) {
    palette = OptimizedWindowsPalette(source);
  } else {
    palette = FixedGifPalette(how.palette);
  }
  TBitmap out(source.Width(), source.Height(), pf8bit, palette);
  switch (how.palette) {
    case TGifPaletteMode::Netscape: {
      TNetscapeMap map;
      MapPixels(source, out, map, palette, how.dither);
      break;
    }
    case TGifPaletteMode::Monochrome: {
      TMonochromeMap map;
      MapPixels(source, out, map, palette, how.dither);
      break;
    }
    case TGifPaletteMode::GrayScale: {
      TGrayMap map;
      MapPixels(source, out, map, palette, how.dither);
      break;
    }
    default: {
      auto map = std::make_unique<TNearestEntryMap>(palette);
      MapPixels(source, out, *map, palette, how.dither);
      break;
    }
  }
  return out;
}

TBitmap MakeGifFrame(const TBitmap& picture, const TGifReduction& how) {
  if (IsPaletteFormat(picture.PixelFormat())) return picture;
  return ReduceColors(picture, how);
}

}  // namespace kroma
