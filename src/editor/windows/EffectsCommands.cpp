// The commands of the paint effects: the blurs and the anti-alias of the
// Image menu, the three tone items of the effects drop-down, the quarter
// turn of the tool bar, and Quick Effects..., which opens the effects
// dialog. Each of the first ones works on the range buffer `clip` as a copy
// of the whole image and puts the result on the work image at once.
#include "core/Bitmap.h"
#include "editor/Commands.h"
#include "editor/KromaF.h"
#include "editor/Modules.h"
#include "editor/windows/ToolWindows.h"
#include "effects/PaintFX.h"
#include "effects/PixelHelpers.h"

namespace kroma {
namespace {

using FX = TkelPaintFX;

// clip := the whole image (24-bit); filter(clip); the image := clip.
template <typename Filter>
void OnWholeImage(TKromaF& f, Filter filter) {
  f.ClipWholeImage();
  f.clip.SetPixelFormat(pf24bit);
  filter(f.clip);
  f.Image().Assign(f.clip);
  f.ImageReplaced();
}

void btnturnClick(TKromaF& f) {
  TBitmap source = f.Image();
  source.SetPixelFormat(pf24bit);
  TBitmap turned;
  FX::RotateRight(source, turned);
  f.Image().Assign(turned);
  f.ImageReplaced();
}

}  // namespace

void RegisterEffectCommands(TCommandTable& t) {
  t.Add({.Id = "GaussianBlur1Click", .Path = "&Image/&Blur/&Gaussian Blur", .Shortcut = "Ctrl+F4",
         .Run = [](TKromaF& f) { OnWholeImage(f, [](TBitmap& b) { FX::GaussianBlur(b, 4); }); }});
  t.Add({.Id = "NormalBlur1Click", .Path = "&Image/&Blur/&Normal Blur", .Shortcut = "Shift+F4",
         .Run = [](TKromaF& f) { OnWholeImage(f, [](TBitmap& b) { Convolve5x5(b, RingKernel); }); }});
  t.Add({.Id = "AntiAlias1Click", .Path = "&Image/Effects/&Anti Alias",
         .Run = [](TKromaF& f) { OnWholeImage(f, [](TBitmap& b) { FX::AntiAlias(b); }); }});
  t.Add({.Id = "EffectsPanel1Click", .Path = "&Image/&Quick/Quick Effects...", .Shortcut = "F3",
         .Run = [](TKromaF& f) { f.Windows().Open("TKromaEffectsF"); }});
  t.Add({.Id = "EffectsLighter1Click", .Path = "@effects/Lighter",
         .Run = [](TKromaF& f) { OnWholeImage(f, [](TBitmap& b) { FX::Lightness(b, 20); }); }});
  t.Add({.Id = "EffectsDarker1Click", .Path = "@effects/Darker",
         .Run = [](TKromaF& f) { OnWholeImage(f, [](TBitmap& b) { FX::Darkness(b, 20); }); }});
  t.Add({.Id = "MoreContrast1Click", .Path = "@effects/More Contrast",
         .Run = [](TKromaF& f) { OnWholeImage(f, [](TBitmap& b) { FX::Contrast(b, 20); }); }});
  t.Add({.Id = "btnturnClick", .Path = "@toolbar/Turn", .Run = btnturnClick});
}

}  // namespace kroma
