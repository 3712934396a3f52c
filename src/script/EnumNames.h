#pragma once
// The canvas enumerations by the names scripts use for them ("pmNotXor",
// "psDot", "bsSolid", "cmSrcInvert"). Names match exactly.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Canvas.h"

namespace kroma {

std::string PenModeName(TPenMode mode);
std::optional<TPenMode> PenModeByName(std::string_view name);

std::string PenStyleName(TPenStyle style);
std::optional<TPenStyle> PenStyleByName(std::string_view name);

std::string BrushStyleName(TBrushStyle style);
std::optional<TBrushStyle> BrushStyleByName(std::string_view name);

// A value without a name comes out as its number in hexadecimal ("$00AA0029").
std::string CopyModeName(TCopyMode mode);
std::optional<TCopyMode> CopyModeByName(std::string_view name);

// The names of the styles set, in the order fsBold, fsItalic, fsUnderline,
// fsStrikeOut.
std::vector<std::string> FontStyleNames(TFontStyles styles);
std::optional<TFontStyle> FontStyleByName(std::string_view name);

}  // namespace kroma
