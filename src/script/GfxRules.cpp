#include "script/GfxRules.h"

#include <cmath>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <numbers>

#include "core/Numeric.h"
#include "core/Text.h"

namespace kroma {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// At most `count` characters of UTF-8 text (continuation bytes belong to
// the character before them).
std::string FirstCharacters(const std::string& text, int count) {
  std::size_t i = 0;
  for (int seen = 0; i < text.size(); ++i) {
    bool starts = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    if (starts && seen++ == count) break;
  }
  return text.substr(0, i);
}

}  // namespace

TColor HtmlToColor(std::string_view text) {
  if (text.size() != 7 || text[0] != '#') return clBlack;
  int channel[3];
  for (int i = 0; i < 3; ++i) {
    int hi = HexDigit(text[1 + 2 * i]);
    int lo = HexDigit(text[2 + 2 * i]);
    if (hi < 0 || lo < 0) return clBlack;
    channel[i] = hi * 16 + lo;
  }
  return RGB(channel[0], channel[1], channel[2]);
}

TFontStyles ApplyFontStyle(TFontStyles current, std::string_view value) {
  if (value.empty()) return 0;
  auto set = [&](std::string_view word, TFontStyle style) {
    if (value.find(word) != std::string_view::npos)
      current |= style;
    else
      current &= ~static_cast<TFontStyles>(style);
  };
  set("bold", fsBold);
  set("italic", fsItalic);
  set("underline", fsUnderline);
  return current;
}

std::array<TPoint, 25> RotatedEllipsePoints(double x, double y, double a, double b, double angle) {
  // The cubic Bézier constant for a 45-degree arc.
  constexpr double k = 0.26521648984;
  struct P {
    double x, y;
  };
  std::array<P, 25> local{};
  for (int i = 0; i < 8; ++i) {
    double phi = i * std::numbers::pi / 4;
    P anchor{a * std::cos(phi), b * std::sin(phi)};
    P tangent{k * -a * std::sin(phi), k * b * std::cos(phi)};
    local[static_cast<std::size_t>(3 * i)] = anchor;
    local[static_cast<std::size_t>(3 * i + 1)] = {anchor.x + tangent.x, anchor.y + tangent.y};
    // The control point before this anchor closes the previous arc; the
    // one before A0 is the last control point of the whole path.
    std::size_t before = i == 0 ? 23 : static_cast<std::size_t>(3 * i - 1);
    local[before] = {anchor.x - tangent.x, anchor.y - tangent.y};
  }
  local[24] = local[0];

  double c = std::cos(angle), s = std::sin(angle);
  std::array<TPoint, 25> out{};
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] = {RoundToInt(x + c * local[i].x - s * local[i].y, "an ellipse point"),
              RoundToInt(y + s * local[i].x + c * local[i].y, "an ellipse point")};
  }
  return out;
}

TFont RotatedTextFont(const TFont& font, double angle) {
  TFont rotated = font;
  rotated.Name = FirstCharacters(font.Name, 31);
  rotated.Style = font.Style & (fsBold | fsItalic | fsUnderline);
  rotated.Escapement = RoundToInt(angle * 10, "the angle in tenths of a degree");
  // The straight font's em becomes the rotated font's cell height.
  // Text draws an em of at most 2^20 pixels, whatever the size says.
  constexpr std::int64_t kLargestEm = std::int64_t{1} << 20;
  std::int64_t em = font.PixelHeight();
  em = std::min(em < 0 ? -em : em, kLargestEm);
  TFontMetrics metrics = GetFontMetrics(font);
  if (metrics.Height > 0 && em > 0) {
    double rotatedEm = static_cast<double>(em) * static_cast<double>(em) / metrics.Height;
    rotated.SetPixelHeight(std::max(1, RoundToInt(rotatedEm, "the font height")));
  }
  return rotated;
}

}  // namespace kroma
