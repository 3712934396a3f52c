// EMF drawings written record by record and played: the frame and the
// reference device, figures, world transforms, paths, objects, clipping,
// regions and bitmaps at known pixels.
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
using test::TEmfWriter;

// 96 x 48 pixels is a frame of exactly 2540 x 1270 hundredths of a millimetre.
constexpr int kW = 96, kH = 48;
constexpr std::uint32_t kStock = 0x80000000u;

// Record types used by the tests beyond the writer's helpers.
enum : std::uint32_t {
  kPolyBezier = 2, kPolygon = 3, kPolyline = 4, kPolyBezierTo = 5, kPolylineTo = 6, kPolyPolyline = 7,
  kSetWindowExtEx = 9, kSetWindowOrgEx = 10, kSetViewportExtEx = 11, kSetViewportOrgEx = 12, kSetPixelV = 15,
  kSetMapMode = 17, kSetPolyFillMode = 19, kMoveToEx = 27, kSetWorldTransform = 35, kModifyWorldTransform = 36,
  kAngleArc = 41, kRoundRect = 44, kArc = 45, kChord = 46, kPie = 47, kSelectPalette = 48, kCreatePalette = 49,
  kSetPaletteEntries = 50, kLineTo = 54, kArcTo = 55, kSetArcDirection = 57, kBeginPath = 59, kEndPath = 60,
  kCloseFigure = 61, kFillPath = 62, kStrokeAndFillPath = 63, kStrokePath = 64, kAbortPath = 68, kFillRgn = 71,
  kFrameRgn = 72, kInvertRgn = 73, kPaintRgn = 74, kBitBlt = 76, kStretchBlt = 77, kSetDiBitsToDevice = 80,
  kPolyBezier16 = 85, kPolygon16 = 86, kPolyline16 = 87, kPolylineTo16 = 89, kPolyPolygon16 = 91,
  kExtCreatePen = 95,
};

// A drawing of kW x kH pixels with a red pen (1) and a blue brush (2) selected.
TEmfWriter Page() {
  TEmfWriter w = TEmfWriter::Pixels(kW, kH);
  w.CreatePen(1, 0, 1, clRed).Select(1).CreateBrush(2, 0, clBlue).Select(2);
  return w;
}

// A page with the stock black brush, for checks of where things land.
TEmfWriter InkPage(int width = kW, int height = kH) {
  TEmfWriter w = TEmfWriter::Pixels(width, height);
  w.Select(kStock | 4);
  return w;
}

TBytes ArcParams(int l, int t, int r, int b, int x3, int y3, int x4, int y4) {
  return TEmfWriter::Box(l, t, r, b).I32(x3).I32(y3).I32(x4).I32(y4);
}

// A 2 x 2 bitmap: red, lime over blue, yellow.
TBitmap Quad() {
  TBitmap b(2, 2);
  b.SetPixel(0, 0, clRed);
  b.SetPixel(1, 0, clLime);
  b.SetPixel(0, 1, clBlue);
  b.SetPixel(1, 1, clYellow);
  return b;
}

// BitBlt (and StretchBlt with a source size) of a whole DIB.
TBytes BlitParams(const TBitmap& source, int x, int y, int w, int h, int sx, int sy, std::uint32_t rop,
                  std::optional<std::pair<int, int>> sourceSize) {
  const std::vector<std::uint8_t> dib = test::PackedDib(source);
  const std::uint32_t offBmi = sourceSize ? 108 : 100;
  TBytes p = TEmfWriter::Box(0, 0, 0, 0);
  p.I32(x).I32(y).I32(w).I32(h).U32(rop).I32(sx).I32(sy);
  p.F32(1).F32(0).F32(0).F32(1).F32(0).F32(0).U32(0).U32(0);
  p.U32(offBmi).U32(40).U32(offBmi + 40).U32(static_cast<std::uint32_t>(dib.size() - 40));
  if (sourceSize) p.I32(sourceSize->first).I32(sourceSize->second);
  return p.Append(dib);
}

