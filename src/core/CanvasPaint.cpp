#include "core/CanvasPaint.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace kroma {

namespace {

std::uint8_t PenModeByte(TPenMode mode, std::uint8_t p, std::uint8_t d) {
  switch (mode) {
    case pmBlack: return 0;
    case pmWhite: return 0xFF;
    case pmNop: return d;
    case pmNot: return static_cast<std::uint8_t>(~d);
    case pmCopy: return p;
    case pmNotCopy: return static_cast<std::uint8_t>(~p);
    case pmMergePenNot: return static_cast<std::uint8_t>(p | ~d);
    case pmMaskPenNot: return static_cast<std::uint8_t>(p & ~d);
    case pmMergeNotPen: return static_cast<std::uint8_t>(~p | d);
    case pmMaskNotPen: return static_cast<std::uint8_t>(~p & d);
    case pmMerge: return static_cast<std::uint8_t>(p | d);
    case pmNotMerge: return static_cast<std::uint8_t>(~(p | d));
    case pmMask: return static_cast<std::uint8_t>(p & d);
    case pmNotMask: return static_cast<std::uint8_t>(~(p & d));
    case pmXor: return static_cast<std::uint8_t>(p ^ d);
    case pmNotXor: return static_cast<std::uint8_t>(~(p ^ d));
  }
  return d;
}

// A truth table applied to whole bytes with bit operations.
struct Rop2 {
  std::uint8_t m00, m01, m10, m11;  // 0xFF where the table gives 1 for (p, d)
  explicit Rop2(unsigned table)
      : m00(table & 1 ? 0xFF : 0), m01(table & 2 ? 0xFF : 0), m10(table & 4 ? 0xFF : 0), m11(table & 8 ? 0xFF : 0) {}
  std::uint8_t operator()(std::uint8_t p, std::uint8_t d) const {
    const std::uint8_t np = static_cast<std::uint8_t>(~p), nd = static_cast<std::uint8_t>(~d);
    return static_cast<std::uint8_t>((m00 & np & nd) | (m01 & np & d) | (m10 & p & nd) | (m11 & p & d));
  }
};

bool IgnoresDestination(unsigned table) { return ((table >> 1) & 5u) == (table & 5u); }

std::array<std::uint8_t, 3> Bgr(TColor c) {
  c = ColorToRGB(c);
  return {GetBValue(c), GetGValue(c), GetRValue(c)};
}

// `count` pixels of one colour, ready to be copied into rows.
std::vector<std::uint8_t> ColourRow(const std::array<std::uint8_t, 3>& bgr, std::size_t count) {
  std::vector<std::uint8_t> row(count * 3);
  for (std::size_t i = 0; i < count; ++i) std::memcpy(&row[i * 3], bgr.data(), 3);
  return row;
}

std::size_t WidestSpan(const TSpanSet& spans) {
  std::size_t w = 0;
  for (const TSpan& s : spans.Spans()) w = std::max(w, static_cast<std::size_t>(s.x1 - s.x0));
  return w;
}

std::uint8_t* PixelAt(TBitmap& bitmap, int x, int y) { return bitmap.ScanLine(y) + std::int64_t{x} * 3; }

// Per-channel lookup tables for one colour and a mode that reads the destination.
struct ColourLut {
  std::array<std::array<std::uint8_t, 256>, 3> lut;
  ColourLut(const std::array<std::uint8_t, 3>& bgr, const Rop2& rop) {
    for (int c = 0; c < 3; ++c)
      for (int d = 0; d < 256; ++d) lut[c][d] = rop(bgr[c], static_cast<std::uint8_t>(d));
  }
  void Apply(std::uint8_t* p, int count) const {
    for (int i = 0; i < count; ++i, p += 3) {
      p[0] = lut[0][p[0]];
      p[1] = lut[1][p[1]];
      p[2] = lut[2][p[2]];
    }
  }
};

void PaintSolid(TBitmap& bitmap, const TSpanSet& spans, TColor color, unsigned table) {
  const Rop2 rop(table);
  auto bgr = Bgr(color);
  if (IgnoresDestination(table)) {
    for (auto& c : bgr) c = rop(c, 0);
    const std::vector<std::uint8_t> row = ColourRow(bgr, WidestSpan(spans));
    for (const TSpan& s : spans.Spans())
      std::memcpy(PixelAt(bitmap, s.x0, s.y), row.data(), static_cast<std::size_t>(s.x1 - s.x0) * 3);
    return;
  }
  const ColourLut lut(bgr, rop);
  for (const TSpan& s : spans.Spans()) lut.Apply(PixelAt(bitmap, s.x0, s.y), s.x1 - s.x0);
}

void PaintPattern(TBitmap& bitmap, const TSpanSet& spans, const TBitmap& pattern, unsigned table) {
  const Rop2 rop(table);
  const bool plain = IgnoresDestination(table);
  // Each pattern row tiled to the widest span plus one period, so any
  // span start (x mod 8) is a plain offset into it.
  const std::size_t width = WidestSpan(spans) + 8;
  std::array<std::vector<std::uint8_t>, 8> rows;
  for (int r = 0; r < 8; ++r) {
    rows[r].resize(width * 3);
    const std::uint8_t* src = pattern.ScanLine(r);
    for (std::size_t i = 0; i < width * 3; ++i) {
      std::uint8_t v = src[i % 24];
      rows[r][i] = plain ? rop(v, 0) : v;
    }
  }
  for (const TSpan& s : spans.Spans()) {
    const std::uint8_t* src = rows[static_cast<std::size_t>(s.y & 7)].data() + static_cast<std::size_t>(s.x0 & 7) * 3;
    std::uint8_t* dst = PixelAt(bitmap, s.x0, s.y);
    const std::size_t bytes = static_cast<std::size_t>(s.x1 - s.x0) * 3;
    if (plain) {
      std::memcpy(dst, src, bytes);
    } else {
      for (std::size_t i = 0; i < bytes; ++i) dst[i] = rop(src[i], dst[i]);
    }
  }
}

void PaintHatch(TBitmap& bitmap, const TSpanSet& spans, TBrushStyle style, TColor color, unsigned table) {
  const ColourLut lut(Bgr(color), Rop2(table));
  for (const TSpan& s : spans.Spans()) {
    const std::uint8_t bits = HatchRowBits(style, s.y & 7);
    if (bits == 0) continue;
    std::uint8_t* p = PixelAt(bitmap, s.x0, s.y);
    for (int x = s.x0; x < s.x1; ++x, p += 3)
      if ((bits >> (x & 7)) & 1) lut.Apply(p, 1);
  }
}

}  // namespace

