#pragma once
// TCanvas: drawing on a TBitmap with a pen, a brush, a font, a copy mode and
// a pen position. Our own aliased rasteriser; the pixel rules it keeps are
// written down in docs/canvas.md and pinned by tests/core.
//
// Every drawing call clips to the bitmap (and to the clip region, if one is
// selected) before it iterates, so coordinates anywhere in the int range
// cost no more than the visible part. Within one call every pixel is
// written at most once. Every drawing call returns the rectangle of pixels
// it may have changed (empty when none) and adds it to Changed().
//
// Drawing needs a 24-bit bitmap: a bitmap in another format is converted
// to pf24bit by the first drawing call.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/Bitmap.h"
#include "core/Region.h"
#include "core/Types.h"

namespace kroma {

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// Two-operand raster operations, in their classic order (pmBlack = 0 ..
// pmNotXor = 15). P is the pen (or brush) colour, D the destination.
enum TPenMode {
  pmBlack,        // 0
  pmWhite,        // 1
  pmNop,          // D
  pmNot,          // ~D
  pmCopy,         // P
  pmNotCopy,      // ~P
  pmMergePenNot,  // P | ~D
  pmMaskPenNot,   // P & ~D
  pmMergeNotPen,  // ~P | D
  pmMaskNotPen,   // ~P & D
  pmMerge,        // P | D
  pmNotMerge,     // ~(P | D)
  pmMask,         // P & D
  pmNotMask,      // ~(P & D)
  pmXor,          // P ^ D
  pmNotXor,       // ~(P ^ D)
};
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
enum TFillStyle { fsSurface, fsBorder };

// Font styles, combined as bits.
enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;
enum TFontQuality { fqAntialiased, fqNonAntialiased };

// Three-operand raster operations (source, destination, brush pattern), as
// the classic 32-bit codes; bits 16..23 hold the truth table over
// P = 0xF0, S = 0xCC, D = 0xAA.
using TCopyMode = std::uint32_t;
constexpr TCopyMode cmBlackness = 0x00000042;
constexpr TCopyMode cmDstInvert = 0x00550009;
constexpr TCopyMode cmMergeCopy = 0x00C000CA;   // P & S
constexpr TCopyMode cmMergePaint = 0x00BB0226;  // ~S | D
constexpr TCopyMode cmNotSrcCopy = 0x00330008;
constexpr TCopyMode cmNotSrcErase = 0x001100A6;  // ~(S | D)
constexpr TCopyMode cmPatCopy = 0x00F00021;
constexpr TCopyMode cmPatInvert = 0x005A0049;
constexpr TCopyMode cmPatPaint = 0x00FB0A09;
constexpr TCopyMode cmSrcAnd = 0x008800C6;
constexpr TCopyMode cmSrcCopy = 0x00CC0020;
constexpr TCopyMode cmSrcErase = 0x00440328;  // S & ~D
constexpr TCopyMode cmSrcInvert = 0x00660046;
constexpr TCopyMode cmSrcPaint = 0x00EE0086;
constexpr TCopyMode cmWhiteness = 0x00FF0062;

struct TPen {
  TColor Color = clBlack;
  int Width = 1;  // 0 or less draws as 1
  TPenStyle Style = psSolid;
  TPenMode Mode = pmCopy;
};

class TBrush {
 public:
  TColor Color() const { return color_; }
  // Setting a colour while the style is bsClear makes the brush bsSolid.
  void SetColor(TColor color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style) { style_ = style; }
  // An 8 x 8 pattern: the brush keeps a copy of the top-left 8 x 8 pixels
  // (tiled when the bitmap is smaller). While a pattern is set, bsSolid
  // fills paint the pattern instead of the colour. nullptr removes it.
  void SetBitmap(const TBitmap* pattern);
  bool HasBitmap() const { return pattern_ != nullptr; }
  // The pattern, 8 x 8 pf24bit, or nullptr.
  const TBitmap* Bitmap() const { return pattern_.get(); }

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  std::shared_ptr<const TBitmap> pattern_;
};

struct TFont {
  std::string Name = "Arial";
  int Size = 10;                  // points at 96 dpi; pixels = Size * 96 / 72
  TFontStyles Style = 0;
  TColor Color = clBlack;
  int Escapement = 0;             // tenths of a degree, counter-clockwise
  TFontQuality Quality = fqAntialiased;
  // Em height in pixels (Size * 96 / 72, rounded); setting it changes Size.
  int PixelHeight() const;
  void SetPixelHeight(int pixels);
};

// Flags of TextBox.
enum TTextFormat : unsigned {
  tfLeft = 0,
  tfCenter = 1,
  tfRight = 2,
  tfVCenter = 4,
  tfBottom = 8,
  tfWordBreak = 16,
  tfSingleLine = 32,
  tfCalcRect = 64,    // measure only: the rectangle's Right and Bottom are set, nothing is drawn
  tfNoClip = 128,
};
using TTextFormats = unsigned;

class TCanvas {
 public:
  explicit TCanvas(TBitmap& bitmap);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TBitmap& Bitmap() { return *bitmap_; }

