// The commands that choose a tool: one per tool key of the key table
// (stage keys are chosen through their first stage), and the Copy
// Selection button with the paste modes of its drop-down.
#include <string>

#include "editor/Commands.h"
#include "editor/EditorView.h"
#include "editor/KromaF.h"
#include "editor/Modules.h"
#include "editor/PolyTools.h"
#include "editor/StageHints.h"
#include "editor/ToolKeys.h"

namespace kroma {
namespace {

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// Checked while the current key is this command's tool, at any stage.
std::function<bool(const TKromaF&)> SelectedBy(std::string id) {
  return [id](const TKromaF& f) {
    const TToolKeyInfo* info = FindToolKey(f.FToolKey);
    return info && info->Command == id;
  };
}

void AddPasteCommands(TCommandTable& t) {
  t.Add({.Id = "selectcopyClick",
         .Path = "@toolbar/Copy Selection",
         .Run =
             [](TKromaF& f) {
               DropPolyFigure(f);
               f.FToolKey = f.FPasteKey;
               ShowStageHint(f);
             },
         .Checked = SelectedBy("selectcopyClick")});
  t.Add({.Id = "Paste1Click",
         .Path = "@copymodes/Paste",
         .Run =
             [](TKromaF& f) {
               f.FPasteKey = "paste";
               f.View.SetToolButton("selectcopy", "Paste1Click");
             },
         .Checked = [](const TKromaF& f) { return f.FPasteKey == "paste"; }});
  t.Add({.Id = "Mask2Click",
         .Path = "@copymodes/Paste Mask",
         .Run =
             [](TKromaF& f) {
               f.FPasteKey = "pastemask";
               f.View.SetToolButton("selectcopy", "Mask2Click");
             },
         .Checked = [](const TKromaF& f) { return f.FPasteKey == "pastemask"; }});
}

void AddKeyCommand(TCommandTable& t, const TToolKeyInfo& info) {
  std::string id(info.Command);
  std::string key(info.Key);
  std::function<void(TKromaF&)> select;
  if (StartsWith(info.Path, "@shapes/")) {
    select = [key, id](TKromaF& f) { f.SelectShape(key, id); };
  } else if (StartsWith(info.Path, "@copymodes/")) {
    select = [key, id](TKromaF& f) {
      f.FToolKey = key;
      f.View.SetToolButton("selectcopy", id);
    };
  } else {
    // Tool-bar buttons and the Range menu set the key and nothing else.
    select = [key](TKromaF& f) { f.FToolKey = key; };
  }
  // A poly tool's open gesture ends when another tool is chosen, so the
  // next tool's moves do not run with no button held.
  auto run = [select](TKromaF& f) {
    DropPolyFigure(f);
    select(f);
    ShowStageHint(f);
  };
  t.Add({.Id = id, .Path = std::string(info.Path), .Run = std::move(run), .Checked = SelectedBy(id)});
}

}  // namespace

void RegisterToolCommands(TCommandTable& commands) {
  AddPasteCommands(commands);
  for (const TToolKeyInfo& info : ToolKeys())
    if (!info.Path.empty()) AddKeyCommand(commands, info);
}

}  // namespace kroma