TEST(EmfPlayer, FigureRecordsDrawWhatTheCanvasDraws) {
  struct Case {
    const char* name;
    std::function<void(TEmfWriter&)> record;
    std::function<void(TCanvas&)> canvas;
  };
  auto poly = [](TCanvas& c, auto method, std::initializer_list<TPoint> points) {
    const std::vector<TPoint> p(points);
    (c.*method)(std::span<const TPoint>(p));
  };
  const Case cases[] = {
      {"Rectangle", [](TEmfWriter& w) { w.Rectangle(5, 6, 40, 30); }, [](TCanvas& c) { c.Rectangle(5, 6, 40, 30); }},
      {"Ellipse", [](TEmfWriter& w) { w.Ellipse(4, 3, 91, 46); }, [](TCanvas& c) { c.Ellipse(4, 3, 91, 46); }},
      {"RoundRect", [](TEmfWriter& w) { w.Record(kRoundRect, TEmfWriter::Box(5, 5, 90, 45).I32(20).I32(10)); },
       [](TCanvas& c) { c.RoundRect(5, 5, 90, 45, 20, 10); }},
      {"Arc", [](TEmfWriter& w) { w.Record(kArc, ArcParams(5, 5, 90, 45, 80, 5, 5, 30)); },
       [](TCanvas& c) { c.Arc(5, 5, 90, 45, 80, 5, 5, 30); }},
      {"Chord", [](TEmfWriter& w) { w.Record(kChord, ArcParams(5, 5, 90, 45, 80, 5, 5, 30)); },
       [](TCanvas& c) { c.Chord(5, 5, 90, 45, 80, 5, 5, 30); }},
      {"Pie", [](TEmfWriter& w) { w.Record(kPie, ArcParams(5, 5, 90, 45, 80, 5, 5, 30)); },
       [](TCanvas& c) { c.Pie(5, 5, 90, 45, 80, 5, 5, 30); }},
      {"clockwise Arc",
       [](TEmfWriter& w) { w.Value(kSetArcDirection, 2).Record(kArc, ArcParams(5, 5, 90, 45, 80, 5, 5, 30)); },
       [](TCanvas& c) { c.Arc(5, 5, 90, 45, 5, 30, 80, 5); }},
      {"Polygon", [](TEmfWriter& w) { w.Poly(kPolygon, {{5, 5}, {90, 10}, {30, 45}}); },
       [&](TCanvas& c) { poly(c, &TCanvas::Polygon, {{5, 5}, {90, 10}, {30, 45}}); }},
      {"Polygon16", [](TEmfWriter& w) { w.Poly(kPolygon16, {{5, 5}, {90, 10}, {30, 45}}, true); },
       [&](TCanvas& c) { poly(c, &TCanvas::Polygon, {{5, 5}, {90, 10}, {30, 45}}); }},
      {"Polyline", [](TEmfWriter& w) { w.Poly(kPolyline, {{5, 5}, {90, 10}, {30, 45}}); },
       [&](TCanvas& c) { poly(c, &TCanvas::Polyline, {{5, 5}, {90, 10}, {30, 45}}); }},
      {"Polyline16", [](TEmfWriter& w) { w.Poly(kPolyline16, {{5, 5}, {90, 10}, {30, 45}}, true); },
       [&](TCanvas& c) { poly(c, &TCanvas::Polyline, {{5, 5}, {90, 10}, {30, 45}}); }},
      {"PolyBezier", [](TEmfWriter& w) { w.Poly(kPolyBezier, {{5, 40}, {20, -20}, {70, 80}, {90, 5}}); },
       [&](TCanvas& c) { poly(c, &TCanvas::PolyBezier, {{5, 40}, {20, -20}, {70, 80}, {90, 5}}); }},
      {"PolyBezier16", [](TEmfWriter& w) { w.Poly(kPolyBezier16, {{5, 40}, {20, -20}, {70, 80}, {90, 5}}, true); },
       [&](TCanvas& c) { poly(c, &TCanvas::PolyBezier, {{5, 40}, {20, -20}, {70, 80}, {90, 5}}); }},
      {"MoveToEx and LineTo", [](TEmfWriter& w) { w.Pair(kMoveToEx, 3, 40).Pair(kLineTo, 90, 2); },
       [](TCanvas& c) {
         c.MoveTo(3, 40);
         c.LineTo(90, 2);
       }},
      {"PolylineTo", [](TEmfWriter& w) { w.Pair(kMoveToEx, 3, 40).Poly(kPolylineTo, {{50, 2}, {90, 40}}); },
       [&](TCanvas& c) { poly(c, &TCanvas::Polyline, {{3, 40}, {50, 2}, {90, 40}}); }},
      {"PolyBezierTo", [](TEmfWriter& w) { w.Pair(kMoveToEx, 5, 40).Poly(kPolyBezierTo, {{20, -20}, {70, 80}, {90, 5}}); },
       [&](TCanvas& c) { poly(c, &TCanvas::PolyBezier, {{5, 40}, {20, -20}, {70, 80}, {90, 5}}); }},
      {"PolylineTo16", [](TEmfWriter& w) { w.Pair(kMoveToEx, 3, 40).Poly(kPolylineTo16, {{50, 2}, {90, 40}}, true); },
       [&](TCanvas& c) { poly(c, &TCanvas::Polyline, {{3, 40}, {50, 2}, {90, 40}}); }},
      {"PolyPolygon16",
       [](TEmfWriter& w) {
         TBytes p = TEmfWriter::Box(0, 0, 0, 0).U32(2).U32(7).U32(4).U32(3);
         for (TPoint q : {TPoint{2, 2}, {60, 2}, {60, 40}, {2, 40}, {30, 10}, {90, 20}, {30, 30}}) p.W({q.x, q.y});
         w.Record(kPolyPolygon16, p);
       },
       [](TCanvas& c) {
         const TPoint a[] = {{2, 2}, {60, 2}, {60, 40}, {2, 40}}, b[] = {{30, 10}, {90, 20}, {30, 30}};
         c.BeginPath();
         c.Polygon(a);
         c.Polygon(b);
         c.EndPath();
         c.StrokeAndFillPath();
       }},
      {"PolyPolyline",
       [](TEmfWriter& w) {
         TBytes p = TEmfWriter::Box(0, 0, 0, 0).U32(2).U32(5).U32(2).U32(3);
         for (TPoint q : {TPoint{2, 2}, {90, 2}, {2, 10}, {50, 40}, {90, 10}}) p.I32(q.x).I32(q.y);
         w.Record(kPolyPolyline, p);
       },
       [&](TCanvas& c) {
         poly(c, &TCanvas::Polyline, {{2, 2}, {90, 2}});
         poly(c, &TCanvas::Polyline, {{2, 10}, {50, 40}, {90, 10}});
       }},
      {"SetPixelV", [](TEmfWriter& w) { w.Record(kSetPixelV, TBytes().I32(7).I32(9).U32(clLime)); },
       [](TCanvas& c) { c.SetPixel(7, 9, clLime); }},
      {"stock black brush and null pen", [](TEmfWriter& w) { w.Select(kStock | 4).Select(kStock | 8).Rectangle(5, 6, 40, 30); },
       [](TCanvas& c) {
         c.Brush.SetColor(clBlack);
         c.Pen.Style = psClear;
         c.Rectangle(5, 6, 39, 29);
       }},
      {"geometric extended pen",
       [](TEmfWriter& w) {
         w.Record(kExtCreatePen, TBytes().U32(3).Zeros(16).U32(0x10000).U32(5).U32(0).U32(clGreen).U32(0).U32(0))
             .Select(3)
             .Rectangle(10, 10, 60, 40);
       },
       [](TCanvas& c) {
         c.Pen.Color = clGreen;
         c.Pen.Width = 5;
         c.Rectangle(10, 10, 60, 40);
       }},
      {"cosmetic extended pen",
       [](TEmfWriter& w) {
         w.Record(kExtCreatePen, TBytes().U32(3).Zeros(16).U32(0).U32(5).U32(0).U32(clGreen).U32(0).U32(0))
             .Select(3)
             .Rectangle(10, 10, 60, 40);
       },
       [](TCanvas& c) {
         c.Pen.Color = clGreen;
         c.Rectangle(10, 10, 60, 40);
       }},
  };
  for (const Case& k : cases) {
    TEmfWriter w = Page();
    k.record(w);
    const TBitmap got = test::Emf(w.Finish());
    TBitmap want(kW, kH);
    TCanvas c(want);
    c.Pen.Color = clRed;
    c.Brush.SetColor(clBlue);
    k.canvas(c);
    ASSERT_FALSE(BoundsOf(want).IsEmpty()) << k.name;
    EXPECT_EQ(test::FirstDifference(got, want), "") << k.name;
  }
}

