#pragma once
// Colours, points and rectangles shared by every layer.
#include <algorithm>
#include <cstdint>

namespace kroma {

// A colour is 0x00BBGGRR, red in the low byte. Values with the high bit set
// name system colours (resolved by ColorToRGB); -1 means "no colour".
using TColor = std::int32_t;

constexpr TColor clNone = -1;
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

// System colours: 0x80000000 | index.
constexpr TColor kSystemColorBit = static_cast<TColor>(0x80000000u);
constexpr TColor clScrollBar = kSystemColorBit | 0;
constexpr TColor clBackground = kSystemColorBit | 1;
constexpr TColor clWindow = kSystemColorBit | 5;
constexpr TColor clWindowText = kSystemColorBit | 8;
constexpr TColor clBtnFace = kSystemColorBit | 15;
constexpr TColor clBtnShadow = kSystemColorBit | 16;
constexpr TColor clBtnText = kSystemColorBit | 18;
constexpr TColor clBtnHighlight = kSystemColorBit | 20;

// Resolves a system colour to a plain one; plain colours pass unchanged
// (only their low 24 bits are kept). clNone resolves to black.
TColor ColorToRGB(TColor color);

constexpr std::uint8_t GetRValue(TColor c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t GetGValue(TColor c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
constexpr std::uint8_t GetBValue(TColor c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }
// Packs three channels; each keeps its low 8 bits (values wrap modulo 256).
constexpr TColor RGB(int r, int g, int b) {
  return static_cast<TColor>((static_cast<std::uint32_t>(r) & 0xFF) | ((static_cast<std::uint32_t>(g) & 0xFF) << 8) |
                             ((static_cast<std::uint32_t>(b) & 0xFF) << 16));
}

struct TPoint {
  int x = 0;
  int y = 0;
  friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

// A rectangle; Right and Bottom are exclusive wherever pixels are meant.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  constexpr std::int64_t Width() const { return std::int64_t{Right} - Left; }
  constexpr std::int64_t Height() const { return std::int64_t{Bottom} - Top; }
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  constexpr bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
  // The same rectangle with Left <= Right and Top <= Bottom.
  constexpr TRect Normalized() const {
    return {std::min(Left, Right), std::min(Top, Bottom), std::max(Left, Right), std::max(Top, Bottom)};
  }
  friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }

// Intersection of two rectangles; empty rectangles give an empty result.
constexpr TRect Intersect(const TRect& a, const TRect& b) {
  TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
  return r.IsEmpty() ? TRect{} : r;
}

// Smallest rectangle holding both; an empty operand is ignored.
constexpr TRect Union(const TRect& a, const TRect& b) {
  if (a.IsEmpty()) return b.IsEmpty() ? TRect{} : b;
  if (b.IsEmpty()) return a;
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

}  // namespace kroma
