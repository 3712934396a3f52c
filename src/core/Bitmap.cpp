#include "core/Bitmap.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

#include "core/BmpCodec.h"
#include "core/Canvas.h"
#include "core/Error.h"
#include "core/PixelFormats.h"

namespace kroma {

int BitsPerPixel(TPixelFormat pf) {
  switch (pf) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf16bit: return 16;
    case pf24bit: return 24;
    case pf32bit: return 32;
  }
  return 24;
}

const char* PixelFormatName(TPixelFormat pf) {
  switch (pf) {
    case pf1bit: return "pf1bit";
    case pf4bit: return "pf4bit";
    case pf8bit: return "pf8bit";
    case pf16bit: return "pf16bit";
    case pf24bit: return "pf24bit";
    case pf32bit: return "pf32bit";
  }
  return "pf24bit";
}

std::int64_t RowStride(int width, TPixelFormat pf) {
  return ((static_cast<std::int64_t>(width) * BitsPerPixel(pf) + 31) / 32) * 4;
}

void CheckImageSize(std::int64_t width, std::int64_t height) {
  if (width < 0 || height < 0) throw Error("Invalid image size: negative width or height");
  if (width > std::numeric_limits<int>::max() || height > std::numeric_limits<int>::max() ||
      (width != 0 && height > kMaxPixels / width))
    throw Error("Image too large: " + std::to_string(width) + " x " + std::to_string(height) +
                " pixels exceeds the limit of " + std::to_string(kMaxPixels) + " pixels");
}

namespace {

// Fills `count` pixels of a row, starting at pixel `x0`, with one colour
// (palette formats: its nearest entry).
void FillRowPixels(std::uint8_t* row, TPixelFormat pf, const std::vector<TColor>& palette, int x0, int count,
                   TColor color) {
  if (count <= 0) return;
  std::uint8_t one[4] = {GetBValue(color), GetGValue(color), GetRValue(color), 0};
  switch (pf) {
    case pf24bit: {
      std::uint8_t* p = row + static_cast<std::int64_t>(x0) * 3;
      if (one[0] == one[1] && one[1] == one[2]) {
        std::memset(p, one[0], static_cast<std::size_t>(count) * 3);
      } else {
        for (int i = 0; i < count; ++i, p += 3) std::memcpy(p, one, 3);
      }
      return;
    }
    case pf8bit:
      std::memset(row + x0, NearestIndex(palette, color), static_cast<std::size_t>(count));
      return;
    case pf16bit:
    case pf32bit: {
      std::uint8_t packed[4] = {0, 0, 0, 0};
      RowFromBgr24(one, pf, nullptr, 1, packed);
      int bytes = BitsPerPixel(pf) / 8;
      for (int i = 0; i < count; ++i) std::memcpy(row + static_cast<std::int64_t>(x0 + i) * bytes, packed, bytes);
      return;
    }
    case pf1bit:
    case pf4bit: {
      int bits = BitsPerPixel(pf);
      unsigned value = NearestIndex(palette, color) & ((1u << bits) - 1);
      for (int i = 0; i < count; ++i) {
        std::int64_t bit = static_cast<std::int64_t>(x0 + i) * bits;
        std::uint8_t& byte = row[bit >> 3];
        int shift = 8 - bits - static_cast<int>(bit & 7);
        unsigned mask = ((1u << bits) - 1) << shift;
        byte = static_cast<std::uint8_t>((byte & ~mask) | (value << shift));
      }
      return;
    }
  }
}

void CheckPalette(TPixelFormat pf, const std::vector<TColor>& palette) {
  if (!IsPaletteFormat(pf)) {
    if (!palette.empty()) throw Error("Only palette formats have a palette");
    return;
  }
  if (palette.empty()) throw Error("A palette needs at least one colour");
  if (palette.size() > (std::size_t{1} << BitsPerPixel(pf)))
    throw Error(std::string("A palette of ") + PixelFormatName(pf) + " holds at most " +
                std::to_string(1 << BitsPerPixel(pf)) + " colours");
}

// The band of a stride: the most rows, a power of two, that fit in about
// 64 KiB; one row when a row alone is larger.
int BandShiftFor(std::int64_t stride) {
  constexpr std::int64_t kBandBytes = std::int64_t{1} << 16;
  constexpr int kMaxShift = 20;
  int shift = 0;
  while (shift < kMaxShift && (stride << (shift + 1)) <= kBandBytes) ++shift;
  return shift;
}

std::atomic<std::int64_t> gLivePixelBytes{0};

// A block for `bytes` of pixels (zeros when asked), or an Error naming the
// image it is for.
detail::TPixelBlock* NewBlock(std::int64_t bytes, int width, int height, bool zeroed) {
  const auto total = static_cast<std::size_t>(bytes) + detail::TPixelBlock::kHeaderBytes;
  void* memory = zeroed ? std::calloc(total, 1) : std::malloc(total);
  if (!memory)
    throw Error("Not enough memory for an image of " + std::to_string(width) + " x " + std::to_string(height) +
                " pixels");
  auto* block = new (memory) detail::TPixelBlock;
  block->bytes = bytes;
  gLivePixelBytes.fetch_add(bytes, std::memory_order_relaxed);
  return block;
}

struct TRowJob {
  bool active = false;
  int y0 = 0, y1 = 0;
};
thread_local TRowJob tRowJob;

}  // namespace

