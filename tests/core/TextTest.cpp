#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <cmath>
#include <numbers>
#include <numeric>

#include "core/Canvas.h"
#include "core/Error.h"
#include "core/Text.h"

namespace kroma {
namespace {

TFont Arial(int size, TFontStyles style = 0, TFontQuality quality = fqAntialiased) {
  TFont f;
  f.Name = "Arial";
  f.Size = size;
  f.Style = style;
  f.Quality = quality;
  return f;
}

const TRect kWide{-5000, -5000, 5000, 5000};

std::uint8_t At(const TTextMask& m, int x, int y) {
  if (!m.Bounds.Contains(x, y)) return 0;
  return m.Alpha[(y - m.Bounds.Top) * m.Bounds.Width() + (x - m.Bounds.Left)];
}

long Ink(const TTextMask& m) { return std::accumulate(m.Alpha.begin(), m.Alpha.end(), 0L); }

// Runs of fully covered pixels in one row of the mask.
int SolidRuns(const TTextMask& m, int y) {
  int runs = 0;
  bool in = false;
  for (int x = m.Bounds.Left; x < m.Bounds.Right; ++x) {
    bool solid = At(m, x, y) == 255;
    runs += solid && !in;
    in = solid;
  }
  return runs;
}

// A family whose regular face also serves bold and italic requests, so
// that both styles are synthesised; empty when every family has them.
std::string FamilyWithoutStyles() {
  for (const std::string& family : FontFamilies()) {
    TFont f;
    f.Name = family;
    std::string regular = GetFontMetrics(f).ResolvedFile;
    f.Style = fsBold | fsItalic;
    if (GetFontMetrics(f).ResolvedFile == regular) return family;
  }
  return {};
}

TEST(Font, PixelHeightIsPointsAt96Dpi) {
  struct Case {
    int size, pixels;
  } cases[] = {{10, 13}, {12, 16}, {9, 12}, {36, 48}, {-12, -16}, {0, 0}};
  for (auto [size, pixels] : cases) {
    TFont f;
    f.Size = size;
    EXPECT_EQ(f.PixelHeight(), pixels) << size;
  }
  TFont f;
  f.SetPixelHeight(19);
  EXPECT_EQ(f.Size, 14);
  EXPECT_EQ(f.PixelHeight(), 19);
  f.Size = 2000000000;  // far beyond int pixels: saturates, never overflows
  EXPECT_EQ(f.PixelHeight(), 2147483647);
}

TEST(Text, FacesResolveToRealFiles) {
  std::string regular = GetFontMetrics(Arial(10)).ResolvedFile;
  std::string bold = GetFontMetrics(Arial(10, fsBold)).ResolvedFile;
  EXPECT_TRUE(std::filesystem::is_regular_file(regular)) << regular;
  EXPECT_TRUE(std::filesystem::is_regular_file(bold)) << bold;
  EXPECT_NE(regular, bold);  // a metric-compatible family with a real bold face
  TFont unknown;
  unknown.Name = "No Such Font Family 1234";
  EXPECT_TRUE(std::filesystem::is_regular_file(GetFontMetrics(unknown).ResolvedFile));
  unknown.Name = "";
  EXPECT_TRUE(std::filesystem::is_regular_file(GetFontMetrics(unknown).ResolvedFile));
}

TEST(Text, MetricsAreConsistentAtEverySize) {
  for (int size : {10, 12, 36, -12, 0, 1, 100000}) {
    TFont f = Arial(size);
    int em = std::max(1, std::abs(f.PixelHeight()));
    TFontMetrics m = GetFontMetrics(f);
    EXPECT_EQ(m.Height, m.Ascent + m.Descent) << size;
    EXPECT_EQ(m.InternalLeading, m.Height - em) << size;
    if (em >= 10) {
      EXPECT_GT(m.Ascent, m.Descent) << size;
      EXPECT_GE(m.Height, em) << size;
      EXPECT_LE(m.Height, em * 13 / 10) << size;
      EXPECT_GT(m.AveCharWidth, em / 4) << size;
      EXPECT_LT(m.AveCharWidth, em) << size;
    }
  }
  // Sizes beyond any image stay bounded instead of overflowing.
  TFontMetrics m = GetFontMetrics(Arial(2147483647));
  EXPECT_EQ(m.Height, m.Ascent + m.Descent);
  EXPECT_GT(TextAdvance(Arial(2147483647), "WW"), 0);
}

TEST(Text, AdvancesAreWholePixelsThatAddUp) {
  TFont f = Arial(10);
  EXPECT_EQ(TextAdvance(f, ""), 0);
  EXPECT_EQ(TextAdvance(f, "ii"), 2 * TextAdvance(f, "i"));
  for (std::string_view text : {"Hello, world", "AVAWAY", "Typ\xC3\xA9"}) {
    int sum = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      std::size_t n = text[i] == '\xC3' ? 2 : 1;
      sum += TextAdvance(f, text.substr(i, n));
      i += n - 1;
    }
    EXPECT_EQ(TextAdvance(f, text), sum) << text;  // no kerning pairs
  }
  EXPECT_GT(TextAdvance(Arial(10, fsBold), "Hello"), TextAdvance(f, "Hello"));
}

TEST(Text, RendersHInsideItsCellWithSolidStems) {
  TFont f = Arial(36);
  TFontMetrics m = GetFontMetrics(f);
  TTextMask mask = RenderTextMask(f, "H", kWide);
  ASSERT_FALSE(mask.Bounds.IsEmpty());
  ASSERT_EQ(mask.Alpha.size(), static_cast<std::size_t>(mask.Bounds.Width() * mask.Bounds.Height()));
  // Ink only inside the cell, on the baseline, reaching cap height.
  EXPECT_GE(mask.Bounds.Left, 0);
  EXPECT_LE(mask.Bounds.Right, TextAdvance(f, "H"));
  EXPECT_EQ(mask.Bounds.Bottom, m.Ascent);
  EXPECT_LT(mask.Bounds.Top, m.Ascent - m.Ascent * 2 / 3);
  // Two solid stems below the bar, joined across by the bar.
  int lower = m.Ascent - 4, middle = (mask.Bounds.Top + m.Ascent) / 2;
  EXPECT_EQ(SolidRuns(mask, lower), 2);
  bool bar = false;
  for (int y = middle - 4; y <= middle + 4; ++y) bar = bar || SolidRuns(mask, y) == 1;
  EXPECT_TRUE(bar);
  // Nothing outside the glyph box.
  for (int y = mask.Bounds.Top - 2; y < mask.Bounds.Bottom + 2; ++y) {
    EXPECT_EQ(At(mask, mask.Bounds.Left - 1, y), 0);
    EXPECT_EQ(At(mask, mask.Bounds.Right, y), 0);
  }
}

TEST(Text, WindowCutsTheMaskWithoutChangingIt) {
  TFont f = Arial(24, fsUnderline);
  for (int escapement : {0, 450, 2250}) {
    f.Escapement = escapement;
    TTextMask full = RenderTextMask(f, "Kroma text", kWide);
    const TRect& b = full.Bounds;
    TRect window{static_cast<int>(b.Left + b.Width() / 3), static_cast<int>(b.Top + b.Height() / 3),
                 static_cast<int>(b.Right - b.Width() / 4), static_cast<int>(b.Bottom - b.Height() / 4)};
    TTextMask part = RenderTextMask(f, "Kroma text", window);
    ASSERT_EQ(part.Bounds, window) << escapement;
    for (int y = window.Top; y < window.Bottom; ++y)
      for (int x = window.Left; x < window.Right; ++x)
        ASSERT_EQ(At(part, x, y), At(full, x, y)) << escapement << ": " << x << "," << y;
  }
  EXPECT_TRUE(RenderTextMask(f, "Kroma", {500, 500, 600, 600}).Bounds.IsEmpty());
  EXPECT_TRUE(RenderTextMask(f, "Kroma", {}).Alpha.empty());
  EXPECT_TRUE(RenderTextMask(f, "", kWide).Alpha.empty());
}

TEST(Text, AliasedTextIsOnlyFullOrEmpty) {
  for (TFontStyles style : {0u, fsBold | fsItalic, fsUnderline | fsStrikeOut}) {
    for (int escapement : {0, 450}) {
      TFont f = Arial(11, style, fqNonAntialiased);
      f.Escapement = escapement;
      TTextMask mask = RenderTextMask(f, "Aliased text", kWide);
      EXPECT_TRUE(std::all_of(mask.Alpha.begin(), mask.Alpha.end(), [](auto a) { return a == 0 || a == 255; }))
          << style << " " << escapement;
      EXPECT_GT(std::count(mask.Alpha.begin(), mask.Alpha.end(), 255), 50);
    }
  }
  TTextMask smooth = RenderTextMask(Arial(11), "Aliased text", kWide);
  EXPECT_TRUE(std::any_of(smooth.Alpha.begin(), smooth.Alpha.end(), [](auto a) { return a > 0 && a < 255; }));
}

TEST(Text, BarsSpanTheCellBelowAndAboveTheBaseline) {
  TFontMetrics m = GetFontMetrics(Arial(20));
  int width = TextAdvance(Arial(20), "ab c");
  auto solidRows = [&](TFontStyles style) {
    TTextMask mask = RenderTextMask(Arial(20, style), "ab c", kWide);
    std::vector<int> rows;
    for (int y = mask.Bounds.Top; y < mask.Bounds.Bottom; ++y) {
      bool full = true;
      for (int x = 0; x < width; ++x) full = full && At(mask, x, y) == 255;
      if (full) rows.push_back(y);
    }
    return rows;
  };
  EXPECT_TRUE(solidRows(0).empty());
  std::vector<int> under = solidRows(fsUnderline), strike = solidRows(fsStrikeOut);
  ASSERT_FALSE(under.empty());
  ASSERT_FALSE(strike.empty());
  EXPECT_GE(under.front(), m.Ascent);
  EXPECT_LT(under.back(), m.Height);
  EXPECT_GT(strike.front(), m.Ascent / 3);
  EXPECT_LT(strike.back(), m.Ascent);
}

TEST(Text, BoldIsWiderAndDarker) {
  TTextMask regular = RenderTextMask(Arial(16), "Bold", kWide);
  TTextMask bold = RenderTextMask(Arial(16, fsBold), "Bold", kWide);
  EXPECT_GT(bold.Bounds.Width(), regular.Bounds.Width());
  EXPECT_GT(Ink(bold), Ink(regular) * 5 / 4);
}

TEST(Text, SyntheticStylesEmboldenAndSlant) {
  std::string family = FamilyWithoutStyles();
  if (family.empty()) GTEST_SKIP() << "every installed family has real bold and italic faces";
  TFont f;
  f.Name = family;
  f.Size = 30;
  TTextMask regular = RenderTextMask(f, "l", kWide);
  f.Style = fsBold;
  TTextMask bold = RenderTextMask(f, "l", kWide);
  EXPECT_GT(TextAdvance(f, "llll"), TextAdvance(TFont{family, 30}, "llll"));
  EXPECT_GT(Ink(bold), Ink(regular) * 11 / 10);
  // Slanted: the top of the stem sits further right than its foot.
  f.Style = fsItalic;
  TTextMask italic = RenderTextMask(f, "l", kWide);
  auto centre = [](const TTextMask& m, int y) {
    long sum = 0, weight = 0;
    for (int x = m.Bounds.Left; x < m.Bounds.Right; ++x) {
      sum += static_cast<long>(x) * At(m, x, y);
      weight += At(m, x, y);
    }
    return weight ? static_cast<double>(sum) / weight : 0.0;
  };
  int top = italic.Bounds.Top + 3, foot = italic.Bounds.Bottom - 3;
  EXPECT_GT(centre(italic, top) - centre(italic, foot), 2.0);
  EXPECT_NEAR(centre(regular, regular.Bounds.Top + 3), centre(regular, regular.Bounds.Bottom - 3), 1.0);
}

TEST(Text, EscapementRotatesMaskAndCellAboutTheOrigin) {
  TFont f = Arial(20, fsUnderline);
  TTextMask flat = RenderTextMask(f, "Wide", kWide);
  const TRect b = flat.Bounds;
  ASSERT_GT(b.Width(), b.Height());
  int w = TextAdvance(f, "Wide"), h = GetFontMetrics(f).Height;
  // Quarter turns map (x, y) to (y, -x), (-x, -y), (-y, x): bounds exactly.
  struct Case {
    int escapement;
    TRect bounds;
    std::vector<TPoint> cell;
  } cases[] = {
      {0, b, {{0, 0}, {w, 0}, {w, h}, {0, h}}},
      {900, {b.Top, -b.Right, b.Bottom, -b.Left}, {{0, 0}, {0, -w}, {h, -w}, {h, 0}}},
      {1800, {-b.Right, -b.Bottom, -b.Left, -b.Top}, {{0, 0}, {-w, 0}, {-w, -h}, {0, -h}}},
      {-900, {-b.Bottom, b.Left, -b.Top, b.Right}, {{0, 0}, {0, w}, {-h, w}, {-h, 0}}},
  };
  for (const Case& c : cases) {
    f.Escapement = c.escapement;
    TTextMask mask = RenderTextMask(f, "Wide", kWide);
    EXPECT_EQ(mask.Bounds, c.bounds) << c.escapement;
    EXPECT_NEAR(Ink(mask), Ink(flat), Ink(flat) / 50) << c.escapement;
    EXPECT_EQ(TextCellPolygon(f, "Wide"), c.cell) << c.escapement;
  }
  // 30 degrees: the text climbs to the upper right.
  f.Escapement = 300;
  TTextMask slanted = RenderTextMask(f, "Wide", kWide);
  std::vector<TPoint> cell = TextCellPolygon(f, "Wide");
  EXPECT_EQ(cell[1], (TPoint{static_cast<int>(std::nearbyint(w * std::cos(std::numbers::pi / 6))),
                             static_cast<int>(std::nearbyint(-w * std::sin(std::numbers::pi / 6)))}));
  EXPECT_LT(slanted.Bounds.Top, -w / 3);
  EXPECT_GT(slanted.Bounds.Right, w * 3 / 4);
}

TEST(Text, HugeSizesRenderOnlyTheWindow) {
  TFont f = Arial(100000);  // an em of 133333 pixels
  TFontMetrics m = GetFontMetrics(f);
  // A window inside the left stem of "H", one across its left edge, one
  // far outside the text.
  int stemX = TextAdvance(f, "H") / 8 + 2000, y = m.Ascent - 20000;
  TTextMask inside = RenderTextMask(f, "HHHH", {stemX, y, stemX + 64, y + 64});
  EXPECT_EQ(inside.Bounds, (TRect{stemX, y, stemX + 64, y + 64}));
  EXPECT_TRUE(std::all_of(inside.Alpha.begin(), inside.Alpha.end(), [](auto a) { return a == 255; }));

  TTextMask far = RenderTextMask(f, "HHHH", {-100000, -100000, -99000, -99000});
  EXPECT_TRUE(far.Bounds.IsEmpty());

  // Across the stem's edge: the same coverage whichever window asks.
  TTextMask wide = RenderTextMask(f, "H", {0, y, 20000, y + 8});
  int edge = -1;
  for (int x = wide.Bounds.Left; x < wide.Bounds.Right && edge < 0; ++x)
    if (At(wide, x, y) == 255) edge = x;
  ASSERT_GT(edge, 0);
  TTextMask narrow = RenderTextMask(f, "H", {edge - 30, y, edge + 30, y + 8});
  EXPECT_LE(narrow.Bounds.Width(), 60);
  EXPECT_EQ(At(narrow, edge - 30, y), 0);
  for (int x = edge - 30; x < edge + 30; ++x) EXPECT_NEAR(At(narrow, x, y + 4), At(wide, x, y + 4), 2) << x;

  // Aliased at that size works the same way.
  f.Quality = fqNonAntialiased;
  TTextMask aliased = RenderTextMask(f, "H", {edge - 30, y, edge + 30, y + 8});
  for (int x = edge - 30; x < edge + 30; ++x) {
    if (At(wide, x, y) == 0) {
      EXPECT_EQ(At(aliased, x, y), 0) << x;
    } else if (At(wide, x, y) == 255) {
      EXPECT_EQ(At(aliased, x, y), 255) << x;
    }
  }
}

TEST(Text, TextTooLargeForOneMaskIsAnError) {
  TFont f = Arial(100000);
  EXPECT_THROW(RenderTextMask(f, "HHHH", {-1000000, -1000000, 1000000, 1000000}), Error);
}

TEST(Text, FamiliesAreSortedAndUnique) {
  std::vector<std::string> families = FontFamilies();
  ASSERT_FALSE(families.empty());
  EXPECT_TRUE(std::is_sorted(families.begin(), families.end()));
  EXPECT_EQ(std::adjacent_find(families.begin(), families.end()), families.end());
  EXPECT_NE(std::find(families.begin(), families.end(), "Liberation Sans"), families.end());
}

}  // namespace
}  // namespace kroma
