// Every drawing call over one table of figures: pmNotXor twice restores the
// image, each pixel is written once per call, and the returned rectangle
// holds every changed pixel.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/Canvas.h"

#include "ImageTestUtil.h"

namespace kroma {
namespace {

using namespace testutil;

TBitmap Background(int w, int h) {
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, RGB(x * 7, y * 13, x * y + 40));
  return b;
}



struct FigureCase {
  std::string name;
  int width;
  TPenStyle style;
  TBrushStyle brush;
  std::function<TRect(TCanvas&)> draw;
  bool pattern = false;  // use an 8 x 8 pattern brush
};

std::vector<FigureCase> Figures() {
  auto line = [](TPoint a, TPoint b) {
    return [a, b](TCanvas& c) {
      c.MoveTo(a.x, a.y);
      return c.LineTo(b.x, b.y);
    };
  };
  const std::vector<TPoint> bowtie{{3, 3}, {40, 30}, {40, 3}, {3, 30}, {20, 1}};
  const std::vector<TPoint> crossing{{2, 20}, {40, 5}, {30, 33}, {10, 2}, {25, 25}};
  const std::vector<TPoint> curve{{2, 30}, {10, -5}, {40, 50}, {38, 3}, {30, 10}, {5, 20}, {20, 34}};
  auto poly = [](std::vector<TPoint> pts, bool closed) {
    return [pts, closed](TCanvas& c) { return closed ? c.Polygon(pts) : c.Polyline(pts); };
  };
  return {
      {"line w1", 1, psSolid, bsSolid, line({3, 4}, {37, 21})},
      {"steep line w3", 3, psSolid, bsSolid, line({30, 2}, {22, 33})},
      {"line w4", 4, psSolid, bsSolid, line({2, 30}, {40, 8})},
      {"line w10", 10, psSolid, bsSolid, line({8, 8}, {30, 25})},
      {"dotted line with opaque gaps", 1, psDot, bsSolid, line({40, 2}, {1, 30})},
      {"dotted line", 1, psDot, bsClear, line({1, 2}, {40, 30})},
      {"dash-dot polyline", 1, psDashDot, bsSolid, poly(crossing, false)},
      {"rectangle", 1, psSolid, bsSolid, [](TCanvas& c) { return c.Rectangle(3, 4, 35, 30); }},
      {"rectangle w5 inside frame", 5, psInsideFrame, bsSolid, [](TCanvas& c) { return c.Rectangle(3, 4, 35, 30); }},
      {"dotted rectangle", 1, psDot, bsSolid, [](TCanvas& c) { return c.Rectangle(35, 30, 3, 4); }},
      {"ellipse", 1, psSolid, bsSolid, [](TCanvas& c) { return c.Ellipse(2, 3, 39, 31); }},
      {"ellipse w5", 5, psSolid, bsSolid, [](TCanvas& c) { return c.Ellipse(2, 3, 39, 31); }},
      {"dashed ellipse", 1, psDash, bsSolid, [](TCanvas& c) { return c.Ellipse(2, 3, 39, 31); }},
      {"round rect", 1, psSolid, bsSolid, [](TCanvas& c) { return c.RoundRect(2, 3, 39, 31, 15, 9); }},
      {"round rect w3", 3, psSolid, bsSolid, [](TCanvas& c) { return c.RoundRect(2, 3, 39, 31, 15, 9); }},
      {"dotted round rect", 1, psDot, bsSolid, [](TCanvas& c) { return c.RoundRect(2, 3, 39, 31, 15, 9); }},
      {"chord", 1, psSolid, bsSolid, [](TCanvas& c) { return c.Chord(2, 3, 39, 31, 40, 10, 0, 25); }},
      {"chord w6", 6, psSolid, bsSolid, [](TCanvas& c) { return c.Chord(2, 3, 39, 31, 40, 10, 0, 25); }},
      {"dotted chord", 1, psDot, bsSolid, [](TCanvas& c) { return c.Chord(2, 3, 39, 31, 0, 25, 40, 10); }},
      {"pie", 1, psSolid, bsSolid, [](TCanvas& c) { return c.Pie(2, 3, 39, 31, 40, 10, 5, 31); }},
      {"pie w4", 4, psSolid, bsSolid, [](TCanvas& c) { return c.Pie(2, 3, 39, 31, 40, 10, 5, 31); }},
      {"dash-dot-dot pie", 1, psDashDotDot, bsSolid, [](TCanvas& c) { return c.Pie(2, 3, 39, 31, 5, 31, 40, 10); }},
      {"arc", 1, psSolid, bsSolid, [](TCanvas& c) { return c.Arc(2, 3, 39, 31, 40, 10, 5, 31); }},
      {"arc w7", 7, psSolid, bsSolid, [](TCanvas& c) { return c.Arc(2, 3, 39, 31, 40, 10, 5, 31); }},
      {"self-intersecting polygon", 1, psSolid, bsSolid, poly(bowtie, true)},
      {"self-intersecting polygon w3", 3, psSolid, bsSolid, poly(bowtie, true)},
      {"poly bezier", 1, psSolid, bsSolid, [curve](TCanvas& c) { return c.PolyBezier(curve); }},
      {"poly bezier w5", 5, psSolid, bsSolid, [curve](TCanvas& c) { return c.PolyBezier(curve); }},
      {"wide polyline crossing itself", 6, psSolid, bsSolid, poly(crossing, false)},
      {"hatched rectangle", 2, psSolid, bsDiagCross, [](TCanvas& c) { return c.Rectangle(3, 4, 35, 30); }},
      {"pattern ellipse", 1, psSolid, bsSolid, [](TCanvas& c) { return c.Ellipse(2, 3, 39, 31); }, true},
      {"stroked and filled path", 3, psSolid, bsSolid,
       [bowtie](TCanvas& c) {
         c.BeginPath();
         c.Polygon(bowtie);
         c.Ellipse(10, 10, 30, 22);
         c.EndPath();
         c.PolyFillMode = fmWinding;
         return c.StrokeAndFillPath();
       }},
  };
}

void Prepare(TCanvas& c, const FigureCase& f, TColor pen, TColor brush, TPenMode mode) {
  c.Pen.Width = f.width;
  c.Pen.Style = f.style;
  c.Pen.Color = pen;
  c.Pen.Mode = mode;
  c.Brush.SetColor(brush);
  c.Brush.SetStyle(f.brush);
  if (f.pattern) {
    TBitmap p(2, 2);
    p.SetPixel(0, 0, pen);
    p.SetPixel(1, 1, brush == clBlack ? clNavy : RGB(1, 2, 3));
    p.SetPixel(1, 0, brush);
    p.SetPixel(0, 1, brush);
    c.Brush.SetBitmap(&p);
  }
}

TEST(CanvasFigures, NotXorTwiceRestoresEveryPixel) {
  for (const FigureCase& f : Figures()) {
    SCOPED_TRACE(f.name);
    TBitmap image = Background(42, 35);
    const TBitmap before = image;
    Prepare(image.Canvas(), f, RGB(200, 30, 90), RGB(10, 180, 60), pmNotXor);
    f.draw(image.Canvas());
    EXPECT_FALSE(SameImage(image, before));
    f.draw(image.Canvas());
    EXPECT_TRUE(SameImage(image, before));
  }
}

TEST(CanvasFigures, EachPixelIsWrittenOncePerCall) {
  // pmNot turns white black once; a pixel written twice would be white again.
  for (const FigureCase& f : Figures()) {
    SCOPED_TRACE(f.name);
    TBitmap painted(42, 35), inverted(42, 35);
    Prepare(painted.Canvas(), f, clBlack, clBlack, pmCopy);
    f.draw(painted.Canvas());
    Prepare(inverted.Canvas(), f, clBlack, clBlack, pmNot);
    f.draw(inverted.Canvas());
    for (int y = 0; y < 35; ++y)
      for (int x = 0; x < 42; ++x)
        ASSERT_EQ(inverted.GetPixel(x, y) != clWhite, painted.GetPixel(x, y) != clWhite) << x << "," << y;
  }
}

TEST(CanvasFigures, ReturnedAndChangedRectanglesHoldEveryChangedPixel) {
  for (const FigureCase& f : Figures()) {
    SCOPED_TRACE(f.name);
    TBitmap image = Background(42, 35);
    const TBitmap before = image;
    TCanvas& c = image.Canvas();
    Prepare(c, f, clRed, clBlue, pmCopy);
    c.ResetChanged();
    const TRect returned = f.draw(c);
    const TRect diff = DiffBounds(before, image);
    EXPECT_FALSE(diff.IsEmpty());
    EXPECT_TRUE(Holds(returned, diff)) << returned.Left << "," << returned.Top << "," << returned.Right << ","
                                       << returned.Bottom;
    EXPECT_TRUE(Holds(image.BoundsRect(), returned));
    EXPECT_TRUE(Holds(c.Changed(), returned));
  }
}

TEST(CanvasFigures, TinyImagesStayInBounds) {
  for (auto [w, h] : {std::pair{1, 1}, std::pair{1, 6}, std::pair{6, 1}}) {
    for (const FigureCase& f : Figures()) {
      SCOPED_TRACE(f.name + " on " + std::to_string(w) + "x" + std::to_string(h));
      TBitmap image(w, h);
      const TBitmap before = image;
      Prepare(image.Canvas(), f, clRed, clBlue, pmXor);
      const TRect returned = f.draw(image.Canvas());
      EXPECT_TRUE(Holds(image.BoundsRect(), returned));
      EXPECT_TRUE(Holds(returned, DiffBounds(before, image)));
      image.Canvas().FloodFill(0, 0, clWhite, fsSurface);
      image.Canvas().CopyRect(Rect(0, 0, w, h), image, Rect(w, h, -1, -1));
    }
  }
}

}  // namespace
}  // namespace kroma
