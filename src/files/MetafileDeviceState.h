#pragma once
// What SaveDC keeps: the selected objects, colours, modes, mapping, current
// position and clip of the metafile device. Shared by its source files.
#include <cstdint>
#include <memory>

#include "core/RasterGeometry.h"
#include "core/Spans.h"
#include "files/MetafileDevice.h"
#include "files/MetafileGdi.h"

namespace kroma {

constexpr int kR2CopyPen = 13;

struct TMetafileDevice::TState {
  TPageMapping page;
  TXForm world;
  TMfPen pen;
  TMfBrush brush;
  TMfFont font;
  std::shared_ptr<TMfPalette> palette;  // nullptr: the default palette
  std::uint32_t textColor = 0x000000;
  std::uint32_t bkColor = 0xFFFFFF;
  int bkMode = gdi::kOpaque;
  int rop2 = kR2CopyPen;
  int polyFillMode = gdi::kAlternate;
  int arcDirection = gdi::kArcCounterClockwise;
  unsigned textAlign = 0;
  TPointF position;                      // current position, logical
  std::shared_ptr<const TSpanSet> clip;  // bitmap pixels; nullptr: no clip
};

}  // namespace kroma
