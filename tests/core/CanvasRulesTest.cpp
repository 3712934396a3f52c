// The pixel rules of the canvas: lines, boxes, pens, brushes, pen modes.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/Canvas.h"
#include "core/Error.h"

#include "ImageTestUtil.h"

namespace kroma {
namespace {

using namespace testutil;

// Rows of the image as text: '#' pen colour (black), 'o' brush colour
// (red), '.' white, '?' anything else.
std::string Picture(const TBitmap& b) {
  std::string s;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      TColor c = b.GetPixel(x, y);
      s += c == clBlack ? '#' : c == clRed ? 'o' : c == clWhite ? '.' : '?';
    }
    s += '\n';
  }
  return s;
}


TEST(CanvasLines, LineToLeavesOutTheEndAndMovesThePen) {
  TBitmap b(6, 3);
  TCanvas& c = b.Canvas();
  c.MoveTo(0, 0);
  EXPECT_EQ(c.LineTo(5, 2), Rect(0, 0, 5, 3));
  EXPECT_EQ(c.PenPos(), (TPoint{5, 2}));
  EXPECT_EQ(Picture(b),
            "##....\n"
            "..##..\n"
            "....#.\n");
  // The way back takes the same pixels (the start is drawn, the end left out).
  c.Pen.Color = clRed;
  c.LineTo(0, 0);
  EXPECT_EQ(Picture(b),
            "#o....\n"
            "..oo..\n"
            "....oo\n");
  for (int width : {1, 6}) {
    c.Pen.Width = width;
    TBitmap before = b;
    EXPECT_TRUE(c.LineTo(0, 0).IsEmpty());  // zero length
    EXPECT_EQ(Picture(b), Picture(before));
  }
}

TEST(CanvasLines, PolylineDrawsItsVerticesOnceAndLeavesOutTheLast) {
  TBitmap b(5, 4);
  TCanvas& c = b.Canvas();
  c.Pen.Mode = pmNot;  // a vertex written twice would come back white
  const TPoint pts[] = {{0, 0}, {4, 0}, {4, 3}, {0, 3}};
  c.Polyline(pts);
  EXPECT_EQ(Picture(b),
            "#####\n"
            "....#\n"
            "....#\n"
            ".####\n");
  EXPECT_EQ(c.PenPos(), (TPoint{0, 0}));
}

TEST(CanvasLines, DashPatternsRunFromTheStartOfEachCall) {
  TBitmap b(26, 5);
  TCanvas& c = b.Canvas();
  c.Brush.SetStyle(bsClear);
  c.Pen.Style = psDot;
  c.MoveTo(0, 0);
  c.LineTo(13, 0);
  c.LineTo(26, 0);  // restarts: x = 13 begins a dot
  c.Pen.Style = psDash;
  c.MoveTo(25, 1);
  c.LineTo(-1, 1);  // from the right
  c.Brush.SetColor(clRed);  // bsSolid: gaps painted with the brush colour
  c.Pen.Style = psDashDot;
  c.MoveTo(0, 2);
  c.LineTo(26, 2);
  c.Pen.Style = psDashDotDot;
  c.Pen.Width = 2;  // wide pens draw solid
  c.MoveTo(0, 4);
  c.LineTo(26, 4);  // rows 3 and 4
  EXPECT_EQ(Picture(b),
            "###...###...####...###...#\n"
            "##......##################\n"
            "#########oooooo###oooooo##\n"
            "##########################\n"
            "##########################\n");
}

