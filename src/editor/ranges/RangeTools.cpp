// The range tools on the image: Select Range ("snapshot"), moving and
// smearing the range ("rangemove", "rangesmear") and the transparent copy
// ("transcopy"). Each works on the range's pixels only, never on the
// whole image.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/Canvas.h"
#include "editor/KromaF.h"
#include "editor/Modules.h"
#include "editor/ToolSteps.h"

namespace kroma {
namespace {

// The rectangle of a w x h bitmap placed at (x, y); the far edges stop at
// the int range (the canvas clips there anyway).
TRect PlacedAt(int x, int y, int w, int h) {
  auto edge = [](int v, int size) {
    return static_cast<int>(std::min<std::int64_t>(std::int64_t{v} + size, std::numeric_limits<int>::max()));
  };
  return {x, y, edge(x, w), edge(y, h)};
}

// ---- Select Range ----

void SnapshotPress(TKromaF& f, const TMouseEvent& e) {
  f.selector.Bounds = {e.X, e.Y, e.X, e.Y};
  f.selector.Visible = true;
}

void SnapshotMove(TKromaF& f, const TMouseEvent& e) {
  f.selector.Bounds.Right = e.X;
  f.selector.Bounds.Bottom = e.Y;
}

void SnapshotRelease(TKromaF& f, const TMouseEvent& e) {
  f.selector.Bounds.Right = e.X;
  f.selector.Bounds.Bottom = e.Y;
  f.FRangeRect = {f.FStartPoint.x, f.FStartPoint.y, e.X, e.Y};
  f.FRangeMenuEnabled = true;
  f.FToolKey.clear();
}

// ---- Move and smear ----
// clip holds the range inverted; drawing it with cmSrcInvert combines it
// into the image, and drawing it again at the same place takes it out.

void RangeDragPress(TKromaF& f, const TMouseEvent& e) {
  f.clip = TBitmap();  // a failed press leaves nothing for the moves to draw
  f.FClipCopyMode = cmSrcInvert;
  f.setclip(clWhite);
  f.copyclip();
  TCanvas& canvas = f.Canvas();
  canvas.CopyMode = cmSrcInvert;
  canvas.Draw(e.X, e.Y, f.clip);
}

void RangeMoveMove(TKromaF& f, const TMouseEvent& e) {
  if (f.clip.Empty()) return;
  TCanvas& canvas = f.Canvas();
  canvas.CopyMode = cmSrcInvert;
  canvas.Draw(f.FLastPoint.x, f.FLastPoint.y, f.clip);
  canvas.Draw(e.X, e.Y, f.clip);
}

void RangeSmearMove(TKromaF& f, const TMouseEvent& e) {
  if (f.clip.Empty()) return;
  TCanvas& canvas = f.Canvas();
  canvas.CopyMode = cmSrcInvert;
  canvas.Draw(e.X, e.Y, f.clip);
}

// ---- Transparent copy ----

void TransCopyRelease(TKromaF& f, const TMouseEvent& e) {
  f.FClipCopyMode = cmSrcCopy;
  f.setclip(clWhite);
  f.copyclip();
  f.Canvas().BrushCopy(PlacedAt(e.X, e.Y, f.clip.Width(), f.clip.Height()), f.clip, f.clip.BoundsRect(),
                       f.FTransparentCopyColor);
}

}  // namespace

void RegisterRangeTools(TToolStepRegistry& steps) {
  steps.Register("snapshot", {.Press = SnapshotPress, .Move = SnapshotMove, .Release = SnapshotRelease});
  steps.Register("rangemove", {.Press = RangeDragPress, .Move = RangeMoveMove});
  steps.Register("rangesmear", {.Press = RangeDragPress, .Move = RangeSmearMove});
  steps.Register("transcopy", {.Release = TransCopyRelease});
}

}  // namespace kroma