TEST(EmfPlayer, FrameAndReferenceDeviceSetSizeAndScale) {
  struct Case {
    const char* name;
    TEmfWriter writer;
    std::function<void(TEmfWriter&)> records;
    int width, height;
    TRect ink;
  };
  const Case cases[] = {
      {"96 dpi", TEmfWriter({0, 0, 2540, 1270}), [](TEmfWriter& w) { w.Rectangle(0, 0, 10, 10); }, 96, 48,
       {0, 0, 10, 10}},
      {"300 dpi device", TEmfWriter({0, 0, 2540, 2540}, {0, 0, -1, -1}, 3000, 3000, 254, 254),
       [](TEmfWriter& w) { w.Rectangle(0, 0, 150, 150); }, 96, 96, {0, 0, 48, 48}},
      {"frame away from the origin", TEmfWriter({1270, 1270, 3810, 3810}),
       [](TEmfWriter& w) { w.Rectangle(48, 48, 58, 58); }, 96, 96, {0, 0, 10, 10}},
      {"bounds without a frame", TEmfWriter({0, 0, 0, 0}, {10, 10, 109, 59}),
       [](TEmfWriter& w) { w.Rectangle(10, 10, 20, 20); }, 100, 50, {0, 0, 10, 10}},
      {"metric map mode", TEmfWriter({0, 0, 2540, 2540}, {0, 0, -1, -1}, 3000, 3000, 254, 254),
       [](TEmfWriter& w) { w.Value(kSetMapMode, 3).Rectangle(0, 0, 1270, -1270); }, 96, 96, {0, 0, 48, 48}},
      {"window and viewport",
       TEmfWriter({0, 0, 2540, 2540}),
       [](TEmfWriter& w) {
         w.Value(kSetMapMode, 8).Pair(kSetWindowOrgEx, 100, 100).Pair(kSetWindowExtEx, 10, 10);
         w.Pair(kSetViewportOrgEx, 10, 20).Pair(kSetViewportExtEx, 40, 20).Rectangle(100, 100, 110, 110);
       },
       96, 96, {10, 20, 50, 40}},
  };
  for (const Case& k : cases) {
    TEmfWriter w = k.writer;
    w.Select(kStock | 4);
    k.records(w);
    const TBitmap b = test::Emf(w.Finish());
    EXPECT_EQ(b.Width(), k.width) << k.name;
    EXPECT_EQ(b.Height(), k.height) << k.name;
    EXPECT_EQ(BoundsOf(b, clBlack), k.ink) << k.name;
  }
}

