#pragma once
// The command table: every menu item and tool-bar command of the main
// window as one row. The window builds its menu bar, its tool-bar buttons
// and drop-down menus from it, and automation runs commands by id; nobody
// writes a menu by hand. Each module adds its rows (editor/Modules.h).
//
// Paths are captions joined by '/', with '&' before an accelerator
// letter ("&File/E&xit"). Roots starting with '@' are not in the menu bar:
// "@shapes", "@linewidth", "@brushstyle", "@penmodes", "@copymodes" and
// "@effects" are the drop-down menus of the tool-bar buttons, "@toolbar"
// holds the plain tool-bar buttons.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kroma {

class TKromaF;

struct TCommand {
  std::string Id;        // the handler name, "Exit1Click"
  std::string Path;      // "&File/E&xit"
  std::string Shortcut;  // "Ctrl+O", empty for none
  std::function<void(TKromaF&)> Run;
  // Checkable items report their check mark; empty: not checkable.
  std::function<bool(const TKromaF&)> Checked;
  // Empty: always enabled.
  std::function<bool(const TKromaF&)> Enabled;
  bool SeparatorBefore = false;
  // Commands that only choose tools or settings, or read and write files,
  // leave the work image in its pixel format; every other command gets a
  // 24-bit image (a palette BMP opens in its own format).
  bool KeepsPixelFormat = false;
  // The shortcut works also while the command's menu is disabled.
  bool ShortcutOutsideMenu = false;
};

class TCommandTable {
 public:
  // Throws Error for an empty or repeated id, an empty path, a path or a
  // shortcut that another row already has, or a row without Run.
  void Add(TCommand command);
  // nullptr when no row has this id.
  const TCommand* Find(std::string_view id) const;
  const std::vector<TCommand>& Rows() const { return rows_; }
  // Marks every row added so far as keeping the image's pixel format.
  void MarkAllKeepPixelFormat();

 private:
  std::vector<TCommand> rows_;
};

// Runs a command on the editor and shows what it changed. Throws Error for
// an unknown id; the command's own errors pass through.
void RunCommand(TKromaF& editor, std::string_view id);

// The caption of a path's last part, accelerator marks removed ("E&xit" ->
// "Exit", "&&" -> "&").
std::string CaptionOf(std::string_view path);
// The path's parts, accelerator marks kept.
std::vector<std::string> SplitPath(std::string_view path);

}  // namespace kroma
