#pragma once
// Moving and resizing the range frame `selector` with the pointer: a
// press picks one of nine handles by where it falls in the frame, moves
// drag that handle, the release makes the frame (clipped to the image) the
// range.
#include "core/Types.h"
#include "editor/ranges/RangeState.h"

namespace kroma {

class TKromaF;

// The handle under (x, y), a point inside a w x h frame: the middle part
// (an eighth of each side in from the edges) moves the frame, the corners
// and edges resize it.
TFrameHandle PickFrameHandle(int w, int h, int x, int y);

// (x, y) inside the frame, relative to its top-left corner. Returns the
// handle so the window can show its cursor.
TFrameHandle SelectorMouseDown(TKromaF& f, int x, int y);
// (x, y) in image pixels.
void SelectorMouseMove(TKromaF& f, int x, int y);
void SelectorMouseUp(TKromaF& f);

}  // namespace kroma
