#pragma once
// The effects a script names in gfx.Effect, and the filters behind them.
#include <atomic>
#include <string_view>

namespace kroma {

class TBitmap;
class Variant;

// Runs the effect `name` (any letter case) on a 24-bit bitmap. `value` is
// the effect's parameter (nullptr when the script gave none); effects that
// read it convert it as an integer, "fisheye" as a real. An unknown name
// does nothing. A failing filter throws Error; the bitmap may then be
// partly changed, so callers work on a copy. `cancel` stops long filters.
void RunGfxEffect(TBitmap& image, std::string_view name, const Variant* value, const std::atomic<bool>* cancel);

}  // namespace kroma
