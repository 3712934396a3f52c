// The commands that size the whole image: New and New Banner of the File
// menu, Copy Image and the pastes of the Edit menu, the Resize submenu of
// the Image menu, the Clear Image button and the size spin button.
#include "editor/Modules.h"

#include <string>

#include "core/Bitmap.h"
#include "core/Canvas.h"
#include "core/IniFile.h"
#include "editor/Commands.h"
#include "editor/Desktop.h"
#include "editor/EditorView.h"
#include "editor/ImageSize.h"
#include "editor/KromaF.h"
#include "editor/WorkImage.h"

namespace kroma {
namespace {

// An input box for a size: false when it is cancelled; text that is no
// integer gives `fallback`.
bool AskSize(TKromaF& f, const std::string& prompt, int fallback, int& value) {
  std::string text = std::to_string(fallback);
  if (!f.InputQuery(prompt, text)) return false;
  if (!TryStrToInt(text, value)) value = fallback;
  return true;
}

// A cancelled box keeps the image: its default "100" must not wipe it.
void New1Click(TKromaF& f) {
  int height = 100, width = 100;
  if (!AskSize(f, "Image height:", 100, height) || !AskSize(f, "Image width:", 100, width)) return;
  NewWorkImage(f, width, height);
}

// New Banner and Default > Clear: the canvas cut or extended to a fixed
// size, the range all of it.
void FixedCanvas(TKromaF& f, int width, int height) {
  f.WidenImageTo24();
  ResizeCanvas(f, width, height);
}

void Canvas1Click(TKromaF& f) {
  int height = f.Image().Height(), width = f.Image().Width();
  if (!AskSize(f, "Enter height:", height, height) || !AskSize(f, "Enter width:", width, width)) return;
  f.WidenImageTo24();
  ResizeCanvas(f, width, height);
}

void ToolButton12Click(TKromaF& f) {
  TCanvas& canvas = f.Canvas();
  canvas.Brush.SetColor(clWhite);
  canvas.Pen.Style = psSolid;
  f.gamma.SetSecondColor(clWhite);
  canvas.FillRect(f.Image().BoundsRect());
  f.View.SetToolButton("setbrushstyle", "BrushClear1Click");
  canvas.Brush.SetStyle(bsClear);
  f.FRangeRect = f.Image().BoundsRect();
}

void PastefromClipboard1Click(TKromaF& f) {
  TBitmap picture;
  if (!f.Desktop.GetClipboardImage(picture) || picture.Empty()) return;
  CheckWorkImageFits(picture.Width(), picture.Height());
  picture.SetPixelFormat(pf24bit);
  // The undo slots keep their sizes: sizing them to a smaller picture
  // would cut the images they hold, and Undo could no longer bring back
  // the image as it was before the paste.
  ReplaceWorkImage(f, picture);
}

void PasteStretchfromClipboard1Click(TKromaF& f) {
  TBitmap picture;
  if (!f.Desktop.GetClipboardImage(picture) || picture.Empty()) return;
  f.Canvas().StretchDraw(f.Image().BoundsRect(), picture);
}

// Stretch... and Default > Smooth Resize: the picture resampled from a
// copy of the image; the undo slots and the range stay.
void StretchTo(TKromaF& f, int width, int height) {
  f.clip = f.Image();
  f.clip.SetPixelFormat(pf24bit);
  SmoothResizeImage(f, f.clip, width, height);
}

void Stretch1Click(TKromaF& f) {
  int height = f.Image().Height(), width = f.Image().Width();
  if (!AskSize(f, "Enter height:", height, height) || !AskSize(f, "Enter width:", width, width)) return;
  StretchTo(f, width, height);
}

void Stretch2Click(TKromaF& f) {
  TBitmap stretched(256, 256);
  stretched.Canvas().StretchDraw(stretched.BoundsRect(), f.Image());
  ReplaceWorkImage(f, stretched);
}

// The Smart commands that ask: a cancelled box keeps the image.
void AskSmart(TKromaF& f, const std::string& prompt, int fallback, TSmartMode mode) {
  int size = fallback;
  if (!AskSize(f, prompt, fallback, size)) return;
  SmartResizeImage(f, size, mode);
}

}  // namespace

void RegisterNewImageCommands(TCommandTable& t) {
  t.Add({.Id = "New1Click", .Path = "&File/&New", .Shortcut = "Ctrl+N", .Run = New1Click});
  t.Add({.Id = "NewBanner1Click", .Path = "&File/New &Banner", .Run = [](TKromaF& f) {
           FixedCanvas(f, 468, 60);
         }});
}

void RegisterImageSizeCommands(TCommandTable& t) {
  t.Add({.Id = "CopytoClipboard1Click", .Path = "&Edit/&Copy Image",
         .Run = [](TKromaF& f) { f.Desktop.SetClipboardImage(f.Image()); }});
  t.Add({.Id = "PastefromClipboard1Click", .Path = "&Edit/&Paste Image", .Run = PastefromClipboard1Click});
  t.Add({.Id = "PasteStretchfromClipboard1Click", .Path = "&Edit/Paste &Stretch from Clipboard",
         .Run = PasteStretchfromClipboard1Click});
  t.Add({.Id = "Stretch1Click", .Path = "&Image/Resize/&Stretch...", .Run = Stretch1Click});
  t.Add({.Id = "Canvas1Click", .Path = "&Image/Resize/&Canvas...", .Run = Canvas1Click});
  t.Add({.Id = "ResizeDefault1Click", .Path = "&Image/Resize/&Default/Smooth &Resize",
         .Run = [](TKromaF& f) { StretchTo(f, 256, 256); }});
  t.Add({.Id = "Stretch2Click", .Path = "&Image/Resize/&Default/&Stretch", .Run = Stretch2Click});
  t.Add({.Id = "ClearDefault1Click", .Path = "&Image/Resize/&Default/&Clear",
         .Run = [](TKromaF& f) { FixedCanvas(f, 256, 256); }});
  t.Add({.Id = "Smart32x321Click", .Path = "&Image/Resize/S&mart/Smart &32x32",
         .Run = [](TKromaF& f) { SmartResizeImage(f, 32, TSmartMode::Square); }});
  t.Add({.Id = "Height1Click", .Path = "&Image/Resize/S&mart/&Height...", .Run = [](TKromaF& f) {
           AskSmart(f, "Enter height:", f.Image().Height(), TSmartMode::FixHeight);
         }});
  t.Add({.Id = "Width1Click", .Path = "&Image/Resize/S&mart/&Width...", .Run = [](TKromaF& f) {
           AskSmart(f, "Enter width:", f.Image().Width(), TSmartMode::FixWidth);
         }});
  t.Add({.Id = "Square4Click", .Path = "&Image/Resize/S&mart/&Square...", .Run = [](TKromaF& f) {
           AskSmart(f, "Enter Square Size:", f.Image().Width(), TSmartMode::Square);
         }});
  t.Add({.Id = "ToolButton12Click", .Path = "@toolbar/Clear Image", .Run = ToolButton12Click});
  t.Add({.Id = "SizeSpinUpClick", .Path = "@toolbar/Larger", .Run = [](TKromaF& f) { SpinResize(f, 1.25); }});
  t.Add({.Id = "SizeSpinDownClick", .Path = "@toolbar/Smaller", .Run = [](TKromaF& f) { SpinResize(f, 0.7); }});
}

}  // namespace kroma