TPaint SolidPaint(TColor color) {
  TPaint p;
  p.kind = TPaint::Solid;
  p.color = color;
  return p;
}

TPaint BrushPaint(const TBrush& brush) {
  TPaint p;
  p.color = brush.Color();
  switch (brush.Style()) {
    case bsClear: p.kind = TPaint::None; break;
    case bsSolid:
      p.kind = brush.HasBitmap() ? TPaint::Pattern : TPaint::Solid;
      p.pattern = brush.Bitmap();
      break;
    default:
      p.kind = TPaint::Hatch;
      p.hatch = brush.Style();
      break;
  }
  return p;
}

std::uint8_t HatchRowBits(TBrushStyle style, int row) {
  row &= 7;
  const std::uint8_t horizontal = row == 0 ? 0xFF : 0;
  const std::uint8_t vertical = 0x01;
  const auto fdiagonal = static_cast<std::uint8_t>(1u << row);        // \ : x mod 8 == y mod 8
  const auto bdiagonal = static_cast<std::uint8_t>(1u << (7 - row));  // / : (x + y) mod 8 == 7
  switch (style) {
    case bsHorizontal: return horizontal;
    case bsVertical: return vertical;
    case bsFDiagonal: return fdiagonal;
    case bsBDiagonal: return bdiagonal;
    case bsCross: return static_cast<std::uint8_t>(horizontal | vertical);
    case bsDiagCross: return static_cast<std::uint8_t>(fdiagonal | bdiagonal);
    default: return 0;
  }
}

unsigned PenModeTable(TPenMode mode) { return PenModeByte(mode, 0b1100, 0b1010) & 0xFu; }

void PaintSpans(TBitmap& bitmap, const TSpanSet& spans, const TPaint& paint, TPenMode mode) {
  const unsigned table = PenModeTable(mode);
  if (spans.Empty() || table == 0b1010) return;  // pmNop
  switch (paint.kind) {
    case TPaint::None: return;
    case TPaint::Solid: PaintSolid(bitmap, spans, paint.color, table); return;
    case TPaint::Pattern: PaintPattern(bitmap, spans, *paint.pattern, table); return;
    case TPaint::Hatch: PaintHatch(bitmap, spans, paint.hatch, paint.color, table); return;
  }
}

bool PaintCovers(const TPaint& paint, int x, int y) {
  switch (paint.kind) {
    case TPaint::None: return false;
    case TPaint::Hatch: return ((HatchRowBits(paint.hatch, y & 7) >> (x & 7)) & 1) != 0;
    default: return true;
  }
}

void PaintOperandRow(const TPaint& paint, int x, int y, int count, std::uint8_t* bgr) {
  if (paint.kind == TPaint::Pattern) {
    const std::uint8_t* src = paint.pattern->ScanLine(y & 7);
    for (int i = 0; i < count; ++i) std::memcpy(bgr + i * 3, src + ((x + i) & 7) * 3, 3);
    return;
  }
  const auto colour = Bgr(paint.color);
  const std::array<std::uint8_t, 3> white{0xFF, 0xFF, 0xFF};
  for (int i = 0; i < count; ++i) std::memcpy(bgr + i * 3, PaintCovers(paint, x + i, y) ? colour.data() : white.data(), 3);
}

}  // namespace kroma
