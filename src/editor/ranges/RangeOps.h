#pragma once
// The range commands that do more than one clip round trip: tightening
// and floating the range, the clipboard, crop, the mask of the range, and
// glueing or combining the floating range with the image. The command
// rows (RangeCommands.cpp) call these; tests call them directly.
#include <cstdint>

namespace kroma {

class TKromaF;

// Shrinks the range to the pixels whose colour differs from its top-left
// pixel. An empty range, or a range of one colour, is an error and
// leaves the range as it was.
void TightenRange(TKromaF& f);
// The range becomes the floating range, lying over the image where the
// range is; the image does not change.
void FloatRange(TKromaF& f);
// Tightens, widens a tight range narrower or lower than 24 pixels to 24
// around its middle (kept inside the image where it fits), floats it and
// gives the floating picture 16 colours.
void FloatTight24(TKromaF& f);
// A 24-bit copy of the range goes to the clipboard.
void CopyRangeToClipboard(TKromaF& f);
// An image on the clipboard becomes the floating range at (5, 5); without
// one nothing happens.
void PasteFloatingRange(TKromaF& f);
// The image becomes the range; the range then covers all of it.
void CropToRange(TKromaF& f);
// The range is drawn back as a mask: pixels of the colour panel's second
// colour white, all others black.
void MaskClip(TKromaF& f);

// Glue: the floating picture is added at the right of (or below) the
// image when its height (width) matches the image's; otherwise nothing.
void GlueFloatRight(TKromaF& f);
void GlueFloatBottom(TKromaF& f);

// Combine: every byte a of the image with byte b of the floating picture
// at the same place; nothing when the sizes differ.
enum class TCombineOp { Average, Exclude, Intersect, Add, Sub, And, Or, Xor, NotXor };
std::uint8_t CombineBytes(TCombineOp op, std::uint8_t a, std::uint8_t b);
void CombineFloat(TKromaF& f, TCombineOp op);

}  // namespace kroma
