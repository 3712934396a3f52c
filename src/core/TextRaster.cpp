#include "core/TextRaster.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cstdint>

#include "core/Error.h"
#include "core/FontFace.h"
#include "core/Numeric.h"
#include "core/TextGeometry.h"

namespace kroma {
namespace {

// Flattening error allowed for outlines drawn as polygons, in pixels.
constexpr double kFlatness = 0.05;

// An FT_Outline built from contours, in 26.6 coordinates relative to the
// bottom-left corner of a tile (y up).
class TTileOutline {
 public:
  explicit TTileOutline(const TRect& tile) : tile_(tile) {}

  void Point(double x, double y, char tag) {
    points_.push_back({SaturateRound((x - tile_.Left) * 64), SaturateRound((tile_.Bottom - y) * 64)});
    tags_.push_back(tag);
  }
  void EndContour() {
    if (!points_.empty() && (ends_.empty() || ends_.back() + 1 < static_cast<int>(points_.size())))
      ends_.push_back(static_cast<short>(points_.size() - 1));
  }
  FT_Outline View() {
    FT_Outline o{};
    o.n_contours = static_cast<short>(ends_.size());
    o.n_points = static_cast<short>(points_.size());
    o.points = points_.data();
    o.tags = tags_.data();
    o.contours = ends_.data();
    o.flags = FT_OUTLINE_HIGH_PRECISION;
    return o;
  }

