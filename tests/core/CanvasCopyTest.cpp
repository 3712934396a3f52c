#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <functional>

#include "core/Canvas.h"

#include "ImageTestUtil.h"

namespace kroma {
namespace {

using namespace testutil;

TBitmap Numbered(int w, int h) {
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, RGB(x * 9 + 1, y * 17 + 2, (x ^ y) * 5 + 3));
  return b;
}

TEST(CanvasCopy, NamedCopyModesFollowTheirFormulas) {
  using F = std::function<unsigned(unsigned, unsigned, unsigned)>;  // (P, S, D)
  const std::pair<TCopyMode, F> modes[] = {
      {cmBlackness, [](unsigned, unsigned, unsigned) { return 0u; }},
      {cmWhiteness, [](unsigned, unsigned, unsigned) { return 255u; }},
      {cmDstInvert, [](unsigned, unsigned, unsigned d) { return ~d; }},
      {cmMergeCopy, [](unsigned p, unsigned s, unsigned) { return p & s; }},
      {cmMergePaint, [](unsigned, unsigned s, unsigned d) { return ~s | d; }},
      {cmNotSrcCopy, [](unsigned, unsigned s, unsigned) { return ~s; }},
      {cmNotSrcErase, [](unsigned, unsigned s, unsigned d) { return ~(s | d); }},
      {cmPatCopy, [](unsigned p, unsigned, unsigned) { return p; }},
      {cmPatInvert, [](unsigned p, unsigned, unsigned d) { return p ^ d; }},
      {cmPatPaint, [](unsigned p, unsigned s, unsigned d) { return p | ~s | d; }},
      {cmSrcAnd, [](unsigned, unsigned s, unsigned d) { return s & d; }},
      {cmSrcCopy, [](unsigned, unsigned s, unsigned) { return s; }},
      {cmSrcErase, [](unsigned, unsigned s, unsigned d) { return s & ~d; }},
      {cmSrcInvert, [](unsigned, unsigned s, unsigned d) { return s ^ d; }},
      {cmSrcPaint, [](unsigned, unsigned s, unsigned d) { return s | d; }},
      {0x00E20746, [](unsigned p, unsigned s, unsigned d) { return (d & ~s) | (p & s); }},  // unnamed: by its table
  };
  const TColor sources[] = {RGB(0xF0, 0x0F, 0x33), RGB(0, 0xFF, 0xAA), RGB(0x5A, 0xC3, 0x81)};
  const TColor dests[] = {RGB(0xCC, 0x55, 0x0F), RGB(0xFF, 0, 0x66), RGB(0x12, 0x34, 0x56)};
  const TColor brush = RGB(0xA5, 0x3C, 0xE1);
  auto channel = [](const F& f, TColor p, TColor s, TColor d, int shift) {
    return f((p >> shift) & 0xFF, (s >> shift) & 0xFF, (d >> shift) & 0xFF) & 0xFF;
  };
  for (const auto& [mode, f] : modes) {
    TBitmap src(3, 1), dst(3, 1);
    for (int i = 0; i < 3; ++i) {
      src.SetPixel(i, 0, sources[i]);
      dst.SetPixel(i, 0, dests[i]);
    }
    TCanvas& c = dst.Canvas();
    c.Brush.SetColor(brush);
    c.CopyMode = mode;
    EXPECT_EQ(c.CopyRect(Rect(0, 0, 3, 1), src, Rect(0, 0, 3, 1)), Rect(0, 0, 3, 1));
    for (int i = 0; i < 3; ++i) {
      const TColor expect = RGB(channel(f, brush, sources[i], dests[i], 0), channel(f, brush, sources[i], dests[i], 8),
                                channel(f, brush, sources[i], dests[i], 16));
      EXPECT_EQ(dst.GetPixel(i, 0), expect) << std::hex << "mode " << mode << " pixel " << i;
    }
  }
}

TEST(CanvasCopy, ReversedRectanglesMirrorAndSizesStretchByNearestPixel) {
  const TBitmap src = Numbered(4, 3);
  struct Case {
    TRect dest, from;
    std::function<TPoint(int, int)> sourceOf;  // destination pixel -> source pixel
  };
  const Case cases[] = {
      {Rect(4, 0, 0, 3), Rect(0, 0, 4, 3), [](int x, int y) { return TPoint{3 - x, y}; }},
      {Rect(0, 3, 4, 0), Rect(0, 0, 4, 3), [](int x, int y) { return TPoint{x, 2 - y}; }},
      {Rect(4, 3, 0, 0), Rect(4, 3, 0, 0), [](int x, int y) { return TPoint{x, y}; }},  // both reversed: no mirror
      {Rect(0, 0, 8, 6), Rect(0, 0, 4, 3), [](int x, int y) { return TPoint{x / 2, y / 2}; }},
      {Rect(0, 0, 2, 3), Rect(0, 0, 4, 3), [](int x, int y) { return TPoint{2 * x + 1, y}; }},  // (i + 1/2) * 4 / 2
      {Rect(0, 0, 3, 1), Rect(0, 2, 4, 3), [](int x, int) { return TPoint{std::array{0, 2, 3}[static_cast<std::size_t>(x)], 2}; }},
  };
  for (const Case& k : cases) {
    TBitmap dst(8, 6);
    dst.Canvas().CopyRect(k.dest, src, k.from);
    const TRect area = k.dest.Normalized();
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 8; ++x) {
        if (!area.Contains(x, y)) {
          ASSERT_EQ(dst.GetPixel(x, y), clWhite);
          continue;
        }
        const TPoint s = k.sourceOf(x - area.Left, y - area.Top);
        ASSERT_EQ(dst.GetPixel(x, y), src.GetPixel(s.x, s.y)) << x << "," << y;
      }
  }
  // Source pixels beyond the source bitmap read white.
  TBitmap dst(4, 1);
  dst.Fill(clBlack);
  dst.Canvas().CopyRect(Rect(0, 0, 4, 1), src, Rect(2, 2, 6, 3));
  EXPECT_EQ(dst.GetPixel(1, 0), src.GetPixel(3, 2));
  EXPECT_EQ(dst.GetPixel(2, 0), clWhite);
  EXPECT_EQ(dst.GetPixel(3, 0), clWhite);
}

