#include "editor/PenModes.h"

#include <array>

namespace kroma {
namespace {

constexpr std::array kItems = {
    TPenModeItem{"Copy", pmCopy, "PenCopy1Click"},
    TPenModeItem{"Xor", pmXor, "PenXor1Click"},
    TPenModeItem{"Not Xor", pmNotXor, "PenNotXor1Click"},
    TPenModeItem{"Black", pmBlack, "PenBlack1Click"},
    TPenModeItem{"White", pmWhite, "PenWhite1Click"},
    TPenModeItem{"Not", pmNot, "PenNot1Click"},
    TPenModeItem{"Not Copy", pmNotCopy, "PenNotCopy1Click"},
    TPenModeItem{"Merge Pen Not", pmMergePenNot, "PenMergePenNot1Click"},
    TPenModeItem{"Mask Pen Not", pmMaskPenNot, "PenMaskPenNot1Click"},
    TPenModeItem{"Merge Not Pen", pmMergeNotPen, "PenMergeNotPen1Click"},
    TPenModeItem{"Mask Not Pen", pmMaskNotPen, "PenMaskNotPen1Click"},
    TPenModeItem{"Merge", pmMerge, "PenMerge1Click"},
    TPenModeItem{"Not Merge", pmNotMerge, "PenNotMerge1Click"},
    TPenModeItem{"Mask", pmMask, "PenMask1Click"},
    TPenModeItem{"Not Mask", pmNotMask, "PenNotMask1Click"},
};

}  // namespace

std::span<const TPenModeItem> PenModeItems() { return kItems; }

std::string PenModeText(TPenMode mode) {
  for (const TPenModeItem& item : kItems)
    if (item.Mode == mode) return "Pen=" + std::string(item.Caption);
  return "Pen=Nop";  // the one mode the menu leaves out
}

}  // namespace kroma
