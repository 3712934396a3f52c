// Copies between bitmaps: CopyRect, Draw, StretchDraw and BrushCopy share
// one path. The visible destination pixels are mapped to source pixels by
// nearest-pixel scaling (reversed rectangles mirror), source rows are read
// as 24-bit rows whatever their format, and each destination run is
// combined with its source and brush rows by the copy mode's truth table.
#include <algorithm>
#include <cstring>
#include <vector>

#include "core/Canvas.h"
#include "core/CanvasImpl.h"
#include "core/CanvasPaint.h"
#include "core/PixelFormats.h"
#include "core/RasterCopy.h"

namespace kroma {

namespace {

__extension__ typedef __int128 I128;

struct Axis {
  std::int64_t dest0 = 0, destSize = 0;  // normalised destination range
  std::int64_t src0 = 0, srcSize = 0;    // normalised source range
  bool mirror = false;

  Axis(std::int64_t d0, std::int64_t d1, std::int64_t s0, std::int64_t s1)
      : dest0(std::min(d0, d1)), destSize(d1 > d0 ? d1 - d0 : d0 - d1), src0(std::min(s0, s1)),
        srcSize(s1 > s0 ? s1 - s0 : s0 - s1), mirror((d1 < d0) != (s1 < s0)) {}
  // Destination pixel i of n takes source pixel floor((i + 1/2) m / n) of m.
  std::int64_t SourceOf(std::int64_t dest) const {
    const std::int64_t i = dest - dest0;
    auto j = static_cast<std::int64_t>((I128{2} * i + 1) * srcSize / (I128{2} * destSize));
    if (mirror) j = srcSize - 1 - j;
    return src0 + j;
  }
};

struct CopyRequest {
  std::int64_t dl, dt, dr, db;
  const TBitmap* source;
  std::int64_t sl, st, sr, sb;
  std::uint8_t table;
  bool skipKey = false;   // leave destination pixels whose source has `key`
  bool brushKey = false;  // paint destination pixels whose source has `key` with the brush
  std::uint32_t key = 0;  // 0x00RRGGBB-packed as blue | green << 8 | red << 16
};

std::uint32_t PackedKey(TColor c) {
  if (c == clNone) return 0xFFFFFFFFu;  // matches no pixel
  c = ColorToRGB(c);
  return GetBValue(c) | (GetGValue(c) << 8) | (static_cast<std::uint32_t>(GetRValue(c)) << 16);
}

std::uint32_t PackedAt(const std::uint8_t* p) { return p[0] | (p[1] << 8) | (std::uint32_t{p[2]} << 16); }

// Source rows as 24-bit rows; rows outside the bitmap read white.
class SourceRows {
 public:
  explicit SourceRows(const TBitmap& bitmap)
      : bitmap_(bitmap), converted_(static_cast<std::size_t>(bitmap.Width()) * 3), white_(converted_.size(), 0xFF) {}
  const std::uint8_t* Row(std::int64_t y) {
    if (y < 0 || y >= bitmap_.Height()) return white_.data();
    const int row = static_cast<int>(y);
    if (bitmap_.PixelFormat() == pf24bit) return bitmap_.ScanLine(row);
    if (row != cached_) {
      RowToBgr24(bitmap_.ScanLine(row), bitmap_.PixelFormat(), bitmap_.Palette(), bitmap_.Width(), converted_.data());
      cached_ = row;
    }
    return converted_.data();
  }

