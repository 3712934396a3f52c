#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "core/Canvas.h"
#include "core/Region.h"

namespace kroma {
namespace {

// The pixels a canvas call paints black on white.
TSpanSet Painted(const std::function<void(TCanvas&)>& draw, const TRect& bounds) {
  TBitmap b(bounds.Right, bounds.Bottom);
  TCanvas& c = b.Canvas();
  c.Pen.Style = psClear;
  c.Brush.SetColor(clBlack);
  draw(c);
  std::vector<TSpan> runs;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.GetPixel(x, y) == clBlack) runs.push_back({y, x, x + 1});
  return TSpanSet::FromUnsorted(runs);
}

TEST(Region, ShapesHaveTheCanvasFiguresPixels) {
  const TRect bounds = Rect(0, 0, 40, 30);
  const std::vector<TPoint> star{{20, 1}, {31, 28}, {2, 10}, {38, 10}, {8, 28}};
  struct Case {
    const char* name;
    TRegion region;
    std::function<void(TCanvas&)> draw;
  };
  const Case cases[] = {
      {"rect", TRegion::Rect(Rect(33, 25, 4, 3)), [](TCanvas& c) { c.Rectangle(4, 3, 33, 25); }},
      {"ellipse", TRegion::Ellipse(Rect(3, 2, 38, 27)), [](TCanvas& c) { c.Ellipse(3, 2, 38, 27); }},
      {"round rect", TRegion::RoundRect(Rect(3, 2, 38, 27), 14, 9), [](TCanvas& c) { c.RoundRect(3, 2, 38, 27, 14, 9); }},
      {"polygon", TRegion::Polygon(star, fmAlternate), [&star](TCanvas& c) { c.Polygon(star); }},
      {"winding polygon", TRegion::Polygon(star, fmWinding),
       [&star](TCanvas& c) {
         c.BeginPath();
         c.Polygon(star);
         c.EndPath();
         c.PolyFillMode = fmWinding;
         c.FillPath();
       }},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    const TSpanSet expect = Painted(k.draw, bounds);
    EXPECT_FALSE(expect.Empty());
    EXPECT_EQ(k.region.Rasterize(bounds).Spans(), expect.Spans());
  }
}

TEST(Region, CombinationsAndOffsets) {
  const TRegion a = TRegion::Ellipse(Rect(0, 0, 20, 14)), b = TRegion::Rect(Rect(8, 5, 26, 19));
  struct Op {
    TRegionOp op;
    std::function<bool(bool, bool)> f;
  };
  const Op ops[] = {{rgnAnd, [](bool p, bool q) { return p && q; }},
                    {rgnOr, [](bool p, bool q) { return p || q; }},
                    {rgnXor, [](bool p, bool q) { return p != q; }},
                    {rgnDiff, [](bool p, bool q) { return p && !q; }},
                    {rgnCopy, [](bool p, bool) { return p; }}};
  for (const Op& op : ops) {
    TRegion r = TRegion::Combine(a, b, op.op);
    r.Offset(-3, 4);
    for (int y = -2; y < 25; ++y)
      for (int x = -5; x < 30; ++x)
        ASSERT_EQ(r.Contains(x, y), op.f(a.Contains(x + 3, y - 4), b.Contains(x + 3, y - 4)))
            << "op " << op.op << " at " << x << "," << y;
  }
  EXPECT_TRUE(TRegion().Rasterize(Rect(0, 0, 10, 10)).Empty());
}

TEST(Region, AnySizeAndOffsetCostsOnlyTheWindow) {
  const TRect window = Rect(0, 0, 10, 10);
  const TRegion all = TRegion::Ellipse(Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX));
  EXPECT_EQ(all.Rasterize(window).PixelCount(), 100);
  TRegion moved = all;
  moved.Offset(INT_MAX, 0);
  moved.Offset(INT_MAX, 0);  // far beyond the int range: nothing left in any window
  EXPECT_TRUE(moved.Rasterize(window).Empty());
  TRegion back = TRegion::Rect(Rect(INT_MIN, 0, INT_MIN + 5, 3));
  back.Offset(INT_MAX, 0);
  back.Offset(1, 0);  // now at 0 .. 5
  EXPECT_EQ(back.Rasterize(window).Bounds(), Rect(0, 0, 5, 3));
  EXPECT_FALSE(TRegion::Rect(Rect(0, 0, INT_MAX, INT_MAX)).Contains(INT_MAX, 0));
  EXPECT_TRUE(TRegion::Rect(Rect(0, 0, INT_MAX, INT_MAX)).Contains(INT_MAX - 1, INT_MAX - 1));
}

}  // namespace
}  // namespace kroma