TEST(EmfPlayer, WorldTransformMapsEveryPoint) {
  struct Case {
    const char* name;
    std::function<void(TEmfWriter&)> records;
    std::function<void(TCanvas&)> canvas;  // Rectangle(0, 0, 20, 10) as it should land
  };
  const Case cases[] = {
      {"scale and move", [](TEmfWriter& w) { w.Transform(kSetWorldTransform, 2, 0, 0, 2, 10, 5); },
       [](TCanvas& c) { c.Rectangle(10, 5, 50, 25); }},
      {"left multiply",
       [](TEmfWriter& w) {
         w.Transform(kSetWorldTransform, 1, 0, 0, 1, 10, 0).Transform(kModifyWorldTransform, 2, 0, 0, 2, 0, 0, 2);
       },
       [](TCanvas& c) { c.Rectangle(10, 0, 50, 20); }},
      {"right multiply",
       [](TEmfWriter& w) {
         w.Transform(kSetWorldTransform, 1, 0, 0, 1, 10, 0).Transform(kModifyWorldTransform, 2, 0, 0, 2, 0, 0, 3);
       },
       [](TCanvas& c) { c.Rectangle(20, 0, 60, 20); }},
      {"identity",
       [](TEmfWriter& w) {
         w.Transform(kSetWorldTransform, 2, 0, 0, 2, 10, 5).Transform(kModifyWorldTransform, 0, 0, 0, 0, 0, 0, 1);
       },
       [](TCanvas& c) { c.Rectangle(0, 0, 20, 10); }},
      {"singular ignored", [](TEmfWriter& w) { w.Transform(kSetWorldTransform, 1, 2, 2, 4, 0, 0); },
       [](TCanvas& c) { c.Rectangle(0, 0, 20, 10); }},
      {"quarter turn", [](TEmfWriter& w) { w.Transform(kSetWorldTransform, 0, 1, -1, 0, 50, 10); },
       [](TCanvas& c) {
         const TPoint p[] = {{50, 10}, {50, 30}, {40, 30}, {40, 10}};
         c.Polygon(p);
       }},
  };
  for (const Case& k : cases) {
    TEmfWriter w = InkPage();
    k.records(w);
    w.Rectangle(0, 0, 20, 10);
    TBitmap want(kW, kH);
    TCanvas c(want);
    c.Brush.SetColor(clBlack);
    k.canvas(c);
    EXPECT_EQ(test::FirstDifference(test::Emf(w.Finish()), want), "") << k.name;
  }
}

