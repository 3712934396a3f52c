#include "files/Metafile.h"

#include "core/Bitmap.h"
#include "files/EmfPlayer.h"
#include "files/WmfPlayer.h"

namespace kroma {

void LoadMetafile(std::span<const std::uint8_t> data, bool enhanced, TBitmap& target) {
  TBitmap drawing = enhanced ? PlayEmf(data) : PlayWmf(data);
  drawing.Transparent = target.Transparent;
  drawing.SetTransparentMode(target.TransparentMode());
  if (target.TransparentMode() == tmFixed) drawing.SetTransparentColor(target.TransparentColor());
  target = std::move(drawing);
}

}  // namespace kroma
