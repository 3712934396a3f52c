#include <gtest/gtest.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cmath>
#include <vector>

#include "core/Canvas.h"
#include "core/Text.h"
#include "core/TextOutline.h"
#include "core/TextRaster.h"

namespace kroma {
namespace {

// FreeType's own decomposition of an outline, as contours of our kind
// (zero-length lines, which FreeType adds to close contours, left out).
struct TDecomposer {
  std::vector<TOutlineContour> contours;
  double scale;
  double lastX = 0, lastY = 0;

  static int Move(const FT_Vector* to, void* user) {
    auto* d = static_cast<TDecomposer*>(user);
    d->contours.push_back({to->x * d->scale, to->y * d->scale, {}});
    d->lastX = to->x * d->scale;
    d->lastY = to->y * d->scale;
    return 0;
  }
  static int Line(const FT_Vector* to, void* user) {
    auto* d = static_cast<TDecomposer*>(user);
    double x = to->x * d->scale, y = to->y * d->scale;
    if (x != d->lastX || y != d->lastY)
      d->contours.back().segments.push_back({TOutlineSegment::Line, 0, 0, 0, 0, x, y});
    d->lastX = x;
    d->lastY = y;
    return 0;
  }
  static int Conic(const FT_Vector* c, const FT_Vector* to, void* user) {
    auto* d = static_cast<TDecomposer*>(user);
    d->lastX = to->x * d->scale;
    d->lastY = to->y * d->scale;
    d->contours.back().segments.push_back(
        {TOutlineSegment::Quadratic, c->x * d->scale, c->y * d->scale, 0, 0, d->lastX, d->lastY});
    return 0;
  }
  static int Cubic(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
    auto* d = static_cast<TDecomposer*>(user);
    d->lastX = to->x * d->scale;
    d->lastY = to->y * d->scale;
    d->contours.back().segments.push_back({TOutlineSegment::Cubic, c1->x * d->scale, c1->y * d->scale,
                                           c2->x * d->scale, c2->y * d->scale, d->lastX, d->lastY});
    return 0;
  }