TEST(EmfPlayer, RotatedEllipseStaysInsideItsTurnedBox) {
  TEmfWriter w = InkPage();
  w.Transform(kSetWorldTransform, 0, 1, -1, 0, 50, 4).Ellipse(0, 0, 40, 20);
  const TBitmap b = test::Emf(w.Finish());
  const TRect ink = BoundsOf(b, clBlack);
  EXPECT_GE(ink.Left, 29);
  EXPECT_LE(ink.Right, 51);
  EXPECT_GE(ink.Top, 3);
  EXPECT_LE(ink.Bottom, 45);
  EXPECT_GT(ink.Height(), 2 * ink.Width() - 4);  // upright now
  EXPECT_EQ(b.GetPixel(40, 24), clBlack);
}

TEST(EmfPlayer, PathsAreFilledAndStrokedAsTheCanvasDoesIt) {
  auto figure = [](TEmfWriter& w) {
    w.Record(kBeginPath, {}).Pair(kMoveToEx, 10, 10).Pair(kLineTo, 80, 10).Pair(kLineTo, 40, 45);
    w.Record(kCloseFigure, {}).Rectangle(60, 25, 90, 45).Record(kEndPath, {});
  };
  auto canvasFigure = [](TCanvas& c) {
    c.BeginPath();
    c.MoveTo(10, 10);
    c.LineTo(80, 10);
    c.LineTo(40, 45);
    c.CloseFigure();
    c.Rectangle(60, 25, 90, 45);
    c.EndPath();
  };
  struct Case {
    std::uint32_t record;
    void (*use)(TCanvas&);
    int fillMode;
  };
  const Case cases[] = {
      {kFillPath, [](TCanvas& c) { c.FillPath(); }, 1},
      {kStrokePath, [](TCanvas& c) { c.StrokePath(); }, 1},
      {kStrokeAndFillPath, [](TCanvas& c) { c.StrokeAndFillPath(); }, 1},
      {kStrokeAndFillPath, [](TCanvas& c) { c.StrokeAndFillPath(); }, 2},
  };
  for (const Case& k : cases) {
    TEmfWriter w = Page();
    w.Value(kSetPolyFillMode, k.fillMode);
    figure(w);
    w.Record(k.record, TEmfWriter::Box(0, 0, 0, 0));
    TBitmap want(kW, kH);
    TCanvas c(want);
    c.Pen.Color = clRed;
    c.Brush.SetColor(clBlue);
    c.PolyFillMode = k.fillMode == 2 ? fmWinding : fmAlternate;
    canvasFigure(c);
    k.use(c);
    EXPECT_EQ(test::FirstDifference(test::Emf(w.Finish()), want), "") << k.record << " " << k.fillMode;
  }
  // An abandoned path draws nothing, and neither do the figures recorded in it.
  TEmfWriter w = Page();
  figure(w);
  w.Record(kAbortPath, {}).Record(kFillPath, TEmfWriter::Box(0, 0, 0, 0));
  EXPECT_TRUE(BoundsOf(test::Emf(w.Finish())).IsEmpty());
}

