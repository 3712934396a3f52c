#pragma once
// The device a metafile plays on: the drawing state its records change
// (object table, selected objects, colours and modes, coordinate mapping,
// clip, saved states) and the drawing calls they make, carried out on our
// canvas over the target bitmap. The WMF and EMF players read records and
// call this; everything here takes logical coordinates, as records do.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "core/RasterGeometry.h"
#include "core/Types.h"
#include "files/MetafileObjects.h"
#include "files/MetafileTransform.h"

namespace kroma {

class TBitmap;
class TCanvas;
class TSpanSet;

// Bounds on what a file can make the player hold.
constexpr std::size_t kMaxMetafileObjects = 65536;
constexpr std::size_t kMaxSavedStates = 1024;

class TMetafileDevice {
 public:
  // `toBitmap` maps the metafile's device space onto the bitmap's pixels;
  // the resolution serves the metric map modes; `page` is the mapping the
  // drawing starts with.
  TMetafileDevice(TBitmap& bitmap, const TXForm& toBitmap, double pixelsPerMmX, double pixelsPerMmY,
                  const TPageMapping& page);
  ~TMetafileDevice();
  TMetafileDevice(const TMetafileDevice&) = delete;
  TMetafileDevice& operator=(const TMetafileDevice&) = delete;

  // ---- object table
  // WMF: the object takes the lowest free place; false when none is left.
  bool AddObject(TMfObject object);
  // EMF: the object takes place `index`; false when it is out of range.
  bool SetObject(std::uint32_t index, TMfObject object);
  // nullptr for a free or unknown place.
  const TMfObject* Object(std::uint32_t index) const;
  // Selects a pen, brush, font or palette (EMF stock objects carry
  // gdi::kStockBit); regions select as the clip; other places do nothing.
  void SelectObject(std::uint32_t index);
  void DeleteObject(std::uint32_t index);

  // ---- state
  void SaveDC();
  // which < 0: that many states back; which > 0: the state saved as number
  // `which` (the first SaveDC is 1). Anything else is ignored.
  void RestoreDC(int which);
  void SetMapMode(int mode);
  // Zero extents are refused (the record is ignored).
  void SetWindowOrg(double x, double y);
  void SetWindowExt(double x, double y);
  void SetViewportOrg(double x, double y);
  void SetViewportExt(double x, double y);
  void OffsetWindowOrg(double dx, double dy);
  void OffsetViewportOrg(double dx, double dy);
  void ScaleWindowExt(double xNum, double xDenom, double yNum, double yDenom);
  void ScaleViewportExt(double xNum, double xDenom, double yNum, double yDenom);
  void SetWorldTransform(const TXForm& xform);
  // 1 identity, 2 left multiply, 3 right multiply, 4 set.
  void ModifyWorldTransform(const TXForm& xform, std::uint32_t mode);
  void SetTextColor(std::uint32_t color);
  void SetBkColor(std::uint32_t color);
  void SetBkMode(int mode);
  void SetRop2(int rop2);
  void SetPolyFillMode(int mode);
  void SetTextAlign(unsigned align);
  void SetArcDirection(int direction);
  // A colour reference resolved against the selected palette.
  TColor ResolveColor(std::uint32_t colorRef) const;
  const std::vector<TColor>& PaletteColors() const;
  // The palette at `index`, or the selected one; nullptr for none or the
  // default palette.
  TMfPalette* PaletteObject(std::uint32_t index);
  TMfPalette* SelectedPalette();

  // ---- lines and figures
  void MoveTo(TPointF p);
  void LineTo(TPointF p);
  void Polyline(std::span<const TPointF> points);
  void PolylineTo(std::span<const TPointF> points);
  void PolyBezier(std::span<const TPointF> points);
  void PolyBezierTo(std::span<const TPointF> points);
  void Polygon(std::span<const TPointF> points);
  // Figures of counts[i] points each, taken in turn from `points`.
  void PolyPolygon(std::span<const TPointF> points, std::span<const std::uint32_t> counts);
  void PolyPolyline(std::span<const TPointF> points, std::span<const std::uint32_t> counts);
  void Rectangle(TPointF a, TPointF b);
  void RoundRect(TPointF a, TPointF b, TPointF corner);
  void Ellipse(TPointF a, TPointF b);
  enum class TArcKind { Arc, Chord, Pie };
  void ArcFigure(TArcKind kind, TPointF a, TPointF b, TPointF start, TPointF end);
  // A line from the current position to the arc's start, the arc, and the
  // current position at its end.
  void ArcTo(TPointF a, TPointF b, TPointF start, TPointF end);
  void AngleArc(TPointF centre, double radius, double startDegrees, double sweepDegrees);
  void SetPixel(TPointF p, std::uint32_t color);
  void FloodFill(TPointF p, std::uint32_t color, int mode);

