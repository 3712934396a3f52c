// app: the editor as a whole, for scripts: new, open and save, commands,
// tools and canvas settings, mouse gestures, answers for the prompts,
// pixels and the range, the tool windows and the random generator's seed.
#include <cstdio>
#include <memory>

#include "core/Bitmap.h"
#include "core/Canvas.h"
#include "core/Error.h"
#include "core/Random.h"
#include "editor/BackgroundWork.h"
#include "editor/Commands.h"
#include "editor/Desktop.h"
#include "editor/KromaF.h"
#include "editor/ImageSize.h"
#include "editor/Modules.h"
#include "editor/PolyTools.h"
#include "editor/QueuedPrompts.h"
#include "editor/StageHints.h"
#include "editor/ToolKeys.h"
#include "editor/WorkImage.h"
#include "editor/windows/ToolWindows.h"
#include "parsers/StringHelpers.h"
#include "script/EnumNames.h"
#include "script/MouseArgs.h"
#include "script/ScriptObjects.h"

namespace kroma {
namespace {

std::vector<Variant> TextItems(const std::vector<std::string>& texts) {
  return {texts.begin(), texts.end()};
}

TScriptMember Method(std::string name, std::vector<std::string> params, std::size_t required,
                     std::function<TScriptResult(const TScriptCall&)> body) {
  return {.Name = std::move(name),
          .Kind = TMemberKind::Method,
          .Params = std::move(params),
          .Required = required,
          .Call = OnEditor(std::move(body))};
}

TScriptMember Property(std::string name, std::function<Variant()> get, std::function<void(const TScriptCall&)> put) {
  return {.Name = std::move(name),
          .Kind = TMemberKind::ReadWrite,
          .Call = OnEditor([get = std::move(get)](const TScriptCall&) { return TScriptResult::Of(get()); }),
          .Put = OnEditorPut(std::move(put))};
}

// A canvas setting read and written by its enumeration name.
template <typename T>
TScriptMember NamedSetting(std::string name, const char* what, std::function<T()> get, std::function<void(T)> set,
                           std::string (*toName)(T), std::optional<T> (*fromName)(std::string_view)) {
  return Property(
      std::move(name), [get, toName] { return Variant(toName(get())); },
      [set, fromName, what](const TScriptCall& c) {
        std::string text = c.String(0);
        std::optional<T> value = fromName(text);
        if (!value) throw Error("unknown " + std::string(what) + " \"" + text + "\"");
        set(*value);
      });
}

unsigned ButtonFlag(TMouseButton b) { return b == mbLeft ? ssLeft : b == mbRight ? ssRight : ssMiddle; }

std::string HashColor(TColor c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return text;
}

void AddFiles(TScriptObject& app, TScriptEnvironment& env) {
  TKromaF& f = env.Editor;
  app.Members.push_back({.Name = "args",
                         .Kind = TMemberKind::ReadOnly,
                         .Call = [&env](const TScriptCall&) { return TScriptResult::ArrayOf(TextItems(env.Args)); }});
  app.Members.push_back(Method("newImage", {"width", "height"}, 2, [&f](const TScriptCall& c) {
    NewWorkImage(f, c.Int(0), c.Int(1));
    return TScriptResult{};
  }));
  app.Members.push_back(Method("resample", {"width", "height", "filter"}, 2, [&f](const TScriptCall& c) {
    const std::string name = c.Has(2) ? c.String(2) : "Mitchell";
    std::string names;
    for (const TResampleFilter& filter : ResampleFilters) {
      if (name == filter.Name) {
        ResampleImage(f, c.Int(0), c.Int(1), filter);
        return TScriptResult{};
      }
      names += std::string(names.empty() ? "" : ", ") + "\"" + filter.Name + "\"";
    }
    throw TCallError("unknown filter \"" + name + "\": the filters are " + names);
  }));
  app.Members.push_back(Method("open", {"path"}, 1, [&f](const TScriptCall& c) {
    OpenWorkImage(f, c.String(0));
    return TScriptResult{};
  }));
  app.Members.push_back(Method("save", {"path"}, 1, [&f](const TScriptCall& c) {
    SaveWorkImage(f, c.String(0));
    return TScriptResult{};
  }));
}

void AddWindows(TScriptObject& app, TKromaF& f) {
  app.Members.push_back(Method("window", {"name"}, 1, [&f](const TScriptCall& c) {
    const std::string name = c.String(0);
    f.Windows().Open(name);
    f.Desktop.Background().Wait();
    f.FlushChanges();
    return TScriptResult::ObjectOf(std::make_shared<TScriptObject>(MakeWindowObject(f, name)));
  }));
  app.Members.push_back(Method("seed", {"n"}, 1, [](const TScriptCall& c) {
    SeedRandom(static_cast<std::uint32_t>(c.Int(0)));
    return TScriptResult{};
  }));
}

void AddCommands(TScriptObject& app, TKromaF& f) {
  app.Members.push_back(Method("command", {"id"}, 1, [&f](const TScriptCall& c) {
    std::string id = c.String(0);
    if (!EditorCommands().Find(id)) throw TCallError("unknown command: " + id);
    RunCommand(f, id);
    return TScriptResult{};
  }));
  app.Members.push_back(Method("commands", {}, 0, [](const TScriptCall&) {
    std::vector<Variant> ids;
    for (const TCommand& row : EditorCommands().Rows()) ids.emplace_back(row.Id);
    return TScriptResult::ArrayOf(std::move(ids));
  }));
}

// The font's styles as an array of names: gfx.FontStyle only writes them.
TScriptMember FontStyles(TKromaF& f) {
  return {.Name = "fontStyle",
          .Kind = TMemberKind::ReadWrite,
          .Call = OnEditor([&f](const TScriptCall&) {
            return TScriptResult::ArrayOf(TextItems(FontStyleNames(f.Canvas().Font.Style)));
          }),
          .Put = OnEditorPut([&f](const TScriptCall& c) {
            if (!c.Args[0].IsArray) throw Error("the font style is an array of names such as [\"fsBold\"]");
            TFontStyles styles = 0;
            for (const Variant& item : c.Args[0].Items) {
              std::string name = ScriptString(item);
              std::optional<TFontStyle> style = FontStyleByName(name);
              if (!style) throw Error("unknown font style \"" + name + "\"");
              styles |= *style;
            }
            f.Canvas().Font.Style = styles;
          })};
}

void AddSettings(TScriptObject& app, TKromaF& f) {
  app.Members.push_back(Property(
      "tool", [&f] { return Variant(f.FToolKey); },
      [&f](const TScriptCall& c) {
        std::string key = c.String(0);
        if (!key.empty() && !FindToolKey(key)) throw Error("unknown tool key \"" + key + "\"");
        // Like choosing a tool in the window: another tool ends an open
        // polygon or polyline, and the stage hint follows.
        if (key != f.FToolKey) DropPolyFigure(f);
        EnterStage(f, std::move(key));
        f.FlushChanges();
      }));
  app.Members.push_back(NamedSetting<TPenMode>(
      "penMode", "pen mode", [&f] { return f.Canvas().Pen.Mode; }, [&f](TPenMode m) { f.SetPenMode(m); },
      PenModeName, PenModeByName));
  app.Members.push_back(NamedSetting<TPenStyle>(
      "penStyle", "pen style", [&f] { return f.Canvas().Pen.Style; },
      [&f](TPenStyle s) { f.Canvas().Pen.Style = s; }, PenStyleName, PenStyleByName));
  app.Members.push_back(NamedSetting<TBrushStyle>(
      "brushStyle", "brush style", [&f] { return f.Canvas().Brush.Style(); },
      [&f](TBrushStyle s) { f.Canvas().Brush.SetStyle(s); }, BrushStyleName, BrushStyleByName));
  app.Members.push_back(NamedSetting<TCopyMode>(
      "copyMode", "copy mode", [&f] { return f.Canvas().CopyMode; }, [&f](TCopyMode m) { f.Canvas().CopyMode = m; },
      CopyModeName, CopyModeByName));
  app.Members.push_back(FontStyles(f));
}

void AddMouse(TScriptObject& app, TKromaF& f) {
  // The buttons held between a press and its release, as moves report them.
  auto held = std::make_shared<TShiftState>(0);
  app.Members.push_back(Method("press", {"x", "y", "button", "mods"}, 2, [&f, held](const TScriptCall& c) {
    int x = c.Int(0), y = c.Int(1);
    TMouseButton button = MouseButtonArg(c, 2);
    TShiftState keys = KeysArg(c, 3);
    *held |= ButtonFlag(button);
    f.mypaintMouseDown(button, keys | *held, x, y);
    return TScriptResult{};
  }));
  app.Members.push_back(Method("move", {"x", "y", "mods"}, 2, [&f, held](const TScriptCall& c) {
    int x = c.Int(0), y = c.Int(1);
    f.mypaintMouseMove(KeysArg(c, 2) | *held, x, y);
    return TScriptResult{};
  }));
  app.Members.push_back(Method("release", {"x", "y", "button", "mods"}, 2, [&f, held](const TScriptCall& c) {
    int x = c.Int(0), y = c.Int(1);
    TMouseButton button = MouseButtonArg(c, 2);
    TShiftState keys = KeysArg(c, 3);
    *held &= ~ButtonFlag(button);
    f.mypaintMouseUp(button, keys | *held, x, y);
    return TScriptResult{};
  }));
}

// The drag resize in the box around the image.
void AddScrollBox(TScriptObject& app, TKromaF& f) {
  app.Members.push_back(Method("scrollBox", {"phase", "x", "y", "mods"}, 1, [&f](const TScriptCall& c) {
    const std::string phase = c.String(0);
    const int x = c.Has(1) ? c.Int(1) : 0, y = c.Has(2) ? c.Int(2) : 0;
    const TShiftState keys = KeysArg(c, 3);
    if (phase == "down")
      f.ScrollBox1MouseDown(keys | ssLeft);
    else if (phase == "move")
      f.ScrollBox1MouseMove(keys | ssLeft, x, y);
    else if (phase == "up")
      f.ScrollBox1MouseUp();
    else
      throw TCallError("unknown phase \"" + phase + "\": \"down\", \"move\" or \"up\"");
    return TScriptResult{};
  }));
}

void AddPromptsAndPixels(TScriptObject& app, TScriptEnvironment& env) {
  TKromaF& f = env.Editor;
  TQueuedPrompts& prompts = env.Prompts;
  app.Members.push_back({.Name = "answer",
                         .Kind = TMemberKind::Method,
                         .Params = {"text"},
                         .Required = 1,
                         .Variadic = true,
                         .Call = [&prompts](const TScriptCall& c) {
                           for (std::string& text : c.Strings(0)) prompts.Answer(std::move(text));
                           return TScriptResult{};
                         }});
  app.Members.push_back(Method("messages", {}, 0, [&prompts](const TScriptCall&) {
    return TScriptResult::ArrayOf(TextItems(prompts.TakeMessages()));
  }));
  app.Members.push_back(Method("pixel", {"x", "y"}, 2, [&f](const TScriptCall& c) {
    TColor color = f.Image().GetPixel(c.Int(0), c.Int(1));
    return TScriptResult::Of(Variant(color == clNone ? std::string() : HashColor(color)));
  }));
  app.Members.push_back(
      {.Name = "range",
       .Kind = TMemberKind::ReadWrite,
       .Call = OnEditor([&f](const TScriptCall&) {
         const TRect& r = f.FRangeRect;
         return TScriptResult::ArrayOf({r.Left, r.Top, r.Right, r.Bottom});
       }),
       .Put = OnEditorPut([&f](const TScriptCall& c) {
         if (!c.Args[0].IsArray || c.Args[0].Items.size() != 4)
           throw Error("the range is an array of four numbers: [left, top, right, bottom]");
         int v[4];
         for (std::size_t i = 0; i < 4; ++i) {
           try {
             v[i] = ScriptInt(c.Args[0].Items[i]);
           } catch (const Error& e) {
             throw Error("range item " + std::to_string(i) + ": " + e.what());
           }
         }
         f.FRangeRect = {v[0], v[1], v[2], v[3]};
       })});
}

}  // namespace

TScriptObject MakeAppObject(TScriptEnvironment& env) {
  TScriptObject app{"app", false, {}};
  AddFiles(app, env);
  AddCommands(app, env.Editor);
  AddWindows(app, env.Editor);
  AddSettings(app, env.Editor);
  AddMouse(app, env.Editor);
  AddScrollBox(app, env.Editor);
  AddPromptsAndPixels(app, env);
  return app;
}

}  // namespace kroma
