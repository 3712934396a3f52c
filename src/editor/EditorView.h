#pragma once
// IEditorView: how the editor tells its window what to show. The editor
// never opens a window; the window (or a recording stand-in) follows
// these calls.
#include <string>

#include "core/Types.h"

namespace kroma {

class TToolWindow;

class IEditorView {
 public:
  virtual ~IEditorView() = default;
  // Pixels inside `r` (image coordinates) changed.
  virtual void InvalidateImage(const TRect& r) = 0;
  // The image was replaced or resized: show all of it at its new size.
  virtual void ImageReplaced() = 0;
  // Text of status bar panel 0..3.
  virtual void SetStatusText(int panel, const std::string& text) = 0;
  // A tool-bar button ("setshape", "setwidth", ...) shows the image of the
  // command it last ran and the command's caption as its hint.
  virtual void SetToolButton(const std::string& button, const std::string& commandId) = 0;
  // Opens the help at a topic.
  virtual void ShowHelp(const std::string& file, const std::string& topic) = 0;
  // The editor asks its window to close (File > Exit).
  virtual void RequestClose() = 0;
  // View > Script: shows the script window. Views without one ignore it.
  virtual void ShowScriptWindow() {}
  // A tool window was made (it lives as long as the editor): the view may
  // give it a window of its own, which follows the model's Changed calls.
  virtual void ToolWindowMade(TToolWindow& window) { (void)window; }
  // The range frame, the floating range or the colour panel may have
  // changed: show them as the editor now holds them. Called at the end of
  // every entry point; views without them ignore it.
  virtual void SyncOverlays() {}
};

}  // namespace kroma