TEST(EmfPlayer, ArcToAndAngleArcContinueFromTheCurrentPosition) {
  for (std::uint32_t type : {kArcTo, kAngleArc}) {
    TEmfWriter w = Page();
    w.Pair(kMoveToEx, 0, 20);
    if (type == kArcTo) w.Record(kArcTo, ArcParams(20, 10, 40, 30, 50, 20, 0, 20));  // upper half, right to left
    else w.Record(kAngleArc, TBytes().I32(30).I32(20).U32(10).F32(0).F32(180));
    w.Pair(kLineTo, 20, 40);
    const TBitmap b = test::Emf(w.Finish());
    EXPECT_EQ(b.GetPixel(10, 20), clRed) << type;  // the line to the arc's start
    EXPECT_EQ(b.GetPixel(30, 10), clRed) << type;  // the top of the arc
    EXPECT_EQ(b.GetPixel(30, 30), clWhite) << type;
    EXPECT_EQ(b.GetPixel(20, 35), clRed) << type;  // on from the arc's end
  }
}

TEST(EmfPlayer, PaletteColoursFollowTheSelectedPalette) {
  TEmfWriter w = InkPage();
  w.Record(kCreatePalette, TBytes().U32(3).U16(0x300).U16(3).U32(clRed).U32(clLime).U32(clBlue));
  w.Value(kSelectPalette, 3).CreateBrush(4, 0, 0x01000001).Select(4).Rectangle(0, 0, 10, 10);
  w.Record(kSetPaletteEntries, TBytes().U32(3).U32(1).U32(1).U32(clYellow)).Rectangle(20, 0, 30, 10);
  // A DIB whose colour table holds palette indices: 2 and 0 (blue, red).
  TBytes dib;
  dib.U32(40).I32(2).I32(1).U16(1).U16(1).U32(0).U32(4).U32(0).U32(0).U32(2).U32(0).U16(2).U16(0);
  dib.U8(0x40).Zeros(3);
  TBytes p = TEmfWriter::Box(0, 0, 0, 0);
  p.I32(40).I32(0).I32(0).I32(0).I32(2).I32(1).U32(80).U32(44).U32(124).U32(4).U32(1).U32(0x00CC0020).I32(20).I32(10);
  w.Record(81, p.Append(dib.b));
  const TBitmap b = test::Emf(w.Finish());
  EXPECT_EQ(b.GetPixel(5, 5), clLime);
  EXPECT_EQ(b.GetPixel(25, 5), clYellow);
  EXPECT_EQ(BoundsOf(b, clBlue), Rect(40, 0, 50, 10));
  EXPECT_EQ(BoundsOf(b, clRed), Rect(50, 0, 60, 10));
}

TEST(EmfPlayer, ClipRegionModesCombineWithTheClip) {
  struct Case {
    const char* name;
    std::function<void(TEmfWriter&)> records;
    int count;
    TRect bounds;
  };
  const Case cases[] = {
      {"copy", [](TEmfWriter& w) { w.ExtSelectClipRgn(5, {{10, 10, 30, 20}}); }, 200, {10, 10, 30, 20}},
      {"and", [](TEmfWriter& w) { w.ExtSelectClipRgn(5, {{10, 10, 30, 20}}).ExtSelectClipRgn(1, {{20, 0, 50, 50}}); },
       100, {20, 10, 30, 20}},
      {"or", [](TEmfWriter& w) { w.ExtSelectClipRgn(5, {{10, 10, 30, 20}}).ExtSelectClipRgn(2, {{40, 40, 50, 50}}); },
       300, {10, 10, 50, 50}},
      {"xor without a clip", [](TEmfWriter& w) { w.ExtSelectClipRgn(3, {{10, 10, 30, 20}}); }, 2500 - 200,
       {0, 0, 50, 50}},
      {"difference", [](TEmfWriter& w) { w.ExtSelectClipRgn(4, {{10, 10, 30, 20}, {0, 0, 5, 5}}); }, 2500 - 225,
       {0, 0, 50, 50}},
      {"empty copy resets",
       [](TEmfWriter& w) { w.ExtSelectClipRgn(5, {{10, 10, 30, 20}}).Record(75, TBytes().U32(0).U32(5)); }, 2500,
       {0, 0, 50, 50}},
      {"intersect and exclude rectangles",
       [](TEmfWriter& w) { w.Record(30, TEmfWriter::Box(10, 10, 30, 20)).Record(29, TEmfWriter::Box(20, 0, 50, 50)); },
       100, {10, 10, 20, 20}},
  };
  for (const Case& k : cases) {
    TEmfWriter w = InkPage(96, 96);
    k.records(w);
    w.Rectangle(0, 0, 50, 50);
    const TBitmap b = test::Emf(w.Finish());
    EXPECT_EQ(CountOf(b, clBlack), k.count) << k.name;
    EXPECT_EQ(BoundsOf(b, clBlack), k.bounds) << k.name;
  }
}

