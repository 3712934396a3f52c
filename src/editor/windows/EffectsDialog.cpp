#include "editor/windows/EffectsDialog.h"

#include <filesystem>
#include <memory>
#include <optional>

#include "core/Canvas.h"
#include "core/Error.h"
#include "core/FileIO.h"
#include "editor/BackgroundWork.h"
#include "editor/Desktop.h"
#include "editor/KromaF.h"
#include "editor/Prompts.h"
#include "editor/windows/DialogEffects.h"
#include "editor/windows/ToolWindows.h"
#include "files/ImageFiles.h"

namespace kroma {
namespace {

TToolControl Bar(std::string name, std::string label, bool horizontal, int min, int max, int position) {
  TToolControl c;
  c.Name = std::move(name);
  c.Kind = TControlKind::ScrollBar;
  c.Caption = std::move(label);
  c.Horizontal = horizontal;
  c.Min = min;
  c.Max = max;
  c.Position = position;
  return c;
}

TToolControl Button(std::string name, std::string caption) {
  TToolControl c;
  c.Name = std::move(name);
  c.Kind = TControlKind::Button;
  c.Caption = std::move(caption);
  return c;
}

// The tree from the entries' paths, in index order: a group node comes
// before its first entry. Groups carry -1, but for the two that select the
// first entry's settings.
std::vector<TTreeNode> EffectTree() {
  std::vector<TTreeNode> nodes;
  for (const TDialogEffect& e : DialogEffects()) {
    const std::string path = e.Path;
    int parent = -1;
    if (const std::size_t slash = path.find('/'); slash != std::string::npos) {
      const std::string group = path.substr(0, slash);
      for (int n = 0; n < static_cast<int>(nodes.size()); ++n)
        if (nodes[static_cast<std::size_t>(n)].Parent == -1 && nodes[static_cast<std::size_t>(n)].Caption == group)
          parent = n;
      if (parent < 0) {
        int index = -1;
        for (const char* g : kGroupsWithSettings)
          if (group == g) index = 0;
        nodes.push_back({group, index, -1});
        parent = static_cast<int>(nodes.size()) - 1;
      }
      nodes.push_back({path.substr(slash + 1), e.Index, parent});
    } else {
      nodes.push_back({path, e.Index, -1});
    }
  }
  return nodes;
}

TQuickPreviewF& PreviewOf(TKromaF& editor) {
  return static_cast<TQuickPreviewF&>(editor.Windows().Get("TQuickPreviewF"));
}

}  // namespace

// ---- The preview ----

TQuickPreviewF::TQuickPreviewF(TKromaF& editor) : TToolWindow("TQuickPreviewF", "Kroma Preview"), editor_(editor) {
  TToolControl image;
  image.Name = "Image1";
  image.Kind = TControlKind::Picture;
  Add(std::move(image));
  Add(Button("btnUse", "Use")).OnClick = [this] { btnUseClick(); };
  Add(Button("goSave", "Save...")).OnClick = [this] { goSaveClick(); };
  Add(Button("goNext", "0")).OnClick = [this] { goNextClick(); };
  TToolControl trans;
  trans.Name = "trans";
  trans.Kind = TControlKind::CheckBox;
  trans.Caption = "transparent";
  Add(std::move(trans));
}

void TQuickPreviewF::ShowPreview(TBitmap picture) {
  SetPicture("Image1", std::move(picture));
  if (!Visible()) Show();
}

void TQuickPreviewF::btnUseClick() {
  editor_.Desktop.Background().Wait();  // the picture of the latest values
  const TBitmap& picture = Picture("Image1");
  TBitmap& image = editor_.Image();
  TCanvas& canvas = editor_.Canvas();
  if (canvas.CopyMode == cmSrcCopy && !canvas.ClipRegion() && !picture.Transparent &&
      picture.PixelFormat() == pf24bit && image.PixelFormat() == pf24bit && picture.Width() == image.Width() &&
      picture.Height() == image.Height()) {
    // Drawn as it is over all of the image, the picture is the image: its
    // rows are shared rather than copied.
    image.TakePixels(picture);
    editor_.ImageChanged(image.BoundsRect());
  } else {
    canvas.Draw(0, 0, picture);
  }
  editor_.FlushChanges();
  Close();
}

void TQuickPreviewF::goSaveClick() {
  editor_.Desktop.Background().Wait();
  TFileChoice choice;
  choice.Title = "Save";
  choice.Filters = {{"GIF Images", "*.gif"}};
  choice.DefaultExt = "gif";
  std::string path;
  if (!editor_.Prompts.ChooseSaveFile(choice, path)) return;
  const std::filesystem::path chosen(path);
  baseName_ = (chosen.parent_path() / chosen.stem()).string();
  frame_ = 1;
  SaveFrame();
}

void TQuickPreviewF::goNextClick() {
  if (baseName_.empty()) {
    goSaveClick();
    return;
  }
  editor_.Desktop.Background().Wait();
  SaveFrame();
}

void TQuickPreviewF::SaveFrame() {
  const TBitmap& picture = Picture("Image1");
  if (picture.Empty()) throw Error("The preview holds no picture to save");
  // The GIF of the program's GIF save; a failed write keeps the counter.
  WriteFileAtomic(baseName_ + std::to_string(frame_) + ".gif", EncodeGifForSave(picture, Control("trans").Checked));
  ++frame_;
  SetCaption("goNext", std::to_string(frame_));
}

void TQuickPreviewF::OnClose() {
  baseName_.clear();
  frame_ = 0;
  SetCaption("goNext", "0");
}

// ---- The dialog ----

TKromaEffectsF::TKromaEffectsF(TKromaF& editor) : TToolWindow("TKromaEffectsF", "Kroma Effects"), editor_(editor) {
  TToolControl tree;
  tree.Name = "ETree";
  tree.Kind = TControlKind::Tree;
  tree.Nodes = EffectTree();
  Add(std::move(tree)).OnChange = [this] { EListClick(); };
  for (TToolControl bar : {Bar("EBar", "", false, 0, 100, 0), Bar("extrabar", "turb", true, 1, 300, 1),
                           Bar("cxbar", "rot cx", true, 0, 100, 0), Bar("cybar", "rot cy", true, 0, 100, 0)})
    Add(std::move(bar)).OnChange = [this] { EBarChange(); };
}

void TKromaEffectsF::EffectsPanel1Click() {
  editor_.WidenImageTo24();
  const int width = editor_.Image().Width(), height = editor_.Image().Height();
  SetRange("cxbar", Control("cxbar").Min, width, width / 2);
  SetRange("cybar", Control("cybar").Min, height, height / 2);
  Show();
}

int TKromaEffectsF::SelectedIndex() const {
  const TToolControl& tree = Control("ETree");
  if (tree.Selected < 0) return -1;
  return tree.Nodes[static_cast<std::size_t>(tree.Selected)].ImageIndex;
}

void TKromaEffectsF::EListClick() {
  const int index = SelectedIndex();
  if (index < 0) return;
  const TDialogEffect& e = DialogEffects()[static_cast<std::size_t>(index)];
  const int before = Control("EBar").Position;
  SetRange("EBar", e.Min, e.Max, e.Position);
  if (Control("EBar").Position != before) EBarChange();
}

void TKromaEffectsF::EBarChange() {
  const int index = SelectedIndex();
  if (index < 0) return;
  const TDialogEffect& e = DialogEffects()[static_cast<std::size_t>(index)];
  if (e.Index == 42 && Control("extrabar").Position < 10) SetPositionQuietly("extrabar", 10);
  const TDialogBarValues bars{Control("EBar").Position, Control("extrabar").Position, Control("cxbar").Position,
                              Control("cybar").Position};
  std::optional<TBitmap> clipboard;
  if (e.Index == 52) {
    TBitmap image;
    if (editor_.Desktop.GetClipboardImage(image)) clipboard = std::move(image);
  }
  // Every preview starts from a 24-bit copy of the whole work image in
  // the range buffer; the render works on its own copy (shared rows).
  editor_.ClipWholeImage();
  auto picture = std::make_shared<TBitmap>(editor_.clip);
  auto shown = std::make_shared<bool>(false);
  const unsigned number = ++latest_;
  editor_.Desktop.Background().Post(
      [picture, shown, bars, clipboard = std::move(clipboard), run = e.Run] {
        *shown = run(*picture, bars, clipboard);
      },
      [this, picture, shown, number](std::exception_ptr error) {
        if (number != latest_) return;  // a newer render is on its way
        if (error) std::rethrow_exception(error);
        if (*shown) PreviewOf(editor_).ShowPreview(std::move(*picture));
      });
}

void RegisterEffectsWindows(TToolWindowClasses& classes) {
  classes.Add({.Name = "TKromaEffectsF",
               .Make = [](TKromaF& f) { return std::make_unique<TKromaEffectsF>(f); },
               .Open = [](TKromaF&, TToolWindow& w) { static_cast<TKromaEffectsF&>(w).EffectsPanel1Click(); }});
  classes.Add({.Name = "TQuickPreviewF", .Make = [](TKromaF& f) { return std::make_unique<TQuickPreviewF>(f); }});
}

}  // namespace kroma
