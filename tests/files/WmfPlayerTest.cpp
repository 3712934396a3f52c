// WMF drawings written record by record and played: sizes and mapping,
// figures, objects, clipping, regions and bitmaps at known pixels.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "MetafileWriter.h"
#include "core/Canvas.h"

namespace kroma {
namespace {

using test::BoundsOf;
using test::CountOf;
using test::TBytes;
using test::TWmfWriter;

constexpr int kW = 60, kH = 40;

// A plain drawing of kW x kH pixels, one logical unit per pixel, with a
// red pen (object 0) and a blue brush (object 1) selected.
TWmfWriter Page(int width = kW, int height = kH) {
  TWmfWriter w;
  w.SetWindowOrg(0, 0).SetWindowExt(width, height);
  w.CreatePen(0, 1, clRed).Select(0).CreateBrush(0, clBlue).Select(1);
  return w;
}

// A page with a black pen and brush, for checks of where things land.
TWmfWriter InkPage(int width, int height) {
  TWmfWriter w;
  w.SetWindowExt(width, height).CreateBrush(0, clBlack).Select(0);
  return w;
}

// A region of rectangles, one scan each.
TBytes RegionParams(std::initializer_list<TRect> rects) {
  TBytes p;
  p.U16(0).U16(6).U32(0).U16(0).U16(static_cast<unsigned>(rects.size())).U16(4).W({0, 0, 0, 0});
  for (const TRect& r : rects) p.W({2, r.Top, r.Bottom, r.Left, r.Right, 2});
  return p;
}

TEST(WmfPlayer, FigureRecordsDrawWhatTheCanvasDraws) {
  struct Case {
    const char* name;
    std::function<void(TWmfWriter&)> record;
    std::function<void(TCanvas&)> canvas;
  };
  const Case cases[] = {
      {"LineTo", [](TWmfWriter& w) { w.MoveTo(5, 5).LineTo(50, 30); },
       [](TCanvas& c) {
         c.MoveTo(5, 5);
         c.LineTo(50, 30);
       }},
      {"Polyline", [](TWmfWriter& w) { w.Polyline({{3, 3}, {40, 10}, {20, 35}}); },
       [](TCanvas& c) {
         const TPoint p[] = {{3, 3}, {40, 10}, {20, 35}};
         c.Polyline(p);
       }},
      {"Rectangle", [](TWmfWriter& w) { w.Rectangle(5, 6, 40, 30); }, [](TCanvas& c) { c.Rectangle(5, 6, 40, 30); }},
      {"Ellipse", [](TWmfWriter& w) { w.Ellipse(4, 3, 51, 36); }, [](TCanvas& c) { c.Ellipse(4, 3, 51, 36); }},
      {"RoundRect", [](TWmfWriter& w) { w.RoundRect(5, 5, 50, 35, 12, 8); },
       [](TCanvas& c) { c.RoundRect(5, 5, 50, 35, 12, 8); }},
      {"Arc", [](TWmfWriter& w) { w.ArcRecord(0x0817, 5, 5, 55, 35, 50, 5, 5, 30); },
       [](TCanvas& c) { c.Arc(5, 5, 55, 35, 50, 5, 5, 30); }},
      {"Chord", [](TWmfWriter& w) { w.ArcRecord(0x0830, 5, 5, 55, 35, 50, 5, 5, 30); },
       [](TCanvas& c) { c.Chord(5, 5, 55, 35, 50, 5, 5, 30); }},
      {"Pie", [](TWmfWriter& w) { w.ArcRecord(0x081A, 5, 5, 55, 35, 50, 5, 5, 30); },
       [](TCanvas& c) { c.Pie(5, 5, 55, 35, 50, 5, 5, 30); }},
      {"Polygon", [](TWmfWriter& w) { w.Polygon({{5, 5}, {50, 10}, {30, 35}, {10, 25}}); },
       [](TCanvas& c) {
         const TPoint p[] = {{5, 5}, {50, 10}, {30, 35}, {10, 25}};
         c.Polygon(p);
       }},
      {"SetPixel", [](TWmfWriter& w) { w.SetPixel(7, 9, clLime); }, [](TCanvas& c) { c.SetPixel(7, 9, clLime); }},
      {"wide pen", [](TWmfWriter& w) { w.CreatePen(0, 5, clGreen).Select(2).Rectangle(10, 10, 40, 30); },
       [](TCanvas& c) {
         c.Pen.Color = clGreen;
         c.Pen.Width = 5;
         c.Rectangle(10, 10, 40, 30);
       }},
      {"null brush", [](TWmfWriter& w) { w.CreateBrush(1, 0).Select(2).Rectangle(5, 6, 40, 30); },
       [](TCanvas& c) {
         c.Brush.SetStyle(bsClear);
         c.Rectangle(5, 6, 40, 30);
       }},
  };
  for (const Case& k : cases) {
    TWmfWriter w = Page();
    k.record(w);
    const TBitmap got = test::Wmf(w.Finish());
    TBitmap want(kW, kH);
    TCanvas c(want);
    c.Pen.Color = clRed;
    c.Brush.SetColor(clBlue);
    k.canvas(c);
    ASSERT_FALSE(BoundsOf(want).IsEmpty()) << k.name;
    EXPECT_EQ(test::FirstDifference(got, want), "") << k.name;
  }
}

TEST(WmfPlayer, DashGapsShowTheBackground) {
  // A dashed frame filled blue and a dashed line, on an opaque lime
  // background and on a transparent one.
  for (int mode : {1, 2}) {
    TWmfWriter w = Page();
    w.CreatePen(1, 1, clRed).Select(2).SetBkColor(clLime).SetBkMode(mode);
    w.Rectangle(5, 5, 55, 30).MoveTo(0, 35).LineTo(60, 35);
    const TBitmap b = test::Wmf(w.Finish());
    int red = 0, gaps = 0, frame = 0;
    for (int x = 5; x < 55; ++x) {
      red += b.GetPixel(x, 5) == clRed;
      gaps += b.GetPixel(x, 5) == (mode == 2 ? clLime : clBlue);  // a transparent gap shows the fill
    }
    for (int y = 5; y < 30; ++y)
      for (int x = 5; x < 55; ++x) {
        const TColor p = b.GetPixel(x, y);
        frame += p == clRed || p == clBlue || (mode == 2 && p == clLime);
      }
    EXPECT_GT(red, 10) << mode;
    EXPECT_EQ(red + gaps, 50) << mode;
    EXPECT_EQ(frame, 50 * 25) << mode;
    if (mode == 2) {
      EXPECT_EQ(CountOf(b, clBlue), 48 * 23);
    }
    int lineRed = 0, lineGaps = 0;
    for (int x = 0; x < 60; ++x) {
      lineRed += b.GetPixel(x, 35) == clRed;
      lineGaps += b.GetPixel(x, 35) == (mode == 2 ? clLime : clWhite);
    }
    EXPECT_GT(lineRed, 10) << mode;
    EXPECT_EQ(lineRed + lineGaps, 60) << mode;
  }
}

TEST(WmfPlayer, NullPenRectangleLeavesOutLastColumnAndRow) {
  TWmfWriter w = Page();
  w.CreatePen(5, 1, clRed).Select(2).Rectangle(10, 10, 20, 15);
  EXPECT_EQ(BoundsOf(test::Wmf(w.Finish())), Rect(10, 10, 19, 14));
}

TEST(WmfPlayer, PlaceableHeaderGivesTheSizeFromBoxAndInch) {
  struct Case {
    TRect box;
    int inch, width, height;
  };
  const Case cases[] = {
      {{0, 0, 1440, 720}, 1440, 96, 48},
      {{-50, -50, 50, 50}, 96, 100, 100},
      {{0, 0, 100, 100}, 192, 50, 50},
      {{100, 100, 0, 0}, 96, 100, 100},  // corners in the other order
      {{0, 0, 1, 1}, 2540, 1, 1},        // less than a pixel is still one
  };
  for (const Case& k : cases) {
    const TBitmap b = test::Wmf(TWmfWriter(k.box, k.inch).Finish());
    EXPECT_EQ(b.Width(), k.width) << k.inch;
    EXPECT_EQ(b.Height(), k.height) << k.inch;
    EXPECT_EQ(CountOf(b, clWhite), k.width * k.height);
  }
}

TEST(WmfPlayer, PlaceableBoxMapsOntoTheWholeBitmap) {
  TWmfWriter w(Rect(1000, 1000, 2440, 1720), 1440);
  w.CreateBrush(0, clBlack).Select(0).Rectangle(1000, 1000, 1720, 1720).Rectangle(2340, 1620, 2440, 1720);
  const TBitmap b = test::Wmf(w.Finish());
  ASSERT_EQ(b.Width(), 96);
  ASSERT_EQ(b.Height(), 48);
  EXPECT_EQ(BoundsOf(b, clBlack), Rect(0, 0, 96, 48));
  EXPECT_EQ(CountOf(b, clBlack), 48 * 48 + 7 * 7);  // the small square is 100 units = 6.67 pixels
}

TEST(WmfPlayer, PlainFileTakesItsSizeFromItsWindow) {
  TWmfWriter w;
  w.SetWindowOrg(0, 200).SetWindowExt(300, -200).CreateBrush(0, clBlack).Select(0).Rectangle(0, 0, 10, 10);
  const TBitmap b = test::Wmf(w.Finish());
  ASSERT_EQ(b.Width(), 300);
  ASSERT_EQ(b.Height(), 200);
  EXPECT_EQ(BoundsOf(b, clBlack), Rect(0, 190, 10, 200));  // y grows upwards

  const TBitmap plain = test::Wmf(TWmfWriter().Rectangle(0, 0, 10, 10).Finish());
  EXPECT_EQ(plain.Width(), 640);
  EXPECT_EQ(plain.Height(), 480);
  EXPECT_EQ(BoundsOf(plain), Rect(0, 0, 10, 10));
}

TEST(WmfPlayer, WindowAndViewportRecordsMoveAndScaleTheDrawing) {
  struct Case {
    const char* name;
    std::function<void(TWmfWriter&)> records;
    TRect ink;  // where Rectangle(0, 0, 20, 20) lands
  };
  const Case cases[] = {
      {"none", [](TWmfWriter&) {}, {0, 0, 20, 20}},
      {"window origin", [](TWmfWriter& w) { w.SetWindowOrg(-10, -5); }, {10, 5, 30, 25}},
      {"offset window origin", [](TWmfWriter& w) { w.Record(0x020F, {-5, -10}); }, {10, 5, 30, 25}},
      {"viewport origin", [](TWmfWriter& w) { w.SetViewportOrg(7, 3); }, {7, 3, 27, 23}},
      {"offset viewport origin", [](TWmfWriter& w) { w.Record(0x0211, {3, 7}); }, {7, 3, 27, 23}},
      {"window extent", [](TWmfWriter& w) { w.SetWindowExt(50, 50); }, {0, 0, 40, 40}},
      {"scale window extent", [](TWmfWriter& w) { w.Record(0x0410, {4, 1, 2, 1}); }, {0, 0, 40, 80}},
      {"viewport extent", [](TWmfWriter& w) { w.SetViewportExt(50, 200); }, {0, 0, 10, 40}},
      {"scale viewport extent", [](TWmfWriter& w) { w.Record(0x0412, {1, 1, 2, 3}); }, {0, 0, 30, 20}},
      {"zero extent ignored", [](TWmfWriter& w) { w.SetWindowExt(0, 50).SetViewportExt(50, 0); }, {0, 0, 20, 20}},
      {"text mode ignores extents", [](TWmfWriter& w) { w.SetWindowExt(50, 50).SetMapMode(1); }, {0, 0, 20, 20}},
      {"isotropic keeps the smaller scale",
       [](TWmfWriter& w) { w.SetMapMode(7).SetWindowExt(50, 25).SetViewportExt(100, 100); }, {0, 0, 40, 40}},
      {"anisotropic", [](TWmfWriter& w) { w.SetMapMode(8).SetWindowExt(50, 25).SetViewportExt(100, 100); },
       {0, 0, 40, 80}},
  };
  for (const Case& k : cases) {
    TWmfWriter w = InkPage(100, 100);
    k.records(w);
    w.Rectangle(0, 0, 20, 20);
    EXPECT_EQ(BoundsOf(test::Wmf(w.Finish()), clBlack), k.ink) << k.name;
  }
}

TEST(WmfPlayer, FixedScaleMapModesMeasureAnInchAndTurnYUp) {
  const std::pair<int, int> modes[] = {{2, 254}, {3, 2540}, {4, 100}, {5, 1000}, {6, 1440}};
  for (const auto& [mode, perInch] : modes) {
    TWmfWriter w = InkPage(200, 200);
    w.SetMapMode(mode).SetViewportOrg(0, 200).Rectangle(0, 0, perInch, perInch);
    EXPECT_EQ(BoundsOf(test::Wmf(w.Finish()), clBlack), Rect(0, 104, 96, 200)) << mode;
  }
}

TEST(WmfPlayer, ObjectsTakeTheLowestFreePlace) {
  TWmfWriter w = Page();  // red pen 0, blue brush 1
  w.CreatePen(0, 1, clGreen);                                 // 2
  w.Delete(0).CreatePen(0, 1, clFuchsia);                     // takes 0
  w.RawRecord(5, 0x02FA, TBytes().W({0, 1}));                 // unreadable pen: still takes 3
  w.CreatePen(0, 1, clLime);                                  // 4
  w.Select(0).MoveTo(0, 1).LineTo(60, 1);
  w.Select(4).MoveTo(0, 3).LineTo(60, 3);
  w.Select(3).Select(999).MoveTo(0, 5).LineTo(60, 5);  // nothing there: the lime pen stays
  const TBitmap b = test::Wmf(w.Finish());
  EXPECT_EQ(b.GetPixel(10, 1), clFuchsia);
  EXPECT_EQ(b.GetPixel(10, 3), clLime);
  EXPECT_EQ(b.GetPixel(10, 5), clLime);
}

TEST(WmfPlayer, HatchedBrushShowsTheBackgroundWhenOpaque) {
  for (int mode : {1, 2}) {
    TWmfWriter w = Page(16, 16);
    w.CreatePen(5, 1, 0).Select(2).CreateBrush(2, clRed, 4).Select(3);  // cross hatch, no outline
    w.SetBkColor(clLime).SetBkMode(mode).Rectangle(0, 0, 17, 17);
    const TBitmap b = test::Wmf(w.Finish());
    EXPECT_EQ(b.GetPixel(8, 3), clRed);
    EXPECT_EQ(b.GetPixel(3, 8), clRed);
    EXPECT_EQ(b.GetPixel(3, 3), mode == 2 ? clLime : clWhite) << mode;
  }
}

TEST(WmfPlayer, PatternBrushTilesItsBitmap) {
  TBitmap pattern(8, 8);
  pattern.Fill(clYellow);
  pattern.SetPixel(1, 2, clNavy);
  TWmfWriter w = Page(20, 20);
  w.CreatePen(5, 1, 0).Select(2);
  w.Record(0x0142, TBytes().U16(5).U16(0).Append(test::PackedDib(pattern))).Select(3).Rectangle(0, 0, 21, 21);
  const TBitmap b = test::Wmf(w.Finish());
  EXPECT_EQ(b.GetPixel(9, 10), clNavy);
  EXPECT_EQ(b.GetPixel(17, 18), clNavy);
  EXPECT_EQ(CountOf(b, clNavy), 9);
  EXPECT_EQ(CountOf(b, clYellow), 400 - 9);
}

TEST(WmfPlayer, PolygonFillModeDecidesTheOverlap) {
  // Two squares drawn the same way round, one inside the other.
  auto draw = [](int mode) {
    TWmfWriter w = InkPage(40, 40);
    w.CreatePen(5, 1, 0).Select(1).SetPolyFillMode(mode);
    TBytes p;
    p.U16(2).U16(4).U16(4);
    for (TPoint q : {TPoint{0, 0}, {30, 0}, {30, 30}, {0, 30}, {10, 10}, {20, 10}, {20, 20}, {10, 20}})
      p.W({q.x, q.y});
    w.Record(0x0538, p);
    return test::Wmf(w.Finish());
  };
  EXPECT_EQ(draw(1).GetPixel(15, 15), clWhite);  // alternate: a hole
  EXPECT_EQ(draw(2).GetPixel(15, 15), clBlack);  // winding: filled
  EXPECT_EQ(draw(1).GetPixel(5, 5), clBlack);
}

TEST(WmfPlayer, BinaryRasterOperationsCombineWithTheImage) {
  TWmfWriter w = InkPage(30, 30);
  w.SetRop2(6).Rectangle(0, 0, 20, 20).Rectangle(10, 10, 30, 30);  // invert: the overlap twice
  w.SetRop2(1).CreatePen(0, 1, clRed).Select(1).MoveTo(0, 25).LineTo(5, 25);  // black whatever the pen
  const TBitmap b = test::Wmf(w.Finish());
  EXPECT_EQ(b.GetPixel(5, 5), clBlack);
  EXPECT_EQ(b.GetPixel(15, 15), clWhite);
  EXPECT_EQ(b.GetPixel(25, 15), clBlack);
  EXPECT_EQ(b.GetPixel(2, 25), clBlack);
}

TEST(WmfPlayer, FloodFillFillsUpToTheBorderOrTheSurface) {
  for (int mode : {0, 1}) {
    TWmfWriter w = Page(30, 30);
    w.CreateBrush(1, 0).Select(2).Rectangle(5, 5, 25, 25).Select(1);
    if (mode == 0) w.Record(0x0419, TWmfWriter::Color(clRed).W({10, 10}));  // up to the red outline
    else w.Record(0x0548, TBytes().U16(1).Append(TWmfWriter::Color(clWhite).b).W({10, 10}));  // the white inside
    const TBitmap b = test::Wmf(w.Finish());
    EXPECT_EQ(CountOf(b, clBlue), 18 * 18) << mode;
    EXPECT_EQ(b.GetPixel(2, 2), clWhite);
  }
}

TEST(WmfPlayer, SavedStatesComeBack) {
  TWmfWriter w = Page(40, 10);
  w.SaveDC().CreatePen(0, 1, clGreen).Select(2).IntersectClipRect(0, 0, 5, 10);  // state 1 saved
  w.SaveDC().CreatePen(0, 1, clLime).Select(3);                                  // state 2 saved
  w.RestoreDC(-1).MoveTo(0, 2).LineTo(40, 2);   // green, clipped
  w.RestoreDC(5).MoveTo(0, 4).LineTo(40, 4);    // no such state: unchanged
  w.RestoreDC(1).MoveTo(0, 6).LineTo(40, 6);    // red, unclipped
  w.RestoreDC(-1).MoveTo(0, 8).LineTo(40, 8);   // nothing left to restore
  const TBitmap b = test::Wmf(w.Finish());
  EXPECT_EQ(BoundsOf(b, clGreen), Rect(0, 2, 5, 5));
  EXPECT_EQ(BoundsOf(b, clRed), Rect(0, 6, 40, 9));
}

TEST(WmfPlayer, ClipRecordsLimitDrawing) {
  struct Case {
    const char* name;
    std::function<void(TWmfWriter&)> records;
    TRect bounds;
    int count;
  };
  const Case cases[] = {
      {"intersect", [](TWmfWriter& w) { w.IntersectClipRect(10, 10, 30, 20); }, {10, 10, 30, 20}, 200},
      {"intersect twice",
       [](TWmfWriter& w) { w.IntersectClipRect(10, 10, 30, 20).IntersectClipRect(20, 0, 50, 50); }, {20, 10, 30, 20},
       100},
      {"exclude", [](TWmfWriter& w) { w.ExcludeClipRect(10, 10, 30, 20); }, {0, 0, 50, 50}, 2500 - 200},
      {"offset", [](TWmfWriter& w) { w.IntersectClipRect(10, 10, 30, 20).Record(0x0220, {5, 5}); },
       {15, 15, 35, 25}, 200},
      {"region",
       [](TWmfWriter& w) {
         w.Record(0x06FF, RegionParams({{0, 0, 10, 5}, {20, 30, 25, 40}})).Record(0x012C, {1});
       },
       {0, 0, 25, 40}, 50 + 50},
      {"saved and restored", [](TWmfWriter& w) { w.SaveDC().IntersectClipRect(10, 10, 30, 20).RestoreDC(-1); },
       {0, 0, 50, 50}, 2500},
  };
  for (const Case& k : cases) {
    TWmfWriter w = InkPage(50, 50);
    k.records(w);
    w.Rectangle(0, 0, 50, 50);
    const TBitmap b = test::Wmf(w.Finish());
    EXPECT_EQ(BoundsOf(b, clBlack), k.bounds) << k.name;
    EXPECT_EQ(CountOf(b, clBlack), k.count) << k.name;
  }
}

TEST(WmfPlayer, RegionRecordsPaintFrameAndInvert) {
  TWmfWriter w = Page(40, 40);
  w.Record(0x06FF, RegionParams({{2, 2, 12, 12}}));    // 2
  w.Record(0x06FF, RegionParams({{20, 2, 30, 12}}));   // 3
  w.Record(0x06FF, RegionParams({{2, 20, 12, 30}}));   // 4
  w.Record(0x06FF, RegionParams({{20, 20, 30, 30}}));  // 5
  w.CreateBrush(0, clLime);                            // 6
  w.Record(0x0228, {2, 6});                            // fill with the lime brush
  w.Record(0x012B, {3});                               // paint with the selected blue brush
  w.Record(0x0429, {4, 6, 2, 2});                      // a lime frame two pixels wide
  w.Record(0x012A, {5});                               // invert: white becomes black
  const TBitmap b = test::Wmf(w.Finish());
  EXPECT_EQ(CountOf(b, clLime), 100 + (100 - 36));
  EXPECT_EQ(BoundsOf(b, clBlue), Rect(20, 2, 30, 12));
  EXPECT_EQ(b.GetPixel(7, 25), clWhite);  // inside the frame
  EXPECT_EQ(b.GetPixel(3, 21), clLime);
  EXPECT_EQ(BoundsOf(b, clBlack), Rect(20, 20, 30, 30));
}

TEST(WmfPlayer, DibRecordsCopyBitmapsIntoPlace) {
  // A 2 x 2 bitmap: red, lime over blue, yellow.
  TBitmap dib(2, 2);
  dib.SetPixel(0, 0, clRed);
  dib.SetPixel(1, 0, clLime);
  dib.SetPixel(0, 1, clBlue);
  dib.SetPixel(1, 1, clYellow);
  const std::vector<std::uint8_t> packed = test::PackedDib(dib);

  TWmfWriter w = Page(60, 40);
  w.StretchDib(dib, 0, 0, 20, 20);  // scaled
  // DIBBitBlt: the source's top-right pixel at (30, 0), one pixel.
  w.Record(0x0940, TBytes().U32(0x00CC0020).W({0, 1, 1, 1, 0, 30}).Append(packed));
  // DIBStretchBlt: the bottom row stretched to 10 x 4 at (30, 10).
  w.Record(0x0B41, TBytes().U32(0x00CC0020).W({1, 2, 1, 0, 4, 10, 10, 30}).Append(packed));
  // SetDIBitsToDevice: the bottom-left pixel (y counts up from the bottom) at (45, 0).
  w.Record(0x0D33, TBytes().W({0, 2, 0, 0, 0, 1, 1, 0, 45}).Append(packed));
  // PatBlt with the blue brush, then a destination inversion over it.
  w.Record(0x061D, TBytes().U32(0x00F00021).W({5, 5, 30, 0}));
  w.Record(0x061D, TBytes().U32(0x00550009).W({5, 5, 30, 3}));
  const TBitmap b = test::Wmf(w.Finish());
  EXPECT_EQ(BoundsOf(b, clRed), Rect(0, 0, 10, 10));
  EXPECT_EQ(CountOf(b, clRed), 100);
  EXPECT_EQ(b.GetPixel(15, 15), clYellow);
  EXPECT_EQ(b.GetPixel(5, 15), clBlue);
  EXPECT_EQ(BoundsOf(b, clLime), Rect(10, 0, 31, 10));
  EXPECT_EQ(b.GetPixel(31, 0), clWhite);
  struct Probe {
    int x, y;
    TColor color;
  };
  const Probe probes[] = {{34, 12, clBlue}, {35, 12, clYellow}, {39, 13, clYellow}, {34, 14, clWhite},
                          {45, 0, clBlue},  {46, 0, clWhite},   {1, 32, clBlue},    {3, 32, clYellow},
                          {6, 32, clBlack}, {8, 32, clWhite}};
  for (const Probe& p : probes) EXPECT_EQ(b.GetPixel(p.x, p.y), p.color) << p.x << ", " << p.y;
}

TEST(WmfPlayer, UnknownRecordsAreSkipped) {
  TWmfWriter w = InkPage(20, 20);
  w.Record(0x0999, {1, 2, 3}).Record(0x0626, {1, 2, 3, 4}).Rectangle(2, 2, 5, 5);
  EXPECT_EQ(BoundsOf(test::Wmf(w.Finish()), clBlack), Rect(2, 2, 5, 5));
}

}  // namespace
}  // namespace kroma