  static std::vector<TOutlineContour> Run(const FT_Outline& outline, double scale) {
    TDecomposer d{{}, scale};
    FT_Outline_Funcs funcs{Move, Line, Conic, Cubic, 0, 0};
    EXPECT_EQ(FT_Outline_Decompose(const_cast<FT_Outline*>(&outline), &funcs, &d), 0);
    std::erase_if(d.contours, [](const TOutlineContour& c) { return c.segments.empty(); });
    return d.contours;
  }
};

void ExpectSameContours(const std::vector<TOutlineContour>& got, const std::vector<TOutlineContour>& want,
                        double tolerance, const std::string& what) {
  ASSERT_EQ(got.size(), want.size()) << what;
  for (std::size_t c = 0; c < got.size(); ++c) {
    EXPECT_NEAR(got[c].startX, want[c].startX, tolerance) << what << " contour " << c;
    EXPECT_NEAR(got[c].startY, want[c].startY, tolerance) << what << " contour " << c;
    ASSERT_EQ(got[c].segments.size(), want[c].segments.size()) << what << " contour " << c;
    for (std::size_t i = 0; i < got[c].segments.size(); ++i) {
      const TOutlineSegment &g = got[c].segments[i], &w = want[c].segments[i];
      ASSERT_EQ(g.kind, w.kind) << what << " contour " << c << " segment " << i;
      for (auto [a, b] : {std::pair{g.x, w.x}, {g.y, w.y}, {g.x1, w.x1}, {g.y1, w.y1}, {g.x2, w.x2}, {g.y2, w.y2}})
        EXPECT_NEAR(a, b, tolerance) << what << " contour " << c << " segment " << i;
    }
  }
}

constexpr char On = FT_CURVE_TAG_ON, Conic = FT_CURVE_TAG_CONIC, Cubic = FT_CURVE_TAG_CUBIC;

TEST(TextOutline, ContoursMatchFreeTypesReadingOfTheTags) {
  // Contours: a conic run between on-curve points; only conic points
  // (start implied between last and first); starting on a conic point with
  // an on-curve last point; a cubic ending back at the start; a lone
  // point; a triangle whose last point repeats its first.
  std::vector<FT_Vector> points = {
      {0, 0},   {10, 0},   {10, 10}, {0, 10},                 // 0-3
      {0, -10}, {10, 0},   {0, 10},  {-10, 0},                // 4-7
      {5, -5},  {10, 0},   {10, 10}, {0, 10},                 // 8-11
      {0, 0},   {5, 10},   {10, 10}, {15, 0}, {10, -10}, {5, -10},  // 12-17
      {3, 3},                                                 // 18
      {0, 0},   {6, 0},    {0, 6},   {0, 0},                  // 19-22
  };
  std::vector<char> tags = {On,    Conic, Conic, On,                   //
                            Conic, Conic, Conic, Conic,                //
                            Conic, On,    Conic, On,                   //
                            On,    Cubic, Cubic, On, Cubic, Cubic,     //
                            On,                                        //
                            On,    On,    On,    On};
  std::vector<short> ends = {3, 7, 11, 17, 18, 22};
  FT_Outline outline{};
  outline.n_contours = static_cast<short>(ends.size());
  outline.n_points = static_cast<short>(points.size());
  outline.points = points.data();
  outline.tags = tags.data();
  outline.contours = ends.data();

  for (double scale : {1.0, 0.5}) {
    std::vector<TOutlineContour> got = OutlineContours(outline, scale);
    ExpectSameContours(got, TDecomposer::Run(outline, scale), 0, "fixture");
    // Spelled out for the implied points: the midpoint between two conic
    // points, and the start between the last and first ones.
    ASSERT_EQ(got.size(), 5u);
    EXPECT_EQ(got[0].segments[0].kind, TOutlineSegment::Quadratic);
    EXPECT_DOUBLE_EQ(got[0].segments[0].y, 5 * scale);
    EXPECT_DOUBLE_EQ(got[1].startX, -5 * scale);
    EXPECT_DOUBLE_EQ(got[1].startY, -5 * scale);
    EXPECT_DOUBLE_EQ(got[2].startY, 10 * scale);  // started on the last point
    EXPECT_EQ(got[4].segments.size(), 3u);        // no closing line needed
    // Every contour ends where it starts.
    for (const TOutlineContour& c : got) {
      EXPECT_EQ(c.segments.back().x, c.startX);
      EXPECT_EQ(c.segments.back().y, c.startY);
    }
  }

  // A contour starting on a cubic control point is refused, the rest kept.
  tags[19] = Cubic;
  EXPECT_EQ(OutlineContours(outline, 1).size(), 4u);
}

TEST(TextOutline, GlyphOutlinesAreTheFontsUnhintedCurvesAtTheEm) {
  TFont font;
  font.Size = 36;  // an em of 48 pixels
  TFontMetrics metrics = GetFontMetrics(font);
  FT_Library library = nullptr;
  ASSERT_EQ(FT_Init_FreeType(&library), 0);
  FT_Face face = nullptr;
  ASSERT_EQ(FT_New_Face(library, metrics.ResolvedFile.c_str(), 0, &face), 0);
  double scale = 48.0 / face->units_per_EM;
  for (char32_t code : {U'O', U'g', U'&', U'S', U'e', U'\u00E9'}) {
    std::optional<TGlyphOutline> outline = GlyphOutline(font, code);
    ASSERT_TRUE(outline.has_value()) << static_cast<unsigned>(code);
    ASSERT_EQ(FT_Load_Char(face, code, FT_LOAD_NO_SCALE), 0);
    // FreeType's decomposer cuts implied midpoints to whole font units;
    // ours are exact.
    ExpectSameContours(outline->contours, TDecomposer::Run(face->glyph->outline, scale), 0.5 * scale,
                       "glyph " + std::to_string(code));
    EXPECT_NEAR(outline->advance, face->glyph->advance.x * scale, 1e-9);
  }
  EXPECT_EQ(GlyphOutline(font, U'O')->contours.size(), 2u);
  FT_Done_Face(face);
  FT_Done_FreeType(library);

  EXPECT_FALSE(GlyphOutline(font, U' ').has_value());
  EXPECT_FALSE(GlyphOutline(font, U'\U0010FFFD').has_value());  // not in the font
  EXPECT_FALSE(GlyphOutline(font, char32_t{0xD800}).has_value());
}

TEST(TextOutline, PathContoursPlaceGlyphsLikeTheMask) {
  TFont font;
  font.Size = 24;
  font.Style = fsUnderline;
  TTextMask mask = RenderTextMask(font, "Hi", {-1000, -1000, 1000, 1000});
  auto paths = TextPathContours(font, "Hi");
  ASSERT_EQ(paths.size(), 4u);  // H, the stem and dot of i, the underline
  double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
  for (const auto& p : paths) {
    EXPECT_GE(p.size(), 4u);
    for (auto [x, y] : p) {
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
    }
  }
  // Unhinted outlines against hinted pixels: within a pixel.
  EXPECT_NEAR(left, mask.Bounds.Left, 1.0);
  EXPECT_NEAR(right, mask.Bounds.Right, 1.0);
  EXPECT_NEAR(top, mask.Bounds.Top, 1.0);
  EXPECT_NEAR(bottom, mask.Bounds.Bottom, 1.0);
  EXPECT_EQ(TextPathContours(font, "Hi"), paths);  // the same every time

  // A quarter turn maps every point (x, y) to (y, -x).
  font.Escapement = 900;
  auto turned = TextPathContours(font, "Hi");
  ASSERT_EQ(turned.size(), paths.size());
  for (std::size_t c = 0; c < paths.size(); ++c) {
    ASSERT_EQ(turned[c].size(), paths[c].size());
    for (std::size_t i = 0; i < paths[c].size(); ++i) {
      EXPECT_NEAR(turned[c][i].first, paths[c][i].second, 1e-9);
      EXPECT_NEAR(turned[c][i].second, -paths[c][i].first, 1e-9);
    }
  }
  EXPECT_EQ(TextPathContours(font, " ").size(), 1u);  // the underline alone
  font.Style = 0;
  EXPECT_TRUE(TextPathContours(font, " ").empty());
}

TEST(TextRaster, TiledPolygonsCoverWhatFreeTypesCurvesCover) {
  // The glyph of '&' placed on a canvas, rendered as curves by FreeType
  // and again through the path for huge outlines (flattened, clipped and
  // split into tiles of 16 pixels), must agree.
  TFont font;
  font.Size = 60;
  std::vector<TOutlineContour> contours = GlyphOutline(font, U'&')->contours;
  for (TOutlineContour& c : contours) {
    c.startY = 70 - c.startY;
    for (TOutlineSegment& s : c.segments) {
      s.y = 70 - s.y;
      s.y1 = 70 - s.y1;
      s.y2 = 70 - s.y2;
    }
  }
  for (bool mono : {false, true}) {
    TTextMask curves, tiles;
    curves.Bounds = tiles.Bounds = {0, 0, 80, 80};
    curves.Alpha.assign(80 * 80, 0);
    tiles.Alpha = curves.Alpha;
    AddCoverage(contours, curves, mono);
    AddCoverage(contours, tiles, mono, {16, 40});
    long differing = 0, worst = 0, inkCurves = 0, inkTiles = 0;
    for (std::size_t i = 0; i < curves.Alpha.size(); ++i) {
      long d = std::abs(curves.Alpha[i] - tiles.Alpha[i]);
      differing += d > 0;
      worst = std::max(worst, d);
      inkCurves += curves.Alpha[i];
      inkTiles += tiles.Alpha[i];
    }
    if (mono) {
      EXPECT_LT(differing, 40);  // a pixel here and there along the edges
    } else {
      // Both flatten curves a little differently; a seam or a clipping
      // fault would show as a pixel far off.
      EXPECT_LE(worst, 32);
      EXPECT_NEAR(inkTiles, inkCurves, inkCurves / 200);
    }
    EXPECT_GT(std::count(curves.Alpha.begin(), curves.Alpha.end(), 255), 500);
  }
}

}  // namespace
}  // namespace kroma
