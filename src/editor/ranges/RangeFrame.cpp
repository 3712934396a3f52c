#include "editor/ranges/RangeFrame.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "editor/KromaF.h"

namespace kroma {
namespace {

int Offset(int v, std::int64_t d) {
  return static_cast<int>(std::clamp<std::int64_t>(v + d, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

bool MovesLeft(TFrameHandle h) {
  return h == TFrameHandle::Move || h == TFrameHandle::Left || h == TFrameHandle::TopLeft ||
         h == TFrameHandle::BottomLeft;
}
bool MovesRight(TFrameHandle h) {
  return h == TFrameHandle::Move || h == TFrameHandle::Right || h == TFrameHandle::TopRight ||
         h == TFrameHandle::BottomRight;
}
bool MovesTop(TFrameHandle h) {
  return h == TFrameHandle::Move || h == TFrameHandle::Top || h == TFrameHandle::TopLeft ||
         h == TFrameHandle::TopRight;
}
bool MovesBottom(TFrameHandle h) {
  return h == TFrameHandle::Move || h == TFrameHandle::Bottom || h == TFrameHandle::BottomLeft ||
         h == TFrameHandle::BottomRight;
}

}  // namespace

TFrameHandle PickFrameHandle(int w, int h, int x, int y) {
  const int a = w / 8;
  const int b = h / 8;
  if (a <= x && x < w - a && b <= y && y < h - b) return TFrameHandle::Move;
  if (x < a) {
    if (y < b) return TFrameHandle::TopLeft;
    if (y >= h - b) return TFrameHandle::BottomLeft;
    return TFrameHandle::Left;
  }
  if (x >= w - a) {
    if (y < b) return TFrameHandle::TopRight;
    if (y >= h - b) return TFrameHandle::BottomRight;
    return TFrameHandle::Right;
  }
  return y < b ? TFrameHandle::Top : TFrameHandle::Bottom;
}

TFrameHandle SelectorMouseDown(TKromaF& f, int x, int y) {
  TRangeFrame& s = f.selector;
  s.Bounds = s.Bounds.Normalized();
  s.Handle = PickFrameHandle(static_cast<int>(std::min<std::int64_t>(s.Bounds.Width(), std::numeric_limits<int>::max())),
                             static_cast<int>(std::min<std::int64_t>(s.Bounds.Height(), std::numeric_limits<int>::max())),
                             x, y);
  s.GrabPoint = {Offset(s.Bounds.Left, x), Offset(s.Bounds.Top, y)};
  s.GrabBounds = s.Bounds;
  s.Dragging = true;
  return s.Handle;
}

void SelectorMouseMove(TKromaF& f, int x, int y) {
  TRangeFrame& s = f.selector;
  if (!s.Dragging) return;
  const std::int64_t dx = std::int64_t{x} - s.GrabPoint.x;
  const std::int64_t dy = std::int64_t{y} - s.GrabPoint.y;
  const TRect& g = s.GrabBounds;
  if (MovesLeft(s.Handle)) s.Bounds.Left = Offset(g.Left, dx);
  if (MovesRight(s.Handle)) s.Bounds.Right = Offset(g.Right, dx);
  if (MovesTop(s.Handle)) s.Bounds.Top = Offset(g.Top, dy);
  if (MovesBottom(s.Handle)) s.Bounds.Bottom = Offset(g.Bottom, dy);
}

void SelectorMouseUp(TKromaF& f) {
  TRangeFrame& s = f.selector;
  if (!s.Dragging) return;
  s.Dragging = false;
  s.Bounds = s.Bounds.Normalized();
  const TRect& b = s.Bounds;
  f.FRangeRect = {std::max(0, b.Left), std::max(0, b.Top), std::min(f.Image().Width(), b.Right),
                  std::min(f.Image().Height(), b.Bottom)};
}

}  // namespace kroma
