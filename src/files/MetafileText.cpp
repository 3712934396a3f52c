// Text records on the metafile device: the logical font made into a canvas
// font, the reference point placed by the text alignment along the
// (escaped) baseline, the opaque rectangle and background, the clip
// rectangle, and characters placed one by one when the record gives their
// advances.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/Canvas.h"
#include "core/Error.h"
#include "core/Numeric.h"
#include "core/Text.h"
#include "core/TextEncoding.h"
#include "files/MetafileDeviceState.h"

namespace kroma {

namespace {

// Em heights beyond this are drawn this high.
constexpr double kMaxEmPixels = 4096;
// The cell height of the default font, in pixels.
constexpr double kDefaultCellPixels = 16;

double DirectionTenths(TPointF v) { return std::atan2(-v.y, v.x) * 1800 / std::numbers::pi; }

}  // namespace

void TMetafileDevice::TextOut(const TTextRun& run) {
  const TState& s = S();
  const TMfFont& f = s.font;
  const std::shared_ptr<const TSpanSet> clipBefore = s.clip;
  ApplyClip();

  // The font: its height is mapped like a y distance; a positive height is
  // the cell, a negative one the em, zero the default size.
  TFont font;
  font.Name = f.face.empty() ? "Arial" : f.face;
  font.Style = (f.weight >= gdi::kBoldWeight ? fsBold : 0u) | (f.italic ? fsItalic : 0u) |
               (f.underline ? fsUnderline : 0u) | (f.strikeOut ? fsStrikeOut : 0u);
  font.Quality = f.quality == gdi::kNonAntialiasedQuality ? fqNonAntialiased : fqAntialiased;
  font.Color = ResolveColor(s.textColor);
  const bool cell = f.height >= 0;
  double height = f.height == 0 ? kDefaultCellPixels : std::abs(static_cast<double>(f.height)) * ScaleY();
  if (!(height >= 1)) height = 1;
  height = std::min(height, kMaxEmPixels);
  try {
    if (cell) {
      TFont probe = font;
      probe.SetPixelHeight(100);
      const TFontMetrics m = GetFontMetrics(probe);
      if (m.Height > 0) height = height * probe.PixelHeight() / m.Height;
    }
    font.SetPixelHeight(std::max(1, SaturateRound(height)));
    // Escapement, turned further by a rotating world transform.
    const TXForm page = PageToDevice(s.page, pixelsPerMmX_, pixelsPerMmY_).Then(toBitmap_);
    const double turn = DirectionTenths(Full().ApplyVector({1, 0})) - DirectionTenths(page.ApplyVector({1, 0}));
    const double escapement = std::fmod(f.escapement + (std::isfinite(turn) ? turn : 0), 3600);
    font.Escapement = SaturateRound(escapement < 0 ? escapement + 3600 : escapement);
    const TFontMetrics metrics = GetFontMetrics(font);

    // Characters and their advances along the baseline, in pixels.
    std::vector<std::string> chars;
    for (char32_t c : run.text) {
      std::string u;
      AppendUtf8(u, c);
      chars.push_back(std::move(u));
    }
    std::string whole;
    for (const std::string& c : chars) whole += c;
    const bool placed = !run.dx.empty() && run.dx.size() >= chars.size();
    std::vector<double> advances;
    double width = 0;
    if (placed) {
      for (std::size_t i = 0; i < chars.size(); ++i) {
        advances.push_back(run.dx[i] * ScaleX());
        width += advances.back();
      }
    } else if (!whole.empty()) {
      width = TextAdvance(font, whole);
    }
    if (!std::isfinite(width)) width = 0;

    // The reference point and the directions along and down the text.
    const bool updateCp = s.textAlign & gdi::kTaUpdateCp;
    const TPointF ref = Full().Apply(updateCp ? s.position : run.reference);
    const double angle = font.Escapement * std::numbers::pi / 1800;
    const TPointF along{std::cos(angle), -std::sin(angle)}, down{std::sin(angle), std::cos(angle)};
    double dx = 0, dy = 0;
    switch (s.textAlign & gdi::kTaHorizontalMask) {
      case gdi::kTaRight: dx = width; break;
      case gdi::kTaCenter: dx = width / 2; break;
      default: break;
    }
    switch (s.textAlign & gdi::kTaVerticalMask) {
      case gdi::kTaBaseline: dy = metrics.Ascent; break;
      case gdi::kTaBottom: dy = metrics.Height; break;
      default: break;
    }
    const TPointF origin{ref.x - dx * along.x - dy * down.x, ref.y - dx * along.y - dy * down.y};
    if (updateCp) {
      // The current position moves to the far end of the text.
      const double move = (s.textAlign & gdi::kTaHorizontalMask) == gdi::kTaRight    ? -width
                          : (s.textAlign & gdi::kTaHorizontalMask) == gdi::kTaCenter ? 0
                                                                                      : width;
      if (const auto inverse = Full().Inverse())
        S().position = inverse->Apply({ref.x + move * along.x, ref.y + move * along.y});
    }
    auto at = [](TPointF p) { return TPoint{SaturateRound(p.x), SaturateRound(p.y)}; };

    TMfBrush background;
    background.color = s.bkColor;
    if (run.rect && (run.options & gdi::kEtoOpaque) && !inPath_) {
      const TPoint a = Device(run.rect->first), b = Device(run.rect->second);
      ApplyBrush(background);
      canvas_->FillRect(TRect{a.x, a.y, b.x, b.y}.Normalized());
    }
    if (run.options & gdi::kEtoGlyphIndex) return;  // glyph numbers of a font we do not have
    if (chars.empty()) return;

    // Clipped text draws inside the rectangle only.
    const std::shared_ptr<const TSpanSet> savedClip = clipBefore;
    if (run.rect && (run.options & gdi::kEtoClipped)) {
      TSpanSet r = RectPixels(run.rect->first, run.rect->second);
      SetClip(savedClip ? savedClip->Intersect(r) : std::move(r));
      ApplyClip();
    }
    canvas_->Font = font;
    if (s.bkMode == gdi::kOpaque && !inPath_ && width > 0) {
      const TPointF corners[] = {origin,
                                 {origin.x + width * along.x, origin.y + width * along.y},
                                 {origin.x + width * along.x + metrics.Height * down.x,
                                  origin.y + width * along.y + metrics.Height * down.y},
                                 {origin.x + metrics.Height * down.x, origin.y + metrics.Height * down.y}};
      std::vector<TPoint> cellCorners;
      for (TPointF c : corners) cellCorners.push_back(at(c));
      canvas_->Pen.Style = psClear;
      canvas_->Pen.Mode = pmCopy;
      ApplyBrush(background);
      canvas_->Polygon(cellCorners);
    }
    canvas_->Brush.SetStyle(bsClear);
    if (placed) {
      double offset = 0;
      for (std::size_t i = 0; i < chars.size(); ++i) {
        const TPoint p = at({origin.x + offset * along.x, origin.y + offset * along.y});
        canvas_->TextOut(p.x, p.y, chars[i]);
        offset += advances[i];
      }
    } else {
      const TPoint p = at(origin);
      canvas_->TextOut(p.x, p.y, whole);
    }
    S().clip = savedClip;
  } catch (const Error&) {
    // Text the font system cannot draw is left out; the drawing goes on.
    S().clip = clipBefore;
  }
}

}  // namespace kroma
