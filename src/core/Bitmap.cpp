#include "core/Bitmap.h"

#include <cstdlib>
#include <cstring>
#include <limits>

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

}  // namespace

void TBitmap::TFree::operator()(std::uint8_t* p) const { std::free(p); }

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat pf) {
  Allocate(width, height, pf, StandardPalette(pf));
  Fill(clWhite);
}

TBitmap::TBitmap(int width, int height, TPixelFormat pf, std::vector<TColor> palette) {
  CheckPalette(pf, palette);
  Allocate(width, height, pf, std::move(palette));
}

TBitmap::~TBitmap() = default;

TBitmap::TBitmap(const TBitmap& other) { *this = other; }

TBitmap& TBitmap::operator=(const TBitmap& other) {
  if (this == &other) return *this;
  Allocate(other.width_, other.height_, other.format_, other.palette_);
  if (bits_) std::memcpy(bits_.get(), other.bits_.get(), static_cast<std::size_t>(stride_ * height_));
  Transparent = other.Transparent;
  transparentMode_ = other.transparentMode_;
  transparentColor_ = other.transparentColor_;
  return *this;
}

TBitmap::TBitmap(TBitmap&& other) noexcept { *this = std::move(other); }

TBitmap& TBitmap::operator=(TBitmap&& other) noexcept {
  if (this == &other) return *this;
  width_ = other.width_;
  height_ = other.height_;
  format_ = other.format_;
  stride_ = other.stride_;
  bits_ = std::move(other.bits_);
  palette_ = std::move(other.palette_);
  Transparent = other.Transparent;
  transparentMode_ = other.transparentMode_;
  transparentColor_ = other.transparentColor_;
  other.width_ = other.height_ = 0;
  other.format_ = pf24bit;
  other.stride_ = 0;
  other.palette_.clear();
  return *this;
}

void TBitmap::Allocate(int width, int height, TPixelFormat pf, std::vector<TColor> palette) {
  CheckImageSize(width, height);
  std::int64_t stride = RowStride(width, pf);
  std::unique_ptr<std::uint8_t[], TFree> bits;
  if (width > 0 && height > 0) {
    // Zeroed, so that row padding is always 0. The size fits: at most
    // 2^28 pixels of 4 bytes plus 3 bytes of padding per row.
    bits.reset(static_cast<std::uint8_t*>(std::calloc(static_cast<std::size_t>(stride * height), 1)));
    if (!bits)
      throw Error("Not enough memory for an image of " + std::to_string(width) + " x " + std::to_string(height) +
                  " pixels");
  }
  bits_ = std::move(bits);
  width_ = width;
  height_ = height;
  format_ = pf;
  stride_ = stride;
  palette_ = IsPaletteFormat(pf) ? std::move(palette) : std::vector<TColor>{};
}

std::uint8_t* TBitmap::ScanLine(int y) {
  if (y < 0 || y >= height_) throw Error("Scan line index out of range");
  return bits_.get() + stride_ * y;
}

const std::uint8_t* TBitmap::ScanLine(int y) const {
  if (y < 0 || y >= height_) throw Error("Scan line index out of range");
  return bits_.get() + stride_ * y;
}

void TBitmap::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  // Built aside and moved in, so a refused size or a failed allocation
  // leaves this bitmap untouched.
  TBitmap resized;
  resized.Allocate(width, height, format_, palette_);
  int keepW = std::min(width, width_);
  int keepH = std::min(height, height_);
  std::int64_t keepBytes = (static_cast<std::int64_t>(keepW) * BitsPerPixel(format_) + 7) / 8;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = resized.ScanLine(y);
    if (y < keepH && keepW > 0) {
      std::memcpy(row, ScanLine(y), static_cast<std::size_t>(keepBytes));
      ClearRowPadding(row, keepW, format_, resized.stride_);
      FillRowPixels(row, format_, palette_, keepW, width - keepW, clWhite);
    } else {
      FillRowPixels(row, format_, palette_, 0, width, clWhite);
    }
  }
  width_ = resized.width_;
  height_ = resized.height_;
  stride_ = resized.stride_;
  bits_ = std::move(resized.bits_);
}

void TBitmap::SetPixelFormat(TPixelFormat pf) {
  if (pf == format_) return;
  TBitmap converted;
  converted.Allocate(width_, height_, pf, StandardPalette(pf));
  if (!Empty()) {
    TNearestColor mapper(converted.palette_);
    std::vector<std::uint8_t> bgr(static_cast<std::size_t>(width_) * 3);
    for (int y = 0; y < height_; ++y) {
      RowToBgr24(ScanLine(y), format_, palette_, width_, bgr.data());
      RowFromBgr24(bgr.data(), pf, &mapper, width_, converted.ScanLine(y));
    }
  }
  format_ = pf;
  stride_ = converted.stride_;
  bits_ = std::move(converted.bits_);
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
  FillRowPixels(ScanLine(0), format_, palette_, 0, width_, color);
  for (int y = 1; y < height_; ++y) std::memcpy(ScanLine(y), ScanLine(0), static_cast<std::size_t>(stride_));
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
    if (std::memcmp(pa, pb, whole) != 0) return false;
    if (tailBits != 0 && ((pa[whole] ^ pb[whole]) & tailMask) != 0) return false;
  }
  return true;
}

}  // namespace kroma
