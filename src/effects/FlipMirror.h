#pragma once
// Flips and mirrors, in place. Bitmaps in other formats are converted to
// 24 bit.

namespace kroma {

class TBitmap;

// Upside down: row y takes the old row height - 1 - y.
void FxFlipDown(TBitmap& bitmap);
// Left to right: pixel x takes the old pixel width - 1 - x.
void FxFlipRight(TBitmap& bitmap);
// The bottom half becomes the mirror image of the top half (rows ABCD give
// ABBA, ABCDE give ABCBA).
void FxMirrorDown(TBitmap& bitmap);
// The right half becomes the mirror image of the left half.
void FxMirrorRight(TBitmap& bitmap);

}  // namespace kroma
