#include "editor/ranges/RangeOps.h"

#include <algorithm>
#include <cstring>

#include "core/Canvas.h"
#include "core/Error.h"
#include "editor/Desktop.h"
#include "editor/KromaF.h"
#include "editor/ranges/RangeArea.h"

namespace kroma {
namespace {

// A cmSrcCopy copy of the range's pixels into a new 24-bit bitmap.
TBitmap CopyOfRange(TKromaF& f) {
  TRect area = RequireRangeArea(f.FRangeRect, f.Image());
  TBitmap copy(static_cast<int>(area.Width()), static_cast<int>(area.Height()));
  copy.Canvas().CopyRect(copy.BoundsRect(), f.Image(), area);
  return copy;
}

void ShowFloating(TKromaF& f, TBitmap picture, TPoint pos) {
  f.FloatImage1.Picture = std::move(picture);
  f.FloatImage1.Pos = pos;
  f.FloatImage1.Visible = true;
}

// The floating picture in 24 bit, or nullptr when none is shown.
const TBitmap* FloatingPicture(TKromaF& f, TBitmap& scratch) {
  const TBitmap& g = f.FloatImage1.Picture;
  if (!f.FloatImage1.Visible || g.Empty()) return nullptr;
  if (g.PixelFormat() == pf24bit) return &g;
  scratch = g;
  scratch.SetPixelFormat(pf24bit);
  return &scratch;
}

// Widens [lo, hi) to `size` around its middle when it is narrower, then
// moves it inside [0, limit) where it fits.
void WidenTo(int& lo, int& hi, int size, int limit) {
  const int w = hi - lo;
  if (w < size) {
    const int pad = (size - w) / 2;
    lo = hi + pad - size;
    hi = hi + pad;
  }
  if (lo < 0) {
    hi = std::min(limit, hi - lo);
    lo = 0;
  } else if (hi > limit) {
    lo = std::max(0, lo - (hi - limit));
    hi = limit;
  }
}

}  // namespace

void TightenRange(TKromaF& f) {
  TRect area = RequireRangeArea(f.FRangeRect, f.Image());
  f.FClipCopyMode = cmSrcCopy;
  f.setclip(clWhite);
  f.copyclip();
  const TBitmap& clip = f.clip;
  const int w = clip.Width();
  const int h = clip.Height();
  const std::uint8_t* ref = clip.ScanLine(0);
  int minX = w, minY = h, maxX = -1, maxY = -1;
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* row = clip.ScanLine(y);
    for (int x = 0; x < w; ++x) {
      if (std::memcmp(row + 3 * x, ref, 3) == 0) continue;
      minX = std::min(minX, x);
      maxX = std::max(maxX, x);
      minY = std::min(minY, y);
      maxY = y;
    }
  }
  if (maxX < 0) throw Error("The range is all one colour: there is nothing to float tightly.");
  f.FRangeRect = {area.Left + minX, area.Top + minY, area.Left + maxX + 1, area.Top + maxY + 1};
}

void FloatRange(TKromaF& f) {
  TRect area = RequireRangeArea(f.FRangeRect, f.Image());
  ShowFloating(f, CopyOfRange(f), {area.Left, area.Top});
}

void FloatTight24(TKromaF& f) {
  TightenRange(f);
  TRect& r = f.FRangeRect;
  WidenTo(r.Left, r.Right, 24, f.Image().Width());
  WidenTo(r.Top, r.Bottom, 24, f.Image().Height());
  FloatRange(f);
  f.FloatImage1.Picture.SetPixelFormat(pf4bit);
}

void CopyRangeToClipboard(TKromaF& f) { f.Desktop.SetClipboardImage(CopyOfRange(f)); }

void PasteFloatingRange(TKromaF& f) {
  TBitmap picture;
  if (!f.Desktop.GetClipboardImage(picture) || picture.Empty()) return;
  picture.SetPixelFormat(pf24bit);
  ShowFloating(f, std::move(picture), {5, 5});
}

