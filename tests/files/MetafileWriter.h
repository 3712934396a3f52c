#pragma once
// Writes small WMF and EMF drawings record by record, for the players'
// tests. Helpers take their arguments in reading order and store them as
// the formats do (WMF parameters mostly last argument first).
#include <bit>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/Bitmap.h"
#include "core/BmpCodec.h"
#include "core/Types.h"
#include "files/Metafile.h"

namespace kroma {
// Rectangles in test failures.
inline void PrintTo(const TRect& r, std::ostream* os) {
  *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}
}  // namespace kroma

namespace kroma::test {

// Plays a drawing into a fresh bitmap.
inline TBitmap Wmf(const std::vector<std::uint8_t>& file) {
  TBitmap b;
  LoadMetafile(file, false, b);
  return b;
}
inline TBitmap Emf(const std::vector<std::uint8_t>& file) {
  TBitmap b;
  LoadMetafile(file, true, b);
  return b;
}

// The smallest rectangle holding every pixel of `color` (or, with clNone,
// every pixel that is not white).
inline TRect BoundsOf(const TBitmap& b, TColor color = clNone) {
  TRect r;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const TColor p = b.GetPixel(x, y);
      if (color == clNone ? p != clWhite : p == color) r = Union(r, {x, y, x + 1, y + 1});
    }
  return r;
}

inline int CountOf(const TBitmap& b, TColor color) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) n += b.GetPixel(x, y) == color;
  return n;
}

// The first pixel where two bitmaps of the same size differ, as text, or
// "" when they are the same.
inline std::string FirstDifference(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height())
    return "sizes differ: " + std::to_string(a.Width()) + "x" + std::to_string(a.Height()) + " and " +
           std::to_string(b.Width()) + "x" + std::to_string(b.Height());
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.GetPixel(x, y) != b.GetPixel(x, y))
        return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
  return "";
}

// Little-endian bytes.
struct TBytes {
  std::vector<std::uint8_t> b;

  TBytes& U8(unsigned v) {
    b.push_back(static_cast<std::uint8_t>(v));
    return *this;
  }
  TBytes& U16(unsigned v) { return U8(v & 0xFF).U8((v >> 8) & 0xFF); }
  TBytes& U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
  TBytes& I32(std::int32_t v) { return U32(static_cast<std::uint32_t>(v)); }
  TBytes& F32(float v) { return U32(std::bit_cast<std::uint32_t>(v)); }
  // 16-bit words, signed or not.
  TBytes& W(std::initializer_list<int> words) {
    for (int w : words) U16(static_cast<unsigned>(w) & 0xFFFF);
    return *this;
  }
  TBytes& Append(const std::vector<std::uint8_t>& more) {
    b.insert(b.end(), more.begin(), more.end());
    return *this;
  }
  TBytes& Zeros(std::size_t n) {
    b.insert(b.end(), n, 0);
    return *this;
  }
  std::size_t Size() const { return b.size(); }
  void Put32(std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  }
};

// A DIB (bitmap info and bits, no file header) of a 24-bit bitmap, as
// records carry it: the BMP writer's output without its 14-byte file header.
inline std::vector<std::uint8_t> PackedDib(const TBitmap& bitmap) {
  const std::vector<std::uint8_t> file = WriteBmp(bitmap);
  return {file.begin() + 14, file.end()};
}

class TWmfWriter {
 public:
  // With a bounding box the file gets a placeable header.
  explicit TWmfWriter(std::optional<TRect> box = std::nullopt, int inch = 96) {
    if (box) {
      bytes_.U32(0x9AC6CDD7).U16(0).W({box->Left, box->Top, box->Right, box->Bottom}).U16(inch).U32(0).U16(0);
      headerAt_ = bytes_.Size();
    }
    bytes_.U16(1).U16(9).U16(0x0300).U32(0).U16(0).U32(0).U16(0);
  }

  TWmfWriter& Record(std::uint16_t function, const TBytes& params) {
    bytes_.U32(static_cast<std::uint32_t>(3 + (params.Size() + 1) / 2)).U16(function).Append(params.b);
    if (params.Size() % 2) bytes_.U8(0);
    return *this;
  }
  TWmfWriter& Record(std::uint16_t function, std::initializer_list<int> words) {
    return Record(function, TBytes().W(words));
  }
  // A record whose size field says `words`, whatever follows.
  TWmfWriter& RawRecord(std::uint32_t words, std::uint16_t function, const TBytes& params) {
    bytes_.U32(words).U16(function).Append(params.b);
    return *this;
  }