TEST(CanvasCopy, OverlappingCopyWithinOneBitmapReadsTheSourceFirst) {
  const TRect src = Rect(3, 2, 13, 9);
  for (TRect dest : {Rect(5, 2, 15, 9), Rect(1, 2, 11, 9), Rect(3, 4, 13, 11), Rect(4, 1, 14, 8),
                     Rect(13, 9, 3, 2), Rect(2, 2, 22, 16)}) {
    TBitmap image = Numbered(20, 14);
    TBitmap expect = image, copy(src.Right - src.Left, src.Bottom - src.Top);
    copy.Canvas().CopyRect(copy.BoundsRect(), image, src);  // through a separate bitmap
    expect.Canvas().CopyRect(dest, copy, copy.BoundsRect());
    image.Canvas().CopyRect(dest, image, src);
    EXPECT_TRUE(SameImage(image, expect)) << dest.Left << "," << dest.Top;
  }
}

TEST(CanvasCopy, DrawAndStretchDrawHonourTransparencyAndAnyFormat) {
  TBitmap graphic(3, 2, pf4bit);
  graphic.Fill(clRed);
  graphic.SetPixel(1, 0, clLime);
  graphic.SetPixel(0, 1, clBlue);  // the bottom-left pixel: the automatic transparent colour
  TBitmap dst(8, 5);
  TCanvas& c = dst.Canvas();
  EXPECT_EQ(c.Draw(2, 1, graphic), Rect(2, 1, 5, 3));
  EXPECT_EQ(dst.GetPixel(3, 1), clLime);
  EXPECT_EQ(dst.GetPixel(2, 2), clBlue);
  graphic.Transparent = true;
  dst.Fill(clWhite);
  c.Draw(2, 1, graphic);
  EXPECT_EQ(dst.GetPixel(2, 2), clWhite);  // skipped
  EXPECT_EQ(dst.GetPixel(4, 2), clRed);
  graphic.SetTransparentColor(clRed);  // fixed mode
  dst.Fill(clWhite);
  c.StretchDraw(Rect(6, 0, 0, 4), graphic);  // mirrored, twice the size
  EXPECT_EQ(dst.GetPixel(0, 0), clWhite);  // source (2, 0) is red: skipped
  EXPECT_EQ(dst.GetPixel(2, 0), clLime);
  EXPECT_EQ(dst.GetPixel(5, 3), clBlue);
  EXPECT_EQ(dst.GetPixel(7, 3), clWhite);
  // Far off and huge: nothing, or just the visible part.
  EXPECT_TRUE(c.Draw(INT_MAX - 1, 0, graphic).IsEmpty());
  EXPECT_EQ(c.StretchDraw(Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), graphic), dst.BoundsRect());
}

TEST(CanvasCopy, BrushCopyPaintsTheKeyColourWithTheBrush) {
  TBitmap src(4, 1);
  src.SetPixel(1, 0, clBlack);
  src.SetPixel(3, 0, clBlack);
  TBitmap dst(4, 1);
  dst.Fill(clLime);
  dst.Canvas().Brush.SetColor(clRed);
  dst.Canvas().CopyMode = cmSrcInvert;  // not used by BrushCopy
  dst.Canvas().BrushCopy(Rect(0, 0, 4, 1), src, Rect(0, 0, 4, 1), clBlack);
  EXPECT_EQ(dst.GetPixel(0, 0), clWhite);
  EXPECT_EQ(dst.GetPixel(1, 0), clRed);
  EXPECT_EQ(dst.GetPixel(3, 0), clRed);
  dst.Canvas().Brush.SetStyle(bsClear);  // key pixels then stay as they are
  dst.Fill(clLime);
  dst.Canvas().BrushCopy(Rect(0, 0, 4, 1), src, Rect(0, 0, 4, 1), clBlack);
  EXPECT_EQ(dst.GetPixel(1, 0), clLime);
  EXPECT_EQ(dst.GetPixel(2, 0), clWhite);
}

TEST(CanvasCopy, PatternOperandComesFromTheBrush) {
  TBitmap pattern(2, 1);
  pattern.SetPixel(0, 0, clBlack);
  TBitmap src(8, 2), dst(8, 2);
  src.Fill(clYellow);
  TCanvas& c = dst.Canvas();
  c.Brush.SetBitmap(&pattern);
  c.CopyMode = cmMergeCopy;  // P & S
  c.CopyRect(Rect(0, 0, 8, 2), src, Rect(0, 0, 8, 2));
  EXPECT_EQ(dst.GetPixel(0, 1), clBlack);
  EXPECT_EQ(dst.GetPixel(1, 1), clYellow);
  EXPECT_EQ(dst.GetPixel(6, 0), clBlack);
}

}  // namespace
}  // namespace kroma