 private:
  TRect tile_;
  std::vector<FT_Vector> points_;
  std::vector<char> tags_;
  std::vector<short> ends_;
};

struct TSpanTarget {
  TTextMask* mask;
  TRect tile;
};

void AddSpans(int y, int count, const FT_Span* spans, void* user) {
  auto* target = static_cast<TSpanTarget*>(user);
  const TRect& b = target->mask->Bounds;
  std::int64_t row = std::int64_t{target->tile.Bottom} - 1 - y;
  if (row < b.Top || row >= b.Bottom) return;
  std::uint8_t* line = target->mask->Alpha.data() + (row - b.Top) * b.Width();
  for (int i = 0; i < count; ++i) {
    std::int64_t x0 = std::max<std::int64_t>(std::int64_t{target->tile.Left} + spans[i].x, b.Left);
    std::int64_t x1 = std::min<std::int64_t>(std::int64_t{target->tile.Left} + spans[i].x + spans[i].len, b.Right);
    for (std::int64_t x = x0; x < x1; ++x) {
      std::uint8_t& a = line[x - b.Left];
      a = static_cast<std::uint8_t>(std::min(255, a + spans[i].coverage));
    }
  }
}

// Renders an outline built for `tile` (inside the mask) into the mask.
void RenderTile(TTileOutline& built, const TRect& tile, TTextMask& mask, bool mono) {
  FT_Outline outline = built.View();
  if (outline.n_contours == 0) return;
  auto width = static_cast<unsigned>(tile.Width());
  auto height = static_cast<unsigned>(tile.Height());
  if (!mono) {
    TSpanTarget target{&mask, tile};
    FT_Raster_Params params{};
    params.source = &outline;
    params.flags = FT_RASTER_FLAG_AA | FT_RASTER_FLAG_DIRECT | FT_RASTER_FLAG_CLIP;
    params.gray_spans = AddSpans;
    params.user = &target;
    params.clip_box = {0, 0, static_cast<FT_Pos>(width), static_cast<FT_Pos>(height)};
    FT_Outline_Render(FontLibrary(), &outline, &params);
    return;
  }
  // The aliased rasteriser draws into a 1-bit bitmap, top row first.
  int pitch = static_cast<int>((width + 7) / 8);
  std::vector<unsigned char> bits(static_cast<std::size_t>(pitch) * height, 0);
  FT_Bitmap bitmap{};
  bitmap.rows = height;
  bitmap.width = width;
  bitmap.pitch = pitch;
  bitmap.buffer = bits.data();
  bitmap.num_grays = 2;
  bitmap.pixel_mode = FT_PIXEL_MODE_MONO;
  if (FT_Outline_Get_Bitmap(FontLibrary(), &outline, &bitmap) != 0) return;
  const TRect& b = mask.Bounds;
  for (unsigned r = 0; r < height; ++r) {
    std::uint8_t* line = mask.Alpha.data() + (std::int64_t{tile.Top} + r - b.Top) * b.Width();
    const unsigned char* src = bits.data() + static_cast<std::size_t>(r) * pitch;
    for (unsigned x = 0; x < width; ++x) {
      if (src[x >> 3] & (0x80 >> (x & 7))) line[tile.Left + x - b.Left] = 255;
    }
  }
}

// Polygons already clipped near `tile`: rendered at once when FreeType can
// take them, else in two halves.
void RenderPolygons(const std::vector<TPolygonD>& polygons, const TRect& tile, TTextMask& mask, bool mono,
                    const TRasterLimits& limits) {
  TBoxD clip{tile.Left - 1.0, tile.Top - 1.0, tile.Right + 1.0, tile.Bottom + 1.0, false};
  std::vector<TPolygonD> clipped;
  std::size_t points = 0;
  for (const TPolygonD& p : polygons) {
    TPolygonD c = ClipPolygon(p, clip);
    if (c.size() < 3) continue;
    points += c.size();
    clipped.push_back(std::move(c));
  }
  if (clipped.empty()) return;
  if (tile.Width() <= limits.maxTile && tile.Height() <= limits.maxTile && points <= limits.maxPoints) {
    TTileOutline built(tile);
    for (const TPolygonD& p : clipped) {
      for (auto [x, y] : p) built.Point(x, y, FT_CURVE_TAG_ON);
      built.EndContour();
    }
    RenderTile(built, tile, mask, mono);
    return;
  }
  if (tile.Width() <= 1 && tile.Height() <= 1) throw Error("A character outline is too complex to draw.");
  TRect first = tile, second = tile;
  if (tile.Width() >= tile.Height()) {
    first.Right = second.Left = static_cast<int>(tile.Left + tile.Width() / 2);
  } else {
    first.Bottom = second.Top = static_cast<int>(tile.Top + tile.Height() / 2);
  }
  RenderPolygons(clipped, first, mask, mono, limits);
  RenderPolygons(clipped, second, mask, mono, limits);
}

std::size_t PointCount(const std::vector<TOutlineContour>& contours) {
  std::size_t n = 0;
  for (const TOutlineContour& c : contours) {
    n += 1;
    for (const TOutlineSegment& s : c.segments) n += 1 + static_cast<std::size_t>(s.kind);
  }
  return n;
}

}  // namespace

void AddCoverage(const std::vector<TOutlineContour>& contours, TTextMask& mask, bool mono,
                 const TRasterLimits& limits) {
  TRect box = PixelBounds(ControlBox(contours));
  TRect tile = Intersect(box, mask.Bounds);
  if (tile.IsEmpty()) return;
  if (box.Width() <= limits.maxTile && box.Height() <= limits.maxTile && PointCount(contours) <= limits.maxPoints) {
    // Small enough for FreeType to take the curves as they are.
    TTileOutline built(tile);
    for (const TOutlineContour& c : contours) {
      built.Point(c.startX, c.startY, FT_CURVE_TAG_ON);
      for (const TOutlineSegment& s : c.segments) {
        if (s.kind == TOutlineSegment::Quadratic) built.Point(s.x1, s.y1, FT_CURVE_TAG_CONIC);
        if (s.kind == TOutlineSegment::Cubic) {
          built.Point(s.x1, s.y1, FT_CURVE_TAG_CUBIC);
          built.Point(s.x2, s.y2, FT_CURVE_TAG_CUBIC);
        }
        built.Point(s.x, s.y, FT_CURVE_TAG_ON);
      }
      built.EndContour();
    }
    RenderTile(built, tile, mask, mono);
    return;
  }
  // Huge outlines: flatten only near the tile, clip, render in pieces.
  TBoxD near{tile.Left - 2.0, tile.Top - 2.0, tile.Right + 2.0, tile.Bottom + 2.0, false};
  std::vector<TPolygonD> polygons;
  for (const TOutlineContour& c : contours) polygons.push_back(FlattenNear(c, kFlatness, near));
  RenderPolygons(polygons, tile, mask, mono, limits);
}

}  // namespace kroma
