#pragma once
// The tool keys: every key the mouse phases recognise, the family of tools
// it belongs to (which tool module gives it its steps) and the command
// that selects it. Stage keys ("bezier1", "chord3") are selected through
// their first stage's command.
#include <span>
#include <string_view>

namespace kroma {

enum class TToolFamily {
  Lines,           // lines and curves
  AreaShapes,      // outlined and filled figures, flood fill
  SolidShapes,     // 3D shapes and ornaments, the timer tools
  PickBrush,       // the colour pick tool
  ColorBrushes,    // channel, tone, gradient and mix brushes
  EffectBrushes,   // effect, morph and zoom brushes
  TextureBrushes,  // texture rectangles
  PaintBrushes,    // mirrors, airbrush, spray, blocks, clone
  PasteBrushes,    // pasting the range
  Range,           // range selection, move, smear, transparent copy
};

struct TToolKeyInfo {
  std::string_view Key;
  TToolFamily Family;
  std::string_view Command;  // id of the selecting command
  // Menu path of the selecting command, on the row that defines it; empty
  // on stage keys and on keys whose command is defined elsewhere.
  std::string_view Path;
};

std::span<const TToolKeyInfo> ToolKeys();
// nullptr for a key no phase recognises (the empty key included).
const TToolKeyInfo* FindToolKey(std::string_view key);
// The first stage of a multi-click tool's stage key ("chord2" -> "chord");
// any other key as it is.
std::string_view FirstStageKey(std::string_view key);

}  // namespace kroma