  // ---- paths
  void BeginPath();
  void EndPath();
  void CloseFigure();
  void AbortPath();
  void StrokePath();
  void FillPath();
  void StrokeAndFillPath();

  // ---- text
  struct TTextRun {
    TPointF reference;
    std::u32string text;
    std::vector<double> dx;  // logical advances, one per character, or none
    unsigned options = 0;    // gdi::kEto*
    std::optional<std::pair<TPointF, TPointF>> rect;  // opaque or clip rectangle
  };
  void TextOut(const TTextRun& run);

  // ---- bitmaps
  // Copies `src` of `source` into the logical rectangle from `a` to `b`
  // with a three-operand raster operation; without a source, only the
  // brush and destination take part.
  void Blit(TPointF a, TPointF b, const TBitmap* source, const TRect& src, std::uint32_t rop);

  // ---- clipping and regions. Region rectangles are in logical units
  // (WMF) or device units (EMF).
  enum class TUnits { Logical, Device };
  void IntersectClipRect(TPointF a, TPointF b);
  void ExcludeClipRect(TPointF a, TPointF b);
  void CombineClip(const TMfRegion& region, TUnits units, int mode);
  void ResetClip();
  void OffsetClip(double dx, double dy);
  void FillRegion(const TMfRegion& region, TUnits units, const TMfBrush& brush);
  void PaintRegion(const TMfRegion& region, TUnits units);
  void FrameRegion(const TMfRegion& region, TUnits units, const TMfBrush& brush, double width, double height);
  void InvertRegion(const TMfRegion& region, TUnits units);

 private:
  struct TState;
  TState& S() { return *state_; }
  const TState& S() const { return *state_; }

  // Logical to bitmap pixels.
  const TXForm& Full();
  TPoint Device(TPointF p);
  std::vector<TPoint> Device(std::span<const TPointF> points);
  // Length of a logical x or y distance in pixels.
  double ScaleX();
  double ScaleY();
  void MappingChanged();

  void ApplyPen();
  void ApplyBrush(const TMfBrush& brush);
  void ApplyClip();
  // Pen and brush set, clip in place; with an opaque background a hatched
  // brush gets the background colour under its lines first.
  void DrawFigure(bool filled, const std::function<void()>& draw);
  bool InPath() const { return inPath_; }
  void PolyPolygonDevice(const std::vector<std::vector<TPoint>>& polygons);
  // Logical points of the ellipse part from `start` to `end` in drawing direction.
  std::vector<TPointF> ArcPoints(TPointF a, TPointF b, TPointF start, TPointF end, bool whole);
  // Pixels of a region, or of a logical rectangle, in the bitmap.
  TSpanSet RegionPixels(const TMfRegion& region, TUnits units);
  TSpanSet RectPixels(TPointF a, TPointF b);
  void SetClip(std::optional<TSpanSet> clip);
  void PaintSpans(const TSpanSet& spans, const TMfBrush& brush, std::uint32_t rop);

  TBitmap& bitmap_;
  std::unique_ptr<TCanvas> canvas_;
  TXForm toBitmap_;
  double pixelsPerMmX_, pixelsPerMmY_;
  std::unique_ptr<TState> state_;
  std::vector<std::unique_ptr<TState>> saved_;
  std::vector<std::optional<TMfObject>> objects_;
  std::set<std::size_t> freed_;  // deleted places below objects_.size() (WMF numbering)
  std::optional<TXForm> full_;  // cached Full()
  std::shared_ptr<const TSpanSet> appliedClip_;  // the clip the canvas holds
  bool inPath_ = false;
};

}  // namespace kroma
