// Pattern effects of the paint effects component: mosaic, triangles, the
// texture tiles and the quarter turn.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "core/Bitmap.h"
#include "core/Canvas.h"
#include "core/Numeric.h"
#include "effects/FilterSupport.h"
#include "effects/PaintFX.h"
#include "effects/PaintSupport.h"

namespace kroma {
namespace {

// Fills `count` pixels from p with the pixel at `bgr`.
inline void FillPixels(std::uint8_t* p, int count, const std::uint8_t* bgr) {
  for (int i = 0; i < count; ++i, p += 3) std::memcpy(p, bgr, 3);
}

// Every pixel (x, y) becomes pixel (x mod period, y mod period) of the tile.
void RepeatTile(TBitmap& bitmap, const TBitmap& tile, int period) {
  const int width = bitmap.Width();
  const std::size_t periodBytes = static_cast<std::size_t>(period) * 3;
  const std::size_t rowBytes = detail::RowBytes(bitmap);
  detail::ForEachRowBand(bitmap, width, [&](int y0, int y1) {
    for (int y = y0; y < y1; ++y) {
      const std::uint8_t* from = tile.ScanLine(y % period);
      std::uint8_t* row = bitmap.ScanLine(y);
      for (std::size_t i = 0; i < rowBytes; i += periodBytes)
        std::memcpy(row + i, from, std::min(periodBytes, rowBytes - i));
    }
  });
}

// The whole image stretched into a b x b tile, b = min(width div 2,
// height div 2, size), drawn over the image at steps of b or Round(2b / 3).
// Tiles drawn later cover earlier ones, so pixel (x, y) ends up with tile
// pixel (x mod step, y mod step) from the last tile that reaches it, which
// is how the tiles are written here: row by row, without the canvas.
void Texturize(TBitmap& bitmap, int size, bool overlap) {
  detail::Ensure24Bit(bitmap);
  const int b = std::min({bitmap.Width() / 2, bitmap.Height() / 2, size});
  if (b < 1) return;
  TBitmap tile(b, b);
  {
    // The tile is the image scaled, also where the image has a
    // transparent colour.
    TBitmap opaque;
    const TBitmap* picture = &bitmap;
    if (bitmap.Transparent) {
      opaque = bitmap;
      opaque.Transparent = false;
      picture = &opaque;
    }
    tile.Canvas().StretchDraw(Rect(0, 0, b, b), *picture);
  }
  const int step = overlap ? RoundToInt(2.0 * b / 3.0, "texture step") : b;
  RepeatTile(bitmap, std::as_const(tile), step);
}

}  // namespace

void TkelPaintFX::Mosaic(TBitmap& bitmap, int size) {
  detail::Ensure24Bit(bitmap);
  const int width = bitmap.Width(), height = bitmap.Height();
  if (size <= 1 || bitmap.Empty()) return;
  // A block larger than the image is the whole image.
  const int s = std::min(size, std::max(width, height));
  const int columns = (width + s - 1) / s;
  std::vector<std::uint8_t> anchors(static_cast<std::size_t>(columns) * 3);
  for (int top = 0; top < height; top += std::min(s, height - top)) {
    const std::uint8_t* first = std::as_const(bitmap).ScanLine(top);
    for (int i = 0; i < columns; ++i)
      std::memcpy(&anchors[static_cast<std::size_t>(i) * 3], first + std::size_t{3} * i * s, 3);
    const int bottom = top + std::min(s, height - top);
    for (int y = top; y < bottom; ++y) {
      std::uint8_t* row = bitmap.ScanLine(y);
      for (int i = 0; i < columns; ++i) {
        const int left = i * s;
        FillPixels(row + std::size_t{3} * left, std::min(s, width - left), &anchors[static_cast<std::size_t>(i) * 3]);
      }
    }
  }
}

void TkelPaintFX::Triangles(TBitmap& bitmap, int size) {
  detail::Ensure24Bit(bitmap);
  const int a = std::max(size, 5);
  const int half = a / 2;
  const int e = a | 1;  // odd, at least 5
  const int even = a & ~1;
  const int width = bitmap.Width();
  if (bitmap.Empty()) return;
  detail::ForEachRowBand(bitmap, width, [&](int y0, int y1) {
    for (int y = y0; y < y1; ++y) {
      // f runs 1 .. a div 2 and back; g is at least a div 2 >= 2.
      int f = y % (e - 1);
      if (f > half) f = even - f;
      if (f == 0) f = e;
      const int g = (half > y % e ? half - y % e : y % e - half) + half;
      std::uint8_t* row = bitmap.ScanLine(y);
      std::uint8_t current[3];
      std::memcpy(current, row, 3);
      for (int x = 0; x < width; ++x) {
        std::uint8_t* p = row + std::size_t{3} * x;
        if (x % f == 0 || x % g == 1) std::memcpy(current, p, 3);
        std::memcpy(p, current, 3);
      }
    }
  });
}

void TkelPaintFX::TexturizeTile(TBitmap& bitmap, int size) { Texturize(bitmap, size, false); }
void TkelPaintFX::TexturizeOverlap(TBitmap& bitmap, int size) { Texturize(bitmap, size, true); }

void TkelPaintFX::RotateRight(const TBitmap& source, TBitmap& target) {
  // A copy (sharing its rows) keeps the source when it is the target.
  TBitmap sourceCopy = source;
  sourceCopy.SetPixelFormat(pf24bit);
  const TBitmap& src = sourceCopy;
  const int width = src.Width(), height = src.Height();
  detail::ShapeTarget(target, height, width);
  if (target.Empty()) return;
  std::vector<const std::uint8_t*> rows(static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) rows[static_cast<std::size_t>(y)] = src.ScanLine(y);
  // Target row x is source column x read bottom to top; a few target rows
  // at a time, so that each source row is read in short runs.
  constexpr int kRowsAtOnce = 16;
  detail::ForEachRowBand(target, height, [&](int y0, int y1) {
    std::uint8_t* out[kRowsAtOnce];
    for (int x0 = y0; x0 < y1; x0 += kRowsAtOnce) {
      const int n = std::min(kRowsAtOnce, y1 - x0);
      for (int k = 0; k < n; ++k) out[k] = target.ScanLine(x0 + k);
      for (int y = 0; y < height; ++y) {
        const std::uint8_t* from = rows[static_cast<std::size_t>(y)] + std::size_t{3} * x0;
        const std::size_t to = std::size_t{3} * (height - 1 - y);
        for (int k = 0; k < n; ++k) std::memcpy(out[k] + to, from + std::size_t{3} * k, 3);
      }
    }
  });
}

}  // namespace kroma