void CropToRange(TKromaF& f) {
  f.FClipCopyMode = cmSrcCopy;
  f.setclip(clWhite);
  f.copyclip();
  f.Canvas().Brush.SetColor(clWhite);
  f.gamma.SetSecondColor(clWhite);
  f.Image().Assign(f.clip);
  f.FRangeRect = f.Image().BoundsRect();
  f.selector.Bounds = f.FRangeRect;  // the frame stays around the cropped picture
  f.ResizeUndoSlots(f.Image().Width(), f.Image().Height());
  f.ImageReplaced();
}

void MaskClip(TKromaF& f) {
  TRect area = RequireRangeArea(f.FRangeRect, f.Image());
  TBitmap mask = CopyOfRange(f);
  const TColor key = ColorToRGB(f.gamma.SecondColor());
  const std::uint8_t kb = GetBValue(key), kg = GetGValue(key), kr = GetRValue(key);
  for (int y = 0; y < mask.Height(); ++y) {
    std::uint8_t* p = mask.ScanLine(y);
    for (int x = 0; x < mask.Width(); ++x, p += 3) {
      const std::uint8_t v = (p[0] == kb && p[1] == kg && p[2] == kr) ? 255 : 0;
      p[0] = p[1] = p[2] = v;
    }
  }
  f.Canvas().Draw(area.Left, area.Top, mask);
}

void GlueFloatRight(TKromaF& f) {
  TBitmap scratch;
  const TBitmap* g = FloatingPicture(f, scratch);
  TBitmap& image = f.Image();
  if (!g || g->Height() != image.Height()) return;
  const int old = image.Width();
  image.SetWidth(old + g->Width());
  for (int y = 0; y < image.Height(); ++y)
    std::memcpy(image.ScanLine(y) + 3 * static_cast<std::size_t>(old), g->ScanLine(y),
                3 * static_cast<std::size_t>(g->Width()));
  f.ResizeUndoSlots(image.Width(), image.Height());
  f.ImageReplaced();
}

void GlueFloatBottom(TKromaF& f) {
  TBitmap scratch;
  const TBitmap* g = FloatingPicture(f, scratch);
  TBitmap& image = f.Image();
  if (!g || g->Width() != image.Width()) return;
  const int old = image.Height();
  image.SetHeight(old + g->Height());
  for (int y = 0; y < g->Height(); ++y)
    std::memcpy(image.ScanLine(old + y), g->ScanLine(y), 3 * static_cast<std::size_t>(g->Width()));
  f.ResizeUndoSlots(image.Width(), image.Height());
  f.ImageReplaced();
}

std::uint8_t CombineBytes(TCombineOp op, std::uint8_t a, std::uint8_t b) {
  switch (op) {
    case TCombineOp::Average: return static_cast<std::uint8_t>((a + b) >> 1);
    case TCombineOp::Exclude: return a == b ? 255 : static_cast<std::uint8_t>((a + b) >> 1);
    case TCombineOp::Intersect: return a != b ? 255 : a;
    case TCombineOp::Add: return static_cast<std::uint8_t>(a + b);
    case TCombineOp::Sub: return static_cast<std::uint8_t>(a - b);
    case TCombineOp::And: return a & b;
    case TCombineOp::Or: return a | b;
    case TCombineOp::Xor: return a ^ b;
    case TCombineOp::NotXor: return static_cast<std::uint8_t>(a ^ ~b);
  }
  return a;
}

void CombineFloat(TKromaF& f, TCombineOp op) {
  TBitmap scratch;
  const TBitmap* g = FloatingPicture(f, scratch);
  TBitmap& image = f.Image();
  if (!g || g->Width() != image.Width() || g->Height() != image.Height()) return;
  image.SetPixelFormat(pf24bit);
  const std::size_t bytes = 3 * static_cast<std::size_t>(image.Width());
  for (int y = 0; y < image.Height(); ++y) {
    std::uint8_t* a = image.ScanLine(y);
    const std::uint8_t* b = g->ScanLine(y);
    for (std::size_t i = 0; i < bytes; ++i) a[i] = CombineBytes(op, a[i], b[i]);
  }
  f.ImageChanged(image.BoundsRect());
}

}  // namespace kroma
