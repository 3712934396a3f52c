#pragma once
// A resolved face at the pixel size of a TFont: the numbers every text
// routine needs. Used by the text layer only; callers hold the font
// engine lock.
#include <cstdint>

namespace kroma {

struct TFont;
struct TFontFace;

// Ems above this many pixels are drawn at this size: beyond it every
// glyph is far larger than any image the program accepts.
constexpr int kMaxEmPixels = 1 << 20;

// The em in pixels of a font: |Size| * 96 / 72, at least 1.
int EmPixels(const TFont& font);

// A horizontal bar of the text cell (underline, strike-out): rows
// top .. top + thickness - 1, counted down from the top of the cell.
struct TTextBar {
  int top = 0;
  int thickness = 1;
};

struct TScaledFont {
  const TFontFace* face = nullptr;
  int em = 1;
  double scale = 0;  // pixels per font unit
  int ascent = 0;
  int descent = 0;
  int aveCharWidth = 0;
  TTextBar underline;
  TTextBar strikeOut;
  double boldStrength = 0;  // pixels added around outlines by synthetic bold
  int boldAdvance = 0;      // whole pixels it adds to every advance
  double italicShear = 0;   // x += shear * y (y up) for synthetic italic
};

TScaledFont ScaleFont(const TFont& font);

// The advance of a glyph in whole pixels (ties to even), synthetic bold
// included; kerning plays no part.
int GlyphAdvance(const TScaledFont& font, unsigned glyph);
// The same before rounding.
double GlyphAdvanceExact(const TScaledFont& font, unsigned glyph);

}  // namespace kroma
