// EMF files: the header, the picture frame mapped onto the bitmap, and each
// record's fields handed to the metafile device. Offsets inside a record
// count from its start (type and size come first).
#include "files/EmfPlayer.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/TextEncoding.h"
#include "files/MetafileDevice.h"
#include "files/MetafileDib.h"
#include "files/MetafileGdi.h"
#include "files/MetafileRecord.h"
#include "files/MetafileSupport.h"

namespace kroma {

namespace {

constexpr const char* kFormat = "EMF";
constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr std::size_t kHeaderSize = 88;
constexpr double kScreenPixelsPerMm = 96 / 25.4;
constexpr std::uint32_t kSrcCopy = 0x00CC0020;

// Record types.
enum : std::uint32_t {
  kHeader = 1,
  kPolyBezier = 2,
  kPolygon = 3,
  kPolyline = 4,
  kPolyBezierTo = 5,
  kPolylineTo = 6,
  kPolyPolyline = 7,
  kPolyPolygon = 8,
  kSetWindowExtEx = 9,
  kSetWindowOrgEx = 10,
  kSetViewportExtEx = 11,
  kSetViewportOrgEx = 12,
  kEof = 14,
  kSetPixelV = 15,
  kSetMapMode = 17,
  kSetBkMode = 18,
  kSetPolyFillMode = 19,
  kSetRop2 = 20,
  kSetTextAlign = 22,
  kSetTextColor = 24,
  kSetBkColor = 25,
  kOffsetClipRgn = 26,
  kMoveToEx = 27,
  kExcludeClipRect = 29,
  kIntersectClipRect = 30,
  kScaleViewportExtEx = 31,
  kScaleWindowExtEx = 32,
  kSaveDc = 33,
  kRestoreDc = 34,
  kSetWorldTransform = 35,
  kModifyWorldTransform = 36,
  kSelectObject = 37,
  kCreatePen = 38,
  kCreateBrushIndirect = 39,
  kDeleteObject = 40,
  kAngleArc = 41,
  kEllipse = 42,
  kRectangle = 43,
  kRoundRect = 44,
  kArc = 45,
  kChord = 46,
  kPie = 47,
  kSelectPalette = 48,
  kCreatePalette = 49,
  kSetPaletteEntries = 50,
  kExtFloodFill = 53,
  kLineTo = 54,
  kArcTo = 55,
  kSetArcDirection = 57,
  kBeginPath = 59,
  kEndPath = 60,
  kCloseFigure = 61,
  kFillPath = 62,
  kStrokeAndFillPath = 63,
  kStrokePath = 64,
  kAbortPath = 68,
  kFillRgn = 71,
  kFrameRgn = 72,
  kInvertRgn = 73,
  kPaintRgn = 74,
  kExtSelectClipRgn = 75,
  kBitBlt = 76,
  kStretchBlt = 77,
  kSetDiBitsToDevice = 80,
  kStretchDiBits = 81,
  kExtCreateFontIndirectW = 82,
  kExtTextOutA = 83,
  kExtTextOutW = 84,
  kPolyBezier16 = 85,
  kPolygon16 = 86,
  kPolyline16 = 87,
  kPolyBezierTo16 = 88,
  kPolylineTo16 = 89,
  kPolyPolyline16 = 90,
  kPolyPolygon16 = 91,
  kCreateMonoBrush = 93,
  kCreateDibPatternBrushPt = 94,
  kExtCreatePen = 95,
};

// The fields of an EMF header that the player uses.
struct TEmfHeader {
  TRect bounds, frame;
  double pixelsPerMmX = kScreenPixelsPerMm, pixelsPerMmY = kScreenPixelsPerMm;
};

TEmfHeader ReadHeader(std::span<const std::uint8_t> data) {
  const TRecordData file(data);
  if (data.size() < kHeaderSize || file.U32(0) != kHeader) FailMetafile(kFormat, "it does not start with an EMF header");
  if (file.U32(40) != kSignature) FailMetafile(kFormat, "the header lacks the EMF signature");
  TEmfHeader h;
  h.bounds = {file.I32(8), file.I32(12), file.I32(16), file.I32(20)};
  h.frame = {file.I32(24), file.I32(28), file.I32(32), file.I32(36)};
  // The reference device's resolution, when the header gives a sensible one.
  const double devX = file.I32(72), devY = file.I32(76), mmX = file.I32(80), mmY = file.I32(84);
  if (devX > 0 && devY > 0 && mmX > 0 && mmY > 0) {
    h.pixelsPerMmX = devX / mmX;
    h.pixelsPerMmY = devY / mmY;
  }
  return h;
}

class TEmfRecords {
 public:
  explicit TEmfRecords(TMetafileDevice& device) : dev_(device) {}
  void Play(std::uint32_t type, const TRecordData& r);

