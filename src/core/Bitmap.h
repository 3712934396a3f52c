#pragma once
// TBitmap: a raster image in one of six pixel formats. Rows are stored top
// down, each padded to a multiple of 4 bytes, and reached through ScanLine.
// 24-bit rows hold blue, green, red per pixel; 32-bit rows blue, green,
// red, unused; 16-bit pixels are 5-6-5 (red in the high bits, little
// endian); palette formats hold indices, the leftmost pixel in the high
// bits of a byte.
//
// Storage: the rows live in bands of 2^k consecutive rows (about 64 KiB a
// band), each band one reference-counted block. Copying a bitmap shares
// its blocks; the first write to a shared band (the non-const ScanLine)
// copies that band alone. So copies stay independent as far as anyone can
// see, yet an undo slot or a snapshot costs only what later differs, and a
// bitmap that is one colour throughout (a new white image) holds one band.
// Rows of one band are contiguous (ContiguousRows); rows of different
// bands are not, so rows are reached only through ScanLine.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/Types.h"

namespace kroma {

class TCanvas;

namespace detail {

// One band of rows with the count of bitmaps that hold it. Its pixels
// follow the header.
struct TPixelBlock {
  static constexpr std::size_t kHeaderBytes = 64;
  std::atomic<std::int32_t> owners{1};
  std::int64_t bytes = 0;
  std::uint8_t* Pixels() { return reinterpret_cast<std::uint8_t*>(this) + kHeaderBytes; }
};
static_assert(sizeof(TPixelBlock) <= TPixelBlock::kHeaderBytes);

void FreePixelBlock(TPixelBlock* block) noexcept;

// A counted reference to a block.
class TBlockRef {
 public:
  TBlockRef() = default;
  explicit TBlockRef(TPixelBlock* adopted) noexcept : p_(adopted) {}
  TBlockRef(const TBlockRef& other) noexcept : p_(other.p_) {
    if (p_) p_->owners.fetch_add(1, std::memory_order_relaxed);
  }
  TBlockRef(TBlockRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  TBlockRef& operator=(TBlockRef other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~TBlockRef() {
    if (p_ && p_->owners.fetch_sub(1, std::memory_order_acq_rel) == 1) FreePixelBlock(p_);
  }
  TPixelBlock* get() const { return p_; }
  TPixelBlock* operator->() const { return p_; }
  bool Shared() const { return p_->owners.load(std::memory_order_acquire) != 1; }

 private:
  TPixelBlock* p_ = nullptr;
};

}  // namespace detail

// Bytes of pixel storage all bitmaps of the process hold at this moment
// (each shared band counted once).
std::int64_t LivePixelBytes();

// A thread that computes rows [y0, y1) of a job split across several
// threads holds this while it works. Each of those rows is written by this
// thread alone, so a bitmap may copy a shared band here only when the band
// lies inside these rows; any other band could be copied by two threads at
// once, and writing it is refused with an Error.
class TRowJobScope {
 public:
  TRowJobScope(int y0, int y1);
  ~TRowJobScope();
  TRowJobScope(const TRowJobScope&) = delete;
  TRowJobScope& operator=(const TRowJobScope&) = delete;

 private:
  bool outer_;
  int y0_, y1_;
};

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
  // A 24-bit bitmap whose bytes are undefined, for code that writes every
  // byte of every row (the padding to Stride() included) before anything
  // reads it, typically from several threads: no page is touched here.
  static TBitmap ForOverwrite(int width, int height);
  ~TBitmap();
  // Copies are independent (size, format, palette, transparency, pixels)
  // and share their bands until either is written; the canvas and its
  // settings stay with each object. A moved-from bitmap is empty and 24-bit.
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

