#pragma once
// The effects dialog TKromaEffectsF and its preview TQuickPreviewF. The
// dialog picks one of the 57 effects (editor/windows/DialogEffects.h) from
// its tree ETree and tunes it with four bars (EBar, extrabar, cxbar,
// cybar); every change renders the effect on a copy of the work image into
// the preview's picture Image1, off the window's thread in the window (the
// latest values win) and at once in a batch run. The preview's Use puts the
// picture on the work image; Save... and the counter button goNext write
// the previews as a numbered series of GIF files.
#include <string>

#include "editor/windows/ToolWindow.h"

namespace kroma {

class TKromaF;
class TToolWindowClasses;

class TQuickPreviewF : public TToolWindow {
 public:
  explicit TQuickPreviewF(TKromaF& editor);
  // A finished render: Image1 shows it and the window opens.
  void ShowPreview(TBitmap picture);
  void btnUseClick();
  void goSaveClick();
  void goNextClick();
  const std::string& BaseName() const { return baseName_; }
  int Frame() const { return frame_; }

 protected:
  void OnClose() override;

 private:
  void SaveFrame();

  TKromaF& editor_;
  std::string baseName_;
  int frame_ = 0;
};

class TKromaEffectsF : public TToolWindow {
 public:
  explicit TKromaEffectsF(TKromaF& editor);
  // Image / Quick / Quick Effects...: the work image in 24 bits, cxbar and
  // cybar up to the image's width and height and at half of them, the
  // window shown.
  void EffectsPanel1Click();
  // The tree's click: EBar takes the entry's maximum, minimum and position
  // without running; a changed position then renders once.
  void EListClick();
  // Any bar moved: renders the selected entry (nothing for a plain group).
  void EBarChange();
  // The effect index of the selected node; -1 for none or a plain group.
  int SelectedIndex() const;

 private:
  TKromaF& editor_;
  unsigned latest_ = 0;  // the newest render; older results are dropped
};

// Adds both windows to the table of tool window classes.
void RegisterEffectsWindows(TToolWindowClasses& classes);

}  // namespace kroma
