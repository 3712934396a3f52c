#include "core/PixelFormats.h"

#include <algorithm>
#include <cstdlib>
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
  // Twenty greys in even steps between black and white; none of them is a
  // level of the cube.
  for (int i = 1; i <= 20; ++i) {
    int v = (i * 255) / 21;
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

long Distance(TColor c, int r, int g, int b) {
  long dr = r - GetRValue(c), dg = g - GetGValue(c), db = b - GetBValue(c);
  return dr * dr + dg * dg + db * db;
}

constexpr int kCellBits = 4;                      // cells of 16 levels per channel
constexpr int kCellsPerAxis = 256 >> kCellBits;  // 16
constexpr int kCellCount = kCellsPerAxis * kCellsPerAxis * kCellsPerAxis;

// Squared distance from a channel value to the nearest and the farthest
// level of [lo, hi].
long NearSq(int v, int lo, int hi) {
  long d = v < lo ? lo - v : (v > hi ? v - hi : 0);
  return d * d;
}
long FarSq(int v, int lo, int hi) {
  long d = std::max(v - lo, hi - v);
  return d * d;
}

}  // namespace

std::uint8_t NearestIndex(const std::vector<TColor>& palette, TColor color) {
  int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
  std::size_t best = 0;
  long bestDist = -1;
  for (std::size_t i = 0; i < palette.size() && i < 256; ++i) {
    long d = Distance(palette[i], r, g, b);
    if (bestDist < 0 || d < bestDist) {
      bestDist = d;
      best = i;
      if (d == 0) break;
    }
  }
  return static_cast<std::uint8_t>(best);
}

TNearestColor::TNearestColor(const std::vector<TColor>& palette) : palette_(palette), cellStart_(kCellCount, -1) {
  if (palette_.empty()) palette_.push_back(clBlack);
  if (palette_.size() > 256) palette_.resize(256);
}

// The nearest entry of any colour in the cell is within the smallest
// "farthest distance" of all entries; entries whose nearest distance to
// the cell exceeds that bound can never win. Candidates stay in palette
// order, so ties still go to the first entry.
std::int32_t TNearestColor::BuildCell(int cell) {
  int rLo = (cell >> (2 * kCellBits)) << kCellBits, gLo = ((cell >> kCellBits) & (kCellsPerAxis - 1)) << kCellBits,
      bLo = (cell & (kCellsPerAxis - 1)) << kCellBits;
  int step = (1 << kCellBits) - 1;
  long bound = -1;
  std::vector<long> nearSq(palette_.size());
  for (std::size_t i = 0; i < palette_.size(); ++i) {
    int r = GetRValue(palette_[i]), g = GetGValue(palette_[i]), b = GetBValue(palette_[i]);
    nearSq[i] = NearSq(r, rLo, rLo + step) + NearSq(g, gLo, gLo + step) + NearSq(b, bLo, bLo + step);
    long farSq = FarSq(r, rLo, rLo + step) + FarSq(g, gLo, gLo + step) + FarSq(b, bLo, bLo + step);
    if (bound < 0 || farSq < bound) bound = farSq;
  }
  auto start = static_cast<std::int32_t>(pool_.size());
  pool_.push_back(0);
  for (std::size_t i = 0; i < palette_.size(); ++i) {
    if (nearSq[i] <= bound) {
      pool_.push_back(static_cast<std::uint16_t>(i));
      ++pool_[static_cast<std::size_t>(start)];
    }
  }
  cellStart_[static_cast<std::size_t>(cell)] = start;
  return start;
}

std::uint8_t TNearestColor::Index(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  int cell = ((r >> kCellBits) << (2 * kCellBits)) | ((g >> kCellBits) << kCellBits) | (b >> kCellBits);
  std::int32_t start = cellStart_[static_cast<std::size_t>(cell)];
  if (start < 0) start = BuildCell(cell);
  const std::uint16_t* list = pool_.data() + start;
  unsigned count = list[0];
  unsigned best = list[1];
  long bestDist = Distance(palette_[best], r, g, b);
  for (unsigned k = 2; k <= count && bestDist > 0; ++k) {
    long d = Distance(palette_[list[k]], r, g, b);
    if (d < bestDist) {
      bestDist = d;
      best = list[k];
    }
  }
  return static_cast<std::uint8_t>(best);
}

namespace {

// 5 and 6-bit channel levels widened to bytes, and each byte's nearest
// level (the first on a tie).
template <int Bits>
struct TChannelTables {
  std::array<std::uint8_t, (1 << Bits)> toByte{};
  std::array<std::uint8_t, 256> fromByte{};
  TChannelTables() {
    constexpr unsigned max = (1u << Bits) - 1;
    for (unsigned q = 0; q <= max; ++q) toByte[q] = ScaleToByte(q, max);
    for (int v = 0; v < 256; ++v) {
      unsigned best = 0;
      for (unsigned q = 1; q <= max; ++q)
        if (std::abs(toByte[q] - v) < std::abs(toByte[best] - v)) best = q;
      fromByte[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(best);
    }
  }
};

const TChannelTables<5>& Tables5() {
  static const TChannelTables<5> tables;
  return tables;
}
const TChannelTables<6>& Tables6() {
  static const TChannelTables<6> tables;
  return tables;
}

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
    case pf16bit: {
      const auto& t5 = Tables5();
      const auto& t6 = Tables6();
      for (int x = 0; x < width; ++x) {
        unsigned v = src[2 * x] | (src[2 * x + 1] << 8);
        dst[3 * x] = t5.toByte[v & 31];
        dst[3 * x + 1] = t6.toByte[(v >> 5) & 63];
        dst[3 * x + 2] = t5.toByte[(v >> 11) & 31];
      }
      return;
    }
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
    case pf16bit: {
      const auto& t5 = Tables5();
      const auto& t6 = Tables6();
      for (int x = 0; x < width; ++x) {
        unsigned b = t5.fromByte[src[3 * x]], g = t6.fromByte[src[3 * x + 1]], r = t5.fromByte[src[3 * x + 2]];
        unsigned v = (r << 11) | (g << 5) | b;
        dst[2 * x] = static_cast<std::uint8_t>(v & 0xFF);
        dst[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
      }
      return;
    }
    case pf8bit:
      for (int x = 0; x < width; ++x) dst[x] = mapper->Index(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
      return;
    case pf4bit:
      for (int x = 0; x < width; ++x) {
        unsigned i = mapper->Index(src[3 * x + 2], src[3 * x + 1], src[3 * x]) & 15;
        std::uint8_t& byte = dst[x >> 1];
        byte = (x & 1) ? static_cast<std::uint8_t>((byte & 0xF0) | i)
                       : static_cast<std::uint8_t>((byte & 0x0F) | (i << 4));
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

void ClearRowPadding(std::uint8_t* row, int width, TPixelFormat pf, std::int64_t stride) {
  std::int64_t usedBits = static_cast<std::int64_t>(width) * BitsPerPixel(pf);
  std::int64_t fullBytes = usedBits / 8;
  if (fullBytes >= stride) return;
  if (int rest = static_cast<int>(usedBits % 8)) {
    row[fullBytes] = static_cast<std::uint8_t>(row[fullBytes] & (0xFF00u >> rest));
    ++fullBytes;
  }
  std::memset(row + fullBytes, 0, static_cast<std::size_t>(stride - fullBytes));
}

}  // namespace kroma
