#include "core/FontMetrics.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstdlib>

#include "core/Canvas.h"
#include "core/FontFace.h"
#include "core/Numeric.h"
#include "core/Text.h"

namespace kroma {
namespace {

// Synthetic italic leans by about 12 degrees.
constexpr double kSyntheticShear = 0.2126;

int Px(const TScaledFont& f, double units) { return RoundToInt(units * f.scale, "font measure"); }

// A bar `centre` font units above the baseline, `thickness` units thick.
TTextBar Bar(const TScaledFont& f, double centre, double thickness) {
  TTextBar bar;
  bar.thickness = std::max(1, Px(f, thickness));
  bar.top = f.ascent - Px(f, centre) - bar.thickness / 2;
  return bar;
}

}  // namespace

int EmPixels(const TFont& font) {
  std::int64_t em = std::llabs(static_cast<long long>(font.PixelHeight()));
  return static_cast<int>(std::clamp<std::int64_t>(em, 1, kMaxEmPixels));
}

TScaledFont ScaleFont(const TFont& font) {
  TScaledFont f;
  f.face = &ResolveFace(font);
  FT_Face face = f.face->face;
  f.em = EmPixels(font);
  f.scale = static_cast<double>(f.em) / face->units_per_EM;

  // Line heights as classic desktop text has them: the OS/2 "Win" values,
  // else the horizontal header's.
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
    f.ascent = Px(f, os2->usWinAscent);
    f.descent = Px(f, os2->usWinDescent);
  } else {
    f.ascent = Px(f, face->ascender);
    f.descent = Px(f, -face->descender);
  }

  if (f.face->syntheticBold) {
    f.boldStrength = std::max(1.0, f.em / 24.0);
    f.boldAdvance = RoundToInt(f.boldStrength);
  }
  if (f.face->syntheticItalic) f.italicShear = kSyntheticShear;

  if (os2 && os2->version != 0xFFFF && os2->xAvgCharWidth > 0) {
    f.aveCharWidth = Px(f, os2->xAvgCharWidth) + f.boldAdvance;
  } else {
    f.aveCharWidth = GlyphAdvance(f, GlyphIndex(*f.face, U'x'));
  }

  // The underline from the 'post' table (FreeType gives its centre), the
  // strike-out from OS/2; faces without them get common proportions.
  double upem = face->units_per_EM;
  double lineThickness = face->underline_thickness > 0 ? face->underline_thickness : upem / 14;
  double underlineCentre = face->underline_thickness > 0 ? face->underline_position : -upem / 9;
  f.underline = Bar(f, underlineCentre, lineThickness);
  if (os2 && os2->version != 0xFFFF && os2->yStrikeoutSize > 0) {
    // yStrikeoutPosition is the top of the stroke.
    f.strikeOut = Bar(f, os2->yStrikeoutPosition - os2->yStrikeoutSize / 2.0, os2->yStrikeoutSize);
  } else {
    f.strikeOut = Bar(f, upem * 0.26, lineThickness);
  }
  return f;
}

double GlyphAdvanceExact(const TScaledFont& f, unsigned glyph) {
  FT_Fixed units = 0;
  if (FT_Get_Advance(f.face->face, glyph, FT_LOAD_NO_SCALE, &units) != 0) return 0;
  return units * f.scale + (f.face->syntheticBold ? f.boldStrength : 0);
}

int GlyphAdvance(const TScaledFont& f, unsigned glyph) {
  FT_Fixed units = 0;
  if (FT_Get_Advance(f.face->face, glyph, FT_LOAD_NO_SCALE, &units) != 0) return 0;
  return Px(f, static_cast<double>(units)) + f.boldAdvance;
}

TFontMetrics GetFontMetrics(const TFont& font) {
  auto lock = LockFontEngine();
  TScaledFont f = ScaleFont(font);
  TFontMetrics m;
  m.Ascent = f.ascent;
  m.Descent = f.descent;
  m.Height = f.ascent + f.descent;
  m.InternalLeading = m.Height - f.em;
  m.AveCharWidth = f.aveCharWidth;
  m.ResolvedFile = f.face->file;
  return m;
}

}  // namespace kroma
