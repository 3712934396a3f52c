#pragma once
// The objects of a metafile's object table: pens, brushes, fonts, palettes
// and regions, as the records describe them (sizes in logical units,
// colours as the records' colour references).
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "core/Types.h"
#include "files/MetafileGdi.h"

namespace kroma {

class TBitmap;

struct TMfPen {
  std::uint32_t style = gdi::kPsSolid;  // with the geometric bit of extended pens
  double width = 0;                     // logical units; 0 is one pixel
  std::uint32_t color = 0;
};

struct TMfBrush {
  std::uint32_t style = gdi::kBsSolid;
  std::uint32_t color = 0xFFFFFF;
  std::uint32_t hatch = 0;
  std::shared_ptr<const TBitmap> pattern;  // pattern brushes
};

struct TMfFont {
  int height = 0;  // < 0: em height, > 0: cell height, 0: the default size
  int escapement = 0;  // tenths of a degree, counter-clockwise
  int weight = 400;
  bool italic = false, underline = false, strikeOut = false;
  int quality = 0;
  std::string face;  // UTF-8
};

struct TMfPalette {
  std::vector<TColor> colors;
};

// A region as a list of rectangles (right and bottom exclusive).
struct TMfRegion {
  std::vector<TRect> rects;
};

// Palettes are shared with the state that selects them, so that changes
// to their entries are seen there. std::monostate is an object the player
// keeps a place for but does not draw with.
using TMfObject =
    std::variant<std::monostate, TMfPen, TMfBrush, TMfFont, std::shared_ptr<TMfPalette>, TMfRegion>;

}  // namespace kroma
