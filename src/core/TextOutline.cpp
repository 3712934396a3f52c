#include "core/TextOutline.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include "core/FontFace.h"
#include "core/FontMetrics.h"
#include "core/Numeric.h"

namespace kroma {
namespace {

struct TPointD {
  double x = 0, y = 0;
  friend bool operator==(const TPointD&, const TPointD&) = default;
};

TPointD Mid(TPointD a, TPointD b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }

// Builds one contour while walking the points.
class TContourBuilder {
 public:
  explicit TContourBuilder(TPointD start) : current_(start) {
    contour_.startX = start.x;
    contour_.startY = start.y;
  }
  void Line(TPointD p) {
    contour_.segments.push_back({TOutlineSegment::Line, 0, 0, 0, 0, p.x, p.y});
    current_ = p;
  }
  void Quadratic(TPointD c, TPointD p) {
    contour_.segments.push_back({TOutlineSegment::Quadratic, c.x, c.y, 0, 0, p.x, p.y});
    current_ = p;
  }
  void Cubic(TPointD c1, TPointD c2, TPointD p) {
    contour_.segments.push_back({TOutlineSegment::Cubic, c1.x, c1.y, c2.x, c2.y, p.x, p.y});
    current_ = p;
  }
  TOutlineContour Close() {
    TPointD start{contour_.startX, contour_.startY};
    if (!(current_ == start)) Line(start);
    return std::move(contour_);
  }

 private:
  TOutlineContour contour_;
  TPointD current_;
};

}  // namespace

std::vector<TOutlineContour> OutlineContours(const FT_Outline_& outline, double scale) {
  std::vector<TOutlineContour> contours;
  auto point = [&](int i) {
    return TPointD{outline.points[i].x * scale, outline.points[i].y * scale};
  };
  auto tag = [&](int i) { return FT_CURVE_TAG(outline.tags[i]); };

  int first = 0;
  for (int c = 0; c < outline.n_contours; ++c) {
    int last = outline.contours[c];
    if (last < first || last >= outline.n_points) break;  // malformed: stop here
    int limit = last;
    int i = first;
    TPointD start = point(first);
    bool valid = tag(first) != FT_CURVE_TAG_CUBIC;
    if (valid && tag(first) == FT_CURVE_TAG_CONIC) {
      // Start on the last point if it is on the curve, else midway
      // between the last and the first control points.
      if (tag(last) == FT_CURVE_TAG_ON) {
        start = point(last);
        --limit;
      } else {
        start = Mid(point(first), point(last));
      }
      --i;  // the first point is then a control point to walk
    }
    TContourBuilder contour(start);
    while (valid && i < limit) {
      ++i;
      switch (tag(i)) {
        case FT_CURVE_TAG_ON:
          contour.Line(point(i));
          break;
        case FT_CURVE_TAG_CONIC: {
          TPointD control = point(i);
          bool closed = false;
          while (true) {
            if (i >= limit) {  // the contour ends on a control point
              contour.Quadratic(control, start);
              closed = true;
              break;
            }
            ++i;
            TPointD p = point(i);
            if (tag(i) == FT_CURVE_TAG_ON) {
              contour.Quadratic(control, p);
              break;
            }
            if (tag(i) != FT_CURVE_TAG_CONIC) {
              valid = false;
              break;
            }
            contour.Quadratic(control, Mid(control, p));
            control = p;
          }
          if (closed) i = limit;
          break;
        }
        default: {  // cubic: two control points, then an end point
          if (i + 1 > limit || tag(i + 1) != FT_CURVE_TAG_CUBIC) {
            valid = false;
            break;
          }
          TPointD c1 = point(i), c2 = point(i + 1);
          i += 2;
          if (i <= limit) {
            contour.Cubic(c1, c2, point(i));
          } else {
            contour.Cubic(c1, c2, start);
            i = limit;
          }
          break;
        }
      }
    }
    if (valid) {
      TOutlineContour closed = contour.Close();
      if (!closed.segments.empty()) contours.push_back(std::move(closed));
    }
    first = last + 1;
  }
  return contours;
}

std::vector<TOutlineContour> LoadGlyphContours(const TScaledFont& font, unsigned glyph, TGlyphLoad load) {
  FT_Face face = font.face->face;
  double scale = 0;
  FT_Pos strength = 0;
  if (load == TGlyphLoad::Exact) {
    if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP) != 0) return {};
    scale = font.scale;
    strength = SaturateRound(font.boldStrength / font.scale);
  } else {
    FT_Int32 flags = FT_LOAD_NO_BITMAP | (load == TGlyphLoad::HintedMono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
    // Setting a size resets the hinting state: only do it when it changes.
    auto em = static_cast<FT_UShort>(font.em);
    if (face->size->metrics.x_ppem != em || face->size->metrics.y_ppem != em) {
      if (FT_Set_Pixel_Sizes(face, 0, em) != 0) return {};
    }
    if (FT_Load_Glyph(face, glyph, flags) != 0) return {};
    scale = 1.0 / 64;
    strength = SaturateRound(font.boldStrength * 64);
  }
  FT_GlyphSlot slot = face->glyph;
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return {};
  if (font.face->syntheticBold) FT_Outline_Embolden(&slot->outline, strength);
  std::vector<TOutlineContour> contours = OutlineContours(slot->outline, scale);
  if (font.italicShear != 0) {
    double k = font.italicShear;
    for (TOutlineContour& c : contours) {
      c.startX += k * c.startY;
      for (TOutlineSegment& s : c.segments) {
        s.x1 += k * s.y1;
        s.x2 += k * s.y2;
        s.x += k * s.y;
      }
    }
  }
  return contours;
}

}  // namespace kroma
