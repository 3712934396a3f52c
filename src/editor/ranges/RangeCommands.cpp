// The commands of the Range menu that work on the range at once (the
// range tools are in RangeTools.cpp), the range commands of the Edit and
// Image menus and the tool bar, and the floating range's popup menu.
#include <string>

#include "core/Canvas.h"
#include "editor/Commands.h"
#include "editor/KromaF.h"
#include "editor/Modules.h"
#include "editor/Prompts.h"
#include "editor/ranges/RangeArea.h"
#include "editor/ranges/RangeOps.h"

namespace kroma {
namespace {

void AddRangeMenu(TCommandTable& t) {
  t.Add({.Id = "Deselect1Click", .Path = "&Image/Deselect", .Run = [](TKromaF& f) {
           f.selector.Visible = false;
           f.FRangeMenuEnabled = false;
         }});
  // Ctrl+A also works while the Range menu is disabled, and the range it
  // chooses enables the menu like one dragged with Select Range.
  t.Add({.Id = "SelectAll2Click",
         .Path = "&Range/&Select All",
         .Shortcut = "Ctrl+A",
         .Run = [](TKromaF& f) {
           f.FRangeRect = f.Image().BoundsRect();
           f.FRangeMenuEnabled = true;
         },
         .ShortcutOutsideMenu = true});
  t.Add({.Id = "Erase1Click", .Path = "&Range/Erase", .Run = [](TKromaF& f) {
           f.FClipCopyMode = cmSrcCopy;
           f.setclip(f.Canvas().Brush.Color());
           f.pasteclip();
         }});
  t.Add({.Id = "Invert2Click", .Path = "&Range/&Invert", .Run = [](TKromaF& f) {
           f.FClipCopyMode = cmSrcInvert;
           f.setclip(clWhite);
           f.copyclip();
           f.pasteclip();
         }});
  t.Add({.Id = "Color5Click", .Path = "&Range/Copy Transparent/Color...", .Run = [](TKromaF& f) {
           TColor color = f.FTransparentCopyColor;
           if (f.Prompts.ChooseColor(color)) f.FTransparentCopyColor = color;
         }});
  t.Add({.Id = "Float1Click", .Path = "&Range/Float/&Float Full", .Shortcut = "F11", .Run = FloatRange});
  t.Add({.Id = "FloatTight1Click", .Path = "&Range/Float/Float Tight", .Shortcut = "Shift+F11", .Run = [](TKromaF& f) {
           TightenRange(f);
           FloatRange(f);
         }});
  t.Add({.Id = "FloatTight241Click",
         .Path = "&Range/Float/Float Tight 24",
         .Shortcut = "Ctrl+F11",
         .Run = FloatTight24});
  t.Add({.Id = "CopyRange1Click", .Path = "&Edit/Copy Range", .Run = CopyRangeToClipboard});
  t.Add({.Id = "PasteFloating1Click", .Path = "&Edit/Paste Floating Range", .Run = PasteFloatingRange});
  t.Add({.Id = "Crop1Click", .Path = "&Image/Resize/Crop", .Run = CropToRange});
  t.Add({.Id = "ToolButton14Click", .Path = "@toolbar/FloodFill Range", .Run = [](TKromaF& f) {
           f.Canvas().FillRect(RequireRangeArea(f.FRangeRect, f.Image()));
         }});
  t.Add({.Id = "MaskClip1Click", .Path = "@floodrange/Mask Clip", .Run = MaskClip});
}

void AddFloatingMenu(TCommandTable& t) {
  t.Add({.Id = "FloatImg1Click",
         .Path = "&Gadgets/Image/FloatImage1",
         .Run = [](TKromaF& f) { f.FloatImage1.Visible = !f.FloatImage1.Visible && !f.FloatImage1.Picture.Empty(); },
         .Checked = [](const TKromaF& f) { return f.FloatImage1.Visible; }});
  t.Add({.Id = "Right3Click", .Path = "@imgpop/Glue/&Right", .Run = GlueFloatRight});
  t.Add({.Id = "Bottom1Click", .Path = "@imgpop/Glue/&Bottom", .Run = GlueFloatBottom});
  struct Combine {
    const char* id;
    const char* path;
    TCombineOp op;
  };
  constexpr Combine kCombines[] = {
      {"Average1Click", "@imgpop/Combine/&Average", TCombineOp::Average},
      {"Exclude1Click", "@imgpop/Combine/&Exclude", TCombineOp::Exclude},
      {"Intersect1Click", "@imgpop/Combine/&Intersect", TCombineOp::Intersect},
      {"Add2Click", "@imgpop/Combine/&Logic/Add", TCombineOp::Add},
      {"Sub1Click", "@imgpop/Combine/&Logic/&Sub", TCombineOp::Sub},
      {"And1Click", "@imgpop/Combine/&Logic/&And", TCombineOp::And},
      {"Or1Click", "@imgpop/Combine/&Logic/&Or", TCombineOp::Or},
      {"Xor2Click", "@imgpop/Combine/&Logic/&Xor", TCombineOp::Xor},
      {"NotXor2Click", "@imgpop/Combine/&Logic/&Not Xor", TCombineOp::NotXor},
  };
  for (const Combine& c : kCombines) {
    TCombineOp op = c.op;
    t.Add({.Id = c.id, .Path = c.path, .Run = [op](TKromaF& f) { CombineFloat(f, op); }});
  }
}

}  // namespace

void RegisterRangeCommands(TCommandTable& commands) {
  AddRangeMenu(commands);
  AddFloatingMenu(commands);
}

}  // namespace kroma