 private:
  static TPointF P(const TRecordData& r, std::size_t at) { return {double(r.I32(at)), double(r.I32(at + 4))}; }
  static std::vector<TPointF> Points(const TRecordData& r, std::size_t at, std::uint64_t count, bool small);
  // Points of a poly record: count at 24, points at 28.
  static std::vector<TPointF> PolyPoints(const TRecordData& r, bool small) { return Points(r, 28, r.U32(24), small); }
  void PolyPoly(const TRecordData& r, bool small, bool polygons);
  static TXForm XForm(const TRecordData& r, std::size_t at);
  static TMfRegion Region(const TRecordData& r, std::size_t at, std::uint32_t size);
  const TMfBrush* Brush(std::uint32_t index) const;
  void CreateObject(std::uint32_t type, const TRecordData& r);
  void TextOut(const TRecordData& r, bool wide);
  void Blit(std::uint32_t type, const TRecordData& r);

  TMetafileDevice& dev_;
};

std::vector<TPointF> TEmfRecords::Points(const TRecordData& r, std::size_t at, std::uint64_t count, bool small) {
  const std::size_t size = small ? 4 : 8;
  r.Need(at, count, size);
  std::vector<TPointF> points;
  points.reserve(static_cast<std::size_t>(count));
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t p = at + size * i;
    points.push_back(small ? TPointF{double(r.I16(p)), double(r.I16(p + 2))} : P(r, p));
  }
  return points;
}

void TEmfRecords::PolyPoly(const TRecordData& r, bool small, bool polygons) {
  const std::uint32_t figures = r.U32(24), total = r.U32(28);
  r.Need(32, figures, 4);
  std::vector<std::uint32_t> counts;
  std::uint64_t sum = 0;
  for (std::size_t i = 0; i < figures; ++i) {
    counts.push_back(r.U32(32 + 4 * i));
    sum += counts.back();
  }
  if (sum > total) throw TBadRecord{};
  const std::vector<TPointF> points = Points(r, 32 + 4 * std::size_t{figures}, total, small);
  if (polygons) dev_.PolyPolygon(points, counts);
  else dev_.PolyPolyline(points, counts);
}

TXForm TEmfRecords::XForm(const TRecordData& r, std::size_t at) {
  TXForm x{r.F32(at), r.F32(at + 4), r.F32(at + 8), r.F32(at + 12), r.F32(at + 16), r.F32(at + 20)};
  if (!x.Finite()) throw TBadRecord{};
  return x;
}

// Region data: a 32-byte header (its size, type, rectangle count, ...)
// and the rectangles, in device units.
TMfRegion TEmfRecords::Region(const TRecordData& r, std::size_t at, std::uint32_t size) {
  const TRecordData data(r.Bytes(at, size));
  const std::uint32_t headerSize = data.U32(0), count = data.U32(8);
  data.Need(headerSize, count, 16);
  TMfRegion region;
  region.rects.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t p = headerSize + 16 * i;
    region.rects.push_back({data.I32(p), data.I32(p + 4), data.I32(p + 8), data.I32(p + 12)});
  }
  return region;
}

const TMfBrush* TEmfRecords::Brush(std::uint32_t index) const {
  const TMfObject* object = dev_.Object(index);
  return object ? std::get_if<TMfBrush>(object) : nullptr;
}