TEST(CanvasBoxes, CornersInAnyOrderGiveTheSamePixelsAndRightBottomAreExclusive) {
  using Draw = std::function<TRect(TCanvas&, int, int, int, int)>;
  const std::vector<std::pair<std::string, Draw>> boxes{
      {"rectangle", [](TCanvas& c, int a, int b, int x, int y) { return c.Rectangle(a, b, x, y); }},
      {"ellipse", [](TCanvas& c, int a, int b, int x, int y) { return c.Ellipse(a, b, x, y); }},
      {"round rect", [](TCanvas& c, int a, int b, int x, int y) { return c.RoundRect(a, b, x, y, 6, 4); }},
      {"chord", [](TCanvas& c, int a, int b, int x, int y) { return c.Chord(a, b, x, y, 0, 0, 0, 0); }},
      {"pie", [](TCanvas& c, int a, int b, int x, int y) { return c.Pie(a, b, x, y, 9, 9, 9, 9); }},
  };
  for (const auto& [name, draw] : boxes) {
    SCOPED_TRACE(name);
    TBitmap reference(16, 12);
    reference.Canvas().Brush.SetColor(clRed);
    draw(reference.Canvas(), 2, 3, 13, 10);
    EXPECT_EQ(DiffBounds(TBitmap(16, 12), reference), Rect(2, 3, 13, 10));
    for (auto [x1, y1, x2, y2] : {std::tuple{13, 10, 2, 3}, std::tuple{2, 10, 13, 3}, std::tuple{13, 3, 2, 10}}) {
      TBitmap b(16, 12);
      b.Canvas().Brush.SetColor(clRed);
      draw(b.Canvas(), x1, y1, x2, y2);
      EXPECT_EQ(Picture(b), Picture(reference));
    }
    // Equal corners in either direction: nothing.
    TBitmap flat(16, 12);
    EXPECT_TRUE(draw(flat.Canvas(), 4, 2, 4, 9).IsEmpty());
    EXPECT_TRUE(draw(flat.Canvas(), 1, 5, 12, 5).IsEmpty());
    EXPECT_EQ(DiffBounds(TBitmap(16, 12), flat), TRect{});
  }
}

TEST(CanvasBoxes, WidePenOutlines) {
  TBitmap b(12, 12);
  TCanvas& c = b.Canvas();
  c.Brush.SetColor(clRed);
  c.Pen.Width = 4;  // 2 pixels outside the box's ring, 2 inside (the ring's own pixel among them)
  EXPECT_EQ(c.Rectangle(3, 3, 10, 10), Rect(1, 1, 12, 12));
  EXPECT_EQ(Picture(b),
            "............\n"
            ".###########\n"
            ".###########\n"
            ".###########\n"
            ".###########\n"
            ".####ooo####\n"
            ".####ooo####\n"
            ".####ooo####\n"
            ".###########\n"
            ".###########\n"
            ".###########\n"
            ".###########\n");
  TBitmap inside(12, 12);
  inside.Canvas().Brush.SetColor(clRed);
  inside.Canvas().Pen.Width = 3;
  inside.Canvas().Pen.Style = psInsideFrame;
  EXPECT_EQ(inside.Canvas().Ellipse(1, 1, 11, 11), Rect(1, 1, 11, 11));
  EXPECT_EQ(Picture(inside),
            "............\n"
            "....####....\n"
            "..########..\n"
            "..########..\n"
            ".####oo####.\n"
            ".###oooo###.\n"
            ".###oooo###.\n"
            ".####oo####.\n"
            "..########..\n"
            "..########..\n"
            "....####....\n"
            "............\n");
}

TEST(CanvasBoxes, StarPolygonLeavesItsCentreEmpty) {
  TBitmap b(21, 20);
  TCanvas& c = b.Canvas();
  c.Brush.SetColor(clRed);
  const TPoint star[] = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
  c.Polygon(star);
  EXPECT_EQ(b.GetPixel(10, 11), clWhite);  // wound twice: outside with the alternate rule
  EXPECT_EQ(b.GetPixel(10, 3), clRed);
  for (TPoint p : star) EXPECT_EQ(b.GetPixel(p.x, p.y), clBlack);  // every vertex drawn
}

TEST(CanvasBrushes, FillRectAndFrameRectUseTheBrushWithoutPenMode) {
  TBitmap b(6, 5);
  TCanvas& c = b.Canvas();
  c.Pen.Mode = pmXor;
  c.Brush.SetColor(clRed);
  EXPECT_TRUE(c.FillRect(Rect(5, 0, 1, 4)).IsEmpty());  // not normalised: nothing
  EXPECT_TRUE(c.FillRect(Rect(0, 4, 5, 1)).IsEmpty());
  EXPECT_EQ(c.FillRect(Rect(1, 1, 4, 3)), Rect(1, 1, 4, 3));
  c.Brush.SetColor(clBlack);
  EXPECT_EQ(c.FrameRect(Rect(0, 0, 6, 5)), Rect(0, 0, 6, 5));
  EXPECT_EQ(Picture(b),
            "######\n"
            "#ooo.#\n"
            "#ooo.#\n"
            "#....#\n"
            "######\n");
}

