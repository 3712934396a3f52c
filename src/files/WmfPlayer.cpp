// WMF files: the headers, the drawing's size, and each record's fields
// handed to the metafile device. Record parameters are 16-bit words, most
// of them stored last argument first.
#include "files/WmfPlayer.h"

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

#include "core/Text.h"
#include "core/TextEncoding.h"
#include "files/MetafileDevice.h"
#include "files/MetafileDib.h"
#include "files/MetafileGdi.h"
#include "files/MetafileRecord.h"
#include "files/MetafileSupport.h"

namespace kroma {

namespace {

constexpr const char* kFormat = "WMF";
constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableSize = 22, kHeaderSize = 18, kRecordHeaderSize = 6;
constexpr double kScreenDpi = 96;

// Record functions.
enum : std::uint16_t {
  kEof = 0x0000,
  kRealizePalette = 0x0035,
  kSetPalEntries = 0x0037,
  kSaveDc = 0x001E,
  kCreatePalette = 0x00F7,
  kSetBkMode = 0x0102,
  kSetMapMode = 0x0103,
  kSetRop2 = 0x0104,
  kSetPolyFillMode = 0x0106,
  kRestoreDc = 0x0127,
  kInvertRegion = 0x012A,
  kPaintRegion = 0x012B,
  kSelectClipRegion = 0x012C,
  kSelectObject = 0x012D,
  kSetTextAlign = 0x012E,
  kDibCreatePatternBrush = 0x0142,
  kDeleteObject = 0x01F0,
  kCreatePatternBrush = 0x01F9,
  kSetBkColor = 0x0201,
  kSetTextColor = 0x0209,
  kSetWindowOrg = 0x020B,
  kSetWindowExt = 0x020C,
  kSetViewportOrg = 0x020D,
  kSetViewportExt = 0x020E,
  kOffsetWindowOrg = 0x020F,
  kOffsetViewportOrg = 0x0211,
  kLineTo = 0x0213,
  kMoveTo = 0x0214,
  kOffsetClipRgn = 0x0220,
  kFillRegion = 0x0228,
  kSelectPalette = 0x0234,
  kCreatePenIndirect = 0x02FA,
  kCreateFontIndirect = 0x02FB,
  kCreateBrushIndirect = 0x02FC,
  kPolygon = 0x0324,
  kPolyline = 0x0325,
  kScaleWindowExt = 0x0410,
  kScaleViewportExt = 0x0412,
  kExcludeClipRect = 0x0415,
  kIntersectClipRect = 0x0416,
  kEllipse = 0x0418,
  kFloodFill = 0x0419,
  kRectangle = 0x041B,
  kSetPixel = 0x041F,
  kFrameRegion = 0x0429,
  kTextOut = 0x0521,
  kPolyPolygon = 0x0538,
  kExtFloodFill = 0x0548,
  kRoundRect = 0x061C,
  kPatBlt = 0x061D,
  kCreateRegion = 0x06FF,
  kArc = 0x0817,
  kPie = 0x081A,
  kChord = 0x0830,
  kBitBlt = 0x0922,
  kDibBitBlt = 0x0940,
  kExtTextOut = 0x0A32,
  kStretchBlt = 0x0B23,
  kDibStretchBlt = 0x0B41,
  kSetDibToDev = 0x0D33,
  kStretchDib = 0x0F43,
};

constexpr std::uint32_t kSrcCopy = 0x00CC0020;

// Calls `visit(function, record)` for each record from `pos` up to the end
// record or the end of the data. Records must have a size and fit.
template <class Visit>
void ForEachRecord(std::span<const std::uint8_t> data, std::size_t pos, Visit visit) {
  while (data.size() - pos >= kRecordHeaderSize) {
    const TRecordData head(data.subspan(pos, kRecordHeaderSize));
    const std::uint64_t words = head.U32(0);
    const std::uint16_t function = head.U16(4);
    if (words < kRecordHeaderSize / 2)
      FailMetafile(kFormat, "the record at byte " + std::to_string(pos) + " has a size of " + std::to_string(words) +
                                " words");
    if (words > (data.size() - pos) / 2)
      FailMetafile(kFormat, "the record at byte " + std::to_string(pos) + " runs past the end of the file");
    if (function == kEof) return;
    const auto bytes = static_cast<std::size_t>(words * 2);
    visit(function, TRecordData(data.subspan(pos, bytes)));
    pos += bytes;
  }
}

// The page a plain file's window records describe: the first window
// origin and the first extent that is not zero.
struct TWindow {
  double orgX = 0, orgY = 0;
  std::optional<std::pair<double, double>> ext;
};
TWindow ScanWindow(std::span<const std::uint8_t> data, std::size_t pos) {
  TWindow w;
  bool haveOrg = false;
  ForEachRecord(data, pos, [&](std::uint16_t function, const TRecordData& r) {
    if (r.Size() < 10) return;
    if (function == kSetWindowOrg && !haveOrg) {
      w.orgX = r.I16(8);
      w.orgY = r.I16(6);
      haveOrg = true;
    } else if (function == kSetWindowExt && !w.ext && r.I16(8) != 0 && r.I16(6) != 0) {
      w.ext = std::pair<double, double>(r.I16(8), r.I16(6));
    }
  });
  return w;
}

class TWmfRecords {
 public:
  explicit TWmfRecords(TMetafileDevice& device) : dev_(device) {}