namespace detail {

void FreePixelBlock(TPixelBlock* block) noexcept {
  gLivePixelBytes.fetch_sub(block->bytes, std::memory_order_relaxed);
  block->~TPixelBlock();
  std::free(block);
}

}  // namespace detail

std::int64_t LivePixelBytes() { return gLivePixelBytes.load(std::memory_order_relaxed); }

TRowJobScope::TRowJobScope(int y0, int y1) : outer_(tRowJob.active), y0_(tRowJob.y0), y1_(tRowJob.y1) {
  tRowJob = {true, y0, y1};
}

TRowJobScope::~TRowJobScope() { tRowJob = {outer_, y0_, y1_}; }

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat pf) {
  CheckImageSize(width, height);
  TBitmap shape;
  shape.width_ = width;
  shape.format_ = pf;
  shape.stride_ = RowStride(width, pf);
  shape.palette_ = StandardPalette(pf);
  const std::vector<std::uint8_t> white = shape.WhiteRow(width);
  Allocate(width, height, pf, std::move(shape.palette_), white.data());
}

TBitmap::TBitmap(int width, int height, TPixelFormat pf, std::vector<TColor> palette) {
  CheckPalette(pf, palette);
  Allocate(width, height, pf, std::move(palette));
}

TBitmap TBitmap::ForOverwrite(int width, int height) {
  TBitmap b;
  b.Allocate(width, height, pf24bit, {}, nullptr, false);
  return b;
}

TBitmap::~TBitmap() = default;

TBitmap::TBitmap(const TBitmap& other) { *this = other; }

TBitmap& TBitmap::operator=(const TBitmap& other) {
  if (this == &other) return *this;
  // Copied aside first, so that running out of memory changes nothing.
  std::vector<detail::TBlockRef> bands = other.bands_;
  std::vector<TColor> palette = other.palette_;
  bands_ = std::move(bands);
  palette_ = std::move(palette);
  TakeShape(other);
  return *this;
}

void TBitmap::TakePixels(const TBitmap& other) {
  const bool transparent = Transparent;
  const TTransparentMode mode = transparentMode_;
  const TColor key = transparentColor_;
  *this = other;
  Transparent = transparent;
  transparentMode_ = mode;
  transparentColor_ = key;
}

void TBitmap::TakeShape(const TBitmap& other) {
  width_ = other.width_;
  height_ = other.height_;
  format_ = other.format_;
  stride_ = other.stride_;
  bandShift_ = other.bandShift_;
  bandMask_ = other.bandMask_;
  Transparent = other.Transparent;
  transparentMode_ = other.transparentMode_;
  transparentColor_ = other.transparentColor_;
}

TBitmap::TBitmap(TBitmap&& other) noexcept { *this = std::move(other); }

