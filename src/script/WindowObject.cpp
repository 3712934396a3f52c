// app.window(NAME): a tool window for scripts, by its class name, with its
// controls by component name. Every call runs on the editor's thread and
// waits for the window's renders, so that what a script reads next is what
// the user would see after the same action.
#include <cstdio>

#include "core/Bitmap.h"
#include "core/Error.h"
#include "editor/BackgroundWork.h"
#include "editor/Desktop.h"
#include "editor/KromaF.h"
#include "editor/windows/ToolWindow.h"
#include "editor/windows/ToolWindows.h"
#include "files/ImageFiles.h"
#include "parsers/StringHelpers.h"
#include "script/MouseArgs.h"
#include "script/ScriptObjects.h"

namespace kroma {
namespace {

TMousePhase PhaseOf(const TScriptCall& c, std::size_t i) {
  const std::string name = ToLowerAscii(c.String(i));
  if (name == "down") return TMousePhase::Down;
  if (name == "move") return TMousePhase::Move;
  if (name == "up") return TMousePhase::Up;
  throw Error(c.ParamName(i) + ": unknown phase \"" + c.String(i) + "\"; use down, move or up");
}

}  // namespace

TScriptObject MakeWindowObject(TKromaF& f, const std::string& className) {
  TScriptObject w;
  w.Name = "window " + className;
  // The window's own work, then its renders; then the view is told.
  auto member = [&f, className](std::string name, std::vector<std::string> params, std::size_t required,
                                std::function<TScriptResult(TToolWindow&, const TScriptCall&)> body) {
    return TScriptMember{.Name = std::move(name),
                         .Kind = TMemberKind::Method,
                         .Params = std::move(params),
                         .Required = required,
                         .Call = OnEditor([&f, className, body = std::move(body)](const TScriptCall& c) {
                           TToolWindow& window = f.Windows().Get(className);
                           f.Desktop.Background().Wait();
                           TScriptResult result = body(window, c);
                           f.Desktop.Background().Wait();
                           f.FlushChanges();
                           return result;
                         })};
  };
  w.Members.push_back(member("controls", {}, 0, [](TToolWindow& window, const TScriptCall&) {
    std::vector<Variant> names;
    for (const std::string& n : window.ControlNames()) names.emplace_back(n);
    return TScriptResult::ArrayOf(std::move(names));
  }));
  w.Members.push_back(member("get", {"control"}, 1, [](TToolWindow& window, const TScriptCall& c) {
    return TScriptResult::Of(window.Get(c.String(0)));
  }));
  w.Members.push_back(member("set", {"control", "value"}, 2, [](TToolWindow& window, const TScriptCall& c) {
    window.Set(c.String(0), c.Value(1));
    return TScriptResult{};
  }));
  w.Members.push_back(member("click", {"control"}, 1, [](TToolWindow& window, const TScriptCall& c) {
    window.Click(c.String(0));
    return TScriptResult{};
  }));
  w.Members.push_back(member("mouse", {"control", "phase", "x", "y", "button", "mods"}, 4,
                             [](TToolWindow& window, const TScriptCall& c) {
                               window.Mouse(c.String(0), PhaseOf(c, 1), c.Int(2), c.Int(3), MouseButtonArg(c, 4),
                                            KeysArg(c, 5));
                               return TScriptResult{};
                             }));
  w.Members.push_back(member("pixel", {"control", "x", "y"}, 3, [](TToolWindow& window, const TScriptCall& c) {
    const TColor color = window.Picture(c.String(0)).GetPixel(c.Int(1), c.Int(2));
    if (color == clNone) return TScriptResult::Of(Variant(std::string()));
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(color), GetGValue(color), GetBValue(color));
    return TScriptResult::Of(Variant(std::string(text)));
  }));
  w.Members.push_back(member("save", {"control", "path"}, 2, [](TToolWindow& window, const TScriptCall& c) {
    const TBitmap& picture = window.Picture(c.String(0));
    if (picture.Empty()) throw Error(c.String(0) + " holds no picture");
    SaveImageFile(c.String(1), picture, false);
    return TScriptResult{};
  }));
  w.Members.push_back(member("close", {}, 0, [](TToolWindow& window, const TScriptCall&) {
    window.Close();
    return TScriptResult{};
  }));
  w.Members.push_back(member("visible", {}, 0, [](TToolWindow& window, const TScriptCall&) {
    return TScriptResult::Of(Variant(window.Visible()));
  }));
  return w;
}

}  // namespace kroma
