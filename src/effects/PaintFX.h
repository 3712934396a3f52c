#pragma once
// TkelPaintFX: the image effects of the main window, the effects dialog and
// the effect brushes: tone and colour, noise, blurs, channel filters,
// patterns, borders and buttons, fractals, and the geometric warps. It
// keeps no state: the class only groups the routines, which take bitmaps
// and numbers. Routines that are the same as a plain filter (FxContrast,
// FxBlur, ...) call that filter.
//
// In-place routines take one bitmap; "source, target" routines write a
// second bitmap that the caller made (of the source's size unless a
// routine says otherwise). Every routine works on 24-bit rows: bitmaps in
// other formats are converted first. Geometric routines compute in single
// precision unless they say otherwise; "Round" is ties to even and every
// real that becomes a pixel position goes through the checked conversions
// of core/Numeric.h. No routine reads or writes outside its bitmaps, for
// any size (1 x 1 included) and any number: where a formula would divide by
// zero or leave the picture, the routine says what it does instead.
#include <cstdint>

#include "core/Types.h"

namespace kroma {

class TBitmap;

// hi when v > hi, lo when v < lo, else v.
constexpr int TrimInt(int v, int lo, int hi) { return v > hi ? hi : (v < lo ? lo : v); }

// The 16 standard colours by index (0 black, 1 navy, 2 green, 3 aqua,
// 4 red, 5 purple, 6 maroon, 7 silver, 8 gray, 9 blue, 10 lime, 11 olive,
// 12 fuchsia, 13 teal, 14 yellow), white for any other index.
TColor VgaColor(int index);

class TkelPaintFX {
 public:
  // ---- Tone and colour (in place) ----
  // Per pixel three draws Random(a), blue, green, red; each channel becomes
  // ClampByte(r + v - a div 2). a <= 1 changes nothing.
  static void AddColorNoise(TBitmap& bitmap, int amount);
  // Per pixel one n = Random(a) - a div 2; each channel ClampByte(v + n).
  static void AddMonoNoise(TBitmap& bitmap, int amount);
  static void AntiAlias(TBitmap& bitmap);                                   // FxAntiAlias
  static void AntiAliasRect(TBitmap& bitmap, int x1, int y1, int x2, int y2);  // FxAntiAliasRect
  static void Contrast(TBitmap& bitmap, int amount);    // FxContrast
  static void Lightness(TBitmap& bitmap, int amount);   // FxLighter (a negative amount darkens)
  static void Darkness(TBitmap& bitmap, int amount);    // FxDarker
  static void Saturation(TBitmap& bitmap, int amount);  // FxSaturation
  static void GaussianBlur(TBitmap& bitmap, int passes);  // FxBlur
  static void SplitBlur(TBitmap& bitmap, int distance);   // FxSplitBlur (a negative distance is an Error)
  static void Emboss(TBitmap& bitmap);                    // FxEmboss
  // Channel filters, bounds both exclusive: the tested channel becomes 255
  // when low < v < high, else 0. FilterRed tests red and clears blue and
  // green (and so on); the X forms rewrite only their channel.
  static void FilterRed(TBitmap& bitmap, int low, int high);
  static void FilterGreen(TBitmap& bitmap, int low, int high);
  static void FilterBlue(TBitmap& bitmap, int low, int high);
  static void FilterXRed(TBitmap& bitmap, int low, int high);
  static void FilterXGreen(TBitmap& bitmap, int low, int high);
  static void FilterXBlue(TBitmap& bitmap, int low, int high);
  // target := the source's size; per channel Round((1 - f) source + f second),
  // clamped to 0 .. 255 (a factor outside 0 .. 1 leaves the byte range).
  // A second bitmap of another size, or a factor that is not finite, is an
  // Error and changes nothing.
  static void Blend(const TBitmap& source, const TBitmap& second, double factor, TBitmap& target);
  static void Solarize(const TBitmap& source, TBitmap& target, int threshold);  // FxSolarize
  static void Posterize(const TBitmap& source, TBitmap& target, int step);      // FxPosterize
  // Pixels equal to the colour stay and all others become black (KeepColor),
  // or the other way round (DropColor); then the bitmap is transparent with
  // black as its fixed transparent colour.
  static void KeepColor(TBitmap& bitmap, TColor color);
  static void DropColor(TBitmap& bitmap, TColor color);

  // ---- Patterns (in place unless stated) ----
  // s x s blocks from the top-left take the colour of their top-left pixel;
  // s <= 1 changes nothing.
  static void Mosaic(TBitmap& bitmap, int size);
  static void Triangles(TBitmap& bitmap, int size);
  // The image stretched into a b x b tile, b = min(width div 2, height
  // div 2, size), drawn over the image at steps of b (Tile) or Round(2b / 3)
  // (Overlap). b < 1 (an image 1 pixel wide or high) changes nothing. The
  // tile is the whole image scaled, also where the image is transparent.
  static void TexturizeTile(TBitmap& bitmap, int size);
  static void TexturizeOverlap(TBitmap& bitmap, int size);
  // A quarter turn clockwise: target := height x width.
  static void RotateRight(const TBitmap& source, TBitmap& target);