TBitmap& TBitmap::operator=(TBitmap&& other) noexcept {
  if (this == &other) return *this;
  TakeShape(other);
  bands_ = std::move(other.bands_);
  palette_ = std::move(other.palette_);
  other.width_ = other.height_ = 0;
  other.format_ = pf24bit;
  other.stride_ = 0;
  other.bandShift_ = other.bandMask_ = 0;
  other.bands_.clear();
  other.palette_.clear();
  return *this;
}

void TBitmap::Allocate(int width, int height, TPixelFormat pf, std::vector<TColor> palette, const std::uint8_t* row,
                       bool zeroed) {
  CheckImageSize(width, height);
  const std::int64_t stride = RowStride(width, pf);
  const int shift = BandShiftFor(stride);
  const std::int64_t perBand = std::int64_t{1} << shift;
  std::vector<detail::TBlockRef> bands;
  if (height > 0) {
    const std::int64_t count = (height + perBand - 1) / perBand;
    bands.reserve(static_cast<std::size_t>(count));
    if (row) {
      // One block of the row repeated serves every band.
      const std::int64_t rows = std::min<std::int64_t>(perBand, height);
      detail::TBlockRef block(NewBlock(rows * stride, width, height, false));
      for (std::int64_t r = 0; r < rows; ++r)
        std::memcpy(block->Pixels() + r * stride, row, static_cast<std::size_t>(stride));
      bands.assign(static_cast<std::size_t>(count), block);
    } else {
      for (std::int64_t b = 0; b < count; ++b) {
        const std::int64_t rows = std::min<std::int64_t>(perBand, height - b * perBand);
        bands.emplace_back(NewBlock(rows * stride, width, height, zeroed));
      }
    }
  }
  bands_ = std::move(bands);
  width_ = width;
  height_ = height;
  format_ = pf;
  stride_ = stride;
  bandShift_ = shift;
  bandMask_ = static_cast<int>(perBand - 1);
  palette_ = IsPaletteFormat(pf) ? std::move(palette) : std::vector<TColor>{};
}

void TBitmap::ThrowRowOutOfRange() { throw Error("Scan line index out of range"); }

int TBitmap::RowsInBand(std::size_t band) const {
  const std::int64_t first = static_cast<std::int64_t>(band) << bandShift_;
  return static_cast<int>(std::min<std::int64_t>(RowsPerBand(), height_ - first));
}

detail::TPixelBlock* TBitmap::UnshareBand(std::size_t band) {
  const int first = static_cast<int>(band << bandShift_);
  const int rows = RowsInBand(band);
  if (tRowJob.active && (first < tRowJob.y0 || first + rows > tRowJob.y1))
    throw Error("Rows " + std::to_string(first) + " to " + std::to_string(first + rows - 1) +
                " are shared and written by several threads at once");
  const std::int64_t bytes = std::int64_t{rows} * stride_;
  detail::TBlockRef copy(NewBlock(bytes, width_, height_, false));
  std::memcpy(copy->Pixels(), bands_[band]->Pixels(), static_cast<std::size_t>(bytes));
  bands_[band] = std::move(copy);
  return bands_[band].get();
}

int TBitmap::ContiguousRows(int y) const {
  CheckRow(y);
  return std::min(RowsPerBand() - (y & bandMask_), height_ - y);
}

void TBitmap::MakeWritable() {
  for (std::size_t b = 0; b < bands_.size(); ++b)
    if (bands_[b].Shared()) UnshareBand(b);
}

bool TBitmap::SharesRow(const TBitmap& other, int y) const {
  if (y < 0 || y >= height_ || y >= other.height_ || stride_ == 0) return false;
  return ScanLine(y) == other.ScanLine(y);
}

std::int64_t TBitmap::UnsharedBytes() const {
  std::int64_t bytes = 0;
  for (const detail::TBlockRef& band : bands_)
    if (!band.Shared()) bytes += band->bytes;
  return bytes;
}

std::vector<std::uint8_t> TBitmap::WhiteRow(int width) const {
  std::vector<std::uint8_t> row(static_cast<std::size_t>(RowStride(width, format_)), 0);
  FillRowPixels(row.data(), format_, palette_, 0, width, clWhite);
  return row;
}

