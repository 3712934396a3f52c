// Coordinates anywhere in the int range, huge pens, and clip regions: the
// visible part is exactly right (and only it is computed, so these finish
// at once).
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "core/Canvas.h"

namespace kroma {
namespace {

// Checks every pixel against a predicate giving its expected colour.
void ExpectPixels(const TBitmap& b, const std::function<TColor(int, int)>& expect) {
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) ASSERT_EQ(b.GetPixel(x, y), expect(x, y)) << x << "," << y;
}

TBitmap Canvas(int w, int h) {
  TBitmap b(w, h);
  b.Canvas().Brush.SetColor(clRed);
  return b;
}

TEST(CanvasClipping, LinesAcrossTheWholeIntRange) {
  TBitmap b = Canvas(40, 30);
  TCanvas& c = b.Canvas();
  c.MoveTo(INT_MIN, INT_MIN);
  c.LineTo(INT_MAX, INT_MAX);  // exactly the diagonal
  ExpectPixels(b, [](int x, int y) { return x == y ? clBlack : clWhite; });

  TBitmap flat = Canvas(40, 30);
  flat.Canvas().MoveTo(INT_MIN, 10);
  flat.Canvas().LineTo(INT_MAX, 12);  // crosses y = 11 near x = 0 and rounds to row 11 all the way
  ExpectPixels(flat, [](int, int y) { return y == 11 ? clBlack : clWhite; });

  TBitmap wide = Canvas(40, 30);
  wide.Canvas().Pen.Width = 3;
  wide.Canvas().MoveTo(INT_MAX, 20);
  wide.Canvas().LineTo(INT_MIN, 20);
  ExpectPixels(wide, [](int, int y) { return y >= 19 && y <= 21 ? clBlack : clWhite; });
}

TEST(CanvasClipping, HugeFiguresShowTheirVisiblePart) {
  TBitmap b = Canvas(40, 30);
  TCanvas& c = b.Canvas();
  // Inside an ellipse of the whole int range only the fill is visible.
  EXPECT_EQ(c.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX), b.BoundsRect());
  ExpectPixels(b, [](int, int) { return clRed; });

  // A flat ellipse reaching far left and right: rows 0 and 19 are its
  // outline, the rows between its fill.
  TBitmap flat = Canvas(40, 30);
  flat.Canvas().Ellipse(INT_MIN, 0, INT_MAX, 20);
  ExpectPixels(flat, [](int, int y) { return y >= 20 ? clWhite : (y == 0 || y == 19) ? clBlack : clRed; });

  // Triangle of the lower-left half: the diagonal is its outline.
  TBitmap tri = Canvas(40, 30);
  const TPoint pts[] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MAX}};
  tri.Canvas().Polygon(pts);
  ExpectPixels(tri, [](int x, int y) { return y == x ? clBlack : y > x ? clRed : clWhite; });

  TBitmap far = Canvas(40, 30);
  EXPECT_TRUE(far.Canvas().Rectangle(-900000000, 5, -800000000, 9).IsEmpty());
  EXPECT_TRUE(far.Canvas().RoundRect(100000000, INT_MIN, INT_MAX, INT_MAX, 1000, 1000).IsEmpty());
  // The centre is (-1/2, -1/2): the upper-right quarter misses the image,
  // the lower half holds it, with its top row on the pie's straight edge.
  EXPECT_TRUE(far.Canvas().Pie(INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MAX, 0, 0, INT_MIN).IsEmpty());
  far.Canvas().Pie(INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MIN, 0, INT_MAX, 0);
  ExpectPixels(far, [](int, int y) { return y == 0 ? clBlack : clRed; });
}

