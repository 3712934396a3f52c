#include "core/PixelFormats.h"

#include <cstring>

namespace kroma {

const std::array<TColor, 20>& SystemColors20() {
  static const std::array<TColor, 20> colors = {
      RGB(0, 0, 0),       RGB(128, 0, 0),     RGB(0, 128, 0),     RGB(128, 128, 0),   RGB(0, 0, 128),
      RGB(128, 0, 128),   RGB(0, 128, 128),   RGB(192, 192, 192), RGB(192, 220, 192), RGB(166, 202, 240),
      RGB(255, 251, 240), RGB(160, 160, 164), RGB(128, 128, 128), RGB(255, 0, 0),     RGB(0, 255, 0),
      RGB(255, 255, 0),   RGB(0, 0, 255),     RGB(255, 0, 255),   RGB(0, 255, 255),   RGB(255, 255, 255)};
  return colors;
}

namespace {

std::vector<TColor> MakeHalftone() {
  std::vector<TColor> p;
  p.reserve(256);
  const auto& sys = SystemColors20();
  for (int i = 0; i < 10; ++i) p.push_back(sys[i]);
  for (int b = 0; b < 6; ++b)
    for (int g = 0; g < 6; ++g)
      for (int r = 0; r < 6; ++r) p.push_back(RGB(r * 51, g * 51, b * 51));
  // Greys that the cube lacks: 20 steps between its levels.
  for (int i = 1; i <= 20; ++i) {
    int v = (i * 255) / 21;
    if (v % 51 == 0) ++v;
    p.push_back(RGB(v, v, v));
  }
  for (int i = 10; i < 20; ++i) p.push_back(sys[i]);
  return p;
}

}  // namespace

const std::vector<TColor>& StandardPalette(TPixelFormat pf) {
  static const std::vector<TColor> mono = {clBlack, clWhite};
  static const std::vector<TColor> vga = {clBlack, clMaroon, clGreen, clOlive, clNavy,   clPurple, clTeal, clGray,
                                          clSilver, clRed,   clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};
  static const std::vector<TColor> halftone = MakeHalftone();
  static const std::vector<TColor> none;
  switch (pf) {
    case pf1bit: return mono;
    case pf4bit: return vga;
    case pf8bit: return halftone;
    default: return none;
  }
}

namespace {
inline int CellOf(int r, int g, int b) { return ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3); }
}  // namespace

TNearestColor::TNearestColor(const std::vector<TColor>& palette)
    : palette_(palette), cache_(32 * 32 * 32, -1), hasExact_(32 * 32 * 32, 0) {
  if (palette_.empty()) palette_.push_back(clBlack);
  if (palette_.size() > 256) palette_.resize(256);
  for (TColor c : palette_) hasExact_[static_cast<std::size_t>(CellOf(GetRValue(c), GetGValue(c), GetBValue(c)))] = 1;
}

std::uint8_t TNearestColor::Search(int r, int g, int b) const {
  int best = 0;
  long bestDist = -1;
  for (std::size_t i = 0; i < palette_.size(); ++i) {
    TColor c = palette_[i];
    long dr = r - GetRValue(c), dg = g - GetGValue(c), db = b - GetBValue(c);
    long d = dr * dr + dg * dg + db * db;
    if (bestDist < 0 || d < bestDist) {
      bestDist = d;
      best = static_cast<int>(i);
      if (d == 0) break;
    }
  }
  return static_cast<std::uint8_t>(best);
}

std::uint8_t TNearestColor::Index(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  auto cell = static_cast<std::size_t>(CellOf(r, g, b));
  // Exact palette colours always map to themselves.
  if (hasExact_[cell]) {
    for (std::size_t i = 0; i < palette_.size(); ++i) {
      TColor p = palette_[i];
      if (GetRValue(p) == r && GetGValue(p) == g && GetBValue(p) == b) return static_cast<std::uint8_t>(i);
    }
  }
  std::int16_t& slot = cache_[cell];
  // Every colour of a cell takes the answer for the cell's centre colour.
  if (slot < 0) slot = Search((r & 0xF8) | 4, (g & 0xF8) | 4, (b & 0xF8) | 4);
  return static_cast<std::uint8_t>(slot);
}

