#pragma once
// Ending the figures of the poly tools, whose gesture stays open across
// releases (the vertices are FPolyPoints, the current side's band runs
// from FStartPoint to FLastPoint).
namespace kroma {

class TKromaF;

// The right press on "polygon" or "polyline": the band to the pointer
// goes; a polygon of three or more vertices is closed with Polygon in the
// user's pen mode; a polyline's sides are drawn again in the user's pen
// mode (not in pmNotXor, where the bands are the figure). The vertices
// are forgotten and the gesture ends.
void EndPolyFigure(TKromaF& editor);
// Another tool is chosen while a poly tool's gesture is open: the band to
// the pointer goes, the sides drawn so far stay, and the gesture ends.
void DropPolyFigure(TKromaF& editor);

}  // namespace kroma