  TPen Pen;
  TBrush Brush;
  TFont Font;
  TCopyMode CopyMode = cmSrcCopy;
  TFillMode PolyFillMode = fmAlternate;  // for paths

  TPoint PenPos() const { return penPos_; }
  void SetPenPos(TPoint p) { penPos_ = p; }

  // Lines: the end pixel is left out; the pen position moves to the end.
  TRect MoveTo(int x, int y);
  TRect LineTo(int x, int y);
  TRect Polyline(std::span<const TPoint> points);
  // Cubic Bézier segments through 3n + 1 points (extra points are ignored).
  TRect PolyBezier(std::span<const TPoint> points);

  // Closed figures: outline with the pen, inside with the brush (unless
  // bsClear); the box's right and bottom edges are exclusive; swapped
  // corners are normalised.
  TRect Rectangle(int x1, int y1, int x2, int y2);
  TRect Rectangle(const TRect& r) { return Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  TRect RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight);
  TRect Ellipse(int x1, int y1, int x2, int y2);
  TRect Ellipse(const TRect& r) { return Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
  // Ellipse parts between the radials through (x3, y3) and (x4, y4),
  // counter-clockwise from the first.
  TRect Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  TRect Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  TRect Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  // Closed polygon, alternate fill rule.
  TRect Polygon(std::span<const TPoint> points);

  // Brush only, no pen and no pen mode. FillRect does not normalise: a
  // rectangle with Right <= Left or Bottom <= Top fills nothing.
  TRect FillRect(const TRect& r);
  // A one-pixel frame with the brush colour (nothing with bsClear); not
  // normalised either.
  TRect FrameRect(const TRect& r);
  // Fills the 4-connected area at (x, y) with the brush: fsSurface the
  // area of `color`, fsBorder everything up to `color`.
  TRect FloodFill(int x, int y, TColor color, TFillStyle style);

  // Copies src rectangle of `source` into dest rectangle of this canvas
  // with CopyMode and the brush as pattern; different sizes stretch by the
  // nearest pixel; reversed rectangles mirror. Same bitmap may overlap.
  // Source pixels outside the source bitmap are white; where the brush
  // paints nothing (bsClear, between hatch lines) the pattern is white.
  TRect CopyRect(const TRect& dest, const TBitmap& source, const TRect& src);
  TRect CopyRect(const TRect& dest, TCanvas& source, const TRect& src) {
    return CopyRect(dest, source.Bitmap(), src);
  }
  // Draws a bitmap at (x, y) with CopyMode, skipping its transparent
  // colour if it is Transparent.
  TRect Draw(int x, int y, const TBitmap& graphic);
  // Draws a bitmap scaled into a rectangle (nearest pixel); a reversed
  // rectangle mirrors; honours transparency.
  TRect StretchDraw(const TRect& dest, const TBitmap& graphic);
  // Copies source to dest (cmSrcCopy, scaled as CopyRect); source pixels of
  // `transparent` colour are painted with the brush instead (left alone
  // where the brush paints nothing).
  TRect BrushCopy(const TRect& dest, const TBitmap& source, const TRect& src, TColor transparent);

  // Text in Font at (x, y) (top-left of the text cell, rotated by the
  // font's escapement about that point). With a bsSolid brush the cell is
  // painted with the brush colour first; otherwise the background stays.
  TRect TextOut(int x, int y, std::string_view utf8);
  // Like TextOut, clipped to `clip`; with a bsSolid brush `clip` is filled.
  TRect TextRect(const TRect& clip, int x, int y, std::string_view utf8);
  int TextWidth(std::string_view utf8);
  int TextHeight(std::string_view utf8);
  // Text laid out in a box (word wrap, alignment). With tfCalcRect, `box`
  // gets the size the text needs and nothing is drawn.
  TRect TextBox(TRect& box, std::string_view utf8, TTextFormats format);

  // Pixels: outside the image reads clNone and writes nothing.
  TColor Pixel(int x, int y) const;
  TRect SetPixel(int x, int y, TColor color);

  // Paths: between BeginPath and EndPath, MoveTo, LineTo, Polyline,
  // PolyBezier, Polygon, Rectangle, Ellipse and TextOut add figures to the
  // path instead of drawing. StrokePath, FillPath (with PolyFillMode) and
  // StrokeAndFillPath use the path up (ending it if still open); with no
  // path they draw nothing.
  void BeginPath();
  void EndPath();
  void CloseFigure();
  void AbortPath();
  TRect StrokePath();
  TRect FillPath();
  TRect StrokeAndFillPath();

  // Clip region: drawing reaches only its pixels. std::nullopt removes it.
  void SetClipRegion(std::optional<TRegion> region);
  const std::optional<TRegion>& ClipRegion() const { return clipRegion_; }

  // Union of the rectangles changed since the last ResetChanged.
  TRect Changed() const { return changed_; }
  void ResetChanged() { changed_ = {}; }

  struct Impl;

 private:
  TBitmap* bitmap_;
  TPoint penPos_{};
  std::optional<TRegion> clipRegion_;
  TRect changed_{};
  std::unique_ptr<Impl> impl_;  // path under construction, cached clip spans
};

}  // namespace kroma
