#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <string>

#include "core/Canvas.h"

#include "ImageTestUtil.h"

namespace kroma {
namespace {

using namespace testutil;

TEST(CanvasFlood, SurfaceFillIsFourConnected) {
  TBitmap b = FromText({
      "..#....",
      ".#.#...",
      "#...#..",
      ".#.#.o.",
      "..#..o.",
  });
  TCanvas& c = b.Canvas();
  c.Brush.SetColor(clBlue);
  EXPECT_EQ(c.FloodFill(2, 2, clWhite, fsSurface), Rect(1, 1, 4, 4));  // the diamond's inside; its corners do not leak
  EXPECT_EQ(ToText(b), (std::vector<std::string>{
                           "..#....",
                           ".#b#...",
                           "#bbb#..",
                           ".#b#.o.",
                           "..#..o.",
                       }));
  EXPECT_TRUE(c.FloodFill(0, 0, clRed, fsSurface).IsEmpty());  // the seed has another colour
  c.FloodFill(6, 0, clWhite, fsSurface);
  EXPECT_EQ(ToText(b)[4], "..#..ob");  // the pocket at (3..4, 3..4) is cut off by red and black
  EXPECT_EQ(ToText(b)[3], ".#b#.ob");
}

TEST(CanvasFlood, BorderFillStopsOnlyAtTheBorderColour) {
  TBitmap b = FromText({
      "#######",
      "#..o..#",
      "#.ooo.#",
      "###.###",
      "..#.#..",
  });
  TCanvas& c = b.Canvas();
  c.Brush.SetColor(clBlue);
  c.FloodFill(1, 1, clBlack, fsBorder);
  EXPECT_EQ(ToText(b), (std::vector<std::string>{
                           "#######",
                           "#bbbbb#",
                           "#bbbbb#",
                           "###b###",
                           "..#b#..",
                       }));
  EXPECT_TRUE(c.FloodFill(0, 0, clBlack, fsBorder).IsEmpty());  // seed on the border
}

TEST(CanvasFlood, MatchesABreadthFirstSearch) {
  std::mt19937 rng(5);
  for (int round = 0; round < 20; ++round) {
    TBitmap b(37, 23);
    for (int y = 0; y < 23; ++y)
      for (int x = 0; x < 37; ++x) b.SetPixel(x, y, rng() % 100 < 38 ? clBlack : clWhite);
    const int sx = static_cast<int>(rng() % 37), sy = static_cast<int>(rng() % 23);
    const TColor seed = b.GetPixel(sx, sy);
    TBitmap expect = b;
    std::deque<TPoint> queue{{sx, sy}};
    expect.SetPixel(sx, sy, clBlue);
    while (!queue.empty()) {
      TPoint p = queue.front();
      queue.pop_front();
      for (TPoint d : {TPoint{1, 0}, TPoint{-1, 0}, TPoint{0, 1}, TPoint{0, -1}}) {
        TPoint q{p.x + d.x, p.y + d.y};
        if (expect.GetPixel(q.x, q.y) == seed) {
          expect.SetPixel(q.x, q.y, clBlue);
          queue.push_back(q);
        }
      }
    }
    b.Canvas().Brush.SetColor(clBlue);
    b.Canvas().FloodFill(sx, sy, seed, fsSurface);
    ASSERT_EQ(ToText(b), ToText(expect)) << "round " << round;
  }
}

TEST(CanvasFlood, BrushesSeedsAndTinyImages) {
  // A solid brush of the seed's colour changes nothing; a pattern still fills.
  TBitmap b(10, 2);
  TCanvas& c = b.Canvas();
  c.Brush.SetColor(clWhite);
  EXPECT_TRUE(c.FloodFill(3, 1, clWhite, fsSurface).IsEmpty());
  TBitmap pattern(2, 1);
  pattern.SetPixel(1, 0, clRed);
  c.Brush.SetBitmap(&pattern);
  EXPECT_EQ(c.FloodFill(3, 1, clWhite, fsSurface), b.BoundsRect());
  EXPECT_EQ(ToText(b)[0], ".o.o.o.o.o");
  c.Brush.SetBitmap(nullptr);
  c.Brush.SetColor(clBlack);
  c.Brush.SetStyle(bsVertical);  // hatch: only its lines
  c.FloodFill(0, 0, clBlack, fsBorder);
  EXPECT_EQ(ToText(b)[1], "#o.o.o.o#o");
  for (TPoint seed : {TPoint{-1, 0}, TPoint{10, 1}, TPoint{0, 2}, TPoint{INT_MIN, INT_MAX}})
    EXPECT_TRUE(c.FloodFill(seed.x, seed.y, clWhite, fsSurface).IsEmpty());

  for (auto [w, h] : {std::pair{1, 1}, std::pair{1, 5}, std::pair{5, 1}}) {
    TBitmap tiny(w, h);
    tiny.Canvas().Brush.SetColor(clRed);
    EXPECT_EQ(tiny.Canvas().FloodFill(0, h - 1, clWhite, fsSurface), tiny.BoundsRect());
    EXPECT_EQ(tiny.GetPixel(w - 1, 0), clRed);
    tiny.Canvas().Brush.SetColor(clBlue);
    EXPECT_EQ(tiny.Canvas().FloodFill(w - 1, 0, clBlack, fsBorder), tiny.BoundsRect());
  }
}

}  // namespace
}  // namespace kroma
