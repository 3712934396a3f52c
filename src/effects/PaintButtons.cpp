// Borders and buttons of the paint effects component: seamless tile
// edges, bevelled and round button shading, the oval cut-out.
#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "core/Bitmap.h"
#include "core/Canvas.h"
#include "core/Numeric.h"
#include "core/RasterEllipse.h"
#include "core/RasterGeometry.h"
#include "effects/FilterSupport.h"
#include "effects/PaintFX.h"
#include "effects/PixelHelpers.h"
#include "effects/SmoothFilters.h"

namespace kroma {
namespace {

using TByteMap = std::array<std::uint8_t, 256>;

// The border depth the image holds: 0 .. 255, and no more than width - 1
// and height - 1, so that rows depth and height - 1 - depth and columns
// depth and width - 1 - depth all lie inside.
int BorderDepth(const TBitmap& bitmap, int depth) {
  return std::min({std::clamp(depth, 0, 255), bitmap.Width() - 1, bitmap.Height() - 1});
}

// v + amount (255 - v) / 255 and v - amount v / 255, truncated, clamped.
std::int64_t Lightened(std::int64_t v, std::int64_t amount) { return v + amount * (255 - v) / 255; }
std::int64_t Darkened(std::int64_t v, std::int64_t amount) { return v - amount * v / 255; }

TByteMap ShadeMap(std::int64_t amount, bool lighten) {
  TByteMap map{};
  for (int v = 0; v < 256; ++v)
    map[static_cast<std::size_t>(v)] = ClampByte(lighten ? Lightened(v, amount) : Darkened(v, amount));
  return map;
}

inline void MapPixel(std::uint8_t* p, const TByteMap& map) {
  for (int c = 0; c < 3; ++c) p[c] = map[p[c]];
}

// Pixel `to` becomes Round((1 - w) to + w from) per channel, ties to even.
inline void MixInto(std::uint8_t* to, const std::uint8_t* from, double w) {
  for (int c = 0; c < 3; ++c) to[c] = ClampByte(RoundToInt((1.0 - w) * to[c] + w * from[c], "seamless edge"));
}

inline std::uint8_t* PixelAt(std::uint8_t* row, int x) { return row + std::size_t{3} * static_cast<std::size_t>(x); }

}  // namespace

// In place and in the order written, so that later steps see the pixels
// earlier ones blended. Weights 1 - r / d run from 1 at the image edge to 0
// at depth d.
void TkelPaintFX::SeamlessEdges(TBitmap& bitmap, int depth) {
  detail::Ensure24Bit(bitmap);
  const int d = BorderDepth(bitmap, depth);
  if (d <= 0) return;
  const int width = bitmap.Width(), height = bitmap.Height();
  const double t = d;
  for (int r = 0; r <= d; ++r) {
    std::uint8_t* top = bitmap.ScanLine(r);
    std::uint8_t* bottom = bitmap.ScanLine(height - 1 - r);
    const double e = 1.0 - r / t;
    for (int x = r; x <= width - 1 - r; ++x) MixInto(PixelAt(bottom, x), PixelAt(top, x), e);
    for (int f = 0; f <= r; ++f) {
      const double g = 1.0 - f / t;
      MixInto(PixelAt(top, width - 1 - f), PixelAt(top, f), g);
      MixInto(PixelAt(bottom, width - 1 - f), PixelAt(bottom, f), g);
    }
  }
  if (height - d - 1 >= d) {
    for (int y = d; y <= height - d - 1; ++y) {
      std::uint8_t* row = bitmap.ScanLine(y);
      for (int f = 0; f <= d; ++f) MixInto(PixelAt(row, width - 1 - f), PixelAt(row, f), 1.0 - f / t);
    }
  }
}

// Top and left borders lightened, bottom and right darkened, in place and
// in the order written (corner pixels are shaded twice).
void TkelPaintFX::Buttonize(TBitmap& bitmap, int depth, int amount) {
  detail::Ensure24Bit(bitmap);
  const int d = BorderDepth(bitmap, depth);
  if (d <= 0) return;
  const int width = bitmap.Width(), height = bitmap.Height();
  const TByteMap light = ShadeMap(amount, true), dark = ShadeMap(amount, false);
  for (int r = 0; r <= d; ++r) {
    std::uint8_t* top = bitmap.ScanLine(r);
    std::uint8_t* bottom = bitmap.ScanLine(height - 1 - r);
    for (int x = r; x <= width - 1 - r; ++x) {
      MapPixel(PixelAt(top, x), light);
      MapPixel(PixelAt(bottom, x), dark);
    }
    for (int i = 0; i <= r; ++i) {
      MapPixel(PixelAt(top, i), light);
      MapPixel(PixelAt(top, width - 1 - i), dark);
      MapPixel(PixelAt(bottom, i), light);
      MapPixel(PixelAt(bottom, width - 1 - i), dark);
    }
  }
  if (height - d - 2 >= d + 1) {
    for (int y = d + 1; y <= height - d - 2; ++y) {
      std::uint8_t* row = bitmap.ScanLine(y);
      for (int i = 0; i <= d; ++i) {
        MapPixel(PixelAt(row, i), light);
        MapPixel(PixelAt(row, width - 1 - i), dark);
      }
    }
  }
}

// A mask of k elliptic rings marks each pixel: green byte 2 (upper-left
// halves, lightened) or 1 (lower-right halves, darkened), and in the blue
// byte k - 1 - i for ring i, so that the outer ring is shaded most.
void TkelPaintFX::ButtonRound(TBitmap& bitmap, int rings, int strength) {
  detail::Ensure24Bit(bitmap);
  const int k = std::clamp(rings, 0, 255);
  if (k == 0 || bitmap.Empty()) return;
  const int width = bitmap.Width(), height = bitmap.Height();
  TBitmap mask(width, height);
  TCanvas& canvas = mask.Canvas();
  canvas.Pen.Width = 1;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Mode = pmCopy;
  for (int i = 0; i < k; ++i) {
    canvas.Pen.Color = RGB(0, 1, k - i - 1);
    canvas.Arc(i, i, width - i, height - i, 0, height, width, 0);
    canvas.Pen.Color = RGB(0, 2, k - i - 1);
    canvas.Arc(i, i, width - i, height - i, width, 0, 0, height);
  }

  // o = Trunc(l / k * s) for every blue byte l (64 bits: 255 s may not fit
  // an int, and only l < k ever shades).
  std::array<std::int64_t, 256> offset{};
  for (int l = 0; l < 256; ++l)
    offset[static_cast<std::size_t>(l)] = TruncToInt64(static_cast<double>(l) / k * strength, "button shade");
  const TBitmap& marks = std::as_const(mask);
  detail::ForEachRowBand(bitmap, width, [&](int y0, int y1) {
    for (int y = y0; y < y1; ++y) {
      std::uint8_t* p = bitmap.ScanLine(y);
      const std::uint8_t* m = marks.ScanLine(y);
      for (int x = 0; x < width; ++x, p += 3, m += 3) {
        if (m[1] != 1 && m[1] != 2) continue;
        const std::int64_t o = offset[m[0]];
        for (int c = 0; c < 3; ++c) p[c] = ClampByte(m[1] == 2 ? Lightened(p[c], o) : Darkened(p[c], o));
      }
    }
  });
  // The smoothing step averages every interior pixel whose mask green byte
  // is not 0. The mask is white (green 255) apart from the rings (green 1
  // or 2), so that is the whole interior: the anti-alias filter.
  FxAntiAlias(bitmap);
}

void TkelPaintFX::ButtonOval(TBitmap& bitmap, TColor color) {
  detail::Ensure24Bit(bitmap);
  if (bitmap.Empty()) return;
  const TColor rgb = ColorToRGB(color);
  const std::uint8_t bgr[3] = {GetBValue(rgb), GetGValue(rgb), GetRValue(rgb)};
  const int width = bitmap.Width();
  const TBox64 box{0, 0, width, bitmap.Height()};
  auto fill = [&](std::uint8_t* row, std::int64_t from, std::int64_t to) {
    for (std::int64_t x = from; x < to; ++x) std::copy(bgr, bgr + 3, row + 3 * x);
  };
  detail::ForEachRowBand(bitmap, width, [&](int y0, int y1) {
    for (int y = y0; y < y1; ++y) {
      std::int64_t x0 = width, x1 = width;
      if (!EllipseRow(box, y, x0, x1)) x0 = x1 = width;
      x0 = std::clamp<std::int64_t>(x0, 0, width);
      x1 = std::clamp<std::int64_t>(x1, x0, width);
      std::uint8_t* row = bitmap.ScanLine(y);
      fill(row, 0, x0);
      fill(row, x1, width);
    }
  });
}

}  // namespace kroma