std::string Utf16ToUtf8(const TRecordData& r, std::size_t at, std::uint64_t count, bool stopAtNul) {
  r.Need(at, count, 2);
  std::string out;
  for (std::size_t i = 0; i < count; ++i) {
    char32_t c = r.U16(at + 2 * i);
    if (c == 0 && stopAtNul) break;
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < count) {
      const char32_t low = r.U16(at + 2 * i + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    AppendUtf8(out, c);
  }
  return out;
}

void TEmfRecords::CreateObject(std::uint32_t type, const TRecordData& r) {
  const std::uint32_t index = r.U32(8);
  TMfObject object;
  switch (type) {
    case kCreatePen: {
      TMfPen pen;
      pen.style = r.U32(12);
      pen.width = std::abs(double(r.I32(16)));
      pen.color = r.U32(24);
      object = pen;
      break;
    }
    case kExtCreatePen: {
      TMfPen pen;
      pen.style = r.U32(28);
      // Cosmetic pens are one pixel wide whatever the mapping.
      pen.width = (pen.style & gdi::kPsGeometric) ? double(r.U32(32)) : 0;
      pen.color = r.U32(40);
      if (r.U32(36) == gdi::kBsNull) pen.style = gdi::kPsNull;
      object = pen;
      break;
    }
    case kCreateBrushIndirect: {
      TMfBrush brush;
      brush.style = r.U32(12);
      brush.color = r.U32(16);
      brush.hatch = r.U32(20);
      object = brush;
      break;
    }
    case kCreateMonoBrush:
    case kCreateDibPatternBrushPt: {
      const std::uint32_t usage = r.U32(12);
      const TDibParts dib{r.Bytes(r.U32(16), r.U32(20)), r.Bytes(r.U32(24), r.U32(28))};
      TMfBrush brush;
      brush.pattern = std::make_shared<const TBitmap>(DecodeDib(dib, usage, dev_.PaletteColors()));
      object = std::move(brush);
      break;
    }
    case kExtCreateFontIndirectW: {
      TMfFont font;
      font.height = r.I32(12);
      font.escapement = r.I32(20);
      font.weight = r.I32(28);
      font.italic = r.U8(32) != 0;
      font.underline = r.U8(33) != 0;
      font.strikeOut = r.U8(34) != 0;
      font.quality = r.U8(38);
      font.face = Utf16ToUtf8(r, 40, std::min<std::uint64_t>(32, (r.Size() - 40) / 2), true);
      object = std::move(font);
      break;
    }
    case kCreatePalette: {
      const std::uint16_t count = r.U16(14);
      r.Need(16, count, 4);
      auto palette = std::make_shared<TMfPalette>();
      for (std::size_t i = 0; i < count; ++i)
        palette->colors.push_back(RGB(r.U8(16 + 4 * i), r.U8(17 + 4 * i), r.U8(18 + 4 * i)));
      object = std::move(palette);
      break;
    }
    default: return;
  }
  dev_.SetObject(index, std::move(object));
}

void TEmfRecords::TextOut(const TRecordData& r, bool wide) {
  TMetafileDevice::TTextRun run;
  run.reference = P(r, 36);
  const std::uint32_t chars = r.U32(44), offString = r.U32(48);
  run.options = r.U32(52);
  if (run.options & (gdi::kEtoOpaque | gdi::kEtoClipped)) run.rect = std::pair(P(r, 56), P(r, 64));
  const std::uint32_t offDx = r.U32(72);
  if (wide) {
    for (char32_t c : DecodeUtf8(Utf16ToUtf8(r, offString, chars, false))) run.text.push_back(c);
  } else {
    for (std::uint8_t c : r.Bytes(offString, chars)) run.text.push_back(AnsiToUnicode(c));
  }
  // Advances, one per character (pairs with vertical ones for ETO_PDY).
  const std::uint64_t step = (run.options & gdi::kEtoPdy) ? 8 : 4;
  if (offDx != 0 && offDx <= r.Size() && (r.Size() - offDx) / step >= chars)
    for (std::size_t i = 0; i < chars; ++i) run.dx.push_back(r.I32(offDx + step * i));
  // Characters that became more than one code point lose their advances.
  if (run.dx.size() != run.text.size()) run.dx.clear();
  dev_.TextOut(run);
}

void TEmfRecords::Blit(std::uint32_t type, const TRecordData& r) {
  TDibCopy copy;
  std::uint32_t usage = 0, offBmi = 0, cbBmi = 0, offBits = 0, cbBits = 0;
  switch (type) {
    case kBitBlt:
    case kStretchBlt: {
      copy.destA = P(r, 24);
      const double width = r.I32(32), height = r.I32(36);
      copy.destB = {copy.destA.x + width, copy.destA.y + height};
      copy.rop = r.U32(40);
      copy.srcX = r.I32(44);
      copy.srcY = r.I32(48);
      usage = r.U32(80);
      offBmi = r.U32(84);
      cbBmi = r.U32(88);
      offBits = r.U32(92);
      cbBits = r.U32(96);
      copy.srcWidth = type == kStretchBlt ? r.I32(100) : r.I32(32);
      copy.srcHeight = type == kStretchBlt ? r.I32(104) : r.I32(36);
      if (cbBmi == 0) {  // no source: the brush and the destination only
        dev_.Blit(copy.destA, copy.destB, nullptr, {}, copy.rop);
        return;
      }
      break;
    }
    case kSetDiBitsToDevice:
    case kStretchDiBits: {
      copy.destA = P(r, 24);
      copy.srcX = r.I32(32);
      copy.srcY = r.I32(36);
      copy.srcWidth = r.I32(40);
      copy.srcHeight = r.I32(44);
      offBmi = r.U32(48);
      cbBmi = r.U32(52);
      offBits = r.U32(56);
      cbBits = r.U32(60);
      usage = r.U32(64);
      copy.fromBottom = true;
      if (type == kStretchDiBits) {
        copy.rop = r.U32(68);
        copy.destB = {copy.destA.x + r.I32(72), copy.destA.y + r.I32(76)};
      } else {
        copy.rop = kSrcCopy;
        copy.destB = {copy.destA.x + copy.srcWidth, copy.destA.y + copy.srcHeight};
        copy.firstRow = static_cast<std::int32_t>(std::min<std::uint32_t>(r.U32(68), 0x7FFFFFFF));
        copy.rows = static_cast<std::int32_t>(std::min<std::uint32_t>(r.U32(72), 0x7FFFFFFF));
        if (copy.rows == 0) return;
      }
      break;
    }
    default: return;
  }
  CopyDib(dev_, {r.Bytes(offBmi, cbBmi), r.Bytes(offBits, cbBits)}, usage, copy);
}

void TEmfRecords::Play(std::uint32_t type, const TRecordData& r) {
  using TArcKind = TMetafileDevice::TArcKind;
  using TUnits = TMetafileDevice::TUnits;
  auto U = [&](std::size_t at) { return r.U32(at); };
  auto I = [&](std::size_t at) { return static_cast<int>(r.I32(at)); };
  switch (type) {
    case kPolyBezier: dev_.PolyBezier(PolyPoints(r, false)); break;
    case kPolygon: dev_.Polygon(PolyPoints(r, false)); break;
    case kPolyline: dev_.Polyline(PolyPoints(r, false)); break;
    case kPolyBezierTo: dev_.PolyBezierTo(PolyPoints(r, false)); break;
    case kPolylineTo: dev_.PolylineTo(PolyPoints(r, false)); break;
    case kPolyBezier16: dev_.PolyBezier(PolyPoints(r, true)); break;
    case kPolygon16: dev_.Polygon(PolyPoints(r, true)); break;
    case kPolyline16: dev_.Polyline(PolyPoints(r, true)); break;
    case kPolyBezierTo16: dev_.PolyBezierTo(PolyPoints(r, true)); break;
    case kPolylineTo16: dev_.PolylineTo(PolyPoints(r, true)); break;
    case kPolyPolyline: PolyPoly(r, false, false); break;
    case kPolyPolygon: PolyPoly(r, false, true); break;
    case kPolyPolyline16: PolyPoly(r, true, false); break;
    case kPolyPolygon16: PolyPoly(r, true, true); break;

    case kSetWindowExtEx: dev_.SetWindowExt(I(8), I(12)); break;
    case kSetWindowOrgEx: dev_.SetWindowOrg(I(8), I(12)); break;
    case kSetViewportExtEx: dev_.SetViewportExt(I(8), I(12)); break;
    case kSetViewportOrgEx: dev_.SetViewportOrg(I(8), I(12)); break;
    case kScaleViewportExtEx: dev_.ScaleViewportExt(I(8), I(12), I(16), I(20)); break;
    case kScaleWindowExtEx: dev_.ScaleWindowExt(I(8), I(12), I(16), I(20)); break;
    case kSetMapMode: dev_.SetMapMode(I(8)); break;
    case kSetWorldTransform: dev_.SetWorldTransform(XForm(r, 8)); break;
    case kModifyWorldTransform: dev_.ModifyWorldTransform(XForm(r, 8), U(32)); break;
    case kSetBkMode: dev_.SetBkMode(I(8)); break;
    case kSetPolyFillMode: dev_.SetPolyFillMode(I(8)); break;
    case kSetRop2: dev_.SetRop2(I(8)); break;
    case kSetTextAlign: dev_.SetTextAlign(U(8)); break;
    case kSetTextColor: dev_.SetTextColor(U(8)); break;
    case kSetBkColor: dev_.SetBkColor(U(8)); break;
    case kSetArcDirection: dev_.SetArcDirection(I(8)); break;
    case kSaveDc: dev_.SaveDC(); break;
    case kRestoreDc: dev_.RestoreDC(I(8)); break;

    case kCreatePen:
    case kExtCreatePen:
    case kCreateBrushIndirect:
    case kCreateMonoBrush:
    case kCreateDibPatternBrushPt:
    case kExtCreateFontIndirectW:
    case kCreatePalette: CreateObject(type, r); break;
    case kSelectObject:
    case kSelectPalette: dev_.SelectObject(U(8)); break;
    case kDeleteObject: dev_.DeleteObject(U(8)); break;
    case kSetPaletteEntries:
      if (TMfPalette* palette = dev_.PaletteObject(U(8))) {
        const std::uint32_t start = U(12), count = U(16);
        r.Need(20, count, 4);
        for (std::size_t i = 0; i < count && start + i < palette->colors.size(); ++i)
          palette->colors[start + i] = RGB(r.U8(20 + 4 * i), r.U8(21 + 4 * i), r.U8(22 + 4 * i));
      }
      break;

    case kMoveToEx: dev_.MoveTo(P(r, 8)); break;
    case kLineTo: dev_.LineTo(P(r, 8)); break;
    case kRectangle: dev_.Rectangle(P(r, 8), P(r, 16)); break;
    case kEllipse: dev_.Ellipse(P(r, 8), P(r, 16)); break;
    case kRoundRect: dev_.RoundRect(P(r, 8), P(r, 16), P(r, 24)); break;
    case kArc: dev_.ArcFigure(TArcKind::Arc, P(r, 8), P(r, 16), P(r, 24), P(r, 32)); break;
    case kChord: dev_.ArcFigure(TArcKind::Chord, P(r, 8), P(r, 16), P(r, 24), P(r, 32)); break;
    case kPie: dev_.ArcFigure(TArcKind::Pie, P(r, 8), P(r, 16), P(r, 24), P(r, 32)); break;
    case kArcTo: dev_.ArcTo(P(r, 8), P(r, 16), P(r, 24), P(r, 32)); break;
    case kAngleArc: dev_.AngleArc(P(r, 8), U(16), r.F32(20), r.F32(24)); break;
    case kSetPixelV: dev_.SetPixel(P(r, 8), U(16)); break;
    case kExtFloodFill: dev_.FloodFill(P(r, 8), U(16), I(20)); break;
    case kExtTextOutA: TextOut(r, false); break;
    case kExtTextOutW: TextOut(r, true); break;

    case kBeginPath: dev_.BeginPath(); break;
    case kEndPath: dev_.EndPath(); break;
    case kCloseFigure: dev_.CloseFigure(); break;
    case kAbortPath: dev_.AbortPath(); break;
    case kFillPath: dev_.FillPath(); break;
    case kStrokeAndFillPath: dev_.StrokeAndFillPath(); break;
    case kStrokePath: dev_.StrokePath(); break;

    case kBitBlt:
    case kStretchBlt:
    case kSetDiBitsToDevice:
    case kStretchDiBits: Blit(type, r); break;

    case kIntersectClipRect: dev_.IntersectClipRect(P(r, 8), P(r, 16)); break;
    case kExcludeClipRect: dev_.ExcludeClipRect(P(r, 8), P(r, 16)); break;
    case kOffsetClipRgn: dev_.OffsetClip(I(8), I(12)); break;
    case kExtSelectClipRgn: {
      const std::uint32_t size = U(8);
      const int mode = I(12);
      if (size == 0) {
        if (mode == gdi::kRgnCopy) dev_.ResetClip();
        break;
      }
      dev_.CombineClip(Region(r, 16, size), TUnits::Device, mode);
      break;
    }
    case kFillRgn:
      if (const TMfBrush* brush = Brush(U(28))) dev_.FillRegion(Region(r, 32, U(24)), TUnits::Device, *brush);
      break;
    case kFrameRgn:
      if (const TMfBrush* brush = Brush(U(28)))
        dev_.FrameRegion(Region(r, 40, U(24)), TUnits::Device, *brush, I(32), I(36));
      break;
    case kInvertRgn: dev_.InvertRegion(Region(r, 28, U(24)), TUnits::Device); break;
    case kPaintRgn: dev_.PaintRegion(Region(r, 28, U(24)), TUnits::Device); break;
    default: break;  // the header, comments, and records without a picture of their own
  }
}

}  // namespace