  static TBytes Color(TColor c) { return TBytes().U32(static_cast<std::uint32_t>(c)); }

  TWmfWriter& SetWindowOrg(int x, int y) { return Record(0x020B, {y, x}); }
  TWmfWriter& SetWindowExt(int x, int y) { return Record(0x020C, {y, x}); }
  TWmfWriter& SetViewportOrg(int x, int y) { return Record(0x020D, {y, x}); }
  TWmfWriter& SetViewportExt(int x, int y) { return Record(0x020E, {y, x}); }
  TWmfWriter& SetMapMode(int mode) { return Record(0x0103, {mode}); }
  TWmfWriter& CreatePen(int style, int width, TColor c) {
    return Record(0x02FA, TBytes().W({style, width, 0}).Append(Color(c).b));
  }
  TWmfWriter& CreateBrush(int style, TColor c, int hatch = 0) {
    return Record(0x02FC, TBytes().U16(style).Append(Color(c).b).U16(hatch));
  }
  TWmfWriter& CreateFont(int height, int escapement, int weight, const std::string& face, int quality = 3) {
    TBytes p;
    p.W({height, 0, escapement, escapement, weight}).U8(0).U8(0).U8(0).U8(0).U8(0).U8(0).U8(quality).U8(0);
    for (char c : face) p.U8(static_cast<unsigned char>(c));
    p.U8(0);
    return Record(0x02FB, p);
  }
  TWmfWriter& Select(int index) { return Record(0x012D, {index}); }
  TWmfWriter& Delete(int index) { return Record(0x01F0, {index}); }
  TWmfWriter& SetTextColor(TColor c) { return Record(0x0209, Color(c)); }
  TWmfWriter& SetBkColor(TColor c) { return Record(0x0201, Color(c)); }
  TWmfWriter& SetBkMode(int mode) { return Record(0x0102, {mode}); }
  TWmfWriter& SetTextAlign(int align) { return Record(0x012E, {align}); }
  TWmfWriter& SetRop2(int rop2) { return Record(0x0104, {rop2}); }
  TWmfWriter& SetPolyFillMode(int mode) { return Record(0x0106, {mode}); }
  TWmfWriter& MoveTo(int x, int y) { return Record(0x0214, {y, x}); }
  TWmfWriter& LineTo(int x, int y) { return Record(0x0213, {y, x}); }
  TWmfWriter& Rectangle(int l, int t, int r, int b) { return Record(0x041B, {b, r, t, l}); }
  TWmfWriter& Ellipse(int l, int t, int r, int b) { return Record(0x0418, {b, r, t, l}); }
  TWmfWriter& RoundRect(int l, int t, int r, int b, int w, int h) { return Record(0x061C, {h, w, b, r, t, l}); }
  // Arc (0x0817), Pie (0x081A), Chord (0x0830).
  TWmfWriter& ArcRecord(std::uint16_t function, int l, int t, int r, int b, int x3, int y3, int x4, int y4) {
    return Record(function, {y4, x4, y3, x3, b, r, t, l});
  }
  TWmfWriter& Poly(std::uint16_t function, std::initializer_list<TPoint> points) {
    TBytes p;
    p.U16(static_cast<unsigned>(points.size()));
    for (TPoint q : points) p.W({q.x, q.y});
    return Record(function, p);
  }
  TWmfWriter& Polygon(std::initializer_list<TPoint> points) { return Poly(0x0324, points); }
  TWmfWriter& Polyline(std::initializer_list<TPoint> points) { return Poly(0x0325, points); }
  TWmfWriter& SetPixel(int x, int y, TColor c) { return Record(0x041F, Color(c).W({y, x})); }
  TWmfWriter& IntersectClipRect(int l, int t, int r, int b) { return Record(0x0416, {b, r, t, l}); }
  TWmfWriter& ExcludeClipRect(int l, int t, int r, int b) { return Record(0x0415, {b, r, t, l}); }
  TWmfWriter& SaveDC() { return Record(0x001E, TBytes()); }
  TWmfWriter& RestoreDC(int n) { return Record(0x0127, {n}); }
  TWmfWriter& ExtTextOut(int x, int y, const std::string& text, int options = 0, TRect rect = {},
                         std::vector<int> dx = {}) {
    TBytes p;
    p.W({y, x, static_cast<int>(text.size()), options});
    if (options & 6) p.W({rect.Left, rect.Top, rect.Right, rect.Bottom});
    for (char c : text) p.U8(static_cast<unsigned char>(c));
    if (text.size() % 2) p.U8(0);
    for (int d : dx) p.W({d});
    return Record(0x0A32, p);
  }
  // StretchDIBits: the whole DIB into a logical rectangle.
  TWmfWriter& StretchDib(const TBitmap& bitmap, int x, int y, int w, int h, std::uint32_t rop = 0x00CC0020) {
    return Record(0x0F43, TBytes()
                              .U32(rop)
                              .W({0, bitmap.Height(), bitmap.Width(), 0, 0, h, w, y, x})
                              .Append(PackedDib(bitmap)));
  }