TEST(CanvasClipping, MillionPixelPens) {
  for (int style : {psSolid, psInsideFrame}) {
    TBitmap b = Canvas(40, 30);
    TCanvas& c = b.Canvas();
    c.Pen.Width = 1000000;
    c.Pen.Style = static_cast<TPenStyle>(style);
    c.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);  // the image lies deep inside the fill
    ExpectPixels(b, [](int, int) { return clRed; });
    c.Rectangle(10, 10, 20, 20);  // the pen covers everything (inside frame: just the box)
    ExpectPixels(b, [style](int x, int y) {
      return style == psSolid || (x >= 10 && x < 20 && y >= 10 && y < 20) ? clBlack : clRed;
    });
  }
  TBitmap line = Canvas(40, 30);
  line.Canvas().Pen.Width = 1000000;
  line.Canvas().MoveTo(-1000000000, 1000000000);
  line.Canvas().LineTo(1000000000, -1000000000);
  ExpectPixels(line, [](int, int) { return clBlack; });
  // A circle of radius 2e6 whose right end is at x = 0: its ring of width
  // 1e6 covers the image where the arc passes and nowhere else.
  TBitmap arc = Canvas(40, 30);
  TCanvas& a = arc.Canvas();
  a.Pen.Width = 1000000;
  a.Arc(-4000000, 15 - 2000000, 0, 15 + 2000000, 0, 15 - 400000, 0, 15 + 400000);  // the part away from x = 0
  ExpectPixels(arc, [](int, int) { return clWhite; });
  a.Arc(-4000000, 15 - 2000000, 0, 15 + 2000000, 0, 15 + 400000, 0, 15 - 400000);
  ExpectPixels(arc, [](int, int) { return clBlack; });
}

TEST(CanvasClipping, ClipRegionLimitsEveryCall) {
  TBitmap b = Canvas(30, 20);
  TCanvas& c = b.Canvas();
  const TRegion clip = TRegion::Combine(TRegion::Ellipse(Rect(0, 0, 30, 20)), TRegion::Rect(Rect(10, 5, 20, 15)), rgnDiff);
  c.SetClipRegion(clip);
  const TSpanSet allowed = clip.Rasterize(b.BoundsRect());
  c.Pen.Width = 3;
  c.Rectangle(-5, -5, 35, 25);
  c.MoveTo(0, 0);
  c.LineTo(30, 20);
  c.FillRect(Rect(0, 0, 30, 20));
  c.SetPixel(15, 10, clBlue);  // inside the hole: nothing
  TBitmap src(30, 20);
  src.Fill(clLime);
  c.CopyRect(Rect(0, 0, 30, 20), src, Rect(0, 0, 30, 20));
  ExpectPixels(b, [&](int x, int y) { return allowed.Contains(x, y) ? clLime : clWhite; });
  c.FloodFill(15, 10, clWhite, fsSurface);  // the hole is white but cannot be painted
  EXPECT_EQ(b.GetPixel(15, 10), clWhite);

  // The cached clip follows the bitmap's size.
  b.SetSize(40, 20);
  c.FillRect(Rect(0, 0, 40, 20));
  EXPECT_EQ(b.GetPixel(35, 10), clWhite);  // outside the ellipse
  c.SetClipRegion(std::nullopt);
  c.FillRect(Rect(0, 0, 40, 20));
  EXPECT_EQ(b.GetPixel(35, 10), clRed);
}

TEST(CanvasClipping, ExtremeValuesStayInsideTheImage) {
  const int big[] = {INT_MIN, INT_MIN + 1, -1, 0, 7, INT_MAX - 1, INT_MAX};
  TBitmap source(5, 4);
  for (int width : {INT_MAX, 2, 1, -5}) {
    TBitmap b(12, 9);
    TCanvas& c = b.Canvas();
    c.Pen.Width = width;
    c.Pen.Style = width == 1 ? psDashDot : psInsideFrame;
    for (int v : big)
      for (int w : big) {
        const TPoint pts[] = {{v, w}, {w, v}, {v, v}, {w, w}, {0, v}, {w, 0}, {v, 3}};
        const TRect calls[] = {
            c.Rectangle(v, w, w, v),
            c.RoundRect(v, 0, w, 9, v, w),
            c.Ellipse(v, w, 6, 6),
            c.Arc(v, v, w, w, v, 0, 0, w),
            c.Chord(v, 1, w, 8, w, v, v, w),
            c.Pie(v, v, w, w, 3, 3, v, w),
            c.Polygon(pts),
            c.PolyBezier(pts),
            c.FillRect(Rect(v, v, w, w)),
            c.FrameRect(Rect(v, w, w, w)),
            c.CopyRect(Rect(v, w, w, v), source, Rect(w, v, v, w)),
            c.StretchDraw(Rect(w, w, v, v), source),
            c.Draw(v, w, source),
        };
        c.MoveTo(v, w);
        const TRect line = c.LineTo(w, v);
        for (const TRect& r : calls) ASSERT_TRUE(r.IsEmpty() || Intersect(r, b.BoundsRect()) == r);
        ASSERT_TRUE(line.IsEmpty() || Intersect(line, b.BoundsRect()) == line);
      }
  }
}

}  // namespace
}  // namespace kroma