TBitmap PlayEmf(std::span<const std::uint8_t> data, std::int64_t maxPixels) {
  const TEmfHeader header = ReadHeader(data);

  // The picture frame in reference-device pixels, and the bitmap's size.
  double left, top, right, bottom, width, height;
  const TRect& f = header.frame;
  if (f.Right > f.Left && f.Bottom > f.Top) {
    left = f.Left * header.pixelsPerMmX / 100;
    top = f.Top * header.pixelsPerMmY / 100;
    right = f.Right * header.pixelsPerMmX / 100;
    bottom = f.Bottom * header.pixelsPerMmY / 100;
    width = static_cast<double>(f.Width()) * kScreenPixelsPerMm / 100;
    height = static_cast<double>(f.Height()) * kScreenPixelsPerMm / 100;
  } else {
    // Without a frame, the bounds (inclusive, in device pixels).
    const TRect& b = header.bounds;
    if (b.Right < b.Left || b.Bottom < b.Top) FailMetafile(kFormat, "the header has neither a frame nor bounds");
    left = b.Left;
    top = b.Top;
    right = b.Right + 1.0;
    bottom = b.Bottom + 1.0;
    width = (right - left) * kScreenPixelsPerMm / header.pixelsPerMmX;
    height = (bottom - top) * kScreenPixelsPerMm / header.pixelsPerMmY;
  }
  const TDrawingSize size = CheckedDrawingSize(kFormat, width, height, maxPixels);
  const double sx = size.width / (right - left), sy = size.height / (bottom - top);
  const TXForm toBitmap{sx, 0, 0, sy, -left * sx, -top * sy};

  TBitmap bitmap(size.width, size.height);
  TMetafileDevice device(bitmap, toBitmap, header.pixelsPerMmX, header.pixelsPerMmY, TPageMapping{});
  TEmfRecords records(device);
  std::size_t pos = 0;
  while (data.size() - pos >= 8) {
    const TRecordData head(data.subspan(pos, 8));
    const std::uint32_t type = head.U32(0), size32 = head.U32(4);
    if (size32 < 8 || size32 % 4 != 0)
      FailMetafile(kFormat, "the record at byte " + std::to_string(pos) + " has a size of " + std::to_string(size32));
    if (size32 > data.size() - pos)
      FailMetafile(kFormat, "the record at byte " + std::to_string(pos) + " runs past the end of the file");
    if (type == kEof) break;
    try {
      records.Play(type, TRecordData(data.subspan(pos, size32)));
    } catch (const TBadRecord&) {
      // A record that does not hold what it says is left out.
    }
    pos += size32;
  }
  return bitmap;
}

}  // namespace kroma