TEST(EmfPlayer, RegionRecordsPaintFrameAndInvert) {
  auto region = [](std::initializer_list<TRect> rects) { return TEmfWriter::RegionData(rects); };
  TEmfWriter w = Page();
  w.CreateBrush(3, 0, clLime);
  const TBytes fill = region({{2, 2, 12, 12}}), frame = region({{2, 20, 12, 30}}), invert = region({{20, 20, 30, 30}}),
               paint = region({{20, 2, 30, 12}});
  w.Record(kFillRgn, TEmfWriter::Box(0, 0, 0, 0).U32(static_cast<std::uint32_t>(fill.Size())).U32(3).Append(fill.b));
  w.Record(kFrameRgn,
           TEmfWriter::Box(0, 0, 0, 0).U32(static_cast<std::uint32_t>(frame.Size())).U32(3).I32(2).I32(2).Append(frame.b));
  w.Record(kInvertRgn, TEmfWriter::Box(0, 0, 0, 0).U32(static_cast<std::uint32_t>(invert.Size())).Append(invert.b));
  w.Record(kPaintRgn, TEmfWriter::Box(0, 0, 0, 0).U32(static_cast<std::uint32_t>(paint.Size())).Append(paint.b));
  const TBitmap b = test::Emf(w.Finish());
  EXPECT_EQ(CountOf(b, clLime), 100 + 64);
  EXPECT_EQ(b.GetPixel(7, 25), clWhite);
  EXPECT_EQ(BoundsOf(b, clBlack), Rect(20, 20, 30, 30));
  EXPECT_EQ(BoundsOf(b, clBlue), Rect(20, 2, 30, 12));
}

TEST(EmfPlayer, BitmapRecordsCopyIntoPlace) {
  const TBitmap quad = Quad();
  TEmfWriter w = Page();
  w.StretchDiBits(quad, 0, 0, 20, 20);
  w.Record(kBitBlt, BlitParams(quad, 30, 0, 1, 1, 1, 1, 0x00CC0020, std::nullopt));  // the yellow pixel
  w.Record(kStretchBlt, BlitParams(quad, 30, 10, 10, 4, 0, 0, 0x00CC0020, std::pair(2, 1)));  // the top row
  // A source-less BitBlt paints the brush.
  TBytes pat = TEmfWriter::Box(0, 0, 0, 0);
  pat.I32(50).I32(0).I32(5).I32(5).U32(0x00F00021).I32(0).I32(0).Zeros(24).U32(0).U32(0).Zeros(16);
  w.Record(kBitBlt, pat);
  // SetDIBitsToDevice with the bottom row only: its left pixel at (60, 0).
  const std::vector<std::uint8_t> dib = test::PackedDib(quad);
  TBytes set = TEmfWriter::Box(0, 0, 0, 0);
  set.I32(60).I32(0).I32(0).I32(0).I32(1).I32(1).U32(76).U32(40).U32(116).U32(8).U32(0).U32(0).U32(1);
  set.Append(std::vector<std::uint8_t>(dib.begin(), dib.begin() + 48));
  w.Record(kSetDiBitsToDevice, set);
  const TBitmap b = test::Emf(w.Finish());
  struct Probe {
    int x, y;
    TColor color;
  };
  const Probe probes[] = {{0, 0, clRed},     {19, 0, clLime},   {0, 19, clBlue},   {19, 19, clYellow},
                          {30, 0, clYellow}, {31, 0, clWhite},  {34, 12, clRed},   {35, 13, clLime},
                          {39, 14, clWhite}, {52, 2, clBlue},   {55, 2, clWhite},  {60, 0, clBlue},
                          {61, 0, clWhite}};
  for (const Probe& p : probes) EXPECT_EQ(b.GetPixel(p.x, p.y), p.color) << p.x << ", " << p.y;
}

}  // namespace
}  // namespace kroma
