// The rasterisers on their own: exact pixel rules, windows, huge values.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>

#include "core/Error.h"
#include "core/RasterCurve.h"
#include "core/RasterEllipse.h"
#include "core/RasterLine.h"
#include "core/RasterOutline.h"
#include "core/RasterPolygon.h"
#include "core/RasterStroke.h"

namespace kroma {
namespace {

TSpanSet LinePixels(TPoint a, TPoint b, const TRect& window) {
  TDashPattern solid;
  TOutlineCollector out(solid);
  RasterLine(a, b, window, 0, out);
  return out.On();
}

TEST(RasterEllipse, MatchesTheCentreTestAndIsSymmetric) {
  for (int w = 1; w <= 13; ++w) {
    for (int h = 1; h <= 9; ++h) {
      const TBox64 box{-3, 2, -3 + w, 2 + h};
      const TSpanSet area = EllipseArea(box, Rect(-10, -10, 20, 20));
      const double cx = -3 + w / 2.0, cy = 2 + h / 2.0;
      for (int y = -4; y < 14; ++y) {
        for (int x = -6; x < 12; ++x) {
          // Pixel centres in or on the ellipse; the values here are exact in doubles.
          const double u = (x + 0.5 - cx) / (w / 2.0), v = (y + 0.5 - cy) / (h / 2.0);
          ASSERT_EQ(area.Contains(x, y), u * u + v * v <= 1) << w << "x" << h << " at " << x << "," << y;
          // Mirror images about both axes of the box.
          ASSERT_EQ(area.Contains(x, y), area.Contains(2 * -3 + w - 1 - x, y));
          ASSERT_EQ(area.Contains(x, y), area.Contains(x, 2 * 2 + h - 1 - y));
        }
      }
    }
  }
}

TEST(RasterEllipse, FullIntBoxIsExactAtItsFarEdge) {
  // For the box of the whole int range the leftmost column x = INT_MIN has
  // |X| = W - 1 with W = 2^32 - 1, so row -1 + k holds it exactly when
  // 4 k^2 <= 2W - 1, i.e. |k| <= 46340.
  const TBox64 box{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
  std::int64_t x0 = 0, x1 = 0;
  for (std::int64_t k : {0, 46340, -46340}) {
    ASSERT_TRUE(EllipseRow(box, -1 + k, x0, x1));
    EXPECT_EQ(x0, INT_MIN) << k;
    EXPECT_EQ(x1, INT_MAX) << k;
  }
  for (std::int64_t k : {46341, -46341}) {
    ASSERT_TRUE(EllipseRow(box, -1 + k, x0, x1));
    EXPECT_EQ(x0, std::int64_t{INT_MIN} + 1) << k;
    EXPECT_EQ(x1, std::int64_t{INT_MAX} - 1) << k;
  }
  // Grown by a huge pen the maths still holds: the top row of the grown
  // box is a short run about the centre.
  const TBox64 grown = box.Grown(std::int64_t{1} << 30);
  ASSERT_TRUE(EllipseRow(grown, grown.top, x0, x1));
  EXPECT_EQ(x0 + x1, -1);  // symmetric about the centre -1/2
  EXPECT_LT(x1 - x0, std::int64_t{1} << 20);
}

TEST(RasterEllipse, RoundRectCornersFollowTheCornerEllipse) {
  const TBox64 box{0, 0, 20, 10};
  const TSpanSet rr = RoundRectArea(box, box.Width(), box.Height(), Rect(0, 0, 20, 10));
  EXPECT_EQ(rr.Spans(), EllipseArea(box, Rect(0, 0, 20, 10)).Spans());  // corners as big as the box: an ellipse
  EXPECT_EQ(RoundRectArea(box, 0, 6, Rect(0, 0, 20, 10)).PixelCount(), 200);  // no corner: the box
  // Corners 6 x 4: rows 0-1 and 8-9 follow a 6 x 4 ellipse widened by 14.
  const TSpanSet r = RoundRectArea(box, 6, 4, Rect(0, 0, 20, 10));
  const TSpanSet corner = EllipseArea({0, 0, 6, 4}, Rect(0, 0, 6, 4));
  for (int y : {0, 1}) {
    std::int64_t a0, a1, c0, c1;
    ASSERT_TRUE(RoundRectRow(box, 6, 4, y, a0, a1));
    ASSERT_TRUE(EllipseRow({0, 0, 6, 4}, y, c0, c1));
    EXPECT_EQ(a0, c0);
    EXPECT_EQ(a1, c1 + 14);
    EXPECT_EQ(r.Contains(0, y), corner.Contains(0, y));
  }
  EXPECT_EQ(r.Spans()[2], (TSpan{2, 0, 20}));
}

TEST(RasterLine, OnePixelPerMajorStepNearestTheLineAndTheSameBothWays) {
  const TRect window = Rect(-20, -20, 20, 20);
  for (int x0 = -3; x0 <= 3; ++x0)
    for (int y0 = -3; y0 <= 3; ++y0)
      for (int x1 = -3; x1 <= 3; ++x1)
        for (int y1 = -3; y1 <= 3; ++y1) {
          const TPoint a{x0, y0}, b{x1, y1};
          const TSpanSet fwd = LinePixels(a, b, window), back = LinePixels(b, a, window);
          if (a == b) {
            EXPECT_TRUE(fwd.Empty());
            continue;
          }
          // Same set in both directions apart from the end left out.
          EXPECT_EQ(fwd.Union(TSpanSet(Rect(x1, y1, x1 + 1, y1 + 1))).Spans(),
                    back.Union(TSpanSet(Rect(x0, y0, x0 + 1, y0 + 1))).Spans());
          EXPECT_FALSE(fwd.Contains(x1, y1));
          EXPECT_TRUE(fwd.Contains(x0, y0));
          const int dx = x1 - x0, dy = y1 - y0;
          const bool xMajor = std::abs(dx) >= std::abs(dy);
          EXPECT_EQ(fwd.PixelCount(), std::max(std::abs(dx), std::abs(dy)));
          for (const TSpan& s : fwd.Spans())
            for (int x = s.x0; x < s.x1; ++x) {
              // Distance to the exact line along the minor axis, in halves.
              const int num = xMajor ? 2 * (s.y - y0) * dx - 2 * dy * (x - x0) : 2 * (x - x0) * dy - 2 * dx * (s.y - y0);
              const int den = xMajor ? dx : dy;  // minor - exact = num / (2 den)
              const double off = static_cast<double>(num) / (2.0 * den);
              EXPECT_TRUE(off > -0.5 && off <= 0.5) << "pixel " << x << "," << s.y << " of " << x0 << "," << y0
                                                      << " -> " << x1 << "," << y1;
            }
        }
}

TEST(RasterLine, WindowedPixelsAreExactlyTheVisiblePart) {
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> coord(-1500, 1500);
  const TRect big = Rect(-2000, -2000, 2000, 2000), small = Rect(-7, 3, 40, 31);
  for (int i = 0; i < 300; ++i) {
    const TPoint a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)};
    ASSERT_EQ(LinePixels(a, b, small).Spans(), LinePixels(a, b, big).Clipped(small).Spans());
  }
  // Lines across the whole int range clip the same way.
  const TRect w1 = Rect(-60, -60, 60, 60), w2 = Rect(-5, -9, 17, 30);
  for (auto [a, b] : {std::pair{TPoint{INT_MIN, -7}, TPoint{INT_MAX, 9}}, std::pair{TPoint{3, INT_MAX}, TPoint{-2, INT_MIN}},
                      std::pair{TPoint{INT_MIN, INT_MIN}, TPoint{INT_MAX, INT_MAX}}}) {
    const TSpanSet wide = LinePixels(a, b, w1);
    EXPECT_FALSE(wide.Empty());
    EXPECT_EQ(LinePixels(a, b, w2).Spans(), wide.Clipped(w2).Spans());
  }
  EXPECT_EQ(LinePixels({INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, Rect(0, 0, 4, 4)).Spans(),
            (std::vector<TSpan>{{0, 0, 1}, {1, 1, 2}, {2, 2, 3}, {3, 3, 4}}));
}

TEST(RasterLine, PositionsCountMajorStepsFromTheStart) {
  TDashPattern dots{1, 1};
  TOutlineCollector out(dots);
  RasterLine({5, 0}, {-100000, 0}, Rect(0, 0, 8, 1), 0, out);  // drawn right to left from x = 5
  EXPECT_EQ(out.On().Spans(), (std::vector<TSpan>{{0, 1, 2}, {0, 3, 4}, {0, 5, 6}}));
  EXPECT_EQ(out.Gaps().Spans(), (std::vector<TSpan>{{0, 0, 1}, {0, 2, 3}, {0, 4, 5}}));
}

// Splits a quadrilateral into two along a line through two of its edges
// and checks that the halves share no pixel and together make the whole.
TEST(RasterPolygon, FiguresSharingAnEdgeShareNoPixel) {
  std::mt19937 rng(11);
  std::uniform_real_distribution<double> jitter(-0.5, 0.5);
  const TRect window = Rect(-5, -5, 30, 30);
  for (int i = 0; i < 200; ++i) {
    const TPointF a{0 + jitter(rng), 0 + jitter(rng)}, b{20 + jitter(rng), 1 + jitter(rng)};
    const TPointF c{22 + jitter(rng), 19 + jitter(rng)}, d{1 + jitter(rng), 21 + jitter(rng)};
    const double t = (i % 2) ? 0.5 : 0.25 + jitter(rng) / 4;
    const TPointF m{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}, n{d.x + (c.x - d.x) * t, d.y + (c.y - d.y) * t};
    const TPointF sample = (i % 3 == 0) ? TPointF{0.5, 0.5} : TPointF{0, 0};
    const TSpanSet whole = ScanConvert({a, b, c, d}, fmAlternate, sample, window);
    const TSpanSet left = ScanConvert({a, m, n, d}, fmAlternate, sample, window);
    const TSpanSet right = ScanConvert({m, b, c, n}, fmWinding, sample, window);
    ASSERT_TRUE(left.Intersect(right).Empty()) << i;
    ASSERT_EQ(left.Union(right).Spans(), whole.Spans()) << i;
  }
  // Integer squares: left and top edges in, right and bottom out.
  EXPECT_EQ(ScanConvert({{2, 1}, {5, 1}, {5, 3}, {2, 3}}, fmAlternate, {0, 0}, window).Spans(),
            (std::vector<TSpan>{{1, 2, 5}, {2, 2, 5}}));
}

TEST(RasterPolygon, FillRulesAndWindows) {
  // A pentagram: its centre is wound twice.
  const std::vector<TPointF> star{{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
  const TRect window = Rect(0, 0, 21, 21);
  EXPECT_FALSE(ScanConvert(star, fmAlternate, {0, 0}, window).Contains(10, 10));
  EXPECT_TRUE(ScanConvert(star, fmWinding, {0, 0}, window).Contains(10, 10));
  EXPECT_TRUE(ScanConvert(star, fmAlternate, {0, 0}, window).Contains(10, 3));
  // A contour at the int range's ends, seen through two windows.
  const std::vector<TPointF> huge{{INT_MIN, INT_MIN}, {INT_MAX, -3}, {12.5, INT_MAX}};
  const TRect w1 = Rect(-50, -50, 50, 50), w2 = Rect(-3, -20, 30, 9);
  const TSpanSet big = ScanConvert(huge, fmWinding, {0, 0}, w1);
  EXPECT_FALSE(big.Empty());
  EXPECT_EQ(ScanConvert(huge, fmWinding, {0, 0}, w2).Spans(), big.Clipped(w2).Spans());
  EXPECT_THROW(ScanConvert({{0, 0}, {NAN, 5}, {5, 5}}, fmAlternate, {0, 0}, w1), Error);
}

TEST(RasterStroke, WidthCoversExactlyThatManyRowsOrColumns) {
  const TRect window = Rect(-30, -30, 30, 30);
  for (int w = 2; w <= 9; ++w) {
    const TFigureF horizontal{{{-100, 3}, {100, 3}}, false}, vertical{{{-4, -100}, {-4, 100}}, false};
    const TRect h = StrokeFigures(std::span(&horizontal, 1), w, window).Bounds();
    const TRect v = StrokeFigures(std::span(&vertical, 1), w, window).Bounds();
    EXPECT_EQ(h.Height(), w);
    EXPECT_EQ(v.Width(), w);
    EXPECT_EQ(h.Top, 3 - w / 2);  // w div 2 rows above, the rest on and below
    EXPECT_EQ(v.Left, -4 - w / 2);
  }
  // Round caps: a short segment's ends are discs, symmetric about it.
  const TFigureF dash{{{0, 0}, {6, 0}}, false};
  const TSpanSet caps = StrokeFigures(std::span(&dash, 1), 5, window);
  EXPECT_TRUE(caps.Contains(-2, 0) && caps.Contains(8, 0));
  EXPECT_FALSE(caps.Contains(-2, 2) || caps.Contains(8, 2));
  EXPECT_EQ(caps.Bounds(), Rect(-2, -2, 9, 3));
  const TFigureF point{{{1, 1}, {1, 1}}, true};
  EXPECT_TRUE(StrokeFigures(std::span(&point, 1), 7, window).Empty());
}

TEST(RasterCurve, BezierPiecesDependOnTheControlPolygonOnly) {
  EXPECT_EQ(BezierPieces({0, 0}, {1, 0}, {2, 0}, {3, 0}), 1);  // straight and even: one piece
  const int n = BezierPieces({0, 0}, {0, 100}, {100, 100}, {100, 0});
  EXPECT_EQ(n, static_cast<int>(std::ceil(std::sqrt(3 * std::hypot(100.0, 100.0)))));
  EXPECT_EQ(BezierPieces({INT_MIN, 0}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MIN}, {INT_MAX, 0}), kMaxBezierPieces);
  std::vector<TPointF> pts;
  FlattenBezier({0, 0}, {0, 100}, {100, 100}, {100, 0}, pts);
  ASSERT_EQ(static_cast<int>(pts.size()), n);
  EXPECT_EQ(pts.back(), (TPointF{100, 0}));
  EXPECT_DOUBLE_EQ(pts[static_cast<std::size_t>(n / 2 - 1)].y, pts[static_cast<std::size_t>(n - n / 2 - 1)].y);
}

TEST(RasterOutline, InnerBorderOfAnEllipseIsAClosedRing) {
  const TSpanSet area = EllipseArea({0, 0, 23, 15}, Rect(-1, -1, 24, 16));
  const TSpanSet ring = InnerBorder(area);
  // Every ring pixel has a 4-neighbour outside; the rest has none.
  for (const TSpan& s : area.Spans())
    for (int x = s.x0; x < s.x1; ++x) {
      const bool edge = !area.Contains(x - 1, s.y) || !area.Contains(x + 1, s.y) || !area.Contains(x, s.y - 1) ||
                        !area.Contains(x, s.y + 1);
      ASSERT_EQ(ring.Contains(x, s.y), edge);
    }
  // Closed and 8-connected: every ring pixel has exactly two 8-neighbours on
  // the ring or more (never an end).
  for (const TSpan& s : ring.Spans())
    for (int x = s.x0; x < s.x1; ++x) {
      int n = 0;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) n += (dx || dy) && ring.Contains(x + dx, s.y + dy);
      ASSERT_GE(n, 2) << x << "," << s.y;
    }
}

}  // namespace
}  // namespace kroma
