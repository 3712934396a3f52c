// Text on the canvas.
#include <gtest/gtest.h>

#include <string>

#include "core/Canvas.h"
#include "core/Text.h"

#include "ImageTestUtil.h"

namespace kroma {
namespace {

using namespace testutil;

TEST(CanvasText, TransparentTextBlendsInsideItsCell) {
  TBitmap b(200, 60);
  TCanvas& c = b.Canvas();
  c.Font.Size = 20;
  c.Brush.SetStyle(bsClear);
  const TBitmap before = b;
  const TRect returned = c.TextOut(10, 5, "Kroma Wg");
  const TRect cell{10, 5, 10 + c.TextWidth("Kroma Wg"), 5 + c.TextHeight("Kroma Wg")};
  const TRect diff = DiffBounds(before, b);
  EXPECT_FALSE(diff.IsEmpty());
  EXPECT_TRUE(Holds(returned, diff));
  EXPECT_TRUE(Holds(Rect(cell.Left - 2, cell.Top, cell.Right + 2, cell.Bottom), diff));  // small overhangs allowed
  bool partial = false;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 200; ++x) {
      const TColor p = b.GetPixel(x, y);
      ASSERT_TRUE(GetRValue(p) == GetGValue(p) && GetGValue(p) == GetBValue(p));  // black over white: greys only
      partial |= GetRValue(p) != 0 && GetRValue(p) != 255;
    }
  EXPECT_TRUE(partial);  // anti-aliased by default

  TBitmap aliased(200, 60);
  aliased.Canvas().Font.Size = 20;
  aliased.Canvas().Font.Quality = fqNonAntialiased;
  aliased.Canvas().Brush.SetStyle(bsClear);
  aliased.Canvas().TextOut(10, 5, "Kroma Wg");
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 200; ++x) ASSERT_TRUE(aliased.GetPixel(x, y) == clBlack || aliased.GetPixel(x, y) == clWhite);
}

TEST(CanvasText, SolidBrushPaintsTheCellFirst) {
  TBitmap b(200, 60);
  TCanvas& c = b.Canvas();
  c.Font.Size = 16;
  c.Font.Color = clBlack;
  c.Brush.SetColor(clYellow);
  c.TextOut(20, 10, "Hi there");
  const TRect cell{20, 10, 20 + c.TextWidth("Hi there"), 10 + c.TextHeight("Hi there")};
  int yellow = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 200; ++x) {
      const TColor p = b.GetPixel(x, y);
      if (!cell.Contains(x, y)) {
        ASSERT_EQ(p, clWhite) << x << "," << y;
      } else {
        ASSERT_EQ(GetRValue(p), GetGValue(p));  // between yellow and black
        ASSERT_EQ(GetBValue(p), 0);
        yellow += p == clYellow;
      }
    }
  EXPECT_GT(yellow, cell.Width() * cell.Height() / 3);  // the background shows between the glyphs
}

TEST(CanvasText, TextRectAndClipRegionLimitTheText) {
  TBitmap b(120, 40);
  TCanvas& c = b.Canvas();
  c.Font.Size = 18;
  c.Brush.SetColor(clAqua);
  const TRect clip = Rect(15, 5, 40, 30);
  c.TextRect(clip, 10, 4, "MMMMMM");
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 120; ++x)
      if (!clip.Contains(x, y)) {
        ASSERT_EQ(b.GetPixel(x, y), clWhite);
      }
  EXPECT_EQ(b.GetPixel(15, 29), clAqua);  // the whole clip rectangle is the background

  TBitmap r(120, 40);
  r.Canvas().SetClipRegion(TRegion::Rect(Rect(0, 0, 30, 40)));
  r.Canvas().Font.Size = 18;
  r.Canvas().Brush.SetStyle(bsClear);
  r.Canvas().TextOut(5, 5, "MMMMMM");
  EXPECT_TRUE(Holds(Rect(0, 0, 30, 40), DiffBounds(TBitmap(120, 40), r)));
}

TEST(CanvasText, TextInAPathBecomesFigures) {
  TBitmap b(150, 50);
  TCanvas& c = b.Canvas();
  c.Font.Size = 24;
  c.BeginPath();
  EXPECT_TRUE(c.TextOut(5, 5, "OK").IsEmpty());
  c.EndPath();
  EXPECT_EQ(DiffBounds(TBitmap(150, 50), b), TRect{});
  c.Pen.Style = psClear;
  c.Brush.SetColor(clBlack);
  const TRect filled = c.FillPath();
  EXPECT_FALSE(filled.IsEmpty());
  EXPECT_TRUE(Holds(Rect(0, 5, 5 + c.TextWidth("OK") + 2, 5 + c.TextHeight("OK")), filled));
}

TEST(CanvasText, TextBoxMeasuresWrapsAndAligns) {
  TBitmap b(300, 200);
  TCanvas& c = b.Canvas();
  c.Font.Size = 12;
  c.Brush.SetStyle(bsClear);
  const int h = c.TextHeight("x");
  TRect one = Rect(10, 10, 1000, 10);
  c.TextBox(one, "two words", tfCalcRect);
  EXPECT_EQ(one, Rect(10, 10, 10 + c.TextWidth("two words"), 10 + h));
  TRect narrow = Rect(0, 0, c.TextWidth("two"), 0);
  c.TextBox(narrow, "two words\nthird", tfCalcRect | tfWordBreak);
  EXPECT_EQ(narrow.Bottom, 3 * h);
  EXPECT_EQ(narrow.Right, c.TextWidth("words"));  // a word wider than the box keeps its line
  EXPECT_EQ(DiffBounds(TBitmap(300, 200), b), TRect{});  // measuring draws nothing

  TRect box = Rect(0, 0, 300, 100);
  const TRect right = c.TextBox(box, "right", tfRight | tfBottom);
  EXPECT_GE(right.Left, 300 - c.TextWidth("right") - 2);
  EXPECT_LE(right.Bottom, 100);
  EXPECT_GE(right.Top, 100 - h);
}

}  // namespace
}  // namespace kroma
