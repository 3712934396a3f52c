#include "editor/Commands.h"

#include "core/Error.h"
#include "editor/KromaF.h"
#include "editor/Modules.h"

namespace kroma {

void TCommandTable::Add(TCommand command) {
  if (command.Id.empty()) throw Error("A command needs an id");
  if (command.Path.empty()) throw Error("The command " + command.Id + " needs a menu path");
  if (!command.Run) throw Error("The command " + command.Id + " does nothing");
  for (const TCommand& row : rows_) {
    if (row.Id == command.Id) throw Error("Two commands have the id " + command.Id);
    if (row.Path == command.Path) throw Error("The commands " + row.Id + " and " + command.Id + " share a menu path");
    if (!command.Shortcut.empty() && row.Shortcut == command.Shortcut)
      throw Error("The commands " + row.Id + " and " + command.Id + " share the shortcut " + command.Shortcut);
  }
  rows_.push_back(std::move(command));
}

const TCommand* TCommandTable::Find(std::string_view id) const {
  for (const TCommand& row : rows_)
    if (row.Id == id) return &row;
  return nullptr;
}

void RunCommand(TKromaF& editor, std::string_view id) {
  const TCommand* command = EditorCommands().Find(id);
  if (!command) throw Error("Unknown command \"" + std::string(id) + "\"");
  struct Flush {
    TKromaF& editor;
    ~Flush() { editor.FlushChanges(); }
  } flush{editor};
  if (!command->KeepsPixelFormat) editor.WidenImageTo24();
  command->Run(editor);
}

void TCommandTable::MarkAllKeepPixelFormat() {
  for (TCommand& row : rows_) row.KeepsPixelFormat = true;
}

std::vector<std::string> SplitPath(std::string_view path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    std::size_t slash = path.find('/', start);
    parts.emplace_back(path.substr(start, slash == std::string_view::npos ? std::string_view::npos : slash - start));
    if (slash == std::string_view::npos) break;
    start = slash + 1;
  }
  return parts;
}

std::string CaptionOf(std::string_view path) {
  std::string_view last = path.substr(path.rfind('/') == std::string_view::npos ? 0 : path.rfind('/') + 1);
  std::string caption;
  for (std::size_t i = 0; i < last.size(); ++i) {
    if (last[i] == '&') {
      if (i + 1 < last.size() && last[i + 1] == '&') {
        caption += '&';
        ++i;
      }
      continue;
    }
    caption += last[i];
  }
  return caption;
}

}  // namespace kroma
