#pragma once
// Glyph outlines as contours of lines and curves in pixels. Used by the
// text layer only; callers hold the font engine lock.
#include <vector>

#include "core/Text.h"

struct FT_Outline_;

namespace kroma {

struct TScaledFont;

// Turns a FreeType outline into closed contours, scaling every coordinate
// by `scale`. Consecutive conic control points imply an on-curve point
// midway; a contour may start on a control point. Contours without a
// segment are dropped, and so is a contour that begins on a cubic control
// point (FreeType rejects those too).
std::vector<TOutlineContour> OutlineContours(const FT_Outline_& outline, double scale);

enum class TGlyphLoad {
  Exact,       // unhinted, from font units: paths and outline tools
  Hinted,      // grid-fitted at the em, for anti-aliased rendering
  HintedMono,  // grid-fitted for aliased rendering
};

// A glyph's contours in pixels, y up from the baseline at the pen, with
// synthetic bold and italic applied. Empty when the glyph has no outline
// or cannot be loaded. The hinted forms are meant for ems up to
// kMaxHintedEm.
constexpr int kMaxHintedEm = 1024;
std::vector<TOutlineContour> LoadGlyphContours(const TScaledFont& font, unsigned glyph, TGlyphLoad load);

}  // namespace kroma
