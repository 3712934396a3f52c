#pragma once
// The 57 effects of the effects dialog as data: each entry's tree path, the
// range and start of the main bar EBar, which bars it reads, and what it
// runs. Rendering an entry is a plain function of a 24-bit copy of the work
// image and the bar values, so the dialog can run it off the window's
// thread and a test can run it directly.
#include <optional>
#include <span>

#include "core/Bitmap.h"

namespace kroma {

// The bars an entry reads besides EBar.
enum TDialogBars : unsigned { kNoBars = 0, kExtraBar = 1, kRotationBars = 2 };

struct TDialogBarValues {
  int EBar = 0;
  int ExtraBar = 1;
  int CxBar = 0;
  int CyBar = 0;
};

struct TDialogEffect {
  int Index;
  const char* Path;  // in the tree, groups first: "Blur/Split Blur"
  int Max, Min, Position;
  unsigned Bars;
  // Renders into `image` (24-bit, a copy of the work image); false when the
  // entry shows no preview (Blend without a bitmap of the image's size on
  // the clipboard).
  bool (*Run)(TBitmap& image, const TDialogBarValues& bars, const std::optional<TBitmap>& clipboard);
};

// Every entry, by index 0 .. 56.
std::span<const TDialogEffect> DialogEffects();

// The group nodes that are entries of their own: clicking them selects the
// settings of entry 0 (Contrast).
inline constexpr const char* kGroupsWithSettings[] = {"Ripple", "Texturize"};

}  // namespace kroma
