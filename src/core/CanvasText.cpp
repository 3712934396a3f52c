// Text on the canvas, on top of core/Text.h: an opaque background for a
// bsSolid brush, then the glyph coverage blended with the font colour;
// inside a path, the glyph outlines become figures of the path.
#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "core/Canvas.h"
#include "core/CanvasImpl.h"
#include "core/CanvasPaint.h"
#include "core/Numeric.h"
#include "core/RasterPolygon.h"
#include "core/Text.h"

namespace kroma {

namespace {

int SaturateInt(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Blends coverage a (0..255) of colour fg over bg: (a fg + (255 - a) bg + 127) / 255.
std::uint8_t Blend(unsigned a, unsigned fg, unsigned bg) { return static_cast<std::uint8_t>((a * fg + (255 - a) * bg + 127) / 255); }

}  // namespace

namespace {

// Draws one line of text with its origin at (x, y), restricted to `limit`
// when given; with a bsSolid brush the cell (or `limit` itself when
// fillLimit) is painted first.
TRect DrawTextLine(TCanvas& canvas, std::int64_t x, std::int64_t y, std::string_view text, const TRect* limit,
                   bool fillLimit) {
  TRect window = TCanvas::Impl::BeginDraw(canvas);
  if (limit) window = Intersect(window, *limit);
  if (window.IsEmpty()) return {};
  TBitmap& bitmap = canvas.Bitmap();
  TRect changed;
  if (canvas.Brush.Style() == bsSolid) {
    TSpanSet background;
    if (fillLimit) {
      background = TSpanSet(window);
    } else {
      std::vector<TPointF> cell;
      for (TPoint p : TextCellPolygon(canvas.Font, text))
        cell.push_back({static_cast<double>(x + p.x), static_cast<double>(y + p.y)});
      background = ScanConvert(cell, fmAlternate, {0, 0}, window);
    }
    background = TCanvas::Impl::Clipped(canvas, std::move(background));
    PaintSpans(bitmap, background, SolidPaint(canvas.Brush.Color()), pmCopy);
    changed = background.Bounds();
  }
  // The coverage, rendered for the visible window only (relative to the origin).
  const TRect relative{SaturateInt(window.Left - x), SaturateInt(window.Top - y), SaturateInt(window.Right - x),
                       SaturateInt(window.Bottom - y)};
  const TTextMask mask = RenderTextMask(canvas.Font, text, relative);
  if (!mask.Bounds.IsEmpty()) {
    const std::int64_t mx = x + mask.Bounds.Left, my = y + mask.Bounds.Top, mw = mask.Bounds.Width();
    const TRect area = Intersect(window, {SaturateInt(mx), SaturateInt(my), SaturateInt(mx + mw),
                                          SaturateInt(my + mask.Bounds.Height())});
    const TSpanSet pixels = TCanvas::Impl::Clipped(canvas, TSpanSet(area));
    const TColor fg = ColorToRGB(canvas.Font.Color);
    const unsigned fb = GetBValue(fg), fgG = GetGValue(fg), fr = GetRValue(fg);
    TRect inked;
    for (const TSpan& s : pixels.Spans()) {
      const std::uint8_t* alpha = mask.Alpha.data() + (s.y - my) * mw;
      std::uint8_t* p = bitmap.ScanLine(s.y) + std::int64_t{s.x0} * 3;
      for (int px = s.x0; px < s.x1; ++px, p += 3) {
        const unsigned a = alpha[px - mx];
        if (a == 0) continue;
        p[0] = Blend(a, fb, p[0]);
        p[1] = Blend(a, fgG, p[1]);
        p[2] = Blend(a, fr, p[2]);
        inked = Union(inked, {px, s.y, px + 1, s.y + 1});
      }
    }
    changed = Union(changed, inked);
  }
  return TCanvas::Impl::Record(canvas, changed);
}

// Splits text into the lines TextBox lays out.
std::vector<std::string> BoxLines(const TFont& font, std::string_view text, std::int64_t width, TTextFormats format) {
  std::string clean;
  for (char c : text) {
    if (c == '\r') continue;
    clean.push_back((c == '\n' && (format & tfSingleLine)) ? ' ' : c);
  }
  std::vector<std::string> paragraphs;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= clean.size(); ++i) {
    if (i == clean.size() || clean[i] == '\n') {
      paragraphs.push_back(clean.substr(start, i - start));
      start = i + 1;
    }
  }
  if (!(format & tfWordBreak)) return paragraphs;
  std::vector<std::string> lines;
  for (const std::string& para : paragraphs) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < para.size()) {
      while (i < para.size() && para[i] == ' ') ++i;
      std::size_t j = i;
      while (j < para.size() && para[j] != ' ') ++j;
      if (j > i) words.push_back(para.substr(i, j - i));
      i = j;
    }
    std::string line;
    for (const std::string& word : words) {
      std::string candidate = line.empty() ? word : line + " " + word;
      if (!line.empty() && TextAdvance(font, candidate) > width) {
        lines.push_back(line);
        line = word;  // a word wider than the box stays whole on its own line
      } else {
        line = std::move(candidate);
      }
    }
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

TRect TCanvas::TextOut(int x, int y, std::string_view utf8) {
  if (impl_->inPath) {
    for (const auto& contour : TextPathContours(Font, utf8)) {
      std::vector<TPointF> points;
      for (const auto& [px, py] : contour) points.push_back({px + x, py + y});
      Impl::PathFigure(*this, std::move(points), true);
    }
    return {};
  }
  return DrawTextLine(*this, x, y, utf8, nullptr, false);
}

TRect TCanvas::TextRect(const TRect& clip, int x, int y, std::string_view utf8) {
  return DrawTextLine(*this, x, y, utf8, &clip, true);
}

int TCanvas::TextWidth(std::string_view utf8) { return TextAdvance(Font, utf8); }

int TCanvas::TextHeight(std::string_view) { return GetFontMetrics(Font).Height; }

TRect TCanvas::TextBox(TRect& box, std::string_view utf8, TTextFormats format) {
  const std::int64_t lineHeight = GetFontMetrics(Font).Height;
  const std::vector<std::string> lines = BoxLines(Font, utf8, box.Width(), format);
  std::vector<std::int64_t> widths;
  std::int64_t widest = 0;
  for (const std::string& line : lines) {
    widths.push_back(line.empty() ? 0 : TextAdvance(Font, line));
    widest = std::max(widest, widths.back());
  }
  const std::int64_t total = lineHeight * static_cast<std::int64_t>(lines.size());
  if (format & tfCalcRect) {
    box.Right = SaturateInt(box.Left + widest);
    box.Bottom = SaturateInt(box.Top + total);
    return {};
  }
  std::int64_t top = box.Top;
  if (format & tfBottom) top = box.Bottom - total;
  else if (format & tfVCenter) top = box.Top + (box.Height() - total) / 2;
  const TRect* limit = (format & tfNoClip) ? nullptr : &box;
  TRect changed;
  for (std::size_t i = 0; i < lines.size(); ++i, top += lineHeight) {
    if (lines[i].empty()) continue;
    std::int64_t left = box.Left;
    if (format & tfRight) left = box.Right - widths[i];
    else if (format & tfCenter) left = box.Left + (box.Width() - widths[i]) / 2;
    changed = Union(changed, DrawTextLine(*this, left, top, lines[i], limit, false));
  }
  return changed;
}

}  // namespace kroma