  void Play(std::uint16_t function, const TRecordData& r);

 private:
  // Parameter word k, signed or unsigned.
  static double W(const TRecordData& r, std::size_t k) { return r.I16(kRecordHeaderSize + 2 * k); }
  static int I(const TRecordData& r, std::size_t k) { return r.I16(kRecordHeaderSize + 2 * k); }
  static std::uint16_t U(const TRecordData& r, std::size_t k) { return r.U16(kRecordHeaderSize + 2 * k); }
  // The point of words k + 1 (x) and k (y), as most records store points.
  static TPointF P(const TRecordData& r, std::size_t k) { return {W(r, k + 1), W(r, k)}; }
  static std::vector<TPointF> Points(const TRecordData& r, std::size_t at, std::uint64_t count);

  void CreateObject(std::uint16_t function, const TRecordData& r);
  void TextOut(const TRecordData& r);
  void ExtTextOut(const TRecordData& r);
  void Blit(std::uint16_t function, const TRecordData& r);
  const TMfRegion* Region(std::uint16_t index) const;
  const TMfBrush* Brush(std::uint16_t index) const;

  TMetafileDevice& dev_;
};

std::vector<TPointF> TWmfRecords::Points(const TRecordData& r, std::size_t at, std::uint64_t count) {
  r.Need(at, count, 4);
  std::vector<TPointF> points;
  points.reserve(static_cast<std::size_t>(count));
  for (std::size_t i = 0; i < count; ++i) points.push_back({double(r.I16(at + 4 * i)), double(r.I16(at + 4 * i + 2))});
  return points;
}

const TMfRegion* TWmfRecords::Region(std::uint16_t index) const {
  const TMfObject* object = dev_.Object(index);
  return object ? std::get_if<TMfRegion>(object) : nullptr;
}

const TMfBrush* TWmfRecords::Brush(std::uint16_t index) const {
  const TMfObject* object = dev_.Object(index);
  return object ? std::get_if<TMfBrush>(object) : nullptr;
}

TMfObject ParsePen(const TRecordData& r) {
  TMfPen pen;
  pen.style = r.U16(6);
  pen.width = std::abs(r.I16(8));
  pen.color = r.U32(12);
  return pen;
}

TMfObject ParseBrush(const TRecordData& r) {
  TMfBrush brush;
  brush.style = r.U16(6);
  brush.color = r.U32(8);
  brush.hatch = r.U16(12);
  return brush;
}

TMfObject ParseFont(const TRecordData& r) {
  TMfFont font;
  font.height = r.I16(6);
  font.escapement = r.I16(10);
  font.weight = r.I16(14);
  font.italic = r.U8(16) != 0;
  font.underline = r.U8(17) != 0;
  font.strikeOut = r.U8(18) != 0;
  font.quality = r.U8(22);
  std::string face;
  for (std::size_t i = 24; i < r.Size() && i < 24 + 32 && r.U8(i) != 0; ++i) face.push_back(static_cast<char>(r.U8(i)));
  font.face = AnsiToUtf8(face);
  return font;
}

std::vector<TColor> ParsePaletteEntries(const TRecordData& r, std::size_t at, std::uint64_t count) {
  r.Need(at, count, 4);
  std::vector<TColor> colors;
  for (std::size_t i = 0; i < count; ++i) colors.push_back(RGB(r.U8(at + 4 * i), r.U8(at + 4 * i + 1), r.U8(at + 4 * i + 2)));
  return colors;
}

// A region: scans of rows, each with its pairs of left and right edges.
TMfObject ParseRegion(const TRecordData& r) {
  TMfRegion region;
  const std::uint16_t scans = r.U16(16);
  std::size_t at = 28;
  for (std::uint16_t s = 0; s < scans; ++s) {
    const std::uint16_t count = r.U16(at);
    const int top = r.I16(at + 2), bottom = r.I16(at + 4);
    r.Need(at + 6, count / 2, 4);
    for (std::uint16_t i = 0; i + 1 < count; i += 2)
      region.rects.push_back({r.I16(at + 6 + 2 * i), top, r.I16(at + 8 + 2 * i), bottom});
    at += 8 + 2 * std::size_t{count};
  }
  return region;
}

void TWmfRecords::CreateObject(std::uint16_t function, const TRecordData& r) {
  // A record that cannot be read still takes its place in the table, so
  // that the objects after it keep their numbers.
  TMfObject object;
  try {
    switch (function) {
      case kCreatePenIndirect: object = ParsePen(r); break;
      case kCreateBrushIndirect: object = ParseBrush(r); break;
      case kCreateFontIndirect: object = ParseFont(r); break;
      case kCreatePalette: {
        auto palette = std::make_shared<TMfPalette>();
        palette->colors = ParsePaletteEntries(r, 10, U(r, 1));
        object = std::move(palette);
        break;
      }
      case kCreateRegion: object = ParseRegion(r); break;
      case kDibCreatePatternBrush: {
        const std::uint16_t usage = U(r, 1);
        const TDibParts dib = SplitPackedDib(r.All().subspan(10), usage);
        TMfBrush brush;
        brush.pattern = std::make_shared<const TBitmap>(DecodeDib(dib, usage, dev_.PaletteColors()));
        object = std::move(brush);
        break;
      }
      default: break;  // pattern brushes of device bitmaps
    }
  } catch (const TBadRecord&) {
    object = std::monostate{};
  }
  dev_.AddObject(std::move(object));
}

void TWmfRecords::TextOut(const TRecordData& r) {
  const std::uint16_t length = U(r, 0);
  const auto text = r.Bytes(8, length);
  const std::size_t after = 8 + ((std::size_t{length} + 1) & ~std::size_t{1});
  TMetafileDevice::TTextRun run;
  run.reference = {double(r.I16(after + 2)), double(r.I16(after))};
  for (std::uint8_t c : text) run.text.push_back(AnsiToUnicode(c));
  dev_.TextOut(run);
}

void TWmfRecords::ExtTextOut(const TRecordData& r) {
  TMetafileDevice::TTextRun run;
  run.reference = P(r, 0);
  const std::uint16_t length = U(r, 2);
  run.options = U(r, 3);
  std::size_t at = 14;
  if (run.options & (gdi::kEtoOpaque | gdi::kEtoClipped)) {
    run.rect = std::pair<TPointF, TPointF>({W(r, 4), W(r, 5)}, {W(r, 6), W(r, 7)});
    at += 8;
  }
  for (std::uint8_t c : r.Bytes(at, length)) run.text.push_back(AnsiToUnicode(c));
  at += (std::size_t{length} + 1) & ~std::size_t{1};
  if (at <= r.Size() && (r.Size() - at) / 2 >= length)
    for (std::size_t i = 0; i < length; ++i) run.dx.push_back(r.I16(at + 2 * i));
  dev_.TextOut(run);
}

void TWmfRecords::Blit(std::uint16_t function, const TRecordData& r) {
  // Without a bitmap the record is (function >> 8) + 3 words long and has
  // one more reserved word.
  const bool noBitmap = r.Size() == 2 * std::size_t((function >> 8) + 3);
  const std::uint32_t rop = r.U32(6);
  TDibCopy copy;
  copy.rop = rop;
  std::size_t dibAt = 0;
  std::uint16_t usage = gdi::kDibRgbColors;
  switch (function) {
    case kBitBlt:
    case kDibBitBlt: {
      const std::size_t k = noBitmap ? 1 : 0;  // the reserved word
      copy.srcY = I(r, 2);
      copy.srcX = I(r, 3);
      copy.srcHeight = I(r, 4 + k);
      copy.srcWidth = I(r, 5 + k);
      copy.destA = P(r, 6 + k);
      copy.destB = {copy.destA.x + copy.srcWidth, copy.destA.y + copy.srcHeight};
      dibAt = 22;
      break;
    }
    case kStretchBlt:
    case kDibStretchBlt: {
      const std::size_t k = noBitmap ? 1 : 0;
      copy.srcHeight = I(r, 2);
      copy.srcWidth = I(r, 3);
      copy.srcY = I(r, 4);
      copy.srcX = I(r, 5);
      const double height = W(r, 6 + k), width = W(r, 7 + k);
      copy.destA = P(r, 8 + k);
      copy.destB = {copy.destA.x + width, copy.destA.y + height};
      dibAt = 26;
      break;
    }
    case kStretchDib: {
      usage = U(r, 2);
      copy.srcHeight = I(r, 3);
      copy.srcWidth = I(r, 4);
      copy.srcY = I(r, 5);
      copy.srcX = I(r, 6);
      const double height = W(r, 7), width = W(r, 8);
      copy.destA = P(r, 9);
      copy.destB = {copy.destA.x + width, copy.destA.y + height};
      copy.fromBottom = true;
      dibAt = 28;
      break;
    }
    case kSetDibToDev: {
      usage = U(r, 0);
      copy.rop = kSrcCopy;
      copy.rows = U(r, 1);
      copy.firstRow = U(r, 2);
      copy.srcY = I(r, 3);
      copy.srcX = I(r, 4);
      copy.srcHeight = I(r, 5);
      copy.srcWidth = I(r, 6);
      copy.destA = P(r, 7);
      copy.destB = {copy.destA.x + copy.srcWidth, copy.destA.y + copy.srcHeight};
      copy.fromBottom = true;
      dibAt = 24;
      break;
    }
    default: return;
  }
  const bool hasDib = function != kBitBlt && function != kStretchBlt && !noBitmap;
  if (hasDib) {
    CopyDib(dev_, SplitPackedDib(r.All().subspan(std::min(dibAt, r.Size())), usage), usage, copy);
  } else if (noBitmap && function != kStretchDib && function != kSetDibToDev) {
    dev_.Blit(copy.destA, copy.destB, nullptr, {}, rop);
  }
  // Copies of device bitmaps (the oldest form) are left out.
}

void TWmfRecords::Play(std::uint16_t function, const TRecordData& r) {
  using TArcKind = TMetafileDevice::TArcKind;
  using TUnits = TMetafileDevice::TUnits;
  switch (function) {
    case kSaveDc: dev_.SaveDC(); break;
    case kRestoreDc: dev_.RestoreDC(static_cast<int>(W(r, 0))); break;
    case kSetMapMode: dev_.SetMapMode(U(r, 0)); break;
    case kSetWindowOrg: dev_.SetWindowOrg(W(r, 1), W(r, 0)); break;
    case kSetWindowExt: dev_.SetWindowExt(W(r, 1), W(r, 0)); break;
    case kSetViewportOrg: dev_.SetViewportOrg(W(r, 1), W(r, 0)); break;
    case kSetViewportExt: dev_.SetViewportExt(W(r, 1), W(r, 0)); break;
    case kOffsetWindowOrg: dev_.OffsetWindowOrg(W(r, 1), W(r, 0)); break;
    case kOffsetViewportOrg: dev_.OffsetViewportOrg(W(r, 1), W(r, 0)); break;
    case kScaleWindowExt: dev_.ScaleWindowExt(W(r, 3), W(r, 2), W(r, 1), W(r, 0)); break;
    case kScaleViewportExt: dev_.ScaleViewportExt(W(r, 3), W(r, 2), W(r, 1), W(r, 0)); break;
    case kSetBkColor: dev_.SetBkColor(r.U32(6)); break;
    case kSetTextColor: dev_.SetTextColor(r.U32(6)); break;
    case kSetBkMode: dev_.SetBkMode(U(r, 0)); break;
    case kSetRop2: dev_.SetRop2(U(r, 0)); break;
    case kSetPolyFillMode: dev_.SetPolyFillMode(U(r, 0)); break;
    case kSetTextAlign: dev_.SetTextAlign(U(r, 0)); break;

    case kCreatePenIndirect:
    case kCreateBrushIndirect:
    case kCreateFontIndirect:
    case kCreatePalette:
    case kCreateRegion:
    case kDibCreatePatternBrush:
    case kCreatePatternBrush: CreateObject(function, r); break;
    case kSelectObject:
    case kSelectPalette: dev_.SelectObject(U(r, 0)); break;
    case kDeleteObject: dev_.DeleteObject(U(r, 0)); break;
    case kSetPalEntries:
      if (TMfPalette* palette = dev_.SelectedPalette()) {
        const std::uint16_t start = U(r, 0);
        const std::vector<TColor> colors = ParsePaletteEntries(r, 10, U(r, 1));
        for (std::size_t i = 0; i < colors.size() && start + i < palette->colors.size(); ++i)
          palette->colors[start + i] = colors[i];
      }
      break;
    case kRealizePalette: break;

    case kMoveTo: dev_.MoveTo(P(r, 0)); break;
    case kLineTo: dev_.LineTo(P(r, 0)); break;
    case kPolyline: dev_.Polyline(Points(r, 8, U(r, 0))); break;
    case kPolygon: dev_.Polygon(Points(r, 8, U(r, 0))); break;
    case kPolyPolygon: {
      const std::uint16_t polygons = U(r, 0);
      std::vector<std::uint32_t> counts;
      std::uint64_t total = 0;
      for (std::size_t i = 0; i < polygons; ++i) {
        counts.push_back(U(r, 1 + i));
        total += counts.back();
      }
      dev_.PolyPolygon(Points(r, 8 + 2 * std::size_t{polygons}, total), counts);
      break;
    }
    case kRectangle: dev_.Rectangle(P(r, 2), P(r, 0)); break;
    case kEllipse: dev_.Ellipse(P(r, 2), P(r, 0)); break;
    case kRoundRect: dev_.RoundRect(P(r, 4), P(r, 2), P(r, 0)); break;
    case kArc: dev_.ArcFigure(TArcKind::Arc, P(r, 6), P(r, 4), P(r, 2), P(r, 0)); break;
    case kChord: dev_.ArcFigure(TArcKind::Chord, P(r, 6), P(r, 4), P(r, 2), P(r, 0)); break;
    case kPie: dev_.ArcFigure(TArcKind::Pie, P(r, 6), P(r, 4), P(r, 2), P(r, 0)); break;
    case kSetPixel: dev_.SetPixel(P(r, 2), r.U32(6)); break;
    case kFloodFill: dev_.FloodFill(P(r, 2), r.U32(6), gdi::kFloodBorder); break;
    case kExtFloodFill: dev_.FloodFill(P(r, 3), r.U32(8), U(r, 0)); break;
    case kTextOut: TextOut(r); break;
    case kExtTextOut: ExtTextOut(r); break;

    case kPatBlt: dev_.Blit(P(r, 4), {W(r, 5) + W(r, 3), W(r, 4) + W(r, 2)}, nullptr, {}, r.U32(6)); break;
    case kBitBlt:
    case kDibBitBlt:
    case kStretchBlt:
    case kDibStretchBlt:
    case kStretchDib:
    case kSetDibToDev: Blit(function, r); break;

    case kIntersectClipRect: dev_.IntersectClipRect(P(r, 2), P(r, 0)); break;
    case kExcludeClipRect: dev_.ExcludeClipRect(P(r, 2), P(r, 0)); break;
    case kOffsetClipRgn: dev_.OffsetClip(W(r, 1), W(r, 0)); break;
    case kSelectClipRegion:
      if (const TMfRegion* region = Region(U(r, 0))) dev_.CombineClip(*region, TUnits::Logical, gdi::kRgnCopy);
      break;
    case kFillRegion:
      if (const TMfRegion* region = Region(U(r, 0)); region && Brush(U(r, 1)))
        dev_.FillRegion(*region, TUnits::Logical, *Brush(U(r, 1)));
      break;
    case kPaintRegion:
      if (const TMfRegion* region = Region(U(r, 0))) dev_.PaintRegion(*region, TUnits::Logical);
      break;
    case kInvertRegion:
      if (const TMfRegion* region = Region(U(r, 0))) dev_.InvertRegion(*region, TUnits::Logical);
      break;
    case kFrameRegion:
      if (const TMfRegion* region = Region(U(r, 0)); region && Brush(U(r, 1)))
        dev_.FrameRegion(*region, TUnits::Logical, *Brush(U(r, 1)), W(r, 3), W(r, 2));
      break;
    default: break;  // records without a picture of their own, or unknown
  }
}

}  // namespace

TBitmap PlayWmf(std::span<const std::uint8_t> data, std::int64_t maxPixels) {
  const TRecordData file(data);
  std::size_t pos = 0;
  std::optional<TRect> box;
  double inch = 0;
  if (data.size() >= 4 && file.U32(0) == kPlaceableKey) {
    if (data.size() < kPlaceableSize) FailMetafile(kFormat, "the placeable header is truncated");
    box = TRect{file.I16(6), file.I16(8), file.I16(10), file.I16(12)}.Normalized();
    inch = file.U16(14);
    if (inch == 0) FailMetafile(kFormat, "the placeable header gives 0 units per inch");
    if (box->IsEmpty()) FailMetafile(kFormat, "the placeable header's bounding box is empty");
    pos = kPlaceableSize;
  }
  if (data.size() - pos < kHeaderSize) FailMetafile(kFormat, "the file is too short for its header");
  const std::uint16_t type = file.U16(pos), headerWords = file.U16(pos + 2);
  if ((type != 1 && type != 2) || headerWords != kHeaderSize / 2) FailMetafile(kFormat, "the header is not a WMF header");
  pos += kHeaderSize;

  // The page starts as the drawing's frame mapped onto the whole bitmap.
  TPageMapping page;
  page.mapMode = gdi::kMmAnisotropic;
  TDrawingSize size;
  if (box) {
    size = CheckedDrawingSize(kFormat, box->Width() * kScreenDpi / inch, box->Height() * kScreenDpi / inch, maxPixels);
    page.windowOrgX = box->Left;
    page.windowOrgY = box->Top;
    page.windowExtX = static_cast<double>(box->Width());
    page.windowExtY = static_cast<double>(box->Height());
  } else {
    const TWindow window = ScanWindow(data, pos);
    const auto [extX, extY] = window.ext.value_or(std::pair<double, double>(kDefaultWmfWidth, kDefaultWmfHeight));
    size = CheckedDrawingSize(kFormat, std::abs(extX), std::abs(extY), maxPixels);
    page.windowOrgX = window.orgX;
    page.windowOrgY = window.orgY;
    page.windowExtX = extX;
    page.windowExtY = extY;
  }
  page.viewportExtX = size.width;
  page.viewportExtY = size.height;

  TBitmap bitmap(size.width, size.height);
  TMetafileDevice device(bitmap, TXForm{}, kScreenDpi / 25.4, kScreenDpi / 25.4, page);
  TWmfRecords records(device);
  ForEachRecord(data, pos, [&](std::uint16_t function, const TRecordData& r) {
    try {
      records.Play(function, r);
    } catch (const TBadRecord&) {
      // A record that does not hold what it says is left out.
    }
  });
  return bitmap;
}

}  // namespace kroma
