#pragma once
// TBitmap: a raster image in one of six pixel formats. Rows are stored top
// down, each padded to a multiple of 4 bytes, and reached through ScanLine.
// 24-bit rows hold blue, green, red per pixel; 32-bit rows blue, green,
// red, unused; 16-bit pixels are 5-6-5 (red in the high bits, little
// endian); palette formats hold indices, the leftmost pixel in the high
// bits of a byte.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/Types.h"

namespace kroma {

class TCanvas;

enum TPixelFormat { pf1bit, pf4bit, pf8bit, pf16bit, pf24bit, pf32bit };
enum TTransparentMode { tmAuto, tmFixed };

// The largest image the program accepts, in pixels (2^28).
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28;

int BitsPerPixel(TPixelFormat pf);
// pf1bit, pf4bit and pf8bit hold palette indices.
constexpr bool IsPaletteFormat(TPixelFormat pf) { return pf == pf1bit || pf == pf4bit || pf == pf8bit; }
const char* PixelFormatName(TPixelFormat pf);  // "pf24bit"
// Bytes in one stored row: width * bits rounded up to 32 bits.
std::int64_t RowStride(int width, TPixelFormat pf);
// Throws Error unless width x height is a size the program accepts.
void CheckImageSize(std::int64_t width, std::int64_t height);

class TBitmap {
 public:
  TBitmap();
  // A white width x height bitmap.
  TBitmap(int width, int height, TPixelFormat pf = pf24bit);
  // A bitmap whose bytes are all zero (index 0 of `palette` in palette
  // formats, black otherwise), for code that writes every pixel itself.
  // Palette formats need 1 .. 2^bits entries, the others none.
  TBitmap(int width, int height, TPixelFormat pf, std::vector<TColor> palette);
  ~TBitmap();
  // Copies are independent (size, format, palette, transparency, pixels);
  // the canvas and its settings stay with each object. A moved-from bitmap
  // is empty and 24-bit.
  TBitmap(const TBitmap& other);
  TBitmap& operator=(const TBitmap& other);
  TBitmap(TBitmap&& other) noexcept;
  TBitmap& operator=(TBitmap&& other) noexcept;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  TRect BoundsRect() const { return {0, 0, width_, height_}; }

  // Resizing keeps the pixels at the top-left and fills new area with white
  // (the nearest palette entry in palette formats). A refused size (see
  // CheckImageSize) throws and leaves the bitmap as it was.
  void SetWidth(int width) { SetSize(width, height_); }
  void SetHeight(int height) { SetSize(width_, height); }
  void SetSize(int width, int height);

  TPixelFormat PixelFormat() const { return format_; }
  // Converts the pixels. Palette formats get their standard palette
  // (black/white, 16 colours, 256-colour halftone) unless they already are
  // in that format; colours map to the nearest palette entry.
  void SetPixelFormat(TPixelFormat pf);

  std::uint8_t* ScanLine(int y);
  const std::uint8_t* ScanLine(int y) const;
  std::int64_t Stride() const { return stride_; }

  // Palette of the palette formats (empty otherwise).
  const std::vector<TColor>& Palette() const { return palette_; }
  // Replaces the palette; indices in the pixels stay as they are. It needs
  // 1 .. 2^bits entries.
  void SetPalette(std::vector<TColor> palette);

  // Independent copy of another bitmap.
  void Assign(const TBitmap& other) { *this = other; }

  // Reads one pixel as a colour, any format; clNone outside the image.
  TColor GetPixel(int x, int y) const;
  // Writes one pixel (palette formats take the nearest entry); outside the
  // image nothing happens.
  void SetPixel(int x, int y, TColor color);

  // Fills the whole image with one colour.
  void Fill(TColor color);

  // Transparency for Draw: in tmAuto the colour of the bottom-left pixel,
  // in tmFixed the colour that was set.
  bool Transparent = false;
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode mode) { transparentMode_ = mode; }
  TColor TransparentColor() const;
  // Setting the colour switches to tmFixed.
  void SetTransparentColor(TColor color);

  // The canvas of this bitmap, made on first use; it lives as long as the
  // bitmap and keeps its pen, brush and font across calls.
  TCanvas& Canvas();

  // BMP files in the bitmap's own format (see core/BmpCodec.h).
  void LoadFromFile(const std::string& path);
  void SaveToFile(const std::string& path) const;

 private:
  void Allocate(int width, int height, TPixelFormat pf, std::vector<TColor> palette);

  int width_ = 0;
  int height_ = 0;
  TPixelFormat format_ = pf24bit;
  std::int64_t stride_ = 0;
  struct TFree {
    void operator()(std::uint8_t* p) const;
  };
  // calloc'd: large images start as zero pages the system hands out lazily.
  std::unique_ptr<std::uint8_t[], TFree> bits_;
  std::vector<TColor> palette_;
  TTransparentMode transparentMode_ = tmAuto;
  TColor transparentColor_ = clNone;
  std::unique_ptr<TCanvas> canvas_;
};

// Same size, pixel format, palette and pixels (row padding and the
// transparency settings are not compared).
bool SameImage(const TBitmap& a, const TBitmap& b);

}  // namespace kroma
