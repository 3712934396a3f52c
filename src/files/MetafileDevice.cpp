// The metafile device's state: object table, selections, modes, mapping,
// saved states, and how they turn into the canvas's pen and brush.
#include <algorithm>
#include <cmath>

#include "core/Bitmap.h"
#include "core/Canvas.h"
#include "core/Numeric.h"
#include "core/PixelFormats.h"
#include "files/MetafileDeviceState.h"

namespace kroma {

namespace {

// Wider pens than this are drawn this wide; no bitmap is wider.
constexpr double kMaxPenPixels = 1 << 20;

const std::vector<TColor>& DefaultPalette() {
  static const std::vector<TColor> colors(SystemColors20().begin(), SystemColors20().end());
  return colors;
}

TMfBrush SolidBrush(std::uint32_t color) {
  TMfBrush b;
  b.color = color;
  return b;
}

TPenStyle CanvasPenStyle(std::uint32_t style) {
  switch (style & gdi::kPsStyleMask) {
    case gdi::kPsDash: return psDash;
    case gdi::kPsDot: return psDot;
    case gdi::kPsDashDot: return psDashDot;
    case gdi::kPsDashDotDot: return psDashDotDot;
    case gdi::kPsNull: return psClear;
    case gdi::kPsInsideFrame: return psInsideFrame;
    case gdi::kPsUserStyle: return psDash;
    case gdi::kPsAlternate: return psDot;
    default: return psSolid;
  }
}

// The binary raster operations, numbered 1 (black) to 16 (white) in files.
TPenMode CanvasPenMode(int rop2) {
  static constexpr TPenMode kModes[16] = {pmBlack,   pmNotMerge, pmMaskNotPen,  pmNotCopy, pmMaskPenNot, pmNot,
                                          pmXor,     pmNotMask,  pmMask,        pmNotXor,  pmNop,        pmMergeNotPen,
                                          pmCopy,    pmMergePenNot, pmMerge,   pmWhite};
  return rop2 >= 1 && rop2 <= 16 ? kModes[rop2 - 1] : pmCopy;
}

TBrushStyle CanvasHatch(std::uint32_t hatch) {
  switch (hatch) {
    case gdi::kHsHorizontal: return bsHorizontal;
    case gdi::kHsVertical: return bsVertical;
    case gdi::kHsFDiagonal: return bsFDiagonal;
    case gdi::kHsBDiagonal: return bsBDiagonal;
    case gdi::kHsCross: return bsCross;
    case gdi::kHsDiagCross: return bsDiagCross;
    default: return bsSolid;
  }
}

double Length(TPointF v) { return std::hypot(v.x, v.y); }

}  // namespace

TMetafileDevice::TMetafileDevice(TBitmap& bitmap, const TXForm& toBitmap, double pixelsPerMmX, double pixelsPerMmY,
                                 const TPageMapping& page)
    : bitmap_(bitmap),
      canvas_(std::make_unique<TCanvas>(bitmap)),
      toBitmap_(toBitmap),
      pixelsPerMmX_(pixelsPerMmX),
      pixelsPerMmY_(pixelsPerMmY),
      state_(std::make_unique<TState>()) {
  S().page = page;
}

TMetafileDevice::~TMetafileDevice() = default;

// ---- object table -------------------------------------------------------

bool TMetafileDevice::AddObject(TMfObject object) {
  if (!freed_.empty()) {
    objects_[*freed_.begin()] = std::move(object);
    freed_.erase(freed_.begin());
    return true;
  }
  if (objects_.size() >= kMaxMetafileObjects) return false;
  objects_.emplace_back(std::move(object));
  return true;
}

bool TMetafileDevice::SetObject(std::uint32_t index, TMfObject object) {
  // Place 0 stands for the metafile itself.
  if (index == 0 || index >= kMaxMetafileObjects) return false;
  if (index >= objects_.size()) objects_.resize(index + 1);
  objects_[index] = std::move(object);
  freed_.erase(index);
  return true;
}

const TMfObject* TMetafileDevice::Object(std::uint32_t index) const {
  if (index >= objects_.size() || !objects_[index]) return nullptr;
  return &*objects_[index];
}

void TMetafileDevice::SelectObject(std::uint32_t index) {
  if (index & gdi::kStockBit) {
    switch (index & ~gdi::kStockBit) {
      case gdi::kWhiteBrush: S().brush = SolidBrush(0xFFFFFF); break;
      case gdi::kLtGrayBrush: S().brush = SolidBrush(0xC0C0C0); break;
      case gdi::kGrayBrush: S().brush = SolidBrush(0x808080); break;
      case gdi::kDkGrayBrush: S().brush = SolidBrush(0x404040); break;
      case gdi::kBlackBrush: S().brush = SolidBrush(0x000000); break;
      case gdi::kNullBrush: S().brush = TMfBrush{gdi::kBsNull, 0, 0, nullptr}; break;
      case gdi::kDcBrush: S().brush = SolidBrush(0xFFFFFF); break;
      case gdi::kWhitePen: S().pen = TMfPen{gdi::kPsSolid, 0, 0xFFFFFF}; break;
      case gdi::kBlackPen:
      case gdi::kDcPen: S().pen = TMfPen{gdi::kPsSolid, 0, 0x000000}; break;
      case gdi::kNullPen: S().pen = TMfPen{gdi::kPsNull, 0, 0}; break;
      case gdi::kDefaultPalette: S().palette = nullptr; break;
      default:
        if ((index & ~gdi::kStockBit) >= gdi::kOemFixedFont && (index & ~gdi::kStockBit) <= 17) S().font = TMfFont{};
        break;
    }
    return;
  }
  const TMfObject* object = Object(index);
  if (!object) return;
  if (const auto* pen = std::get_if<TMfPen>(object)) S().pen = *pen;
  else if (const auto* brush = std::get_if<TMfBrush>(object)) S().brush = *brush;
  else if (const auto* font = std::get_if<TMfFont>(object)) S().font = *font;
  else if (const auto* palette = std::get_if<std::shared_ptr<TMfPalette>>(object)) S().palette = *palette;
  else if (const auto* region = std::get_if<TMfRegion>(object)) CombineClip(*region, TUnits::Logical, gdi::kRgnCopy);
}

void TMetafileDevice::DeleteObject(std::uint32_t index) {
  if (index >= objects_.size() || !objects_[index]) return;
  objects_[index].reset();
  freed_.insert(index);
}

TMfPalette* TMetafileDevice::PaletteObject(std::uint32_t index) {
  if (index >= objects_.size() || !objects_[index]) return nullptr;
  auto* palette = std::get_if<std::shared_ptr<TMfPalette>>(&*objects_[index]);
  return palette ? palette->get() : nullptr;
}

TMfPalette* TMetafileDevice::SelectedPalette() { return S().palette.get(); }

const std::vector<TColor>& TMetafileDevice::PaletteColors() const {
  return S().palette ? S().palette->colors : DefaultPalette();
}

TColor TMetafileDevice::ResolveColor(std::uint32_t colorRef) const {
  if ((colorRef >> 24) == gdi::kPaletteIndexColor) {
    const std::vector<TColor>& colors = PaletteColors();
    const std::uint32_t i = colorRef & 0xFFFF;
    return i < colors.size() ? colors[i] : clBlack;
  }
  return static_cast<TColor>(colorRef & 0xFFFFFF);
}

// ---- saved states ---------------------------------------------------------

void TMetafileDevice::SaveDC() {
  if (saved_.size() >= kMaxSavedStates) return;
  saved_.push_back(std::make_unique<TState>(S()));
}

void TMetafileDevice::RestoreDC(int which) {
  std::size_t index;
  if (which < 0) {
    const auto back = static_cast<std::uint64_t>(-static_cast<std::int64_t>(which));
    if (back > saved_.size()) return;
    index = saved_.size() - static_cast<std::size_t>(back);
  } else if (which > 0) {
    if (static_cast<std::uint64_t>(which) > saved_.size()) return;
    index = static_cast<std::size_t>(which) - 1;
  } else {
    return;
  }
  *state_ = *saved_[index];
  saved_.resize(index);
  MappingChanged();
}

// ---- modes --------------------------------------------------------------

void TMetafileDevice::SetTextColor(std::uint32_t color) { S().textColor = color; }
void TMetafileDevice::SetBkColor(std::uint32_t color) { S().bkColor = color; }
void TMetafileDevice::SetBkMode(int mode) {
  if (mode == gdi::kTransparent || mode == gdi::kOpaque) S().bkMode = mode;
}
void TMetafileDevice::SetRop2(int rop2) {
  if (rop2 >= 1 && rop2 <= 16) S().rop2 = rop2;
}
void TMetafileDevice::SetPolyFillMode(int mode) {
  if (mode == gdi::kAlternate || mode == gdi::kWinding) S().polyFillMode = mode;
}
void TMetafileDevice::SetTextAlign(unsigned align) { S().textAlign = align; }
void TMetafileDevice::SetArcDirection(int direction) {
  if (direction == gdi::kArcCounterClockwise || direction == gdi::kArcClockwise) S().arcDirection = direction;
}

// ---- mapping ------------------------------------------------------------

void TMetafileDevice::MappingChanged() { full_.reset(); }

void TMetafileDevice::SetMapMode(int mode) {
  if (mode < gdi::kMmText || mode > gdi::kMmAnisotropic) return;
  S().page.mapMode = mode;
  MappingChanged();
}

void TMetafileDevice::SetWindowOrg(double x, double y) {
  S().page.windowOrgX = x;
  S().page.windowOrgY = y;
  MappingChanged();
}

void TMetafileDevice::SetWindowExt(double x, double y) {
  if (x == 0 || y == 0) return;
  S().page.windowExtX = x;
  S().page.windowExtY = y;
  MappingChanged();
}

void TMetafileDevice::SetViewportOrg(double x, double y) {
  S().page.viewportOrgX = x;
  S().page.viewportOrgY = y;
  MappingChanged();
}

void TMetafileDevice::SetViewportExt(double x, double y) {
  if (x == 0 || y == 0) return;
  S().page.viewportExtX = x;
  S().page.viewportExtY = y;
  MappingChanged();
}

void TMetafileDevice::OffsetWindowOrg(double dx, double dy) {
  SetWindowOrg(S().page.windowOrgX + dx, S().page.windowOrgY + dy);
}

void TMetafileDevice::OffsetViewportOrg(double dx, double dy) {
  SetViewportOrg(S().page.viewportOrgX + dx, S().page.viewportOrgY + dy);
}

void TMetafileDevice::ScaleWindowExt(double xNum, double xDenom, double yNum, double yDenom) {
  if (xDenom == 0 || yDenom == 0) return;
  SetWindowExt(S().page.windowExtX * xNum / xDenom, S().page.windowExtY * yNum / yDenom);
}

void TMetafileDevice::ScaleViewportExt(double xNum, double xDenom, double yNum, double yDenom) {
  if (xDenom == 0 || yDenom == 0) return;
  SetViewportExt(S().page.viewportExtX * xNum / xDenom, S().page.viewportExtY * yNum / yDenom);
}

void TMetafileDevice::SetWorldTransform(const TXForm& xform) {
  // A transform that cannot be inverted is refused, as the system refuses it.
  if (!xform.Inverse()) return;
  S().world = xform;
  MappingChanged();
}

void TMetafileDevice::ModifyWorldTransform(const TXForm& xform, std::uint32_t mode) {
  switch (mode) {
    case 1: S().world = TXForm{}; break;
    case 2:
      if (!xform.Inverse()) return;
      S().world = xform.Then(S().world);
      break;
    case 3:
      if (!xform.Inverse()) return;
      S().world = S().world.Then(xform);
      break;
    case 4: SetWorldTransform(xform); return;
    default: return;
  }
  MappingChanged();
}

const TXForm& TMetafileDevice::Full() {
  if (!full_) full_ = S().world.Then(PageToDevice(S().page, pixelsPerMmX_, pixelsPerMmY_)).Then(toBitmap_);
  return *full_;
}

TPoint TMetafileDevice::Device(TPointF p) {
  const TPointF q = Full().Apply(p);
  return {SaturateRound(q.x), SaturateRound(q.y)};
}

std::vector<TPoint> TMetafileDevice::Device(std::span<const TPointF> points) {
  std::vector<TPoint> out;
  out.reserve(points.size());
  for (TPointF p : points) out.push_back(Device(p));
  return out;
}

double TMetafileDevice::ScaleX() { return Length(Full().ApplyVector({1, 0})); }
double TMetafileDevice::ScaleY() { return Length(Full().ApplyVector({0, 1})); }

// ---- pen and brush ------------------------------------------------------

void TMetafileDevice::ApplyPen() {
  const TMfPen& pen = S().pen;
  TPen& out = canvas_->Pen;
  out.Color = ResolveColor(pen.color);
  const double width = std::abs(pen.width) * ScaleX();
  out.Width = pen.width == 0 || !(width >= 1) ? 1 : SaturateRound(std::min(width, kMaxPenPixels));
  out.Style = CanvasPenStyle(pen.style);
  out.Mode = CanvasPenMode(S().rop2);
}

void TMetafileDevice::ApplyBrush(const TMfBrush& brush) {
  TBrush& out = canvas_->Brush;
  out.SetBitmap(nullptr);
  out.SetColor(ResolveColor(brush.color));
  switch (brush.style) {
    case gdi::kBsNull: out.SetStyle(bsClear); break;
    case gdi::kBsHatched: out.SetStyle(CanvasHatch(brush.hatch)); break;
    default:
      out.SetStyle(bsSolid);
      if (brush.pattern) out.SetBitmap(brush.pattern.get());
      break;
  }
}

void TMetafileDevice::DrawFigure(bool filled, const std::function<void()>& draw) {
  ApplyClip();
  ApplyPen();
  ApplyBrush(S().brush);
  canvas_->PolyFillMode = S().polyFillMode == gdi::kWinding ? fmWinding : fmAlternate;
  // The spaces between dashes and between hatch lines show the background
  // colour when the background is opaque, and what was there when it is
  // transparent. (The canvas paints dash gaps with a solid brush's colour.)
  const TPenStyle style = canvas_->Pen.Style;
  const bool dashed = (style == psDash || style == psDot || style == psDashDot || style == psDashDotDot) &&
                      canvas_->Pen.Width == 1 && !inPath_;
  const bool opaque = S().bkMode == gdi::kOpaque;
  if (!filled || inPath_) {
    if (dashed) {
      if (opaque) ApplyBrush(SolidBrush(S().bkColor));
      else canvas_->Brush.SetStyle(bsClear);
    }
    draw();
    return;
  }
  const bool hatched = S().brush.style == gdi::kBsHatched;
  if (opaque && (hatched || dashed)) {
    // First the background: under the dashes a solid outline, under the
    // hatch lines the fill.
    const TPen pen = canvas_->Pen;
    canvas_->Pen.Style = dashed ? psSolid : psClear;
    canvas_->Pen.Color = ResolveColor(S().bkColor);
    if (hatched) ApplyBrush(SolidBrush(S().bkColor));
    draw();
    canvas_->Pen = pen;
    ApplyBrush(S().brush);
    if (dashed && !hatched) canvas_->Brush.SetStyle(bsClear);  // filled already: the dashes are left
  }
  draw();
}

}  // namespace kroma
