#pragma once
// Neighbourhood filters that work in place: anti-alias, emboss and the
// split blur. Where a formula reads a neighbour that the same pass already
// rewrote (rows above, pixels to the left), it sees the new value. Bitmaps
// in other formats are converted to 24 bit.
#include <atomic>
#include <cstdint>

namespace kroma {

class TBitmap;

// Corners in any order, limited to 1 .. width - 2 and 1 .. height - 2
// (inclusive); each channel becomes (up + down + left + right) >> 2. The
// outermost rows and columns never change.
void FxAntiAliasRect(TBitmap& bitmap, int x1, int y1, int x2, int y2);
void FxAntiAlias(TBitmap& bitmap);

// For y < height - 1 and x < width - 3: v(x, y) = ((255 - v(x + 3, y + 1))
// + v(x, y)) >> 1. The last row and last three columns keep their values.
void FxEmboss(TBitmap& bitmap);

// Each pixel becomes the average (>> 2) of the four pixels `distance` away
// diagonally; near the top or left edge the pixel's own row or column
// stands in, near the bottom or right edge row height - y or column
// width - x. Distance 0 changes nothing, and so does a width or height not
// larger than the distance (the edge rule would name a row or column
// outside the image). A negative distance is an Error.
void FxSplitBlur(TBitmap& bitmap, int distance);

// passes + 1 split blurs of distance 3 when passes >= 0, none when it is
// negative. Stops early once a pass changes nothing (later passes could
// not either). With a cancel flag the blur runs on a copy and checks the
// flag between passes; when it is set, Error is thrown and the image is
// left as it was.
void FxBlur(TBitmap& bitmap, std::int64_t passes, const std::atomic<bool>* cancel = nullptr);

}  // namespace kroma