  std::vector<std::uint8_t> Finish() {
    TBytes out = bytes_;
    out.U32(3).U16(0);  // end record
    const std::size_t words = (out.Size() - headerAt_) / 2;
    out.Put32(headerAt_ + 6, static_cast<std::uint32_t>(words));
    out.b[headerAt_ + 10] = 0xFF;  // a generous object count; the player grows its table anyway
    return out.b;
  }

 private:
  TBytes bytes_;
  std::size_t headerAt_ = 0;
};

class TEmfWriter {
 public:
  // Frame in hundredths of a millimetre; a reference device of 96 dpi by
  // default, so that logical units are pixels.
  explicit TEmfWriter(TRect frame, TRect bounds = {0, 0, -1, -1}, int deviceX = 960, int deviceY = 960,
                      int mmX = 254, int mmY = 254) {
    bytes_.U32(1).U32(88);
    bytes_.I32(bounds.Left).I32(bounds.Top).I32(bounds.Right).I32(bounds.Bottom);
    bytes_.I32(frame.Left).I32(frame.Top).I32(frame.Right).I32(frame.Bottom);
    bytes_.U32(0x464D4520).U32(0x10000).U32(0).U32(0).U16(16).U16(0).U32(0).U32(0).U32(0);
    bytes_.I32(deviceX).I32(deviceY).I32(mmX).I32(mmY);
  }
  // A 96-dpi drawing of w x h pixels: frame w x h pixels in 1/100 mm.
  static TEmfWriter Pixels(int w, int h) { return TEmfWriter({0, 0, w * 2540 / 96, h * 2540 / 96}); }

  TEmfWriter& Record(std::uint32_t type, const TBytes& params) {
    TBytes p = params;
    while (p.Size() % 4) p.U8(0);
    bytes_.U32(type).U32(static_cast<std::uint32_t>(8 + p.Size())).Append(p.b);
    return *this;
  }
  TEmfWriter& RawRecord(std::uint32_t type, std::uint32_t size, const TBytes& params) {
    bytes_.U32(type).U32(size).Append(params.b);
    return *this;
  }

