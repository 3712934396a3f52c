#include "script/EnumNames.h"

#include <array>
#include <cstdio>
#include <utility>

namespace kroma {
namespace {

template <typename T, std::size_t N>
std::optional<std::string> NameIn(const std::array<std::pair<const char*, T>, N>& table, T value) {
  for (const auto& [name, v] : table)
    if (v == value) return name;
  return std::nullopt;
}

template <typename T, std::size_t N>
std::optional<T> ValueIn(const std::array<std::pair<const char*, T>, N>& table, std::string_view name) {
  for (const auto& [n, v] : table)
    if (name == n) return v;
  return std::nullopt;
}

constexpr std::array<std::pair<const char*, TPenMode>, 16> kPenModes = {{
    {"pmBlack", pmBlack},
    {"pmWhite", pmWhite},
    {"pmNop", pmNop},
    {"pmNot", pmNot},
    {"pmCopy", pmCopy},
    {"pmNotCopy", pmNotCopy},
    {"pmMergePenNot", pmMergePenNot},
    {"pmMaskPenNot", pmMaskPenNot},
    {"pmMergeNotPen", pmMergeNotPen},
    {"pmMaskNotPen", pmMaskNotPen},
    {"pmMerge", pmMerge},
    {"pmNotMerge", pmNotMerge},
    {"pmMask", pmMask},
    {"pmNotMask", pmNotMask},
    {"pmXor", pmXor},
    {"pmNotXor", pmNotXor},
}};

constexpr std::array<std::pair<const char*, TPenStyle>, 7> kPenStyles = {{
    {"psSolid", psSolid},
    {"psDash", psDash},
    {"psDot", psDot},
    {"psDashDot", psDashDot},
    {"psDashDotDot", psDashDotDot},
    {"psClear", psClear},
    {"psInsideFrame", psInsideFrame},
}};

constexpr std::array<std::pair<const char*, TBrushStyle>, 8> kBrushStyles = {{
    {"bsSolid", bsSolid},
    {"bsClear", bsClear},
    {"bsHorizontal", bsHorizontal},
    {"bsVertical", bsVertical},
    {"bsFDiagonal", bsFDiagonal},
    {"bsBDiagonal", bsBDiagonal},
    {"bsCross", bsCross},
    {"bsDiagCross", bsDiagCross},
}};

constexpr std::array<std::pair<const char*, TCopyMode>, 15> kCopyModes = {{
    {"cmBlackness", cmBlackness},
    {"cmDstInvert", cmDstInvert},
    {"cmMergeCopy", cmMergeCopy},
    {"cmMergePaint", cmMergePaint},
    {"cmNotSrcCopy", cmNotSrcCopy},
    {"cmNotSrcErase", cmNotSrcErase},
    {"cmPatCopy", cmPatCopy},
    {"cmPatInvert", cmPatInvert},
    {"cmPatPaint", cmPatPaint},
    {"cmSrcAnd", cmSrcAnd},
    {"cmSrcCopy", cmSrcCopy},
    {"cmSrcErase", cmSrcErase},
    {"cmSrcInvert", cmSrcInvert},
    {"cmSrcPaint", cmSrcPaint},
    {"cmWhiteness", cmWhiteness},
}};

constexpr std::array<std::pair<const char*, TFontStyle>, 4> kFontStyles = {{
    {"fsBold", fsBold},
    {"fsItalic", fsItalic},
    {"fsUnderline", fsUnderline},
    {"fsStrikeOut", fsStrikeOut},
}};

std::string NumberName(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "$%08X", value);
  return text;
}

}  // namespace

std::string PenModeName(TPenMode mode) {
  return NameIn(kPenModes, mode).value_or(NumberName(static_cast<unsigned>(mode)));
}
std::optional<TPenMode> PenModeByName(std::string_view name) { return ValueIn(kPenModes, name); }

std::string PenStyleName(TPenStyle style) {
  return NameIn(kPenStyles, style).value_or(NumberName(static_cast<unsigned>(style)));
}
std::optional<TPenStyle> PenStyleByName(std::string_view name) { return ValueIn(kPenStyles, name); }

std::string BrushStyleName(TBrushStyle style) {
  return NameIn(kBrushStyles, style).value_or(NumberName(static_cast<unsigned>(style)));
}
std::optional<TBrushStyle> BrushStyleByName(std::string_view name) { return ValueIn(kBrushStyles, name); }

std::string CopyModeName(TCopyMode mode) { return NameIn(kCopyModes, mode).value_or(NumberName(mode)); }
std::optional<TCopyMode> CopyModeByName(std::string_view name) { return ValueIn(kCopyModes, name); }

std::vector<std::string> FontStyleNames(TFontStyles styles) {
  std::vector<std::string> names;
  for (const auto& [name, style] : kFontStyles)
    if (styles & style) names.emplace_back(name);
  return names;
}
std::optional<TFontStyle> FontStyleByName(std::string_view name) { return ValueIn(kFontStyles, name); }

}  // namespace kroma
