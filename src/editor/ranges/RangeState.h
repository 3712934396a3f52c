#pragma once
// What the window shows over the image for the range: the dotted frame
// `selector` and the floating range `FloatImage1`. Both are plain state
// here; the window draws them and forwards the pointer to the editor.
#include "core/Bitmap.h"
#include "core/Types.h"

namespace kroma {

// The frame's nine grab handles.
enum class TFrameHandle { Move, TopLeft, BottomLeft, Left, TopRight, BottomRight, Right, Top, Bottom };

struct TRangeFrame {
  // In image pixels, Right and Bottom exclusive. While the Select Range
  // tool drags, Right may lie left of Left (a frame dragged up or left);
  // the window shows the normalised rectangle.
  TRect Bounds{};
  bool Visible = false;
  // Frame drag: the handle grabbed, the grab point, the bounds at the grab.
  bool Dragging = false;
  TFrameHandle Handle = TFrameHandle::Move;
  TPoint GrabPoint{};
  TRect GrabBounds{};
};

struct TFloatingRange {
  TBitmap Picture;
  TPoint Pos{};  // top-left corner, in image pixels
  bool Visible = false;
};

}  // namespace kroma