  static TBytes Box(int l, int t, int r, int b) { return TBytes().I32(l).I32(t).I32(r).I32(b); }
  TEmfWriter& CreatePen(int index, int style, int width, TColor c) {
    return Record(38, TBytes().U32(index).U32(style).I32(width).I32(0).U32(c));
  }
  TEmfWriter& CreateBrush(int index, int style, TColor c, int hatch = 0) {
    return Record(39, TBytes().U32(index).U32(style).U32(c).U32(hatch));
  }
  TEmfWriter& CreateFont(int index, int height, int escapement, int weight, const std::u16string& face,
                         int quality = 3) {
    TBytes p;
    p.U32(index).I32(height).I32(0).I32(escapement).I32(escapement).I32(weight);
    p.U8(0).U8(0).U8(0).U8(0).U8(0).U8(0).U8(quality).U8(0);
    for (std::size_t i = 0; i < 32; ++i) p.U16(i < face.size() ? face[i] : 0);
    return Record(82, p);
  }
  TEmfWriter& Select(std::uint32_t index) { return Record(37, TBytes().U32(index)); }
  TEmfWriter& Delete(std::uint32_t index) { return Record(40, TBytes().U32(index)); }
  TEmfWriter& Value(std::uint32_t type, std::uint32_t v) { return Record(type, TBytes().U32(v)); }
  TEmfWriter& Pair(std::uint32_t type, int x, int y) { return Record(type, TBytes().I32(x).I32(y)); }
  TEmfWriter& Rectangle(int l, int t, int r, int b) { return Record(43, Box(l, t, r, b)); }
  TEmfWriter& Ellipse(int l, int t, int r, int b) { return Record(42, Box(l, t, r, b)); }
  TEmfWriter& Poly(std::uint32_t type, std::initializer_list<TPoint> points, bool small = false) {
    TBytes p = Box(0, 0, 0, 0);
    p.U32(static_cast<std::uint32_t>(points.size()));
    for (TPoint q : points) {
      if (small) p.W({q.x, q.y});
      else p.I32(q.x).I32(q.y);
    }
    return Record(type, p);
  }
  TEmfWriter& Transform(std::uint32_t type, float m11, float m12, float m21, float m22, float dx, float dy,
                        std::optional<std::uint32_t> mode = std::nullopt) {
    TBytes p;
    p.F32(m11).F32(m12).F32(m21).F32(m22).F32(dx).F32(dy);
    if (mode) p.U32(*mode);
    return Record(type, p);
  }
  // Region data of rectangles in device units.
  static TBytes RegionData(std::initializer_list<TRect> rects) {
    TBytes p;
    p.U32(32).U32(1).U32(static_cast<std::uint32_t>(rects.size())).U32(16 * static_cast<std::uint32_t>(rects.size()));
    p.Append(Box(0, 0, 0, 0).b);
    for (const TRect& r : rects) p.Append(Box(r.Left, r.Top, r.Right, r.Bottom).b);
    return p;
  }
  TEmfWriter& ExtSelectClipRgn(int mode, std::initializer_list<TRect> rects) {
    const TBytes data = RegionData(rects);
    return Record(75, TBytes().U32(static_cast<std::uint32_t>(data.Size())).U32(mode).Append(data.b));
  }
  // ExtTextOutW with optional advances.
  TEmfWriter& ExtTextOutW(int x, int y, const std::u16string& text, std::uint32_t options = 0, TRect rect = {},
                          std::vector<int> dx = {}) {
    const std::uint32_t offString = 76, offDx = dx.empty() ? 0 : offString + ((2 * text.size() + 3) & ~3u);
    TBytes p = Box(0, 0, 0, 0);
    p.U32(1).F32(1).F32(1);
    p.I32(x).I32(y).U32(static_cast<std::uint32_t>(text.size())).U32(offString).U32(options);
    p.Append(Box(rect.Left, rect.Top, rect.Right, rect.Bottom).b).U32(offDx);
    for (char16_t c : text) p.U16(c);
    while ((p.Size() + 8) % 4) p.U8(0);
    for (int d : dx) p.I32(d);
    return Record(84, p);
  }
  // StretchDIBits of a whole bitmap into a logical rectangle.
  TEmfWriter& StretchDiBits(const TBitmap& bitmap, int x, int y, int w, int h, std::uint32_t rop = 0x00CC0020) {
    const std::vector<std::uint8_t> dib = PackedDib(bitmap);
    const std::uint32_t info = 40, offBmi = 80, offBits = offBmi + info;
    TBytes p = Box(0, 0, 0, 0);
    p.I32(x).I32(y).I32(0).I32(0).I32(bitmap.Width()).I32(bitmap.Height());
    p.U32(offBmi).U32(info).U32(offBits).U32(static_cast<std::uint32_t>(dib.size() - info));
    p.U32(0).U32(rop).I32(w).I32(h);
    p.Append(dib);
    return Record(81, p);
  }

  std::vector<std::uint8_t> Finish() {
    TBytes out = bytes_;
    out.U32(14).U32(20).U32(0).U32(0).U32(20);  // end record
    out.Put32(48, static_cast<std::uint32_t>(out.Size()));
    return out.b;
  }

 private:
  TBytes bytes_;
};

}  // namespace kroma::test