  // ---- Borders and buttons (in place) ----
  // depth is clamped to 0 .. 255 and to what the image holds (at most
  // width - 1 and height - 1); 0 changes nothing.
  static void SeamlessEdges(TBitmap& bitmap, int depth);
  static void Buttonize(TBitmap& bitmap, int depth, int amount);
  // rings are clamped to 0 .. 255, and 0 changes nothing. After the
  // shading every interior pixel is smoothed as by AntiAlias.
  static void ButtonRound(TBitmap& bitmap, int rings, int strength);
  // Every pixel outside the ellipse inscribed in the bitmap becomes the colour.
  static void ButtonOval(TBitmap& bitmap, TColor color);

  // ---- Fractals ----
  // depth n = max(n, 16), at most 65536 (the work per pixel stays
  // bounded); the view from (x0, y0) at pixel (0, 0) to (x1, y1); colour
  // VgaColor(Round((j - 1) / (n / 16))) for an orbit that escapes after j
  // steps (white for the index 16 that j = n can give), black for one that
  // does not. Double precision.
  static void MandelJulia(TBitmap& bitmap, int depth, bool mandelbrot, double y1, double x1, double y0, double x0);

  // ---- Warps ----
  static void FishEye(const TBitmap& source, TBitmap& target, double factor);  // FxFishEye
  static void Twist(const TBitmap& source, TBitmap& target, int amount);      // FxTwist
  // Turns the source by `angle` degrees about (cx, cy) into the target
  // (double precision, bilinear); target pixels whose position falls off
  // the source (its nearest source pixel does not exist) keep their value.
  // A sample weighs the four pixels from Floor of the position on, clamped
  // into the source, so it always lies between its neighbours.
  static void SmoothRotate(const TBitmap& source, TBitmap& target, int cx, int cy, double angle);
  // Column waves, mode 0, 1 or 2 (inference: the second frequency of mode
  // 2). Amount below 1, another mode, or an image lower than 3 amount + 1
  // rows changes nothing.
  static void Wave(TBitmap& bitmap, int amount, int mode, int inference);
  // The scatter warps: the target first becomes a copy of the source; then
  // source pixels land on target positions. scale < 1 or a turbulence that
  // is 0 or not finite in single precision leaves the copy.
  static void Marble(const TBitmap& source, TBitmap& target, int scale, double turbulence);
  static void Marble2(const TBitmap& source, TBitmap& target, int scale, double turbulence);
  static void Marble3(const TBitmap& source, TBitmap& target, int scale, double turbulence);
  static void Marble4(const TBitmap& source, TBitmap& target, int scale, double turbulence);
  static void Marble5(const TBitmap& source, TBitmap& target, int scale, double turbulence);
  static void Marble6(const TBitmap& source, TBitmap& target, int scale, double turbulence);
  static void Marble7(const TBitmap& source, TBitmap& target, int scale, double turbulence);
  static void Marble8(const TBitmap& source, TBitmap& target, int scale, double turbulence);
  // Each source row stretched into a shorter span of its target row; style
  // 7 to 13. Target pixels outside the spans keep their content. The amount
  // is limited to 0 .. width div 2; a one-row image takes 0 for
  // y / (height - 1). Other styles, or a target of another size than the
  // source, change nothing.
  static void Squeeze(const TBitmap& source, TBitmap& target, int style, int amount);
  // The left and right half rows stretched toward the edges; style 14 or 15.
  // An amount of 0 or below makes the target a copy of the source; a
  // one-row image takes 0 for y / (height - 1). Other styles, or a target
  // of another size, change nothing.
  static void SplitMorph(const TBitmap& source, TBitmap& target, int style, int amount);
  // Every pixel takes the source pixel displaced by the map's blue byte.
  // turbulence is at least 10 and amount at least 5 (a NaN counts as
  // below); displacements off the picture or not finite leave the pixel. A
  // map or target of another size than the source changes nothing.
  static void Plasma(const TBitmap& source, const TBitmap& map, double turbulence, double amount, TBitmap& target);
  // Bright pixels move up by up to `amount` rows; 0 or below changes nothing.
  static void HeightMap(TBitmap& bitmap, int amount);
  // Columns pushed down by a sawtooth 0, 1, ..., height, 0, ... (Tooth) or
  // by random offsets below height (Random, which reseeds the generator
  // from the clock first). The height is limited to 0 .. height div 2 of
  // the image (a negative one is 0).
  static void RippleTooth(TBitmap& bitmap, int height);
  static void RippleRandom(TBitmap& bitmap, int height);
};

// Two effects of the effects dialog that are the main window's own.
// SplitLightTable()[i] = Round(255 sin(i / 255 pi / 2)), ties to even;
// SplitLight(n) maps every byte through it n times (n from 1 to 10 in the
// dialog; below 1 changes nothing; any larger count works and costs no
// more than 256 rounds of the table, where the repeated map settles).
const std::uint8_t* SplitLightTable();
void SplitLight(TBitmap& bitmap, int times);
// Into a new bitmap of the same size (white where nothing lands), each
// pixel (x, y) moves to column Round(W / (s H + W) (Round(s y) + x)),
// s = amount / 100; the result replaces the bitmap. Rows slide right the
// further down they are, compressed so that the widest row still fits.
// Single precision. Pixels whose column falls outside the row (negative
// amounts, the last row of a tall image) are dropped, and a denominator
// s H + W <= 0 changes nothing.
void ShearRows(TBitmap& bitmap, int amount);

}  // namespace kroma
