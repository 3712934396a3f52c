#pragma once
// Move steps that show the figure under construction between FStartPoint
// and the pointer (TKromaF::RubberBand: pmNotXor, the old copy drawn away
// first), shared by the tools whose band is a plain figure.
#include "core/Types.h"
#include "editor/Mouse.h"

namespace kroma {

class TKromaF;

void LineBand(TKromaF& editor, const TMouseEvent& e);
void RectangleBand(TKromaF& editor, const TMouseEvent& e);
void EllipseBand(TKromaF& editor, const TMouseEvent& e);

// Draws the last band line (FStartPoint to `end`) away with pmNotXor and
// gives the pen the user's mode back; the pen then stands at `end`. For
// tools whose release draws something other than the band's figure.
void RemoveBandLine(TKromaF& editor, TPoint end);

}  // namespace kroma
