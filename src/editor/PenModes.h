#pragma once
// The pen modes the pen-mode menu offers, in its order, with their
// captions and the status bar text that names the current one.
#include <span>
#include <string>
#include <string_view>

#include "core/Canvas.h"

namespace kroma {

struct TPenModeItem {
  std::string_view Caption;  // "Not Xor"
  TPenMode Mode;
  std::string_view Id;       // the menu command
};

std::span<const TPenModeItem> PenModeItems();
// "Pen=Not Xor"; pmNop, the one mode the menu leaves out, reads "Pen=Nop".
std::string PenModeText(TPenMode mode);

}  // namespace kroma
