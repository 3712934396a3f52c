// Clipping, region painting and bitmap copies of the metafile device.
// The clip is kept as the bitmap pixels it lets through, so that clip
// records cost what the bitmap costs however many of them a file has; the
// canvas gets it as a balanced union of rectangles when drawing needs it.
#include <algorithm>
#include <cmath>

#include "core/Bitmap.h"
#include "core/Canvas.h"
#include "core/Numeric.h"
#include "core/Region.h"
#include "files/MetafileDeviceState.h"

namespace kroma {

namespace {

// Rows are gathered into span sets this many runs at a time.
constexpr std::size_t kRunBatch = 1 << 20;

// Runs of rows within [top, bottom) as a span set: sorted by row with a
// counting sort, then by column within each row.
TSpanSet RunsToSet(const std::vector<TSpan>& runs, int top, int bottom) {
  std::vector<std::size_t> start(static_cast<std::size_t>(std::int64_t{bottom} - top) + 1, 0);
  for (const TSpan& r : runs) ++start[static_cast<std::size_t>(std::int64_t{r.y} - top) + 1];
  for (std::size_t i = 1; i < start.size(); ++i) start[i] += start[i - 1];
  std::vector<TSpan> sorted(runs.size());
  std::vector<std::size_t> next(start.begin(), start.end() - 1);
  for (const TSpan& r : runs) sorted[next[static_cast<std::size_t>(std::int64_t{r.y} - top)]++] = r;
  for (std::size_t i = 0; i + 1 < start.size(); ++i)
    if (start[i + 1] - start[i] > 1)
      std::sort(sorted.begin() + static_cast<std::ptrdiff_t>(start[i]), sorted.begin() + static_cast<std::ptrdiff_t>(start[i + 1]),
                [](const TSpan& a, const TSpan& b) { return a.x0 < b.x0; });
  return TSpanSet::FromUnsorted(std::move(sorted));
}

// Rectangles that cover a span set: rows in a row with the same runs share
// rectangles.
std::vector<TRect> SpanRects(const TSpanSet& set) {
  std::vector<TRect> done, open;
  const std::vector<TSpan>& spans = set.Spans();
  std::size_t i = 0;
  while (i < spans.size()) {
    const int y = spans[i].y;
    std::size_t j = i;
    while (j < spans.size() && spans[j].y == y) ++j;
    bool same = !open.empty() && open.front().Bottom == y && open.size() == j - i;
    for (std::size_t k = 0; same && k < open.size(); ++k)
      same = open[k].Left == spans[i + k].x0 && open[k].Right == spans[i + k].x1;
    if (same) {
      for (TRect& r : open) r.Bottom = y + 1;
    } else {
      done.insert(done.end(), open.begin(), open.end());
      open.clear();
      for (std::size_t k = i; k < j; ++k) open.push_back({spans[k].x0, y, spans[k].x1, y + 1});
    }
    i = j;
  }
  done.insert(done.end(), open.begin(), open.end());
  return done;
}

// A union of rectangles as a balanced tree, so that its depth stays small.
TRegion UnionOf(const std::vector<TRect>& rects, std::size_t lo, std::size_t hi) {
  if (hi - lo == 1) return TRegion::Rect(rects[lo]);
  const std::size_t mid = lo + (hi - lo) / 2;
  return TRegion::Combine(UnionOf(rects, lo, mid), UnionOf(rects, mid, hi), rgnOr);
}

const TBitmap& WhitePixel() {
  static const TBitmap pixel(1, 1);
  return pixel;
}

// The pixels r pixels deep inside a set along one axis: those whose
// neighbours up to r away on both sides all belong to it.
TSpanSet Erode(TSpanSet set, int r, bool horizontal) {
  auto shifted = [&](const TSpanSet& s, int d) {
    TSpanSet t = s;
    t.Offset(horizontal ? d : 0, horizontal ? 0 : d);
    return t;
  };
  // Depth a and a step b <= 2a + 1 make depth a + b.
  int depth = 0;
  while (depth < r && !set.Empty()) {
    const int step = std::min(std::max(depth, 1), r - depth);
    set = set.Intersect(shifted(set, step)).Intersect(shifted(set, -step));
    depth += step;
  }
  return set;
}

}  // namespace

void TMetafileDevice::ApplyClip() {
  if (S().clip == appliedClip_) return;
  appliedClip_ = S().clip;
  if (!appliedClip_) {
    canvas_->SetClipRegion(std::nullopt);
    return;
  }
  const std::vector<TRect> rects = SpanRects(*appliedClip_);
  canvas_->SetClipRegion(rects.empty() ? TRegion() : UnionOf(rects, 0, rects.size()));
}

void TMetafileDevice::SetClip(std::optional<TSpanSet> clip) {
  S().clip = clip ? std::make_shared<const TSpanSet>(std::move(*clip)) : nullptr;
}

TSpanSet TMetafileDevice::RectPixels(TPointF a, TPointF b) {
  const TRect bounds = bitmap_.BoundsRect();
  if (Full().AxisAligned()) {
    const TPoint p = Device(a), q = Device(b);
    const TRect r = Intersect(TRect{p.x, p.y, q.x, q.y}.Normalized(), bounds);
    return r.IsEmpty() ? TSpanSet() : TSpanSet(r);
  }
  const TPointF corners[] = {a, {b.x, a.y}, b, {a.x, b.y}};
  return TRegion::Polygon(Device(corners), fmAlternate).Rasterize(bounds);
}

TSpanSet TMetafileDevice::RegionPixels(const TMfRegion& region, TUnits units) {
  const TRect bounds = bitmap_.BoundsRect();
  const TXForm& m = units == TUnits::Logical ? Full() : toBitmap_;
  TSpanSet pixels;
  std::vector<TSpan> runs;
  auto flush = [&] {
    if (runs.empty()) return;
    TSpanSet more = RunsToSet(runs, bounds.Top, bounds.Bottom);
    pixels = pixels.Empty() ? std::move(more) : pixels.Union(more);
    runs.clear();
  };
  for (const TRect& r : region.rects) {
    const TPointF a{static_cast<double>(r.Left), static_cast<double>(r.Top)};
    const TPointF b{static_cast<double>(r.Right), static_cast<double>(r.Bottom)};
    if (!m.AxisAligned()) {
      const TPointF corners[] = {m.Apply(a), m.Apply({b.x, a.y}), m.Apply(b), m.Apply({a.x, b.y})};
      std::vector<TPoint> d;
      for (TPointF c : corners) d.push_back({SaturateRound(c.x), SaturateRound(c.y)});
      flush();
      pixels = pixels.Union(TRegion::Polygon(d, fmAlternate).Rasterize(bounds));
      continue;
    }
    const TPointF p = m.Apply(a), q = m.Apply(b);
    const TRect d = Intersect(
        TRect{SaturateRound(p.x), SaturateRound(p.y), SaturateRound(q.x), SaturateRound(q.y)}.Normalized(), bounds);
    for (int y = d.Top; y < d.Bottom; ++y) {
      runs.push_back({y, d.Left, d.Right});
      if (runs.size() >= kRunBatch) flush();
    }
  }
  flush();
  return pixels;
}

// ---- clip records -------------------------------------------------------

void TMetafileDevice::IntersectClipRect(TPointF a, TPointF b) {
  TSpanSet r = RectPixels(a, b);
  SetClip(S().clip ? S().clip->Intersect(r) : std::move(r));
}

void TMetafileDevice::ExcludeClipRect(TPointF a, TPointF b) {
  const TSpanSet r = RectPixels(a, b);
  const TRect bounds = bitmap_.BoundsRect();
  SetClip(S().clip ? S().clip->Subtract(r) : TSpanSet(bounds).Subtract(r));
}

void TMetafileDevice::CombineClip(const TMfRegion& region, TUnits units, int mode) {
  if (mode < gdi::kRgnAnd || mode > gdi::kRgnCopy) return;
  TSpanSet pixels = RegionPixels(region, units);
  const TSpanSet* clip = S().clip.get();
  // Without a clip everything is let through.
  const TSpanSet whole = clip || mode == gdi::kRgnAnd || mode == gdi::kRgnCopy || mode == gdi::kRgnOr
                             ? TSpanSet()
                             : TSpanSet(bitmap_.BoundsRect());
  const TSpanSet& current = clip ? *clip : whole;
  switch (mode) {
    case gdi::kRgnAnd: SetClip(clip ? clip->Intersect(pixels) : std::move(pixels)); break;
    case gdi::kRgnOr:
      if (clip) SetClip(clip->Union(pixels));
      break;
    case gdi::kRgnXor: SetClip(current.Xor(pixels)); break;
    case gdi::kRgnDiff: SetClip(current.Subtract(pixels)); break;
    case gdi::kRgnCopy: SetClip(std::move(pixels)); break;
  }
}

void TMetafileDevice::ResetClip() { SetClip(std::nullopt); }

void TMetafileDevice::OffsetClip(double dx, double dy) {
  if (!S().clip) return;
  const TPointF d = Full().ApplyVector({dx, dy});
  TSpanSet moved = *S().clip;
  moved.Offset(SaturateRound(d.x), SaturateRound(d.y));
  SetClip(moved.Clipped(bitmap_.BoundsRect()));
}

// ---- regions ------------------------------------------------------------

void TMetafileDevice::PaintSpans(const TSpanSet& spans, const TMfBrush& brush, std::uint32_t rop) {
  ApplyClip();
  ApplyBrush(brush);
  canvas_->CopyMode = rop;
  for (const TRect& r : SpanRects(spans)) {
    if (rop == cmPatCopy) canvas_->FillRect(r);
    else canvas_->CopyRect(r, WhitePixel(), {0, 0, 1, 1});
  }
}

void TMetafileDevice::FillRegion(const TMfRegion& region, TUnits units, const TMfBrush& brush) {
  PaintSpans(RegionPixels(region, units), brush, cmPatCopy);
}

void TMetafileDevice::PaintRegion(const TMfRegion& region, TUnits units) {
  PaintSpans(RegionPixels(region, units), S().brush, cmPatCopy);
}

void TMetafileDevice::InvertRegion(const TMfRegion& region, TUnits units) {
  PaintSpans(RegionPixels(region, units), S().brush, cmDstInvert);
}

void TMetafileDevice::FrameRegion(const TMfRegion& region, TUnits units, const TMfBrush& brush, double width,
                                  double height) {
  const TSpanSet pixels = RegionPixels(region, units);
  const TXForm& m = units == TUnits::Logical ? Full() : toBitmap_;
  // The frame is at least one pixel and never deeper than the bitmap.
  auto depth = [&](double v, int most) {
    const double d = std::abs(v);
    return d >= 1 ? std::min(SaturateRound(d), most) : 1;
  };
  const int w = depth(width * std::hypot(m.m11, m.m12), bitmap_.Width());
  const int h = depth(height * std::hypot(m.m21, m.m22), bitmap_.Height());
  const TSpanSet inside = Erode(Erode(pixels, w, true), h, false);
  PaintSpans(pixels.Subtract(inside), brush, cmPatCopy);
}

// ---- bitmaps ------------------------------------------------------------

void TMetafileDevice::Blit(TPointF a, TPointF b, const TBitmap* source, const TRect& src, std::uint32_t rop) {
  ApplyClip();
  ApplyBrush(S().brush);
  const TPoint p = Device(a), q = Device(b);
  canvas_->CopyMode = rop;
  if (source) canvas_->CopyRect({p.x, p.y, q.x, q.y}, *source, src);
  else canvas_->CopyRect({p.x, p.y, q.x, q.y}, WhitePixel(), {0, 0, 1, 1});
}

}  // namespace kroma
