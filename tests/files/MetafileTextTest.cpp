// Text records: alignment against the font's own measures, escapement,
// backgrounds, opaque and clip rectangles, advances, the current position,
// cell heights and text in paths. Aliased text (quality 3) keeps every ink
// pixel in the text colour.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "MetafileWriter.h"
#include "core/Canvas.h"
#include "core/Error.h"
#include "core/Text.h"

namespace kroma {
namespace {

using test::BoundsOf;
using test::CountOf;
using test::TBytes;
using test::TEmfWriter;
using test::TWmfWriter;

bool TextAvailable() {
  try {
    GetFontMetrics(TFont{});
    return true;
  } catch (const Error&) {
    return false;
  }
}

#define REQUIRE_TEXT()                                              \
  do {                                                              \
    if (!TextAvailable()) GTEST_SKIP() << "text is not available"; \
  } while (0)

// The font the pages select, as a canvas font.
TFont PageFont() {
  TFont f;
  f.Name = "Arial";
  f.SetPixelHeight(20);
  f.Quality = fqNonAntialiased;
  return f;
}

// 200 x 100 pixels, a 20-pixel Arial, red text on a transparent background.
TWmfWriter TextPage() {
  TWmfWriter w;
  w.SetWindowExt(200, 100).CreateFont(-20, 0, 400, "Arial").Select(0).SetTextColor(clRed).SetBkMode(1);
  return w;
}

TRect Shifted(TRect r, int dx, int dy) { return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }

TEST(MetafileText, AlignmentMovesTheTextByItsOwnMeasures) {
  REQUIRE_TEXT();
  const TFont font = PageFont();
  const int w = TextAdvance(font, "HH");
  const TFontMetrics m = GetFontMetrics(font);
  const TBitmap base = test::Wmf(TextPage().ExtTextOut(100, 50, "HH").Finish());
  const TRect ink = BoundsOf(base, clRed);
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_TRUE(Union(ink, Rect(98, 50, 100 + w + 2, 50 + m.Height)) == Rect(98, 50, 100 + w + 2, 50 + m.Height));
  const int centre = static_cast<int>(std::nearbyint(100 - w / 2.0)) - 100;
  struct Case {
    int align, dx, dy;
  };
  const Case cases[] = {{2, -w, 0}, {6, centre, 0}, {24, 0, -m.Ascent}, {8, 0, -m.Height}, {6 | 24, centre, -m.Ascent}};
  for (const Case& k : cases) {
    const TBitmap b = test::Wmf(TextPage().SetTextAlign(k.align).ExtTextOut(100, 50, "HH").Finish());
    EXPECT_EQ(BoundsOf(b, clRed), Shifted(ink, k.dx, k.dy)) << k.align;
    EXPECT_EQ(CountOf(b, clRed), CountOf(base, clRed)) << k.align;
  }
  // The older TextOut record draws the same.
  TWmfWriter t = TextPage();
  t.Record(0x0521, TBytes().W({2}).U8('H').U8('H').W({50, 100}));
  EXPECT_EQ(test::FirstDifference(test::Wmf(t.Finish()), base), "");
}

TEST(MetafileText, EscapementTurnsTheLine) {
  REQUIRE_TEXT();
  TWmfWriter w;
  w.SetWindowExt(200, 100).CreateFont(-20, 900, 400, "Arial").Select(0).SetTextColor(clRed).SetBkMode(1);
  const TBitmap b = test::Wmf(w.ExtTextOut(100, 90, "HHHH").Finish());
  const TRect ink = BoundsOf(b, clRed);
  const TFont font = PageFont();
  EXPECT_GT(ink.Height(), 2 * ink.Width());
  EXPECT_GE(ink.Left, 99);
  EXPECT_LE(ink.Right, 101 + GetFontMetrics(font).Height);
  EXPECT_LE(ink.Bottom, 91);
  EXPECT_GE(ink.Top, 89 - TextAdvance(font, "HHHH"));
}

TEST(MetafileText, BackgroundsAndRectangles) {
  REQUIRE_TEXT();
  const TFont font = PageFont();
  const int w = TextAdvance(font, "HH"), h = GetFontMetrics(font).Height;
  {  // an opaque background fills the text cell
    const TBitmap b = test::Wmf(TextPage().SetBkMode(2).SetBkColor(clLime).ExtTextOut(10, 10, "HH").Finish());
    EXPECT_GT(CountOf(b, clRed), 0);
    EXPECT_EQ(CountOf(b, clRed) + CountOf(b, clLime), w * h);
    EXPECT_EQ(BoundsOf(b), Rect(10, 10, 10 + w, 10 + h));
  }
  {  // the opaque rectangle is filled whatever the background mode
    const TBitmap b = test::Wmf(TextPage().SetBkColor(clLime).ExtTextOut(0, 0, "", 2, {50, 20, 150, 80}).Finish());
    EXPECT_EQ(BoundsOf(b), Rect(50, 20, 150, 80));
    EXPECT_EQ(CountOf(b, clLime), 100 * 60);
  }
  {  // the clip rectangle cuts the text
    const TBitmap whole = test::Wmf(TextPage().ExtTextOut(100, 50, "HHHH").Finish());
    const TBitmap cut = test::Wmf(TextPage().ExtTextOut(100, 50, "HHHH", 4, {0, 0, 115, 100}).Finish());
    EXPECT_LE(BoundsOf(cut, clRed).Right, 115);
    EXPECT_GT(CountOf(cut, clRed), 0);
    EXPECT_LT(CountOf(cut, clRed), CountOf(whole, clRed));
  }
}

TEST(MetafileText, AdvancesAndTheCurrentPositionPlaceCharacters) {
  REQUIRE_TEXT();
  const TBitmap one = test::Wmf(TextPage().ExtTextOut(20, 50, "H").Finish());
  const TRect ink = BoundsOf(one, clRed);
  ASSERT_FALSE(ink.IsEmpty());
  const TBitmap spaced = test::Wmf(TextPage().ExtTextOut(20, 50, "HH", 0, {}, {40, 40}).Finish());
  EXPECT_EQ(CountOf(spaced, clRed), 2 * CountOf(one, clRed));
  EXPECT_EQ(BoundsOf(spaced, clRed), Union(ink, Shifted(ink, 40, 0)));

  const int advance = TextAdvance(PageFont(), "H");
  TWmfWriter w = TextPage();
  w.MoveTo(20, 50).SetTextAlign(1).ExtTextOut(0, 0, "H").ExtTextOut(0, 0, "H");
  const TBitmap updated = test::Wmf(w.Finish());
  EXPECT_EQ(CountOf(updated, clRed), 2 * CountOf(one, clRed));
  EXPECT_EQ(BoundsOf(updated, clRed), Union(ink, Shifted(ink, advance, 0)));
}

TEST(MetafileText, EmfTextWithACellHeightAndInAPath) {
  REQUIRE_TEXT();
  TEmfWriter w = TEmfWriter::Pixels(192, 96);
  w.CreateFont(1, 30, 0, 700, u"Arial").Select(1).Value(24, clRed).Value(25, clLime);  // text and background colours
  w.ExtTextOutW(10, 10, u"\u03A9k");
  const TBitmap b = test::Emf(w.Finish());
  EXPECT_GT(CountOf(b, clRed), 0);
  const TRect cell = BoundsOf(b);
  EXPECT_EQ(cell.Left, 10);
  EXPECT_EQ(cell.Top, 10);
  EXPECT_NEAR(static_cast<double>(cell.Height()), 30, 2);

  // The single-byte record draws the same characters.
  auto page = [] {
    TEmfWriter e = TEmfWriter::Pixels(192, 96);
    e.CreateFont(1, -20, 0, 400, u"Arial").Select(1).Value(24, clRed).Value(18, 1);
    return e;
  };
  TEmfWriter a = page();
  TBytes text = TEmfWriter::Box(0, 0, 0, 0);
  text.U32(1).F32(1).F32(1).I32(10).I32(10).U32(2).U32(76).U32(0).Append(TEmfWriter::Box(0, 0, 0, 0).b).U32(0);
  a.Record(83, text.U8('H').U8('k'));
  const TBitmap ansi = test::Emf(a.Finish());
  EXPECT_GT(CountOf(ansi, clRed), 0);
  EXPECT_EQ(test::FirstDifference(ansi, test::Emf(page().ExtTextOutW(10, 10, u"Hk").Finish())), "");

  // Inside a path the glyph outlines are filled with the brush.
  TEmfWriter p = TEmfWriter::Pixels(192, 96);
  p.CreateFont(1, -40, 0, 700, u"Arial").Select(1).Value(24, clRed).Select(0x80000004).Select(0x80000008);
  p.Record(59, {}).ExtTextOutW(10, 10, u"HH").Record(60, {}).Record(62, TEmfWriter::Box(0, 0, 0, 0));
  const TBitmap filled = test::Emf(p.Finish());
  EXPECT_EQ(CountOf(filled, clRed), 0);
  EXPECT_GT(CountOf(filled, clBlack), 100);
  EXPECT_GE(BoundsOf(filled).Left, 10);
}

}  // namespace
}  // namespace kroma