  // Row y for writing: a band shared with another bitmap is copied first
  // (and an Error thrown when there is no memory for it). Write through the
  // pointer only until the bitmap is next copied (the copy would see the
  // writes), resized, reformatted, filled or assigned.
  std::uint8_t* ScanLine(int y) {
    CheckRow(y);
    detail::TBlockRef& band = bands_[static_cast<std::size_t>(y) >> bandShift_];
    detail::TPixelBlock* block = band.Shared() ? UnshareBand(static_cast<std::size_t>(y) >> bandShift_) : band.get();
    return block->Pixels() + static_cast<std::int64_t>(y & bandMask_) * stride_;
  }
  // Row y for reading; never copies. Reading a row of a non-const bitmap
  // that is not written goes through this one (std::as_const), so that it
  // does not copy a shared band.
  const std::uint8_t* ScanLine(int y) const {
    CheckRow(y);
    return bands_[static_cast<std::size_t>(y) >> bandShift_]->Pixels() +
           static_cast<std::int64_t>(y & bandMask_) * stride_;
  }
  // Bytes from one row to the next within a band.
  std::int64_t Stride() const { return stride_; }
  // Rows of a band (a power of two); band boundaries lie at multiples of it.
  int RowsPerBand() const { return bandMask_ + 1; }
  // How many rows from row y on lie in one piece of memory, Stride() apart.
  int ContiguousRows(int y) const;
  // Copies every shared band now, so that later writes never copy; for
  // work that writes every row anyway, or hands rows to other code.
  void MakeWritable();
  // Whether row y of the two bitmaps is the same memory (a shared band).
  bool SharesRow(const TBitmap& other, int y) const;
  // Bytes of the bands this bitmap holds that no other bitmap holds.
  std::int64_t UnsharedBytes() const;

  // Palette of the palette formats (empty otherwise).
  const std::vector<TColor>& Palette() const { return palette_; }
  // Replaces the palette; indices in the pixels stay as they are. It needs
  // 1 .. 2^bits entries.
  void SetPalette(std::vector<TColor> palette);

  // Independent copy of another bitmap.
  void Assign(const TBitmap& other) { *this = other; }
  // The size, format, palette and pixels of another bitmap (shared as a
  // copy shares them); this bitmap keeps its transparency settings.
  void TakePixels(const TBitmap& other);

  // Reads one pixel as a colour, any format; clNone outside the image.
  TColor GetPixel(int x, int y) const;
  // Writes one pixel (palette formats take the nearest entry); outside the
  // image nothing happens.
  void SetPixel(int x, int y, TColor color);

  // Fills the whole image with one colour (all bands then share one block;
  // row pointers taken before are no longer valid).
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
  // The layout of a width x height bitmap in format pf, every band a block
  // of zeros of its own (or sharing one block filled with `row` when given).
  // Every row a copy of `row`; without one, zeroed (or undefined when
  // `zeroed` is false).
  void Allocate(int width, int height, TPixelFormat pf, std::vector<TColor> palette,
                const std::uint8_t* row = nullptr, bool zeroed = true);
  // Size, format, band layout and transparency of another bitmap (not its
  // bands, palette or canvas).
  void TakeShape(const TBitmap& other);
  void CheckRow(int y) const {
    if (static_cast<unsigned>(y) >= static_cast<unsigned>(height_)) ThrowRowOutOfRange();
  }
  [[noreturn]] static void ThrowRowOutOfRange();
  detail::TPixelBlock* UnshareBand(std::size_t band);
  // Rows in band `band`: RowsPerBand() except for the last band.
  int RowsInBand(std::size_t band) const;
  // One stored row of `width` white pixels (the nearest palette entry in
  // palette formats), padding 0.
  std::vector<std::uint8_t> WhiteRow(int width) const;

  int width_ = 0;
  int height_ = 0;
  TPixelFormat format_ = pf24bit;
  std::int64_t stride_ = 0;
  int bandShift_ = 0;
  int bandMask_ = 0;
  std::vector<detail::TBlockRef> bands_;
  std::vector<TColor> palette_;
  TTransparentMode transparentMode_ = tmAuto;
  TColor transparentColor_ = clNone;
  std::unique_ptr<TCanvas> canvas_;
};

// Same size, pixel format, palette and pixels (row padding and the
// transparency settings are not compared).
bool SameImage(const TBitmap& a, const TBitmap& b);

}  // namespace kroma