void TBitmap::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  CheckImageSize(width, height);
  // Built aside and moved in, so a refused size or a failed allocation
  // leaves this bitmap untouched.
  TBitmap resized;
  resized.format_ = format_;
  resized.stride_ = RowStride(width, format_);
  resized.bandShift_ = BandShiftFor(resized.stride_);
  resized.bandMask_ = (1 << resized.bandShift_) - 1;
  resized.palette_ = palette_;
  resized.width_ = width;
  resized.height_ = height;
  resized.Transparent = Transparent;
  resized.transparentMode_ = transparentMode_;
  resized.transparentColor_ = transparentColor_;
  if (width == 0 || height == 0) {
    // No pixel to keep or fill: empty rows (a width of 0) or none at all.
    resized.Allocate(width, height, format_, palette_);
    *this = std::move(resized);
    return;
  }
  const std::vector<std::uint8_t> white = resized.WhiteRow(width);
  const auto stride = static_cast<std::size_t>(resized.stride_);
  const int perBand = resized.RowsPerBand();
  const std::size_t count = height > 0 ? static_cast<std::size_t>((std::int64_t{height} + perBand - 1) / perBand) : 0;
  const int keepW = std::min(width, width_);
  const int keepH = std::min(height, height_);
  const std::int64_t keepBytes = (static_cast<std::int64_t>(keepW) * BitsPerPixel(format_) + 7) / 8;
  const bool sameLayout = resized.stride_ == stride_ && width == width_;
  // Bands whose rows are all white share one block.
  detail::TBlockRef whiteBlock;
  auto shareWhite = [&]() {
    if (!whiteBlock.get()) {
      const std::int64_t rows = std::min(perBand, height);
      whiteBlock = detail::TBlockRef(NewBlock(rows * resized.stride_, width, height, false));
      for (std::int64_t r = 0; r < rows; ++r) std::memcpy(whiteBlock->Pixels() + r * resized.stride_, white.data(), stride);
    }
    return whiteBlock;
  };
  std::vector<std::uint8_t> built(stride);
  resized.bands_.reserve(count);
  for (std::size_t b = 0; b < count; ++b) {
    const int r0 = static_cast<int>(b) * perBand;
    const int r1 = static_cast<int>(std::min<std::int64_t>(std::int64_t{r0} + perBand, height));
    if (sameLayout && r1 <= height_) {
      resized.bands_.push_back(bands_[b]);  // the same rows, unchanged
      continue;
    }
    // Rows are built one by one; the band gets a block of its own at the
    // first row that is not white.
    detail::TBlockRef block;
    for (int y = r0; y < r1; ++y) {
      const std::uint8_t* row = white.data();
      if (y < keepH && keepW > 0) {
        std::memcpy(built.data(), std::as_const(*this).ScanLine(y), static_cast<std::size_t>(keepBytes));
        ClearRowPadding(built.data(), keepW, format_, resized.stride_);
        FillRowPixels(built.data(), format_, palette_, keepW, width - keepW, clWhite);
        if (std::memcmp(built.data(), white.data(), stride) != 0) row = built.data();
      }
      if (!block.get() && row == white.data()) continue;
      if (!block.get()) {
        block = detail::TBlockRef(NewBlock(std::int64_t{r1 - r0} * resized.stride_, width, height, false));
        for (int w = r0; w < y; ++w) std::memcpy(block->Pixels() + std::size_t(w - r0) * stride, white.data(), stride);
      }
      std::memcpy(block->Pixels() + std::size_t(y - r0) * stride, row, stride);
    }
    resized.bands_.push_back(block.get() ? std::move(block) : shareWhite());
  }
  *this = std::move(resized);
}

void TBitmap::SetPixelFormat(TPixelFormat pf) {
  if (pf == format_) return;
  TBitmap converted;
  converted.Allocate(width_, height_, pf, StandardPalette(pf));
  if (!Empty()) {
    TNearestColor mapper(converted.palette_);
    std::vector<std::uint8_t> bgr(static_cast<std::size_t>(width_) * 3);
    for (int y = 0; y < height_; ++y) {
      RowToBgr24(std::as_const(*this).ScanLine(y), format_, palette_, width_, bgr.data());
      RowFromBgr24(bgr.data(), pf, &mapper, width_, converted.ScanLine(y));
    }
  }
  format_ = pf;
  stride_ = converted.stride_;
  bandShift_ = converted.bandShift_;
  bandMask_ = converted.bandMask_;
  bands_ = std::move(converted.bands_);
  palette_ = std::move(converted.palette_);
}