namespace {

inline void PutColor(std::uint8_t* d, TColor c) {
  d[0] = GetBValue(c);
  d[1] = GetGValue(c);
  d[2] = GetRValue(c);
}

inline TColor PaletteAt(const std::vector<TColor>& palette, unsigned index) {
  return index < palette.size() ? palette[index] : clBlack;
}

}  // namespace

void RowToBgr24(const std::uint8_t* src, TPixelFormat pf, const std::vector<TColor>& palette, int width,
                std::uint8_t* dst) {
  switch (pf) {
    case pf24bit:
      std::memcpy(dst, src, static_cast<std::size_t>(width) * 3);
      return;
    case pf32bit:
      for (int x = 0; x < width; ++x) {
        dst[3 * x] = src[4 * x];
        dst[3 * x + 1] = src[4 * x + 1];
        dst[3 * x + 2] = src[4 * x + 2];
      }
      return;
    case pf16bit:
      for (int x = 0; x < width; ++x) {
        unsigned v = src[2 * x] | (src[2 * x + 1] << 8);
        unsigned r = (v >> 11) & 31, g = (v >> 5) & 63, b = v & 31;
        dst[3 * x] = static_cast<std::uint8_t>((b << 3) | (b >> 2));
        dst[3 * x + 1] = static_cast<std::uint8_t>((g << 2) | (g >> 4));
        dst[3 * x + 2] = static_cast<std::uint8_t>((r << 3) | (r >> 2));
      }
      return;
    case pf8bit:
      for (int x = 0; x < width; ++x) PutColor(dst + 3 * x, PaletteAt(palette, src[x]));
      return;
    case pf4bit:
      for (int x = 0; x < width; ++x) {
        unsigned byte = src[x >> 1];
        PutColor(dst + 3 * x, PaletteAt(palette, (x & 1) ? (byte & 15) : (byte >> 4)));
      }
      return;
    case pf1bit:
      for (int x = 0; x < width; ++x) {
        unsigned bit = (src[x >> 3] >> (7 - (x & 7))) & 1;
        PutColor(dst + 3 * x, PaletteAt(palette, bit));
      }
      return;
  }
}

void RowFromBgr24(const std::uint8_t* src, TPixelFormat pf, TNearestColor* mapper, int width, std::uint8_t* dst) {
  switch (pf) {
    case pf24bit:
      std::memcpy(dst, src, static_cast<std::size_t>(width) * 3);
      return;
    case pf32bit:
      for (int x = 0; x < width; ++x) {
        dst[4 * x] = src[3 * x];
        dst[4 * x + 1] = src[3 * x + 1];
        dst[4 * x + 2] = src[3 * x + 2];
        dst[4 * x + 3] = 0;
      }
      return;
    case pf16bit:
      for (int x = 0; x < width; ++x) {
        unsigned b = src[3 * x] >> 3, g = src[3 * x + 1] >> 2, r = src[3 * x + 2] >> 3;
        unsigned v = (r << 11) | (g << 5) | b;
        dst[2 * x] = static_cast<std::uint8_t>(v & 0xFF);
        dst[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
      }
      return;
    case pf8bit:
      for (int x = 0; x < width; ++x) dst[x] = mapper->Index(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
      return;
    case pf4bit:
      for (int x = 0; x < width; ++x) {
        unsigned i = mapper->Index(src[3 * x + 2], src[3 * x + 1], src[3 * x]) & 15;
        std::uint8_t& byte = dst[x >> 1];
        byte = (x & 1) ? static_cast<std::uint8_t>((byte & 0xF0) | i) : static_cast<std::uint8_t>((byte & 0x0F) | (i << 4));
      }
      return;
    case pf1bit:
      for (int x = 0; x < width; ++x) {
        unsigned i = mapper->Index(src[3 * x + 2], src[3 * x + 1], src[3 * x]) & 1;
        std::uint8_t& byte = dst[x >> 3];
        std::uint8_t mask = static_cast<std::uint8_t>(0x80 >> (x & 7));
        byte = i ? static_cast<std::uint8_t>(byte | mask) : static_cast<std::uint8_t>(byte & ~mask);
      }
      return;
  }
}

}  // namespace kroma