TEST(CanvasBrushes, SettingTheColourOfAClearBrushMakesItSolid) {
  TBrush brush;
  brush.SetStyle(bsClear);
  brush.SetColor(clRed);
  EXPECT_EQ(brush.Style(), bsSolid);
  brush.SetStyle(bsCross);
  brush.SetColor(clBlue);
  EXPECT_EQ(brush.Style(), bsCross);
}

TEST(CanvasBrushes, HatchesAreAnchoredAtTheOriginAndLeaveTheRestAlone) {
  struct Hatch {
    TBrushStyle style;
    std::function<bool(int, int)> on;
  };
  const Hatch hatches[] = {
      {bsHorizontal, [](int, int y) { return y % 8 == 0; }},
      {bsVertical, [](int x, int) { return x % 8 == 0; }},
      {bsFDiagonal, [](int x, int y) { return x % 8 == y % 8; }},
      {bsBDiagonal, [](int x, int y) { return (x + y) % 8 == 7; }},
      {bsCross, [](int x, int y) { return x % 8 == 0 || y % 8 == 0; }},
      {bsDiagCross, [](int x, int y) { return x % 8 == y % 8 || (x + y) % 8 == 7; }},
  };
  for (const Hatch& h : hatches) {
    TBitmap b(20, 19);
    b.Fill(clRed);
    b.Canvas().Brush.SetColor(clBlack);
    b.Canvas().Brush.SetStyle(h.style);
    b.Canvas().FillRect(Rect(3, 2, 20, 19));
    for (int y = 0; y < 19; ++y)
      for (int x = 0; x < 20; ++x)
        ASSERT_EQ(b.GetPixel(x, y), (x >= 3 && y >= 2 && h.on(x, y)) ? clBlack : clRed)
            << "style " << h.style << " at " << x << "," << y;
  }
}

TEST(CanvasBrushes, PatternBrushTilesASmallSourceAndKeepsItsOwnCopy) {
  TBitmap source(3, 2, pf8bit);
  source.Fill(clWhite);
  source.SetPixel(0, 0, clBlack);
  source.SetPixel(2, 1, clRed);
  TBitmap b(17, 9);
  TCanvas& c = b.Canvas();
  c.Brush.SetBitmap(&source);
  source.Fill(clBlue);  // the brush keeps the pixels it was given
  ASSERT_TRUE(c.Brush.HasBitmap());
  EXPECT_EQ(c.Brush.Bitmap()->Width(), 8);
  c.FillRect(Rect(1, 1, 17, 9));
  for (int y = 1; y < 9; ++y)
    for (int x = 1; x < 17; ++x) {
      const int px = x % 8 % 3, py = y % 8 % 2;  // pattern pixel (x mod 8, y mod 8) of the tiled source
      const TColor expect = (px == 0 && py == 0) ? clBlack : (px == 2 && py == 1) ? clRed : clWhite;
      ASSERT_EQ(b.GetPixel(x, y), expect) << x << "," << y;
    }
  TBitmap empty;
  EXPECT_THROW(c.Brush.SetBitmap(&empty), Error);
  c.Brush.SetBitmap(nullptr);
  EXPECT_FALSE(c.Brush.HasBitmap());
}

