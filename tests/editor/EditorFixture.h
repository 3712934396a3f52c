#pragma once
// A headless editor in a folder of its own: scripted prompts, a manual
// desktop, a recording view, and the pattern store copied beside it.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "core/Bitmap.h"
#include "editor/KromaF.h"
#include "editor/ScriptedPorts.h"

namespace kroma::test {

// A fresh folder under the system's temporary folder, removed at the end.
class TTempFolder {
 public:
  TTempFolder();
  ~TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// The shipped pattern store.
std::string ShippedPatterns();

class EditorTest : public ::testing::Test {
 protected:
  // Starts the editor (FormCreate and FormShow) with the shipped patterns.
  void SetUp() override;
  // A new editor over the same folder, started like SetUp's.
  void Restart();
  TKromaF& F() { return *editor; }
  TBitmap& Image() { return editor->Image(); }

  void Press(int x, int y, TShiftState shift = 0, TMouseButton button = mbLeft) {
    editor->mypaintMouseDown(button, shift | ssLeft, x, y);
  }
  void Move(int x, int y, TShiftState shift = ssLeft) { editor->mypaintMouseMove(shift, x, y); }
  void Release(int x, int y, TShiftState shift = 0, TMouseButton button = mbLeft) {
    editor->mypaintMouseUp(button, shift, x, y);
  }
  void Drag(TPoint from, TPoint to) {
    Press(from.x, from.y);
    Move(to.x, to.y);
    Release(to.x, to.y);
  }

  TTempFolder folder;
  TScriptedPrompts prompts;
  TManualDesktop desktop;
  TRecordingView view;
  std::unique_ptr<TKromaF> editor;
};

// Pixels of two bitmaps are equal (same size, same colours).
::testing::AssertionResult SamePixels(const TBitmap& a, const TBitmap& b);
// Count of pixels of one colour.
int CountColor(const TBitmap& b, TColor color);

}  // namespace kroma::test
