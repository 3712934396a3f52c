#pragma once
// Writing pixel sets into a 24-bit bitmap with a colour, an 8 x 8 pattern
// or a hatch, combined with the destination by a pen mode. Rows are
// reached through ScanLine and each run is done in one go: memcpy of a
// prepared row where the mode ignores the destination, a lookup table per
// channel or bit operations otherwise.
#include <cstdint>

#include "core/Canvas.h"
#include "core/Spans.h"

namespace kroma {

struct TPaint {
  enum Kind { None, Solid, Pattern, Hatch };
  Kind kind = None;
  TColor color = clBlack;            // plain colour for Solid and Hatch
  const TBitmap* pattern = nullptr;  // 8 x 8 pf24bit for Pattern
  TBrushStyle hatch = bsSolid;       // the hatch style for Hatch
};

TPaint SolidPaint(TColor color);
// What the brush paints: nothing (bsClear), its colour, its pattern, or hatch lines.
TPaint BrushPaint(const TBrush& brush);

// The hatch lines of one 8-pixel row of a hatch style: bit i is pixel x
// with x mod 8 == i, for rows y with y mod 8 == row.
std::uint8_t HatchRowBits(TBrushStyle style, int row);

// Truth table of a pen mode: bit (2p + d) is the result for pen bit p and
// destination bit d.
unsigned PenModeTable(TPenMode mode);

// Paints the spans (inside the bitmap, which is pf24bit) with `paint`
// combined by `mode`; hatch gaps and None leave pixels alone.
void PaintSpans(TBitmap& bitmap, const TSpanSet& spans, const TPaint& paint, TPenMode mode);

// The paint as the pattern operand of a copy, for `count` pixels from
// (x, y): blue, green, red per pixel. Where the paint leaves pixels alone
// (None, hatch gaps) the operand is white.
void PaintOperandRow(const TPaint& paint, int x, int y, int count, std::uint8_t* bgr);
// Whether the paint writes pixel (x, y) at all.
bool PaintCovers(const TPaint& paint, int x, int y);

}  // namespace kroma