TEST(CanvasPens, AllSixteenModesPerChannel) {
  const TColor pen = RGB(0xF0, 0x3C, 0x55), dest = RGB(0xCC, 0xA5, 0x0F);
  using Op = std::function<unsigned(unsigned, unsigned)>;
  const std::pair<TPenMode, Op> modes[] = {
      {pmBlack, [](unsigned, unsigned) { return 0u; }},      {pmWhite, [](unsigned, unsigned) { return 255u; }},
      {pmNop, [](unsigned, unsigned d) { return d; }},        {pmNot, [](unsigned, unsigned d) { return ~d; }},
      {pmCopy, [](unsigned p, unsigned) { return p; }},       {pmNotCopy, [](unsigned p, unsigned) { return ~p; }},
      {pmMergePenNot, [](unsigned p, unsigned d) { return p | ~d; }},
      {pmMaskPenNot, [](unsigned p, unsigned d) { return p & ~d; }},
      {pmMergeNotPen, [](unsigned p, unsigned d) { return ~p | d; }},
      {pmMaskNotPen, [](unsigned p, unsigned d) { return ~p & d; }},
      {pmMerge, [](unsigned p, unsigned d) { return p | d; }}, {pmNotMerge, [](unsigned p, unsigned d) { return ~(p | d); }},
      {pmMask, [](unsigned p, unsigned d) { return p & d; }},  {pmNotMask, [](unsigned p, unsigned d) { return ~(p & d); }},
      {pmXor, [](unsigned p, unsigned d) { return p ^ d; }},   {pmNotXor, [](unsigned p, unsigned d) { return ~(p ^ d); }},
  };
  for (const auto& [mode, op] : modes) {
    TBitmap b(3, 1);
    b.Fill(dest);
    TCanvas& c = b.Canvas();
    c.Pen.Color = pen;
    c.Pen.Mode = mode;
    c.Brush.SetColor(pen);
    c.MoveTo(0, 0);
    c.LineTo(1, 0);                        // the pen
    c.Rectangle(Rect(1, 0, 3, 1));         // a 2 x 1 box: outline only
    c.Pen.Style = psClear;
    c.Rectangle(Rect(2, 0, 3, 1));         // the brush fill with the pen mode
    const TColor expect = RGB(op(GetRValue(pen), GetRValue(dest)) & 0xFF, op(GetGValue(pen), GetGValue(dest)) & 0xFF,
                              op(GetBValue(pen), GetBValue(dest)) & 0xFF);
    EXPECT_EQ(b.GetPixel(0, 0), expect) << "mode " << mode;
    EXPECT_EQ(b.GetPixel(1, 0), expect) << "mode " << mode;
    // The pixel at 2 was written twice by two calls: the mode applied twice.
    const TColor twice = RGB(op(GetRValue(pen), GetRValue(expect)) & 0xFF, op(GetGValue(pen), GetGValue(expect)) & 0xFF,
                             op(GetBValue(pen), GetBValue(expect)) & 0xFF);
    EXPECT_EQ(b.GetPixel(2, 0), twice) << "mode " << mode;
  }
}

TEST(CanvasPixels, OutsideReadsNoneAndWritesNothing) {
  TBitmap b(3, 2);
  TCanvas& c = b.Canvas();
  EXPECT_EQ(c.Pixel(-1, 0), clNone);
  EXPECT_EQ(c.Pixel(3, 1), clNone);
  EXPECT_EQ(c.Pixel(0, 2), clNone);
  EXPECT_TRUE(c.SetPixel(3, 0, clBlack).IsEmpty());
  EXPECT_TRUE(c.SetPixel(0, -1, clBlack).IsEmpty());
  EXPECT_EQ(c.SetPixel(2, 1, clRed), Rect(2, 1, 3, 2));
  EXPECT_EQ(c.Pixel(2, 1), clRed);
  EXPECT_EQ(c.Changed(), Rect(2, 1, 3, 2));
  c.ResetChanged();
  EXPECT_TRUE(c.Changed().IsEmpty());
}

TEST(CanvasPixels, OtherPixelFormatsBecome24BitOnTheFirstDrawing) {
  TBitmap b(4, 4, pf8bit);
  TCanvas& c = b.Canvas();
  EXPECT_EQ(c.Pixel(1, 1), clWhite);
  EXPECT_EQ(b.PixelFormat(), pf8bit);  // reading converts nothing
  c.Brush.SetColor(RGB(1, 2, 3));
  c.FillRect(Rect(0, 0, 2, 2));
  EXPECT_EQ(b.PixelFormat(), pf24bit);
  EXPECT_EQ(c.Pixel(0, 0), RGB(1, 2, 3));  // not a palette colour: kept exactly
  EXPECT_EQ(c.Pixel(3, 3), clWhite);
}

}  // namespace
}  // namespace kroma