 private:
  const TBitmap& bitmap_;
  std::vector<std::uint8_t> converted_, white_;
  int cached_ = -1;
};

TRect DoCopy(TCanvas& canvas, TBitmap& target, const CopyRequest& req) {
  const TRect window = TCanvas::Impl::BeginDraw(canvas);
  const Axis ax(req.dl, req.dr, req.sl, req.sr), ay(req.dt, req.db, req.st, req.sb);
  if (window.IsEmpty() || ax.destSize == 0 || ay.destSize == 0 || ax.srcSize == 0 || ay.srcSize == 0) return {};
  const TRect visible{static_cast<int>(std::clamp<std::int64_t>(ax.dest0, window.Left, window.Right)),
                      static_cast<int>(std::clamp<std::int64_t>(ay.dest0, window.Top, window.Bottom)),
                      static_cast<int>(std::clamp<std::int64_t>(ax.dest0 + ax.destSize, window.Left, window.Right)),
                      static_cast<int>(std::clamp<std::int64_t>(ay.dest0 + ay.destSize, window.Top, window.Bottom))};
  if (visible.IsEmpty()) return {};
  const TSpanSet spans = TCanvas::Impl::Clipped(canvas, TSpanSet(visible));
  if (spans.Empty()) return {};

  // Source column of every visible destination column (-1: outside, white).
  const TBitmap* source = req.source;
  std::vector<int> columns(static_cast<std::size_t>(visible.Width()));
  for (int x = visible.Left; x < visible.Right; ++x) {
    std::int64_t sx = ax.SourceOf(x);
    columns[static_cast<std::size_t>(x - visible.Left)] = sx >= 0 && sx < source->Width() ? static_cast<int>(sx) : -1;
  }
  // A copy within one bitmap reads the source as it was before the copy.
  TBitmap snapshot;
  if (source == &target) {
    snapshot = *source;
    source = &snapshot;
  }
  SourceRows rows(*source);
  const TPaint brush = BrushPaint(canvas.Brush);
  const bool needPattern = TableUsesPattern(req.table) || req.brushKey;
  std::vector<std::uint8_t> s(static_cast<std::size_t>(visible.Width()) * 3), p(needPattern ? s.size() : 0);
  const std::uint8_t white[3] = {0xFF, 0xFF, 0xFF};
  const bool unscaledX = !ax.mirror && ax.srcSize == ax.destSize;
  for (const TSpan& span : spans.Spans()) {
    const int count = span.x1 - span.x0;
    const std::uint8_t* srcRow = rows.Row(ay.SourceOf(span.y));
    const int* cols = &columns[static_cast<std::size_t>(span.x0 - visible.Left)];
    const std::uint8_t* sp = s.data();
    if (unscaledX && cols[0] >= 0 && cols[count - 1] >= 0) {
      sp = srcRow + std::int64_t{cols[0]} * 3;  // a plain stretch of the source row
    } else {
      for (int i = 0; i < count; ++i)
        std::memcpy(&s[static_cast<std::size_t>(i) * 3], cols[i] < 0 ? white : srcRow + std::int64_t{cols[i]} * 3, 3);
    }
    if (needPattern) PaintOperandRow(brush, span.x0, span.y, count, p.data());
    std::uint8_t* dst = target.ScanLine(span.y) + std::int64_t{span.x0} * 3;
    if (!req.skipKey && !req.brushKey) {
      ApplyCopyTable(req.table, p.data(), sp, dst, static_cast<std::size_t>(count) * 3);
      continue;
    }
    // Runs of pixels whose source is not the key colour take the copy;
    // key pixels are skipped, or painted with the brush.
    for (int i = 0; i < count;) {
      const bool isKey = PackedAt(sp + i * 3) == req.key;
      int j = i + 1;
      while (j < count && (PackedAt(sp + j * 3) == req.key) == isKey) ++j;
      const std::size_t at = static_cast<std::size_t>(i) * 3, bytes = static_cast<std::size_t>(j - i) * 3;
      if (!isKey) {
        ApplyCopyTable(req.table, needPattern ? p.data() + at : nullptr, sp + at, dst + at, bytes);
      } else if (req.brushKey) {
        for (int k = i; k < j; ++k)
          if (PaintCovers(brush, span.x0 + k, span.y)) std::memcpy(dst + k * 3, &p[static_cast<std::size_t>(k) * 3], 3);
      }
      i = j;
    }
  }
  return TCanvas::Impl::Record(canvas, spans.Bounds());
}

}  // namespace

TRect TCanvas::CopyRect(const TRect& dest, const TBitmap& source, const TRect& src) {
  CopyRequest req{dest.Left, dest.Top, dest.Right, dest.Bottom, &source, src.Left, src.Top, src.Right, src.Bottom,
                  CopyModeTable(CopyMode)};
  return DoCopy(*this, *bitmap_, req);
}

TRect TCanvas::Draw(int x, int y, const TBitmap& graphic) {
  CopyRequest req{x, y, std::int64_t{x} + graphic.Width(), std::int64_t{y} + graphic.Height(), &graphic, 0, 0,
                  graphic.Width(), graphic.Height(), CopyModeTable(CopyMode)};
  req.skipKey = graphic.Transparent;
  req.key = PackedKey(graphic.TransparentColor());
  return DoCopy(*this, *bitmap_, req);
}

TRect TCanvas::StretchDraw(const TRect& dest, const TBitmap& graphic) {
  CopyRequest req{dest.Left, dest.Top, dest.Right, dest.Bottom, &graphic, 0, 0, graphic.Width(), graphic.Height(),
                  CopyModeTable(CopyMode)};
  req.skipKey = graphic.Transparent;
  req.key = PackedKey(graphic.TransparentColor());
  return DoCopy(*this, *bitmap_, req);
}

TRect TCanvas::BrushCopy(const TRect& dest, const TBitmap& source, const TRect& src, TColor transparent) {
  CopyRequest req{dest.Left, dest.Top, dest.Right, dest.Bottom, &source, src.Left, src.Top, src.Right, src.Bottom,
                  CopyModeTable(cmSrcCopy)};
  req.brushKey = true;
  req.key = PackedKey(transparent);
  return DoCopy(*this, *bitmap_, req);
}

}  // namespace kroma