void TBitmap::SetPalette(std::vector<TColor> palette) {
  if (!IsPaletteFormat(format_)) throw Error("Only palette formats have a palette");
  CheckPalette(format_, palette);
  palette_ = std::move(palette);
}

TColor TBitmap::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return clNone;
  const std::uint8_t* row = ScanLine(y);
  switch (format_) {
    case pf24bit: {
      const std::uint8_t* p = row + static_cast<std::int64_t>(x) * 3;
      return RGB(p[2], p[1], p[0]);
    }
    case pf32bit: {
      const std::uint8_t* p = row + static_cast<std::int64_t>(x) * 4;
      return RGB(p[2], p[1], p[0]);
    }
    default: {
      // Convert the byte(s) holding the pixel.
      int bits = BitsPerPixel(format_);
      std::int64_t firstBit = static_cast<std::int64_t>(x) * bits;
      int startPixel = static_cast<int>((firstBit & ~7) / bits);
      std::uint8_t bgr[3 * 8];
      int count = std::min(width_ - startPixel, bits < 8 ? 8 / bits : 1);
      RowToBgr24(row + (firstBit >> 3), format_, palette_, count, bgr);
      const std::uint8_t* p = bgr + 3 * (x - startPixel);
      return RGB(p[2], p[1], p[0]);
    }
  }
}

void TBitmap::SetPixel(int x, int y, TColor color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  color = ColorToRGB(color);
  if (format_ == pf24bit) {
    std::uint8_t* p = ScanLine(y) + static_cast<std::int64_t>(x) * 3;
    p[0] = GetBValue(color);
    p[1] = GetGValue(color);
    p[2] = GetRValue(color);
    return;
  }
  FillRowPixels(ScanLine(y), format_, palette_, x, 1, color);
}

void TBitmap::Fill(TColor color) {
  if (Empty()) return;
  color = ColorToRGB(color);
  std::vector<std::uint8_t> row(static_cast<std::size_t>(stride_), 0);
  FillRowPixels(row.data(), format_, palette_, 0, width_, color);
  TBitmap filled;
  filled.Allocate(width_, height_, format_, palette_, row.data());
  bands_ = std::move(filled.bands_);
}

TColor TBitmap::TransparentColor() const {
  if (transparentMode_ == tmFixed) return transparentColor_;
  if (Empty()) return clNone;
  return GetPixel(0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
  transparentColor_ = color;
  transparentMode_ = tmFixed;
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TCanvas>(*this);
  return *canvas_;
}

void TBitmap::LoadFromFile(const std::string& path) { LoadBmpFile(path, *this); }

void TBitmap::SaveToFile(const std::string& path) const { SaveBmpFile(path, *this); }

bool SameImage(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height() || a.PixelFormat() != b.PixelFormat() ||
      a.Palette() != b.Palette())
    return false;
  // Whole bytes, then the used high bits of a last partial byte.
  const std::int64_t bits = static_cast<std::int64_t>(a.Width()) * BitsPerPixel(a.PixelFormat());
  const auto whole = static_cast<std::size_t>(bits / 8);
  const int tailBits = static_cast<int>(bits % 8);
  const auto tailMask = static_cast<std::uint8_t>(0xFF00u >> tailBits);
  for (int y = 0; y < a.Height(); ++y) {
    const std::uint8_t* pa = a.ScanLine(y);
    const std::uint8_t* pb = b.ScanLine(y);
    if (pa == pb) continue;  // a shared band
    if (std::memcmp(pa, pb, whole) != 0) return false;
    if (tailBits != 0 && ((pa[whole] ^ pb[whole]) & tailMask) != 0) return false;
  }
  return true;
}

}  // namespace kroma
