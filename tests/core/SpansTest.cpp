#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <set>

#include "core/Error.h"
#include "core/Spans.h"

namespace kroma {
namespace {

using PixelSet = std::set<std::pair<int, int>>;  // (y, x)

PixelSet Pixels(const TSpanSet& s) {
  PixelSet out;
  for (const TSpan& r : s.Spans())
    for (int x = r.x0; x < r.x1; ++x) out.insert({r.y, x});
  return out;
}

// Runs are sorted, non-empty, and never overlap or touch within a row.
void ExpectCanonical(const TSpanSet& s) {
  const auto& v = s.Spans();
  for (std::size_t i = 0; i < v.size(); ++i) {
    EXPECT_LT(v[i].x0, v[i].x1);
    if (i > 0) {
      EXPECT_TRUE(v[i - 1].y < v[i].y || v[i - 1].x1 < v[i].x0) << "run " << i;
    }
  }
}

TSpanSet RandomSet(std::mt19937& rng) {
  std::uniform_int_distribution<int> row(0, 5), col(-3, 12), len(0, 5);
  std::vector<TSpan> runs;
  for (int i = 0; i < 12; ++i) {
    int x = col(rng);
    runs.push_back({row(rng), x, x + len(rng)});
  }
  return TSpanSet::FromUnsorted(runs);
}

TEST(Spans, SetOperationsMatchPixelSets) {
  std::mt19937 rng(7);
  for (int round = 0; round < 200; ++round) {
    TSpanSet a = RandomSet(rng), b = RandomSet(rng);
    PixelSet pa = Pixels(a), pb = Pixels(b), expect;
    ExpectCanonical(a);

    std::set_union(pa.begin(), pa.end(), pb.begin(), pb.end(), std::inserter(expect, expect.end()));
    TSpanSet u = a.Union(b);
    EXPECT_EQ(Pixels(u), expect);
    ExpectCanonical(u);

    expect.clear();
    std::set_intersection(pa.begin(), pa.end(), pb.begin(), pb.end(), std::inserter(expect, expect.end()));
    EXPECT_EQ(Pixels(a.Intersect(b)), expect);

    expect.clear();
    std::set_difference(pa.begin(), pa.end(), pb.begin(), pb.end(), std::inserter(expect, expect.end()));
    TSpanSet d = a.Subtract(b);
    EXPECT_EQ(Pixels(d), expect);
    ExpectCanonical(d);

    expect.clear();
    std::set_symmetric_difference(pa.begin(), pa.end(), pb.begin(), pb.end(), std::inserter(expect, expect.end()));
    TSpanSet x = a.Xor(b);
    EXPECT_EQ(Pixels(x), expect);
    ExpectCanonical(x);

    EXPECT_EQ(a.PixelCount(), static_cast<std::int64_t>(pa.size()));
    for (int y = -1; y <= 6; ++y)
      for (int px = -4; px <= 18; ++px) ASSERT_EQ(a.Contains(px, y), pa.count({y, px}) == 1) << px << "," << y;
  }
}

TEST(Spans, FromUnsortedMergesOverlappingAndTouchingRuns) {
  TSpanSet s = TSpanSet::FromUnsorted({{2, 5, 8}, {1, 0, 3}, {2, 0, 5}, {2, 7, 9}, {1, 4, 4}, {1, 3, 4}});
  EXPECT_EQ(s.Spans(), (std::vector<TSpan>{{1, 0, 4}, {2, 0, 9}}));
  EXPECT_EQ(s.Bounds(), Rect(0, 1, 9, 3));
}

TEST(Spans, ClipOffsetAndBounds) {
  TSpanSet s(Rect(-5, -5, 5, 5));
  EXPECT_EQ(s.Clipped(Rect(0, 0, 3, 10)).Bounds(), Rect(0, 0, 3, 5));
  EXPECT_TRUE(s.Clipped(Rect(5, 0, 9, 9)).Empty());
  s.Offset(10, 1);
  EXPECT_EQ(s.Bounds(), Rect(5, -4, 15, 6));
  // Pixels moved past the int range are dropped, the rest stay.
  TSpanSet edge(Rect(INT_MAX - 4, 0, INT_MAX, 2));
  edge.Offset(2, 0);
  EXPECT_EQ(edge.Bounds(), Rect(INT_MAX - 2, 0, INT_MAX, 2));
  edge.Offset(0, INT_MAX);
  EXPECT_EQ(edge.Spans().size(), 1u);
  EXPECT_EQ(edge.Spans()[0].y, INT_MAX);
}

TEST(Spans, BadInputIsAnError) {
  EXPECT_THROW(TSpanSet(Rect(0, INT_MIN, 1, INT_MAX)), Error);
  TSpanSet s;
  s.AppendSorted(3, 0, 2);
  s.AppendSorted(3, 2, 4);  // touching: merged
  EXPECT_EQ(s.Spans().size(), 1u);
  EXPECT_THROW(s.AppendSorted(2, 0, 1), Error);
}

}  // namespace
}  // namespace kroma
